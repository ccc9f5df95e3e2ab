#!/usr/bin/env bash
# Photographs the completion list open in the client test double and keeps the picture as
# WIN64/artifacts/completion.png, for a person to look at. The dot case of completion_wintest
# writes a marker while the list shows and waits for the shot.
# Usage: tests/wine/completion_shot.sh WIN64_BUILD [NATIVE_BUILD]
set -euo pipefail
cd "$(dirname "$0")/../.."
source scripts/wine-env.sh
bw_picture_setup "${1:-build/win64}" BW_COMPLETION_SHOT_DIR completion_wintest.exe
bw_photograph_case "$ART" completion-open completion "$WIN64/bin/completion_wintest.exe" \
  Completion.DotOpensTheListBesideTheCaretAndEnterReplacesTheTypedWord
