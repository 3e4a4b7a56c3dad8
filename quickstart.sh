#!/usr/bin/env bash
# Sets up a Debian 12 machine for bdx4config, builds it, and then either starts the utility
# beside the simulated box (default) or runs the whole test suite (`test`).
#
#   ./quickstart.sh          install what is missing, build, start bdx4config with bdx4-sim on COM1
#   ./quickstart.sh test     install what is missing, build, run the test suite with CTest
set -euo pipefail

mode=${1:-start}
case "$mode" in
start | test) ;;
*)
    echo "usage: $0 [start|test]" >&2
    exit 2
    ;;
esac

here=$(cd "$(dirname "$0")" && pwd)
build="$here/build"

# Debian packages the build, the tests and the program need.
packages=(cmake make g++ pkg-config qt6-base-dev qt6-base-dev-tools qt6-serialport-dev
    libqt6serialport6 qt6-qpa-plugins libqt6svg6 libgl-dev fonts-liberation fontconfig
    qt6-tools-dev qt6-l10n-tools qt6-translations-l10n poppler-utils dpkg-dev)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -qq
    $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

jobs=$(nproc 2>/dev/null || echo 2)
werror=OFF
[ "${CI:-}" = "true" ] && werror=ON
cmake -S "$here" -B "$build" -DBDX4_WERROR=$werror >/dev/null
cmake --build "$build" -j "$jobs" -- --no-print-directory >/dev/null

if [ "$mode" = test ]; then
    export QT_QPA_PLATFORM=offscreen
    exec ctest --test-dir "$build" --output-on-failure -j "$jobs"
fi

# Start the utility with the simulated box on COM1, through a throwaway settings folder, so
# the user's own settings stay as they are.
scratch=$(mktemp -d)
sim_pid=""
cleanup() {
    [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT
export XDG_CONFIG_HOME="$scratch/config"
mkdir -p "$XDG_CONFIG_HOME/bdx4config"
if [ -x "$build/bdx4-sim" ]; then
    "$build/bdx4-sim" --link "$scratch/bdx4" >"$scratch/sim.log" 2>&1 &
    sim_pid=$!
    for _ in $(seq 50); do
        [ -e "$scratch/bdx4" ] && break
        sleep 0.1
    done
    printf '[Ports]\nCOM1=%s\n' "$scratch/bdx4" >"$XDG_CONFIG_HOME/bdx4config/bdx4config.ini"
    echo "Simulated BDX4 on $scratch/bdx4 (COM1)"
fi
"$build/bdx4config"
