#!/usr/bin/env bash
# Photographs the management window of the real Brackwater.exe after a drag in its configuration
# tree and keeps it as WIN64/artifacts/management.png, for a person to look at. The case of
# management_wintest writes NAME.ready when the picture can be taken and waits for NAME.taken.
# Usage: tests/wine/management_shot.sh WIN64_BUILD [NATIVE_BUILD]
set -euo pipefail
cd "$(dirname "$0")/../.."
source scripts/wine-env.sh
bw_picture_setup "${1:-build/win64}" BW_MANAGEMENT_SHOT_DIR Brackwater.exe management_wintest.exe
EXE="$WIN64/bin/management_wintest.exe"
bw_photograph_program "$ART" management "$EXE" management
