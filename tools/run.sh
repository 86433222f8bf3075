#!/usr/bin/env bash
# Builds Tarnvale and starts it under Wine: in the user's X session when there is one, otherwise in a
# private Xvfb. Without a TN.INI yet, a demo home folder of generated sample media is set up first.
# Arguments are passed to Tarnvale.exe (for example a file to play).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

"$root/tools/setup.sh"

build="$root/build/win"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target Tarnvale -j "$(nproc 2>/dev/null || echo 2)"

exe="$build/bin/Tarnvale.exe"
ini="$build/bin/TN.INI"
if [ ! -f "$ini" ]; then
  demo="$root/build/demo"
  echo "run: making the demo home folder in $demo"
  "$root/tools/make-media.sh" --demo "$demo"
  # Wine shows the Linux file system as drive Z:.
  home="Z:$(printf '%s' "$demo" | tr '/' '\\')"
  tv="$home\\TV"
  # The default extension lists: mp4 and mov play through the QuickTime stand-in, rm through the
  # RealPlayer stand-in (which Wine cannot decode rm for: such an entry is skipped after a few seconds).
  printf '[CONFIG]\r\nHOMEDIR=%s\r\nTVDIR=%s\r\n' "$home" "$tv" |
    iconv -f UTF-8 -t CP932 > "$ini"
  # The standard skin needs no folder; the demo gives it a wallpaper.
  skin="$build/bin/skin/標準"
  mkdir -p "$skin"
  [ -f "$skin/wallpaper.jpg" ] || convert -size 1280x720 radial-gradient:'#2f6494'-'#08121f' "$skin/wallpaper.jpg"
  printf '[WALLPAPER]\r\nFILENAME=wallpaper.jpg\r\n' > "$skin/TNSKIN.INI"
fi

export TARN_BUILD="$build" TARN_WINE_PURPOSE=run
# shellcheck source=wine-env.sh
. "$root/tools/wine-env.sh"
if [ -z "${DISPLAY:-}" ]; then
  tarn_xvfb_start
  echo "run: no X session, started Xvfb on $DISPLAY (screenshot: DISPLAY=$DISPLAY import -window root shot.png)"
  trap 'tarn_xvfb_stop' EXIT
fi
tarn_wine_init
echo "run: $exe"
"$TARN_WINE" "$exe" "$@"
