#!/usr/bin/env bash
# Builds and runs the benchmarks: the Win32 ones under Wine in a private Xvfb, the Win32-free ones built
# natively (build/native/bench); each prints its measurements and ratios.
#   tools/bench.sh [name ...]     names of bench executables (default: all of them but the long soak and
#                                 the open ladder, which run by their names: tools/bench.sh bench_soak)
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/tools/setup.sh" || exit 1
build="$root/build/win"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null || exit 1
cmake --build "$build" -j "$(nproc 2>/dev/null || echo 2)" >/dev/null || exit 1
native="$root/build/native"
cmake -S "$root" -B "$native" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null || exit 1
cmake --build "$native" -j "$(nproc 2>/dev/null || echo 2)" >/dev/null || exit 1

export TARN_BUILD="$build"
# shellcheck source=wine-env.sh
. "$root/tools/wine-env.sh"
tarn_xvfb_start || exit 1
trap 'wineserver -k 2>/dev/null; tarn_xvfb_stop' EXIT
tarn_wine_init

names=("$@")
if [ ${#names[@]} -eq 0 ]; then
  for f in "$build"/bench/bench_*.exe; do
    n=$(basename "$f" .exe)
    [ "$n" = bench_minimal_window ] || [ "$n" = bench_window_skeleton ] || [ "$n" = bench_soak ] || [ "$n" = bench_open_bisect ] || names+=("$n")
  done
  for f in "$native"/bench/bench_*; do
    [ -x "$f" ] && names+=("$(basename "$f")")
  done
fi
for n in "${names[@]}"; do
  echo "== $n"
  if [ -f "$build/bench/$n.exe" ]; then
    "$TARN_WINE" "$build/bench/$n.exe"
  else
    "$native/bench/$n"
  fi
done
