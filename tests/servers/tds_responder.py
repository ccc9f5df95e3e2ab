#!/usr/bin/env python3
"""A SQL Server stand-in for the tests, answering just enough of TDS 7.x: loopback only, bounded.

Pre-login (no encryption), login with a user and password check (error 18456 on a mismatch),
a batch naming sysdatabases answered with a "name" column and one row per database, any other
batch answered as done, and attention (a cancelled query) answered as cancelled.
  --user NAME --password TEXT   the one accepted SQL login
  --databases a,b,c             the rows of the database query, in this order
  --query-delay MS              time the database query takes before its answer
It writes its port to --port-file once it listens (useful with --port 0) and ends by itself after
--lifetime seconds.
"""
import argparse
import ipaddress
import os
import select
import socket
import struct
import sys
import threading
import time

PRELOGIN, LOGIN7, SQL_BATCH, ATTENTION, REPLY = 0x12, 0x10, 0x01, 0x06, 0x04
DONE_FINAL, DONE_ERROR, DONE_COUNT, DONE_ATTN = 0x0000, 0x0002, 0x0010, 0x0020


class Closed(Exception):
    pass


def read_exact(conn, n, deadline):
    data = b""
    while len(data) < n:
        left = deadline - time.monotonic()
        if left <= 0:
            raise Closed()
        conn.settimeout(left)
        try:
            piece = conn.recv(n - len(data))
        except socket.timeout:
            raise Closed()
        if not piece:
            raise Closed()
        data += piece
    return data


def read_message(conn, deadline):
    """One client message, joined from its packets: (type, payload)."""
    payload = b""
    while True:
        header = read_exact(conn, 8, deadline)
        kind, status, length = header[0], header[1], struct.unpack(">H", header[2:4])[0]
        if length < 8 or length > 32768:
            raise Closed()
        payload += read_exact(conn, length - 8, deadline)
        if len(payload) > 1 << 20:
            raise Closed()
        if status & 0x01:
            return kind, payload


def send_message(conn, payload, kind=REPLY):
    size = 4096 - 8
    pieces = [payload[i:i + size] for i in range(0, len(payload), size)] or [b""]
    for number, piece in enumerate(pieces, 1):
        last = number == len(pieces)
        header = struct.pack(">BBHHBB", kind, 0x01 if last else 0x00, len(piece) + 8, 0, number % 256, 0)
        conn.sendall(header + piece)


def b_varchar(text):
    data = text.encode("utf-16-le")
    return bytes([len(text)]) + data


def us_varchar(text):
    return struct.pack("<H", len(text)) + text.encode("utf-16-le")


def done(status, count=0, command=0):
    return struct.pack("<BHHQ", 0xFD, status, command, count)


def error_token(number, state, severity, text):
    body = struct.pack("<iBB", number, state, severity) + us_varchar(text) + b_varchar("RESPONDER") + b_varchar("") \
        + struct.pack("<i", 1)
    return bytes([0xAA]) + struct.pack("<H", len(body)) + body


def prelogin_reply():
    options = [(0x00, bytes([9, 0, 0x05, 0x77, 0, 0])), (0x01, bytes([0x02])), (0x02, b"\x00"),
               (0x03, b""), (0x04, b"\x00")]
    offset = len(options) * 5 + 1
    head, data = b"", b""
    for token, value in options:
        head += struct.pack(">BHH", token, offset + len(data), len(value))
        data += value
    return head + b"\xFF" + data


def login_fields(payload):
    def field(at):
        offset, count = struct.unpack("<HH", payload[at:at + 4])
        return payload[offset:offset + 2 * count]
    user = field(40).decode("utf-16-le", "replace")
    scrambled = field(44)
    password = bytes((((b ^ 0xA5) << 4) & 0xF0) | ((b ^ 0xA5) >> 4) for b in scrambled)
    return payload[4:8], user, password.decode("utf-16-le", "replace")


