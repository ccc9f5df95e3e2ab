#!/usr/bin/env bash
# Makes the release files of Brackwater from the win32 and win64 presets:
#   Brackwater-VERSION-win64-setup.exe, Brackwater-VERSION-win32-setup.exe   (NSIS setup programs)
#   Brackwater-VERSION-win64.zip, Brackwater-VERSION-win32.zip               (portable copies)
#   SHA256SUMS                                                               (of the files above)
#   winget/Brackwater.Brackwater*.yaml     the winget manifests of the setup programs (version,
#                                          installer and default-locale manifests)
# VERSION is the program's version, as its version resource carries it (the CMake project version).
#
# Signing: with a code-signing certificate in the environment (BW_SIGN_PFX, or BW_SIGN_CERT and
# BW_SIGN_KEY; a password in BW_SIGN_PASS_FILE; a time-stamping server in BW_SIGN_TIMESTAMP: see
# scripts/sign.sh), the programs of both builds are signed before they go into the zips and setup
# programs, the uninstaller as the setup program is made, and then the setup programs. Without one
# the release is unsigned, and says so.
# BW_RELEASE_URL: the address the setup programs are downloaded from (the winget manifests name
# it; without it, a placeholder).
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

usage() { sed -n '2,23s/^# \{0,1\}//p' "$0"; }

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
SIGN=1
bash scripts/sign.sh --check || case $? in
  3) SIGN=0 ;;
  *) echo "release: the certificate settings are incomplete: nothing was made" >&2; exit 2 ;;
