#!/usr/bin/env bash
# A new user's run of the real game in another language, chosen by LANG
# alone (the machine need not have that locale generated), under Xvfb and
# openbox at 640 x 480, where the launch pad and the game draw one to one:
# the intro near its end, the main menu with a lit spot, the start and
# rules panels, a game's title card, the HUD, a ticker notice, a hover hint,
# the putting help, the score card, the quit question's banner, the main
# menu again, the setup and quit panels and the credits. Every screen is
# photographed into OUT for people to look at; the test checks each panel's
# face where the launch pad puts it, that the game's screens show, that
# the new player got the language's name, and that the run ends cleanly.
#   language.sh GAME LANG NAME OUT    e.g. language.sh quendrix de_DE.UTF-8 "Spieler 1" out
set -u
game=$1 lang=$2 name=$3 out=$4
scripts=$(cd "$(dirname "$0")" && pwd)
source "$scripts/common.sh"
e2e_require "$game" xvfb-run openbox xdotool import convert compare
mkdir -p "$out"
rm -f "$out"/*.png
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
settings="$home/config/quendrix/settings.reg"

# Canvas points (640 x 480, drawn one to one): the panels at (150, 177),
# the menu picture (421 x 165 centred in its control) from (128, 164); the
# mean colour of a box of pixels, "r g b"; the panels' face colour, RGB
# (224, 216, 207) within 8. Shared by the run and the checks after it.
cat > "$home/lib.sh" << 'LIB'
panel() { echo "$((150 + $1)) $((177 + $2))"; }
spot() { echo "$((128 + $1)) $((164 + $2))"; }
mean() {
  convert "$1" -crop "$4x$5+$2+$3" +repage \
    -format "%[fx:int(255*mean.r)] %[fx:int(255*mean.g)] %[fx:int(255*mean.b)]" info:
}
face() {
  read -r r g b <<< "$1"
  [ $((r > 224 ? r - 224 : 224 - r)) -le 8 ] && [ $((g > 216 ? g - 216 : 216 - g)) -le 8 ] &&
    [ $((b > 207 ? b - 207 : 207 - b)) -le 8 ]
}
LIB
source "$home/lib.sh"

cat > "$home/inner.sh" << INNER
#!/usr/bin/env bash
unset LANGUAGE LC_ALL LC_MESSAGES
export LANG="$lang"
export XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" SDL_AUDIODRIVER=dummy
openbox > /dev/null 2>&1 &
sleep 1
xdotool mousemove 0 0
"$game" > "$out/game.log" 2>&1 &
pid=\$!
source "$home/lib.sh"
shot() { sleep "\${2:-1.2}"; import -window root "$out/\$1.png"; }
# A panel's shot, once the panel change is over and its face shows.
pshot() {
  sleep 1
  for i in \$(seq 1 20); do
    import -window root "$out/\$1.png"
    face "\$(mean "$out/\$1.png" 526 180 2 40)" && break
    sleep 0.5
  done
  sleep 0.2
}
click() { xdotool mousemove \$1 \$2; sleep 0.2; xdotool click 1; }
key() { for k in "\$@"; do xdotool key "\$k"; sleep 0.15; done; }
# The intro's closing picture: the logo clip (3 s) and the intro (10 s)
# after the window's still moment of 1.5 s; the intro ends by itself.
shot intro1 13.0
shot intro2 0.6
pshot menu
xdotool mousemove \$(spot 148 102)
shot hover 0.6
click \$(spot 148 102)                      # play
pshot start
click \$(panel 326 56)                      # rules
pshot rules
click \$(panel 335 123)                     # rules OK
sleep 1.5
click \$(panel 326 95)                      # launch
shot title 4
key space                                  # the title card gives way to play
shot hud 1.5
key F8                                     # the putt style's notice
shot ticker 0.8
key F8
sleep 4                                    # the ticker runs out
"$scripts/walk_pointer.sh" 320 240 28 88   # over the panel's first button
shot hint 0.5
key F1
shot help 0.8
key Escape
sleep 0.5
key End
shot scorecard 0.8
key space
sleep 0.5
key Escape                                 # the quit question's banner
shot banner 0.4
key Return
pshot back
click \$(spot 230 100)                      # setup
pshot setup
key Escape                                 # back, changing nothing
sleep 1.5
click \$(spot 210 120)                      # quit
pshot quit
click \$(panel 137 93)                      # leave: the credits play
shot credits 8
xdotool key space
for i in \$(seq 1 30); do kill -0 \$pid 2> /dev/null || break; sleep 0.1; done
if kill -0 \$pid 2> /dev/null; then echo "the game did not end"; kill \$pid; exit 1; fi
wait \$pid
INNER
chmod +x "$home/inner.sh"
xvfb-run -a -s "-screen 0 640x480x24" "$home/inner.sh"
status=$?
fail=0
[ $status = 0 ] || { echo "the game ended with status $status"; cat "$out/game.log"; fail=1; }

bright() { convert "$1" -colorspace Gray -format '%[fx:mean > 0.02 ? 1 : 0]' info:; }
differ() { [ "$(compare -metric AE "$1" "$2" null: 2>&1)" != 0 ]; }
for shot in menu start rules back setup quit; do
  [ -f "$out/$shot.png" ] || { echo "no $shot screenshot"; fail=1; continue; }
  face "$(mean "$out/$shot.png" 526 180 2 40)" || { echo "$shot: no panel face"; fail=1; }
done
for shot in title hud help scorecard banner credits; do
  [ -f "$out/$shot.png" ] && [ "$(bright "$out/$shot.png")" = 1 ] || { echo "$shot: black"; fail=1; }
done
[ "$(bright "$out/intro1.png")" = 1 ] || [ "$(bright "$out/intro2.png")" = 1 ] ||
  { echo "the intro is black near its end"; fail=1; }
for shot in title ticker hint help scorecard banner; do
  [ -f "$out/$shot.png" ] && differ "$out/hud.png" "$out/$shot.png" ||
    { echo "$shot looks like the plain HUD"; fail=1; }
done
grep -q -i "error" "$out/game.log" && { echo "errors:"; cat "$out/game.log"; fail=1; }
# The new player's name, stored at the launch, is the language's.
value() { grep -A1 -F "\\$1]" "$settings" | tail -1; }
[ "$(value 'Player 1')" = "\"Player 1\"=\"$name\"" ] || { echo "player 1: $(value 'Player 1')"; fail=1; }
exit $fail
