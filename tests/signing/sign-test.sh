#!/bin/bash
# Signs the program with a throwaway self-signed code-signing certificate, through the same
# script and the same build target the vendor uses, and checks the signatures: a SHA-1 one with a
# SHA-256 one nested in it, both verifying against that certificate and neither against another,
# both time-stamped when a service is named; the unsigned file and a tampered copy do not verify;
# signing without a certificate, with the wrong password, with an unreachable time-stamp service
# or failing at the nested signature fails and leaves no file. Needs no network.
# Usage: sign-test.sh SIGN_SCRIPT PROGRAM.exe OBJDUMP WORK_DIR CMAKE BUILD_DIR TARGET_OUTPUT
set -uo pipefail
sign="$1" exe="$2" objdump="$3" work="$4" cmake="$5" build="$6" target_output="$7"
# The vendor's own settings, if any, must not reach the network or another signing program.
unset QT_SIGN_CERT QT_SIGN_PASSWORD QT_SIGN_TIMESTAMP_URL QT_OSSLSIGNCODE

failures=0
check() {  # check DESCRIPTION COMMAND...: the command must succeed
  local what="$1"; shift
  if "$@"; then echo "ok: $what"; else echo "FAIL: $what"; failures=$((failures + 1)); fi
}
refused() { ! "$@"; }
verify() {  # verify CA_CERT FILE: osslsigncode's verdict; $work/signatures lists what it found,
  # a line a signature: its digest, "ok" or "failed", and whether it carries a valid time stamp
  osslsigncode verify -CAfile "$1" -TSA-CAfile "$work/tsa.pem" -in "$2" >"$work/verify.log" 2>&1
  local verdict=$?
  awk '/^Signature Index:/ { n++; alg[n] = ""; stamp[n] = "unstamped" }
       n && /^Message digest algorithm *:/ && alg[n] == "" { alg[n] = $NF }
       n && /^Timestamp Server Signature verification:/ {
         stamp[n] = $NF == "ok" ? "stamped" : "bad-stamp" }
       n && /^Signature verification:/ { result[n] = $NF }
       END { for (i = 1; i <= n; i++) print alg[i], result[i], stamp[i] }' \
    "$work/verify.log" >"$work/signatures"
  return $verdict
}
# osslsigncode calls a file verified when any one of its signatures is, so each is checked.
verifies() {  # verifies CA_CERT FILE [stamped]: SHA-1 first, SHA-256 nested, both valid
  local stamp="${3:-unstamped}"
  verify "$1" "$2" &&
    [ "$(cat "$work/signatures")" = "SHA1 ok $stamp"$'\n'"SHA256 ok $stamp" ] ||
    { cat "$work/signatures"; false; }
}
verifies_none() {  # verifies_none CA_CERT FILE: not one signature in FILE verifies
  ! verify "$1" "$2" && ! grep -q " ok " "$work/signatures"
}

command -v osslsigncode >/dev/null || { echo "FAIL: osslsigncode not installed"; exit 1; }
command -v openssl >/dev/null || { echo "FAIL: openssl not installed"; exit 1; }
rm -rf "$work" && mkdir -p "$work" || exit 1

# Two throwaway signers: the one that signs, and a stranger whose trust must not be enough.
make_signer() {  # make_signer NAME PASSWORD
  openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=QTSysCheck test signer $1" \
    -addext "keyUsage=critical,digitalSignature" -addext "extendedKeyUsage=codeSigning" \
    -keyout "$work/$1.key" -out "$work/$1.pem" 2>/dev/null &&
  openssl pkcs12 -export -inkey "$work/$1.key" -in "$work/$1.pem" -out "$work/$1.pfx" \
    -passout "pass:$2"
}
make_signer vendor 'pass word;$1' && make_signer stranger other || { echo "FAIL: openssl"; exit 1; }
# A time-stamping authority of our own, served by osslsigncode itself.
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=QTSysCheck test TSA" \
  -addext "keyUsage=critical,digitalSignature" -addext "extendedKeyUsage=critical,timeStamping" \
  -keyout "$work/tsa.key" -out "$work/tsa.pem" 2>/dev/null || { echo "FAIL: openssl"; exit 1; }
# Stands in for osslsigncode: a time stamp asked of a service comes from that authority instead,
# and with FAIL_NESTED set the nested signing writes its file but reports failure.
cat >"$work/osslsigncode" <<EOF || exit 1
#!/bin/bash
args=() nested=
while [ \$# -gt 0 ]; do
  case "\$1" in
    -ts) args+=(-TSA-certs "$work/tsa.pem" -TSA-key "$work/tsa.key"); shift ;;
    -nest) nested=1; args+=("\$1") ;;
    *) args+=("\$1") ;;
  esac
  shift
done
osslsigncode "\${args[@]}" || exit
[ -z "\$nested" ] || [ -z "\${FAIL_NESTED:-}" ]
EOF
chmod +x "$work/osslsigncode"

