"""A ripasso game from the command line with a name offered, at the game's own pace, over a history where 7 x 6 and 7 x 8
are to revise: Merlin names them, the goodbye says it was practice although the score beats the stored record, the
record files stay as they were, and the history's new line is marked.
    ripasso.py <path to quorvane>   (inside an X server and a D-Bus session, as CTest runs it)
"""

import csv
import os
import sys

from play import Game, check_equal, read_bytes, record_files, run, wait_for

OFFERED = " anna "  # the history's "Anna", as the progress window groups names
ANNOUNCEMENT = "Oggi ripassiamo soprattutto 7 per 6 e 7 per 8"


def write_history_and_record(data_home):
    """Five games of Anna's, 7 x 6 and 7 x 8 missed in each, every other fact right; a record of 1 by Ugo."""
    os.makedirs(os.path.join(data_home, "quorvane"))
    facts = [n for fact in range(1, 11) for n in ((0, 1) if fact in (6, 8) else (1, 0))]
    games = ["2026-11-0%dT17:00:00+01:00,Anna,8,2," % day + ",".join(map(str, facts)) for day in range(1, 6)]
    with open(os.path.join(data_home, "quorvane", "history.csv"), "w", newline="") as history:
        history.write("\r\n".join(["data"] + games) + "\r\n")
    for path, text in zip(record_files(data_home), (b"1\r\n", b"Ugo\r\n")):
        with open(path, "wb") as record:
            record.write(text)


def check_ripasso(binary, workdir):
    data_home = os.path.join(workdir, "data")
    write_history_and_record(data_home)
    record_before = [read_bytes(path) for path in record_files(data_home)]
    with open(os.path.join(workdir, "quorvane.log"), "w") as log:
        # At the game's own pace: on a faster clock his sentence can leave the balloon between two reads of a slow
        # accessibility bus. The game ends with Exit, so its seven minutes do not matter.
        game = Game(binary, data_home, log, arguments=["--ripasso", "--nome", OFFERED])
        try:
            game.new_box()
            game.key("Return")  # the offered name, kept
            game.new_box()
            game.expect_shown("the greeting", " %s vediamo se sei un vero campione  " % OFFERED)
            game.key("Return")
            game.focus(game.main_window())
            game.expect_shown("Merlin naming the facts to revise, after his introduction", ANNOUNCEMENT, timeout=60)
            game.expect_shown("the record, as usual", "Ugo\r\n")
            game.answer(right=True)
            game.answer(right=True)
            game.leave(record=True, saved="Era un ripasso: il record resta com'era")
        finally:
            game.stop()
    check_equal("the record files", [read_bytes(path) for path in record_files(data_home)], record_before)
    with open(os.path.join(data_home, "quorvane", "history.csv"), newline="") as history:
        last = list(csv.reader(history))[-1]
    check_equal("the history's new line: name, right answers, mark", (last[1], last[2], last[24:]),
                (OFFERED, "2", ["ripasso"]))


if __name__ == "__main__":
    sys.exit(run(check_ripasso, "quorvane-ripasso-"))
