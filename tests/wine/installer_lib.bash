# Helpers of the installer scenarios (installer.sh, installer_signed.sh), sourced first (after
# BUILDS is set); their set-up is installer_setup.
PROGRAMS=(Brackwater.exe BWMsgWatch.dll bwconfig.exe)

# installer_setup WIN64_BUILD WORK_NAME TOOL...: the programs of the build and the tools are there
# (else the scenario fails), Wine is set up, and WORK is an empty folder of that name in the prefix.
installer_setup() {
  local file tool
  for file in "${PROGRAMS[@]}"; do
    [[ -f "$1/bin/$file" ]] || { echo "missing $1/bin/$file (build the win64 preset)"; exit 1; }
  done
  for tool in "${@:3}"; do
    command -v "$tool" >/dev/null || { echo "$tool is missing (scripts/install-deps.sh installs it)"; exit 1; }
  done
  source scripts/wine-env.sh
  bw_wine_setup "$1/wine-tests"
  WORK="$1/wine-tests/$2"
  rm -rf "$WORK"
  mkdir -p "$WORK"
  DIST="$WORK/dist"
  # The builds released: win64, and win32 when it is built beside it.
  archs=(win64)
  if [[ -f "$BUILDS/win32/bin/Brackwater.exe" && -f "$BUILDS/win32/CMakeCache.txt" ]]; then archs=(win32 win64); fi
}

# release SETTING=VALUE...: scripts/release.sh of the builds into DIST, with no signing or
# address setting of the caller's environment, only the ones given.
release() {
  env -u BW_SIGN_PFX -u BW_SIGN_CERT -u BW_SIGN_KEY -u BW_SIGN_PASS_FILE -u BW_SIGN_PASSWORD \
    -u BW_SIGN_TIMESTAMP -u BW_SIGN_SECONDS -u BW_RELEASE_URL "$@" \
    timeout 300 bash scripts/release.sh --reuse --builds "$BUILDS" --out "$DIST" "${archs[@]}"
}

# make_release SETTING=VALUE...: the release, its output in $WORK/release.log (shown, and the
# scenario fails, when it fails); SETUP is the 64-bit setup program and VERSION its version.
make_release() {
  if ! release "$@" >"$WORK/release.log" 2>&1; then
    cat "$WORK/release.log"
    echo "release.sh failed"
    exit 1
  fi
  SETUP=$(ls "$DIST"/Brackwater-*-win64-setup.exe)
  VERSION=$(basename "$SETUP" -win64-setup.exe)
  VERSION=${VERSION#Brackwater-}
}

failures=0
ok() { echo "ok: $*"; }
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
check() {  # check WHAT COMMAND...
  local what=$1
  shift
  if "$@"; then ok "$what"; else fail "$what"; fi
}
absent() { ! "$@" >/dev/null; }

run=0
wine_run() {  # wine_run SECONDS PROGRAM ARGS...: output in $WORK/run-N.out/.err; exit code kept
  local seconds=$1
  shift
  run=$((run + 1))
  LAST_OUT="$WORK/run-$run.out"
  bw_wine_run "$seconds" "$LAST_OUT" "$WORK/run-$run.err" "$@"
}
wait_until() {  # wait_until SECONDS COMMAND...: polls twice a second
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    [[ $SECONDS -lt $deadline ]] || return 1
    sleep 0.5
  done
}
