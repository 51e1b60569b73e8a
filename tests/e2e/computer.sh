#!/usr/bin/env bash
# The computer players in the real game under Xvfb and openbox on a 640 x 480
# screen, a new user's run driven with xdotool.
#   versus: player 2 set to "Мастер" on its tab, a two-player game launched,
#     player 1's first putt pulled with the mouse; the master then thinks,
#     drags and putts by itself (screenshots every quarter second of its
#     turn, for people to look at).
#   alone: frame rate "нет" (no limit: the fastest the machine plays) on the
#     setup panel, player 1 set to "Мастер", course 1 launched and left alone
#     until the final score card, which a key then leaves.
# The test checks the settings file, the recorded replay (the computer's
# presses, releases and drag are pointer and button inputs like anyone's;
# played back without any computer the game goes the same way; alone: nine
# holes played), the screenshots and that the program ends.
#   computer.sh GAME MODE OUT     MODE: versus or alone
set -u
game=$1 mode=$2 out=$3
scripts=$(cd "$(dirname "$0")" && pwd)
source "$scripts/common.sh"
e2e_require "$game" xvfb-run openbox xdotool import convert compare
replay_tool=$(dirname "$game")/quendrix-replay
[ -x "$replay_tool" ] || { echo "no quendrix-replay beside $game: skipped"; exit 77; }
mkdir -p "$out"
rm -f "$out"/*.png "$out"/*.replay
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT

cat > "$home/inner.sh" << INNER
#!/usr/bin/env bash
source "$scripts/common.sh"
e2e_start_game "$game" "$home" "$out"
# The launch pad at 640 x 480: panels at (150, 177), the menu picture's
# spots from (128, 164).
panel() { echo \$((150 + \$1)) \$((177 + \$2)); }
spot() { echo \$((128 + \$1)) \$((164 + \$2)); }
click() { xdotool mousemove \$1 \$2; sleep 0.2; xdotool click 1; sleep 0.3; }
key() { for k in "\$@"; do xdotool key "\$k"; sleep 0.15; done; }
shot() { import -window root "$out/\$1.png"; }
sleep 3
xdotool click 1                              # the logo and intro give way
sleep 2.5
if [ "$mode" = alone ]; then
  click \$(spot 230 100); sleep 2            # setup
  click \$(panel 306 26); key Down Down Down Return   # frames: "нет"
  click \$(panel 335 123); sleep 2           # "Ок"
fi
click \$(spot 148 102); sleep 2              # play
if [ "$mode" = versus ]; then
  click \$(panel 54 27); key Down Return     # "2 Игрока"
  click \$(panel 78 55)                      # tab "2"
fi
click \$(panel 214 121); key Down Down Down Return   # "Игрок": "Мастер"
shot tab
click \$(panel 326 95)                       # "Играть"
if [ "$mode" = versus ]; then
  sleep 4
  xdotool click 1; sleep 1.5                 # a person plays: the title card waits for a click
  shot play
  e2e_putt "$out/play.png" 640 480
  for i in \$(seq -w 10 49); do sleep 0.25; shot "turn\$i"; done
  e2e_leave_and_quit \$pid || { echo "the game did not end on Esc, Enter"; exit 1; }
  exit 0
fi
# Alone: the replay grows as the game goes; once the ninth hole has begun
# (nine title cards closed by the computer with the space bar) and no
# pointer or button input has come for four seconds, the game is over.
replays="$home/data/quendrix/replays"
quiet=0 last=0
for i in \$(seq 1 720); do
  sleep 0.5
  file=\$(ls "\$replays"/*.replay 2> /dev/null | head -1)
  [ -n "\$file" ] || continue
  cards=\$(grep -c '^k 32\$' "\$file")
  inputs=\$(grep -c '^[mdu] ' "\$file")
  if [ "\$inputs" = "\$last" ]; then quiet=\$((quiet + 1)); else quiet=0; last=\$inputs; fi
  [ "\$cards" -ge 9 ] && [ "\$quiet" -ge 8 ] && break
done
shot final
xdotool key space; sleep 2                   # any key leaves the finished game
e2e_quit_launchpad \$pid || { echo "the game did not end on Esc, Enter"; exit 1; }
INNER
chmod +x "$home/inner.sh"
start=$(date +%s)
xvfb-run -a -s "-screen 0 640x480x24" "$home/inner.sh" || { cat "$out/game.log"; exit 1; }
echo "$mode: $(($(date +%s) - start)) s under Xvfb"

fail=0
settings="$home/config/quendrix/settings.reg"
want=$([ "$mode" = versus ] && echo 2 || echo 1)
grep -A1 "Computer $want\]" "$settings" | grep -q '"Computer '"$want"'"=dword:00000003' ||
  { echo "the settings file does not keep player $want as a master"; fail=1; }
replay=$(ls "$home"/data/quendrix/replays/*.replay 2> /dev/null | head -1)
[ -n "$replay" ] || { echo "the game recorded no replay"; cat "$out/game.log"; exit 1; }
cp "$replay" "$out/"
# Played back headless with no computer player, the game goes the same way.
"$replay_tool" "$replay" || { echo "the recorded game plays back otherwise"; fail=1; }

if [ "$mode" = versus ]; then
  # The person's click on the title card and press and release of the putt,
  # then the computer's press and release with its drag between.
  awk '/^d 0$/ { d++ } /^u 0$/ { u++ } /^m / && d == 3 && u == 2 { drag++ }
    END { if (d < 3 || u < 3 || drag < 5) { printf "presses %d, releases %d, drag moves %d\n", d, u, drag; exit 1 } }' \
    "$replay" || { echo "no putt of the computer's in the replay"; fail=1; }
  # Its turn on the screen: the picture changes (the pointer walks, the
  # putter is drawn back, the ball rolls) many times.
  changes=0 previous=
  for shot in "$out"/turn*.png; do
    if [ -n "$previous" ] && [ "$(compare -metric AE "$previous" "$shot" null: 2>&1)" != 0 ]; then
      changes=$((changes + 1))
    fi
    previous=$shot
  done
  [ "$changes" -ge 5 ] || { echo "the screen changed $changes times in the computer's turn"; fail=1; }
else
  # The game was left from its final score card: nine holes scored.
  grep -q '^end ' "$replay" || { echo "the replay has no end"; fail=1; }
  awk '/^score 1 / { for (h = 5; h <= 13; ++h) if ($h == 0) bad = 1; seen = 1 }
    END { exit !(seen && !bad) }' "$replay" ||
    { echo "not every hole was played: $(grep '^score' "$replay")"; fail=1; }
  bright=$(convert "$out/final.png" -colorspace Gray -format '%[fx:mean > 0.02 ? 1 : 0]' info:)
  [ "$bright" = 1 ] || { echo "the final score card is black"; fail=1; }
fi
exit $fail