cp "$exe" "$work/unsigned.exe"
signed="$work/out/QTSysCheck.exe"

# Refusals first: no certificate, no password, the wrong password, no time stamp.
env -u QT_SIGN_CERT QT_SIGN_PASSWORD=x "$sign" "$exe" "$signed" >"$work/refusal.log" 2>&1
check "signing without QT_SIGN_CERT fails" test $? -ne 0
check "the refusal names the missing setting" grep -q "QT_SIGN_CERT is not set" "$work/refusal.log"
check "signing without QT_SIGN_PASSWORD fails" refused env -u QT_SIGN_PASSWORD \
  QT_SIGN_CERT="$work/vendor.pfx" "$sign" "$exe" "$signed" 2>>"$work/refusal.log"
check "signing with the wrong password fails" refused env QT_SIGN_PASSWORD=wrong \
  QT_SIGN_CERT="$work/vendor.pfx" "$sign" "$exe" "$signed" 2>>"$work/refusal.log"
# A time stamp is asked for only when a service is named; one that cannot be reached (a closed
# port on this machine) must fail the signing rather than ship an unstamped file.
check "an unreachable time-stamp service fails the signing" refused env \
  QT_SIGN_TIMESTAMP_URL=http://127.0.0.1:9/ QT_SIGN_CERT="$work/vendor.pfx" \
  QT_SIGN_PASSWORD='pass word;$1' "$sign" "$exe" "$signed" 2>>"$work/refusal.log"
check "a failed signing leaves no file" test -z "$(ls -A "$work/out" 2>/dev/null)"
check "a failure at the nested signature fails the signing" refused env FAIL_NESTED=1 \
  QT_OSSLSIGNCODE="$work/osslsigncode" QT_SIGN_CERT="$work/vendor.pfx" \
  QT_SIGN_PASSWORD='pass word;$1' "$sign" "$exe" "$signed" 2>>"$work/refusal.log"
check "a failure at the nested signature leaves no file" test -z "$(ls -A "$work/out")"

# Signing proper.
check "signing with the certificate and its password succeeds" \
  env QT_SIGN_CERT="$work/vendor.pfx" QT_SIGN_PASSWORD='pass word;$1' "$sign" "$exe" "$signed"
check "a SHA-1 and a nested SHA-256 signature verify against the signer's certificate" \
  verifies "$work/vendor.pem" "$signed"
check "the signatures name the signer" grep -q "QTSysCheck test signer vendor" "$work/verify.log"
check "neither signature verifies against another certificate" \
  verifies_none "$work/stranger.pem" "$signed"
check "the unsigned program is left unchanged" cmp -s "$exe" "$work/unsigned.exe"
check "the unsigned program does not verify" verifies_none "$work/vendor.pem" "$exe"
check "signing with a time-stamp service succeeds" env QT_OSSLSIGNCODE="$work/osslsigncode" \
  QT_SIGN_TIMESTAMP_URL=http://tsa.invalid/ QT_SIGN_CERT="$work/vendor.pfx" \
  QT_SIGN_PASSWORD='pass word;$1' "$sign" "$exe" "$work/stamped/QTSysCheck.exe"
check "both signatures are time-stamped" \
  verifies "$work/vendor.pem" "$work/stamped/QTSysCheck.exe" stamped

# One changed byte in the code must break the signature.
cp "$signed" "$work/tampered.exe"
text_offset=$("$objdump" -h "$signed" 2>/dev/null | awk '$2 == ".text" {print $6; exit}')
if [ -n "$text_offset" ]; then
  printf '\xcc' |
    dd of="$work/tampered.exe" bs=1 seek=$((16#$text_offset + 16)) conv=notrunc status=none
  check "a tampered copy is changed" refused cmp -s "$signed" "$work/tampered.exe"
  check "a tampered copy does not verify" verifies_none "$work/vendor.pem" "$work/tampered.exe"
else
  echo "FAIL: no .text section found in $signed"; failures=$((failures + 1))
fi

# The build target runs the same script on the built program. Its output is put back as it was
# afterwards, so that a vendor's real signed program is never left replaced by a test-signed one.
if [ -e "$target_output" ]; then
  mv "$target_output" "$work/kept-signed.exe"
  trap 'mv -f "$work/kept-signed.exe" "$target_output"' EXIT
else
  trap 'rm -f "$target_output"' EXIT
fi
build_sign_target() {
  env QT_SIGN_CERT="$work/vendor.pfx" QT_SIGN_PASSWORD='pass word;$1' \
    "$cmake" --build "$build" --target sign >"$work/target.log" 2>&1 ||
    { cat "$work/target.log"; false; }
}
check "the sign target signs the built program" build_sign_target
check "the sign target's output verifies" verifies "$work/vendor.pem" "$target_output"

echo "$failures failed"
[ "$failures" -eq 0 ]
