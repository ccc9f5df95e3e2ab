#!/usr/bin/env bash
# Builds the 64-bit Windows programs when needed and runs Brackwater under Wine.
# When the tray program is not built, it shows a sample settings file with the settings tool instead.
# BW_RUN_TIMEOUT (default 12h) bounds the run.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
if [[ ! -f build/win64/build.ninja ]]; then cmake --preset win64 >/dev/null; fi
cmake --build build/win64 -j 2

BIN=$(realpath build/win64/bin)
RUN_DIR=$(realpath -m build/win64/wine-run)
source scripts/wine-env.sh
bw_wine_setup "$RUN_DIR"
if [[ -n "${BW_XVFB_PID:-}" ]]; then
  echo "No usable display: Wine draws on a virtual X server ($DISPLAY), so its windows stay invisible."
fi

windows_path() { local path; path=$(realpath -m "$1"); echo "Z:${path//\//\\}"; }

if [[ -f "$BIN/Brackwater.exe" ]]; then
  log="$RUN_DIR/brackwater.log"
  if [[ -f "$BIN/finsql.exe" ]]; then
    # A stand-in for the Navision client with a C/AL editor, to try the hotkeys on: select lines
    # there and press Shift+Ctrl+. to indent them. It ends when Brackwater's run ends.
    "$WINELOADER" "$BIN/finsql.exe" "/text=$(windows_path scripts/sample/codeunit.txt)" "/caret=2,1" >"$RUN_DIR/finsql.log" 2>&1 </dev/null &
    echo "A stand-in C/AL editor (finsql.exe) is open to try the hotkeys on."
  fi
  echo "Starting Brackwater under Wine; it lives in the notification area."
  echo "It runs until you choose Exit in its tray menu, or press Ctrl+C here. Wine's messages go to $log."
  rc=0
  timeout "${BW_RUN_TIMEOUT:-12h}" "$WINELOADER" "$BIN/Brackwater.exe" >"$log" 2>&1 </dev/null || rc=$?
  if [[ $rc -eq 124 ]]; then echo "Brackwater was stopped after the time limit (${BW_RUN_TIMEOUT:-12h})."
  else echo "Brackwater ended (exit code $rc)."; fi
  exit "$rc"
fi

if [[ ! -f "$BIN/bwconfig.exe" ]]; then
  echo "Neither Brackwater.exe nor the settings tool bwconfig.exe is built yet in $BIN." >&2
  exit 1
fi

echo "Brackwater.exe is not built, so here is the settings tool instead:"
echo "bwconfig.exe turns a sample into an enciphered configuration file and shows it back."
sample=$(windows_path tests/wine/data/settings.json)
config="$RUN_DIR/Sample.config"
bw_wine_run 60 "$RUN_DIR/convert.out" "$RUN_DIR/convert.err" "$BIN/bwconfig.exe" convert "$sample" "$(windows_path "$config")" ||
  { cat "$RUN_DIR/convert.err" >&2; exit 1; }
bw_wine_run 60 "$RUN_DIR/show.out" "$RUN_DIR/show.err" "$BIN/bwconfig.exe" show "$(windows_path "$config")" ||
  { cat "$RUN_DIR/show.err" >&2; exit 1; }
echo
echo "bwconfig.exe show $config"
tr -d '\r' <"$RUN_DIR/show.out"
