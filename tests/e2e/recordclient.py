"""A client of the record service's socket for the tests: one request per connection, every wait bounded.

As a module: ask(), begin(), save(), read_pair(), hold(). As a program (for a shell script, under setpriv as another
account): recordclient.py SOCKET LINE [TIMEOUT] sends LINE and a line feed, writes the answer's bytes to standard
output, and ends with status 0, or 1 when the service does not answer in TIMEOUT seconds (default 5).
"""

import re
import socket
import sys
import time


class NoAnswer(Exception):
    """The service neither answered nor closed the connection in time."""


def receive_all(connection, timeout=5.0):
    """Every byte the service sends until it closes the connection, within `timeout` seconds in all."""
    deadline = time.monotonic() + timeout
    chunks = []
    while True:
        left = deadline - time.monotonic()
        if left <= 0:
            raise NoAnswer()
        connection.settimeout(left)
        try:
            chunk = connection.recv(65536)
        except socket.timeout:
            raise NoAnswer() from None
        except ConnectionResetError:
            chunk = b""
        if not chunk:
            return b"".join(chunks)
        chunks.append(chunk)


def ask(path, line, timeout=5.0):
    """The service's whole answer (bytes) to `line` (bytes or str, sent with a line feed after it)."""
    if isinstance(line, str):
        line = line.encode()
    deadline = time.monotonic() + timeout
    with hold(path, line + b"\n", timeout) as connection:
        return receive_all(connection, deadline - time.monotonic())


def begin(path, timeout=5.0):
    """A new ticket, or an AssertionError with the service's answer."""
    answer = ask(path, "begin", timeout)
    found = re.fullmatch(rb"ticket ([0-9a-f]{32})\n", answer)
    assert found, answer
    return found.group(1).decode()


def save(path, ticket, score, name, timeout=5.0):
    """The answer line to a save, e.g. b"saved\\n"; `name` is str (sent as UTF-8) or bytes."""
    if isinstance(name, str):
        name = name.encode()
    return ask(path, b"save %s %s " % (ticket.encode(), str(score).encode()) + name, timeout)


def read_pair(path, timeout=5.0):
    """The stored pair's bytes (best score, champion), or an AssertionError with the service's answer."""
    answer = ask(path, "read", timeout)
    found = re.match(rb"ok (\d+) (\d+)\n", answer)
    assert found, answer
    head = found.end()
    sizes = int(found.group(1)), int(found.group(2))
    assert len(answer) == head + sizes[0] + sizes[1], answer
    return answer[head : head + sizes[0]], answer[head + sizes[0] :]


def hold(path, first_bytes=b"", timeout=5.0):
    """A connection that sent `first_bytes` and then nothing more (the caller closes it). A service that closed it
    before they went out, as it does at once past a cap, is no error: the connection then just reads as closed."""
    connection = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
    connection.settimeout(timeout)
    connection.connect(path)
    try:
        connection.sendall(first_bytes)
    except (BrokenPipeError, ConnectionResetError):
        pass
    return connection


if __name__ == "__main__":
    try:
        sys.stdout.buffer.write(ask(sys.argv[1], sys.argv[2], float(sys.argv[3]) if len(sys.argv) > 3 else 5.0))
    except NoAnswer:
        sys.exit(1)
