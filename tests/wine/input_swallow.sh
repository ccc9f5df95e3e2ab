#!/usr/bin/env bash
# Keys pressed while Brackwater types a long template never reach the editor: the case in
# input_swallow_wcase.exe types the template into the client test double; this script presses
# keys meanwhile as a person does (xdotool: real, not injected input), then once more after the
# template is in, which must arrive.
# The keyboard comes back to the user as the typing run ends, which may be a moment after the
# last character shows: the key afterwards is pressed again (a few times at most) until the case
# has seen it; a key that arrived late shows as a second "q" and fails the case.
# Usage: tests/wine/input_swallow.sh WIN64_BUILD [NATIVE_BUILD]
set -euo pipefail
cd "$(dirname "$0")/../.."
WIN64=$(realpath -m "${1:-build/win64}")
EXE="$WIN64/bin/input_swallow_wcase.exe"
[[ -f "$EXE" ]] || { echo "input_swallow_wcase.exe not built"; exit 77; }
command -v xdotool >/dev/null || { echo "xdotool is missing"; exit 77; }

source scripts/wine-env.sh
bw_wine_setup "$WIN64/wine-tests"

HANDSHAKE="$WIN64/artifacts/input-swallow"
rm -rf "$HANDSHAKE"
mkdir -p "$HANDSHAKE"

# Waits (bounded, 60 s unless given in tenths of a second) for a file of the case.
wait_for() {
  for _ in $(seq "${2:-600}"); do
    [[ -f "$HANDSHAKE/$1" ]] && return 0
    sleep 0.1
  done
  return 1
}

(
  if wait_for typing; then
    timeout 20 xdotool type --delay 80 "zzzzzz" || true
    timeout 10 xdotool key --delay 80 Return BackSpace || true
    timeout 10 xdotool click 1 || true
    touch "$HANDSHAKE/keys-pressed"
  fi
  if wait_for typed; then
    presses=0
    while ((presses < 5)); do
      timeout 10 xdotool type --delay 80 "q" || true
      presses=$((presses + 1))
      wait_for seen-q 30 && break
    done
    echo "q pressed $presses time(s) after the template was in"
    touch "$HANDSHAKE/keys-after"
  fi
) &
presser=$!
rc=0
bw_wine_run 180 "$HANDSHAKE/case.out" "$HANDSHAKE/case.err" "$EXE" "Z:${HANDSHAKE//\//\\}" || rc=$?
kill "$presser" 2>/dev/null || true
wait "$presser" 2>/dev/null || true
cat "$HANDSHAKE/case.out"
exit "$rc"
