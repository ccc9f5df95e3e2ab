#!/usr/bin/env python3
"""A SQL Server Resolution Protocol responder for the tests: loopback only, bounded.

Listens on a UDP port of 127.0.0.1 and answers every discovery request (0x02 broadcast,
0x03 single server) with the scripted replies, in order, each after its own delay:
  --text DELAY_MS:TEXT   a well-formed reply: 0x05, the text's length (little-endian), the text
  --raw DELAY_MS:HEX     any bytes at all (hostile replies)
  --typed DELAY_MS:TYPE:TEXT  a reply of another response type (TYPE in hex) around TEXT
  --instance NAME=PORT   answers an instance request (0x04 NAME) with that instance's TCP port,
                         as a client library asks before it connects to server\\instance
It writes its port to --port-file once it listens (useful with --port 0) and ends by itself after
--lifetime seconds or --requests discovery requests, whichever comes first.
"""
import argparse
import ipaddress
import os
import socket
import sys
import time


def reply(text: bytes, kind: int = 0x05) -> bytes:
    return bytes([kind]) + len(text).to_bytes(2, "little") + text


def parse_steps(args):
    steps = []
    for item in args.steps:
        kind, given = item
        delay, _, body = given.partition(":")
        if kind == "text":
            data = reply(body.encode("latin-1"))
        elif kind == "typed":
            kind_hex, _, text = body.partition(":")
            data = reply(text.encode("latin-1"), int(kind_hex, 16))
        else:
            data = bytes.fromhex(body)
        steps.append((int(delay) / 1000.0, data))
    return steps


class Collect(argparse.Action):
    def __call__(self, parser, namespace, values, option_string=None):
        namespace.steps.append((self.dest_kind, values))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--host", default="127.0.0.1")
    parser.add_argument("--port", type=int, default=0)
    parser.add_argument("--port-file")
    parser.add_argument("--lifetime", type=float, default=30.0)
    parser.add_argument("--requests", type=int, default=1000)
    parser.add_argument("--instance", action="append", default=[])
    parser.set_defaults(steps=[])
    text = parser.add_argument("--text", action=Collect)
    text.dest_kind = "text"
    raw = parser.add_argument("--raw", action=Collect)
    raw.dest_kind = "raw"
    typed = parser.add_argument("--typed", action=Collect)
    typed.dest_kind = "typed"
    args = parser.parse_args()

    if not ipaddress.ip_address(args.host).is_loopback:
        sys.exit("ssrp_responder: loopback addresses only")
    lifetime = min(args.lifetime, 300.0)
    steps = parse_steps(args)
    instances = {}
    for item in args.instance:
        name, _, port = item.partition("=")
        instances[name.upper()] = int(port)

    sock = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    sock.bind((args.host, args.port))
    if args.port_file:
        tmp = args.port_file + ".tmp"
        with open(tmp, "w") as f:
            f.write(str(sock.getsockname()[1]))
        os.replace(tmp, args.port_file)

    end = time.monotonic() + lifetime
    served = 0
    while served < args.requests:
        left = end - time.monotonic()
        if left <= 0:
            break
        sock.settimeout(left)
        try:
            request, peer = sock.recvfrom(4096)
        except socket.timeout:
            break
        if not ipaddress.ip_address(peer[0]).is_loopback or not request:
            continue
        if request[0] == 0x04:
            name = request[1:].split(b"\0")[0].decode("latin-1").upper()
            if name in instances:
                text = ("ServerName;RESPONDER;InstanceName;%s;IsClustered;No;Version;9.00.1399.06;tcp;%d;;"
                        % (name, instances[name])).encode("latin-1")
                sock.sendto(reply(text), peer)
            continue
        if request[0] not in (0x02, 0x03):
            continue
        served += 1
        for delay, data in steps:
            if time.monotonic() + delay > end:
                break
            time.sleep(delay)
            sock.sendto(data, peer)
    sock.close()


if __name__ == "__main__":
    main()
