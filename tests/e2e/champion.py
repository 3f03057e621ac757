"""One child's game against the record on an installed game, with play.py's machinery.

    champion.py <path to quorvane> <name> <champion expected at start-up> <best score expected> <right answers>
Run inside an X server and a D-Bus session, as the child's own account. An empty champion means no record yet.
Leaves with the exit button and expects the record confirmation when the right answers beat the best score.
"""

import os
import sys
import tempfile

from play import Failure, Game


def main():
    binary, name, champion, best, right = sys.argv[1:6]
    with tempfile.TemporaryDirectory(prefix="quorvane-champion-") as workdir, \
            open(os.path.join(workdir, "quorvane.log"), "w") as log:
        game = Game(binary, os.path.join(workdir, "data"), log)
        try:
            game.give_name(name)
            if champion:
                game.expect_shown("the champion", champion + "\r\n")
                game.expect_shown("the best score", best + "\r\n")
            for _ in range(int(right)):
                game.answer(right=True)
            game.leave(record=int(right) > int(best or 0))
            print("ok: %s saw %r with %s and scored %s" % (name, champion, best or "no record", right))
            return 0
        except Failure as failure:
            print("FAIL:", failure)
        finally:
            game.stop()
    return 1


if __name__ == "__main__":
    sys.exit(main())
