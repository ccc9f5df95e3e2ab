# Wine for the Windows builds: a display, a prefix, a wineserver, bounded runs, cleanup.
# Source it:  source scripts/wine-env.sh; bw_wine_setup build/win64/wine; bw_wine_run 60 out err prog.exe
# bw_wine_setup installs an EXIT trap that calls bw_wine_cleanup; a caller with its own trap calls it too.
# A child script sourcing this file inside a set-up environment reuses it (and cleans up nothing).
set -euo pipefail

# Wine starts helper processes that inherit standard output; every Wine start here sends its
# output to files so that nobody reading a pipe waits for the wineserver to end.

bw_wine_loader() {
  if [[ -x /usr/lib/wine/wine64 ]]; then echo /usr/lib/wine/wine64
  elif command -v wine64 >/dev/null; then command -v wine64
  else command -v wine
  fi
}

_bw_display_usable() {
  [[ -n "${DISPLAY:-}" ]] && timeout 5 xdotool getdisplaygeometry >/dev/null 2>&1
}

# Starts an Xvfb on a free display unless $DISPLAY already works; ARGS go to Xvfb.
bw_start_display() {
  if _bw_display_usable; then return 0; fi
  local numberFile
  numberFile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp "$@" 3>"$numberFile" </dev/null >/dev/null 2>&1 &
  BW_XVFB_PID=$!
  local i
  for i in $(seq 100); do
    [[ -s "$numberFile" ]] && break
    sleep 0.1
  done
  if [[ ! -s "$numberFile" ]]; then
    rm -f "$numberFile"
    echo "wine-env: Xvfb did not start" >&2
    return 1
  fi
  export DISPLAY=":$(tr -dc 0-9 <"$numberFile")"
  rm -f "$numberFile"
  for i in $(seq 50); do
    _bw_display_usable && return 0
    sleep 0.1
  done
  echo "wine-env: display $DISPLAY does not answer" >&2
  return 1
}

# Points Wine at PREFIX, with quiet logs and without Mono and Gecko.
bw_wine_env() {
  export WINEPREFIX=$(realpath -m "$1")
  export WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  export WINELOADER=$(bw_wine_loader)
  mkdir -p "$WINEPREFIX"
}

# A persistent wineserver for the prefix, detached from our standard streams. Started before
# any Wine program so that none starts a server holding its output open. (It is quietly
# refused when a server for the prefix already runs.)
bw_wine_server_start() {
  timeout 30 wineserver -p </dev/null >/dev/null 2>&1 || true
}

# Boots a new prefix and gives it the packaged fonts, which Wine finds only inside the prefix.
bw_wine_boot() {
  if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
    if ! timeout -k 5 180 "$WINELOADER" wineboot -i >"$WINEPREFIX.boot.log" 2>&1 </dev/null; then
      echo "wine-env: wineboot failed, see $WINEPREFIX.boot.log" >&2
      return 1
    fi
  fi
  mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
  if [[ -d /usr/share/wine/fonts ]]; then
    cp -n /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  fi
}

# bw_wine_run SECONDS OUT ERR PROGRAM [ARGS...]: runs a Windows program; its exit code is ours.
bw_wine_run() {
  local seconds=$1 out=$2 err=$3
  shift 3
  local rc=0
  timeout -k 5 "$seconds" "$WINELOADER" "$@" >"$out" 2>"$err" </dev/null || rc=$?
  [[ $rc -eq 124 || $rc -eq 137 ]] && echo "wine-env: timed out after ${seconds}s: $*" >>"$err"
  return $rc
}

bw_wine_cleanup() {
  if [[ "${BW_WINE_OWNER:-}" == "$$" ]]; then
    [[ -n "${WINEPREFIX:-}" ]] && timeout 30 wineserver -k >/dev/null 2>&1 </dev/null || true
    if [[ -n "${BW_XVFB_PID:-}" ]]; then
      kill "$BW_XVFB_PID" 2>/dev/null || true
      local i
      for i in $(seq 50); do kill -0 "$BW_XVFB_PID" 2>/dev/null || break; sleep 0.1; done
      kill -9 "$BW_XVFB_PID" 2>/dev/null || true
      BW_XVFB_PID=
    fi
    BW_WINE_OWNER=
  fi
}

