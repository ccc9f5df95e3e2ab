#!/usr/bin/env bash
# Keys pressed while Brackwater types a long template never reach the editor: the case in
# input_swallow_wcase.exe types the template into the client test double; this script presses
# keys meanwhile as a person does (xdotool: real, not injected input), then once more after the
# template is in, which must arrive. The left button, pressed on the editor before the run,
# comes up during it.
# The keyboard comes back to the user as the typing run ends, which may be a moment after the
# last character shows: the key afterwards is pressed again (a few times at most) until the case
# has seen it; a key that arrived late shows as a second "q" and fails the case.
# Usage: tests/wine/input_swallow.sh WIN64_BUILD [NATIVE_BUILD]
set -euo pipefail
cd "$(dirname "$0")/../.."
source tests/wine/handshake_lib.bash

press_keys() {
  if wait_for button-at; then
    # shellcheck disable=SC2046
    timeout 10 xdotool mousemove $(cat "$HANDSHAKE/button-at") mousedown 1 || true
    touch "$HANDSHAKE/button-down"
  fi
  if wait_for typing; then
    timeout 10 xdotool mouseup 1 || true
    timeout 20 xdotool type --delay 80 "zzzzzz" || true
    timeout 10 xdotool key --delay 80 Return BackSpace || true
    timeout 10 xdotool click 1 || true
    touch "$HANDSHAKE/keys-pressed"
  fi
  if wait_for typed; then
    local presses=0
    while ((presses < 5)); do
      timeout 10 xdotool type --delay 80 "q" || true
      presses=$((presses + 1))
      wait_for seen-q 30 && break
    done
    echo "q pressed $presses time(s) after the template was in"
    touch "$HANDSHAKE/keys-after"
  fi
}
run_with_presser "${1:-build/win64}" input_swallow_wcase
