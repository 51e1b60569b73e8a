#!/usr/bin/env bash
# Installs a build tree into a temporary DESTDIR under /usr and checks what
# a distribution would: the layout (the game alone in games/, every
# generated data file and nothing else in share/games/quendrix, the
# catalogues in share/locale, desktop entry, metainfo, icons, manual pages),
# the validators' verdicts, that the
# installed game starts away from the build tree (also with its prefix
# moved) and fails cleanly without its data, and that uninstalling removes
# it all.
#   install_test.sh TREE VERSION APP_ID CMAKE_MODULES
set -u
tree=$1 version=$2 id=$3 modules=$4
bin=$tree/bin
[ -f "$bin/gui.dxg" ] || { echo "no generated data in $bin: skipped"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
dest=$work/root
fail=0
bad() { echo "FAIL: $*"; fail=1; }
is_elf() { [ "$(head -c 4 "$1" | od -An -tx1 | tr -d ' \n')" = 7f454c46 ]; }

DESTDIR=$dest cmake --install "$tree" --prefix /usr > "$work/install.log" 2>&1 ||
  { cat "$work/install.log"; echo "FAIL: cmake --install"; exit 1; }
# The install's file list, before anything else installs from the tree.
cp "$tree/install_manifest.txt" "$work/manifest"
usr=$dest/usr data=$dest/usr/share/games/quendrix

# The game alone in games/: developer tools and tests are not installed.
[ "$(ls "$usr/games")" = quendrix ] || bad "games/ holds: $(ls "$usr/games" | tr '\n' ' ')"
[ -x "$usr/games/quendrix" ] || bad "no executable games/quendrix"
for f in "share/applications/$id.desktop" "share/metainfo/$id.metainfo.xml" \
  share/man/man6/quendrix.6.gz share/man/de/man6/quendrix.6.gz share/doc/quendrix/copyright \
  share/doc/quendrix/changelog.gz \
  share/lintian/overrides/quendrix; do
  [ -f "$usr/$f" ] || bad "missing $f"
done

# Every generated data file, the same bytes, and nothing else: no programs,
# no stamps, no icons (those go to the icon theme), no catalogues (those go
# where gettext looks).
(cd "$bin" && find . -type f ! -path './icons/*' ! -path './locale/*' ! -name '*.stamp' | sort) |
  while read -r f; do
    is_elf "$bin/$f" || echo "$f"
  done > "$work/expected"
(cd "$data" && find . -type f | sort) > "$work/installed"
diff "$work/expected" "$work/installed" > "$work/diff" ||
  bad "installed data differs from the generated data (< generated, > installed):
$(head -20 "$work/diff")"
while read -r f; do
  cmp -s "$bin/$f" "$data/$f" || bad "$f differs from the generated file"
done < "$work/installed"
find "$usr" -type f ! -path "$usr/games/*" | while read -r f; do
  is_elf "$f" && echo "FAIL: program installed as data: ${f#"$dest"}"
done | grep . && fail=1

# The catalogues of the build, as they are, in share/locale.
for mo in "$bin"/locale/*/LC_MESSAGES/quendrix.mo; do
  cmp -s "$mo" "$usr/share/${mo#"$bin"/}" || bad "catalogue ${mo#"$bin"/} not installed"
done

# Icons: one PNG per size and the scalable one, under the application id.
[ -d "$bin/icons" ] || bad "no icons in the data folder $bin/icons"
for size in 16 22 24 32 48 64 128 256; do
  icon=$usr/share/icons/hicolor/${size}x${size}/apps/$id.png
  [ -f "$icon" ] || { bad "missing icon ${size}x${size}"; continue; }
  got=$(file -b "$icon")
  case $got in *"$size x $size"*) ;; *) bad "icon ${size}x${size} is: $got" ;; esac
done
[ -f "$usr/share/icons/hicolor/scalable/apps/$id.svg" ] || bad "missing scalable icon"

# The validators distributions run.
if command -v desktop-file-validate > /dev/null; then
  out=$(desktop-file-validate "$usr/share/applications/$id.desktop" 2>&1) || bad "desktop entry: $out"
  [ -z "$out" ] || bad "desktop entry: $out"
else
  bad "desktop-file-validate missing (scripts/deps installs it)"
fi
if command -v appstreamcli > /dev/null; then
  out=$(appstreamcli validate --no-net "$usr/share/metainfo/$id.metainfo.xml" 2>&1) ||
    bad "metainfo: $out"
else
  bad "appstreamcli missing (scripts/deps installs it)"
fi
release=$(grep -o '<release version="[^"]*"' "$usr/share/metainfo/$id.metainfo.xml" | head -1)
[ "$release" = "<release version=\"$version\"" ] ||
  bad "newest release in the metainfo is $release, the project is $version"
grep -q "^Exec=quendrix$" "$usr/share/applications/$id.desktop" || bad "desktop entry runs something else"
if command -v man > /dev/null; then
  for page in man6 de/man6; do
    out=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z \
      "$usr/share/man/$page/quendrix.6.gz" 2>&1 > /dev/null)
    [ -z "$out" ] || bad "manual page $page: $out"
  done
fi

# The installed game, started far from the build tree on SDL's dummy
# drivers, until its first frame is shown.
run() {
  (cd "$work" && env -u DISPLAY -u WAYLAND_DISPLAY SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy \
    XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/home" QUENDRIX_EXIT_AFTER_FIRST_FRAME=1 \
    timeout 60 "$1" > "$work/run.log" 2>&1)
}
run "$usr/games/quendrix" || bad "the installed game did not start (status $?): $(cat "$work/run.log")"
mv "$dest/usr" "$dest/opt"
run "$dest/opt/games/quendrix" ||
  bad "the game in a moved prefix did not start (status $?): $(cat "$work/run.log")"
mv "$dest/opt" "$dest/usr"
mv "$data" "$work/data"
run "$usr/games/quendrix"
status=$?
if [ $status = 0 ] || [ $status = 124 ]; then
  bad "without its data the game ended with status $status"
elif [ ! -s "$work/run.log" ]; then
  bad "without its data the game said nothing"
fi
mv "$work/data" "$data"

DESTDIR=$dest cmake -DMANIFEST="$work/manifest" -P "$modules/QuendrixUninstall.cmake" > /dev/null ||
  bad "uninstall failed"
left=$(cd "$dest" && find . -type f | head -5)
[ -z "$left" ] || bad "left after uninstalling: $left"
[ ! -e "$data" ] || bad "share/games/quendrix left after uninstalling"
exit $fail
