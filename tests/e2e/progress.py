"""Two short games on a fast clock, then "I tuoi progressi" opened from the menu bar with the keyboard: what its fact
grid and its chart's values say on the accessibility bus must match the answers given.

Run inside an X server and a D-Bus session (CTest runs it under xvfb-run and dbus-run-session):
    progress.py <path to quorvane>
"""

import os
import sys

import pyatspi

from play import Game, check_equal, run, wait_for

NAME = "Anna"
GAMES = [[True, False], [True, True, False]]  # each game's answers, right or wrong, before its time runs out


def play_until_time_out(binary, data_home, log, answers):
    """A game on a clock thirty times faster; returns the second factor of each exercise answered."""
    game = Game(binary, data_home, log, faster=30)
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


def read_the_progress_window(binary, data_home, log):
    """Opens the window from the menu bar with Alt+P, reads it, closes it with Escape and leaves."""
    game = Game(binary, data_home, log)
    try:
        game.give_name(NAME)
        wait_for("the answer box to take the focus", game.answer_box_focused)
        game.key("alt+p")
        wait_for("the progress window", lambda: any(name == "I tuoi progressi" for _, name, _, _ in game.windows()))
        window = next(wid for wid, name, _, _ in game.windows() if name == "I tuoi progressi")
        game.focus(window)
        grid = wait_for("the fact grid", lambda: cells(game, "La tabellina del 7, fatto per fatto"))
        values = cells(game, "Valori del grafico, partita per partita")
        chart = next(node.description for node in game.application_nodes()
                     if node.name.startswith("Grafico delle ultime"))
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


def check_progress(binary, workdir):
    with open(os.path.join(workdir, "quorvane.log"), "w") as log:
        data_home = os.path.join(workdir, "data")
        played = [play_until_time_out(binary, data_home, log, answers) for answers in GAMES]
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
