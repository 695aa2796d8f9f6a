"""HTTPS servers on 127.0.0.1 for the fetch tests, started by the Windows test program.

Four listeners, each with its own certificate: "trusted" (issued by the test authority for
localhost, 127.0.0.1 and the built-in web-service host), "untrusted" (the same names, issued by
an authority nobody trusts), "wrong-host" (issued by the test authority for another name) and
"inspected" (the same names as "trusted", issued by an untrusted authority whose name has accents,
as an inspecting proxy's would).
Two more serve the "trusted" certificate with set TLS versions: "tls12" takes TLS 1.2 only, as
most services do today, and "tls10" still takes TLS 1.0 (and up to 1.2). "asks-cert" takes TLS
1.0 to 1.2 and asks the client for a certificate from the test authority, which it may decline to
send, as a service with optional mutual TLS does.
Every listener answers:
  /redirect?to=URL  302 to URL
  anything else     200 with a page that holds the web service's marker
Once listening, writes "NAME PORT" lines to the ports file. Every request line a listener reads,
well-formed or not, is counted in "NAME COUNT" lines of the file PORTS.requests, so that the tests
can tell that nothing was sent over a connection whose certificate the client turned down. Ends when the ports file is deleted,
when its parent ends, or after --lifetime seconds, whichever comes first.

Usage: tls_server.py --certs DIR --ports FILE [--lifetime SECONDS]
"""
import argparse
import http.server
import os
import socketserver
import ssl
import sys
import threading
import time
import urllib.parse

PAGE = (b"<html><body><h1>RecordSet</h1>"
        b"<p>GetCardDetailsByGuid: returns the details of a card</p></body></html>")


class RequestCounts:
    def __init__(self, path):
        self.path = path
        self.lock = threading.Lock()
        self.counts = {}

    def add(self, name):
        with self.lock:
            self.counts[name] = self.counts.get(name, 0) + 1
            partial = self.path + ".partial"
            with open(partial, "w") as out:
                for listener, count in self.counts.items():
                    out.write("%s %d\n" % (listener, count))
            os.replace(partial, self.path)


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.0"

    def parse_request(self):
        self.server.counts.add(self.server.name)
        return super().parse_request()

    def do_GET(self):
        url = urllib.parse.urlsplit(self.path)
        if url.path == "/redirect":
            target = urllib.parse.parse_qs(url.query).get("to", [""])[0]
            self.send_response(302)
            self.send_header("Location", target)
            self.send_header("Content-Length", "0")
            self.end_headers()
            return
        self.send_response(200)
        self.send_header("Content-Type", "text/html")
        self.send_header("Content-Length", str(len(PAGE)))
        self.end_headers()
        self.wfile.write(PAGE)

    def log_message(self, *args):
        pass


class TlsServer(socketserver.ThreadingMixIn, http.server.HTTPServer):
    daemon_threads = True

    def __init__(self, name, cert, key, counts, versions=None, client_ca=None):
        super().__init__(("127.0.0.1", 0), Handler)
        self.name = name
        self.counts = counts
        self.context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        self.context.load_cert_chain(cert, key)
        if versions:
            self.context.minimum_version, self.context.maximum_version = versions
            if versions[0] < ssl.TLSVersion.TLSv1_2:
                # OpenSSL 3 allows TLS 1.0 only at security level 0.
                self.context.set_ciphers("DEFAULT:@SECLEVEL=0")
        if client_ca:
            self.context.load_verify_locations(client_ca)
            self.context.verify_mode = ssl.CERT_OPTIONAL

    def finish_request(self, request, client_address):
        request.settimeout(20)
        try:
            tls = self.context.wrap_socket(request, server_side=True)
        except (ssl.SSLError, OSError):
            return  # the client turned the certificate down, as some tests want
        try:
            self.RequestHandlerClass(tls, client_address, self)
        finally:
            tls.close()

    def handle_error(self, request, client_address):
        pass


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--certs", required=True)
    parser.add_argument("--ports", required=True)
    parser.add_argument("--lifetime", type=float, default=300)
    args = parser.parse_args()
    # Hold no pipe of whoever started the test program (ctest waits for its pipes to close).
    devnull = os.open(os.devnull, os.O_RDWR)
    for fd in (0, 1, 2):
        os.dup2(devnull, fd)

    counts = RequestCounts(args.ports + ".requests")
    servers = {}
    for name in ("trusted", "untrusted", "wrong-host", "inspected"):
        servers[name] = TlsServer(name, os.path.join(args.certs, name + ".pem"),
                                  os.path.join(args.certs, name + ".key"), counts)
    trusted = (os.path.join(args.certs, "trusted.pem"), os.path.join(args.certs, "trusted.key"))
    servers["tls12"] = TlsServer("tls12", *trusted, counts,
                                 (ssl.TLSVersion.TLSv1_2, ssl.TLSVersion.TLSv1_2))
    servers["tls10"] = TlsServer("tls10", *trusted, counts,
                                 (ssl.TLSVersion.TLSv1, ssl.TLSVersion.TLSv1_2))
    servers["asks-cert"] = TlsServer("asks-cert", *trusted, counts,
                                     (ssl.TLSVersion.TLSv1, ssl.TLSVersion.TLSv1_2),
                                     os.path.join(args.certs, "test-ca.pem"))
    for server in servers.values():
        threading.Thread(target=server.serve_forever, daemon=True).start()

    partial = args.ports + ".partial"
    with open(partial, "w") as out:
        for name, server in servers.items():
            out.write("%s %d\n" % (name, server.server_address[1]))
    os.replace(partial, args.ports)

    parent = os.getppid()
    end = time.monotonic() + args.lifetime
    while time.monotonic() < end and os.path.exists(args.ports) and os.getppid() == parent:
        time.sleep(0.2)
    for server in servers.values():
        server.shutdown()
        server.server_close()
    for leftover in (args.ports, counts.path):
        try:
            os.remove(leftover)
        except OSError:
            pass
    return 0


if __name__ == "__main__":
    sys.exit(main())
