#!/usr/bin/env bash
# Installs the Debian packages Brackwater needs to build, test and run under Wine.
# Only missing packages are installed; nothing is fetched when all are present.
set -euo pipefail

# The one list of the project's packages (README.md explains what each is for).
PACKAGES=(
  cmake ninja-build g++ clang
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  libssl-dev zlib1g-dev nlohmann-json3-dev libtinyxml2-dev
  mingw-w64 g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix libz-mingw-w64-dev
  wine wine64 fonts-wine xvfb xauth xdotool x11-xkb-utils imagemagick
  nsis python3 python3-yaml osslsigncode
  unixodbc unixodbc-dev tdsodbc locales
)
# Never wine32 or the i386 architecture: only the 64-bit Windows build runs under Wine here.

SUDO=()
if [[ $(id -u) -ne 0 ]]; then
  command -v sudo >/dev/null || { echo "install-deps: run as root or install sudo" >&2; exit 1; }
  SUDO=(sudo)
fi

installed() {
  [[ "$(dpkg-query -W -f='${db:Status-Abbrev}' "$1" 2>/dev/null)" == "ii " ]]
}

UPDATED=
install_missing() {
  local missing=() package
  for package in "$@"; do installed "$package" || missing+=("$package"); done
  [[ ${#missing[@]} -eq 0 ]] && return 0
  echo "install-deps: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  if [[ -z "$UPDATED" ]]; then
    timeout 600 "${SUDO[@]}" apt-get update -q
    UPDATED=1
  fi
  timeout 1200 "${SUDO[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
}

install_missing "${PACKAGES[@]}"

# libFuzzer and the sanitizer runtimes come with the runtime package of the installed clang.
clang_major=$(clang --version | sed -n 's/.*clang version \([0-9]*\).*/\1/p' | head -n 1)
install_missing "libclang-rt-${clang_major}-dev"

# Wine takes its ANSI code page from the Unix locale: the template editor's double-byte case runs
# with ja_JP.UTF-8 (code page 932).
if ! locale -a 2>/dev/null | grep -qix 'ja_JP.utf-\?8'; then
  echo "install-deps: making the ja_JP.UTF-8 locale"
  timeout 300 "${SUDO[@]}" localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
fi
