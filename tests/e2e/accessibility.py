#!/usr/bin/python3
"""Plays the real game by keyboard the way a screen-reader user does, and
listens through AT-SPI to what a screen reader receives.

Starts its own Xvfb and runs the game with Qt's AT-SPI bridge on. Checks that
the panel and the counter row read once each, then guesses by keyboard and
checks that every guess, and the end of the reveal, brings exactly one
notification (what Orca speaks without moving the focus) that matches the
counts and the panel. Leaves by pressing Exit. With --wayland it starts a
headless weston instead, runs the game on Qt's Wayland platform, checks that
the game talks to weston and to no X server, and guesses once through the
button's accessible action. Run it inside its own D-Bus session
(dbus-run-session), with Debian's /usr/bin/python3.

usage: accessibility.py [--wayland] PATH-TO-tavelquin
"""

import os
import shutil
import subprocess
import sys
import tempfile
import time

import pyatspi
from gi.repository import GLib

COLOURS = ["Red", "Yellow", "Green", "Blue", "Purple", "Orange"]
heard = []  # the notifications shown, in order


def fail(message):
    print("FAIL: " + message, flush=True)
    sys.exit(1)


def wait_for(what, probe, seconds=10.0):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        while GLib.MainContext.default().iteration(False):
            pass
        value = probe()
        if value:
            return value
        time.sleep(0.02)
    fail("timed out waiting for %s; notifications so far: %s" % (what, heard))


def on_showing(event):
    if event.detail1 == 1 and event.source.getRole() == pyatspi.ROLE_NOTIFICATION:
        heard.append(event.source.name)


def nodes(node):
    for child in node:
        yield child
        yield from nodes(child)


def find(app, name):
    return next((n for n in nodes(app) if n.name == name), None) or fail("nothing named %r" % name)


def panel(app):
    return next(n for n in nodes(app) if n.name.startswith("Colour panel: ")).name.split(": ", 1)[1]


def labels(app):
    """The counter row's labels, left to right."""
    found = [n for n in nodes(app) if n.getRole() == pyatspi.ROLE_LABEL]
    return sorted(found, key=lambda n: n.queryComponent().getExtents(pyatspi.DESKTOP_COORDS).x)


def counts(app):
    """The counter row as flat review reads it."""
    return " ".join(n.name for n in labels(app))


def check_guess(app, guess, row):
    """The one new notification says the result first, then the colour on the panel."""
    message = wait_for("a notification after guessing " + guess, lambda: len(heard) > row and heard[row])
    shown, row_now = panel(app), counts(app)
    if shown == "hidden":
        expected = "Incorrect: too early, no colour was drawn yet."
    else:
        expected = ("Correct: %s." if shown == guess else "Incorrect: it was %s.") % shown
    if message != expected:
        fail("guessed %s, the panel shows %s, the counts read %r; heard %r, not %r"
             % (guess, shown, row_now, message, expected))
    print("guess %s: heard %r; counts read %r" % (guess, message, row_now))


