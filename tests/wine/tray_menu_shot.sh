#!/usr/bin/env bash
# Photographs the open tray menu of the real Brackwater.exe (with one configuration in it) and
# keeps the picture as WIN64/artifacts/tray-menu.png, for a person to look at the margin and the
# entries. The menu case of tray_program_wintest opens the menu and waits for the shot. The
# margin's pixels are checked (margin_pixels.py): its gradient, lines, picture and text.
# Usage: tests/wine/tray_menu_shot.sh WIN64_BUILD [NATIVE_BUILD]
set -euo pipefail
cd "$(dirname "$0")/../.."
source scripts/wine-env.sh
bw_picture_setup "${1:-build/win64}" BW_TRAY_SHOT_DIR Brackwater.exe tray_program_wintest.exe
bw_photograph_case "$ART" menu-open tray-menu "$WIN64/bin/tray_program_wintest.exe" TrayMenu.ConfigurationStarts
convert "$ART/tray-menu.png" -depth 8 ppm:- | python3 tests/wine/margin_pixels.py
