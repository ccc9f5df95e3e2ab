#!/usr/bin/env bash
# The release signed with a code-signing certificate (a throwaway self-signed one made here):
#   incomplete certificate settings stop release.sh before it makes anything;
#   a time-stamping server that does not answer fails the release, bounded;
#   release.sh signs, with SHA-256, the programs of each build in the zips, the setup programs
#     and the uninstaller inside them, time-stamped by a loopback server (osslsigncode verify,
#     trusting both certificates); the password, given in the environment, shows in none of its
#     output; the winget manifests hold the signed setup programs' checksums;
#   the 64-bit setup program run silently installs the signed programs and writes the signed
#     uninstaller, which removes them again.
# Usage: tests/wine/installer_signed.sh [WIN64_BUILD] [NATIVE_BUILD]
set -euo pipefail
cd "$(dirname "$0")/../.."

WIN64=$(realpath -m "${1:-build/win64}")
BUILDS=$(dirname "$WIN64")
source tests/wine/installer_lib.bash
installer_setup "$WIN64" installer-signed makensis osslsigncode openssl
trap 'bw_wine_cleanup' EXIT

# --- The certificate: a code-signing certificate of its own, its key behind a password ------------
PASSWORD="bw-test-password-$RANDOM$RANDOM"
(umask 077 && printf '%s\n' "$PASSWORD" >"$WORK/password" && cp "$WORK/password" "$WORK/password-out")
CERT="$WORK/codesign.pem"
openssl req -x509 -newkey rsa:2048 -sha256 -days 2 -subj "/CN=Brackwater test signing" \
  -addext "basicConstraints=critical,CA:FALSE" -addext "keyUsage=critical,digitalSignature" \
  -addext "extendedKeyUsage=codeSigning" -keyout "$WORK/codesign.key" -out "$CERT" \
  -passout "file:$WORK/password" >"$WORK/openssl.log" 2>&1
openssl pkcs12 -export -in "$CERT" -inkey "$WORK/codesign.key" -passin "file:$WORK/password" \
  -passout "file:$WORK/password-out" -out "$WORK/codesign.pfx" >>"$WORK/openssl.log" 2>&1

# --- Incomplete settings: nothing is made --------------------------------------------------------
refused() {  # refused SETTINGS...: exit code 2, and no release folder
  local rc=0
  rm -rf "$DIST"
  release "$@" >"$WORK/refused.log" 2>&1 || rc=$?
  [[ $rc -eq 2 && ! -e "$DIST" ]]
}
check "a certificate without its key is refused" refused "BW_SIGN_CERT=$CERT"
check "a key without its certificate is refused" refused "BW_SIGN_KEY=$WORK/codesign.key"
check "a PKCS#12 file beside a certificate is refused" refused "BW_SIGN_PFX=$WORK/codesign.pfx" "BW_SIGN_CERT=$CERT"
check "a PKCS#12 file that is not there is refused" refused "BW_SIGN_PFX=$WORK/missing.pfx"
check "a password without a certificate is refused" refused "BW_SIGN_PASSWORD=$PASSWORD"
failed_release() {  # failed_release SETTINGS...: a failure, with no setup program or zip made
  local rc=0
  release "$@" >"$WORK/failed.log" 2>&1 || rc=$?
  [[ $rc -ne 0 ]] && ! compgen -G "$DIST/Brackwater-*" >/dev/null
}
check "a wrong password fails the release, with nothing made" \
  failed_release "BW_SIGN_PFX=$WORK/codesign.pfx" "BW_SIGN_PASSWORD=wrong"
# Time-stamping servers of the test (loopback, ending by themselves): start_stamps NAME ARGS...
# starts one in the background and sets STAMPS to its address.
servers=()
start_stamps() {
  local name=$1
  shift
  rm -f "$WORK/$name-port"
  timeout 280 python3 tests/servers/tsa_responder.py --port-file "$WORK/$name-port" --lifetime 270 "$@" \
    2>"$WORK/$name.err" &
  servers+=($!)
  wait_until 30 test -s "$WORK/$name-port" || return 1
  STAMPS="http://127.0.0.1:$(cat "$WORK/$name-port")/"
}
stop_servers() {
  local pid
  for pid in "${servers[@]}"; do kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; done
  servers=()
}
trap 'stop_servers; bw_wine_cleanup' EXIT
trap 'exit 130' INT TERM
if start_stamps silent --silent; then
  check "a time-stamping server that does not answer fails the release in bounded time" \
    failed_release "BW_SIGN_PFX=$WORK/codesign.pfx" "BW_SIGN_PASS_FILE=$WORK/password" \
    "BW_SIGN_TIMESTAMP=$STAMPS" BW_SIGN_SECONDS=3
