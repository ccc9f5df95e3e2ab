#!/usr/bin/env bash
# The whole check: dependencies, the layer order of the includes, native build and tests (ASan +
# UBSan), fuzzing, both Windows builds, static-runtime check, Wine tests. Ends with one line "N passed, M failed", with
# ", K skipped" after it when a Wine scenario could not run; under CI=true a skip is a failure.
set -euo pipefail
cd "$(dirname "$0")/.."

JOBS=2
FUZZ_SECONDS=${BW_FUZZ_SECONDS:-20}
started=$SECONDS
passed=0
failed=0
skipped=0
failures=()
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

# step NAME COMMAND...: runs one counted step; a failure is recorded and the run goes on.
step() {
  local name=$1
  shift
  echo
  echo "==> $name"
  # A fresh shell, so that "set -e" holds inside the step even though the caller tests its result.
  local rc=0
  bash -euo pipefail -c '"$@"' "$name" "$@" || rc=$?
  if [[ $rc -eq 0 ]]; then
    passed=$((passed + 1))
    echo "PASS: $name"
  else
    failed=$((failed + 1))
    failures+=("$name")
    echo "FAIL: $name (exit $rc)"
  fi
  return $rc
}

configure_and_build() {  # PRESET
  cmake --preset "$1" >"$WORK/configure-$1.log" 2>&1 || { cat "$WORK/configure-$1.log"; return 1; }
  cmake --build "build/$1" -j "$JOBS"
}

# The fuzz preset builds only the fuzz targets: the rest of the tree is checked by the others.
fuzz_targets() { local src; for src in fuzz/*_fuzz.cpp; do [[ -f $src ]] && basename "$src" .cpp; done; true; }

fuzz_build() {
  cmake --preset fuzz >"$WORK/configure-fuzz.log" 2>&1 || { cat "$WORK/configure-fuzz.log"; return 1; }
  local targets
  mapfile -t targets < <(fuzz_targets)
  if [[ ${#targets[@]} -eq 0 ]]; then echo "no fuzz targets in fuzz/"; return 1; fi
  cmake --build build/fuzz -j "$JOBS" --target "${targets[@]}"
}

native_tests() {
  ctest --test-dir build/native -j "$JOBS" --output-on-failure --timeout 120 --no-tests=error
}

# fuzz_target PROGRAM: replays the target's regression inputs (fuzz/regressions/NAME, inputs that
# once failed: each must pass), then a bounded libFuzzer run on a scratch copy of its corpus
# and those inputs. A crash, a leak, a sanitizer report or a time-out fails; the log's end is shown.
fuzz_target() {
  local program=$1 name corpus dir
  local -a regressions
  name=$(basename "$program")
  corpus="$WORK/corpus-$name"
  [[ -x "$program" ]] || { echo "$program was not built"; return 1; }
  mkdir -p "$corpus" build/fuzz/artifacts
  for dir in "fuzz/corpus/$name" "fuzz/corpus/${name%_fuzz}" "fuzz/regressions/${name%_fuzz}"; do
    if [[ -d "$dir" ]]; then cp -r "$dir/." "$corpus/"; fi
  done
  mapfile -t regressions < <(find "fuzz/regressions/${name%_fuzz}" -type f 2>/dev/null | sort)
  if [[ ${#regressions[@]} -gt 0 ]]; then
    timeout -k 10 300 "$program" -timeout=10 -rss_limit_mb=2048 "${regressions[@]}" >"$WORK/$name-regressions.log" 2>&1 ||
      { tail -n 40 "$WORK/$name-regressions.log"; return 1; }
    echo "regression inputs replayed: ${#regressions[@]}"
  fi
  timeout -k 10 $((FUZZ_SECONDS + 60)) "$program" -max_total_time="$FUZZ_SECONDS" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="build/fuzz/artifacts/$name-" "$corpus" >"$WORK/$name.log" 2>&1 ||
    { tail -n 40 "$WORK/$name.log"; return 1; }
  grep -E '^stat::number_of_executed_units|^Done' "$WORK/$name.log" || true
}

# No program may need the MinGW runtime DLLs beside it: everything links statically.
static_runtime() {  # BUILD_DIR OBJDUMP
  local file bad=0 found=0
  shopt -s nullglob
  for file in "$1"/bin/*.exe "$1"/bin/*.dll; do
    found=1
    # The tool's own failure is a failure, not a clean file.
    if ! "$2" -p "$file" >"$WORK/objdump.txt"; then
      echo "$2 failed on $file"
      bad=1
    elif grep 'DLL Name' "$WORK/objdump.txt" | grep -iE 'libgcc_s|libstdc\+\+|libwinpthread'; then
      echo "$file imports a MinGW runtime DLL"
      bad=1
    fi
  done
  [[ $found -eq 1 ]] || { echo "no programs in $1/bin"; return 1; }
  return $bad
}

wine_tests() {
  BW_RESULTS="$WORK/wine-results" bash scripts/test-wine.sh build/win64 build/native
}

export JOBS FUZZ_SECONDS WORK
export -f configure_and_build native_tests fuzz_targets fuzz_build fuzz_target static_runtime

step "install dependencies" bash scripts/install-deps.sh || true
step "layer order of the includes" bash scripts/check-layers.sh || true

if step "native build (ASan + UBSan)" configure_and_build native; then
  step "native tests" native_tests || true
fi

if step "fuzz build" fuzz_build; then
  for target in $(fuzz_targets); do
    step "fuzz $target (${FUZZ_SECONDS}s)" fuzz_target "build/fuzz/bin/$target" || true
  done
fi

if step "win32 build" configure_and_build win32; then
  step "win32 static runtime" static_runtime build/win32 i686-w64-mingw32-objdump || true
fi

if step "win64 build" configure_and_build win64; then
  step "win64 static runtime" static_runtime build/win64 x86_64-w64-mingw32-objdump || true
  # The Wine runner reports each test program and scenario; those count as steps of their own.
  echo
  echo "==> wine tests"
  wine_rc=0
  wine_tests || wine_rc=$?
  wine_failed=0
  if [[ -f "$WORK/wine-results" ]]; then
    while read -r result name; do
      case $result in
        PASS) passed=$((passed + 1)) ;;
        SKIP)
          if [[ "${CI:-}" == true ]]; then
            failed=$((failed + 1)); wine_failed=1; failures+=("wine: $name (skipped, which fails under CI)")
          else
            skipped=$((skipped + 1))
          fi ;;
        *) failed=$((failed + 1)); wine_failed=1; failures+=("wine: $name") ;;
      esac
    done <"$WORK/wine-results"
  fi
  # A runner that ended badly without saying what failed (it died half-way, or ran nothing).
  if [[ $wine_rc -ne 0 && $wine_failed -eq 0 ]]; then
    failed=$((failed + 1))
    failures+=("wine tests (exit $wine_rc without a failed test)")
  fi
fi

echo
for name in "${failures[@]}"; do echo "failed: $name"; done
echo "total time: $((SECONDS - started)) s"
echo "$passed passed, $failed failed$([[ $skipped -eq 0 ]] || echo ", $skipped skipped")"
[[ $failed -eq 0 && ( $skipped -eq 0 || "${CI:-}" != true ) ]]
