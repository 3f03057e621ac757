"""A ripasso game on a fast clock, from the command line with a name offered in the name box: over a history where
7 x 6 and 7 x 8 are to revise, Merlin's first sentences name them, the goodbye says the game was practice although it
beats the stored record, the record files stay byte for byte as they were, and the history's new line is marked.

Run inside an X server and a D-Bus session (CTest runs it under xvfb-run and dbus-run-session):
    ripasso.py <path to quorvane>
"""

import csv
import os
import sys

from play import Game, check_equal, read_bytes, record_files, run, wait_for

OFFERED = " anna "  # the history's "Anna", as the progress window groups names
ANNOUNCEMENT = "Oggi ripassiamo soprattutto 7 per 6 e 7 per 8"
PRACTICE_SAID = "Era un ripasso: il record resta com'era"


def write_history_and_record(data_home):
    """Five games of Anna's, 7 x 6 and 7 x 8 missed in each, every other fact right; a record of 1 by Ugo."""
    folder = os.path.join(data_home, "quorvane")
    os.makedirs(folder, exist_ok=True)
    columns = ["data", "nome", "giuste", "sbagliate"] + ["7 x %d %s" % (fact, kind) for fact in range(1, 11)
                                                         for kind in ("giuste", "sbagliate")]
    lines = [",".join(columns)]
    for day in range(1, 6):
        facts = [[0, 1] if fact in (6, 8) else [1, 0] for fact in range(1, 11)]
        counts = [sum(r for r, _ in facts), sum(w for _, w in facts)]
        lines.append(",".join(map(str, ["2026-11-0%dT17:00:00+01:00" % day, "Anna"] + counts +
                                      [n for fact in facts for n in fact])))
    with open(os.path.join(folder, "history.csv"), "w", encoding="utf-8", newline="") as history:
        history.write("\ufeff" + "\r\n".join(lines) + "\r\n")
    score_file, name_file = record_files(data_home)
    for path, text in ((score_file, b"1\r\n"), (name_file, b"Ugo\r\n")):
        with open(path, "wb") as record:
            record.write(text)


def said_first(game):
    """What Merlin's balloon shows once he names the facts he will ask most: his sentences follow each other there,
    until he plays his next animation."""
    return wait_for("Merlin to name the facts to revise",
                    lambda: next((name for name, _, _ in game.labels() if ANNOUNCEMENT in name), None), timeout=40)


def check_ripasso(binary, workdir):
    data_home = os.path.join(workdir, "data")
    write_history_and_record(data_home)
    score_file, name_file = record_files(data_home)
    record_before = read_bytes(score_file), read_bytes(name_file)
    with open(os.path.join(workdir, "quorvane.log"), "w") as log:
        # Three times faster: Merlin's sentences still stand in his balloon long enough to be read.
        game = Game(binary, data_home, log, faster=3,
                    arguments=["--ripasso", "--nome", OFFERED])
        try:
            # The offered name is kept as it stands.
            game.new_box()
            game.key("Return")
            game.new_box()
            game.expect_shown("the greeting", " %s vediamo se sei un vero campione  " % OFFERED)
            game.key("Return")
            game.focus(game.main_window())
            said = said_first(game)
            check_equal("Merlin's first sentences: the introduction, then the facts to revise",
                        said.split(" Oggi ripassiamo")[0].endswith("avere la domanda successiva"), True)
            game.expect_shown("the record, as usual", "Ugo\r\n")
            game.answer(right=True)
            game.answer(right=True)
            game.leave(record=True, saved=PRACTICE_SAID)
        finally:
            game.stop()
    check_equal("the record files", (read_bytes(score_file), read_bytes(name_file)), record_before)
    with open(os.path.join(data_home, "quorvane", "history.csv"), encoding="utf-8-sig", newline="") as history:
        last = list(csv.reader(history))[-1]
    check_equal("the history's new line: name, right answers, marked", (last[1], last[2], last[24:]),
                (OFFERED, "2", ["ripasso"]))


if __name__ == "__main__":
    sys.exit(run(check_ripasso, "quorvane-ripasso-"))
