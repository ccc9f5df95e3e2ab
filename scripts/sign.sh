#!/usr/bin/env bash
# Signs Windows programs in place with an Authenticode signature (SHA-256), by osslsigncode.
# The certificate comes from the environment:
#   BW_SIGN_PFX                a PKCS#12 file holding the code-signing certificate, its chain and key;
#   or BW_SIGN_CERT and BW_SIGN_KEY   the certificate with its chain (PEM or DER) and its private key;
#   BW_SIGN_PASS_FILE          a file whose first line is the password of the PKCS#12 file or key;
#   BW_SIGN_PASSWORD           the password itself, when no file holds it (never give it as an argument);
#   BW_SIGN_TIMESTAMP          the address of an RFC 3161 time-stamping server, or several separated by
#                              spaces (optional; without one a signature ends with the certificate);
#   BW_SIGN_DESCRIPTION, BW_SIGN_URL   the name and web address the signature shows (optional);
#   BW_SIGN_SECONDS            how long signing one file may take (120 by default: osslsigncode
#                              waits for a time-stamping server without end).
# osslsigncode reads the password from a file (-readpass): it never goes on a command line.
#
# Usage: scripts/sign.sh [--as NAME] FILE...   signs each file in turn; the first that cannot be
#                                  signed ends it with exit code 1, that file and the ones after it
#                                  left as they were (--as: the name the messages give a single
#                                  file, for a temporary one);
#        scripts/sign.sh --check   exit code 0 when a certificate is given, 3 when none is.
# Certificate settings that are incomplete or name missing files end with exit code 2 either way.
set -euo pipefail

# The settings as given: 0 a certificate, 3 none, 2 incomplete (the reason on standard error).
settings() {
  local name
  for name in BW_SIGN_PFX BW_SIGN_CERT BW_SIGN_KEY BW_SIGN_PASS_FILE; do
    if [[ -n "${!name:-}" && ! -r "${!name}" ]]; then
      echo "sign: $name names \"${!name}\", which cannot be read" >&2
      return 2
    fi
  done
  if [[ -n "${BW_SIGN_PFX:-}" ]]; then
    if [[ -n "${BW_SIGN_CERT:-}${BW_SIGN_KEY:-}" ]]; then
      echo "sign: give either BW_SIGN_PFX or BW_SIGN_CERT and BW_SIGN_KEY, not both" >&2
      return 2
    fi
  elif [[ -n "${BW_SIGN_CERT:-}" || -n "${BW_SIGN_KEY:-}" ]]; then
    if [[ -z "${BW_SIGN_CERT:-}" || -z "${BW_SIGN_KEY:-}" ]]; then
      echo "sign: BW_SIGN_CERT and BW_SIGN_KEY go together" >&2
      return 2
    fi
  else
    if [[ -n "${BW_SIGN_PASS_FILE:-}${BW_SIGN_PASSWORD:-}${BW_SIGN_TIMESTAMP:-}" ]]; then
      echo "sign: a password or time-stamping server is given, but no certificate (BW_SIGN_PFX, or BW_SIGN_CERT and BW_SIGN_KEY)" >&2
      return 2
    fi
    return 3
  fi
  command -v osslsigncode >/dev/null || { echo "sign: osslsigncode is missing (scripts/install-deps.sh installs it)" >&2; return 2; }
  return 0
}

rc=0
settings || rc=$?
if [[ ${1:-} == --check ]]; then exit $rc; fi
[[ $rc -ne 3 ]] || { echo "sign: no certificate given (BW_SIGN_PFX, or BW_SIGN_CERT and BW_SIGN_KEY)" >&2; exit 2; }
[[ $rc -eq 0 ]] || exit $rc
shown=""
if [[ ${1:-} == --as && $# -eq 3 ]]; then
  shown=$2
  shift 2
fi
[[ $# -gt 0 && $1 != -* ]] || { echo "usage: scripts/sign.sh [--as NAME] FILE... | --check" >&2; exit 2; }

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

arguments=()
if [[ -n "${BW_SIGN_PFX:-}" ]]; then
  arguments+=(-pkcs12 "$BW_SIGN_PFX")
else
  arguments+=(-certs "$BW_SIGN_CERT" -key "$BW_SIGN_KEY")
fi
if [[ -n "${BW_SIGN_PASS_FILE:-}" ]]; then
  arguments+=(-readpass "$BW_SIGN_PASS_FILE")
elif [[ -n "${BW_SIGN_PASSWORD:-}" ]]; then
  # printf is built into bash: the password reaches the private file without a command line.
  (umask 077 && printf '%s\n' "$BW_SIGN_PASSWORD" >"$WORK/password")
  arguments+=(-readpass "$WORK/password")
fi
unset BW_SIGN_PASSWORD
arguments+=(-h sha256)
[[ -z "${BW_SIGN_DESCRIPTION:-}" ]] || arguments+=(-n "$BW_SIGN_DESCRIPTION")
[[ -z "${BW_SIGN_URL:-}" ]] || arguments+=(-i "$BW_SIGN_URL")
for server in ${BW_SIGN_TIMESTAMP:-}; do arguments+=(-ts "$server"); done

SECONDS_PER_FILE=${BW_SIGN_SECONDS:-120}
[[ $SECONDS_PER_FILE =~ ^[1-9][0-9]*$ ]] || { echo "sign: BW_SIGN_SECONDS must be a number of seconds" >&2; exit 2; }

for file in "$@"; do
  # Beside the file, so that it is replaced in one step.
  signed="$file.signing"
  rm -f "$signed"
  rc=0
  timeout -k 5 "$SECONDS_PER_FILE" osslsigncode sign "${arguments[@]}" -in "$file" -out "$signed" \
    >"$WORK/log" 2>&1 </dev/null || rc=$?
  if [[ $rc -eq 0 && -s $signed ]] && mv -f "$signed" "$file"; then
    echo "sign: signed ${shown:-$(basename "$file")}"
  else
    rm -f "$signed"
    sed 's/^/  /' "$WORK/log" >&2
    if [[ $rc -eq 124 || $rc -eq 137 ]]; then
      echo "sign: signing took longer than $SECONDS_PER_FILE seconds (does the time-stamping server answer?)" >&2
    fi
    echo "sign: ${shown:-$file} could not be signed" >&2
    exit 1
  fi
done
