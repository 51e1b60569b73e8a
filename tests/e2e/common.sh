# Shared steps of the runs of the real game under Xvfb (sourced).

# Skips the run (status 77) when the game has no hole data beside it or a
# tool is missing:  e2e_require GAME TOOL...
e2e_require() {
  local game=$1 tool
  shift
  [ -f "$(dirname "$game")/course1hole1.dxg" ] || { echo "no hole data beside $game: skipped"; exit 77; }
  for tool in "$@"; do
    command -v "$tool" > /dev/null || { echo "$tool missing: skipped"; exit 77; }
  done
}

# Inside the X server: starts openbox and then the game for a new user
# whose folders lie under HOME (no sound device), the pointer in the top
# left corner, its output in OUT/game.log; its process id in $pid.
#   e2e_start_game GAME HOME OUT
e2e_start_game() {
  export XDG_CONFIG_HOME="$2/config" XDG_DATA_HOME="$2/data" SDL_AUDIODRIVER=dummy
  openbox > /dev/null 2>&1 &
  sleep 1
  xdotool mousemove 0 0
  "$1" > "$3/game.log" 2>&1 &
  pid=$!
}

# Leaves a game for the launch pad (Esc, Enter), then quits as
# e2e_quit_launchpad does.  e2e_leave_and_quit PID
e2e_leave_and_quit() {
  xdotool key Escape; sleep 0.5; xdotool key Return
  sleep 2
  e2e_quit_launchpad "$1"
}

# Quits the launch pad (Esc, Enter), skips the credits with a key if they
# play, and waits up to eight seconds for the program to end; status 1, and
# the program killed, when it did not.  e2e_quit_launchpad PID
e2e_quit_launchpad() {
  local pid=$1 i
  xdotool key Escape; sleep 1.5; xdotool key Return
  for i in $(seq 1 80); do
    kill -0 "$pid" 2> /dev/null || break
    [ $((i % 20)) = 0 ] && xdotool key space
    sleep 0.1
  done
  if kill -0 "$pid" 2> /dev/null; then
    kill "$pid"
    return 1
  fi
  wait "$pid" 2> /dev/null
  return 0
}

# Pulls a putt from the middle of the screen W x H, where the pointer
# stands once the title card has gone: walks the pointer to the ball of
# the screenshot PNG (the panel in its top left corner, 300 x 112 of a
# 640 x 480 picture scaled to the screen, left out), presses, drags down
# and right, releases.  e2e_putt PNG W H
e2e_putt() {
  local dir bx by i
  dir=$(dirname "${BASH_SOURCE[0]}")
  read -r bx by <<< "$("$dir/ball_at.sh" "$1" $(($2 * 300 / 640)) $(($3 * 112 / 480)))"
  "$dir/walk_pointer.sh" $(($2 / 2)) $(($3 / 2)) $bx $by
  xdotool mousedown 1
  for i in $(seq 1 15); do xdotool mousemove_relative -- 2 3; sleep 0.03; done
  xdotool mouseup 1
}

# Makes OUT (its files matching GLOB from an earlier run removed) and a
# scratch folder $home, removed when the run ends.  e2e_start OUT GLOB
e2e_start() {
  mkdir -p "$1"
  rm -f "$1"/$2
  home=$(mktemp -d)
  trap 'rm -rf "$home"' EXIT
}

# Whether the ball moved between two screenshots of play (the panel's
# corner left out as ball_at.sh does); says what is wrong and fails when
# not.  e2e_ball_moved BEFORE AFTER PANEL_RIGHT PANEL_BOTTOM
e2e_ball_moved() {
  local dir bx by rx ry
  dir=$(dirname "${BASH_SOURCE[0]}")
  read -r bx by <<< "$("$dir/ball_at.sh" "$1" "$3" "$4")"
  read -r rx ry <<< "$("$dir/ball_at.sh" "$2" "$3" "$4")"
  if [ -z "${bx:-}" ]; then
    echo "no ball on the play screen"
    return 1
  fi
  if [ -n "${rx:-}" ] && [ $(((rx - bx) * (rx - bx) + (ry - by) * (ry - by))) -lt 100 ]; then
    echo "the ball did not move: ($bx, $by) -> ($rx, $ry)"
    return 1
  fi
}
