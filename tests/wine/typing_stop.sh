#!/usr/bin/env bash
# Esc stops a long typing run: the case in typing_stop_wcase.exe types a template of several
# minutes into the client test double; this script presses Esc meanwhile as a person does
# (xdotool: real, not injected input).
# Usage: tests/wine/typing_stop.sh WIN64_BUILD [NATIVE_BUILD]
set -euo pipefail
cd "$(dirname "$0")/../.."
source tests/wine/handshake_lib.bash

press_keys() {
  if wait_for typing; then
    timeout 10 xdotool key Escape || true
    touch "$HANDSHAKE/esc-pressed"
  fi
}
run_with_presser "${1:-build/win64}" typing_stop_wcase
