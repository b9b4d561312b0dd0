#!/usr/bin/python3
"""Plays the real game the way a screen reader does, through AT-SPI.

Starts its own Xvfb, runs the game with Qt's AT-SPI bridge on, reads the
accessible tree, presses Start and a colour button by their accessible
actions, hears a counter and the panel change, and leaves by pressing Exit.
With --wayland it starts a headless weston instead and runs the game on Qt's
Wayland platform, and checks that the game talks to weston and to no X
server. Run it inside its own D-Bus session (dbus-run-session), with Debian's
/usr/bin/python3.

usage: accessibility.py [--wayland] PATH-TO-tavelquin
"""

import os
import shutil
import subprocess
import sys
import tempfile
import time

import pyatspi

COLOURS = ["Red", "Yellow", "Green", "Blue", "Purple", "Orange"]


def fail(message):
    print("FAIL: " + message, flush=True)
    sys.exit(1)


def wait_for(what, probe, seconds=10.0):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        value = probe()
        if value:
            return value
        time.sleep(0.05)
    fail("timed out waiting for " + what)


def application(name):
    return next((a for a in pyatspi.Registry.getDesktop(0) if a is not None and a.name == name), None)


def names(node):
    for child in node:
        yield child.name
        yield from names(child)


def find(node, name):
    for child in node:
        if child.name == name:
            return child
        found = find(child, name)
        if found is not None:
            return found
    return None


def press(app, name):
    node = find(app, name) or fail("nothing named %r" % name)
    action = node.queryAction()
    index = next((i for i in range(action.nActions) if action.getName(i).lower() in ("press", "click")), None)
    if index is None:
        fail("%r has no press action" % name)
    action.doAction(index)


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
        game = subprocess.Popen([sys.argv[-1]], env=env)
        app = wait_for("the game on the accessibility bus", lambda: application("tavelquin"))
        if wayland:
            paths = connected_paths(game.pid)
            if os.path.join(work, "tavelquin") not in paths or any("X11-unix" in p for p in paths):
                fail("the game is not on weston alone; its sockets lead to %s" % sorted(paths))
        heard = wait_for("the whole window", lambda: set(names(app)) >= {"Exit", "Incorrect: 0"} and set(names(app)))
        expected = set(COLOURS) | {"Start", "Stop", "Exit", "Correct: 0", "Incorrect: 0", "Colour panel: hidden"}
        if not expected <= heard:
            fail("a screen reader misses %s; it hears %s" % (sorted(expected - heard), sorted(heard)))

        press(app, "Start")
        press(app, "Red")
        count = wait_for("a count to move", lambda: {"Correct: 1", "Incorrect: 1"} & set(names(app)))
        panel = wait_for("the panel to name the secret colour",
                         lambda: [n for n in names(app) if n.startswith("Colour panel: ") and not n.endswith("hidden")])
        colour = panel[0].split(": ", 1)[1]
        if colour not in COLOURS or (colour == "Red") != ("Correct: 1" in count):
            fail("after a guess of Red the panel says %r and the counts say %s" % (colour, count))
        print("guessed Red: %s; the panel says %s" % (count.pop(), colour))

        press(app, "Exit")
        status = game.wait(timeout=10)
        if status != 0:
            fail("the program ended with status %d" % status)
        print("PASS: the game is playable through AT-SPI")
    finally:
        if game is not None and game.poll() is None:
            game.kill()
        server.terminate()
        server.wait()
        shutil.rmtree(work)


if __name__ == "__main__":
    main()
