#!/usr/bin/env bash
# Runs the Windows tests under Wine, all in one prefix under the build folder:
#   every bin/NAME_wintest.exe built from tests/wine/NAME_wintest.cpp (prints its cases, exits 0 when
#   all pass; one with a case that could not run, SKIP_CASE, is reported as skipped); a source
#   without its program is a failure
#   every tests/wine/*.sh scenario (called with the win64 and native build folders; exit 0 passes,
#   77 means it cannot run and is reported as skipped; under CI=true a skip is a failure).
# Usage: scripts/test-wine.sh [WIN64_BUILD] [NATIVE_BUILD]. Appends "PASS name"/"FAIL name"/"SKIP name"
# lines to $BW_RESULTS when it is set. A failure is run once more (see verdict below). Ends with
# "wine tests: N passed, M failed[, K skipped][, R of them passed only on a second run]".
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

# Timing under Wine differs from run to run (Wine's input and focus handling run in the
# programs' own threads, which a busy machine delays): a program or scenario that fails is run
# once more in a fresh prefix. One that passes then is reported as passing on a second run, with
# the first run's log kept beside it, and counted in the closing line; two failures fail.
retried=0

# run_program NAME EXE: one run of a test program; prints its verdict line "PASS|FAIL|SKIP text".
run_program() {
  local name=$1 exe=$2 rc=0 skips cases
  fresh_prefix
  bw_wine_run "$PROGRAM_SECONDS" "$LOGS/$name.out" "$LOGS/$name.err" "$exe" || rc=$?
  # A program that was ended from outside can exit with 0 half-way: only its closing line counts.
  if [[ $rc -eq 0 ]] && ! grep -q '^\[  PASSED  \] [0-9]* tests\.' "$LOGS/$name.out"; then
    tail -n 5 "$LOGS/$name.out" >&2 || true
    echo "FAIL $name (ended without its closing line, log $LOGS/$name.out)"
  elif [[ $rc -eq 0 ]]; then
    # A case that could not run is a skip like a scenario that could not (a failure under CI).
    skips=$(grep -c '^\[  SKIPPED \] .* (' "$LOGS/$name.out" || true)
    cases="$(grep -c '^\[       OK \]' "$LOGS/$name.out" || true) cases"
    if [[ $skips -eq 0 ]]; then
      echo "PASS $name ($cases)"
    else
      grep '^\[  SKIPPED \] .* (' "$LOGS/$name.out" >&2 || true
      echo "SKIP $name ($cases passed, $skips skipped)"
    fi
  else
    grep -E 'Failure|FAILED|^  |received' "$LOGS/$name.out" | head -n 40 >&2 || true
    tail -n 5 "$LOGS/$name.err" >&2 || true
    echo "FAIL $name (exit $rc, log $LOGS/$name.out)"
  fi
}

# run_scenario NAME SCRIPT: one run of a scenario; prints its verdict line.
run_scenario() {
  local name=$1 script=$2 rc=0
  fresh_prefix
  timeout -k 5 "$SCENARIO_SECONDS" bash "$script" "$WIN64" "$NATIVE" >"$LOGS/$name.log" 2>&1 </dev/null || rc=$?
  case $rc in
    0) echo "PASS $name" ;;
    77) echo "SKIP $name ($(tail -n 1 "$LOGS/$name.log"))" ;;
    *) tail -n 20 "$LOGS/$name.log" >&2; echo "FAIL $name (exit $rc, log $LOGS/$name.log)" ;;
  esac
}

# verdict NAME RUNNER...: runs it, and once more after a failure; records the outcome.
verdict() {
  local name=$1 line log
  line=$("${@:2}")
  if [[ $line == FAIL* ]]; then
    echo "first run failed: ${line#FAIL }; running it once more"
    for log in "$LOGS/$name".{out,err,log}; do
      if [[ -f $log ]]; then mv "$log" "${log%.*}.first.${log##*.}"; fi
    done
    line=$("${@:2}")
    if [[ $line == PASS* ]]; then
      retried=$((retried + 1))
      line="$line; passed on a second run, the first run's log is $LOGS/$name.first.*"
    fi
  fi
  record "${line%% *}" "${line#* }"
}

shopt -s nullglob
for source in tests/wine/*_wintest.cpp; do
  name=$(basename "$source" .cpp)
  exe="$WIN64/bin/$name.exe"
  if [[ ! -f "$exe" ]]; then
    record FAIL "$name (not built: $exe)"
    continue
  fi
  verdict "$name" run_program "$name" "$exe"
done

for script in tests/wine/*.sh; do
  verdict "$(basename "$script" .sh)" run_scenario "$(basename "$script" .sh)" "$script"
done

echo "wine tests: $passed passed, $failed failed$([[ $skipped -eq 0 ]] || echo ", $skipped skipped")$([[ $retried -eq 0 ]] || echo ", $retried of them passed only on a second run")"
[[ $failed -eq 0 && $passed -gt 0 ]] || exit 1
[[ $skipped -eq 0 || "${CI:-}" != true ]]
