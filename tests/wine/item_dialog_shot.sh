#!/usr/bin/env bash
# Photographs the configuration dialog in its SQL and native layouts, with a NAV 2016 client's
# version and its advanced settings, and in plug-in mode, and keeps the pictures as
# WIN64/artifacts/item-dialog-{sql,native,version,advanced,plugin}.png for a person to look at. The layout cases of item_dialog_wintest write a marker while the dialog shows and wait for
# the shot.
# Usage: tests/wine/item_dialog_shot.sh WIN64_BUILD [NATIVE_BUILD]
set -euo pipefail
cd "$(dirname "$0")/../.."
source scripts/wine-env.sh
bw_picture_setup "${1:-build/win64}" BW_DIALOG_SHOT_DIR item_dialog_wintest.exe
EXE="$WIN64/bin/item_dialog_wintest.exe"
mkdir -p "$ART"

# photograph_twice CASE FIRST SECOND WHAT: one run of CASE, which shows the dialog twice (markers
# item-FIRST, then item-SECOND), photographed as item-dialog-FIRST.png and item-dialog-SECOND.png.
# A case that fails is counted, and the pictures after it are still taken.
failed=0
photograph_twice() {
  local case=$1 first=$2 second=$3 what=$4 run
  rm -f "$ART/item-$second" "$ART/item-dialog-$second.png"
  bw_photograph_case "$ART" "item-$first" "item-dialog-$first" "$EXE" "$case" &
  run=$!
  for _ in $(seq 600); do [[ -f "$ART/item-dialog-$first.png" ]] && break; sleep 0.1; done
  for _ in $(seq 600); do [[ -f "$ART/item-$second" ]] && break; sleep 0.1; done
  sleep 1
  timeout 20 import -window root "$ART/item-dialog-$second.png" || true
  touch "$ART/shot-taken"
  wait "$run" || failed=1
  [[ -s "$ART/item-dialog-$second.png" ]] || { echo "no picture of $what"; failed=1; return 0; }
  echo "picture: $ART/item-dialog-$second.png"
}

# The layout case: the SQL layout, then the native one.
photograph_twice ItemDialog.TypingALocationSwitches sql native "the native layout"
# The NAV 2016 stand-in chosen: the dialog with its version, then the advanced settings.
photograph_twice ItemDialog.ChosenClientShowsItsVersion version advanced "the advanced settings"
bw_photograph_case "$ART" item-plugin item-dialog-plugin "$EXE" ItemDialog.PluginModeIsSmall
exit "$failed"
