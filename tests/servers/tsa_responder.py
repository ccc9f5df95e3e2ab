#!/usr/bin/env python3
"""An RFC 3161 time-stamping server for the tests: loopback only, bounded.

Listens on a TCP port of 127.0.0.1 and answers each time-stamp query (an HTTP POST of
application/timestamp-query) with a reply that `openssl ts -reply` signs with --signer and --key
(a certificate for time stamping), SHA-256. With --silent it takes connections and never answers.
It writes its port to --port-file once it listens and ends by itself after --lifetime seconds.
"""
import argparse
import http.server
import os
import socket
import subprocess
import sys
import tempfile
import time

CONFIG = """[tsa]
default_tsa = tsa_config
[tsa_config]
serial = {serial}
crypto_device = builtin
signer_digest = sha256
default_policy = 1.2.3.4.1
digests = sha256, sha384, sha512
accuracy = secs:1
ordering = yes
tsa_name = no
ess_cert_id_chain = no
ess_cert_id_alg = sha256
"""


def write_port(path, port):
    with open(path + ".new", "w") as stream:
        stream.write(str(port))
    os.rename(path + ".new", path)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--port-file", required=True)
    parser.add_argument("--lifetime", type=float, default=60)
    parser.add_argument("--silent", action="store_true")
    parser.add_argument("--signer")
    parser.add_argument("--key")
    args = parser.parse_args()
    if not args.silent and not (args.signer and args.key):
        parser.error("--signer and --key are needed unless --silent")
    deadline = time.monotonic() + args.lifetime

    if args.silent:
        listener = socket.create_server(("127.0.0.1", 0))
        write_port(args.port_file, listener.getsockname()[1])
        held = []
        while time.monotonic() < deadline:
            listener.settimeout(max(0.1, min(1.0, deadline - time.monotonic())))
            try:
                held.append(listener.accept())
            except TimeoutError:
                pass
        return 0

    work = tempfile.mkdtemp(prefix="tsa-")
    serial = os.path.join(work, "serial")
    with open(serial, "w") as stream:
        stream.write("01\n")
    config = os.path.join(work, "tsa.cnf")
    with open(config, "w") as stream:
        stream.write(CONFIG.format(serial=serial))

    class Handler(http.server.BaseHTTPRequestHandler):
        def do_POST(self):  # noqa: N802 (the name http.server calls)
            length = int(self.headers.get("Content-Length") or 0)
            if not 0 < length <= 65536:
                self.send_error(400)
                return
            query = os.path.join(work, "query")
            answer = os.path.join(work, "reply")
            with open(query, "wb") as stream:
                stream.write(self.rfile.read(length))
            made = subprocess.run(
                ["openssl", "ts", "-reply", "-config", config, "-queryfile", query, "-signer", args.signer,
                 "-inkey", args.key, "-out", answer], capture_output=True, timeout=30, check=False)
            if made.returncode != 0:
                sys.stderr.write(made.stderr.decode(errors="replace"))
                self.send_error(500)
                return
            with open(answer, "rb") as stream:
                body = stream.read()
            self.send_response(200)
            self.send_header("Content-Type", "application/timestamp-reply")
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            self.wfile.write(body)

        def log_message(self, *_):
            pass

    server = http.server.HTTPServer(("127.0.0.1", 0), Handler)
    write_port(args.port_file, server.server_address[1])
    while time.monotonic() < deadline:
        server.timeout = max(0.1, min(1.0, deadline - time.monotonic()))
        server.handle_request()
    return 0


if __name__ == "__main__":
    sys.exit(main())
