#!/bin/bash
# Signs a Windows program with the vendor's code-signing certificate (Authenticode, SHA-256), so
# that Windows and virus scanners do not warn customers about an unknown publisher.
# Usage: sign.sh UNSIGNED.exe SIGNED.exe
# Environment:
#   QT_SIGN_CERT           the certificate with its private key, a PKCS#12 file (.pfx/.p12)
#   QT_SIGN_PASSWORD       that file's password (may be empty, but must be set)
#   QT_SIGN_TIMESTAMP_URL  optional: an RFC 3161 time-stamping service, so that the signature
#                          stays valid after the certificate expires
#   QT_OSSLSIGNCODE        optional: the osslsigncode program to use
# The unsigned program is left as it is; SIGNED.exe appears only when signing succeeded.
set -euo pipefail

if [ $# -ne 2 ]; then
  echo "usage: $0 UNSIGNED.exe SIGNED.exe" >&2
  exit 2
fi
in="$1" out="$2"
signer="${QT_OSSLSIGNCODE:-osslsigncode}"

fail() { echo "sign: $*" >&2; exit 1; }
[ -n "${QT_SIGN_CERT:-}" ] ||
  fail "QT_SIGN_CERT is not set: set it to the code-signing certificate file (.pfx/.p12)"
[ -f "$QT_SIGN_CERT" ] || fail "QT_SIGN_CERT names no file: $QT_SIGN_CERT"
[ -n "${QT_SIGN_PASSWORD+set}" ] ||
  fail "QT_SIGN_PASSWORD is not set: set it to the certificate file's password (empty if none)"
[ -f "$in" ] || fail "no program to sign: $in"
command -v "$signer" >/dev/null || fail "$signer not found (Debian package osslsigncode)"

timestamp=()
[ -n "${QT_SIGN_TIMESTAMP_URL:-}" ] && timestamp=(-ts "$QT_SIGN_TIMESTAMP_URL")

mkdir -p "$(dirname "$out")"
rm -f "$out"
partial="$out.partial"
trap 'rm -f "$partial"' EXIT
sign_with() {
  "$signer" sign -pkcs12 "$QT_SIGN_CERT" "$@" -h sha256 -n "QTSysCheck" "${timestamp[@]}" \
    -in "$in" -out "$partial" >/dev/null
}
# A password goes through a pipe, never on a command line that other users can read. (An empty
# one cannot: osslsigncode refuses an empty password file.)
if [ -n "$QT_SIGN_PASSWORD" ]; then
  sign_with -readpass <(printf '%s' "$QT_SIGN_PASSWORD")
else
  sign_with -pass ""
fi || fail "osslsigncode could not sign $in (see its message above)"
mv "$partial" "$out"
echo "signed: $out"
