#!/usr/bin/env bash
# Checks the download that tools/package.sh wrote (or the zip named as the argument): every file is in it,
# the README is Windows text naming the version, and the program unpacked into a folder of its own starts
# under Wine in a fresh prefix, shows its frame and closes cleanly on WM_CLOSE (tests/package, built with
# the other tests in build/win).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

build="$root/build/rel"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt" 2>/dev/null || true)
zip=${1:-"$root/build/dist/Tarnvale-$version-win64.zip"}
[ -n "$version" ] && [ -f "$zip" ] || { echo "check-package: no zip (run tools/package.sh first)" >&2; exit 1; }
[ "$(basename "$zip")" = "Tarnvale-$version-win64.zip" ] || { echo "check-package: $zip is not of version $version" >&2; exit 1; }
failed=0
fail() { echo "check-package: $*" >&2; failed=1; }

unzip -tq "$zip" >/dev/null || fail "the zip does not test whole"
listing=$(unzip -Z1 "$zip")
expected="Tarnvale.exe QuickTime.qts TarnvaleReal.dll README.txt skin/Example/TNSKIN.INI"
expected+=" $(sed -n 's/^IDB_[A-Z0-9_]* BITMAP "\(.*\)"$/skin\/Example\/\1/p' res/Tarnvale.rc | tr '\n' ' ')"
for f in $expected; do
  grep -qxF "$f" <<<"$listing" || fail "missing from the zip: $f"
done
readme=$(unzip -p "$zip" README.txt)
[ "$(head -c 3 <<<"$readme" | od -An -tx1 | tr -d ' ')" = efbbbf ] || fail "README.txt has no UTF-8 byte order mark"
[ "$(grep -vc $'\r$' <<<"$readme" || true)" -eq 0 ] || fail "README.txt has lines without CRLF"
grep -q "^Version $version\."$'\r'"\$" <<<"$readme" || fail "README.txt does not name version $version"
echo "check-package: $(basename "$zip"): $(wc -l <<<"$listing") files, $(stat -c %s "$zip") bytes"

# The checks are built with the tests in build/win, where tools/test.sh has built them already.
tests="$root/build/win"
cmake -S "$root" -B "$tests" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$tests" --target tarn_package_tests -j "${TARN_JOBS:-2}" >/dev/null

# A fresh ordinary prefix, where nothing is registered: the program must find its stand-ins beside itself.
export TARN_BUILD="$root/build/package-check" TARN_WINE_PURPOSE=run
rm -rf "$TARN_BUILD/wine"
# shellcheck source=wine-env.sh
. "$root/tools/wine-env.sh"
# A folder of its own, as a user unpacks the download.
unpacked=$(mktemp -d /tmp/tarnvale-unpacked.XXXXXX)
trap 'wineserver -k 2>/dev/null; tarn_xvfb_stop; rm -rf "$unpacked"' EXIT
unzip -q "$zip" -d "$unpacked"
tarn_xvfb_start
tarn_wine_init
TARN_UNPACKED="Z:$(printf '%s' "$unpacked" | tr '/' '\\')" "$TARN_WINE" "$tests/tests/tarn_package_tests.exe" ||
  fail "the unpacked program failed its checks"

[ $failed -eq 0 ] && echo "check-package: the download is whole and its program starts and closes cleanly"
exit $failed
