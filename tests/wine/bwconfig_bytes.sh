#!/usr/bin/env bash
# The Windows bwconfig.exe and the native bwconfig write the same bytes for the same input:
# a JSON sample converted to .config and to .stream by each, and "show" of either file (the
# same text; bwconfig.exe ends its lines the Windows way). Every output must be non-empty, and the
# native "show" must equal the committed tests/wine/data/settings.show.expected, so that two
# builds that lose the same data do not pass.
# Usage: tests/wine/bwconfig_bytes.sh [WIN64_BUILD] [NATIVE_BUILD]   (exit 77: cannot run yet)
set -euo pipefail
cd "$(dirname "$0")/../.."

WIN64=$(realpath -m "${1:-build/win64}")
NATIVE=$(realpath -m "${2:-build/native}")
SAMPLE=$(realpath tests/wine/data/settings.json)
EXPECTED_SHOW=$(realpath tests/wine/data/settings.show.expected)

if [[ ! -f tools/bwconfig/CMakeLists.txt ]]; then
  echo "bwconfig is not part of this tree yet"
  exit 77
fi
NATIVE_TOOL="$NATIVE/bin/bwconfig"
WINDOWS_TOOL="$WIN64/bin/bwconfig.exe"
for tool in "$NATIVE_TOOL" "$WINDOWS_TOOL"; do
  [[ -x "$tool" || -f "$tool" ]] || { echo "missing $tool (build the native and win64 presets)"; exit 1; }
done

source scripts/wine-env.sh
bw_wine_setup "$WIN64/wine-tests"

WORK="$WIN64/wine-tests/bwconfig-bytes"
rm -rf "$WORK"
mkdir -p "$WORK"

# Wine maps the Unix root to drive Z:.
windows_path() { local path; path=$(realpath -m "$1"); echo "Z:${path//\//\\}"; }

native() {  # native OUT ARGS...: runs the native tool, its standard output to OUT
  local out=$1
  shift
  timeout 60 "$NATIVE_TOOL" "$@" >"$out" 2>"$out.err" </dev/null || { cat "$out.err"; return 1; }
}

windows() {  # windows OUT ARGS...: runs bwconfig.exe under Wine, its standard output to OUT
  local out=$1
  shift
  bw_wine_run 60 "$out" "$out.err" "$WINDOWS_TOOL" "$@" || { cat "$out.err"; return 1; }
}

# The Windows console convention ends lines of text output with CR LF; the text is compared.
unix_lines() { sed 's/\r$//' "$1" >"$1.lf"; echo "$1.lf"; }

same() {  # same A B WHAT: equal and not empty
  if [[ ! -s "$1" || ! -s "$2" ]]; then echo "EMPTY: $3 ($1, $2)"; return 1; fi
  if cmp "$1" "$2"; then echo "same: $3"; else echo "DIFFERENT: $3 ($1, $2)"; return 1; fi
}

native "$WORK/n-convert-config.out" convert "$SAMPLE" "$WORK/native.config"
native "$WORK/n-convert-stream.out" convert "$SAMPLE" "$WORK/native.stream"
native "$WORK/native.show" show --passwords "$WORK/native.config"

windows "$WORK/w-convert-config.out" convert "$(windows_path "$SAMPLE")" "$(windows_path "$WORK/windows.config")"
windows "$WORK/w-convert-stream.out" convert "$(windows_path "$SAMPLE")" "$(windows_path "$WORK/windows.stream")"
windows "$WORK/windows.show" show --passwords "$(windows_path "$WORK/windows.config")"
windows "$WORK/windows-reads-native.show" show --passwords "$(windows_path "$WORK/native.config")"
native "$WORK/native-reads-windows.show" show --passwords "$WORK/windows.config"

status=0
same "$EXPECTED_SHOW" "$WORK/native.show" "show, as expected" || { diff "$EXPECTED_SHOW" "$WORK/native.show" | head -n 20 || true; status=1; }
same "$WORK/native.config" "$WORK/windows.config" "enciphered configuration file" || status=1
same "$WORK/native.stream" "$WORK/windows.stream" "record stream" || status=1
same "$WORK/native.show" "$(unix_lines "$WORK/windows.show")" "show" || status=1
same "$WORK/native.show" "$(unix_lines "$WORK/windows-reads-native.show")" "bwconfig.exe shows the native file" || status=1
same "$WORK/native.show" "$WORK/native-reads-windows.show" "bwconfig shows the Windows file" || status=1
exit $status
