#!/usr/bin/env bash
# A new user's game keeps sixty frames a second. The real game under Xvfb
# and openbox on a 640 x 480 screen with no settings file, so the defaults
# hold: "60ф/с", fast writes on (no vertical-blank waits). The logo clip is
# skipped with a key, a game launched from the launch pad by keys, the
# title card left with a click, a putt pulled, and the game played for at
# least ten seconds. The replay the game recorded carries each frame's
# measured tick rate: over the frames of play they must average 60 ± 3
# ticks a second. The run's CPU use is printed for people to read.
#   pace.sh GAME OUT
set -u
game=$1 out=$2
scripts=$(cd "$(dirname "$0")" && pwd)
source "$scripts/common.sh"
e2e_require "$game" xvfb-run openbox xdotool import convert
e2e_start "$out" '*.replay'

cat > "$home/inner.sh" << INNER
#!/usr/bin/env bash
source "$scripts/common.sh"
e2e_start_game "$game" "$home" "$out"
cpu() { awk '{ print \$14 + \$15 }' /proc/\$pid/stat; }
sleep 3
xdotool key space                            # the logo and intro give way
sleep 2
xdotool key Down; sleep 0.2; xdotool key Return; sleep 1.5; xdotool key Return
sleep 4
xdotool click 1                              # the title card gives way to play
sleep 1
c0=\$(cpu); t0=\$(date +%s.%N)
import -window root "$out/play.png"
e2e_putt "$out/play.png" 640 480
sleep 11
import -window root "$out/rest.png"
c1=\$(cpu); t1=\$(date +%s.%N)
awk -v c="\$((c1 - c0))" -v t0="\$t0" -v t1="\$t1" -v hz="\$(getconf CLK_TCK)" \
  'BEGIN { printf "CPU in play: %.1f %% of a core\n", 100 * c / hz / (t1 - t0) }'
e2e_leave_and_quit \$pid || echo "the game did not end on Esc, Enter"
INNER
chmod +x "$home/inner.sh"
xvfb-run -a -s "-screen 0 640x480x24" "$home/inner.sh" || { cat "$out/game.log"; exit 1; }

replay=$(ls "$home"/data/quendrix/replays/*.replay 2> /dev/null | head -1)
[ -n "$replay" ] || { echo "the game recorded no replay"; cat "$out/game.log"; exit 1; }
cp "$replay" "$out/"
# Each frame's line is "f RATE": the frame lasted about 1000 / RATE ms.
awk '/^f / { n++; s += 1 / $2 }
  END {
    if (n == 0) { print "no frames recorded"; exit 1 }
    printf "%d frames in %.1f s: %.2f ticks a second\n", n, s, n / s
    if (s < 10) { print "less than ten seconds of play"; exit 1 }
    if (n / s < 57 || n / s > 63) { print "not 60 +- 3 ticks a second"; exit 1 }
  }' "$replay"
