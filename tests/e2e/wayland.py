"""Starts Quorvane on a Wayland compositor without XWayland (mutter, headless), as on a session that has none.

Run inside a D-Bus session (CTest runs it under dbus-run-session):
    wayland.py <path to quorvane>
The game must start on the Wayland platform, stand Merlin inside its window and stay up until the child leaves.
Exits with 77, the skip status, where mutter is not installed.
"""

import os
import shutil
import subprocess
import sys

import pyatspi

from play import Failure, accessible_tree, check_equal, run, wait_for

DISPLAY_NAME = "quorvane-test"


def program_nodes(pid):
    """Every accessible of the program whose process is `pid`."""
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.get_process_id() == pid:
            yield from accessible_tree(app)


def find(pid, role, name=None, starting=None):
    for node in program_nodes(pid):
        if node.getRole() == role and node.getState().contains(pyatspi.STATE_SHOWING) and \
                (name is None or node.name == name) and (starting is None or node.name.startswith(starting)):
            return node
    return None


def press(pid, button):
    wait_for("the button " + button, lambda: find(pid, pyatspi.ROLE_PUSH_BUTTON, button)).queryAction().doAction(0)


def frame_of(node):
    while node is not None and node.getRole() != pyatspi.ROLE_FRAME:
        node = node.parent
    return node


def start_on_wayland(binary, workdir):
    runtime = os.path.join(workdir, "runtime")
    os.mkdir(runtime, 0o700)
    env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
    env.update(XDG_RUNTIME_DIR=runtime, XDG_DATA_HOME=workdir)
    with open(os.path.join(workdir, "quorvane.log"), "w") as log:
        compositor = subprocess.Popen(["mutter", "--headless", "--no-x11", "--wayland", "--wayland-display",
                                       DISPLAY_NAME, "--virtual-monitor", "1366x768"],
                                      env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            wait_for("the compositor", lambda: os.path.exists(os.path.join(runtime, DISPLAY_NAME)))
            env.update(WAYLAND_DISPLAY=DISPLAY_NAME, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
            game = subprocess.Popen([binary], env=env, stdout=log, stderr=subprocess.STDOUT)
            try:
                pid = game.pid
                name_box = wait_for("the name box", lambda: find(pid, pyatspi.ROLE_TEXT))
                name_box.queryEditableText().setTextContents("Wanda")
                press(pid, "OK")
                wait_for("the greeting", lambda: find(pid, pyatspi.ROLE_LABEL, starting=" Wanda vediamo"))
                press(pid, "OK")
                said = wait_for("Merlin's introduction", lambda: find(pid, pyatspi.ROLE_LABEL, starting="Allora"))
                # He speaks from inside the game window, not from a window of his own.
                frame = frame_of(said)
                check_equal("the window Merlin speaks in", frame.name.split()[:1] if frame else [], ["QUORVANE"])
                if game.poll() is not None:
                    raise Failure("the game ended with status %d while Merlin spoke" % game.returncode)
                press(pid, "Esci dal gioco")
                wait_for("the goodbye", lambda: find(pid, pyatspi.ROLE_LABEL, starting="Ciao."))
                press(pid, "OK")
                check_equal("status after leaving", game.wait(timeout=15), 0)
                print("ok: the game starts on Wayland without XWayland, Merlin speaks inside it, and it stays up")
            finally:
                if game.poll() is None:
                    game.kill()
                    game.wait()
        finally:
            compositor.terminate()
            compositor.wait()


def main():
    if not shutil.which("mutter"):
        print("skipped: mutter, the headless Wayland compositor this check runs the game on, is not installed")
        return 77
    return run(start_on_wayland, "quorvane-wayland-")


if __name__ == "__main__":
    sys.exit(main())
