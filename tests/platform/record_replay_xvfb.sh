#!/usr/bin/env bash
# A game played by keys in the real window on a bare X server, recorded —
# the Pause key held through its auto-repeat, which pauses once —
# then replayed headless and watched in a window: both replays must end in
# the very state the played game wrote when it ended, byte for byte. SDL's dummy sound
# driver plays the music in real time, so its progress, reported on a
# thread of its own, is part of what is recorded.
# Usage (under xvfb-run): SCRIPT GAME DATA_DIR
set -uo pipefail
game=$1
data=$2
work=$(mktemp -d)
pid=""
trap 'kill -KILL "$pid" 2>/dev/null; rm -rf "$work"' EXIT
cd "$work"

fail() { echo "FAIL: $*"; exit 1; }

export SDL_AUDIODRIVER=dummy
frames=1200
"$game" --window --frames $frames --record rec.txt --dump-state played.json --data "$data" >game.log 2>&1 &
pid=$!
window=$(timeout 20 xdotool search --sync --onlyvisible --class varnholt | head -1)
[ -n "$window" ] || fail "no game window"
xdotool windowfocus --sync "$window"

hold() {  # KEY SECONDS
    xdotool keydown "$1"
    sleep "$2"
    xdotool keyup "$1"
}

# The title's music finishes its first block after some nine seconds; the
# recording is written out once a second of play.
for _ in $(seq 400); do
    grep -q " done " rec.txt && break
    sleep 0.05
done
grep -q " done " rec.txt || fail "the music never told of a finished block"
hold Return 0.2    # past the opening
sleep 1
hold Return 0.2    # the first difficulty: into the game
sleep 2
hold Right 0.8
hold c 0.3
hold Down 0.5
hold c 0.1
# Held past the keyboard's auto-repeat delay: one press, one pause.
hold Pause 1.5

for _ in $(seq 1200); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.05
done
kill -0 "$pid" 2>/dev/null && fail "the game did not end after $frames frames"
wait "$pid"
status=$?
pid=""
[ "$status" -eq 0 ] || fail "the played game exited with $status: $(cat game.log)"
grep -q "^$frames end$" rec.txt || fail "the recording does not end with frame $frames: $(tail -n 3 rec.txt)"
grep -q " message KeyDown " rec.txt || fail "no key reached the recorded game"
grep -q '"scene":1,' played.json || fail "the keys did not start the game"
grep -q " message KeyDown 19 repeat$" rec.txt || fail "the held Pause key never repeated"
grep -q '"paused":1,' played.json || fail "a held Pause key did not leave the game paused"

"$game" --replay rec.txt --dump-state replay1.json --events replay1.jsonl --data "$data" >replay1.log 2>&1 ||
    fail "replay 1: $(cat replay1.log)"
cmp played.json replay1.json || fail "the headless replay ends in another state than the played game"

# Watched in a window, the replay keeps the recorded pace: its clock ran
# at least frames x 16 ms, so the replay cannot take less.
started=$(date +%s%N)
"$game" --replay rec.txt --window --dump-state replay2.json --events replay2.jsonl --data "$data" \
    >replay2.log 2>&1 &
pid=$!
timeout 20 xdotool search --sync --onlyvisible --class varnholt >/dev/null || fail "the replay shows no window"
wait "$pid"
status=$?
pid=""
took=$(( ($(date +%s%N) - started) / 1000000 ))
[ "$status" -eq 0 ] || fail "the replay in a window exited with $status: $(cat replay2.log)"
cmp played.json replay2.json || fail "the replay in a window ends in another state than the played game"
grep -q '"event":"sound"' replay1.jsonl || fail "the replay played no sound: $(head -c 300 replay1.jsonl)"
cmp replay1.jsonl replay2.jsonl || fail "the two replays showed and played different things"
[ "$took" -ge $((frames * 16)) ] || fail "the replay in a window took $took ms, under the recorded $((frames * 16)) ms"
echo "ok: $(wc -l <rec.txt) lines recorded; both replays end in the played game's state with the same events; the watched one took $took ms"
