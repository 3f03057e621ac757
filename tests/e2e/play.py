"""Plays Quorvane as a child would, on a real X server, and checks the record files it leaves.

Run inside an X server and a D-Bus session (CTest runs it under xvfb-run and dbus-run-session):
    play.py <path to quorvane>
Keys go in through xdotool; what the window shows is read back through the accessibility bus.
"""

import os
import re
import subprocess
import sys
import tempfile
import time
import traceback

import pyatspi

BOX_TITLE = "Quorvane"  # message boxes and the name box carry the application's title
GOODBYE = "Ciao. Ti aspetto per la prossima sfida "
RECORD_SAVED = 'Ok ho registrato il tuo record, C A M P I O N E"'
LONG_NAME = "Maria Francesca Benedetta Rossi"  # wider than the record line leaves before "con punti"
MARKUP_NAME = "<h1>Eva</h1>  Bianchi"  # to be shown as typed, never as a heading
# Found by CMake; the default is where Debian puts it on amd64.
FAKETIME_LIBRARY = os.environ.get("QUORVANE_FAKETIME", "/usr/lib/x86_64-linux-gnu/faketime/libfaketimeMT.so.1")


class Failure(Exception):
    pass


def wait_for(what, probe, timeout=15.0):
    """Polls `probe` until it returns something true, and returns that."""
    deadline = time.monotonic() + timeout
    while True:
        result = probe()
        if result:
            return result
        if time.monotonic() > deadline:
            raise Failure("timed out waiting for " + what)
        time.sleep(0.1)


def xdotool(*args):
    done = subprocess.run(["xdotool", *args], capture_output=True, text=True, check=False)
    return done.stdout


def stacking():
    """The screen's top-level windows, top first, each as the set of window ids in its tree (with a
    window manager, the program's window lies inside the manager's frame)."""
    tree = subprocess.run(["xwininfo", "-root", "-tree"], capture_output=True, text=True, check=True).stdout
    tops, top_indent = [], None
    for line in tree.splitlines():
        match = re.match(r"^( +)(0x[0-9a-f]+) ", line)
        if not match:
            continue
        indent, wid = len(match.group(1)), int(match.group(2), 16)
        if top_indent is None:
            top_indent = indent
        if indent == top_indent:
            tops.append({wid})
        else:
            tops[-1].add(wid)
    return tops


def is_dialog(wid):
    kind = subprocess.run(["xprop", "-id", wid, "_NET_WM_WINDOW_TYPE"], capture_output=True, text=True).stdout
    return "_NET_WM_WINDOW_TYPE_DIALOG" in kind


def accessible_tree(app):
    """Every accessible of the application `app`, read afresh."""
    app.clear_cache()
    stack = list(app)
    while stack:
        node = stack.pop()
        if node is not None:
            yield node
            stack.extend(node)


