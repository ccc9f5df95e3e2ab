#!/usr/bin/env bash
# A German keyboard's dead keys with completion on: on a display of its own with the German
# layout, xdotool presses the ^ key and then e (real key presses) into the client test double's
# editor, which must get one "ê"; " Rec." typed afterwards still opens the completion list. The
# case is the scenario case Completion.AGermanDeadKey... of completion_wintest.exe; it writes
# "ready" with the editor in front and "accent-seen" once the editor holds "ê".
# Usage: tests/wine/dead_keys.sh WIN64_BUILD [NATIVE_BUILD]
set -euo pipefail
cd "$(dirname "$0")/../.."
source tests/wine/handshake_lib.bash
source scripts/wine-env.sh

for tool in Xvfb setxkbmap; do
  command -v "$tool" >/dev/null || { echo "$tool is missing"; exit 77; }
done
# Never the display of the run that called us, nor the user's: the layout changes on a new Xvfb
# only, which keeps it (-noreset: without it the server goes back to its default keymap as soon as
# its last client leaves). Our set-up's cleanup ends it, and the prefix's Wine processes on it.
unset DISPLAY BW_WINE_READY
bw_start_display -noreset || exit 1
trap bw_wine_cleanup EXIT
BW_WINE_OWNER=$$
setxkbmap -display "$DISPLAY" de || { echo "setxkbmap cannot set the German layout"; exit 77; }

press_keys() {
  if wait_for ready; then
    # The X focus on the client's window, as a window manager gives it: Wine composes a dead key
    # with the next letter through the X input method, which it binds to a window as that window
    # gets the X focus (without one, the ^ and the e come as two keys and the e stays plain).
    local window
    window=$(timeout 5 xdotool search --onlyvisible --name '^Navision Test Client' | head -n 1) || true
    [[ -n "$window" ]] && { timeout 5 xdotool windowfocus --sync "$window" || true; }
    # Keycode 49 is the key left of 1, ^ on a German keyboard (a dead key).
    timeout 10 xdotool key --delay 100 49 e || true
  fi
  if wait_for accent-seen; then
    timeout 20 xdotool type --delay 100 " Rec." || true
  fi
}
run_with_presser "${1:-build/win64}" completion_wintest Completion.AGermanDeadKey
