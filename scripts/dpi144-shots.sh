#!/usr/bin/env bash
# Pictures of the program's windows at 150 % scaling (144 DPI), for a person to look at: the
# picture scenarios run in a Wine prefix of their own whose LogPixels is 144, and their pictures
# are kept as WIN64/artifacts/dpi144-NAME.png. The 96-DPI pictures of the suite stay as they were,
# and the suite's own prefix is never touched. A picture case whose checks expect 96 DPI may fail
# here; its picture is kept all the same. Also prints what the screen looks like at that scaling
# to a program aware of DPI and to one that is not.
# Usage: scripts/dpi144-shots.sh [WIN64_BUILD]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/wine-env.sh
WIN64=$(realpath -m "${1:-build/win64}")
ART="$WIN64/artifacts"
mkdir -p "$ART"
bw_wine_setup "$WIN64/wine-dpi144"
# Wine reads the scaling at its start: set it, then start the server again.
for key in 'HKCU\Control Panel\Desktop' 'HKCC\Software\Fonts'; do
  bw_wine_run 60 "$ART/dpi144-reg.out" "$ART/dpi144-reg.err" reg add "$key" /v LogPixels /t REG_DWORD /d 144 /f
done
timeout 30 wineserver -k >/dev/null 2>&1 </dev/null || true
bw_wine_server_start

# The 96-DPI pictures of the suite are put aside and come back at the end.
keep=$(mktemp -d)
cp -p "$ART"/*.png "$keep"/ 2>/dev/null || true
restore() {
  cp -p "$keep"/*.png "$ART"/ 2>/dev/null || true
  rm -rf "$keep"
}
failed=()
shoot() {  # SCRIPT NAME...: runs a picture scenario, keeps its pictures NAME as dpi144-NAME
  local script=$1 name
  shift
  echo "== $script"
  bash "tests/wine/$script" "$WIN64" || failed+=("$script")
  for name in "$@"; do
    if [[ -s "$ART/$name.png" ]]; then mv -f "$ART/$name.png" "$ART/dpi144-$name.png"; echo "kept: dpi144-$name.png"
    else echo "missing: $name.png"; fi
  done
  timeout 30 wineserver -k >/dev/null 2>&1 </dev/null || true
  bw_wine_server_start
}
shoot management_shot.sh management
shoot item_dialog_shot.sh item-dialog-sql item-dialog-native item-dialog-version item-dialog-advanced item-dialog-plugin
shoot template_list_shot.sh template_editor template_list
shoot preferences_shot.sh preferences-general preferences-hotkeys about-box whats-new
shoot completion_shot.sh completion
restore
if [[ -f "$WIN64/bin/dpi_report_wcase.exe" ]]; then
  echo "== the screen at 144 DPI"
  bw_wine_run 60 "$ART/dpi144-report.out" "$ART/dpi144-report.err" "$WIN64/bin/dpi_report_wcase.exe" || true
  cat "$ART/dpi144-report.out"
fi
echo "scenarios that failed at 144 DPI: ${failed[*]:-none}"
