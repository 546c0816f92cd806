#!/bin/sh
# One game played by the autoplayer from the title, on one difficulty,
# with a fixed seed: by frame FRAMES it must have reached area AREA, and
# the score file must hold the best score the game showed.
# Usage: autoplay_game.sh PROGRAM DATA SEED DIFFICULTY FRAMES AREA
set -eu
program=$1 data=$2 seed=$3 difficulty=$4 frames=$5 area=$6
rm -f Tavro.slf score.slf
status=0
"$program" --headless --frames "$frames" --autoplay "$seed" --autoplay-difficulty "$difficulty" \
    --data "$data" --dump-state state.json > report.txt || status=$?
cat report.txt
reached=$(sed -n "s/^| area $area: first reached at frame | \([0-9]*\) |\$/\1/p" report.txt)
[ -n "$reached" ] || { echo "area $area was not reached in $frames frames"; exit 1; }
if grep -q '^| frames to the ending | [0-9]' report.txt; then
  [ "$status" -eq 0 ] || { echo "exit status $status after the ending"; exit 1; }
fi
# Every game over and the ending store the best score shown.
best=$(sed -n 's/.*"bestScore":\([0-9-]*\).*/\1/p' state.json)
if [ -f score.slf ]; then
  stored=$(od -An -t d4 -N 4 score.slf | tr -d ' ')
  [ "$stored" = "$best" ] || { echo "score.slf holds $stored, the game showed $best"; exit 1; }
fi
echo "area $area first reached at frame $reached"
