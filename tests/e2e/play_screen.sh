#!/usr/bin/env bash
# Starts the game on a fresh settings file at the given game width (640 or
# 1024) on an X display of SCREEN pixels (WxH), under openbox or with no
# window manager at all (WM "none", as a kiosk runs it), launches a game
# from the launch pad by keys, leaves the title card with a click, pulls a
# putt with xdotool, leaves the game with Esc then Enter and quits the
# launch pad with Esc then Enter. Screenshots land in OUT for people to look at; the test checks that
# each shows what it should, that the picture fills the screen as far as its
# aspect allows (centred, black bars only beside it), and that the game ends.
#   play_screen.sh GAME WIDTH SCREEN WM OUT
set -u
game=$1 width=$2 screen=$3 wm=$4 out=$5
sw=${screen%x*} sh=${screen#*x}
# Where the picture should lie: scale = min(sw / w, sh / h), centred.
height=$((width * 3 / 4))
if [ $((sw * height)) -le $((sh * width)) ]; then
  pw=$sw ph=$(( (2 * height * sw + width) / (2 * width) ))
else
  ph=$sh pw=$(( (2 * width * sh + height) / (2 * height) ))
fi
px=$(( (sw - pw) / 2 )) py=$(( (sh - ph) / 2 ))
bin=$(dirname "$game")
[ -f "$bin/course1hole1.dxg" ] || { echo "no hole data beside $game: skipped"; exit 77; }
for tool in xvfb-run xdotool import convert; do
  command -v "$tool" > /dev/null || { echo "$tool missing: skipped"; exit 77; }
done
mkdir -p "$out"
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/config/quendrix"
# Stored settings: the chosen screen, sound off (Xvfb has no audio).
key='HKEY_CURRENT_USER\Software\Tarn Works\Quendrix v1.0jc'
{
  echo 'Windows Registry Editor Version 5.00'
  for v in "RunOnce=1" "Screen $width=1" "Fast Writes=1" "Pull 1=1" "Pull Putt=1" \
    "Skip Intro=1"; do
    name=${v%=*}
    printf '\n[%s\\%s]\n"%s"=dword:%08x\n' "$key" "$name" "$name" "${v##*=}"
  done
  printf '\n; end of settings\n'
} > "$home/config/quendrix/settings.reg"

# Where the ball is in a screenshot, the panel in the picture's top left
# corner left out.
scripts=$(cd "$(dirname "$0")" && pwd)
ball_at="$scripts/ball_at.sh"
panel_right=$((px + 300 * pw / width)) panel_bottom=$((py + 112 * ph / height))
cat > "$home/ball_at.sh" << BALL
#!/usr/bin/env bash
"$ball_at" "\$1" $panel_right $panel_bottom
BALL
chmod +x "$home/ball_at.sh"

cat > "$home/inner.sh" << INNER
#!/usr/bin/env bash
export XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" SDL_AUDIODRIVER=dummy
[ "$wm" = none ] || { $wm > /dev/null 2>&1 & sleep 1; }
"$game" > "$out/game.log" 2>&1 &
pid=\$!
sleep 2.5
# The pointer off the menu picture, where the keys' selection would start.
# (On a bare X server it moves only once a window is there.)
xdotool mousemove 0 0
sleep 0.3
# The launch pad: play, then the start panel's launch button.
xdotool key Down; sleep 0.2; xdotool key Return; sleep 1.5; xdotool key Return
sleep 4
import -window root "$out/title.png"
xdotool click 1
sleep 2
import -window root "$out/play.png"
# The pointer is in the middle; walk it to the ball in steps too small for
# pointer acceleration, press, and drag down and right.
read bx by <<< "\$("$home/ball_at.sh" "$out/play.png")"
"$scripts/walk_pointer.sh" $((sw / 2)) $((sh / 2)) \$bx \$by
xdotool mousedown 1
for i in \$(seq 1 15); do xdotool mousemove_relative -- 2 3; sleep 0.03; done
sleep 0.5
import -window root "$out/aim.png"
xdotool mouseup 1
sleep 0.4
import -window root "$out/putt.png"
sleep 4
import -window root "$out/rest.png"
xdotool key Escape
sleep 0.5
xdotool key Return
# Back on the launch pad: Esc opens the quit panel, Enter quits.
sleep 2
import -window root "$out/launchpad.png"
xdotool key Escape
sleep 1.5
xdotool key Return
for i in \$(seq 1 50); do kill -0 \$pid 2> /dev/null || break; sleep 0.1; done
if kill -0 \$pid 2> /dev/null; then echo "the game did not end on Esc, Enter"; kill \$pid; exit 1; fi
wait \$pid
INNER
chmod +x "$home/inner.sh"
if [ "$wm" != none ]; then
  command -v "$wm" > /dev/null || { echo "$wm missing: skipped"; exit 77; }
fi
xvfb-run -a -s "-screen 0 ${sw}x${sh}x24" "$home/inner.sh" || { cat "$out/game.log"; exit 1; }

fail=0
mean() { convert "$1" -colorspace Gray -format '%[fx:mean]' info:; }
# The title card shows on black; play shows the course, brighter overall.
title=$(mean "$out/title.png") play=$(mean "$out/play.png")
awk -v t="$title" 'BEGIN { exit !(t > 0.01) }' || { echo "title card is black"; fail=1; }
awk -v p="$play" -v t="$title" 'BEGIN { exit !(p > t) }' || {
  echo "play ($play) not brighter than the title card ($title)"; fail=1; }
# Aiming draws the putter and gauge: the picture changes.
[ "$(compare -metric AE "$out/play.png" "$out/aim.png" null: 2>&1)" != 0 ] ||
  { echo "nothing drawn while aiming"; fail=1; }
# The putt moved the ball.
source "$scripts/common.sh"
e2e_ball_moved "$out/play.png" "$out/rest.png" $panel_right $panel_bottom || fail=1
size=$(identify -format '%wx%h' "$out/play.png")
[ "$size" = "$screen" ] || { echo "screen is $size"; fail=1; }
# What is not black in play: the course over the whole picture.
read tw th tx ty <<< "$(convert "$out/play.png" -fuzz 3% -trim -format '%w %h %X %Y' info:)"
tx=${tx#+} ty=${ty#+}
near() { [ $(( $1 > $2 ? $1 - $2 : $2 - $1 )) -le 2 ]; }
if ! { near "$tw" "$pw" && near "$th" "$ph" && near "$tx" "$px" && near "$ty" "$py"; }; then
  echo "the picture covers ${tw}x${th}+${tx}+${ty} of the screen, not ${pw}x${ph}+${px}+${py}"
  fail=1
fi
exit $fail
