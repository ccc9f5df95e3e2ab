#!/usr/bin/env bash
# Photographs both pages of the preferences dialog, the about box and the what's-new window of
# the real Brackwater.exe and keeps them as WIN64/artifacts/preferences-general.png,
# preferences-hotkeys.png, about-box.png and whats-new.png, for a person to look at. The cases of preferences_wintest write NAME.ready when
# a picture can be taken and wait for NAME.taken.
# Usage: tests/wine/preferences_shot.sh WIN64_BUILD [NATIVE_BUILD]
set -euo pipefail
cd "$(dirname "$0")/../.."
source scripts/wine-env.sh
bw_picture_setup "${1:-build/win64}" BW_PREFS_SHOT_DIR Brackwater.exe preferences_wintest.exe
EXE="$WIN64/bin/preferences_wintest.exe"
bw_photograph_program "$ART" preferences "$EXE" preferences-general preferences-hotkeys about-box whats-new
