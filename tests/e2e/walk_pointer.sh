#!/usr/bin/env bash
# Walks the game's pointer (hidden, moved by relative motion) from one
# screen point to another in steps too small for pointer acceleration.
#   walk_pointer.sh FROM_X FROM_Y TO_X TO_Y
px=$1 py=$2 bx=${3:-$1} by=${4:-$2}
while [ "$px" != "$bx" ] || [ "$py" != "$by" ]; do
  dx=$(( bx > px ? (bx - px > 3 ? 3 : bx - px) : (px - bx > 3 ? -3 : bx - px) ))
  dy=$(( by > py ? (by - py > 3 ? 3 : by - py) : (py - by > 3 ? -3 : by - py) ))
  xdotool mousemove_relative -- $dx $dy
  px=$((px + dx)) py=$((py + dy))
  sleep 0.01
done
