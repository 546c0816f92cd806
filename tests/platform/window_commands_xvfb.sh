#!/usr/bin/env bash
# The window commands in the real window on a bare X server, driven by
# keys as a player presses them: F2-F6 give their client areas at the
# screen's corner, F1 covers the 1280x720 screen with the picture
# letterboxed to 4:3. Each command's box is answered with Return.
# Usage (under xvfb-run -s "-screen 0 1280x720x24"): SCRIPT GAME DATA_DIR
set -uo pipefail
game=$1
data=$2
work=$(mktemp -d)
pid=""
# The game ignores a plain kill while a message box is open, and a box
# is a process of its own: end both for good.
trap 'pkill -KILL -P "$pid" 2>/dev/null; kill -KILL "$pid" 2>/dev/null; rm -rf "$work"' EXIT
cd "$work"

fail() { echo "FAIL: $*"; exit 1; }

"$game" --window --data "$data" >"$work/game.log" 2>&1 &
pid=$!
window=$(timeout 20 xdotool search --sync --onlyvisible --class varnholt | head -1)
[ -n "$window" ] || fail "no game window"

geometry() {  # prints X Y WIDTH HEIGHT of a window
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
        /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}'
}

# The message box is a top-level window of its own, named after its caption.
find_box() {
    xwininfo -root -children | awk '/"DirectDrawFailed"/ {print $1; exit}'
}

# Holds KEY until the command's box is up, answers it with Return, and
# waits for the window to reach the geometry wanted.
command_gives() {
    local key=$1 text=$2 want=$3
    xdotool windowfocus --sync "$window"
    xdotool keydown "$key"
    local box=""
    for _ in $(seq 100); do
        box=$(find_box)
        [ -n "$box" ] && break
        sleep 0.1
    done
    xdotool keyup "$key"
    [ -n "$box" ] || fail "$key showed no box"
    xdotool windowfocus --sync "$box"
    xdotool key Return
    for _ in $(seq 50); do
        [ -z "$(find_box)" ] && break
        sleep 0.1
    done
    local got=""
    for _ in $(seq 50); do
        got=$(geometry "$window")
        [ "$got" = "$want" ] && { echo "ok: $key ($text) gives $got"; return 0; }
        sleep 0.1
    done
    fail "$key ($text): window at $got, wanted $want"
}

command_gives F2 "160x120" "0 0 160 120"
command_gives F3 "240x180" "0 0 240 180"
command_gives F4 "320x240" "0 0 320 240"
command_gives F5 "480x360" "0 0 480 360"
command_gives F6 "640x480" "0 0 640 480"
command_gives F1 "full screen" "0 0 1280 720"

# The picture is 960x720 in the middle of the screen: black bars of 160
# columns on either side, the picture's own colours between them.
shot=$work/screen.xwd
field() { od -An -tu4 --endian=big -j"$1" -N4 "$shot" | tr -d ' '; }
# Every 24th row of the screen: the first and last column that is not black.
lit_columns() {
    xwd -root -silent >"$shot"
    local header bytes_per_pixel bytes_per_line colours y
    header=$(field 0)
    bytes_per_pixel=$(($(field 44) / 8))
    bytes_per_line=$(field 48)
    colours=$(field 76)
    for y in $(seq 0 24 719); do
        od -An -v -tu1 -w"$bytes_per_line" -j$((header + colours * 12 + y * bytes_per_line)) \
            -N"$bytes_per_line" "$shot"
    done | awk -v step="$bytes_per_pixel" 'BEGIN {first = 99999; last = -1}
        {for (i = 1; i + 2 <= NF; i += step) if ($i + $(i + 1) + $(i + 2) > 0) {
            x = (i - 1) / step; if (x < first) first = x; if (x > last) last = x }}
        END {print first, last}'
}
# The window has its new size before the game has drawn into it again.
for _ in $(seq 40); do
    read -r first last < <(lit_columns)
    [ "$first" -ge 160 ] && [ "$last" -le 1119 ] && [ "$first" -lt 400 ] && [ "$last" -gt 880 ] && break
    sleep 0.25
done
[ "$first" -ge 160 ] && [ "$last" -le 1119 ] || fail "picture drawn from column $first to $last, bars are 0-159 and 1120-1279"
[ "$first" -lt 400 ] && [ "$last" -gt 880 ] || fail "picture spans only columns $first to $last"
echo "ok: full screen letterboxes the picture between columns $first and $last"

kill -0 "$pid" 2>/dev/null || fail "the game ended: $(cat "$work/game.log")"
