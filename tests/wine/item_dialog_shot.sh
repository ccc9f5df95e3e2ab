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
rm -f "$ART/item-native" "$ART/item-dialog-native.png"
# One run of the layout case photographs the SQL layout, then the native one.
bw_photograph_case "$ART" item-sql item-dialog-sql "$EXE" ItemDialog.TypingALocationSwitches &
first=$!
for _ in $(seq 600); do [[ -f "$ART/item-dialog-sql.png" ]] && break; sleep 0.1; done
for _ in $(seq 600); do [[ -f "$ART/item-native" ]] && break; sleep 0.1; done
sleep 1
timeout 20 import -window root "$ART/item-dialog-native.png" || true
touch "$ART/shot-taken"
wait "$first"
[[ -s "$ART/item-dialog-native.png" ]] || { echo "no picture of the native layout"; exit 1; }
echo "picture: $ART/item-dialog-native.png"
# The NAV 2016 stand-in chosen: the dialog with its version, then the advanced settings.
rm -f "$ART/item-advanced" "$ART/item-dialog-advanced.png"
bw_photograph_case "$ART" item-version item-dialog-version "$EXE" ItemDialog.ChosenClientShowsItsVersion &
second=$!
for _ in $(seq 600); do [[ -f "$ART/item-dialog-version.png" ]] && break; sleep 0.1; done
for _ in $(seq 600); do [[ -f "$ART/item-advanced" ]] && break; sleep 0.1; done
sleep 1
timeout 20 import -window root "$ART/item-dialog-advanced.png" || true
touch "$ART/shot-taken"
wait "$second"
[[ -s "$ART/item-dialog-advanced.png" ]] || { echo "no picture of the advanced settings"; exit 1; }
echo "picture: $ART/item-dialog-advanced.png"
bw_photograph_case "$ART" item-plugin item-dialog-plugin "$EXE" ItemDialog.PluginModeIsSmall
