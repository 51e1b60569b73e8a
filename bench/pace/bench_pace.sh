#!/usr/bin/env bash
# The game's pace and power as a player's machine sees them: the real game
# under Xvfb and openbox with SDL's software renderer, a new user's
# settings with the intro skipped. For each screen it measures the CPU use
# of the whole process as a share of one core, from /proc, over ten
# seconds on the idle launch pad and over ten seconds of play at sixty
# frames a second (a putt rolling), beside the limit pace_reference
# measures on the same X server in the same run: one frame's own cost plus
# its present, times the frames a second. It also reports the frame rate
# the game's replay recorded and the delay from input to the frame that
# showed it. Screens: 640 x 480, everything 1:1; 1024 x 768, the full-screen
# interface and the 640 x 480 game stretched onto it.
# Goals: play at most 10 %, the idle launch pad at most 5 %.
set -u
here=$(cd "$(dirname "$0")" && pwd)
game=$here/../bin/quendrix
reference=$here/pace_reference
scripts=@PROJECT_SOURCE_DIR@/tests/e2e
source "$scripts/common.sh"
[ -x "$reference" ] || { echo "bench_pace: no pace_reference beside it, skipped"; exit 0; }
# A skipped run is no failure of the benchmarks.
(e2e_require "$game" xvfb-run openbox xdotool import convert) || exit 0

run_screen() {  # run_screen W H
  local w=$1 h=$2 home
  home=$(mktemp -d)
  cat > "$home/inner.sh" << INNER
#!/usr/bin/env bash
export XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" SDL_AUDIODRIVER=dummy
export SDL_RENDER_DRIVER=software QUENDRIX_PACE_REPORT=1
source "$scripts/common.sh"
openbox > /dev/null 2>&1 &
sleep 1
"$reference" "$(dirname "$game")" "$home/config/quendrix/settings.reg" > "$home/reference.txt" || exit 1
xdotool mousemove 0 0
"$game" 2> "$home/game.log" &
pid=\$!
cpu() { awk '{ print \$14 + \$15 }' /proc/\$pid/stat; }
share() { awk -v c="\$1" -v t="\$2" -v hz="\$(getconf CLK_TCK)" 'BEGIN { printf "%.1f", 100 * c / hz / t }'; }
sleep 3
c0=\$(cpu); sleep 10; c1=\$(cpu)
echo "idle \$(share \$((c1 - c0)) 10)" > "$home/measured.txt"
xdotool key Down; sleep 0.2; xdotool key Return; sleep 1.5; xdotool key Return
sleep 4
xdotool click 1
sleep 1
c0=\$(cpu); t0=\$(date +%s.%N)
import -window root "$home/play.png"
e2e_putt "$home/play.png" $w $h
while [ "\$(awk -v t0="\$t0" -v t1="\$(date +%s.%N)" 'BEGIN { print (t1 - t0 < 10) }')" = 1 ]; do
  sleep 0.2
done
c1=\$(cpu); t1=\$(date +%s.%N)
echo "play \$(share \$((c1 - c0)) \$(awk -v a="\$t0" -v b="\$t1" 'BEGIN { print b - a }'))" >> "$home/measured.txt"
e2e_leave_and_quit \$pid
INNER
  chmod +x "$home/inner.sh"
  if ! xvfb-run -a -s "-screen 0 ${w}x${h}x24" "$home/inner.sh"; then
    echo "bench_pace: the run on ${w}x${h} failed"; cat "$home/game.log"; rm -rf "$home"; return 1
  fi
  local replay
  replay=$(ls "$home"/data/quendrix/replays/*.replay 2> /dev/null | head -1)
  awk -v screen="${w}x${h}" -v replay="$replay" -v pace="$(grep 'quendrix pace:' "$home/game.log")" '
    FILENAME ~ /reference/ { ref[$1] = $3; frame[$1] = $2 }
    FILENAME ~ /measured/ { got[$1] = $2 }
    END {
      printf "%s idle launch pad: %5.1f %% of a core   limit %4.1f %% (a frame %.2f ms x 16.7 a second)   goal <= 5 %%\n",
        screen, got["idle"], ref["launchpad"], frame["launchpad"]
      printf "%s play at 60 fps:  %5.1f %% of a core   limit %4.1f %% (a frame %.2f ms x 60 a second)   goal <= 10 %%\n",
        screen, got["play"], ref["play"], frame["play"]
      while ((getline line < replay) > 0)
        if (line ~ /^f /) { split(line, f, " "); n++; s += 1 / f[2] }
      if (n > 0) printf "%s replay: %d frames, %.2f ticks a second\n", screen, n, n / s
      sub(/^quendrix pace: /, "", pace)
      printf "%s %s\n", screen, pace
    }' "$home/reference.txt" "$home/measured.txt"
  rm -rf "$home"
}

run_screen 640 480 && run_screen 1024 768
