#!/bin/bash
# Signs a Windows program with the vendor's code-signing certificate (Authenticode), so that
# Windows and virus scanners do not warn customers about an unknown publisher. Two signatures:
# SHA-1 first, the only one Windows XP and Vista can check, and a SHA-256 one nested in it for
# newer Windows, which distrust SHA-1.
# Usage: sign.sh UNSIGNED.exe SIGNED.exe
# Environment:
#   QT_SIGN_CERT           the certificate with its private key, a PKCS#12 file (.pfx/.p12)
#   QT_SIGN_PASSWORD       that file's password (may be empty, but must be set)
#   QT_SIGN_TIMESTAMP_URL  optional: an RFC 3161 time-stamping service, so that the signatures
#                          stay valid after the certificate expires
#   QT_OSSLSIGNCODE        optional: the osslsigncode program to use
# The unsigned program is left as it is; SIGNED.exe appears only when both signatures succeeded.
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
sha1="$out.sha1.partial" partial="$out.partial"
# osslsigncode will not overwrite a file, such as one left by an interrupted run.
rm -f "$out" "$sha1" "$partial"
trap 'rm -f "$sha1" "$partial"' EXIT
sign_with() {  # sign_with OPTION...: osslsigncode sign with the certificate
  # A password goes through a pipe, never on a command line that other users can read. (An empty
  # one cannot: osslsigncode refuses an empty password file.)
  if [ -n "$QT_SIGN_PASSWORD" ]; then
    "$signer" sign -pkcs12 "$QT_SIGN_CERT" -readpass <(printf '%s' "$QT_SIGN_PASSWORD") \
      -n "QTSysCheck" "${timestamp[@]}" "$@" >/dev/null
  else
    "$signer" sign -pkcs12 "$QT_SIGN_CERT" -pass "" \
      -n "QTSysCheck" "${timestamp[@]}" "$@" >/dev/null
  fi
}
sign_with -h sha1 -in "$in" -out "$sha1" ||
  fail "osslsigncode could not sign $in (see its message above)"
sign_with -h sha256 -nest -in "$sha1" -out "$partial" ||
  fail "osslsigncode could not add the SHA-256 signature to $in (see its message above)"
mv "$partial" "$out"
echo "signed: $out"
