#!/usr/bin/env python3
"""A small stand-in network on 127.0.0.1: one master server and a few game servers.

Usage: tiny-network.py MASTER_PORT [SECONDS]

The master answers getservers with the game servers' addresses; each game
server answers getstatus with its own status text. Everything stops after
SECONDS (default 120). Loopback only: nothing is sent anywhere else.
"""

import selectors
import socket
import struct
import sys
import time

LOOPBACK = "127.0.0.1"

# name, map, mod, version, max clients, players as (score, ping, name)
SERVERS = [
    ("^1Red^7Fort", "dm1", "base", "x linux", 8, [(5, 40, "bob"), (12, 33, "alice")]),
    ("Blue Harbour", "harbour", "base", "x win-x86", 16, [(3, 80, "zed")]),
    ("Quiet Hollow", "hollow", "arena", "x freebsd", 12, []),
    ("Full House", "dm2", "base", "x osx-ppc", 2, [(1, 20, "kim"), (0, 25, "lee")]),
    ("Night Shift", "ctf3", "ctf", "x unknown", 24, [(9, 60, "moe"), (4, 70, "ann"),
                                                     (2, 90, "sam")]),
]


def status_answer(server):
    name, map_name, mod, version, max_clients, players = server
    info = "\\sv_hostname\\%s\\mapname\\%s\\sv_maxclients\\%d\\gamename\\%s\\version\\%s" % (
        name, map_name, max_clients, mod, version)
    lines = "".join('%d %d "%s"\n' % player for player in players)
    return b"\xff\xff\xff\xffstatusResponse\n" + (info + "\n" + lines).encode("latin-1")


def master_answer(ports):
    body = b"".join(socket.inet_aton(LOOPBACK) + struct.pack(">H", port) + b"\\"
                    for port in ports)
    return b"\xff\xff\xff\xffgetserversResponse\\" + body + b"EOT\0\0\0"


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__)
    master_port = int(sys.argv[1])
    deadline = time.monotonic() + (float(sys.argv[2]) if len(sys.argv) == 3 else 120.0)
    selector = selectors.DefaultSelector()
    game_sockets = []
    for server in SERVERS:
        sock = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
        sock.bind((LOOPBACK, 0))
        selector.register(sock, selectors.EVENT_READ, status_answer(server))
        game_sockets.append(sock)
    ports = [sock.getsockname()[1] for sock in game_sockets]
    master = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    master.bind((LOOPBACK, master_port))
    selector.register(master, selectors.EVENT_READ, master_answer(ports))
    while time.monotonic() < deadline:
        for key, _ in selector.select(timeout=0.2):
            data, sender = key.fileobj.recvfrom(2048)
            if sender[0].startswith("127."):
                key.fileobj.sendto(key.data, sender)


if __name__ == "__main__":
    main()
