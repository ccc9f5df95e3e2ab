#!/usr/bin/env bash
# bwconfig.exe discover and databases under Wine against the test suite's responders: Winsock
# for discovery, and odbc32, which Wine hands to the host's unixODBC and its FreeTDS driver.
# Usage: tests/wine/sql_servers.sh [WIN64_BUILD] [NATIVE_BUILD]
set -euo pipefail
cd "$(dirname "$0")/../.."

WIN64=$(realpath -m "${1:-build/win64}")
TOOL="$WIN64/bin/bwconfig.exe"
[[ -f "$TOOL" ]] || { echo "missing $TOOL (build the win64 preset)"; exit 1; }

source scripts/wine-env.sh
source tests/servers/sql_checks.sh
bw_wine_setup "$WIN64/wine-tests"
trap 'stop_responders; bw_wine_cleanup' EXIT

tool() {  # tool OUT ERR INPUT ARGS...: bwconfig.exe under Wine, INPUT as its standard input
  local out=$1 err=$2 input=$3
  shift 3
  local rc=0
  printf '%s\r\n' "$input" | timeout -k 5 90 "$WINELOADER" "$TOOL" "$@" >"$out" 2>"$err" || rc=$?
  [[ $rc -eq 124 || $rc -eq 137 ]] && echo "timed out: $*" >>"$err"
  return $rc
}

WORK="$WIN64/wine-tests/sql-servers"
rm -rf "$WORK"
run_sql_checks "$WORK"
