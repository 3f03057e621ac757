"""Two short games on a fast clock, then "I tuoi progressi" opened from the menu bar with the keyboard: what its fact
grid and its chart's values say on the accessibility bus must match the answers given. Then `quorvane --progress`
alone, in the C locale, over thirty games of a child with a 250-character name written in no date order: the verdict,
the games in date order, a window that fits the screen, and error texts in Italian.

Run inside an X server and a D-Bus session (CTest runs it under xvfb-run and dbus-run-session):
    progress.py <path to quorvane>
"""

import datetime
import os
import random
import shutil
import sys

import pyatspi

from play import Failure, Game, check_equal, run, wait_for

NAME = "Anna"
# As long as the name box allows: the window must still fit a school laptop's screen.
LONG_NAME = "Giulia " + "m" * 243
SCREEN = (1366, 768)
GAMES = [[True, False], [True, True, False]]  # each game's answers, right or wrong, before its time runs out


def play_until_time_out(binary, data_home, log, answers, day):
    """A game on a clock thirty times faster, `day` days ahead; returns the second factor of each exercise answered.
    Each game's fast clock starts from the real time: without a day of its own, a game slowed by a loaded machine
    would end later on its clock than the game after it."""
    game = Game(binary, data_home, log, faster=30, environment={"FAKETIME": "+%dd x30" % day})
    try:
        game.give_name(NAME)
        factors = [game.answer(right) for right in answers]
        game.confirm_goodbye(record=True, timeout=40)
    finally:
        game.stop()
    return factors


def cells(game, table_name):
    """The names of the cells of the program's table called `table_name`, row by row."""
    for node in game.application_nodes():
        if node.getRole() == pyatspi.ROLE_TABLE and node.name == table_name:
            return [cell.name for cell in node if cell is not None and cell.getRole() == pyatspi.ROLE_TABLE_CELL]
    return None


def window_on_bus(game):
    return wait_for("the window on the accessibility bus",
                    lambda: next((node for node in game.application_nodes() if node.name == "I tuoi progressi"), None))


def check_on_screen(what, window):
    x, y, width, height = window.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    if x < 0 or y < 0 or x + width > SCREEN[0] or y + height > SCREEN[1]:
        raise Failure("%s (%d, %d, %d x %d) is off the %d x %d screen" % (what, x, y, width, height, *SCREEN))
    print("ok: %s, %d x %d at (%d, %d)" % (what, width, height, x, y))


def read_the_progress_window(binary, data_home, log):
    """A child with a long name opens the window from the menu bar with Alt+P, chooses NAME's games with the arrow key,
    reads them, closes the window with Escape and leaves."""
    game = Game(binary, data_home, log)
    try:
        game.give_name(LONG_NAME)
        wait_for("the answer box to take the focus", game.answer_box_focused)
        game.key("alt+p")
        wait_for("the progress window", lambda: any(name == "I tuoi progressi" for _, name, _, _ in game.windows()))
        window = next(wid for wid, name, _, _ in game.windows() if name == "I tuoi progressi")
        game.focus(window)
        check_on_screen("the window opened in a game", window_on_bus(game))
        game.key("Down")
        values = wait_for("NAME's games", lambda: cells(game, "Valori del grafico, partita per partita"))
        grid = cells(game, "La tabellina del 7, fatto per fatto")
        chart = next(node.description for node in game.application_nodes()
                     if node.name.startswith("Grafico: Ultime"))
        game.key("Escape")
        wait_for("the progress window to close",
                 lambda: all(name != "I tuoi progressi" for _, name, _, _ in game.windows()))
        game.focus(game.main_window())
        game.leave(record=False)
    finally:
        game.stop()
    return grid, values, chart


def words(right, wrong):
    """The answers as the window says them: "1 giusta, 2 sbagliate"."""
    return "%d %s, %d %s" % (right, "giusta" if right == 1 else "giuste",
                             wrong, "sbagliata" if wrong == 1 else "sbagliate")


C_LOCALE = {"LANG": "C", "LC_ALL": "C", "LANGUAGE": ""}


