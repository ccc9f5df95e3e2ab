# The SQL Server checks of bwconfig against the test suite's responders, shared by the native
# run and the run under Wine. Source it, define
#   tool OUT ERR INPUT ARGS...   runs bwconfig with INPUT as standard input; its exit code
# and call run_sql_checks WORK_DIR, with stop_responders in the caller's EXIT trap. Prints "ok: ..." or "FAILED: ..." per check; returns 1 when any failed.
# Everything listens and sends on 127.0.0.1 only; each responder ends by itself.

SERVERS_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
TDS_DRIVER=/usr/lib/x86_64-linux-gnu/odbc/libtdsodbc.so

_sql_failed=0
_pids=()

check() {  # check WHAT COMMAND...
  local what=$1
  shift
  if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; _sql_failed=1; fi
}

start_responder() {  # start_responder PORT_FILE SCRIPT ARGS...: waits (bounded) until it listens
  local port_file=$1 script=$2
  shift 2
  rm -f "$port_file"
  python3 "$SERVERS_DIR/$script" --port-file "$port_file" "$@" &
  local pid=$! i
  _pids+=("$pid")
  for i in $(seq 100); do
    [[ -s "$port_file" ]] && return 0
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  echo "responder $script did not start"
  return 1
}

# The resolution service's own port can be held for a while by another test run on this machine.
start_responder_on_1434() {  # start_responder_on_1434 PORT_FILE ARGS...
  local attempt
  for attempt in $(seq 30); do
    start_responder "$1" ssrp_responder.py --port 1434 "${@:2}" && return 0
    sleep 1
  done
  return 1
}

stop_responders() {
  local pid
  for pid in "${_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${_pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  _pids=()
}

# A port of 127.0.0.1 that nobody listens on (bound and released again).
free_port() {
  python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}

lines() { sed 's/\r$//' "$1"; }

expect_output() {  # expect_output FILE EXPECTED
  local got
  got=$(lines "$1")
  [[ "$got" == "$2" ]] || { printf 'expected:\n%s\ngot:\n%s\n' "$2" "$got"; return 1; }
}

expect_first_error() {  # expect_first_error ERR EXPECTED
  local got
  got=$(lines "$1" | grep -v '^wine\|^[0-9a-f]*:\(err\|fixme\|warn\)' | head -n 1)
  [[ "$got" == "$2" ]] || { printf 'expected on standard error:\n%s\ngot:\n%s\n' "$2" "$(lines "$1")"; return 1; }
}

tool_exits() {  # tool_exits CODE OUT ERR INPUT ARGS...
  local code=$1 rc=0
  shift
  tool "$@" || rc=$?
  [[ $rc -eq $code ]] || { echo "exit $rc, expected $code: ${*:4}"; cat "$2"; return 1; }
}

cannot_connect() { echo "Cannot connect to SQL Server '$1'. Please check server, username, and password."; }

