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
NAMES=(template_editor template_list)
mkdir -p "$ART"
for name in "${NAMES[@]}"; do rm -f "$ART/$name.ready" "$ART/$name.taken" "$ART/$name.png"; done
export BW_MANAGEMENT_SHOT_DIR="Z:${ART//\//\\}"
(
  for _ in $(seq 1800); do
    left=0
    for name in "${NAMES[@]}"; do
      if [[ -f "$ART/$name.ready" && ! -f "$ART/$name.taken" ]]; then
        sleep 1
        timeout 20 import -window root "$ART/$name.png" || true
        touch "$ART/$name.taken"
      fi
      [[ -f "$ART/$name.taken" ]] || left=1
    done
    [[ $left -eq 0 ]] && exit 0
    sleep 0.1
  done
) &
photographer=$!
rc=0
bw_wine_run 240 "$ART/template-list-test.out" "$ART/template-list-test.err" "$EXE" || rc=$?
kill "$photographer" 2>/dev/null || true
wait "$photographer" 2>/dev/null || true
cat "$ART/template-list-test.out"
[[ $rc -eq 0 ]] || exit "$rc"
for name in "${NAMES[@]}"; do
  [[ -s "$ART/$name.png" ]] || { echo "no picture $name"; exit 1; }
  rm -f "$ART/$name.ready" "$ART/$name.taken"
  echo "picture: $ART/$name.png"
done
