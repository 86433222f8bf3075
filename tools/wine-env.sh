# Sourced by the run and test scripts: a private Wine prefix inside the build tree, the Japanese code page,
# a null ALSA device (there may be no sound card) and quiet Wine output.
# Needs TARN_BUILD (the build folder) to be set by the caller. TARN_WINE_PURPOSE chooses the prefix:
# "test" (default) has unmanaged windows, because under an Xvfb without a window manager Wine otherwise
# waits two seconds for every window it hides; "run" is an ordinary prefix for the user's own desktop.
: "${TARN_BUILD:?TARN_BUILD must name the build folder}"
TARN_WINE_PURPOSE="${TARN_WINE_PURPOSE:-test}"

export WINEPREFIX="$TARN_BUILD/wine/$TARN_WINE_PURPOSE-prefix"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
export HOME="$TARN_BUILD/wine/home"
export TARN_WINE=/usr/lib/wine/wine64

mkdir -p "$HOME"
[ -f "$HOME/.asoundrc" ] || printf 'pcm.!default { type null }\nctl.!default { type hw card 0 }\n' > "$HOME/.asoundrc"

# The first start of a prefix takes several seconds; do it once, outside any timed test. The settings
# are applied again whenever their set changes (the marker's number).
#  - Unmanaged windows for the tests (see above).
#  - "ＭＳ Ｐゴシック" (the dialog's and the skin's face) drawn in IPAPGothic, the proportional Gothic of
#    fonts-ipafont-gothic: Wine has no face of that name and would pick a monospaced Gothic, wider than
#    the face the dialog was laid out for, so that its labels are cut.
#  - No Direct3D setting: the program draws video through GDI under Wine itself, so a default prefix shows
#    it. Prefixes made by earlier versions of this script lose their renderer=gdi value, so that every
#    test runs as a default prefix would.
# Every time: the stand-in RealPlayer control is registered for the user (its DllRegisterServer). Wine 8
# does not read per-user class registrations when it creates an object, so there the program reaches
# the stand-in through its own fallback to the library beside it; the registration serves Windows-like
# hosts and tools that look the class up.
tarn_wine_init() {
  local marker="$WINEPREFIX/.tarnvale-settings-4"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "wine: creating the prefix in $WINEPREFIX"
    "$TARN_WINE" wineboot -i >/dev/null 2>&1 || true
  fi
  if [ ! -f "$marker" ]; then
    "$TARN_WINE" reg delete 'HKCU\Software\Wine\Direct3D' /v renderer /f >/dev/null 2>&1 || true
    "$TARN_WINE" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'ＭＳ Ｐゴシック' /d IPAPGothic /f >/dev/null 2>&1 || true
    if [ "$TARN_WINE_PURPOSE" = test ]; then
      "$TARN_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
    fi
    touch "$marker"
  fi
  local control="$TARN_BUILD/bin/TarnvaleReal.dll"
  if [ -f "$control" ]; then
    "$TARN_WINE" regsvr32 /s "Z:$(printf '%s' "$control" | tr '/' '\\')" >/dev/null 2>&1 || true
  fi
  wineserver -w 2>/dev/null || true
}

# Starts a private Xvfb on a free display number and exports DISPLAY; the caller stops it with tarn_xvfb_stop.
tarn_xvfb_start() {
  local n
  for n in $(seq 91 140); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    TARN_XVFB_PID=$!
    for _ in $(seq 1 50); do
      [ -e "/tmp/.X11-unix/X$n" ] && break
      sleep 0.1
    done
    if kill -0 "$TARN_XVFB_PID" 2>/dev/null; then
      export DISPLAY=":$n"
      return 0
    fi
  done
  echo "xvfb: no free display" >&2
  return 1
}

tarn_xvfb_stop() {
  [ -n "${TARN_XVFB_PID:-}" ] && kill "$TARN_XVFB_PID" 2>/dev/null
  TARN_XVFB_PID=
}
