#!/usr/bin/env bash
# Photographs the template editor and the template list of the real Brackwater.exe and keeps them
# as WIN64/artifacts/template_editor.png and template_list.png, for a person to look at. The case of
# template_list_wintest writes NAME.ready when the picture can be taken and waits for NAME.taken.
# Usage: tests/wine/template_list_shot.sh WIN64_BUILD [NATIVE_BUILD]
set -euo pipefail
cd "$(dirname "$0")/../.."
source scripts/wine-env.sh
bw_picture_setup "${1:-build/win64}" BW_MANAGEMENT_SHOT_DIR Brackwater.exe template_list_wintest.exe
EXE="$WIN64/bin/template_list_wintest.exe"
bw_photograph_program "$ART" template-list "$EXE" template_editor template_list
