# What the scenarios share that press real keys (xdotool: not injected input) while a case
# program runs (input_swallow.sh, typing_stop.sh, dead_keys.sh). The scenario defines press_keys,
# which runs in the background with HANDSHAKE set to the folder of the handshake files, then calls
#   run_with_presser WIN64_BUILD PROGRAM [CASE]
# which runs bin/PROGRAM.exe with that folder as its argument (or, given CASE, with CASE as its
# argument and the folder in BW_HANDSHAKE), shows its output and exits with its code (77 when
# the program or xdotool is missing).

# wait_for NAME [TENTHS]: waits (bounded, 60 s unless given in tenths of a second) for a
# handshake file.
wait_for() {
  local _
  for _ in $(seq "${2:-600}"); do
    [[ -f "$HANDSHAKE/$1" ]] && return 0
    sleep 0.1
  done
  return 1
}

run_with_presser() {
  local win64 exe presser rc=0
  win64=$(realpath -m "$1")
  exe="$win64/bin/$2.exe"
  [[ -f "$exe" ]] || { echo "$2.exe not built"; exit 77; }
  command -v xdotool >/dev/null || { echo "xdotool is missing"; exit 77; }
  source scripts/wine-env.sh
  bw_wine_setup "$win64/wine-tests"
  HANDSHAKE="$win64/artifacts/$2"
  rm -rf "$HANDSHAKE"
  mkdir -p "$HANDSHAKE"
  local folder="Z:${HANDSHAKE//\//\\}" argument
  if [[ $# -gt 2 ]]; then
    argument=$3
    export BW_HANDSHAKE=$folder
  else
    argument=$folder
  fi
  press_keys &
  presser=$!
  bw_wine_run 180 "$HANDSHAKE/case.out" "$HANDSHAKE/case.err" "$exe" "$argument" || rc=$?
  kill "$presser" 2>/dev/null || true
  wait "$presser" 2>/dev/null || true
  cat "$HANDSHAKE/case.out"
  exit "$rc"
}
