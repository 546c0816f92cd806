#!/bin/sh
# One game played by the autoplayer from the title, on one difficulty,
# with a fixed seed: it must reach the ending within FRAMES frames (one
# hour of play is 216,000), close the game once the best score is shown,
# and leave in the score file the score the ending showed.
# Usage: autoplay_game.sh PROGRAM DATA SEED DIFFICULTY FRAMES
set -eu
program=$1 data=$2 seed=$3 difficulty=$4 frames=$5
rm -f Tavro.slf score.slf
"$program" --headless --frames "$frames" --autoplay "$seed" --autoplay-difficulty "$difficulty" \
    --data "$data" > report.txt
cat report.txt
grep -q "^| difficulty | $difficulty |\$" report.txt
final=$(sed -n 's/^| final score | \([0-9]*\) |$/\1/p' report.txt)
[ -n "$final" ] || { echo "no final score in the report"; exit 1; }
[ -f score.slf ] || { echo "no score.slf written"; exit 1; }
stored=$(od -An -t d4 -N 4 score.slf | tr -d ' ')
[ "$stored" = "$final" ] || { echo "score.slf holds $stored, the ending showed $final"; exit 1; }
