#!/bin/sh
# The real game for a user with no home folder at all: no XDG_CONFIG_HOME,
# XDG_DATA_HOME or HOME, and a user id without a password entry, as a
# container started with an arbitrary id runs it. On SDL's window-less
# drivers, ended after the first launch-pad frame: the game must get there
# (status 1: an error was reported, not an abort), say once that settings,
# replays and screenshots cannot be kept, and write nothing anywhere.
#   no_home_folder.sh GAME
game=$1
if [ "$(id -u)" != 0 ] || ! command -v setpriv > /dev/null; then
  echo "needs root and setpriv to run as a user without a password entry: skipped"
  exit 77
fi
uid=54321
while getent passwd "$uid" > /dev/null; do uid=$((uid + 1)); done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/cwd"
chmod 777 "$work/cwd"
(cd "$work/cwd" && setpriv --reuid="$uid" --regid="$uid" --clear-groups \
  env -i SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy QUENDRIX_EXIT_AFTER_FIRST_FRAME=1 \
  ${LSAN_OPTIONS:+LSAN_OPTIONS="$LSAN_OPTIONS"} "$game") 2> "$work/err.log"
status=$?
fail=0
[ "$status" = 1 ] || { echo "status $status, not 1"; fail=1; }
for text in "Settings cannot be kept after this run:" "Replays and screenshots cannot be saved:"; do
  n=$(grep -c -F "$text" "$work/err.log")
  [ "$n" = 1 ] || { echo "\"$text\" told $n times"; fail=1; }
done
grep -q "user $uid has no password entry" "$work/err.log" || { echo "no reason given"; fail=1; }
[ -z "$(ls -A "$work/cwd")" ] || { echo "wrote into the current folder:"; ls -AR "$work/cwd"; fail=1; }
[ "$fail" = 0 ] || { echo "--- standard error:"; cat "$work/err.log"; }
exit "$fail"
