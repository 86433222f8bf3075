#!/usr/bin/env bash
# Builds the Release program and writes the download for Windows users:
#   build/dist/Tarnvale-<version>-win64.zip
# holding Tarnvale.exe, the two stand-in components, README.txt and the example skin skin\Example (the
# built-in strips with a TNSKIN.INI of the standard values). The version is the project's (CMakeLists.txt).
# The same source gives the same bytes: every file has the time of the last commit (SOURCE_DATE_EPOCH
# when set), fixed permissions and no extra attributes, and the files go in in sorted order.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

"$root/tools/setup.sh"

build="$root/build/rel"
dist="$root/build/dist"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target Tarnvale quicktime_standin real_standin -j "${TARN_JOBS:-2}"

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ -n "$version" ] || { echo "package: no project version in $build/CMakeCache.txt" >&2; exit 1; }
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct 2>/dev/null || echo 1798761600)  # else 2027-01-01
fi

stage="$dist/stage"
rm -rf "$stage"
mkdir -p "$stage/skin/Example"
cp "$build/bin/Tarnvale.exe" "$build/bin/QuickTime.qts" "$build/bin/TarnvaleReal.dll" "$stage/"
# Notepad reads UTF-8 with a byte order mark in any system locale; Windows text has CRLF line ends.
{ printf '\357\273\277'; sed -e "s/@VERSION@/$version/g" -e 's/$/\r/' "$root/tools/package/README.txt"; } \
  >"$stage/README.txt"
# The program reads TNSKIN.INI in its code page, 932.
sed 's/$/\r/' "$root/tools/package/TNSKIN.INI" | iconv -f UTF-8 -t CP932 >"$stage/skin/Example/TNSKIN.INI"
# The strips that the resource script builds in, as resgen drew them.
sed -n 's/^IDB_[A-Z0-9_]* BITMAP "\(.*\)"$/\1/p' "$root/res/Tarnvale.rc" |
  while read -r strip; do cp "$build/res-gen/$strip" "$stage/skin/Example/"; done

find "$stage" -type d -exec chmod 755 {} + -o -type f -exec chmod 644 {} +
chmod 755 "$stage"/*.exe "$stage"/*.dll "$stage"/*.qts
# Zip keeps local times (2 s steps): one zone for all builds.
export TZ=UTC
find "$stage" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +

zip_name="Tarnvale-$version-win64.zip"
rm -f "$dist/$zip_name"
(cd "$stage" && find . -type f | sed 's|^\./||' | LC_ALL=C sort | zip -q -X -D -9 "$dist/$zip_name" -@)

echo "package: $dist/$zip_name ($(stat -c %s "$dist/$zip_name") bytes)"
echo "package: sha256 $(sha256sum "$dist/$zip_name" | cut -d' ' -f1)"
