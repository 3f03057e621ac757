"""One child's game against the record on an installed game, with play.py's machinery.

    champion.py <path to quorvane> <name> <champion expected at start-up> <best score expected> <right answers>
Run inside an X server and a D-Bus session, as the child's own account. An empty champion means no record yet; "-"
means a record service that does not answer: the record shown as unavailable, and a new best score that cannot be
saved. Leaves with the exit button and expects the record confirmation when the right answers beat the best score.
"""

import os
import sys
import tempfile
import time

from play import RECORD_SAVED, Failure, Game

UNAVAILABLE = "-"
# Longer than a start-up takes: a game that waited for the missing service would miss it.
UNAVAILABLE_START_SECONDS = 4.0
NOT_SAVED = ("Impossibile salvare il record in /var/games/quorvane: il servizio quorvane-record non ha visto iniziare "
             "questa partita")


def main():
    binary, name, champion, best, right = sys.argv[1:6]
    unavailable = champion == UNAVAILABLE
    with tempfile.TemporaryDirectory(prefix="quorvane-champion-") as workdir, \
            open(os.path.join(workdir, "quorvane.log"), "w") as log:
        game = Game(binary, os.path.join(workdir, "data"), log)
        try:
            game.give_name(name, window_timeout=UNAVAILABLE_START_SECONDS if unavailable else 15.0)
            if unavailable:
                game.expect_shown("the champion", "(non disponibile)")
                game.expect_shown("the best score", "—")
            elif champion:
                game.expect_shown("the champion", champion + "\r\n")
                game.expect_shown("the best score", best + "\r\n")
            # The service believes at most one right answer a second since the countdown started, as a child's.
            started = time.monotonic()
            for answered in range(int(right)):
                time.sleep(max(0.0, started + answered + 1 - time.monotonic()))
                game.answer(right=True)
            game.leave(record=unavailable or int(right) > int(best or 0),
                       saved=NOT_SAVED if unavailable else RECORD_SAVED)
            print("ok: %s saw %r with %s and scored %s" % (name, champion, best or "no record", right))
            return 0
        except Failure as failure:
            print("FAIL:", failure)
        finally:
            game.stop()
        with open(log.name) as output:
            print("--- program output ---\n" + output.read())
    return 1


if __name__ == "__main__":
    sys.exit(main())
