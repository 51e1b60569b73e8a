#!/usr/bin/env bash
# The widget gallery under Xvfb and openbox, on the game's Screen: its
# 640x480 canvas scaled twice into the window, and scaled by 5/3 (the
# sharp step) into a wider one, black on the left and right. In each, the
# setup panel's face must be where the canvas puts it, and a click on the
# "Фоновый звук" check box must clear its tick. On the menu page the
# picture must cover its part of the panel, and pointing at the ball must
# light that spot and no other.
#   gallery.sh GALLERY OUT
set -u
gallery=$1 out=$2
for tool in xvfb-run openbox xdotool import convert; do
  command -v "$tool" > /dev/null || { echo "$tool missing: skipped"; exit 77; }
done
mkdir -p "$out"

cat > "$out/inner.sh" << 'INNER'
#!/usr/bin/env bash
# inner.sh GALLERY OUT NAME WINDOW_W WINDOW_H ARGS...
gallery=$1 out=$2 name=$3 ww=$4 wh=$5; shift 5
openbox > /dev/null 2>&1 &
sleep 1
xdotool mousemove 0 0  # off the window: nothing lit before the move
"$gallery" --window "${ww}x${wh}" "$@" > "$out/$name.log" 2>&1 &
pid=$!
wid=""
for _ in $(seq 50); do
  wid=$(xdotool search --name "Quendrix widgets" 2> /dev/null | head -1)
  [ -n "$wid" ] && break
  sleep 0.1
done
[ -n "$wid" ] || { echo "no window"; kill $pid; exit 1; }
sleep 1.5
import -window "$wid" "$out/$name-before.png"
# A point in window pixels from the caller (the middle of the bgsounds
# box, canvas (274, 118)), clicked unless POINTER is "move".
if [ "${POINTER:-click}" = move ]; then
  xdotool mousemove --window "$wid" "$CLICK_X" "$CLICK_Y"
else
  xdotool mousemove --window "$wid" "$CLICK_X" "$CLICK_Y" click 1
fi
sleep 0.8
import -window "$wid" "$out/$name-after.png"
kill $pid
wait $pid 2> /dev/null
exit 0
INNER
chmod +x "$out/inner.sh"

# The mean colour of a w x h box at (x, y) of a picture, "r g b" in 0 ... 255.
mean() {
  convert "$1" -crop "$4x$5+$2+$3" +repage -format "%[fx:int(255*mean.r)] %[fx:int(255*mean.g)] %[fx:int(255*mean.b)]" info:
}
near() {  # near "r g b" R G B: each channel within 6
  read -r r g b <<< "$1"
  [ $((r > $2 ? r - $2 : $2 - r)) -le 6 ] && [ $((g > $3 ? g - $3 : $3 - g)) -le 6 ] &&
    [ $((b > $4 ? b - $4 : $4 - b)) -le 6 ]
}

fail=0
check() {  # check NAME SCALE LEFT: canvas point (x, y) is window (LEFT + x*SCALE, y*SCALE)
  local name=$1 scale=$2 left=$3
  at() { awk -v v="$1" -v s="$scale" -v o="$2" 'BEGIN { printf "%d", o + v * s }'; }
  box() {  # box PICTURE X Y W H, all canvas pixels
    mean "$1" "$(at "$2" "$left")" "$(at "$3" 0)" "$(at "$4" 0)" "$(at "$5" 0)"
  }
  # The face inside the setup panel, left of its tab boxes, and none of it
  # outside the panel.
  local face outside
  face=$(box "$out/$name-before.png" 131 60 2 6)
  near "$face" 224 216 207 || { echo "$name: setup face is '$face'"; fail=1; }
  outside=$(box "$out/$name-before.png" 40 200 4 4)
  near "$outside" 224 216 207 && { echo "$name: the face spills outside the panel"; fail=1; }
  # The green tick shows inside the box before the click, not after it.
  local before after r g
  before=$(box "$out/$name-before.png" 270 114 10 10)
  after=$(box "$out/$name-after.png" 270 114 10 10)
  read -r r g _ <<< "$before"
  [ $((g - r)) -ge 6 ] || { echo "$name: no tick before the click ($before)"; fail=1; }
  read -r r g _ <<< "$after"
  [ $((g - r)) -le 2 ] || { echo "$name: the tick is still there ($after)"; fail=1; }
}

# Scaled by 2 into a 1280x960 window.
CLICK_X=$((2 * 274)) CLICK_Y=$((2 * 118)) xvfb-run -a -s "-screen 0 1400x1050x24" \
  "$out/inner.sh" "$gallery" "$out" target 1280 960 || fail=1
check target 2 0
# Into a 1280x800 window: 1067x800 (scale 5/3) with 106 pixels of black on
# the left.
CLICK_X=$((106 + 274 * 5 / 3)) CLICK_Y=$((118 * 5 / 3)) xvfb-run -a -s "-screen 0 1400x1050x24" \
  "$out/inner.sh" "$gallery" "$out" sharp 1280 800 || fail=1
check sharp 1.6672 106

# The menu page at 1x: the panel at (150, 177), the picture's control at
# (155, 185), its picture's (27, 21) in the control's corner. The pointer
# goes to the ball, picture (148, 102).
POINTER=move CLICK_X=$((155 + 148 - 27)) CLICK_Y=$((185 + 102 - 21)) \
  xvfb-run -a -s "-screen 0 1024x768x24" \
  "$out/inner.sh" "$gallery" "$out" menu 640 480 --page 2 || fail=1
pic() {  # pic PICTURE X Y W H, in the menu picture's pixels
  mean "$1" $((155 + $2 - 27)) $((185 + $3 - 21)) "$4" "$5"
}
apart() {  # apart "r g b" "r g b": the channel differences' sum
  read -r r g b <<< "$1"
  read -r R G B <<< "$2"
  echo $(((r > R ? r - R : R - r) + (g > G ? g - G : G - g) + (b > B ? b - B : B - b)))
}
menu_before=$out/menu-before.png menu_after=$out/menu-after.png
near "$(mean "$menu_before" 151 240 3 20)" 224 216 207 ||
  { echo "menu: no panel face left of the picture"; fail=1; }
for box in "27 21 367 122" "40 30 60 20" "300 40 60 30"; do
  # shellcheck disable=SC2086
  near "$(pic "$menu_before" $box)" 224 216 207 && { echo "menu: panel face at $box"; fail=1; }
done
# The ball below its ribbon: lit only after the move; the
# training banner (spot 1) stays as it was.
ball=$(apart "$(pic "$menu_before" 140 120 20 10)" "$(pic "$menu_after" 140 120 20 10)")
[ "$ball" -ge 60 ] || { echo "menu: the ball hardly changes under the pointer ($ball)"; fail=1; }
banner=$(apart "$(pic "$menu_before" 220 76 40 8)" "$(pic "$menu_after" 220 76 40 8)")
[ "$banner" -le 9 ] || { echo "menu: the training banner changed too ($banner)"; fail=1; }
exit $fail
