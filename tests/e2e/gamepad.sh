#!/usr/bin/env bash
# A new user's first game with a gamepad alone: the real game under Xvfb
# and openbox on a 640 x 480 screen, a virtual game controller plugged into
# it (virtual_pad.c) and no mouse or key used at all. A skips the intro,
# the d-pad and A choose "Играть" and launch, A leaves the title card, the
# left stick walks the pointer to the ball, A held with the stick pulled
# back putts; Start then A leave the game. The screenshots show the ball
# moved and the stroke counted (the HUD changed).
#   gamepad.sh GAME PAD_LIBRARY OUT
set -u
game=$1 library=$2 out=$3
scripts=$(cd "$(dirname "$0")" && pwd)
source "$scripts/common.sh"
e2e_require "$game" xvfb-run openbox xdotool import convert
e2e_start "$out" '*.png'
mkfifo "$home/pad"

cat > "$home/inner.sh" << INNER
#!/usr/bin/env bash
export XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" SDL_AUDIODRIVER=dummy
openbox > /dev/null 2>&1 &
sleep 1
QUENDRIX_TEST_PAD="$home/pad" LD_PRELOAD="$library" "$game" > "$out/game.log" 2>&1 &
pid=\$!
# Read and write, so opening never waits for the game; held open, the pad
# stays plugged in.
exec 3<> "$home/pad"
pad() { echo "\$*" >&3; }
tap() { pad button \$1 1; sleep 0.15; pad button \$1 0; sleep \${2:-0.4}; }
sleep 3
tap a 2                                      # the logo and intro give way
tap down; tap a 1.5                          # "Играть", the start panel
tap a 4                                      # the launch: the title card
tap a 1                                      # the title card gives way
import -window root "$out/play.png"
read bx by <<< "\$("$scripts/ball_at.sh" "$out/play.png" 300 112)"
# The stick at a deflection of 15940 of 32767 moves the pointer about 100
# picture pixels a second: held for distance / 100 seconds along the way.
awk -v dx=\$((bx - 320)) -v dy=\$((by - 240)) 'BEGIN {
  d = sqrt(dx * dx + dy * dy); if (d < 1) d = 1
  printf "%d %d %.3f\n", 15940 * dx / d, 15940 * dy / d, d / 100 }' > "$home/steer"
read sx sy st < "$home/steer"
pad axis leftx \$sx; pad axis lefty \$sy; sleep \$st; pad axis leftx 0; pad axis lefty 0
sleep 0.3
pad button a 1; sleep 0.2                    # take the ball
pad axis lefty 20000; sleep 0.6; pad axis lefty 0
sleep 0.2
import -window root "$out/aim.png"
pad button a 0                               # let go: the putt
sleep 5
import -window root "$out/rest.png"
tap start; tap a 2                           # leave the game
pad button start 1; sleep 0.15; pad button start 0
kill \$pid 2> /dev/null
wait \$pid 2> /dev/null
exit 0
INNER
chmod +x "$home/inner.sh"
xvfb-run -a -s "-screen 0 640x480x24" "$home/inner.sh" || { cat "$out/game.log"; exit 1; }

fail=0
# The play screen's panel in the top left corner: a bright blue, where the
# launch pad shows its dark night sky.
convert "$out/play.png" -crop 290x100+5+5 +repage -format '%[fx:mean.b] %[fx:mean.r]' info: |
  awk '{ exit !($1 > 0.35 && $1 > 2 * $2) }' || { echo "no game on the screen"; fail=1; }
e2e_ball_moved "$out/play.png" "$out/rest.png" 300 112 || fail=1
# Aiming draws the putter and gauge; the stroke count on the panel changes.
[ "$(compare -metric AE "$out/play.png" "$out/aim.png" null: 2>&1)" != 0 ] ||
  { echo "nothing drawn while aiming"; fail=1; }
[ "$(compare -metric AE -extract 300x112+0+0 "$out/play.png" "$out/rest.png" null: 2>&1)" != 0 ] ||
  { echo "the panel shows no stroke"; fail=1; }
exit $fail