esac
RELEASE_URL=${BW_RELEASE_URL:-}
if [[ -n $RELEASE_URL && ! $RELEASE_URL =~ ^https://[^[:space:][:cntrl:]\"\'\\]+$ ]]; then
  echo "release: BW_RELEASE_URL must be an https:// address without spaces or quotes" >&2
  exit 2
fi
RELEASE_URL=${RELEASE_URL%/}

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
rm -rf "$OUT/winget"
STAGE=$(mktemp -d)
trap 'rm -rf "$STAGE"' EXIT

WEB_ADDRESS=$(sed -n 's/^BW_WEB_ADDRESS:[A-Z]*=//p' "$BUILDS/${ARCHS[0]}/CMakeCache.txt")
DISPLAY_NAME="Brackwater for Dynamics NAV"
sign_define=()
if [[ $SIGN -eq 1 ]]; then
  # A password from the environment goes into a private file once, and out of the environment of
  # everything this script starts.
  if [[ -z "${BW_SIGN_PASS_FILE:-}" && -n "${BW_SIGN_PASSWORD:-}" ]]; then
    (umask 077 && printf '%s\n' "$BW_SIGN_PASSWORD" >"$STAGE/sign-password")
    export BW_SIGN_PASS_FILE="$STAGE/sign-password"
  fi
  unset BW_SIGN_PASSWORD
  export BW_SIGN_DESCRIPTION=${BW_SIGN_DESCRIPTION:-$DISPLAY_NAME}
  export BW_SIGN_URL=${BW_SIGN_URL:-$WEB_ADDRESS}
  sign_define=("-DSIGN=$PWD/scripts/sign.sh")
  echo "release: signing with ${BW_SIGN_PFX:-$BW_SIGN_CERT}${BW_SIGN_TIMESTAMP:+, time-stamped by $BW_SIGN_TIMESTAMP}"
else
  echo "release: no certificate given (BW_SIGN_PFX, or BW_SIGN_CERT and BW_SIGN_KEY): the release is unsigned"
fi

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

  # The files that go into the zip and the setup program, signed when signing.
  files="$STAGE/$arch"
  mkdir -p "$files"
  for file in "${PROGRAMS[@]}"; do cp "$bin/$file" "$files/"; done
  cp "$STAGE/README.txt" "$files/"
  if [[ $SIGN -eq 1 ]]; then
    bash scripts/sign.sh "${PROGRAMS[@]/#/$files/}" | sed "s/^sign: /release: $arch: /"
  fi

  echo "release: $setup"
  makensis -V2 -WX -NOCD "-DARCH=$arch" "-DVERSION=$VERSION" "-DBIN=$files" "-DREADME=$STAGE/README.txt" \
    "${icon_define[@]}" "${sign_define[@]}" "-DOUTFILE=$STAGE/$setup" packaging/brackwater.nsi
  if [[ $SIGN -eq 1 ]]; then
    bash scripts/sign.sh "$STAGE/$setup" | sed "s/^sign: /release: /"
  fi
  mv "$STAGE/$setup" "$OUT/$setup"

  echo "release: $zip"
  (cd "$files" && python3 -m zipfile -c "$OUT/$zip" "${PROGRAMS[@]}" README.txt)
  made+=("$setup" "$zip")
done

(cd "$OUT" && sha256sum "${made[@]}" >SHA256SUMS && sha256sum --quiet -c SHA256SUMS)

# --- The winget manifests -----------------------------------------------------------------------
# The 1.6 schema, one folder of three files as the winget-pkgs repository takes them. The silent
# switches are the setup program's own: /S, and /D= (last, unquoted) for the folder.
PACKAGE_ID=Brackwater.Brackwater
MANIFEST_VERSION=1.6.0
if [[ -z $RELEASE_URL ]]; then
  RELEASE_URL="https://brackwater.example.org/download/$VERSION"
  echo "release: BW_RELEASE_URL is not set: the winget manifests name the placeholder $RELEASE_URL"
fi
WINGET="$OUT/winget"
mkdir -p "$WINGET"
manifest_head() {  # manifest_head TYPE
  echo "# yaml-language-server: \$schema=https://aka.ms/winget-manifest.$1.$MANIFEST_VERSION.schema.json"
  echo
  echo "PackageIdentifier: $PACKAGE_ID"
  echo "PackageVersion: $VERSION"
}
{
  manifest_head version
  echo "DefaultLocale: en-US"
  echo "ManifestType: version"
  echo "ManifestVersion: $MANIFEST_VERSION"
} >"$WINGET/$PACKAGE_ID.yaml"
{
  manifest_head installer
  echo "InstallerType: nullsoft"
  echo "Scope: user"
  echo "InstallModes:"
  echo "- interactive"
  echo "- silent"
  echo "InstallerSwitches:"
  echo "  Silent: /S"
  echo "  SilentWithProgress: /S"
  echo "  InstallLocation: /D=<INSTALLPATH>"
  echo "ExpectedReturnCodes:"
  echo "- InstallerReturnCode: 3"
  echo "  ReturnResponse: packageInUse"
  echo "- InstallerReturnCode: 4"
  echo "  ReturnResponse: fileInUse"
  echo "UpgradeBehavior: install"
  echo "ProductCode: Brackwater"
  echo "Installers:"
  for arch in "${ARCHS[@]}"; do
    setup="Brackwater-$VERSION-$arch-setup.exe"
    architecture=x86
    [[ $arch == win64 ]] && architecture=x64
    echo "- Architecture: $architecture"
    echo "  InstallerUrl: \"$RELEASE_URL/$setup\""
    echo "  InstallerSha256: $(sha256sum "$OUT/$setup" | cut -d' ' -f1 | tr a-f A-F)"
  done
  echo "ManifestType: installer"
  echo "ManifestVersion: $MANIFEST_VERSION"
} >"$WINGET/$PACKAGE_ID.installer.yaml"
{
  manifest_head defaultLocale
  echo "PackageLocale: en-US"
  echo "Publisher: Brackwater"
  echo "PublisherUrl: \"$WEB_ADDRESS\""
  echo "PackageName: $DISPLAY_NAME"
  echo "PackageUrl: \"$WEB_ADDRESS\""
  echo "License: Proprietary"
  echo "Copyright: Copyright (C) The Brackwater developers"
  echo "ShortDescription: Tray helper for the Dynamics NAV C/SIDE client's C/AL editor"
  echo "Description: Hotkeys that indent and comment C/AL code, code templates, code completion, stored logins and named client configurations for the Navision (Dynamics NAV) C/SIDE client."
  echo "Tags:"
  echo "- navision"
  echo "- dynamics-nav"
  echo "- c-al"
  echo "ManifestType: defaultLocale"
  echo "ManifestVersion: $MANIFEST_VERSION"
} >"$WINGET/$PACKAGE_ID.locale.en-US.yaml"

echo "release: version $VERSION in $OUT$([[ $SIGN -eq 1 ]] || echo " (unsigned)"):"
(cd "$OUT" && ls -l "${made[@]}" SHA256SUMS winget/*)
