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
bin=$(dirname "$game")
scripts=$(cd "$(dirname "$0")" && pwd)
[ -f "$bin/course1hole1.dxg" ] || { echo "no hole data beside $game: skipped"; exit 77; }
for tool in xvfb-run openbox xdotool import convert; do
  command -v "$tool" > /dev/null || { echo "$tool missing: skipped"; exit 77; }
done
mkdir -p "$out"
rm -f "$out"/*.replay
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT

cat > "$home/inner.sh" << INNER
#!/usr/bin/env bash
export XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" SDL_AUDIODRIVER=dummy
openbox > /dev/null 2>&1 &
sleep 1
xdotool mousemove 0 0
"$game" > "$out/game.log" 2>&1 &
pid=\$!
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
read bx by <<< "\$("$scripts/ball_at.sh" "$out/play.png" 300 112)"
"$scripts/walk_pointer.sh" 320 240 \$bx \$by
xdotool mousedown 1
for i in \$(seq 1 15); do xdotool mousemove_relative -- 2 3; sleep 0.03; done
xdotool mouseup 1
sleep 11
import -window root "$out/rest.png"
c1=\$(cpu); t1=\$(date +%s.%N)
awk -v c="\$((c1 - c0))" -v t0="\$t0" -v t1="\$t1" -v hz="\$(getconf CLK_TCK)" \
  'BEGIN { printf "CPU in play: %.1f %% of a core\n", 100 * c / hz / (t1 - t0) }'
xdotool key Escape; sleep 0.5; xdotool key Return
sleep 2
xdotool key Escape; sleep 1.5; xdotool key Return
for i in \$(seq 1 50); do kill -0 \$pid 2> /dev/null || break; sleep 0.1; done
kill \$pid 2> /dev/null
wait \$pid
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