def start_display(wayland, work):
    """Starts a private display server; returns it and the game's environment."""
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    env.pop("DISPLAY", None)
    env.pop("WAYLAND_DISPLAY", None)
    if wayland:
        env.update(XDG_RUNTIME_DIR=work, WAYLAND_DISPLAY="tavelquin", QT_QPA_PLATFORM="wayland")
        server = subprocess.Popen(["weston", "--backend=headless-backend.so", "--socket=tavelquin", "--no-config"],
                                  env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    else:
        # Xvfb picks a free display and writes its number to the pipe.
        server = subprocess.Popen(
            ["Xvfb", "-displayfd", "1", "-noreset", "-screen", "0", "640x480x24", "-nolisten", "tcp"],
            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        env.update(DISPLAY=":" + server.stdout.readline().strip(), QT_QPA_PLATFORM="xcb")
    return server, env


def connected_paths(pid):
    """The paths of the listening Unix sockets that the process is connected to."""
    fds = "/proc/%d/fd" % pid
    inodes = {link[8:-1] for link in (os.readlink(os.path.join(fds, fd)) for fd in os.listdir(fds))
              if link.startswith("socket:[")}
    # ss -x: netid, state, queues, local path and inode, peer path and inode.
    lines = subprocess.run(["ss", "-xH"], capture_output=True, text=True, check=True).stdout.splitlines()
    return {f[4] for f in map(str.split, lines) if len(f) >= 8 and f[7] in inodes}


def main():
    wayland = sys.argv[1] == "--wayland"
    work = tempfile.mkdtemp(prefix="tavelquin-a11y.")
    server, env = start_display(wayland, work)
    game = None
    try:
        if wayland:
            wait_for("weston's socket", lambda: os.path.exists(os.path.join(work, "tavelquin")))
        pyatspi.Registry.registerEventListener(on_showing, "object:state-changed:showing")
        game = subprocess.Popen([sys.argv[-1]], env=env)
        app = wait_for("the game on the accessibility bus", lambda: next(
            (a for a in pyatspi.Registry.getDesktop(0) if a is not None and a.name == "tavelquin"), None))
        wait_for("the whole window", lambda: any(n.name == "Exit" for n in nodes(app)))
        if wayland:
            paths = connected_paths(game.pid)
            if os.path.join(work, "tavelquin") not in paths or any("X11-unix" in p for p in paths):
                fail("the game is not on weston alone; its sockets lead to %s" % sorted(paths))
            time.sleep(0.3)
            find(app, "Red").queryAction().doAction(0)
            check_guess(app, "Red", 0)
            leave(app, game, 1)
            return
        for name in COLOURS + ["Start", "Stop", "Exit"]:
            find(app, name)
        # Read once each: no description repeating the name, no caption twice.
        if find(app, "Colour panel: hidden").description:
            fail("the panel reads twice: its description is %r" % find(app, "Colour panel: hidden").description)
        if counts(app) != "Incorrect: 0 Correct: 0":
            fail("the counter row reads %r" % counts(app))
        if [r.getTarget(0).name for r in find(app, "Correct:").getRelationSet()
                if r.getRelationType() == pyatspi.RELATION_LABEL_FOR] != ["0"]:
            fail("the caption Correct: is not the label of its count")

        # By keyboard from the panel, which holds the focus: Tab to Red, Space
        # to guess once the first secret is drawn (200 ms after the start);
        # Space again during the reveal guesses again.
        time.sleep(0.3)
        wid = subprocess.check_output(["xdotool", "search", "--onlyvisible", "--name", "^Tavelquin$"],
                                      env=env, text=True).split()[0]
        subprocess.check_call(["xdotool", "windowfocus", "--sync", wid, "key", "Tab", "space"], env=env)
        check_guess(app, "Red", 0)
        subprocess.check_call(["xdotool", "key", "space"], env=env)
        check_guess(app, "Red", 1)
        # The reveal's end presses Start in code: Start is gone from now on.
        wait_for("the end of the reveal", lambda: len(heard) > 2)
        if heard[2:] != ["Hidden again. Start is no longer available."] or panel(app) != "hidden":
            fail("at the end of the reveal heard %s; the panel shows %s" % (heard[2:], panel(app)))
        print("end of the reveal: heard %r" % heard[2])

        # The hunch meter counts the first guess alone (the second saw the
        # colour); H speaks what the counts' descriptions say.
        subprocess.check_call(["xdotool", "key", "h"], env=env)
        reading = wait_for("the hunch meter's reading on H", lambda: len(heard) > 3 and heard[3])
        expected = "Blind guesses: 1, right: %d. Too early to tell: 5 more blind guesses needed." % (
            heard[0].startswith("Correct"))
        if reading != expected or [n.description for n in labels(app)][1::2] != [expected] * 2:
            fail("the hunch meter says %r and the counts' descriptions %s, not %r"
                 % (reading, [n.description for n in labels(app)], expected))
        print("H: heard %r" % reading)

        leave(app, game, 4)
    finally:
        if game is not None and game.poll() is None:
            game.kill()
        server.terminate()
        server.wait()
        shutil.rmtree(work)


def leave(app, game, said):
    """Exit ends the program with status 0, having said that many messages."""
    find(app, "Exit").queryAction().doAction(0)
    status = game.wait(timeout=10)
    if status != 0 or len(heard) != said:
        fail("the program ended with status %d, having said %s" % (status, heard))
    print("PASS: a screen reader hears every turn")


if __name__ == "__main__":
    main()
