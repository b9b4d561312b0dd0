#!/usr/bin/python3
"""Plays the real game the way a screen reader does, through AT-SPI.

Starts its own Xvfb, runs the game with Qt's AT-SPI bridge on, then reads the
accessible tree, presses a colour button by its accessible action, hears the
counter and the panel change, and leaves by pressing Exit. Run it inside its
own D-Bus session (dbus-run-session), with Debian's /usr/bin/python3.
"""

import os
import subprocess
import sys
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


def free_display():
    for number in range(90, 200):
        if not os.path.exists("/tmp/.X11-unix/X%d" % number) and not os.path.exists(
            "/tmp/.X%d-lock" % number
        ):
            return number
    fail("no free X display number")


def application(name):
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == name:
            return app
    return None


def descendants(node):
    for child in node:
        yield child
        yield from descendants(child)


def by_name(app, role, prefix):
    for node in descendants(app):
        if node.getRoleName() == role and node.name.startswith(prefix):
            return node
    return None


def press(node):
    actions = node.queryAction()
    for i in range(actions.nActions):
        if actions.getName(i) in ("Press", "press", "click"):
            actions.doAction(i)
            return
    fail("%r has no press action" % node.name)


def main():
    game = sys.argv[1]
    display = free_display()
    xvfb = subprocess.Popen(
        ["Xvfb", ":%d" % display, "-screen", "0", "640x480x24", "-nolisten", "tcp"],
        stdout=subprocess.DEVNULL,
        stderr=subprocess.DEVNULL,
    )
    process = None
    try:
        wait_for("Xvfb", lambda: os.path.exists("/tmp/.X11-unix/X%d" % display))
        env = dict(os.environ, DISPLAY=":%d" % display, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        env.pop("WAYLAND_DISPLAY", None)
        env.pop("QT_QPA_PLATFORM", None)
        process = subprocess.Popen([game], env=env)
        app = wait_for("the game on the accessibility bus", lambda: application("tavelquin"))

        for colour in COLOURS:
            button = by_name(app, "push button", colour)
            if button is None or button.name != colour:
                fail("no push button named %s" % colour)
        for caption in ("Start", "Stop", "Exit"):
            if by_name(app, "push button", caption) is None:
                fail("no push button named %s" % caption)
        panel = wait_for("the colour panel", lambda: by_name(app, "filler", "Colour panel"))
        if not panel.name.endswith("hidden"):
            fail("the panel shows a colour before any guess: %r" % panel.name)
        if by_name(app, "label", "Correct: 0") is None or by_name(app, "label", "Incorrect: 0") is None:
            fail("the counters do not say what they count: %r" % [n.name for n in descendants(app)])

        # Start fixes the secret; a guess then reveals it and moves one count.
        press(by_name(app, "push button", "Start"))
        press(by_name(app, "push button", "Red"))
        counted = wait_for(
            "a counter to read 1",
            lambda: by_name(app, "label", "Correct: 1") or by_name(app, "label", "Incorrect: 1"),
        )
        revealed = wait_for(
            "the panel to name the secret colour",
            lambda: next(
                (n for n in descendants(app) if n.name.startswith("Colour panel") and not n.name.endswith("hidden")),
                None,
            ),
        )
        colour = revealed.name.split(": ", 1)[1]
        if colour not in COLOURS:
            fail("the panel names an unknown colour: %r" % revealed.name)
        if (colour == "Red") != counted.name.startswith("Correct"):
            fail("the panel says %s but %r moved after a guess of Red" % (colour, counted.name))
        print("guessed Red: %s; the panel says %s" % (counted.name, colour))

        press(by_name(app, "push button", "Exit"))
        try:
            status = process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            fail("Exit did not end the program")
        if status != 0:
            fail("the program ended with status %d" % status)
        print("PASS: the game is playable through AT-SPI")
    finally:
        if process is not None and process.poll() is None:
            process.kill()
        xvfb.terminate()
        xvfb.wait()


if __name__ == "__main__":
    main()