def write_thirty_games(data_home):
    """Thirty games of LONG_NAME, two a day, in shuffled order, 7 x 6 and 7 x 8 missed in the last three; returns
    their dates, oldest first, as the window writes them."""
    columns = ["data", "nome", "giuste", "sbagliate"] + ["7 x %d %s" % (fact, kind) for fact in range(1, 11)
                                                         for kind in ("giuste", "sbagliate")]
    start = datetime.datetime(2026, 11, 1, 16, 0, tzinfo=datetime.timezone(datetime.timedelta(hours=1)))
    games = []
    for game in range(30):
        ended = start + datetime.timedelta(days=game // 2, hours=2 * (game % 2))
        facts = [[2, 1 if game >= 27 and fact in (6, 8) else 0] for fact in range(1, 11)]
        counts = [sum(right for right, _ in facts), sum(wrong for _, wrong in facts)]
        games.append([ended.isoformat(), LONG_NAME] + counts + [n for fact in facts for n in fact])
    lines = [",".join(columns)] + [",".join(map(str, game)) for game in random.Random(27).sample(games, len(games))]
    os.makedirs(os.path.join(data_home, "quorvane"), exist_ok=True)
    with open(os.path.join(data_home, "quorvane", "history.csv"), "w", encoding="utf-8", newline="") as history:
        history.write("\ufeff" + "\r\n".join(lines) + "\r\n")
    return [(start + datetime.timedelta(days=g // 2, hours=2 * (g % 2))).strftime("%d/%m/%Y %H:%M")
            for g in range(30)]


def read_progress_alone(binary, data_home, log, whole_class=False):
    """`quorvane --progress` in the C locale: its windows, its description, the games table and its extents; with
    `whole_class`, the class table and description too, once End has chosen the class."""
    game = Game(binary, data_home, log, arguments=["--progress"], environment=C_LOCALE)
    try:
        wait_for("the progress window", lambda: any(name == "I tuoi progressi" for _, name, _, _ in game.windows()))
        windows = [name for _, name, _, _ in game.windows()]
        window = window_on_bus(game)
        description = window.description
        check_on_screen("the window alone", window)
        values = cells(game, "Valori del grafico, partita per partita")
        if whole_class:
            game.focus(next(wid for wid, name, _, _ in game.windows() if name == "I tuoi progressi"))
            game.key("End")
            values = wait_for("the class table", lambda: cells(game, "Tutta la classe, fatto per fatto")), \
                window_on_bus(game).description, values
    finally:
        game.stop()
    return windows, description, values


def check_progress_alone(binary, workdir, log):
    data_home = os.path.join(workdir, "alone")
    dates = write_thirty_games(data_home)
    windows, description, (classes, class_description, values) = read_progress_alone(binary, data_home, log, True)
    check_equal("the class, chosen with the keyboard", (classes[0], classes[6], class_description),
                (LONG_NAME, LONG_NAME + ", 7 × 6: incerto", "Tutta la classe: 1 nome, 1 con fatti da ripassare"))
    check_equal("the windows of --progress", windows, ["I tuoi progressi"])
    check_equal("the verdict, said as the window opens", description, "Da ripassare: 7 × 6, 7 × 8")
    check_equal("the games in date order", values[0::3], dates)

    # A folder where the history should be: the reasons must be ours, in Italian, not the C locale's English.
    shutil.rmtree(os.path.join(data_home, "quorvane"))
    os.makedirs(os.path.join(data_home, "quorvane", "history.csv"))
    _, description, _ = read_progress_alone(binary, data_home, log)
    path = os.path.join(data_home, "quorvane", "history.csv")
    check_equal("the errors under LANG=C", description,
                "Nessuna partita ancora con questo nome. "
                "Impossibile scrivere lo storico dei progressi in %s: al suo posto c'è una cartella "
                "Impossibile leggere lo storico dei progressi in %s: non è un file regolare" % (path, path))


def check_progress(binary, workdir):
    with open(os.path.join(workdir, "quorvane.log"), "w") as log:
        check_progress_alone(binary, workdir, log)
        data_home = os.path.join(workdir, "data")
        played = [play_until_time_out(binary, data_home, log, answers, day) for day, answers in enumerate(GAMES)]
        print("ok: answered 7 x", played)
        grid, values, chart = read_the_progress_window(binary, data_home, log)

    tally = {factor: [0, 0] for factor in range(1, 11)}
    for factors, answers in zip(played, GAMES):
        for factor, right in zip(factors, answers):
            tally[factor][0 if right else 1] += 1
    # Each cell ends with the fact's confidence, which the widget test checks.
    check_equal("the grid's cells, fact by fact", [cell.rsplit(", ", 1)[0] for cell in grid],
                ["7 per %d: %s" % (factor, words(*tally[factor])) for factor in range(1, 11)])
    totals = [(answers.count(True), answers.count(False)) for answers in GAMES]
    check_equal("the chart's values, game by game", [(int(values[i + 1]), int(values[i + 2]))
                                                     for i in range(0, len(values), 3)], totals)
    check_equal("the chart's description", [part.split(": ", 1)[1] for part in chart.split("; ")],
                [words(*total) for total in totals])


if __name__ == "__main__":
    sys.exit(run(check_progress, "quorvane-progress-"))
