#!/bin/sh
# The .deb as a parent meets it: lintian reports no error; installed on this machine, the
# program answers --version and --help from /usr/bin, starts offscreen from a fresh home folder
# and opens the installed sample notebook; removed, it leaves nothing under /usr.
# usage: package_check.sh BUILD_DIR   (as root: it installs and removes the package)
set -eu
build=$1
fail() { echo "package_check: $*" >&2; exit 1; }
deb=$(ls "$build"/ikuji-techo_*.deb | head -n1)
[ -s "$deb" ] || fail "no package in $build"
echo "package_check: $(basename "$deb"), $(du -k "$deb" | cut -f1) KiB"

lintian --tag-display-limit 0 "$deb" > "$build/lintian.txt" 2>&1 || true
cat "$build/lintian.txt"
if grep -q '^E: ' "$build/lintian.txt"; then fail "lintian reports errors"; fi

if [ "$(id -u)" != 0 ]; then
    echo "package_check: not root, the install and removal were not tried"
    exit 0
fi
if dpkg -s ikuji-techo >/dev/null 2>&1; then fail "ikuji-techo is installed already: remove it first"; fi
dpkg -i "$deb" >/dev/null
home=$(mktemp -d)
cleanup() { dpkg -r ikuji-techo >/dev/null 2>&1 || true; rm -rf "$home"; }
trap cleanup EXIT
dpkg -L ikuji-techo | grep '^/usr/' > "$home/files"

version=$(dpkg-deb -f "$deb" Version)
[ "$(/usr/bin/ikuji-techo --version)" = "育児手帖 (ikuji-techo) $version" ] || fail "--version printed something else"
/usr/bin/ikuji-techo --help | grep -q '^Usage:  ikuji-techo \[FOLDER\]$' || fail "--help did not print the usage"
[ -s /usr/share/man/man1/ikuji-techo.1.gz ] || fail "no man page"

# From a fresh home: the first start asks its question (and is still waiting when stopped);
# the installed sample, copied and given as the folder, opens: the folder's lock is taken.
mkdir -m 700 "$home/run"
status=0
( cd "$home" && HOME=$home XDG_DATA_HOME=$home/data XDG_CONFIG_HOME=$home/config XDG_RUNTIME_DIR=$home/run \
      QT_QPA_PLATFORM=offscreen timeout 5 /usr/bin/ikuji-techo >/dev/null 2>&1 ) || status=$?
[ "$status" = 124 ] || fail "the first start ended by itself (exit $status)"
cp -r /usr/share/ikuji-techo/sample "$home/見本"
( cd "$home" && HOME=$home XDG_DATA_HOME=$home/data XDG_CONFIG_HOME=$home/config XDG_RUNTIME_DIR=$home/run \
      QT_QPA_PLATFORM=offscreen timeout 5 /usr/bin/ikuji-techo "$home/見本" >/dev/null 2>&1 & )
sleep 3
ls "$home"/run/ikuji-techo/*.lock >/dev/null 2>&1 || fail "the sample notebook did not open"
sleep 3

dpkg -r ikuji-techo >/dev/null
while read -r f; do
    if [ -e "$f" ] && [ ! -d "$f" ]; then fail "$f is left after the removal"; fi
done < "$home/files"
echo "package_check: installed, ran and removed cleanly"
