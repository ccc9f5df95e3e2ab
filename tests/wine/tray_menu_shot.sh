#!/usr/bin/env bash
# Photographs the open tray menu of the real Brackwater.exe (with one configuration in it) and
# keeps the picture as WIN64/artifacts/tray-menu.png, for a person to look at the margin and the
# entries. The menu case of tray_program_wintest opens the menu and waits for the shot. The
# margin's pixels are checked (margin_pixels.py): its gradient, lines, picture and text.
# Usage: tests/wine/tray_menu_shot.sh WIN64_BUILD [NATIVE_BUILD]
set -euo pipefail
cd "$(dirname "$0")/../.."
WIN64=$(realpath -m "${1:-build/win64}")
[[ -f "$WIN64/bin/Brackwater.exe" && -f "$WIN64/bin/tray_program_wintest.exe" ]] || { echo "Brackwater.exe not built"; exit 77; }
command -v import >/dev/null || { echo "ImageMagick's import is missing"; exit 77; }

source scripts/wine-env.sh
bw_wine_setup "$WIN64/wine-tests"

ART="$WIN64/artifacts"
export BW_TRAY_SHOT_DIR="Z:${ART//\//\\}"
bw_photograph_case "$ART" menu-open tray-menu "$WIN64/bin/tray_program_wintest.exe" TrayMenu.ConfigurationStarts
convert "$ART/tray-menu.png" -depth 8 ppm:- | python3 tests/wine/margin_pixels.py