run_sql_checks() {
  local work=$1
  mkdir -p "$work"

  # The driver manager finds FreeTDS under the names of the driver every Windows has and of the
  # newest SQL Server driver, which is the one to be chosen.
  printf '[%s]\nDescription=FreeTDS standing in for SQL Server\nDriver=%s\n' \
    "SQL Server" "$TDS_DRIVER" "ODBC Driver 18 for SQL Server" "$TDS_DRIVER" >"$work/odbcinst.ini"
  : >"$work/odbc.ini"
  printf '[global]\n\ttds version = 7.4\n' >"$work/freetds.conf"
  export ODBCSYSINI=$work ODBCINI=$work/odbc.ini FREETDSCONF=$work/freetds.conf

  # Discovery: two servers answering one request, one of them twice, between hostile datagrams,
  # and a third whose reply is longer than 8197 bytes.
  local long
  long=$(printf 'Version;8.00.194;%.0s' $(seq 600))
  start_responder "$work/ssrp.port" ssrp_responder.py --lifetime 60 \
    --raw "0:" --raw "0:0501" --typed "0:04:ServerName;EVIL;InstanceName;X;;" \
    --text "50:ServerName;SRV2;InstanceName;MSSQLSERVER;IsClustered;No;Version;8.00.194;;" \
    --text "50:ServerName;SRV1;InstanceName;NAV;IsClustered;No;Version;9.00.139;tcp;1433;;" \
    --raw "20:05ffff3b3b3b" \
    --text "400:ServerName;srv2;InstanceName;MSSQLSERVER;;" \
    --text "10:${long}ServerName;BIG;InstanceName;NAV;;"
  local ssrp
  ssrp=$(cat "$work/ssrp.port")
  check "discover lists the answering servers, sorted, each once" \
    tool_exits 0 "$work/discover.out" "$work/discover.err" "" discover --target "127.0.0.1:$ssrp" --wait 1500
  check "discover output" expect_output "$work/discover.out" $'BIG\\NAV\nSRV1\\NAV\nSRV2'
  check "discover of a closed port lists nothing and succeeds" \
    tool_exits 0 "$work/quiet.out" "$work/quiet.err" "" discover --target "127.0.0.1:$(free_port)" --wait 500
  check "discover of a closed port prints nothing" expect_output "$work/quiet.out" ""

  # Database listing against the TDS responder.
  local password='p;w=x{y' tds
  start_responder "$work/tds.port" tds_responder.py --lifetime 120 --user nav --password "$password" \
    --databases master,tempdb,model,msdb,CRONUS
  tds=$(cat "$work/tds.port")
  check "databases lists every database in the server's order (password with ; = {)" \
    tool_exits 0 "$work/list.out" "$work/list.err" "$password" databases --server "127.0.0.1,$tds" --user nav --password-stdin
  check "databases output" expect_output "$work/list.out" $'master\ntempdb\nmodel\nmsdb\nCRONUS'
  check "databases --test reports the connection" \
    tool_exits 0 "$work/test.out" "$work/test.err" "$password" databases --server "127.0.0.1,$tds" --user nav --password-stdin --test
  check "databases --test output" expect_output "$work/test.out" "Successfully connected to SQL Server '127.0.0.1,$tds'"
  check "a wrong password fails" \
    tool_exits 1 "$work/wrong.out" "$work/wrong.err" "p;w=x" databases --server "127.0.0.1,$tds" --user nav --password-stdin
  check "a wrong password gives the warning" expect_first_error "$work/wrong.err" "$(cannot_connect "127.0.0.1,$tds")"
  check "the newest SQL Server driver listed was used" grep -q 'through "ODBC Driver 18 for SQL Server"' "$work/wrong.err"
  local closed
  closed=$(free_port)
  check "a closed port fails" \
    tool_exits 1 "$work/closed.out" "$work/closed.err" "$password" databases --server "127.0.0.1,$closed" --user nav --password-stdin
  check "a closed port gives the warning" expect_first_error "$work/closed.err" "$(cannot_connect "127.0.0.1,$closed")"

  local slow
  start_responder "$work/slow.port" tds_responder.py --lifetime 60 --user nav --password x --query-delay 5000
  slow=$(cat "$work/slow.port")
  check "a query slower than its time-out fails instead of listing nothing" \
    tool_exits 1 "$work/slow.out" "$work/slow.err" "x" databases --server "127.0.0.1,$slow" --user nav --password-stdin
  check "the slow query gives the warning" expect_first_error "$work/slow.err" "$(cannot_connect "127.0.0.1,$slow")"
  check "the slow query printed no list" expect_output "$work/slow.out" ""

  # A named instance: the driver asks port 1434 of the host where the instance listens.
  if start_responder_on_1434 "$work/instance.port" --lifetime 60 --instance "NAV=$tds"; then
    check "a named instance is found through the resolution answer" \
      tool_exits 0 "$work/instance.out" "$work/instance.err" "$password" databases --server '127.0.0.1\NAV' --user nav --password-stdin
    check "the named instance's databases" expect_output "$work/instance.out" $'master\ntempdb\nmodel\nmsdb\nCRONUS'
  else
    echo "FAILED: port 1434 of 127.0.0.1 is taken"
    _sql_failed=1
  fi

  stop_responders
  return $_sql_failed
}
