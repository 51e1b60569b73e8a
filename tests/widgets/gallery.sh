#!/usr/bin/env bash
# The widget gallery under Xvfb and openbox, drawn two ways the screen can
# draw a canvas: into a 640x480 render target scaled twice into the window,
# and as the renderer's logical size letterboxed into a wider window. In
# each, the setup panel's face must be where the canvas puts it, and a
# click on the "Фоновый звук" check box must clear its tick.
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
# The middle of the bgsounds box, canvas (274, 118), in window pixels from
# the caller.
xdotool mousemove --window "$wid" "$CLICK_X" "$CLICK_Y" click 1
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

# A 640x480 target scaled by 2 into a 1280x960 window.
CLICK_X=$((2 * 274)) CLICK_Y=$((2 * 118)) xvfb-run -a -s "-screen 0 1400x1050x24" \
  "$out/inner.sh" "$gallery" "$out" target 1280 960 || fail=1
check target 2 0
# Logical size 640x480 in a 1280x800 window: scale 5/3, 107 pixels of black
# on the left.
CLICK_X=$((107 + 274 * 5 / 3)) CLICK_Y=$((118 * 5 / 3)) xvfb-run -a -s "-screen 0 1400x1050x24" \
  "$out/inner.sh" "$gallery" "$out" logical 1280 800 --logical || fail=1
check logical 1.6667 107
exit $fail
