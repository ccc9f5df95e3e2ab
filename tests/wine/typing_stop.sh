#!/usr/bin/env bash
# Esc stops a long typing run: the case in typing_stop_wcase.exe types a template of several
# minutes into the client test double; this script presses Esc meanwhile as a person does
# (xdotool: real, not injected input).
# Usage: tests/wine/typing_stop.sh WIN64_BUILD [NATIVE_BUILD]
set -euo pipefail
cd "$(dirname "$0")/../.."
WIN64=$(realpath -m "${1:-build/win64}")
EXE="$WIN64/bin/typing_stop_wcase.exe"
[[ -f "$EXE" ]] || { echo "typing_stop_wcase.exe not built"; exit 77; }
command -v xdotool >/dev/null || { echo "xdotool is missing"; exit 77; }

source scripts/wine-env.sh
bw_wine_setup "$WIN64/wine-tests"

HANDSHAKE="$WIN64/artifacts/typing-stop"
rm -rf "$HANDSHAKE"
mkdir -p "$HANDSHAKE"

(
  for _ in $(seq 600); do
    [[ -f "$HANDSHAKE/typing" ]] && break
    sleep 0.1
  done
  if [[ -f "$HANDSHAKE/typing" ]]; then
    timeout 10 xdotool key Escape || true
    touch "$HANDSHAKE/esc-pressed"
  fi
) &
presser=$!
rc=0
bw_wine_run 180 "$HANDSHAKE/case.out" "$HANDSHAKE/case.err" "$EXE" "Z:${HANDSHAKE//\//\\}" || rc=$?
kill "$presser" 2>/dev/null || true
wait "$presser" 2>/dev/null || true
cat "$HANDSHAKE/case.out"
exit "$rc"
