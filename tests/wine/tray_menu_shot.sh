#!/usr/bin/env bash
# Photographs the open tray menu of the real Brackwater.exe (with one configuration in it) and
# keeps the picture as WIN64/artifacts/tray-menu.png, for a person to look at the margin and the
# entries. The menu case of tray_program_wintest opens the menu and waits for the shot.
# Usage: tests/wine/tray_menu_shot.sh WIN64_BUILD [NATIVE_BUILD]
set -euo pipefail
cd "$(dirname "$0")/../.."
WIN64=$(realpath -m "${1:-build/win64}")
[[ -f "$WIN64/bin/Brackwater.exe" && -f "$WIN64/bin/tray_program_wintest.exe" ]] || { echo "Brackwater.exe not built"; exit 77; }
command -v import >/dev/null || { echo "ImageMagick's import is missing"; exit 77; }

source scripts/wine-env.sh
bw_wine_setup "$WIN64/wine-tests"

ART="$WIN64/artifacts"
mkdir -p "$ART"
rm -f "$ART/menu-open" "$ART/shot-taken" "$ART/tray-menu.png"
export BW_TRAY_SHOT_DIR="Z:${ART//\//\\}"

# Waits (bounded) for the test's marker, photographs the screen, then lets the test go on.
(
  for _ in $(seq 600); do
    if [[ -f "$ART/menu-open" ]]; then
      sleep 1
      timeout 20 import -window root "$ART/tray-menu.png" || true
      touch "$ART/shot-taken"
      exit 0
    fi
    sleep 0.1
  done
) &
photographer=$!

rc=0
bw_wine_run 120 "$ART/tray-menu-test.out" "$ART/tray-menu-test.err" "$WIN64/bin/tray_program_wintest.exe" \
  TrayMenu.ConfigurationStarts || rc=$?
kill "$photographer" 2>/dev/null || true
wait "$photographer" 2>/dev/null || true
cat "$ART/tray-menu-test.out"
[[ $rc -eq 0 ]] || exit "$rc"
[[ -s "$ART/tray-menu.png" ]] || { echo "no picture taken"; exit 1; }
echo "picture: $ART/tray-menu.png"
