#!/usr/bin/env bash
# The real game on damaged data, under Xvfb and openbox, driven with
# xdotool. Each data file in turn is removed, cut to half its length, and
# replaced by noise of the same name; the game is driven to where it loads
# that file and must either tell the player what is wrong in its error box
# (the text is checked) or go on without the file; it never crashes or
# hangs, ends with status 0 when quit, and the settings file the player had
# stays byte for byte as it was.
#
# The files the play screen loads (the first hole's three files, "gui.dxg",
# "menu.dxg", "sound.dxw", a skin bitmap) and the animations (loaded again
# at every panel change and every return to the launch pad) are damaged one
# after another in a single run of the game, between launches. Those read
# once at start ("menu.dxw", "launchpad.dxg", the ball textures listed at
# start) and the clips get a run each.
#   damaged_data.sh GAME SPY OUT     SPY: the message-box spy library
set -u
game=$1 spy=$2 out=$3
bin=$(dirname "$game")
[ -f "$bin/course1hole1.dxg" ] || { echo "no hole data beside $game: skipped"; exit 77; }
for tool in xvfb-run openbox xdotool xwininfo import perl; do
  command -v "$tool" > /dev/null || { echo "$tool missing: skipped"; exit 77; }
done
if [ -z "${QUENDRIX_DAMAGED_IN_X:-}" ]; then
  QUENDRIX_DAMAGED_IN_X=1 exec xvfb-run -a -s "-screen 0 640x480x24" "$0" "$@"
fi

