#!/usr/bin/env bash
# Photographs the Insert Template dialog showing a template with tags (which are to be red) and
# keeps the picture as WIN64/artifacts/insert-template.png, for a person to look at. The preview
# case of dialogs_wintest writes a marker while the dialog shows and waits for the shot.
# Usage: tests/wine/insert_template_shot.sh WIN64_BUILD [NATIVE_BUILD]
set -euo pipefail
cd "$(dirname "$0")/../.."
source scripts/wine-env.sh
bw_picture_setup "${1:-build/win64}" BW_DIALOG_SHOT_DIR dialogs_wintest.exe
bw_photograph_case "$ART" insert-open insert-template "$WIN64/bin/dialogs_wintest.exe" InsertTemplate.ThePreviewShowsTagsRed
