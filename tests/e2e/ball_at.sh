#!/usr/bin/env bash
# Where the ball is in a screenshot of the play screen: the middle of its
# red band, "X Y" in screen pixels (nothing when there is none). The panel
# in the top left corner (its close button is red too) is left out: only
# red pixels right of PANEL_RIGHT or below PANEL_BOTTOM count.
#   ball_at.sh PNG PANEL_RIGHT PANEL_BOTTOM
convert "$1" -fx "(r>0.75 && g<0.35 && b<0.35) ? 1 : 0" txt:- 2> /dev/null |
  awk -F'[,:]' -v right="$2" -v bottom="$3" '/#FFFFFF/ && ($1 >= right || $2 >= bottom) {
    x += $1; y += $2; n++ }
    END { if (n) printf "%d %d\n", x / n, y / n }'