mkdir -p "$out"
rm -f "$out"/*.log "$out"/*.png
home=$(mktemp -d)
pid=
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2> /dev/null
  [ -n "${wm:-}" ] && kill "$wm" 2> /dev/null
  rm -rf "$home"
}
trap cleanup EXIT
export XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" SDL_AUDIODRIVER=dummy
export QUENDRIX_MESSAGE_LOG="$home/messages.log"
settings="$home/config/quendrix/settings.reg"
openbox > /dev/null 2>&1 &
wm=$!
# The pointer off the menu picture, where the keys' selection starts (an
# error box gives the game the pointer's place when it closes).
sleep 0.5
xdotool mousemove 0 0

# The game and a data folder of links to the build's data; a damaged file
# replaces its link. The program is a hard link (a copy across file
# systems), so that it takes this folder as its data folder.
dir="$home/game"
mkdir -p "$dir/skins" "$dir/textures"
ln "$game" "$dir/quendrix" 2> /dev/null || cp "$game" "$dir/quendrix"
for f in "$bin"/*.dxg "$bin"/*.dxw "$bin"/*.hole "$bin"/*.flc "$bin"/*.avi; do
  ln -s "$f" "$dir/"
done
for f in "$bin"/textures/*; do ln -s "$f" "$dir/textures/"; done
for s in "$bin"/skins/*; do
  mkdir -p "$dir/skins/$(basename "$s")"
  for f in "$s"/*; do ln -s "$f" "$dir/skins/$(basename "$s")/"; done
done
# The same noise every run, so that a failure can be repeated.
perl -e 'srand(18); print map { chr(int(rand(256))) } 1 .. 65536' > "$home/noise"

damage() {  # damage FILE MODE      MODE: removed, half or noise
  rm -f "$dir/$1"
  case $2 in
    half) head -c $(($(stat -L -c %s "$bin/$1") / 2)) "$bin/$1" > "$dir/$1" ;;
    noise) cp "$home/noise" "$dir/$1" ;;
  esac
}
restore() { rm -f "$dir/$1"; ln -s "$bin/$1" "$dir/$1"; }

# Stored settings of a player who has played before: the skin "meadow",
# sound on, and the given "Skip Intro" and "No Flip Interface".
write_settings() {  # write_settings SKIP_INTRO NO_FLIP
  local key='HKEY_CURRENT_USER\Software\Tarn Works\Quendrix v1.0jc' v name
  mkdir -p "$(dirname "$settings")"
  {
    echo 'Windows Registry Editor Version 5.00'
    for v in "RunOnce=1" "Screen 640=1" "Fast Writes=1" "Pull Putt=1" "Pull 1=1" "Sound=1" \
      "Background Sounds=1" "Full Screen Interface=1" "Skip Intro=$1" "No Flip Interface=$2" \
      "Players=1"; do
      name=${v%=*}
      printf '\n[%s\\%s]\n"%s"=dword:%08x\n' "$key" "$name" "$name" "${v##*=}"
    done
    printf '\n[%s\\skin]\n"skin"="meadow"\n' "$key"
    printf '\n[%s\\Player 2]\n"Player 2"="Boris"\n' "$key"
    printf '\n; end of settings\n'
  } > "$settings"
}

fail=0
failures=0
# A failure is told with a screenshot of the moment, for people to look at.
problem() {
  failures=$((failures + 1))
  echo "FAIL $case: $* (screen: failure$failures.png)"
  import -window root "$out/failure$failures.png" 2> /dev/null
  fail=1
}
# A window whose name matches PATTERN (a regular expression): its id, or
# nothing. (xdotool's search misses SDL's message box, which has no class.)
shown() {
  xwininfo -root -tree 2> /dev/null |
    awk -v p="$1" 'match($0, /^ *0x[0-9a-f]+ "/) { id = $1; sub(/^ *0x[0-9a-f]+ "/, "");
      sub(/": .*$/, ""); if ($0 ~ p) { print id; exit } }'
}
# Waits up to SECONDS for a window whose name matches; its id, or nothing.
await() {  # await PATTERN SECONDS
  local i
  for i in $(seq 1 $((${2%.*} * 10))); do
    w=$(shown "$1")
    [ -n "$w" ] && { echo "$w"; return 0; }
    kill -0 "$pid" 2> /dev/null || return 1
    sleep 0.1
  done
  return 1
}
key() { for k in "$@"; do xdotool key "$k"; sleep 0.15; done; }
# The launch pad draws at 640 x 480; its panels sit at (150, 177).
click_panel() { xdotool mousemove $((150 + $1)) $((177 + $2)); sleep 0.1; xdotool click 1; sleep 0.1
  xdotool mousemove 0 0; }
seen=0  # lines of the message log already taken
# The error box: waits up to SECONDS for one; EXPECT "-" means none may
# come, else its text must hold EXPECT. A box that shows is closed with
# Enter, as a player would.
error_box() {  # error_box EXPECT SECONDS
  local w text
  w=$(await '^Quendrix$' "$2")
  if [ -z "$w" ]; then
    kill -0 "$pid" 2> /dev/null || { problem "the game died (box awaited)"; return 1; }
    [ "$1" = - ] || problem "no error box, expected \"$1\""
    return 0
  fi
  sleep 0.2
  text=$(tail -n +$((seen + 1)) "$QUENDRIX_MESSAGE_LOG" 2> /dev/null | head -1)
  seen=$((seen + 1))
  echo "  $case: box \"$text\""
  if [ "$1" = - ]; then
    problem "unexpected error box \"$text\""
  elif [[ "$text" != *"$1"* ]]; then
    problem "error box \"$text\", expected \"$1\""
  fi
  xdotool windowactivate --sync "$w" 2> /dev/null
  xdotool key Return
  for _ in $(seq 1 30); do [ -z "$(shown '^Quendrix$')" ] && return 0; sleep 0.1; done
  problem "the error box does not close"
  xdotool windowkill "$w"
}
start_game() {
  seen=0
  : > "$QUENDRIX_MESSAGE_LOG"
  cp "$settings" "$home/settings.before"
  LD_PRELOAD="$spy" "$dir/quendrix" >> "$out/game.log" 2>&1 &
  pid=$!
}
# Quits from the launch pad's main menu (Esc, Enter) and checks the end.
quit_game() {
  local status
  key Escape
  sleep 0.4
  key Return
  [ "${1:-}" = credits ] && { error_box "${2:--}" 3; key space; }
  for _ in $(seq 1 50); do kill -0 "$pid" 2> /dev/null || break; sleep 0.1; done
  if kill -0 "$pid" 2> /dev/null; then
    problem "the game did not end"
    kill "$pid"
  fi
  wait "$pid"
  status=$?
  pid=
  [ $status = 0 ] || problem "the game ended with status $status"
  cmp -s "$settings" "$home/settings.before" || problem "the settings file changed"
}
# From the main menu: the start panel (through the panel change), the
# launch; then the game's error box, or its first frames (the recording of
# the game, written frame by frame, says so), left with Esc Enter.
replays="$XDG_DATA_HOME/quendrix/replays"
launch() {  # launch EXPECT
  local i box= playing=
  rm -f "$replays"/*
  # Keys wait in the queue while the panel change plays; Enter on the
  # start panel launches.
  key Down Return Return
  for i in $(seq 1 $((load_wait * 10))); do
    [ -n "$(shown '^Quendrix$')" ] && { box=1; break; }
    grep -qs '^f ' "$replays"/* && { playing=1; break; }
    kill -0 "$pid" 2> /dev/null || break
    sleep 0.1
  done
  if [ -n "$playing" ]; then
    [ "$1" = - ] || problem "the game started, expected the error box \"$1\""
    key space  # the title card gives way to play
    sleep 0.3
    key Escape Return
  elif [ -n "$box" ]; then
    error_box "$1" 1
  else
    kill -0 "$pid" 2> /dev/null && problem "neither a game nor an error box" ||
      problem "the game died"
  fi
  await 'LaunchPad$' 5 > /dev/null || problem "no launch pad after the game"
  sleep 0.5
}
expect_for() {  # the box text for a list file damaged by MODE
  case $1 in
    removed) echo "Cannot open file" ;;
    half) echo "Invalid stream format" ;;  # the stream ends inside an item
    noise) echo "Invalid stream format" ;;
  esac
}

# Seconds a game may take to load or fail.
load_wait=${QUENDRIX_DAMAGED_LOAD_SECONDS:-10}
begin=$(date +%s)

# 1. One run, many games: a launch on intact data first, then each file
#    the play screen loads, and the animations, damaged in turn.
case="intact data"
write_settings 1 0
start_game
await 'LaunchPad$' 10 > /dev/null || problem "no launch pad"
sleep 1
launch -
# The settings as the game writes them: every later run must keep them.
cp "$settings" "$home/settings.before"
for file in course1hole1.hole course1hole1.dxg course1hole1.dxw gui.dxg menu.dxg sound.dxw \
  skins/meadow/panel.bmp interface.flc interface_loop.flc; do
  for mode in removed half noise; do
    case="$file $mode"
    damage "$file" "$mode"
    case $file in
      *.hole | *.bmp | *.flc) expect=- ;;  # never fail / optional / the player shows its text
      *.dxg | *.dxw) expect=$(expect_for "$mode") ;;
    esac
    launch "$expect"
    restore "$file"
    kill -0 "$pid" 2> /dev/null || { problem "the game died"; break 2; }
  done
done
case="many games"
[ -n "$pid" ] && quit_game
echo "one run, $(grep -c . "$QUENDRIX_MESSAGE_LOG" 2> /dev/null || echo 0) error boxes: $(($(date +%s) - begin)) s"

# 2. Files read once at start: the menu sounds (the launch pad goes on
#    without them and keeps the stored settings through a launch), the
#    menu picture, a ball texture (listed at start, loaded by "Цвет").
#    The first press of "Цвет" shows the second texture in name order.
texture=textures/$(ls "$bin/textures" | LC_ALL=C sort | sed -n 2p)
for file in menu.dxw launchpad.dxg "$texture"; do
  for mode in removed half noise; do
    case="$file $mode"
    damage "$file" "$mode"
    start_game
    if [ "$file" = menu.dxw ]; then
      error_box "$(expect_for "$mode")" 8
    fi
    await 'LaunchPad$' 10 > /dev/null || problem "no launch pad"
    sleep 1
    case $file in
      menu.dxw) launch - ;;
      textures/*)
        key Down Return
        sleep 1.2  # a click waits for the panel change to end
        click_panel 241 85  # the middle of "Цвет" on the player tab
        if [ "$mode" = removed ]; then error_box - 1; else error_box "Bitmap image is not valid" 3; fi
        key Escape
        sleep 0.3
        ;;
    esac
    [ -n "$pid" ] && quit_game
    restore "$file"
  done
done
echo "start-up files: $(($(date +%s) - begin)) s"

# 3. The clips: the logo clip and the credits damaged together (one at the
#    start of the run, one at its end), the intro clip after the logo. A
#    clip that cannot be opened is reported with the decoder's text; one
#    cut short plays as far as it goes.
write_settings 0 1
for mode in removed half noise; do
  for file in tarn.avi intro.avi; do
    case="$file $mode"
    clip_expect() {
      case $mode in
        removed) echo "$1: No such file or directory" ;;
        half) echo - ;;
        noise) echo "$1: Invalid data found when processing input" ;;
      esac
    }
    damage "$file" "$mode"
    [ "$file" = tarn.avi ] && damage credits.avi "$mode"
    start_game
    # The window waits 1.5 s before the logo clip, which runs about 3 s.
    if [ "$file" = tarn.avi ]; then error_box "$(clip_expect tarn.avi)" 3; else sleep 2.5; fi
    if [ "$file" = intro.avi ]; then error_box "$(clip_expect intro.avi)" 6; fi
    key space
    await 'LaunchPad$' 5 > /dev/null || problem "no launch pad after the intro"
    sleep 1
    if [ "$file" = tarn.avi ]; then
      case="credits.avi $mode"
      quit_game credits "$(clip_expect credits.avi)"
    else
      quit_game credits -
    fi
    restore "$file"
    restore credits.avi
  done
done
echo "all: $(($(date +%s) - begin)) s"
# Damage is the game's to report: FFmpeg's own log stays off.
case="standard error"
grep -m3 '^\[[a-z0-9_]* @ 0x' "$out/game.log" && problem "FFmpeg's log on standard error"
exit $fail
