#!/bin/sh
# Installs the build into a temporary prefix, checks that every file the desktop needs is in
# place, runs both validators on the installed menu entry and metainfo, and asks the installed
# program for its help and version without a display.
# usage: install_check.sh CMAKE BUILD_DIR VERSION
set -eu
cmake=$1
build=$2
version=$3
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "install_check: $*" >&2; exit 1; }

"$cmake" --install "$build" --prefix "$prefix" >/dev/null

share=$prefix/share
for f in sample/ﾌﾟﾗｲﾍﾞｰﾄ.txt sample/日記.txt sample/NOPIC.JPG help/index.html; do
    [ -s "$share/ikuji-techo/$f" ] || fail "$f is not installed"
done
for size in 16 22 24 32 48 64 128 256; do
    # A PNG's width is at bytes 16-19: each must be drawn at the size it is installed under.
    width=$(od -An -tu1 -j16 -N4 "$share/icons/hicolor/${size}x$size/apps/ikuji-techo.png" | awk '{ print $3 * 256 + $4 }')
    [ "$width" = "$size" ] || fail "the icon under ${size}x$size is '$width' px wide"
done

desktop=$share/applications/ikuji-techo.desktop
metainfo=$share/metainfo/io.github.ikuji_techo.IkujiTecho.metainfo.xml
desktop-file-validate "$desktop"
appstreamcli validate --no-net "$metainfo"
# The menu entry names the installed icon and program; the metainfo names the installed menu entry.
icon=$(sed -n 's/^Icon=//p' "$desktop")
[ -s "$share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "the menu entry names icon '$icon', not installed"
program=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
[ -x "$prefix/bin/$program" ] || fail "the menu entry runs '$program', not installed"
launchable=$(sed -n 's:.*<launchable type="desktop-id">\(.*\)</launchable>.*:\1:p' "$metainfo")
[ -s "$share/applications/$launchable" ] || fail "the metainfo launches '$launchable', not installed"
grep -q "<release version=\"$version\"" "$metainfo" || fail "the metainfo has no release $version"

# --help and --version answer without any display.
run="env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM $prefix/bin/ikuji-techo"
[ "$($run --version)" = "育児手帖 (ikuji-techo) $version" ] || fail "--version printed something else"
$run --help | grep -q '^Usage:  ikuji-techo \[FOLDER\]$' || fail "--help did not print the usage"
status=0
$run --no-such-option 2>/dev/null || status=$?
[ "$status" = 2 ] || fail "an unknown option exited with $status"
