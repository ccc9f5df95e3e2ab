#!/usr/bin/env bash
# Makes the release files of Brackwater from the win32 and win64 presets:
#   Brackwater-VERSION-win64-setup.exe, Brackwater-VERSION-win32-setup.exe   (NSIS setup programs)
#   Brackwater-VERSION-win64.zip, Brackwater-VERSION-win32.zip               (portable copies)
#   SHA256SUMS                                                               (of the files above)
# VERSION is the program's version, as its version resource carries it (the CMake project version).
#
# Usage: scripts/release.sh [--reuse] [--builds DIR] [--out DIR] [win32] [win64]
#   --reuse       take build/win32 and build/win64 as they are instead of building them (the test
#                 run builds them just before);
#   --builds DIR  the folder that holds the win32 and win64 build folders (default build/);
#   --out DIR     where the files go (default dist/); earlier release files there are replaced;
#   win32 win64   the builds to package (default both).
set -euo pipefail
CALLER=$PWD
cd "$(dirname "$0")/.."

usage() { sed -n '2,13s/^# \{0,1\}//p' "$0"; }

REUSE=0
BUILDS=build
OUT=dist
ARCHS=()
while [[ $# -gt 0 ]]; do
  case $1 in
    --reuse) REUSE=1 ;;
    --builds) [[ $# -ge 2 ]] || { usage >&2; exit 2; }; BUILDS=$(cd "$CALLER" && realpath -m "$2"); shift ;;
    --out) [[ $# -ge 2 ]] || { usage >&2; exit 2; }; OUT=$(cd "$CALLER" && realpath -m "$2"); shift ;;
    win32 | win64) ARCHS+=("$1") ;;
    -h | --help) usage; exit 0 ;;
    *) echo "release: unknown argument \"$1\"" >&2; usage >&2; exit 2 ;;
  esac
  shift
done
[[ ${#ARCHS[@]} -gt 0 ]] || ARCHS=(win32 win64)

PROGRAMS=(Brackwater.exe BWMsgWatch.dll bwconfig.exe)
command -v makensis >/dev/null || { echo "release: makensis is missing (scripts/install-deps.sh installs nsis)" >&2; exit 1; }

for arch in "${ARCHS[@]}"; do
  if [[ $REUSE -eq 0 ]]; then
    [[ $(realpath -m "$BUILDS") == $(realpath -m build) ]] || { echo "release: --builds needs --reuse (the presets build into build/)" >&2; exit 2; }
    echo "release: building the $arch preset"
    cmake --preset "$arch" >/dev/null
    cmake --build "build/$arch" -j "${JOBS:-2}" --target Brackwater BWMsgWatch bwconfig
  fi
  for file in "${PROGRAMS[@]}"; do
    [[ -f "$BUILDS/$arch/bin/$file" ]] || { echo "release: $BUILDS/$arch/bin/$file is missing (build the $arch preset)" >&2; exit 1; }
  done
done

# The version of a build: the project version that its version resource is made from.
build_version() { sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$BUILDS/$1/CMakeCache.txt"; }
VERSION=$(build_version "${ARCHS[0]}")
[[ $VERSION =~ ^[0-9]+\.[0-9]+\.[0-9]+$ ]] || { echo "release: no version in $BUILDS/${ARCHS[0]}/CMakeCache.txt" >&2; exit 1; }
for arch in "${ARCHS[@]}"; do
  [[ $(build_version "$arch") == "$VERSION" ]] || { echo "release: $BUILDS/$arch is not version $VERSION" >&2; exit 1; }
done

mkdir -p "$OUT"
OUT=$(realpath "$OUT")
rm -f "$OUT"/Brackwater-*-setup.exe "$OUT"/Brackwater-*.zip "$OUT/SHA256SUMS"
STAGE=$(mktemp -d)
trap 'rm -rf "$STAGE"' EXIT

# The read-me in Windows line ends, for Notepad.
sed 's/\r*$/\r/' packaging/readme.txt >"$STAGE/README.txt"

made=()
for arch in "${ARCHS[@]}"; do
  bin=$(realpath "$BUILDS/$arch/bin")
  setup="Brackwater-$VERSION-$arch-setup.exe"
  zip="Brackwater-$VERSION-$arch.zip"
  icon=$(realpath -m "$BUILDS/$arch/src/program/art/brackwater.ico")
  icon_define=()
  [[ -f $icon ]] && icon_define=("-DICON=$icon")

  echo "release: $setup"
  makensis -V2 -WX -NOCD "-DARCH=$arch" "-DVERSION=$VERSION" "-DBIN=$bin" "-DREADME=$STAGE/README.txt" \
    "${icon_define[@]}" "-DOUTFILE=$OUT/$setup" packaging/brackwater.nsi

  echo "release: $zip"
  mkdir -p "$STAGE/$arch"
  for file in "${PROGRAMS[@]}"; do cp "$bin/$file" "$STAGE/$arch/"; done
  cp "$STAGE/README.txt" "$STAGE/$arch/"
  (cd "$STAGE/$arch" && python3 -m zipfile -c "$OUT/$zip" "${PROGRAMS[@]}" README.txt)
  made+=("$setup" "$zip")
done

(cd "$OUT" && sha256sum "${made[@]}" >SHA256SUMS && sha256sum --quiet -c SHA256SUMS)
echo "release: version $VERSION in $OUT:"
(cd "$OUT" && ls -l "${made[@]}" SHA256SUMS)
