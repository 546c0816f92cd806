#!/usr/bin/env bash
# The game installed into a fresh prefix and run from an unrelated folder:
# it finds its data beside the program, saves in the player's data folder
# and writes nothing where it runs; the menu entry and icon come with it.
# Usage: SCRIPT CMAKE BUILD_DIR
set -uo pipefail
cmake=$1
build=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() { echo "FAIL: $*"; exit 1; }

prefix=$work/prefix
"$cmake" --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 ||
    { cat "$work/install.log"; fail "cmake --install"; }

# Start a game from the title, wait out the fades, then save with F7.
printf '1 Enter\n2\n3 C\n4\n90 F7\n91\n' >"$work/input.txt"
mkdir "$work/here"

# Runs the installed game in $work/here; the arguments are VAR=VALUE
# settings for its environment.
run() {
    (cd "$work/here" && env "$@" "$prefix/bin/varnholt" --headless --frames 100 \
        --input "$work/input.txt" --events "$work/events.jsonl") || fail "the game exited with $?"
    grep -q 'ＳＡＶＥしました' "$work/events.jsonl" || fail "no save: $(cat "$work/events.jsonl")"
    [ -z "$(ls -A "$work/here")" ] || fail "written where it ran: $(ls -A "$work/here")"
}

saved_in() {  # FOLDER: the folder holds the 19-byte saved game, for its owner alone
    [ "$(stat -c %s "$1/Tavro.slf" 2>/dev/null)" = 19 ] || fail "no 19-byte Tavro.slf in $1"
    [ "$(stat -c %a "$1")" = 700 ] || fail "$1 is mode $(stat -c %a "$1")"
}

run HOME="$work/home" XDG_DATA_HOME="$work/xdg"
saved_in "$work/xdg/varnholt"
[ ! -e "$work/home" ] || fail "HOME was used although XDG_DATA_HOME was set"

run HOME="$work/home2" XDG_DATA_HOME=relative/data
saved_in "$work/home2/.local/share/varnholt"

entry=$prefix/share/applications/varnholt.desktop
for line in '[Desktop Entry]' 'Type=Application' 'Name=Varnholt' 'Exec=varnholt' 'Icon=varnholt' \
            'Terminal=false' 'Categories=Game;ActionGame;'; do
    grep -qxF "$line" "$entry" || fail "$entry lacks '$line'"
done
grep -q '^Comment=.' "$entry" || fail "$entry has no Comment"

for size in 64 256; do
    icon=$prefix/share/icons/hicolor/${size}x${size}/apps/varnholt.png
    [ "$(head -c 8 "$icon" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] || fail "$icon is not a PNG"
    # The header's width and height, big-endian 32-bit.
    [ "$(od -An -tu1 -j 16 -N 8 "$icon" |
         awk '{print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8}')" = "${size}x${size}" ] ||
        fail "$icon is not ${size}x${size}"
done

# Nothing but the game is installed.
[ "$(ls "$prefix/bin")" = varnholt ] || fail "bin holds $(ls "$prefix/bin")"
echo "PASS"
