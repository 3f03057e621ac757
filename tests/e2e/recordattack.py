"""One account's attacks on the record service's socket, each run until it is killed:

    recordattack.py SOCKET stopped      a request begun, then the client stops itself (SIGSTOP)
    recordattack.py SOCKET unfinished   a request that never ends: a byte every half second, again when cut off
    recordattack.py SOCKET idle COUNT   COUNT connections that say nothing, each opened again once closed
"""

import os
import select
import signal
import sys
import time

from recordclient import hold


def stopped(path):
    hold(path, b"save ")
    os.kill(os.getpid(), signal.SIGSTOP)


def unfinished(path):
    while True:
        try:
            connection = hold(path, b"s")
            while True:
                time.sleep(0.5)
                connection.sendall(b"a")
        except OSError:
            pass


def idle(path, count):
    held = []
    while True:
        # A connection the service has closed reads as ready (its end of file).
        closed = select.select(held, [], [], 0)[0]
        for connection in closed:
            connection.close()
        held = [c for c in held if c not in closed]
        while len(held) < count:
            try:
                held.append(hold(path))
            except OSError:
                break
        time.sleep(0.1)


if __name__ == "__main__":
    {"stopped": stopped, "unfinished": unfinished, "idle": lambda path: idle(path, int(sys.argv[3]))}[sys.argv[2]](
        sys.argv[1])
    while True:
        time.sleep(60)
