#!/usr/bin/env bash
# The configuration dialog's SQL Server side under Wine against the test suite's responders:
# the server list filled by discovery from the SSRP responder, the database button listing the
# TDS responder's databases through odbc32 (handed by Wine to unixODBC and FreeTDS; the query
# takes a moment, while another window is active), and the "Test..." button with a right and a
# wrong password.
# Usage: tests/wine/item_dialog_sql.sh [WIN64_BUILD] [NATIVE_BUILD]
set -euo pipefail
cd "$(dirname "$0")/../.."

WIN64=$(realpath -m "${1:-build/win64}")
EXE="$WIN64/bin/item_dialog_wintest.exe"
[[ -f "$EXE" ]] || { echo "missing $EXE (build the win64 preset)"; exit 1; }

source scripts/wine-env.sh
source tests/servers/sql_checks.sh
bw_wine_setup "$WIN64/wine-tests"
trap 'stop_responders; bw_wine_cleanup' EXIT

WORK="$WIN64/wine-tests/item-dialog-sql"
rm -rf "$WORK"
mkdir -p "$WORK"
printf '[SQL Server]\nDescription=FreeTDS standing in for SQL Server\nDriver=%s\n' "$TDS_DRIVER" >"$WORK/odbcinst.ini"
: >"$WORK/odbc.ini"
printf '[global]\n\ttds version = 7.4\n' >"$WORK/freetds.conf"
export ODBCSYSINI=$WORK ODBCINI=$WORK/odbc.ini FREETDSCONF=$WORK/freetds.conf

start_responder "$WORK/ssrp.port" ssrp_responder.py --lifetime 120 \
  --text "0:ServerName;SRV2;InstanceName;MSSQLSERVER;;" \
  --text "100:ServerName;SRV1;InstanceName;NAV;IsClustered;No;Version;9.00.139;;"
start_responder "$WORK/tds.port" tds_responder.py --lifetime 120 --user nav --password 'p;w=x{y' \
  --databases master,tempdb,model,msdb,CRONUS --query-delay 1500
export BW_SSRP_PORT=$(cat "$WORK/ssrp.port") BW_TDS_PORT=$(cat "$WORK/tds.port")

rc=0
bw_wine_run 180 "$WORK/cases.out" "$WORK/cases.err" "$EXE" ItemDialogSql || rc=$?
cat "$WORK/cases.out"
[[ $rc -eq 0 ]] || { tail -n 20 "$WORK/cases.err"; exit "$rc"; }
# Both cases really ran: each passed and reported its checks.
[[ $(grep -c '^\[       OK \] ItemDialogSql' "$WORK/cases.out") -eq 2 ]]
