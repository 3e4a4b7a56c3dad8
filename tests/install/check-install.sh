#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks that everything lands in its usual place,
# that the desktop entry and metainfo are well formed, and that the installed program starts as
# an ordinary user and keeps its stores in that user's data folder, since the program's own
# folder is not writable for them.
set -euo pipefail
build=$1
source_dir=$2
scratch=$(mktemp -d)
trap 'pkill -KILL -f "$scratch/prefix/bin/bdx4config" 2>/dev/null || true; rm -rf "$scratch"' EXIT
chmod 755 "$scratch"
prefix="$scratch/prefix"

cmake --install "$build" --prefix "$prefix" >/dev/null

fail() {
    echo "FAIL: $*" >&2
    exit 1
}
for f in bin/bdx4config bin/bdx4-sim bin/bdx4ctl \
    share/applications/com.morvane.bdx4config.desktop \
    share/icons/hicolor/scalable/apps/com.morvane.bdx4config.svg \
    share/metainfo/com.morvane.bdx4config.metainfo.xml; do
    [ -e "$prefix/$f" ] || fail "$f was not installed"
done
[ -x "$prefix/bin/bdx4config" ] || fail "bdx4config is not executable"
[ -e "$prefix/share/icons/hicolor/48x48/apps/com.morvane.bdx4config.png" ] || fail "no 48x48 icon"
# The print module where the program looks for it: beside the libraries, under bdx4config.
find "$prefix" -path '*/lib*/bdx4config/bdx4print.so' | grep -q . || fail "print module missing"

desktop="$prefix/share/applications/com.morvane.bdx4config.desktop"
grep -qx 'Categories=Network;HamRadio;' "$desktop" || fail "desktop entry categories"
grep -qx 'Exec=bdx4config' "$desktop" || fail "desktop entry Exec"
if command -v desktop-file-validate >/dev/null; then desktop-file-validate "$desktop"; fi
python3 - "$prefix/share/metainfo/com.morvane.bdx4config.metainfo.xml" \
    "$prefix/share/icons/hicolor/scalable/apps/com.morvane.bdx4config.svg" <<'PY'
import sys, xml.etree.ElementTree as ET
root = ET.parse(sys.argv[1]).getroot()
assert root.findtext("id") == "com.morvane.bdx4config", "metainfo id"
assert root.find("launchable").text == "com.morvane.bdx4config.desktop", "launchable"
assert ET.parse(sys.argv[2]).getroot().tag.endswith("svg"), "icon is not SVG"
PY

# Start the installed program as an unprivileged user whose home is a scratch folder.
user=nobody
id "$user" >/dev/null 2>&1 || { echo "no user $user: start check skipped"; exit 0; }
home="$scratch/home"
mkdir -p "$home" "$scratch/run"
chown "$user" "$home" "$scratch/run"
chmod 700 "$scratch/run"
runuser -u "$user" -- env -i HOME="$home" XDG_RUNTIME_DIR="$scratch/run" QT_QPA_PLATFORM=offscreen BDX4_UNATTENDED=1 \
    PATH=/usr/bin:/bin "$prefix/bin/bdx4config" >"$scratch/out.log" 2>&1 &
pid=$!
store=""
for _ in $(seq 100); do
    store=$(find "$home" -name bdx4_cfg.ini 2>/dev/null | head -n 1)
    [ -n "$store" ] && [ -n "$(find "$home" -name bdx4_bv.ini)" ] && break
    kill -0 "$pid" 2>/dev/null || { cat "$scratch/out.log"; fail "the installed program ended early"; }
    sleep 0.1
done
kill -0 "$pid" 2>/dev/null || fail "the installed program is not running"
kill "$pid" 2>/dev/null || true
[ -n "$store" ] || { cat "$scratch/out.log"; fail "no map store in the user's data folder"; }
case "$store" in "$home"/.local/share/*) ;; *) fail "store in an unexpected place: $store" ;; esac
[ ! -e "$prefix/bin/bdx4_cfg.ini" ] || fail "store written into the program folder"
printf '"Empty"\r\n' | cmp -s - "$store" || fail "first store is not the Empty store"
echo "install check passed: stores in ${store%/*}"