def login_ack(version):
    env = bytes([1]) + b_varchar("master") + b_varchar("master")
    envchange = bytes([0xE3]) + struct.pack("<H", len(env)) + env
    body = bytes([1]) + bytes(reversed(version)) + b_varchar("Microsoft SQL Server") + bytes([9, 0, 5, 0x77])
    return envchange + bytes([0xAD]) + struct.pack("<H", len(body)) + body + done(DONE_FINAL)


def rows_reply(names):
    collation = bytes([0x09, 0x04, 0xD0, 0x00, 0x34])
    column = struct.pack("<IH", 0, 0x0001) + bytes([0xE7]) + struct.pack("<H", 256) + collation + b_varchar("name")
    reply = bytes([0x81]) + struct.pack("<H", 1) + column
    for name in names:
        data = name.encode("utf-16-le")
        reply += bytes([0xD1]) + struct.pack("<H", len(data)) + data
    return reply + done(DONE_COUNT, len(names), 0xC1)


def batch_text(payload):
    if len(payload) >= 4:
        total = struct.unpack("<I", payload[:4])[0]
        if 4 <= total <= len(payload) and total < 1024:
            payload = payload[total:]
    return payload.decode("utf-16-le", "replace")


def serve(conn, args, deadline):
    kind, payload = read_message(conn, deadline)
    if kind == PRELOGIN:
        send_message(conn, prelogin_reply())
        kind, payload = read_message(conn, deadline)
    if kind != LOGIN7:
        return
    version, user, password = login_fields(payload)
    if user != args.user or password != args.password:
        message = "Login failed for user '%s'." % user
        send_message(conn, error_token(18456, 1, 14, message) + done(DONE_ERROR))
        return
    send_message(conn, login_ack(version))
    while True:
        kind, payload = read_message(conn, deadline)
        if kind == ATTENTION:
            send_message(conn, done(DONE_ATTN))
            continue
        if kind != SQL_BATCH:
            send_message(conn, error_token(102, 1, 15, "Unsupported request.") + done(DONE_ERROR))
            continue
        if "sysdatabases" not in batch_text(payload).lower():
            send_message(conn, done(DONE_FINAL))
            continue
        # The query takes its time; a cancel arriving meanwhile ends it without rows.
        ready, _, _ = select.select([conn], [], [], min(args.query_delay / 1000.0, max(0.0, deadline - time.monotonic())))
        if ready:
            kind, payload = read_message(conn, deadline)
            if kind == ATTENTION:
                send_message(conn, done(DONE_ATTN))
                continue
            return
        send_message(conn, rows_reply(args.databases))


def handle(conn, args, deadline):
    try:
        serve(conn, args, deadline)
    except (Closed, OSError):
        pass
    finally:
        conn.close()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--host", default="127.0.0.1")
    parser.add_argument("--port", type=int, default=0)
    parser.add_argument("--port-file")
    parser.add_argument("--lifetime", type=float, default=60.0)
    parser.add_argument("--user", default="sa")
    parser.add_argument("--password", default="")
    parser.add_argument("--databases", default="master,tempdb,model,msdb")
    parser.add_argument("--query-delay", type=int, default=0)
    args = parser.parse_args()
    args.databases = [name for name in args.databases.split(",") if name]

    if not ipaddress.ip_address(args.host).is_loopback:
        sys.exit("tds_responder: loopback addresses only")
    deadline = time.monotonic() + min(args.lifetime, 600.0)
    listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    listener.bind((args.host, args.port))
    listener.listen(8)
    if args.port_file:
        tmp = args.port_file + ".tmp"
        with open(tmp, "w") as f:
            f.write(str(listener.getsockname()[1]))
        os.replace(tmp, args.port_file)
    while True:
        left = deadline - time.monotonic()
        if left <= 0:
            break
        listener.settimeout(left)
        try:
            conn, peer = listener.accept()
        except socket.timeout:
            break
        if not ipaddress.ip_address(peer[0]).is_loopback:
            conn.close()
            continue
        threading.Thread(target=handle, args=(conn, args, deadline), daemon=True).start()
    listener.close()


if __name__ == "__main__":
    main()
