#!/usr/bin/env bash
# A new user's whole run of the real game under Xvfb and openbox, driven
# with xdotool: the logo clip, skipped; the launch pad, the start panel with
# two players named, a game launched (its title card), Esc Enter back to
# the main menu, the setup panel changed and OK'd, quitting and the credits;
# once with the mouse, once by keys only (which ticks "Пропуск интро": no
# credits then, and a second start shows no intro). Every panel is photographed; the test checks each panel's face
# where the launch pad puts it, the menu's lit spot, the title card, the
# settings file after the run and the exit status.
#   launchpad.sh GAME MODE WIDTH OUT     MODE: mouse or keys
set -u
game=$1 mode=$2 width=$3 out=$4
height=$((width * 3 / 4))
bin=$(dirname "$game")
[ -f "$bin/course1hole1.dxg" ] || { echo "no hole data beside $game: skipped"; exit 77; }
for tool in xvfb-run openbox xdotool import convert; do
  command -v "$tool" > /dev/null || { echo "$tool missing: skipped"; exit 77; }
done
mkdir -p "$out"
rm -f "$out"/*.png
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
settings="$home/config/quendrix/settings.reg"

# Canvas geometry and the colour checks, shared by the run inside the X
# server (which waits for panels) and the checks after it.
cat > "$home/lib.sh" << 'LIB'
# The launch pad draws at 640 x 480 (the full-screen interface of a new
# user), scaled onto the screen: canvas point -> screen point.
scale=$(awk -v w="$width" -v h="$height" 'BEGIN { s = w / 640; if (h / 480 < s) s = h / 480; print s }')
sx() { awk -v v="$1" -v s="$scale" -v w="$width" 'BEGIN { printf "%d", (w - 640 * s) / 2 + v * s }'; }
sy() { awk -v v="$1" -v s="$scale" -v h="$height" 'BEGIN { printf "%d", (h - 480 * s) / 2 + v * s }'; }
# Panels sit at (150, 177) of the canvas; the menu picture (421 x 165,
# centred in its 367 x 122 control at (5, 8)) starts at (128, 164).
panel() { echo "$(sx $((150 + $1))) $(sy $((177 + $2)))"; }
spot() { echo "$(sx $((128 + $1))) $(sy $((164 + $2)))"; }

# The mean colour of a box of canvas pixels, "r g b".
mean() {  # mean PICTURE X Y W H
  local x y w h
  x=$(sx "$2") y=$(sy "$3")
  w=$(awk -v v="$4" -v s="$scale" 'BEGIN { printf "%d", v * s }')
  h=$(awk -v v="$5" -v s="$scale" 'BEGIN { printf "%d", v * s }')
  convert "$1" -crop "${w}x${h}+${x}+${y}" +repage \
    -format "%[fx:int(255*mean.r)] %[fx:int(255*mean.g)] %[fx:int(255*mean.b)]" info:
}
face() {  # face "r g b": the panels' face colour, RGB (224, 216, 207)
  read -r r g b <<< "$1"
  [ $((r > 224 ? r - 224 : 224 - r)) -le 8 ] && [ $((g > 216 ? g - 216 : 216 - g)) -le 8 ] &&
    [ $((b > 207 ? b - 207 : 207 - b)) -le 8 ]
}
LIB
export width height
source "$home/lib.sh"

cat > "$home/inner.sh" << INNER
#!/usr/bin/env bash
export XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" SDL_AUDIODRIVER=dummy
openbox > /dev/null 2>&1 &
sleep 1
xdotool mousemove 0 0
"$game" > "$out/game.log" 2>&1 &
pid=\$!
width=$width height=$height
source "$home/lib.sh"
shot() { sleep "\${2:-1.2}"; import -window root "$out/\$1.png"; }
# A panel's shot: taken once the panel change has ended and the panel's
# face shows (a loaded machine draws the change slower), within 8 s.
pshot() {
  sleep 1
  for i in \$(seq 1 16); do
    import -window root "$out/\$1.png"
    face "\$(mean "$out/\$1.png" 526 180 2 40)" && break
    sleep 0.5
  done
  sleep 0.2
}
click() { xdotool mousemove \$1 \$2; sleep 0.2; xdotool click 1; }
key() { for k in "\$@"; do xdotool key "\$k"; sleep 0.15; done; }
# A new user's first start plays the maker's logo after a still moment.
shot intro 3
# A click (or a key) skips the intro clips.
if [ "$mode" = mouse ]; then xdotool mousemove 0 0 click 1; else xdotool mousemove 0 0 key space; fi
pshot menu
if [ "$mode" = mouse ]; then
  xdotool mousemove $(spot 148 102)
  shot hover 0.6
  click $(spot 148 102)                      # play
  pshot start
  click $(panel 54 27); sleep 0.5; key Down Return   # players: "2 Игрока"
  click $(panel 108 80)                      # player 1's name
  key End $(printf 'BackSpace %.0s' 1 2 3 4 5 6 7 8 9 10 11); xdotool type Anna
  click $(panel 78 55)                       # tab "2"
  click $(panel 108 80)
  key End $(printf 'BackSpace %.0s' 1 2 3 4 5 6 7 8 9 10 11); xdotool type Boris
  shot typed 0.5
  click $(panel 326 56)                      # "Настроить игру"
  pshot rules
  click $(panel 335 123)                     # rules "Ок"
  sleep 1.5
  click $(panel 326 95)                      # "Играть"
  shot title 4
  xdotool click 1; sleep 1                   # the title card gives way to play
  key Escape Return
  pshot back
  click $(spot 230 100)                      # setup
  pshot setup
  click $(panel 22 78)                       # "Быстрая запись" off
  click $(panel 335 123)                     # "Ок"
  sleep 1.5
  click $(spot 210 120)                      # quit
  pshot quit
  click $(panel 137 93)                      # "Уйти"
else
  key Down Return                            # play
  pshot start
  key Tab Right Tab Tab Tab Tab              # "2 Игрока", then player 1's name
  key End $(printf 'BackSpace %.0s' 1 2 3 4 5 6 7 8 9 10 11); xdotool type Anna
  key Return shift+Tab Right Tab             # tab "2", its name
  key End $(printf 'BackSpace %.0s' 1 2 3 4 5 6 7 8 9 10 11); xdotool type Boris
  key Return
  key Tab Tab Tab Tab Tab Return             # past "Игрок": "Настроить игру"
  pshot rules
  key Escape                                 # back to the start panel
  sleep 1.5
  key Return                                 # launch
  shot title 4
  key space; sleep 1
  key Escape Return
  pshot back
  key Down Down Down Return                  # setup
  pshot setup
  key Tab Tab Tab Tab Tab Tab Tab Right      # frames: "30ф/с"
  key Tab Tab space                          # "Пропуск интро"
  key Return                                 # OK
  sleep 1.5
  key Escape                                 # the quit panel
  pshot quit
  key Return
fi
if [ "$mode" = mouse ]; then
  shot credits 3                             # the credits play, then a key ends them
  xdotool key space
fi
# With "Skip Intro" (ticked in keys mode) there are no credits: it ends now.
for i in \$(seq 1 30); do kill -0 \$pid 2> /dev/null || break; sleep 0.1; done
if kill -0 \$pid 2> /dev/null; then echo "the game did not end"; kill \$pid; exit 1; fi
wait \$pid || exit \$?
if [ "$mode" = keys ]; then
  # Started again with "Skip Intro": no intro, the launch pad at once.
  "$game" >> "$out/game.log" 2>&1 &
  pid=\$!
  pshot skipped
  key Escape; sleep 1.5; key Return
  for i in \$(seq 1 30); do kill -0 \$pid 2> /dev/null || break; sleep 0.1; done
  if kill -0 \$pid 2> /dev/null; then echo "the second run did not end"; kill \$pid; exit 1; fi
  wait \$pid
fi
INNER
chmod +x "$home/inner.sh"
xvfb-run -a -s "-screen 0 ${width}x${height}x24" "$home/inner.sh"
status=$?
fail=0
[ $status = 0 ] || { echo "the game ended with status $status"; cat "$out/game.log"; fail=1; }

# Not black: the logo clip 3 s in; the credits.
bright() { convert "$1" -colorspace Gray -format '%[fx:mean > 0.02 ? 1 : 0]' info:; }
shots="menu start rules back setup quit"
if [ "$mode" = mouse ]; then
  [ "$(bright "$out/credits.png")" = 1 ] || { echo "the credits are black"; fail=1; }
  face "$(mean "$out/credits.png" 526 180 2 40)" && { echo "no credits over the launch pad"; fail=1; }
else
  shots="$shots skipped"
fi
[ "$(bright "$out/intro.png")" = 1 ] || { echo "the logo clip is black 3 s in"; fail=1; }
face "$(mean "$out/intro.png" 526 180 2 40)" && { echo "the launch pad came before the intro"; fail=1; }
for shot in $shots; do
  [ -f "$out/$shot.png" ] || { echo "no $shot screenshot"; fail=1; continue; }
  # A strip of bare face along the panel's right edge (no control there).
  face "$(mean "$out/$shot.png" 526 180 2 40)" || {
    echo "$shot: no panel face at (526, 180): $(mean "$out/$shot.png" 526 180 2 40)"; fail=1; }
done
# The main menu shows its picture, not an empty panel; after the game too.
for shot in menu back; do
  [ -f "$out/$shot.png" ] && face "$(mean "$out/$shot.png" 250 230 120 40)" && {
    echo "$shot: no menu picture"; fail=1; }
done
differ() { [ "$(compare -metric AE "$1" "$2" null: 2>&1)" != 0 ]; }
if [ "$mode" = mouse ]; then
  # The ball of "play" lights up under the pointer.
  [ "$(mean "$out/menu.png" 266 256 20 20)" != "$(mean "$out/hover.png" 266 256 20 20)" ] ||
    { echo "the play spot does not light up"; fail=1; }
fi
for pair in "menu start" "start rules" "start setup" "setup quit"; do
  set -- $pair
  [ -f "$out/$1.png" ] && [ -f "$out/$2.png" ] && { differ "$out/$1.png" "$out/$2.png" ||
    { echo "$1 and $2 look the same"; fail=1; }; }
done
# The game's title card covers the launch pad.
[ -f "$out/title.png" ] && face "$(mean "$out/title.png" 526 180 2 40)" &&
  { echo "the title card did not show"; fail=1; }

# The settings file: the names (written at the launch) and the setup change.
value() { grep -A1 -F "\\$1]" "$settings" | tail -1; }
[ -f "$settings" ] || { echo "no settings file"; exit 1; }
[ "$(value 'Player 1')" = '"Player 1"="Anna"' ] || { echo "player 1: $(value 'Player 1')"; fail=1; }
[ "$(value 'Player 2')" = '"Player 2"="Boris"' ] || { echo "player 2: $(value 'Player 2')"; fail=1; }
[ "$(value 'Players')" = '"Players"=dword:00000001' ] || { echo "players: $(value 'Players')"; fail=1; }
if [ "$mode" = mouse ]; then
  [ "$(value 'Fast Writes')" = '"Fast Writes"=dword:00000000' ] ||
    { echo "fast writes: $(value 'Fast Writes')"; fail=1; }
else
  [ "$(value 'Frame Skip')" = '"Frame Skip"=dword:00000001' ] ||
    { echo "frame skip: $(value 'Frame Skip')"; fail=1; }
  [ "$(value 'Skip Intro')" = '"Skip Intro"=dword:00000001' ] ||
    { echo "skip intro: $(value 'Skip Intro')"; fail=1; }
fi
exit $fail