class Game:
    """One run of the program, with an eye on its windows and labels."""

    def __init__(self, binary, data_home, log, faster=None, arguments=(), environment=None):
        env = dict(os.environ, XDG_DATA_HOME=data_home, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        if faster:
            # The program's clock runs `faster` times faster, so a whole game takes seconds.
            env.update(LD_PRELOAD=FAKETIME_LIBRARY, FAKETIME="+0 x%d" % faster)
        env.update(environment or {})
        self.process = subprocess.Popen([binary, *arguments], env=env, stdout=log, stderr=subprocess.STDOUT)
        self.boxes_seen = set()

    # --- windows, through X ---

    def windows(self):
        """The program's mapped top-level windows as (id, name, width, height)."""
        if self.process.poll() is not None:
            raise Failure("the program ended early with status %d" % self.process.returncode)
        found = []
        for wid in xdotool("search", "--onlyvisible", "--pid", str(self.process.pid)).split():
            name = xdotool("getwindowname", wid).rstrip("\n")
            geometry = xdotool("getwindowgeometry", "--shell", wid)
            size = dict(line.split("=", 1) for line in geometry.split())
            found.append((wid, name, int(size.get("WIDTH", 0)), int(size.get("HEIGHT", 0))))
        return found

    def focus(self, wid):
        # No window manager: give the keyboard focus explicitly, or keys are lost.
        xdotool("windowfocus", "--sync", wid)

    def windows_over(self, box):
        """The names of the program's windows stacked over `box`."""
        # Only windows mapped both before and after the stacking is read: a window that unmaps
        # meanwhile goes back to the top of the screen's list, unseen.
        before = {int(wid): name for wid, name, _, _ in self.windows()}
        tops = stacking()
        ours = {wid: name for wid, name in before.items() if wid in {int(w) for w, _, _, _ in self.windows()}}
        above = next(i for i, top in enumerate(tops) if int(box) in top)
        return [ours[wid] for top in tops[:above] for wid in top if wid in ours and wid != int(box)]

    def expect_box_on_top(self, box, watch):
        """No window of the program lies over `box`, now and for `watch` seconds while the wizard goes on."""
        deadline = time.monotonic() + watch
        while True:
            over = self.windows_over(box)
            if over:
                raise Failure("windows stacked over the box: %r" % over)
            if time.monotonic() >= deadline:
                return
            time.sleep(0.2)

    def new_box(self, timeout=15.0, watch=0.0):
        """Waits for a message or input box not handled before, checks that nothing of the program covers
        it (for `watch` seconds), focuses it and returns its id."""

        def probe():
            for wid, name, _, _ in self.windows():
                # The narrator's balloon carries the title too, but it is no dialog.
                if name == BOX_TITLE and wid not in self.boxes_seen and is_dialog(wid):
                    return wid
            return None

        wid = wait_for("a box", probe, timeout)
        self.boxes_seen.add(wid)
        self.expect_box_on_top(wid, watch)
        self.focus(wid)
        # Keys sent before the box's own control has the focus would be lost.
        wait_for("the box to take the keys", lambda: self.focused_inside(wid))
        return wid

    def focused_inside(self, wid):
        """Whether the program's focused control lies inside the window `wid`."""
        g = {k: int(v) for k, v in (line.split("=", 1) for line in xdotool("getwindowgeometry", "--shell", wid).split())}
        return any(focused and 0 <= x - g["X"] < g["WIDTH"] and 0 <= y - g["Y"] < g["HEIGHT"]
                   for _, _, x, y, focused in self.accessibles())

    def merlin_shown(self):
        return any(name == "Merlin" for _, name, _, _ in self.windows())

    def main_window(self, timeout=15.0):
        def probe():
            sized = [wid for wid, _, width, _ in self.windows() if width >= 700]
            return sized[0] if sized else None

        return wait_for("the game window", probe, timeout)

    # --- what the program shows, through AT-SPI ---

    def application(self):
        def probe():
            desktop = pyatspi.Registry.getDesktop(0)
            for app in desktop:
                if app is not None and app.get_process_id() == self.process.pid:
                    return app
            return None

        return wait_for("the program on the accessibility bus", probe)

    def accessibles(self):
        """Every showing accessible of the program as (role, name, x, y, focused)."""
        app = self.application()
        app.clear_cache()
        found = []

        def walk(node):
            for child in node:
                if child is None:
                    continue
                states = child.getState()
                if not states.contains(pyatspi.STATE_SHOWING):
                    continue
                x, y = child.queryComponent().getPosition(pyatspi.DESKTOP_COORDS)
                found.append((child.getRole(), child.name, x, y, states.contains(pyatspi.STATE_FOCUSED)))
                walk(child)

        walk(app)
        return found

    def labels(self):
        return [(name, x, y) for role, name, x, y, _ in self.accessibles() if role == pyatspi.ROLE_LABEL]

    def shows(self, text):
        return any(name == text for name, _, _ in self.labels())

    def expect_shown(self, what, text, timeout=15.0):
        try:
            wait_for("%s %r" % (what, text), lambda: self.shows(text), timeout)
        except Failure as failure:
            raise Failure("%s; the labels on screen: %r" % (failure, [name for name, _, _ in self.labels()])) from None

    def expect_clock(self, pattern):
        wait_for("the clock to read " + pattern,
                 lambda: any(re.fullmatch(pattern, name) for name, _, _ in self.labels()))

    # --- playing ---

    def key(self, *keys):
        xdotool("key", "--delay", "60", *keys)

    def type(self, text):
        xdotool("type", "--delay", "60", text)

    def give_name(self, name, window_timeout=15.0):
        self.new_box()
        wait_for("the name box's buttons in Italian",
                 lambda: {"OK", "Annulla"} <= {n for role, n, _, _, _ in self.accessibles() if role == pyatspi.ROLE_PUSH_BUTTON})
        self.type(name)
        self.key("Return")
        self.new_box()
        self.expect_shown("the greeting", " %s vediamo se sei un vero campione  " % name)
        self.key("Return")
        window = self.main_window(window_timeout)
        self.focus(window)
        return window

    def printed_factor(self):
        """The second factor of the printed exercise: the label right of the "X"."""
        labels = self.labels()
        signs = [(x, y) for name, x, y in labels if name == "X"]
        if not signs:
            return None
        sign_x, sign_y = signs[0]
        factors = [name for name, x, y in labels if x > sign_x and abs(y - sign_y) < 40 and name.isdigit()]
        return int(factors[0]) if factors else None

    def score_below(self, heading):
        """The count shown in the score panel under `heading`."""
        labels = self.labels()
        x0, y0 = next((x, y) for name, x, y in labels if name == heading)
        counts = [name for name, x, y in labels if name.isdigit() and y0 < y < y0 + 60 and x0 <= x < x0 + 200]
        return int(counts[0]) if counts else None

    def verdict(self):
        verdicts = [name for name, _, _ in self.labels() if name.startswith(("Sbagliato!! ", "Esatto."))]
        return verdicts[0] if verdicts else None

    def answer_box_text(self):
        for child in self.application_nodes():
            if child.getRole() == pyatspi.ROLE_TEXT and child.getState().contains(pyatspi.STATE_SHOWING):
                text = child.queryText()
                return text.getText(0, text.characterCount)
        return None

    def application_nodes(self):
        return accessible_tree(self.application())

    def extents(self, text):
        """The screen rectangle (x, y, width, height) of the label that reads `text`."""
        for node in self.application_nodes():
            if node.getRole() == pyatspi.ROLE_LABEL and node.name == text:
                return node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        raise Failure("no label reads %r" % text)

    def hold(self, key, seconds):
        """Holds `key` down for `seconds`: the X server repeats it as a held key does."""
        xdotool("keydown", key)
        time.sleep(seconds)
        xdotool("keyup", key)

    def answer_box_focused(self):
        return any(role == pyatspi.ROLE_TEXT and focused for role, _, _, _, focused in self.accessibles())

    def answer(self, right):
        """Answers the exercise on screen, checks the verdict, asks for the next one; returns the factor."""
        wait_for("the answer box to take the focus", self.answer_box_focused)
        # The printed exercise shows up once the child starts typing.
        self.type("1")
        factor = wait_for("the printed exercise", self.printed_factor)
        result = 7 * factor if right else 7 * factor + 1
        self.key("BackSpace")
        self.type(str(result))
        self.key("Return")
        expected = "Esatto. Sei forte!!!" if right else "Sbagliato!! %d" % (7 * factor)
        self.expect_shown("the verdict", expected)
        # The next Enter presses "Nuovo calcolo" and sets the next exercise.
        self.key("Return")
        wait_for("the verdict to go", lambda: not self.shows(expected))
        return factor

    def leave(self, record, watch=0.0, saved=RECORD_SAVED):
        """Presses "E&xit" and confirms the boxes of the leave procedure, each watched for `watch` seconds
        while the wizard, still busy, stays on screen."""
        if watch:
            wait_for("the wizard on screen", self.merlin_shown, timeout=5)
        self.key("alt+x")
        self.confirm_goodbye(record, watch=watch, saved=saved)

    def confirm_goodbye(self, record, timeout=15.0, watch=0.0, saved=RECORD_SAVED):
        """`saved` is the box that follows the goodbye for a new record."""
        self.new_box(timeout, watch)
        self.expect_shown("the goodbye", GOODBYE)
        self.key("Return")
        if record:
            self.new_box(watch=watch)
            self.expect_shown("the record confirmation", saved)
            self.key("Return")
        self.expect_end(0)

    def expect_end(self, expected):
        try:
            status = self.process.wait(timeout=10)
        except subprocess.TimeoutExpired as exc:
            raise Failure("the program did not end") from exc
        if status != expected:
            raise Failure("the program ended with status %d, not %d" % (status, expected))

    def stop(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()


class WindowManager:
    """Debian's xfwm4 on the same X server while the `with` block runs."""

    def __enter__(self):
        self.process = subprocess.Popen(["xfwm4", "--compositor=off", "--sm-client-disable"],
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        wait_for("the window manager", lambda: "window id" in subprocess.run(
            ["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], capture_output=True, text=True).stdout)
        return self

    def __exit__(self, *_):
        self.process.terminate()
        try:
            self.process.wait(timeout=5)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()


def read_bytes(path):
    with open(path, "rb") as f:
        return f.read()


def check_equal(what, actual, expected):
    if actual != expected:
        raise Failure("%s: expected %r, got %r" % (what, expected, actual))
    print("ok:", what, repr(actual))


def record_files(data_home):
    records = os.path.join(data_home, "quorvane")
    return os.path.join(records, "azerbilox.txt"), os.path.join(records, "nzerbilox.txt")


def play_and_set_a_record(binary, data_home, log):
    """A first game: some right and some wrong answers, then the exit button saves the record."""
    score_file, name_file = record_files(data_home)
    answers = [True, True, False, True, False]
    game = Game(binary, data_home, log)
    try:
        game.give_name(LONG_NAME)
        # The start display has full stops; the first tick, a second later, brings colons.
        game.expect_clock(r"00\.07\.00|00:06:\d\d")
        game.expect_clock(r"00:06:[0-5]\d")
        check_equal("record files created empty at start", (read_bytes(score_file), read_bytes(name_file)),
                    (b"", b""))
        factors = [game.answer(right) for right in answers]
        print("ok: answered 7 x", factors)
        # The wizard still has praise and the next exercise to say while the boxes are open.
        game.leave(record=True, watch=1.5)
    finally:
        game.stop()
    check_equal("best-score file", read_bytes(score_file), b"%d\r\n" % sum(answers))
    check_equal("champion-name file keeps the whole name", read_bytes(name_file), LONG_NAME.encode() + b"\r\n")
    return sum(answers)


def show_the_champion(binary, data_home, log, best):
    """A second start shows the record; leaving without beating it changes nothing."""
    score_file, name_file = record_files(data_home)
    game = Game(binary, data_home, log)
    try:
        game.give_name("Luca")
        game.expect_shown("the player", "Luca")
        game.expect_shown("the champion", LONG_NAME + "\r\n")
        game.expect_shown("the best score", "%d\r\n" % best)
        champion_x, _, champion_width, _ = game.extents(LONG_NAME + "\r\n")
        score_heading_x = game.extents("con punti")[0]
        check_equal("the champion's name stops short of \"con punti\"", champion_x + champion_width <= score_heading_x,
                    True)
        game.leave(record=False)
    finally:
        game.stop()
    check_equal("best-score file after a game without a record", read_bytes(score_file), b"%d\r\n" % best)
    check_equal("champion-name file after a game without a record", read_bytes(name_file),
                LONG_NAME.encode() + b"\r\n")


def hold_enter(binary, data_home, log):
    """Keys as a child presses them on a real X server, whose key repeat sends a held key again and again:
    one action per held Enter, Enter in a judged box moves on, Alt chords type nothing."""
    score_file, name_file = record_files(data_home)
    game = Game(binary, data_home, log)
    try:
        game.give_name(MARKUP_NAME)
        wait_for("the answer box to take the focus", game.answer_box_focused)
        # "Nuovo calcolo" is still disabled: its Alt+N, like Alt+Q, types nothing.
        game.key("alt+n", "alt+q")
        game.type("1")
        wait_for("the digit alone in the answer box", lambda: game.answer_box_text() == "1")
        game.key("BackSpace")
        for judged, (key, seconds) in enumerate([("Return", 0.3), ("KP_Enter", 1.5), ("Return", 3.0)], start=1):
            game.hold(key, seconds)
            wait_for("the verdict", game.verdict)
            check_equal("holding %s %.1f s in the empty box: one wrong answer, its verdict shown" % (key, seconds),
                        (game.score_below("Risposte errate"), game.verdict()[:12]), (judged, "Sbagliato!! "))
            game.hold(key, seconds)
            wait_for("the next exercise", lambda: game.verdict() is None and game.answer_box_focused())
            check_equal("holding %s %.1f s on the button: the next exercise, no answer judged" % (key, seconds),
                        (game.score_below("Risposte errate"), game.verdict(), game.answer_box_focused()),
                        (judged, None, True))
        game.type("5")
        game.key("Return")
        wait_for("the verdict", game.verdict)
        game.key("shift+Tab")  # back into the judged answer box
        wait_for("the answer box to take the focus", game.answer_box_focused)
        game.key("Return")
        wait_for("Enter in the judged box to set the next exercise", lambda: game.verdict() is None)
        check_equal("answers judged after Enter in the judged box", game.score_below("Risposte totali"), 4)
        game.answer(right=True)
        game.leave(record=True, watch=1.5)
    finally:
        game.stop()
    check_equal("champion-name file, markup and blanks as typed", read_bytes(name_file),
                MARKUP_NAME.encode() + b"\r\n")
    check_equal("best-score file after the held keys", read_bytes(score_file), b"1\r\n")


def report_an_error_while_merlin_speaks(binary, data_home, log):
    """A record that cannot be written is reported in a box that the still busy wizard never covers."""
    score_file, _ = record_files(data_home)
    game = Game(binary, data_home, log)
    try:
        game.give_name("Anna")
        game.answer(right=True)
        os.remove(score_file)
        os.mkdir(score_file)  # no file can be written there
        wait_for("the wizard on screen", game.merlin_shown, timeout=5)
        game.key("alt+x")
        game.new_box(watch=1.5)
        game.expect_shown("the goodbye", GOODBYE)
        game.key("Return")
        game.new_box(watch=1.5)
        wait_for("the run-time error report",
                 lambda: any(name.startswith("Errore di run-time") for name, _, _ in game.labels()))
        game.key("Return")
        game.expect_end(3)
        print("ok: a record that cannot be written is reported on top of the wizard")
    finally:
        game.stop()


def start_without_a_display(binary):
    """Without any display the game says so in one Italian line, before Qt's own messages, and ends with status 1."""
    env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
    done = subprocess.run([binary], env=env, capture_output=True, text=True, timeout=30, check=False)
    check_equal("status without a display", done.returncode, 1)
    check_equal("what it says first without a display", (done.stdout + done.stderr).splitlines()[:1],
                ["quorvane: il gioco ha bisogno di un desktop grafico: avvialo da una sessione grafica."])


def run_out_of_time(binary, data_home, log):
    """A whole seven-minute game on a fast clock: time-out says goodbye once and saves the record."""
    score_file, name_file = record_files(data_home)
    # The countdown's ticks, its borrow rule and its end on the tick after zero are tst_countdown's, with the real
    # timer too; here the real program runs out of time: seven minutes at forty times the speed, 10.5 seconds.
    game = Game(binary, data_home, log, faster=40)
    try:
        game.give_name("Marco")
        game.answer(right=True)
        game.confirm_goodbye(record=True, timeout=30)
        check_equal("boxes shown: name, greeting, one goodbye, confirmation", len(game.boxes_seen), 4)
    finally:
        game.stop()
    check_equal("best-score file after time-out", read_bytes(score_file), b"1\r\n")
    check_equal("champion-name file after time-out", read_bytes(name_file), b"Marco\r\n")


def report_a_start_up_error(binary, workdir, log):
    """Record files that cannot be created end the program at start with a message box and status 3."""
    not_a_directory = os.path.join(workdir, "a-file")
    open(not_a_directory, "w").close()
    game = Game(binary, not_a_directory, log)
    try:
        game.new_box()
        game.type("Anna")
        game.key("Return")
        game.new_box()
        game.key("Return")
        game.new_box()
        wait_for("the run-time error report",
                 lambda: any(name.startswith("Errore di run-time") for name, _, _ in game.labels()))
        game.key("Return")
        game.expect_end(3)
        print("ok: a start-up error is reported and ends the program with status 3")
    finally:
        game.stop()


def play(binary, workdir):
    with open(os.path.join(workdir, "quorvane.log"), "w") as log:
        data_home = os.path.join(workdir, "data")
        start_without_a_display(binary)
        best = play_and_set_a_record(binary, data_home, log)
        show_the_champion(binary, data_home, log, best)
        report_a_start_up_error(binary, workdir, log)
        with WindowManager():
            print("with a window manager:")
            hold_enter(binary, os.path.join(workdir, "held-keys-data"), log)
            report_an_error_while_merlin_speaks(binary, os.path.join(workdir, "unwritable-data"), log)
        run_out_of_time(binary, os.path.join(workdir, "timeout-data"), log)


def run(check, prefix):
    """Runs check(binary, workdir) on the program named first on the command line, in a fresh folder named from
    `prefix`; a failure is printed with the program's output. Returns the exit status."""
    binary = os.path.abspath(sys.argv[1])
    with tempfile.TemporaryDirectory(prefix=prefix) as workdir:
        try:
            check(binary, workdir)
            return 0
        except Failure as failure:
            print("FAIL:", failure)
        except Exception:  # pylint: disable=broad-except
            traceback.print_exc()
        with open(os.path.join(workdir, "quorvane.log")) as log:
            print("--- program output ---\n" + log.read())
        return 1


def main():
    return run(play, "quorvane-e2e-")


if __name__ == "__main__":
    sys.exit(main())
