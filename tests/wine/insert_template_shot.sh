#!/usr/bin/env bash
# Photographs the Insert Template dialog showing a template with tags (which are to be red) and
# keeps the picture as WIN64/artifacts/insert-template.png, for a person to look at. The preview
# case of dialogs_wintest writes a marker while the dialog shows and waits for the shot.
# Usage: tests/wine/insert_template_shot.sh WIN64_BUILD [NATIVE_BUILD]
set -euo pipefail
cd "$(dirname "$0")/../.."
WIN64=$(realpath -m "${1:-build/win64}")
[[ -f "$WIN64/bin/dialogs_wintest.exe" ]] || { echo "dialogs_wintest.exe not built"; exit 77; }
command -v import >/dev/null || { echo "ImageMagick's import is missing"; exit 77; }

source scripts/wine-env.sh
bw_wine_setup "$WIN64/wine-tests"

ART="$WIN64/artifacts"
mkdir -p "$ART"
rm -f "$ART/insert-open" "$ART/shot-taken" "$ART/insert-template.png"
export BW_DIALOG_SHOT_DIR="Z:${ART//\//\\}"

# Waits (bounded) for the test's marker, photographs the screen, then lets the test go on.
(
  for _ in $(seq 600); do
    if [[ -f "$ART/insert-open" ]]; then
      sleep 1
      timeout 20 import -window root "$ART/insert-template.png" || true
      touch "$ART/shot-taken"
      exit 0
    fi
    sleep 0.1
  done
) &
photographer=$!

rc=0
bw_wine_run 120 "$ART/insert-template-test.out" "$ART/insert-template-test.err" "$WIN64/bin/dialogs_wintest.exe" \
  InsertTemplate.ThePreviewShowsTagsRed || rc=$?
kill "$photographer" 2>/dev/null || true
wait "$photographer" 2>/dev/null || true
cat "$ART/insert-template-test.out"
[[ $rc -eq 0 ]] || exit "$rc"
[[ -s "$ART/insert-template.png" ]] || { echo "no picture taken"; exit 1; }
echo "picture: $ART/insert-template.png"