else
  fail "the silent time-stamping server did not start"
fi
stop_servers

# --- The signed release --------------------------------------------------------------------------
rm -rf "$DIST"
# The release is time-stamped by a server with a time-stamping certificate of its own.
openssl req -x509 -newkey rsa:2048 -nodes -sha256 -days 2 -subj "/CN=Brackwater test time stamps" \
  -addext "basicConstraints=critical,CA:FALSE" -addext "keyUsage=critical,digitalSignature" \
  -addext "extendedKeyUsage=critical,timeStamping" -keyout "$WORK/stamps.key" -out "$WORK/stamps.pem" \
  >>"$WORK/openssl.log" 2>&1
start_stamps stamps --signer "$WORK/stamps.pem" --key "$WORK/stamps.key" || { echo "the time-stamping server did not start"; exit 1; }
make_release "BW_SIGN_PFX=$WORK/codesign.pfx" "BW_SIGN_PASSWORD=$PASSWORD" "BW_SIGN_TIMESTAMP=$STAMPS"
echo "signed release ${archs[*]}, version $VERSION"
check "the password shows nowhere in the release's output" absent grep -qF "$PASSWORD" "$WORK/release.log"
check "the release does not call itself unsigned" absent grep -q unsigned "$WORK/release.log"

verify_log=0
signed() {  # signed FILE: a valid SHA-256 Authenticode signature by the test certificate, time-stamped
  verify_log=$((verify_log + 1))
  local log="$WORK/verify-$verify_log.log"
  osslsigncode verify -CAfile "$CERT" -TSA-CAfile "$WORK/stamps.pem" -in "$1" >"$log" 2>&1 &&
    grep -q '^Signature verification: ok' "$log" && grep -q '^Message digest algorithm: SHA256' "$log" &&
    grep -q 'Subject: /CN=Brackwater test signing' "$log" &&
    grep -q '^Timestamp Server Signature verification: ok' "$log"
}
check "an unsigned program does not pass as signed" absent signed "$WIN64/bin/Brackwater.exe"
for arch in "${archs[@]}"; do
  check "$arch setup program is signed" signed "$DIST/Brackwater-$VERSION-$arch-setup.exe"
  mkdir -p "$WORK/unzipped-$arch"
  python3 -m zipfile -e "$DIST/Brackwater-$VERSION-$arch.zip" "$WORK/unzipped-$arch"
  for file in "${PROGRAMS[@]}"; do
    check "$arch zip: $file is signed" signed "$WORK/unzipped-$arch/$file"
  done
done
check "the winget manifests hold the signed setup programs" python3 tests/wine/winget_manifests.py "$DIST"
# The other form of certificate: PEM certificate and key, the password in a file.
pem_signs() {
  cp "$WIN64/bin/bwconfig.exe" "$WORK/pem-signed.exe"
  env -u BW_SIGN_PFX -u BW_SIGN_PASSWORD "BW_SIGN_CERT=$CERT" "BW_SIGN_KEY=$WORK/codesign.key" \
    "BW_SIGN_PASS_FILE=$WORK/password" "BW_SIGN_TIMESTAMP=$STAMPS" bash scripts/sign.sh "$WORK/pem-signed.exe" >/dev/null &&
    signed "$WORK/pem-signed.exe"
}
check "sign.sh signs with a PEM certificate and key too" pem_signs
stop_servers

# --- Installed with the signed setup program -----------------------------------------------------
INSTALL_WIN='C:\BrackwaterSigned'
INSTALL="$WINEPREFIX/drive_c/BrackwaterSigned"
rm -rf "$INSTALL"
rc=0
wine_run 120 "$SETUP" /S "/D=$INSTALL_WIN" || rc=$?
check "signed setup /S exits with 0 (got $rc)" [ $rc -eq 0 ]
for file in "${PROGRAMS[@]}"; do
  check "installed $file is the signed one" cmp -s "$INSTALL/$file" "$WORK/unzipped-win64/$file"
done
check "the uninstaller the setup program wrote is signed" signed "$INSTALL/Uninstall.exe"
rc=0
wine_run 60 "$INSTALL/Uninstall.exe" /S || rc=$?
check "the signed uninstaller starts (exit $rc)" [ $rc -eq 0 ]
check "the signed uninstaller removes the installation" wait_until 60 test ! -e "$INSTALL"
# The uninstaller goes on from a copy of itself: its end is the Uninstall entry going.
entry_exists() { wine_run 30 reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Brackwater' >/dev/null 2>&1; }
check "the Uninstall entry is gone with it" wait_until 30 absent entry_exists

echo "signed installer scenario: $failures failed"
[[ $failures -eq 0 ]]
