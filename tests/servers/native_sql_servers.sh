#!/usr/bin/env bash
# bwconfig discover and databases end to end against the responders, natively (unixODBC + FreeTDS).
# Usage: tests/servers/native_sql_servers.sh BWCONFIG WORK_DIR
set -euo pipefail
TOOL=$1
WORK=$2
source "$(dirname "$0")/sql_checks.sh"

tool() {  # tool OUT ERR INPUT ARGS...
  local out=$1 err=$2 input=$3
  shift 3
  printf '%s\n' "$input" | timeout -k 5 60 "$TOOL" "$@" >"$out" 2>"$err"
}

trap stop_responders EXIT
rm -rf "$WORK"
run_sql_checks "$WORK"
