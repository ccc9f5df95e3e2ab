#!/usr/bin/env bash
# The template editor on a double-byte code page: template_list_wintest.exe's case
# TemplateEditorCp932 run with Wine's code page at 932 (Wine takes it from the Unix locale,
# ja_JP.UTF-8, which scripts/install-deps.sh makes).
# Usage: tests/wine/template_editor_cp932.sh [WIN64_BUILD] [NATIVE_BUILD]
set -euo pipefail
cd "$(dirname "$0")/../.."
WIN64=$(realpath -m "${1:-build/win64}")
EXE="$WIN64/bin/template_list_wintest.exe"
[[ -f "$EXE" ]] || { echo "missing $EXE (build the win64 preset)"; exit 1; }
locale -a 2>/dev/null | grep -qix 'ja_JP.utf-\?8' || { echo "the ja_JP.UTF-8 locale is missing"; exit 77; }

source scripts/wine-env.sh
bw_wine_setup "$WIN64/wine-tests"
OUT="$WIN64/wine-tests/template-editor-cp932"
rm -rf "$OUT"
mkdir -p "$OUT"
rc=0
LC_ALL=ja_JP.UTF-8 bw_wine_run 180 "$OUT/case.out" "$OUT/case.err" "$EXE" TemplateEditorCp932 || rc=$?
cat "$OUT/case.out"
[[ $rc -eq 0 ]] || exit "$rc"
# The case really ran (a code page other than 932 would have skipped it).
grep -q '^\[       OK \] TemplateEditorCp932' "$OUT/case.out"
