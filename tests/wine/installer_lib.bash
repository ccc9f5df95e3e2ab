# Helpers of the installer scenarios (installer.sh, installer_signed.sh), sourced after WORK is set
# and Wine is set up (scripts/wine-env.sh).
failures=0
ok() { echo "ok: $*"; }
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
check() {  # check WHAT COMMAND...
  local what=$1
  shift
  if "$@"; then ok "$what"; else fail "$what"; fi
}
absent() { ! "$@" >/dev/null; }

run=0
wine_run() {  # wine_run SECONDS PROGRAM ARGS...: output in $WORK/run-N.out/.err; exit code kept
  local seconds=$1
  shift
  run=$((run + 1))
  LAST_OUT="$WORK/run-$run.out"
  bw_wine_run "$seconds" "$LAST_OUT" "$WORK/run-$run.err" "$@"
}
wait_until() {  # wait_until SECONDS COMMAND...: polls twice a second
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    [[ $SECONDS -lt $deadline ]] || return 1
    sleep 0.5
  done
}
