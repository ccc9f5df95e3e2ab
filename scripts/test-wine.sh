#!/usr/bin/env bash
# Runs the Windows tests under Wine, all in one prefix under the build folder:
#   every bin/NAME_wintest.exe built from tests/wine/NAME_wintest.cpp (prints its cases, exits 0 when
#   all pass; one with a case that could not run, SKIP_CASE, is reported as skipped); a source
#   without its program is a failure
#   every tests/wine/*.sh scenario (called with the win64 and native build folders; exit 0 passes,
#   77 means it cannot run and is reported as skipped; under CI=true a skip is a failure).
# Usage: scripts/test-wine.sh [WIN64_BUILD] [NATIVE_BUILD]. Appends "PASS name"/"FAIL name"/"SKIP name"
# lines to $BW_RESULTS when it is set. Ends with "wine tests: N passed, M failed[, K skipped]".
set -euo pipefail
cd "$(dirname "$0")/.."

WIN64=$(realpath -m "${1:-build/win64}")
NATIVE=$(realpath -m "${2:-build/native}")
WINE_DIR="$WIN64/wine-tests"
LOGS="$WINE_DIR/logs"
PROGRAM_SECONDS=${BW_WINE_TEST_SECONDS:-180}
SCENARIO_SECONDS=${BW_WINE_SCENARIO_SECONDS:-300}

source scripts/wine-env.sh
rm -rf "$LOGS"
mkdir -p "$LOGS"

passed=0
failed=0
skipped=0
record() {  # record PASS|FAIL|SKIP NAME
  echo "$1: $2"
  case $1 in
    PASS) passed=$((passed + 1)) ;;
    SKIP) skipped=$((skipped + 1)) ;;
    *) failed=$((failed + 1)) ;;
  esac
  if [[ -n "${BW_RESULTS:-}" ]]; then echo "$1 $2" >>"$BW_RESULTS"; fi
}

if ! bw_wine_setup "$WINE_DIR"; then
  record FAIL "wine set-up"
  exit 1
fi
echo "wine tests: prefix $WINEPREFIX, display $DISPLAY, logs in $LOGS"

# Every program and scenario starts with no Wine process of an earlier one left in the prefix (a
# Brackwater left running would answer for the next one's, or hold its single-instance mutex).
fresh_prefix() {
  timeout 30 wineserver -k >/dev/null 2>&1 </dev/null || true
  timeout 30 wineserver -w >/dev/null 2>&1 </dev/null || true
  bw_wine_server_start
}

shopt -s nullglob
for source in tests/wine/*_wintest.cpp; do
  name=$(basename "$source" .cpp)
  exe="$WIN64/bin/$name.exe"
  if [[ ! -f "$exe" ]]; then
    record FAIL "$name (not built: $exe)"
    continue
  fi
  rc=0
  fresh_prefix
  bw_wine_run "$PROGRAM_SECONDS" "$LOGS/$name.out" "$LOGS/$name.err" "$exe" || rc=$?
  # A program that was ended from outside can exit with 0 half-way: only its closing line counts.
  if [[ $rc -eq 0 ]] && ! grep -q '^\[  PASSED  \] [0-9]* tests\.' "$LOGS/$name.out"; then
    tail -n 5 "$LOGS/$name.out" || true
    record FAIL "$name (ended without its closing line, log $LOGS/$name.out)"
    continue
  fi
  if [[ $rc -eq 0 ]]; then
    # A case that could not run is a skip like a scenario that could not (a failure under CI).
    skips=$(grep -c '^\[  SKIPPED \] .* (' "$LOGS/$name.out" || true)
    cases="$(grep -c '^\[       OK \]' "$LOGS/$name.out" || true) cases"
    if [[ $skips -eq 0 ]]; then
      record PASS "$name ($cases)"
    else
      grep '^\[  SKIPPED \] .* (' "$LOGS/$name.out" || true
      record SKIP "$name ($cases passed, $skips skipped)"
    fi
  else
    grep -E 'Failure|FAILED|^  ' "$LOGS/$name.out" | head -n 40 || true
    tail -n 5 "$LOGS/$name.err" || true
    record FAIL "$name (exit $rc, log $LOGS/$name.out)"
  fi
done

for script in tests/wine/*.sh; do
  name=$(basename "$script" .sh)
  rc=0
  fresh_prefix
  timeout -k 5 "$SCENARIO_SECONDS" bash "$script" "$WIN64" "$NATIVE" >"$LOGS/$name.log" 2>&1 </dev/null || rc=$?
  case $rc in
    0) record PASS "$name" ;;
    77) record SKIP "$name ($(tail -n 1 "$LOGS/$name.log"))" ;;
    *) tail -n 20 "$LOGS/$name.log"; record FAIL "$name (exit $rc, log $LOGS/$name.log)" ;;
  esac
done

echo "wine tests: $passed passed, $failed failed$([[ $skipped -eq 0 ]] || echo ", $skipped skipped")"
[[ $failed -eq 0 && $passed -gt 0 ]] || exit 1
[[ $skipped -eq 0 || "${CI:-}" != true ]]
