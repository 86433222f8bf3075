#!/usr/bin/env bash
# A check of the checks: plants, one at a time, faults a user would notice (each a one-line change listed
# below), rebuilds incrementally, runs the tests that should catch it and prints whether they did. Every
# file is put back as it was, and the builds are brought back to the tree at the end. Not part of the test
# command; it needs the builds of tools/test.sh (build/native and build/win).
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

# file | the line as it is | the line planted instead (empty: the line goes) | where the tests are | filter
mutants=(
  "browser/ListCommands.cpp|      return ctrl ? ListKey::kFileList : ListKey::kSeekBack;|      return ctrl ? ListKey::kFileList : ListKey::kSeekForward;|native|ListCommands.*"
  "playback/PlayerInput.cpp|    case 0x20:||native|PlayerInput.*"
  "controls/StatusLine.cpp|constexpr double kVolumeStep = 0.05;|constexpr double kVolumeStep = 0.5;|native|StatusLine.*"
  "controls/VolumeMute.h|  bool Muted(double volume) const { return volume == 0.0 && m_level > 0.0; }|  bool Muted(double) const { return false; }|native|VolumeMute.*"
  "playback/QuickTimeName.cpp|  if (longPath.size() <= kQuickTimeNameBytes) return {true, std::string(longPath)};|  return {true, std::string(longPath)};|native|QuickTimeName.*"
  "controls/ControlPanel.cpp|void CControlPanel::OnNext(fw::Msg&) { m_commands.Do(PlayerCommand::kNext); }|void CControlPanel::OnNext(fw::Msg&) { m_commands.Do(PlayerCommand::kPrevious); }|wine|ControlPanelAlone.*"
  "browser/FileListWnd.cpp|  m_screen.ShowControlPanel(false);||wine|FileListAlone.*:FileListWndTest.*"
  "controls/PanelZOrder.h|  return foreground && ::GetWindowThreadProcessId(foreground, &pid) && pid == ::GetCurrentProcessId();|  return foreground != nullptr;|e2e|Panels.*"
)

export TARN_BUILD="$root/build/win"
# shellcheck source=wine-env.sh
. "$root/tools/wine-env.sh"
wine_ready=0
start_wine() {
  [ $wine_ready -eq 1 ] && return 0
  tarn_xvfb_start || return 1
  tarn_wine_init
  wine_ready=1
}

saved=""
restore() { [ -n "$saved" ] && cp "$saved" "$current" && rm -f "$saved"; saved=""; }
finish() {
  restore
  [ $wine_ready -eq 1 ] && { wineserver -k 2>/dev/null; tarn_xvfb_stop; }
}
trap finish EXIT

build_for() {  # where
  case $1 in
    native) cmake --build build/native --target tarn_unit_tests >/dev/null 2>&1 ;;
    wine) cmake --build build/win --target tarn_wine_tests >/dev/null 2>&1 ;;
    e2e) cmake --build build/win --target Tarnvale tarn_e2e_tests >/dev/null 2>&1 ;;
  esac
}

run_for() {  # where filter; exit code 0 when the tests pass
  case $1 in
    native) build/native/tests/tarn_unit_tests --gtest_filter="$2" >/dev/null 2>&1 ;;
    wine) start_wine && "$TARN_WINE" "$TARN_BUILD/tests/tarn_wine_tests.exe" --gtest_filter="$2" >/dev/null 2>&1 ;;
    e2e) start_wine && "$TARN_WINE" "$TARN_BUILD/tests/tarn_e2e_tests.exe" --gtest_filter="$2" >/dev/null 2>&1 ;;
  esac
}

caught=0 total=0
for m in "${mutants[@]}"; do
  IFS='|' read -r current line planted where filter <<<"$m"
  total=$((total + 1))
  if ! grep -qxF -- "$line" "$current"; then
    echo "mutate: $current: the line is not there any more: $line"
    continue
  fi
  saved=$(mktemp)
  cp "$current" "$saved"
  LINE="$line" PLANTED="$planted" awk '$0 == ENVIRON["LINE"] { if (ENVIRON["PLANTED"] != "") print ENVIRON["PLANTED"]; next } { print }' \
    "$saved" >"$current"
  if ! build_for "$where"; then
    echo "mutate: $current: does not build with the fault (counted as caught)"
    caught=$((caught + 1))
  elif run_for "$where" "$filter"; then
    echo "mutate: MISSED  $current: \"$line\" -> \"${planted:-(gone)}\" ($where $filter)"
  else
    echo "mutate: caught  $current: \"$line\" -> \"${planted:-(gone)}\" ($where $filter)"
    caught=$((caught + 1))
  fi
  restore
done

# The builds as the tree is.
for where in native e2e wine; do build_for $where; done
echo "mutate: $caught of $total faults caught"
[ "$caught" -eq "$total" ]
