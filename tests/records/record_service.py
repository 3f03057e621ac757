"""The record service at its socket, started as systemd would (systemd-socket-activate) on a record directory of the
running account: the ticket and name tables, the byte-exact pair, idle and unfinished connections that hold no one
up, tickets kept across a restart, and the refusals of a directory the service must not trust.
usage: record_service.py QUORVANE_RECORDD
"""

import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

sys.dont_write_bytecode = True  # nothing written into the source tree
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
import recordclient  # noqa: E402

PROGRAM = sys.argv[1]
failures = []
runs = []  # every run of the service, ended at the last whatever happens


def check(row, condition, detail=""):
    print(("ok   " if condition else "FAIL ") + row + ("" if condition else f": {detail!r}"))
    if not condition:
        failures.append(row)


class Service:
    """One run of the service on `directory`, listening on a socket of its own."""

    def __init__(self, root, name, directory, *options):
        self.socket = os.path.join(root, name + ".socket")
        self.errors = os.path.join(root, name + ".errors")
        with open(self.errors, "wb") as errors:
            self.process = subprocess.Popen(
                ["systemd-socket-activate", "-l", self.socket, PROGRAM, "--directory", directory, *options],
                stderr=errors,
            )
        runs.append(self.process)
        deadline = time.monotonic() + 5
        while not os.path.exists(self.socket):
            assert time.monotonic() < deadline, "no socket"
            time.sleep(0.02)
        os.chmod(self.socket, 0o666)

    def refused_saves(self):
        with open(self.errors, encoding="utf-8") as errors:
            return [line for line in errors if "salvataggio rifiutato" in line]

    def stop(self):
        self.process.send_signal(signal.SIGTERM)
        return self.process.wait(5)


def ticket_and_save_tables(service, short_lived):
    path = service.socket
    check("read of a record never saved", recordclient.ask(path, "read") == b"ok 0 0\n")
    honest, equal, bad_score, too_soon = (recordclient.begin(path) for _ in range(4))
    expired = recordclient.begin(short_lived.socket)
    refused = {
        "a save with no ticket": recordclient.save(path, "", 0, "Anna"),
        "a save with an unknown ticket": recordclient.save(path, "0" * 32, 0, "Anna"),
        "a score above the seconds since the ticket": recordclient.save(path, too_soon, 5, "Anna"),
    }
    time.sleep(1.1)  # the honest games last a second: one right answer
    answer = recordclient.save(path, honest, 1, "Niccolò")
    check("an honest save", answer == b"saved\n", answer)
    pair = recordclient.read_pair(path)
    check("the pair read back byte for byte", pair == (b"1\r\n", "Niccolò\r\n".encode()), pair)
    answer = recordclient.save(path, equal, 1, "D'Amico")
    check("an equal score keeps the record", answer == b"kept\n", answer)
    refused["a used ticket"] = recordclient.save(path, honest, 1, "Anna")
    refused["a score that is no number"] = recordclient.save(path, bad_score, "01", "Anna")
    refused["an expired ticket"] = recordclient.save(short_lived.socket, expired, 1, "Anna")
    # Each name with a fresh ticket, which allows no right answer yet.
    for name in ["\u202eocraM", "Mar\u200bco", "Mar\u2060co", "\ufeffMarco", "Z" + "\u0301" * 30, "", "   ",
                 "An\x07na", b"Niccol\xf2", "a" * 251]:
        refused[f"the name {name!r}"] = recordclient.save(path, recordclient.begin(path), 0, name)
    for row, answer in refused.items():
        check(row + " is refused", re.fullmatch(rb"refused [^\n]+\n", answer) is not None, answer)
    logged = service.refused_saves() + short_lived.refused_saves()
    check("each refused save is one line on stderr", len(logged) == len(refused), logged)
    for name in ["Maria Grazia", "Zoë", "Nicolo\u0300", "Anna-Lisa"]:
        answer = recordclient.save(path, recordclient.begin(path), 0, name)
        check(f"the name {name!r} is taken", answer == b"kept\n", answer)


def bad_requests(path):
    check("an unknown request is refused", recordclient.ask(path, "write 5").startswith(b"refused "))
    check("a request longer than 1200 bytes is refused",
          recordclient.ask(path, "x" * 1300, 3).startswith(b"refused "))


