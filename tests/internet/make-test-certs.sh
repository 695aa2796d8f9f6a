#!/bin/sh
# Makes the certificates of the HTTPS tests: a test authority that the tests trust inside their
# Wine prefix only, one it never trusts, and server certificates issued by them.
# Usage: make-test-certs.sh OUTDIR DATAHOST
set -eu
openssl="${OPENSSL:-openssl}"
out="$1"
data_host="$2"
mkdir -p "$out"
cd "$out"

authority() {  # NAME SUBJECT (UTF-8)
  "$openssl" req -x509 -newkey rsa:2048 -nodes -sha256 -days 3650 -keyout "$1.key" -out "$1.pem" \
    -utf8 -subj "/O=QTSysCheck tests/CN=$2" \
    -addext "basicConstraints=critical,CA:TRUE" -addext "keyUsage=critical,keyCertSign,cRLSign" \
    2>/dev/null
}

server() {  # NAME AUTHORITY SUBJECTALTNAMES
  {
    printf 'subjectAltName=%s\n' "$3"
    printf 'basicConstraints=CA:FALSE\n'
    printf 'keyUsage=digitalSignature,keyEncipherment\n'
    printf 'extendedKeyUsage=serverAuth\n'
  } > "$1.ext"
  "$openssl" req -newkey rsa:2048 -nodes -sha256 -keyout "$1.key" -out "$1.csr" \
    -subj "/O=QTSysCheck tests/CN=$1" 2>/dev/null
  "$openssl" x509 -req -sha256 -days 825 -in "$1.csr" -CA "$2.pem" -CAkey "$2.key" \
    -set_serial "0x$(od -An -N8 -tx1 /dev/urandom | tr -d ' \n')" -extfile "$1.ext" \
    -out "$1.pem" 2>/dev/null
  rm -f "$1.csr" "$1.ext"
}

authority test-ca "QTSysCheck Test Authority"
authority unknown-ca "QTSysCheck Unknown Authority"
# An inspecting proxy's own authority, named with accents (e-acute, u-umlaut), never trusted.
authority inspecting-ca "$(printf 'Soci\303\251t\303\251 G\303\251n\303\251rale Pr\303\274fstelle CA')"
# The names the tests reach the server by: directly, and through a proxy by the built-in host.
server trusted test-ca "DNS:localhost,IP:127.0.0.1,DNS:$data_host"
server untrusted unknown-ca "DNS:localhost,IP:127.0.0.1,DNS:$data_host"
server wrong-host test-ca "DNS:wrong-host.invalid"
server inspected inspecting-ca "DNS:localhost,IP:127.0.0.1,DNS:$data_host"
"$openssl" x509 -in test-ca.pem -outform der -out test-ca.der
# Each server's last day (UTC), as a fetch turned down by its certificate reports it.
for name in trusted untrusted wrong-host inspected; do
  date -u -d "$("$openssl" x509 -in "$name.pem" -noout -enddate | cut -d= -f2)" +%F > "$name.until"
done
