#!/usr/bin/env bash
# The Debian package made from the build: its name, control fields and
# dependencies, every file it installs with its owner and mode, the game
# run from the unpacked package, and lintian finding no error in it.
# Usage: SCRIPT CPACK BUILD_DIR
set -uo pipefail
cpack=$1
build=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() { echo "FAIL: $*"; exit 1; }

"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; fail "cpack"; }
debs=("$work"/out/*.deb)
[ ${#debs[@]} = 1 ] || fail "cpack made ${#debs[@]} packages"
deb=${debs[0]}
field() { dpkg-deb -f "$deb" "$1"; }

version=$(field Version)
[[ $version =~ ^[0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "version '$version'"
[ "$(basename "$deb")" = "varnholt_${version}_amd64.deb" ] || fail "named $(basename "$deb")"

for expected in 'Package: varnholt' 'Architecture: amd64' 'Section: games' 'Priority: optional'; do
    [ "${expected#*: }" = "$(field "${expected%%: *}")" ] || fail "$expected: got '$(field "${expected%%: *}")'"
done
[[ $(field Maintainer) =~ ^[^\<]+\ \<[^@\>]+@[^\>]+\>$ ]] || fail "maintainer '$(field Maintainer)'"
description=$(field Description)
[ "$(head -n 1 <<<"$description")" = "top-down action role-playing game in a cave of eight areas" ] ||
    fail "description's summary: $(head -n 1 <<<"$description")"
[ "$(wc -l <<<"$description")" -ge 4 ] || fail "no long description: $description"

# The libraries the program links, found by dpkg-shlibdeps, and the
# soundfont it plays its music with; X's fonts for the message boxes are
# recommended, as Debian wants for fonts.
names() { tr ',' '\n' | sed 's/(.*)//; s/ //g' | sort | tr '\n' ' '; }
[ "$(field Depends | names)" = "libc6 libfluidsynth3 libgcc-s1 libpng16-16 libsdl2-2.0-0 libstdc++6 timgm6mb-soundfont " ] ||
    fail "Depends: $(field Depends)"
[ "$(field Recommends | names)" = "xfonts-base xfonts-intl-japanese " ] || fail "Recommends: $(field Recommends)"
# The libraries are asked for at least in the versions built against.
field Depends | grep -q 'libsdl2-2.0-0 (>= 2\.' || fail "no SDL2 version: $(field Depends)"

# Every file, its owner and its mode: only the program is executable, in
# /usr/games as Debian keeps games.
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $1, $2, $6}' | sort >"$work/files"
cat >"$work/expected" <<'LIST'
-rw-r--r-- root/root ./usr/share/applications/varnholt.desktop
-rw-r--r-- root/root ./usr/share/doc/varnholt/changelog.gz
-rw-r--r-- root/root ./usr/share/doc/varnholt/copyright
-rw-r--r-- root/root ./usr/share/icons/hicolor/256x256/apps/varnholt.png
-rw-r--r-- root/root ./usr/share/icons/hicolor/64x64/apps/varnholt.png
-rw-r--r-- root/root ./usr/share/man/man6/varnholt.6.gz
-rw-r--r-- root/root ./usr/share/varnholt/Bitmap/EX.bmp
-rw-r--r-- root/root ./usr/share/varnholt/Bitmap/HP.bmp
-rw-r--r-- root/root ./usr/share/varnholt/Bitmap/エンディング.bmp
-rw-r--r-- root/root ./usr/share/varnholt/Bitmap/オープニング.bmp
-rw-r--r-- root/root ./usr/share/varnholt/Bitmap/オープニング2.bmp
-rw-r--r-- root/root ./usr/share/varnholt/Bitmap/キャラ.bmp
-rw-r--r-- root/root ./usr/share/varnholt/Bitmap/ボス.bmp
-rw-r--r-- root/root ./usr/share/varnholt/Bitmap/剣.bmp
-rw-r--r-- root/root ./usr/share/varnholt/Bitmap/数字.bmp
-rw-r--r-- root/root ./usr/share/varnholt/Bitmap/敵.bmp
-rw-r--r-- root/root ./usr/share/varnholt/Bitmap/背景.bmp
-rw-r--r-- root/root ./usr/share/varnholt/音楽/back.mds
-rw-r--r-- root/root ./usr/share/varnholt/音楽/キャラ.wav
-rw-r--r-- root/root ./usr/share/varnholt/音楽/ボス.wav
-rw-r--r-- root/root ./usr/share/varnholt/音楽/レベルアップ.wav
-rw-r--r-- root/root ./usr/share/varnholt/音楽/剣.wav
-rw-r--r-- root/root ./usr/share/varnholt/音楽/地震.wav
-rw-r--r-- root/root ./usr/share/varnholt/音楽/敵.wav
-rw-r--r-- root/root ./usr/share/varnholt/音楽/通常.mds
-rw-r--r-- root/root ./usr/share/varnholt/音楽/魔法.wav
-rwxr-xr-x root/root ./usr/games/varnholt
LIST
LC_ALL=C sort -o "$work/expected" "$work/expected"
LC_ALL=C sort -o "$work/files" "$work/files"
diff "$work/expected" "$work/files" >"$work/files.diff" || { cat "$work/files.diff"; fail "the package's files (< expected, > packed)"; }
# Directories are root's and open to all.
bad_dirs=$(dpkg-deb -c "$deb" | awk '$1 ~ /^d/ && ($1 != "drwxr-xr-x" || $2 != "root/root")')
[ -z "$bad_dirs" ] || fail "directories: $bad_dirs"

# The package's changelog names the package's version.
changelog_head=$(dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/doc/varnholt/changelog.gz | gzip -dc | head -n 1)
[ "$changelog_head" = "varnholt ($version) unstable; urgency=medium" ] || fail "changelog begins '$changelog_head'"

# The program from the unpacked package finds the data packed beside it.
dpkg-deb -x "$deb" "$work/root" || fail "dpkg-deb -x"
mkdir "$work/here"
(cd "$work/here" && HOME="$work/home" XDG_DATA_HOME= "$work/root/usr/games/varnholt" --headless --frames 10 \
    --events "$work/events.jsonl" >"$work/run.log" 2>&1) || { cat "$work/run.log"; fail "the packed game exited with $?"; }
[ -z "$(ls -A "$work/here")" ] || fail "written where it ran: $(ls -A "$work/here")"
# A bitmap or music file it could not read would have shown its message.
! grep -q '"event":"message"' "$work/events.jsonl" || fail "a message: $(cat "$work/events.jsonl")"
grep -qF '"action":"open","file":"音楽/通常.mds"' "$work/events.jsonl" || fail "no music: $(cat "$work/events.jsonl")"

# lintian's errors fail the package; its warnings are shown.
lintian --fail-on error --tag-display-limit 0 "$deb" >"$work/lintian.log" 2>&1
status=$?
cat "$work/lintian.log"
[ $status = 0 ] || fail "lintian found errors (exit $status)"
echo "PASS"