def nobody_is_held_up(root, path):
    unfinished = recordclient.hold(path, b"rea")
    idle = [recordclient.hold(path) for _ in range(3)]
    fifth = recordclient.hold(path, b"read\n")
    answer = recordclient.receive_all(fifth, 1)
    check("a fifth connection of one account is closed at once", answer == b"", answer)
    if os.geteuid() == 0:
        started = time.monotonic()
        # A copy the other account can read wherever the source is.
        client = shutil.copy(recordclient.__file__, root)
        other = subprocess.run(["setpriv", "--reuid=65534", "--regid=65534", "--clear-groups", sys.executable, client,
                                path, "read", "1"], capture_output=True, timeout=10)
        check("another account's read is answered within a second while they wait",
              other.returncode == 0 and other.stdout == b"ok 3 10\n1\r\n" + "Niccolò\r\n".encode(),
              (other.returncode, other.stdout, time.monotonic() - started))
    else:
        print("skip another account's read: only root can start a client as another account")
    check("an unfinished request is closed within its two seconds",
          recordclient.receive_all(unfinished, 4) == b"")
    for connection in [unfinished, *idle, fifth]:
        connection.close()
    answer = recordclient.ask(path, "read", 1)
    check("then the account is served again", answer.startswith(b"ok 3 10\n"), answer)


def own_directory(root, name, mode=0o755):
    path = os.path.join(root, name)
    os.mkdir(path)
    os.chmod(path, mode)  # whatever the umask
    return path


def directory_refusals(root):
    def prepare(directory):
        return subprocess.run([PROGRAM, "--prepare", "--directory", directory], capture_output=True, text=True)

    group_writable = own_directory(root, "group-writable", 0o775)
    linked = os.path.join(root, "linked")
    os.symlink(group_writable, linked)
    for row, directory in [("a directory its group may write", group_writable),
                           ("a symbolic link as the directory", linked)]:
        run = prepare(directory)
        check(row + " is refused in one line", run.returncode == 2 and run.stderr.count("\n") == 1
              and directory in run.stderr, (run.returncode, run.stderr))
    os.chmod(group_writable, 0o755)
    check("--prepare creates the pair", prepare(group_writable).returncode == 0
          and sorted(os.listdir(group_writable)) == ["azerbilox.txt", "nzerbilox.txt", "record.lock"])
    alone = subprocess.run([PROGRAM, "--directory", group_writable], capture_output=True, text=True)
    check("started without a socket it says so and ends", alone.returncode == 2 and "socket" in alone.stderr,
          alone.stderr)


def run_all(root):
    os.chmod(root, 0o755)  # another account's client reaches the socket
    records = own_directory(root, "records")
    service = Service(root, "service", records)
    short_lived = Service(root, "short-lived", own_directory(root, "short-lived"), "--ticket-lifetime", "1")
    ticket_and_save_tables(service, short_lived)
    bad_requests(service.socket)
    nobody_is_held_up(root, service.socket)
    kept = recordclient.begin(service.socket)
    begun_before_restart = time.monotonic()
    check("SIGTERM ends the service cleanly", service.stop() == 0 and short_lived.stop() == 0)
    # Two games begun nine minutes ago, written as the service writes its book.
    begun = int(time.time() * 1000) - 9 * 60 * 1000
    with open(os.path.join(records, "tickets"), "a", encoding="ascii") as book:
        book.write("".join(f"{digit * 32} {os.geteuid()} {begun} 0\n" for digit in "ab"))
    restarted = Service(root, "restarted", records)
    time.sleep(max(0.0, begun_before_restart + 1.1 - time.monotonic()))
    answer = recordclient.save(restarted.socket, kept, 1, "Anna")
    check("a ticket survives a restart", answer == b"kept\n", answer)
    answer = recordclient.save(restarted.socket, "a" * 32, 421, "Anna")
    check("no more than a seven-minute game's 420 right answers", answer.startswith(b"refused "), answer)
    answer = recordclient.save(restarted.socket, "b" * 32, 420, "Anna")
    check("420 right answers after nine minutes are taken", answer == b"saved\n", answer)
    restarted.stop()
    directory_refusals(root)


def main():
    with tempfile.TemporaryDirectory() as root:
        try:
            run_all(root)
        finally:
            for process in runs:
                if process.poll() is None:
                    process.kill()
                    process.wait()
    if failures:
        sys.exit(f"{len(failures)} failed: {failures}")


main()
