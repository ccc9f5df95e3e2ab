#!/usr/bin/env bash
# Checks that the #include lines of src/ and tools/ follow the layer order of docs/style.md: a
# file may include its own folder and the folders its layer lists below, nothing above. Prints
# every offending file and line ("FILE:LINE: ...") and exits 1 when there is one, 0 otherwise.
set -euo pipefail
cd "$(dirname "$0")/.."

# The folder (layer) a file belongs to: the longest matching entry of this list.
folders=(
  src/base
  src/platform src/platform/native src/platform/fake src/platform/odbc src/platform/win32
  src/settings src/watcher src/watcher/win32
  src/editor src/launch src/app src/ui src/ui/win32 src/program
  tools
)

# What each folder may include besides itself. Platform interfaces sit beside base; their
# implementations are chosen by the program, the tools and the native test doubles.
declare -A allowed=(
  [src/base]=""
  [src/platform]="src/base"
  [src/platform/native]="src/base src/platform"
  [src/platform/fake]="src/base src/platform src/platform/native"
  [src/platform/odbc]="src/base src/platform"
  [src/platform/win32]="src/base src/platform"
  [src/settings]="src/base src/platform"
  [src/watcher]="src/base src/platform"
  [src/watcher/win32]="src/base src/platform src/platform/win32 src/watcher"
  [src/editor]="src/base src/platform src/settings"
  [src/launch]="src/base src/platform src/settings src/editor"
  [src/app]="src/base src/platform src/settings src/editor src/launch"
  [src/ui]="src/base src/platform src/settings src/editor src/launch src/app"
  [src/ui/win32]="src/base src/platform src/platform/win32 src/platform/odbc src/settings src/editor src/launch src/app src/ui"
  [src/program]="src/base src/platform src/platform/win32 src/platform/odbc src/settings src/watcher src/editor src/launch src/app src/ui src/ui/win32"
  [tools]="src/base src/platform src/platform/native src/platform/odbc src/platform/win32 src/settings src/watcher src/editor src/launch"
)

folder_of() {  # PATH: sets `folder` to its folder of the list, or to nothing
  local path=$1 best="" candidate
  for candidate in "${folders[@]}"; do
    if [[ $path == "$candidate"/* && ${#candidate} -gt ${#best} ]]; then
      # src/platform holds only its own files; its subfolders are folders of their own.
      if [[ $candidate == src/platform && ${path#src/platform/} == */* ]]; then continue; fi
      best=$candidate
    fi
  done
  folder=$best
}

normalise() {  # PATH: sets `resolved` to it without "dir/.." and "./" parts
  local -a parts=() out=()
  local part
  IFS=/ read -ra parts <<<"$1"
  for part in "${parts[@]}"; do
    case $part in
      . | "") ;;
      ..) ((${#out[@]})) && unset 'out[-1]' ;;
      *) out+=("$part") ;;
    esac
  done
  resolved=$(IFS=/; printf '%s' "${out[*]}")
}

bad=0
while IFS=: read -r file line text; do
  [[ $text =~ \"([^\"]+)\" ]] || continue
  target=${BASH_REMATCH[1]}
  # A path relative to the including file first, then one from src/; others are not ours.
  if [[ -f ${file%/*}/$target ]]; then
    normalise "${file%/*}/$target"
  elif [[ -f src/$target ]]; then
    resolved=src/$target
  else
    continue
  fi
  folder_of "$file"
  from=$folder
  folder_of "$resolved"
  to=$folder
  [[ -n $from && -n $to && $from != "$to" ]] || continue
  [[ " ${allowed[$from]} " == *" $to "* ]] && continue
  echo "$file:$line: includes \"$target\": $from may not include $to"
  bad=1
done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]+"' src tools --include='*.h' --include='*.cpp' | sort -t: -k1,1 -k2,2n)

if [[ $bad -eq 0 ]]; then echo "layer order holds"; fi
exit $bad