# bw_wine_setup FOLDER: display, prefix FOLDER/prefix, wineserver, cleanup trap. Returns non-zero
# when the display or the prefix cannot be made ready. Each step's status is checked here, since
# "set -e" does not act inside a function that its caller tests (if ! bw_wine_setup ...).
bw_wine_setup() {
  if [[ -n "${BW_WINE_READY:-}" && -n "${WINEPREFIX:-}" ]]; then return 0; fi
  BW_WINE_OWNER=$$
  trap bw_wine_cleanup EXIT
  trap 'exit 130' INT TERM
  mkdir -p "$1" || return 1
  bw_start_display || return 1
  bw_wine_env "$1/prefix" || return 1
  bw_wine_server_start
  bw_wine_boot || return 1
  export BW_WINE_READY=1
}

# bw_picture_setup WIN64_BUILD VARIABLE PROGRAM...: the start of a picture scenario. Skips it (exit 77)
# when one of the PROGRAMs (in WIN64_BUILD/bin) is not built or ImageMagick's import is missing; sets
# up Wine in WIN64_BUILD/wine-tests; sets WIN64 and ART (WIN64/artifacts, where the pictures go) and
# exports VARIABLE as ART's Windows path, for the test program.
bw_picture_setup() {
  WIN64=$(realpath -m "$1")
  local variable=$2 program
  shift 2
  for program in "$@"; do
    [[ -f "$WIN64/bin/$program" ]] || { echo "$program not built"; exit 77; }
  done
  command -v import >/dev/null || { echo "ImageMagick's import is missing"; exit 77; }
  bw_wine_setup "$WIN64/wine-tests" || return 1
  ART="$WIN64/artifacts"
  export "$variable=Z:${ART//\//\\}"
}

# bw_photograph_case ART MARKER NAME EXE CASE: runs one case of a Windows test program that writes
# the file ART/MARKER when its window is on the screen and then waits for ART/shot-taken;
# meanwhile photographs the display as ART/NAME.png. Bounded: 60 s for the marker, 120 s in all.
bw_photograph_case() {
  local art=$1 marker=$2 name=$3 exe=$4 case=$5 rc=0 photographer
  mkdir -p "$art"
  rm -f "$art/$marker" "$art/shot-taken" "$art/$name.png"
  (
    for _ in $(seq 600); do
      if [[ -f "$art/$marker" ]]; then
        sleep 1
        timeout 20 import -window root "$art/$name.png" || true
        touch "$art/shot-taken"
        exit 0
      fi
      sleep 0.1
    done
  ) &
  photographer=$!
  bw_wine_run 120 "$art/$name-test.out" "$art/$name-test.err" "$exe" "$case" || rc=$?
  kill "$photographer" 2>/dev/null || true
  wait "$photographer" 2>/dev/null || true
  cat "$art/$name-test.out"
  [[ $rc -eq 0 ]] || return "$rc"
  [[ -s "$art/$name.png" ]] || { echo "no picture taken"; return 1; }
  echo "picture: $art/$name.png"
}

# bw_photograph_program ART LOG EXE NAME...: runs a whole Windows test program whose cases write
# ART/NAME.ready when a window is on the screen and then wait for ART/NAME.taken; meanwhile
# photographs the display as ART/NAME.png for each NAME. The caller tells the program where ART is
# (as a Windows path in the program's own variable). The program's output goes to ART/LOG-test.out.
# Bounded: 240 s for the program, 180 s for the photographer.
bw_photograph_program() {
  local art=$1 log=$2 exe=$3 rc=0 photographer name
  shift 3
  local names=("$@")
  mkdir -p "$art"
  for name in "${names[@]}"; do rm -f "$art/$name.ready" "$art/$name.taken" "$art/$name.png"; done
  (
    for _ in $(seq 1800); do
      local left=0
      for name in "${names[@]}"; do
        if [[ -f "$art/$name.ready" && ! -f "$art/$name.taken" ]]; then
          sleep 1
          timeout 20 import -window root "$art/$name.png" || true
          touch "$art/$name.taken"
        fi
        [[ -f "$art/$name.taken" ]] || left=1
      done
      [[ $left -eq 0 ]] && exit 0
      sleep 0.1
    done
  ) &
  photographer=$!
  bw_wine_run 240 "$art/$log-test.out" "$art/$log-test.err" "$exe" || rc=$?
  kill "$photographer" 2>/dev/null || true
  wait "$photographer" 2>/dev/null || true
  cat "$art/$log-test.out"
  [[ $rc -eq 0 ]] || return "$rc"
  for name in "${names[@]}"; do
    [[ -s "$art/$name.png" ]] || { echo "no picture $name"; return 1; }
    rm -f "$art/$name.ready" "$art/$name.taken"
    echo "picture: $art/$name.png"
  done
}
