#!/bin/sh
# Builds and runs every benchmark. Usage: bench/run-all.sh [build folder]  (default: build-bench)
# Exits non-zero when a benchmark misses its target.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
build=${1:-$root/build-bench}

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DBDX4_BUILD_TESTS=OFF >/dev/null
targets=$(cd "$here" && ls bench_*.cpp | sed 's/\.cpp$//')
for t in $targets; do
    cmake --build "$build" -j2 --target "$t" >/dev/null
done

status=0
for t in $targets; do
    echo "== $t"
    "$build/bench/$t" || status=1
done
exit $status
