#!/usr/bin/env bash
# Photographs the template editor and the template list of the real Brackwater.exe and keeps them
# as WIN64/artifacts/template_editor.png and template_list.png, for a person to look at. The case of
# template_list_wintest writes NAME.ready when the picture can be taken and waits for NAME.taken.
# Usage: tests/wine/template_list_shot.sh WIN64_BUILD [NATIVE_BUILD]
set -euo pipefail
cd "$(dirname "$0")/../.."
WIN64=$(realpath -m "${1:-build/win64}")
EXE="$WIN64/bin/template_list_wintest.exe"
[[ -f "$WIN64/bin/Brackwater.exe" && -f "$EXE" ]] || { echo "Brackwater.exe not built"; exit 77; }
command -v import >/dev/null || { echo "ImageMagick's import is missing"; exit 77; }

source scripts/wine-env.sh
bw_wine_setup "$WIN64/wine-tests"

ART="$WIN64/artifacts"
export BW_MANAGEMENT_SHOT_DIR="Z:${ART//\//\\}"
bw_photograph_program "$ART" template-list "$EXE" template_editor template_list
