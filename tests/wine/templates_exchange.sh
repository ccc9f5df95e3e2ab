#!/usr/bin/env bash
# Template files (*.tml) through the Windows bwconfig.exe (MSXML) and the native bwconfig
# (tinyxml2): a file written by another tool (byte-order mark, no declaration, CR LF inside Code,
# another document element name) imports into the same settings on both; both then export the
# same bytes, and each imports the other's export to the same template list.
# Usage: tests/wine/templates_exchange.sh [WIN64_BUILD] [NATIVE_BUILD]
set -euo pipefail
cd "$(dirname "$0")/../.."

WIN64=$(realpath -m "${1:-build/win64}")
NATIVE=$(realpath -m "${2:-build/native}")
SAMPLE=$(realpath tests/wine/data/settings.json)
FOREIGN=$(realpath tests/wine/data/templates_foreign.tml)
NATIVE_TOOL="$NATIVE/bin/bwconfig"
WINDOWS_TOOL="$WIN64/bin/bwconfig.exe"
for tool in "$NATIVE_TOOL" "$WINDOWS_TOOL"; do
  [[ -f "$tool" ]] || { echo "missing $tool (build the native and win64 presets)"; exit 1; }
done

source scripts/wine-env.sh
bw_wine_setup "$WIN64/wine-tests"

WORK="$WIN64/wine-tests/templates-exchange"
rm -rf "$WORK"
mkdir -p "$WORK"

windows_path() { local path; path=$(realpath -m "$1"); echo "Z:${path//\//\\}"; }
native() {  # native OUT ARGS...
  local out=$1
  shift
  timeout 60 "$NATIVE_TOOL" "$@" >"$out" 2>"$out.err" </dev/null || { cat "$out" "$out.err"; return 1; }
}
windows() {  # windows OUT ARGS...
  local out=$1
  shift
  bw_wine_run 60 "$out" "$out.err" "$WINDOWS_TOOL" "$@" || { cat "$out" "$out.err"; return 1; }
  sed -i 's/\r$//' "$out"
}
same() {  # same A B WHAT: equal and not empty
  if [[ ! -s "$1" || ! -s "$2" ]]; then echo "EMPTY: $3 ($1, $2)"; return 1; fi
  if cmp "$1" "$2"; then echo "same: $3"; else echo "DIFFERENT: $3"; diff "$1" "$2" | head -n 20 || true; return 1; fi
}

native "$WORK/convert.out" convert "$SAMPLE" "$WORK/native.config"
cp "$WORK/native.config" "$WORK/windows.config"

status=0
native "$WORK/n-import.out" templates import --config "$WORK/native.config" "$FOREIGN"
windows "$WORK/w-import.out" templates import --config "$(windows_path "$WORK/windows.config")" "$(windows_path "$FOREIGN")"
native "$WORK/native.list" templates list --config "$WORK/native.config"
native "$WORK/windows.list" templates list --config "$WORK/windows.config"
windows "$WORK/windows-own.list" templates list --config "$(windows_path "$WORK/windows.config")"

native "$WORK/n-export.out" templates export --config "$WORK/native.config" "$WORK/native.tml"
windows "$WORK/w-export.out" templates export --config "$(windows_path "$WORK/windows.config")" \
  "$(windows_path "$WORK/windows.tml")"
native "$WORK/n-export2.out" templates export --config "$WORK/native.config" --name Blank --name Header "$WORK/native2.tml"
windows "$WORK/w-export2.out" templates export --config "$(windows_path "$WORK/windows.config")" \
  --name Blank --name Header "$(windows_path "$WORK/windows2.tml")"

# Each tool imports the other's export into a fresh copy of the sample.
native "$WORK/convert2.out" convert "$SAMPLE" "$WORK/native-of-windows.config"
cp "$WORK/native-of-windows.config" "$WORK/windows-of-native.config"
native "$WORK/n-import2.out" templates import --config "$WORK/native-of-windows.config" "$WORK/windows.tml"
windows "$WORK/w-import2.out" templates import --config "$(windows_path "$WORK/windows-of-native.config")" \
  "$(windows_path "$WORK/native.tml")"
native "$WORK/native-of-windows.list" templates list --config "$WORK/native-of-windows.config"
native "$WORK/windows-of-native.list" templates list --config "$WORK/windows-of-native.config"

# Hostile and broken files end the import with a message and leave the settings alone.
printf '<!DOCTYPE b [<!ENTITY x SYSTEM "file:///etc/passwd">]><b><Template><Name>&x;</Name><Code>c</Code></Template></b>' \
  >"$WORK/hostile.tml"
printf '<b><Template><Name>A</Name><Code>unclosed</Template></b>' >"$WORK/broken.tml"
cp "$WORK/windows.config" "$WORK/before.config"
for bad in hostile broken; do
  if bw_wine_run 60 "$WORK/w-$bad.out" "$WORK/w-$bad.err" "$WINDOWS_TOOL" templates import \
       --config "$(windows_path "$WORK/windows.config")" "$(windows_path "$WORK/$bad.tml")"; then
    echo "ACCEPTED: $bad.tml"; status=1
  else
    echo "refused: $bad.tml: $(tr -d '\r' <"$WORK/w-$bad.err" | head -n 1)"
  fi
done
cmp -s "$WORK/before.config" "$WORK/windows.config" || { echo "CHANGED by a refused file"; status=1; }
grep -q 'DTD' "$WORK/w-hostile.err" || { echo "no DTD message"; status=1; }

printf 'Header\tShift+Ctrl+I\nOld\t\nLoop & count \xc3\xa9\tCtrl+Alt+L\nBlank\t\nIndented\t\nOdd key\t\n' >"$WORK/expected.list"
# The sample's two templates, then the six of the other tool's export (its Header a duplicate).
{ printf 'Header\tShift+Ctrl+I\nOld\t\nHeader\tShift+Ctrl+I\t(duplicate hotkey)\n'; tail -n +2 "$WORK/expected.list"; } \
  >"$WORK/expected-twice.list"

same "$WORK/expected.list" "$WORK/native.list" "templates after the foreign import, as expected" || status=1
same "$WORK/native.list" "$WORK/windows.list" "the foreign file imports the same on Windows" || status=1
same "$WORK/native.list" "$WORK/windows-own.list" "bwconfig.exe lists the same" || status=1
same "$WORK/native.config" "$WORK/windows.config" "settings after the import, byte for byte" || status=1
same "$WORK/native.tml" "$WORK/windows.tml" "exported template file" || status=1
same "$WORK/native2.tml" "$WORK/windows2.tml" "two named templates exported" || status=1
same "$WORK/expected-twice.list" "$WORK/native-of-windows.list" "native import of the Windows export" || status=1
same "$WORK/expected-twice.list" "$WORK/windows-of-native.list" "Windows import of the native export" || status=1
same "$WORK/native-of-windows.config" "$WORK/windows-of-native.config" "settings after the cross imports, byte for byte" || status=1
grep -q $'^<?xml version="1.0" encoding="UTF-8"?>$' "$WORK/native.tml" || { echo "no declaration"; status=1; }
grep -q $'^\t\t<Code>FOR i := 1 TO n DO BEGIN$' "$WORK/native.tml" || { echo "Code not on its own line"; status=1; }
exit $status
