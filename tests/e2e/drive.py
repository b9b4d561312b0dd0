#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Tavelquin developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Drives the real program from outside, one mode per end-to-end test.
#
# usage: drive.py x11|wayland|vnc|cli|page PATH-TO-tavelquin
#        drive.py wine tavelquin.exe msaa_probe.exe bcrypt.dll WINEPREFIX window_tests.exe
#
# x11: one game on a private Xvfb, played by keyboard and a mouse click while
# its pixels and what a screen reader hears through AT-SPI are checked. wayland:
# one guess on a headless weston, natively on Qt's Wayland platform. vnc:
# scripts/serve-vnc twice, as ./play runs it with no display. cli: command lines
# and missing displays. page: a journal's page in headless Chromium. wine:
# the Windows program under wine64 on a private Xvfb, by mouse and keyboard,
# read through MSAA, closed, failing, and at 200%. Run it in a D-Bus session
# of its own (dbus-run-session), with Debian's /usr/bin/python3, which has
# pyatspi.
import collections, contextlib, glob, html, json, os, random, re, select, shutil, signal, socket, subprocess, sys, \
    tempfile, threading, time
import xml.etree.ElementTree as ElementTree

import pyatspi
from gi.repository import GLib

SERVE_VNC = os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../scripts/serve-vnc")
# A VNC client that prints the server's banner, or why it could not connect.
CLIENT = [sys.executable, "-c", """import socket, sys
try: s = socket.socket(socket.AF_UNIX); s.settimeout(20); s.connect(sys.argv[1]); print(s.recv(12).decode(), end="")
except OSError as e: print(type(e).__name__)"""]
# A local user's watch on command lines: once it prints an empty line, it reads
# those of every process started since, again and again until its input ends
# (with ours, at the latest), then prints every one it saw.
POLLER = [sys.executable, "-c", """import contextlib, os, select, sys
old, seen = set(os.listdir("/proc")), set(); print(flush=True)
while not select.select([sys.stdin], [], [], 0)[0]:
    for pid in set(os.listdir("/proc")) - old:
        with contextlib.suppress(OSError): seen.add(open("/proc/%s/cmdline" % pid, "rb").read())
print(seen)"""]
# How the panel reads, and what it shows on screen as hex RGB.
COLOURS = {"Red": "ff0000", "Yellow": "ffff00", "Green": "00c000", "Blue": "0000ff", "Purple": "800080",
           "Orange": "ff8000", "hidden": "000000"}
procs, orphans, heard = [], [], []  # what we started, what serve-vnc started, the notifications
context = [lambda: "notifications heard: %s" % heard]  # what a failure shows besides its message


def check(what, seen, expected):
    if seen != expected:
        sys.exit("FAIL: %s: expected %s, saw %s\n  %s" % (what, expected, seen, context[0]()))


def wait_for(what, probe, seconds=20, saw=lambda: "nothing"):
    # Delivers the AT-SPI events that came in and polls probe, until it returns
    # something true, which it returns; a failure tells what saw() says.
    deadline = time.monotonic() + seconds
    while True:
        while GLib.MainContext.default().iteration(False):
            pass
        if value := probe():
            return value
        check("waiting %d s" % seconds, saw() if time.monotonic() > deadline else what, what)
        time.sleep(0.05)


def tool(*command, env=None):
    # Runs a helper program and returns its output. Its errors go to ours; a
    # failure shows in the check of what it should have done.
    return subprocess.run(command, env=env, stdout=subprocess.PIPE, timeout=30).stdout


def survivors(pids):  # as "pid state name"; a zombie has ended
    shown = tool("ps", "-o", "pid=,stat=,comm=", "-p", ",".join(map(str, pids))).decode() if pids else ""
    return [line for line in shown.splitlines() if line.split()[1][0] != "Z"]


def shot(wid, env):
    # The window's size, and a function from a point in it to its colour as hex RGB.
    ppm = tool("/usr/bin/import", "-window", wid, "-depth", "8", "ppm:-", env=env)
    width, height = map(int, ppm.split()[1:3] or (0, 0))
    return (width, height), lambda x, y: ppm[len(ppm) - 3 * width * (height - y) + 3 * x:][:3].hex()


def panel_colour(pixel):  # the panel is 57 x 57 at (16, 16); several colours there are all shown
    seen = {pixel(x, y) for x in (19, 44, 69) for y in (19, 44, 69)}
    return seen.pop() if len(seen) == 1 else sorted(seen)


def panel(app):
    return pyatspi.findDescendant(app, lambda n: n.name.startswith("Colour panel: ")).name[14:]


def labels(app):  # the counter row, left to right
    found = pyatspi.findAllDescendants(app, lambda n: n.getRole() == pyatspi.ROLE_LABEL)
    return sorted(found, key=lambda n: n.queryComponent().getExtents(pyatspi.DESKTOP_COORDS).x)


def guess(app):
    # The first notification tells the result of guessing Red and the colour that
    # the panel reads, and a count went up; returns how the panel reads.
    said, shown = wait_for("a notification on the guess", lambda: heard[:1])[0], panel(app)
    expected = "Incorrect: too early, no colour was drawn yet." if shown == "hidden" else (
        "Correct: Red." if shown == "Red" else "Incorrect: it was %s." % shown)
    check("guessing Red with the panel reading %s: the notification and the counts" % shown,
          (said, " ".join(n.name for n in labels(app))), (expected, "Incorrect: %d Correct: %d" % (
              (0, 1) if shown == "Red" else (1, 0))))
    return shown


def start(command, env):
    # The game, once its whole window is on the accessibility bus.
    procs.append(program := subprocess.Popen(command, env=env))
    def pid(app):  # a game killed before may still be listed, and no longer answers
        try:
            return app and app.get_process_id()
        except GLib.GError:
            return None
    app = wait_for("the game on the accessibility bus", lambda: next(
        (a for a in pyatspi.Registry.getDesktop(0) if pid(a) == program.pid), None))
    named = wait_for("the whole window", lambda: (n := {n.name: n for n in pyatspi.findAllDescendants(
        app, lambda n: True)}).get("Exit") and n)
    time.sleep(0.3)  # a guess finds the first secret drawn 200 ms after the start
    return program, app, named


def play(game, work, wayland=False):
    # A browser first on PATH as xdg-open, which Qt runs to open a document:
    # it writes down what it was asked to open.
    os.mkdir(work + "/bin")
    with open(work + "/bin/xdg-open", "w") as browser:
        browser.write('#!/bin/sh\necho "$@" >>"%s/opened"\n' % work)
    os.chmod(work + "/bin/xdg-open", 0o755)
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", XDG_RUNTIME_DIR=work,
               PATH=work + "/bin:" + os.environ["PATH"])
    if wayland:
        env.update(WAYLAND_DISPLAY="tavelquin", QT_QPA_PLATFORM="wayland")
        procs.append(subprocess.Popen(["weston", "--backend=headless-backend.so", "--socket=tavelquin", "--no-config"],
                                      env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        wait_for("weston's socket", lambda: os.path.exists(work + "/tavelquin"))
    else:  # Xvfb picks a free display and writes its number once it is ready.
        procs.append(xvfb := subprocess.Popen(["Xvfb", "-displayfd", "1", "-noreset", "-nolisten", "tcp", "-screen",
                                               "0", "640x480x24"], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL))
        env.update(QT_QPA_PLATFORM="xcb", DISPLAY=":" + wait_for("Xvfb's display number", lambda: select.select(
            [xvfb.stdout], [], [], 0)[0] and xvfb.stdout.readline().decode().strip()))
    # The accessibility bus puts its socket in XDG_RUNTIME_DIR, or else in one
    # path that every session shares, where a concurrent test would replace it.
    tool("dbus-update-activation-environment", "XDG_RUNTIME_DIR=" + work)
    pyatspi.Registry.registerEventListener(lambda e: e.detail1 and e.source.getRole() == pyatspi.ROLE_NOTIFICATION
                                           and heard.append(e.source.name), "object:state-changed:showing")
    program, app, named = start([game] if wayland else [game, "--journal=" + work + "/journal.csv"], env)
    if wayland:  # With no DISPLAY, the game reaches AT-SPI on no platform but Wayland.
        named["Red"].queryAction().doAction(0)
        guess(app)
        named["Exit"].queryAction().doAction(0)
        return leave(program, 1)

    # Real X rendering, once painted: the window's size, the red square, the
    # black panel. What a screen reader finds: every button, and the panel
    # and the counter row read once each.
    wid = wait_for("a visible window titled Tavelquin", lambda: tool(
        "xdotool", "search", "--onlyvisible", "--name", "^Tavelquin$", env=env).split()[:1])[0]
    size, pixel = wait_for("the window painted", lambda: (s := shot(wid, env))[1](100, 28) != "000000" and s)
    wanted = [*COLOURS][:6] + ["Start", "Stop", "Exit", "Colour panel: hidden", "Correct:"]
    check("the window's size, the red square's centre, the panel, the controls found",
          (size, pixel(100, 28), panel_colour(pixel), [n for n in wanted if n in named]),
          ((191, 135), "ff0000", "000000", wanted))
    # The window's icon, for title bars and task bars: the drawing at 16 to 64
    # pixels, its 32 x 32 the theme's own. Larger views find the theme's icon
    # through the desktop entry, which names the window's WM_CLASS.
    prop = tool("xprop", "-id", wid, "-notype", "-f", "_NET_WM_ICON", "32c", "WM_CLASS", "_NET_WM_ICON", env=env)
    icon, sizes = [int(n) for n in re.findall(rb"\d+", prop.partition(b"_NET_WM_ICON = ")[2])], {}
    while icon[2:]:  # width, height, then the pixels as ARGB, for each size
        sizes[icon[0]], icon = icon[2:2 + icon[0] * icon[1]], icon[2 + icon[0] * icon[1]:]
    data = os.path.dirname(game) + "/data"
    rgba = tool("/usr/bin/convert", glob.glob(data + "/icons/32x32/apps/*.png")[0], "rgba:-")
    entry, named_by = open(glob.glob(data + "/*.desktop")[0], "rb").read(), re.findall(rb'WM_CLASS = ".*", "(.*)"', prop)
    check("the window icon's sizes, its 32 x 32 against the theme's, its WM_CLASS in the desktop entry", (
        [*sizes], sizes.get(32) == [a << 24 | r << 16 | g << 8 | b for r, g, b, a in zip(*[iter(rgba)] * 4)],
        named_by and named_by == re.findall(rb"^StartupWMClass=(.*)$", entry, re.M)), ([16, 24, 32, 48, 64], True, True))
    check("the panel's description, the counter row",
          (named["Colour panel: hidden"].description, " ".join(n.name for n in labels(app))),
          ("", "Incorrect: 0 Correct: 0"))

    # By keyboard from the panel, which holds the focus: Tab to Red, Space guesses.
    tool("xdotool", "windowfocus", "--sync", wid, "key", "Tab", env=env)
    wait_for("the focus on Red after Tab", lambda: named["Red"].getState().contains(pyatspi.STATE_FOCUSED))
    pressed = time.monotonic()
    tool("xdotool", "key", "space", env=env)
    shown = guess(app)
    on_screen = lambda: panel_colour(shot(wid, env)[1])  # Qt paints a moment after it announces
    wait_for("the panel on screen showing %s, as it reads %s" % (COLOURS.get(shown), shown),
             lambda: on_screen() == COLOURS.get(shown), 2, on_screen)
    wait_for("the end of the reveal", lambda: heard[1:])
    elapsed = (time.monotonic() - pressed) * 1000
    check("the end of the reveal, %d ms after the first guess's key press: what is heard, how the panel reads, "
          "whether in 3000 to 6000 ms" % elapsed, (heard[1:], panel(app), 3000 <= elapsed < 6000),
          (["Hidden again. Start is no longer available."], "hidden", True))

    # The guess, made while the panel was black, counts for the hunch meter.
    # H speaks what the counts' descriptions say, before they name J.
    tool("xdotool", "key", "h", env=env)
    reading = wait_for("the hunch meter's reading after H", lambda: heard[2:3])[0]
    meter = "In 1 game: Blind guesses: 1, right: %d (" % heard[0].startswith("Correct")
    check("H's reading, and the counts' descriptions",
          (reading[:len(meter)], [n.description for n in labels(app)][1::2]),
          (meter, [reading + " Press J to open your journal's page in your browser."] * 2))
    # J writes the journal's page beside it and has the browser open it; the game goes on.
    tool("xdotool", "key", "j", env=env)
    opened = wait_for("the browser asked to open a page", lambda: os.path.exists(work + "/opened") and open(
        work + "/opened").read())
    on_page = re.search(r'<p id="reading">(.*?)</p>', open(work + "/journal.html").read(), re.S)
    check("what J had the browser open, the reading on that page, the page's mode, the game still running",
          (opened, on_page and html.unescape(on_page.group(1)), oct(os.stat(work + "/journal.html").st_mode & 0o777),
           program.poll()), ("file://%s/journal.html\n" % work, reading, "0o600", None))

    # Killed, the game has lost no guess that a count showed. The next start
    # goes on from the journal, reads its tally as the first game did, keeps a
    # third start out while it runs, and adds its own guesses as game 2.
    program.kill()
    journal, secret = work + "/journal.csv", "" if shown == "hidden" else shown.lower()
    check("the journal's row after SIGKILL", open(journal, newline="").read().split("\r\n")[1].split(",")[1:],
          ["1", "red", secret, "1", str(int(shown == "Red"))])
    program, app, named = start([game, "--journal=" + journal], env)
    wid = wait_for("the second game's window", lambda: tool(
        "xdotool", "search", "--onlyvisible", "--name", "^Tavelquin$", env=env).split()[:1])[0]
    tool("xdotool", "windowfocus", "--sync", wid, "key", "h", env=env)
    third = subprocess.run([game, "--journal=" + journal], env=env, capture_output=True, text=True)
    check("the reading after the restart, and a third start on the journal",
          (wait_for("the reading after H", lambda: heard[3:4])[0], third.returncode, third.stderr),
          (reading, 1, "tavelquin: journal %s: another running game holds it\n" % journal))
    tool("xdotool", "mousemove", "--window", wid, "100", "28", "click", "1", env=env)  # Red
    wait_for("the second game's guess", lambda: heard[4:5])
    check("the second game's row", open(journal, newline="").read().split("\r\n")[2].split(",")[1:3], ["2", "red"])
    tool("xdotool", "mousemove", "--window", wid, "156", "120", "click", "1", env=env)  # Exit
    leave(program, 5)


def leave(program, said):
    # Exit ends the program with status 0, having said that many messages.
    ended = wait_for("the end of the program after Exit", lambda: program.poll() is not None and time.monotonic())
    wait_for("a moment for the last notifications to come", lambda: time.monotonic() > ended + 0.2)
    check("the exit status and the number of notifications", (program.returncode, len(heard)), (0, said))


def vnc(game, work):
    # serve-vnc twice: the first is killed with SIGKILL, the second ends with
    # the game's Exit; each must serve the game to its owner alone. TMPDIR is
    # like /tmp, sticky and open to all, so that only serve-vnc's own modes keep
    # others out of its directories. There user 65534 (we ourselves when not
    # root) plants a symlink to a directory of ours holding a dead pid, which
    # the sweep of stale directories must leave alone, and watches the command
    # lines while the first run starts, ahead of others for the CPU so that a
    # busy machine hides nothing from it.
    os.environ["TMPDIR"], log, bait, served = work, work + "/serve-vnc.out", work + "/bait", work + "/serve-vnc.??????"
    other = ["nice", "-n-20", "setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"] if not os.getuid() else []
    tool("install", "-d", "-m", "1777", work, bait)
    tool(*other, "sh", "-c", 'echo 99999999 >"$0/pid" && : >"$0/canary" && ln -s "$0" "$0/../serve-vnc.bait"', bait)
    (poller := subprocess.Popen([*other, *POLLER], stdin=subprocess.PIPE, stdout=subprocess.PIPE)).stdout.readline()
    context[0] = lambda: "serve-vnc printed %r; still running: %s" % (open(log).read(), survivors(orphans))
    for run in range(2):
        procs.append(server := subprocess.Popen([SERVE_VNC, game], stdout=open(log, "w"), stderr=subprocess.STDOUT))

        def ready():  # the instructions printed, and Xvnc, the bus and the game running
            check("serve-vnc's exit status while it starts", server.poll(), None)
            found = re.search(r" on display (:\d+) .*vncviewer (/\S+)", open(log).read(), re.DOTALL)
            started = [int(p) for p in tool("pgrep", "-P", str(server.pid)).split()]
            return found and len(started) == 3 and (*found.groups(), started)

        display, path, started = wait_for("serve-vnc's instructions and its three processes", ready, 30)
        orphans.extend(started + [server.pid])
        env = dict(os.environ, DISPLAY=display, XAUTHORITY=os.path.dirname(path) + "/Xauthority")
        geometry = tool("xdotool", "getdisplaygeometry", "search", "--onlyvisible", "--name", "^Tavelquin$",
                        "getwindowgeometry", "--shell", env=env).decode().split()
        banner, theirs = re.sub(rb"\d\d\n$", b"NN", tool(*CLIENT, path)), tool(*other, *CLIENT, path) if other else b""
        check("geometry, socket mode and banner, the planted canary, what 65534 meets, our directories and listeners",
              (geometry[:2] + geometry[3:7], tool("stat", "-c", "%a", path), banner, os.path.exists(bait + "/canary"),
               theirs, glob.glob(served), {*map(int, re.findall(rb"pid=(\d+)", tool("ss", "-Htulnp")))} & {*orphans}),
              (["382", "270", "X=0", "Y=0", "WIDTH=382", "HEIGHT=270"], b"600\n", b"RFB 003.0NN", True,
               b"PermissionError\n" if other else b"", [os.path.dirname(path)], set()))
        if not run:  # the poller has seen it start; what it started is checked at the end
            seen, cookie = poller.communicate()[0], open(env["XAUTHORITY"], "rb").read()[-16:].hex().encode()
            server.kill()
            server.wait()
    # Exit's centre at scale 2, the window being at 0,0; the display may end before xdotool does.
    subprocess.run(["xdotool", "mousemove", "312", "240", "click", "1"], env=env, capture_output=True)
    wait_for("every process gone 10 s after Exit", lambda: not survivors(orphans), 10, lambda: survivors(orphans))
    check("serve-vnc's status after Exit, directories left, the first cookie and serve-vnc itself among what 65534 saw",
          (server.wait(), glob.glob(served), cookie in seen, SERVE_VNC.encode() in seen), (0, [], False, True))


NO_DISPLAY = r"tavelquin: cannot open a display: .*DISPLAY.*WAYLAND_DISPLAY.*\./play.*"
REFUSED = r"tavelquin: refusing Qt's %s, which would let anyone on the network play, .*\./play.*--allow-network-listening.*"
COMMAND_LINES = [  # environment added, arguments, exit status, all of stdout, all of stderr
    ({}, "-h", 0, r"(?s)Usage: .*tavelquin \[options\].*--journal.*--report.*", ""),
    ({}, "-platform offscreen -style fusion --version", 0, r"(?s)Tavelquin 1\.00\nCopyright .*License GPL-3\.0-or-later.*", ""),
    # A journal's report, and its plot, need no display: j.csv, written below,
    # holds two games and a torn row; p.png is checked after. The draw's check
    # counts the blind guesses' secrets alone, not the blue of the guess made
    # while the colour showed.
    ({}, "--report=j.csv --plot=p.png", 0, r"Journal: +j\.csv\nBegan: +2026-12-08 04:25:39 UTC\nGames: +2\nGuesses: +3\nBlind guesses: +2\nRight of those: +1\nIn 2 games: Blind guesses: 2, right: 1 \(50%\)\. .*\nSecrets of blind guesses: 2\. Red 1 \(50%\), .* blue 0 \(0%\), purple 1 \(50%\), .*; the same as the one before: 0 of 1 \(0%\)\. .*\nPlot: +p\.png", r"tavelquin: journal j\.csv: line 5 was cut short, .*"),
    # z.csv starts as a spreadsheet's "CSV UTF-8" does and ends in NUL bytes, as a power cut leaves.
    ({}, "--report=z.csv", 0, r"(?s)Journal: +z\.csv\n.*\nGuesses: +1\n.*", r"tavelquin: journal z\.csv: line 3 ends in NUL bytes, left by a crash or a power cut; skipped, never counted"),
    ({}, "--report=none.csv", 1, "", r"tavelquin: journal none\.csv: no such file or directory"),
    ({}, "--report=j.csv --plot=no/p.png", 1, "", r"tavelquin: journal j\.csv: line 5 .*\ntavelquin: cannot write the plot no/p\.png: .*"),
    ({}, "--plot=p.png", 2, "", r"tavelquin: --plot draws a report: it needs --report\. .*"),
    ({}, "--page=p.html", 2, "", r"tavelquin: --page shows a report: it needs --report\. .*"),
    ({}, "stray", 2, "", r"tavelquin: Unexpected argument 'stray'\. Try 'tavelquin --help'\."),
    ({}, "--version -platform", 2, "", r"tavelquin: Missing value after '-platform'\. .*--help.*"),
    ({}, "", 1, "", NO_DISPLAY),
    ({"DISPLAY": ":unreachable", "QT_QPA_PLATFORM": "bogus;xcb"}, "", 1, "", NO_DISPLAY),  # xcb was found
    ({"QT_QPA_PLATFORM": "bogus"}, "", 1, "", r"tavelquin: cannot open a display: Qt has no platform plugin named 'bogus'; it has .*\bxcb\b.*"),
    # Refused before Qt starts: listening plugins, and files that Qt would read
    # without end. Should a refusal fail, nothing listens all the same: Qt
    # never reaches vnc after offscreen, nor loads a plugin with no display.
    ({"QT_QPA_PLATFORM": "offscreen;Vnc:size=10x10"}, "", 1, "", REFUSED % "vnc platform"),
    ({}, "-plugin TuioTouch", 1, "", REFUSED % "tuiotouch plugin"),
    ({}, "-stylesheet /dev/zero", 2, "", r"tavelquin: -stylesheet /dev/zero is not a regular file of at most 1 MiB\. .*"),
    ({}, "-platform offscreen:configfile=/usr/bin/python3", 2, "", r"tavelquin: The platform offscreen:configfile=/usr/bin/python3 names no regular file of at most 1 MiB\. .*"),
    # Qt's fatal messages, after those before: a warning made fatal, past a
    # critical one, which QT_FATAL_WARNINGS does not count; a qFatal as the
    # window opens, past the critical message that QT_FATAL_CRITICALS=2 lets
    # by. A compositor that hangs up: Qt's line, then the game's.
    ({"QT_FATAL_WARNINGS": "1"}, "-platform linuxfb:fb=/dev/null", 1, "", r"Error reading fixed information .*\ntavelquin: QT_FATAL_WARNINGS made Qt's warning fatal: linuxfb: Failed to initialize screen"),
    ({"QT_FATAL_CRITICALS": "2"}, "-platform linuxfb:fb=/dev/null", 1, "", r"(?s)Error reading .*\ntavelquin: Qt cannot go on: Cannot create window: no screens available"),
    ({"QT_QPA_PLATFORM": "wayland", "WAYLAND_DISPLAY": "gone"}, "", 1, "", r"(?s).*The Wayland connection broke\. .*\ntavelquin: the display went away, which ends the game"),
    # Qt's own warnings while it opens a display pass through, the first of
    # QT_FATAL_WARNINGS=2 too, and the game goes on, on an allowed platform
    # list holding vnc: still running when the timeout stops it.
    ({"QT_QPA_PLATFORM": "offscreen;vnc", "QT_FATAL_WARNINGS": "2"}, "--allow-network-listening -style bogus", 124, "", r"(?s)QApplication: invalid style override 'bogus'.*"),
]


def cli(game, work):
    # Each command line ends with its exit status (a signal or a hang would show
    # as above 123) and what it prints: on a failure one line on stderr, after
    # Qt's own, and nothing on stdout.
    gone = socket.create_server(work + "/gone", family=socket.AF_UNIX)  # a compositor that hangs up
    threading.Thread(target=lambda: gone.accept()[0].close(), daemon=True).start()
    with open(work + "/j.csv", "w", newline="") as journal:
        journal.write("time,game,guess,secret,blind,right\r\n2026-12-08T04:25:39.585Z,1,red,purple,1,0\r\n"
                      "2026-12-08T04:25:40.100Z,1,blue,blue,0,1\r\n2026-12-08T04:26:00.000Z,2,red,red,1,1\r\n2026-12-0")
    with open(work + "/z.csv", "w", newline="", encoding="utf-8-sig") as journal:
        journal.write("time,game,guess,secret,blind,right\r\n2026-12-08T04:25:39.585Z,1,red,purple,1,0\r\n2026" + "\0" * 4000)
    for extra, arguments, status, out, err in COMMAND_LINES:
        ran = subprocess.run(["timeout", "3" if status == 124 else "30", game, *arguments.split()], capture_output=True, text=True,
                             env=dict(os.environ, XDG_RUNTIME_DIR=work, **extra), cwd=work)
        seen = (ran.returncode, ran.stdout.removesuffix("\n"), ran.stderr.removesuffix("\n"))
        matched = seen[0] == status and re.fullmatch(out, seen[1]) and re.fullmatch(err, seen[2])
        check("tavelquin %s, with %s added to the environment: status, stdout, stderr as patterns" % (
            arguments, extra), seen, seen if matched else (status, out, err))
    check("the plot's PNG header and size", open(work + "/p.png", "rb").read(24),
          b"\x89PNG\r\n\x1a\n\0\0\0\rIHDR" + (960).to_bytes(4, "big") + (540).to_bytes(4, "big"))


# Headless Chromium in a network namespace of its own, where nothing can
# reach or open a network address, on a profile of its own: its first-run,
# sync and update machinery off, and the page drawn at one pixel per CSS pixel.
CHROMIUM = ["unshare", "--map-root-user", "--net", "/usr/bin/chromium", "--headless", "--no-sandbox",
            "--disable-gpu", "--disable-quic", "--no-first-run", "--disable-background-networking",
            "--disable-component-update", "--disable-sync", "--hide-scrollbars", "--force-device-scale-factor=1"]


def browser_env(work):
    # The browser's settings and crash reports in the test's own folder, not the user's.
    return dict(os.environ, XDG_CONFIG_HOME=work, XDG_CACHE_HOME=work)


def chromium(work, *arguments):
    # Its output, with a new empty profile; its complaints about the missing
    # system bus and the like are left out.
    return subprocess.run([*CHROMIUM, "--user-data-dir=" + tempfile.mkdtemp(dir=work), *arguments],
                          stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, timeout=60,
                          env=browser_env(work)).stdout


def widest(work, urls, width):
    # Each page laid out in a window `width` CSS pixels wide, asked over the
    # browser's debugging pipe (file descriptors 3 and 4, no socket): how wide
    # its document is, and where the element reaching furthest right ends.
    to_browser, from_browser = os.pipe(), os.pipe()
    browser = subprocess.Popen([*CHROMIUM, "--user-data-dir=" + tempfile.mkdtemp(dir=work), "--remote-debugging-pipe",
                                "about:blank"], pass_fds=(3, 4), stderr=subprocess.DEVNULL, env=browser_env(work),
                               preexec_fn=lambda: (os.dup2(to_browser[0], 3), os.dup2(from_browser[1], 4)))
    procs.append(browser)
    os.close(to_browser[0]), os.close(from_browser[1])
    pending, sent = b"", [0]

    def ask(method, session=None, **params):
        nonlocal pending
        sent[0] += 1
        os.write(to_browser[1], json.dumps(dict(id=sent[0], method=method, params=params, **(
            {"sessionId": session} if session else {}))).encode() + b"\0")
        while True:
            while b"\0" not in pending:
                check("the browser's answer to %s" % method, bool(chunk := os.read(from_browser[0], 1 << 16)), True)
                pending += chunk
            message, pending = pending.split(b"\0", 1)
            if (answer := json.loads(message)).get("id") == sent[0]:
                check("an error from the browser", answer.get("error"), None)
                return answer["result"]

    target = next(t["targetId"] for t in ask("Target.getTargets")["targetInfos"] if t["type"] == "page")
    session = ask("Target.attachToTarget", targetId=target, flatten=True)["sessionId"]
    ask("Emulation.setDeviceMetricsOverride", session, width=width, height=800, deviceScaleFactor=1, mobile=False)
    found = []
    for url in urls:
        ask("Page.navigate", session, url=url)
        found.append(wait_for("%s laid out" % url, lambda: ask("Runtime.evaluate", session, returnByValue=True, expression="""
            document.readyState == "complete" && [innerWidth, document.documentElement.scrollWidth, Math.ceil(Math.max(
                ...[...document.querySelectorAll("body *")].map(e => e.getBoundingClientRect().right)))]
            """)["result"]["value"]))
    ask("Browser.close")
    browser.wait(10)
    return found


# The colours the chart paints: the player's rate, and the fills under 1 in
# 20, from 1 in 20 and from 1 in 100.
CHART_COLOURS = {"the rate's blue": "0f4cb8", "the grey under the bands": "e6e6e6",
                 "the 1 in 20 band": "fdefd2", "the 1 in 100 band": "f7cd8a"}


def page(game, work):
    # The page of a journal in which a hunch climbs into the bands, and the
    # page for a journal not started yet, as Chromium draws them: the chart's
    # colours on screen, the meter's reading in --report's words, and no
    # element wider than a narrow window.
    with open(work + "/j.csv", "w", newline="") as journal:
        journal.write("time,game,guess,secret,blind,right\r\n")
        for row in range(300):  # blind but every fifth, and every third blind guess right
            right, blind = row % 3 == 0, row % 5 != 4
            journal.write("2026-12-08T04:%02d:%02d.000Z,%d,red,%s,%d,%d\r\n" % (
                row // 60, row % 60, 1 + row // 150, "red" if right else "blue", blind, right))
    run = lambda *arguments: subprocess.run([game, *arguments], capture_output=True, text=True, cwd=work, timeout=30)
    report, made, missing = run("--report=j.csv"), run("--report=j.csv", "--page=p.html", "--plot=p.svg"), run(
        "--report=none.csv", "--page=n.html")
    check("--report, then with --page and --plot: status, stdout, stderr", (
        report.returncode, made.returncode, made.stdout, made.stderr), (
        0, 0, report.stdout + "Plot:           p.svg\nPage:           p.html\n", ""))
    check("a page for no journal yet: status, stdout, stderr, the command it gives", (
        missing.returncode, missing.stdout, missing.stderr, "tavelquin --journal=none.csv" in open(work + "/n.html").read()), (
        0, "Journal:        none.csv, none yet: playing with --journal starts it\nPage:           n.html\n", "", True))
    text = open(work + "/p.html").read()
    svg = ElementTree.parse(work + "/p.svg").getroot()
    check("what the page would load or run, and the plot's title and description", (
        re.findall(r"<script|\b(?:src|href)=|url\((?!#)", text),
        [e.tag.split("}")[1] for e in svg[:2]], svg[1].text in text), ([], ["title", "desc"], True))

    chromium(work, "--window-size=1000,1500", "--screenshot=" + work + "/shot.png", "file://" + work + "/p.html")
    rgb = tool("/usr/bin/convert", work + "/shot.png", "rgb:-")
    seen = collections.Counter(rgb[i:i + 3].hex() for i in range(0, len(rgb), 3))
    check("pixels of the chart's colours in the page's screenshot, 200 or more",
          {name: seen[colour] >= 200 or seen[colour] for name, colour in CHART_COLOURS.items()},
          {name: True for name in CHART_COLOURS})
    dom = chromium(work, "--dump-dom", "file://" + work + "/p.html").decode()
    shown = lambda page, name: html.unescape(re.search(r'<p id="%s">(.*?)</p>' % name, page, re.S).group(1))
    check("the meter's reading and the draw's on the page, against --report's",
          [shown(dom, "reading"), shown(dom, "draw")], report.stdout.splitlines()[6:8])
    # j.csv's secrets are red or blue alone; f.csv's come from a fair draw.
    draws = random.Random(8)
    with open(work + "/f.csv", "w", newline="") as journal:
        journal.write("time,game,guess,secret,blind,right\r\n" + "".join(
            "2026-12-08T05:%02d:%02d.000Z,1,red,%s,1,%d\r\n" % (row // 60, row % 60, secret, secret == "red")
            for row, secret in enumerate(draws.choice(list(COLOURS)[:6]).lower() for _ in range(300))))
    run("--report=f.csv", "--page=f.html")
    fair = shown(chromium(work, "--dump-dom", "file://" + work + "/f.html").decode(), "draw")
    check("whether each page says the draw looks biased: red and blue alone, a fair draw",
          ["looks biased" in shown(dom, "draw"), "looks biased" in fair, "stands out" in fair], [True, False, True])
    found = widest(work, ["file://%s/%s.html" % (work, name) for name in "pn"], 320)
    check("at 320 CSS pixels, for each page: the window's width, the document's, and the furthest right edge "
          "(at most 320)", found, [[320, 320, min(right, 320)] for _, _, right in found])


WINE, WINESERVER = "/usr/lib/wine/wine64", "/usr/lib/wine/wineserver64"
# The game's controls by their ids, their places in the window description from 1.
EXIT, STOP, START, ORANGE, RED, PANEL, INCORRECT, CORRECT, ANNOUNCER = 1, 2, 3, 6, 11, 12, 13, 15, 100
NAMES = {1: "Exit", 2: "Stop", 3: "Start", 6: "Orange", 7: "Purple", 8: "Blue", 9: "Green", 10: "Yellow",
         11: "Red", 12: "Colour panel: hidden", 13: "Incorrect: 0", 14: "Correct:", 15: "Correct: 0",
         16: "Incorrect:", 100: "-"}


def own_prefix(prefix, path, dpi):
    # The fixture's Wine prefix, hard-linked but for the registry's files, which
    # get our settings before any wineserver runs there: the scale, and keyboard
    # cues off as Windows has them by default (Wine shows them always).
    if subprocess.run(["cp", "-al", prefix, path]).returncode:
        subprocess.run(["cp", "-a", prefix, path], check=True)
    for registry in glob.glob(path + "/*.reg"):
        text = open(registry).read()
        os.unlink(registry)
        if registry.endswith("/user.reg"):
            text = re.sub(r'"UserPreferencesMask"=hex:(..)', lambda m: '"UserPreferencesMask"=hex:%02x' % (
                int(m.group(1), 16) & ~0x20), text)
            text = re.sub(r"(?m)^\[Control Panel\\\\Desktop\].*\n(#time=.*\n)?",
                          lambda m: m.group(0) + '"LogPixels"=dword:%08x\n' % dpi, text, count=1)
        open(registry, "w").write(text)
    return path


def msaa(probe, env):
    # Through MSAA from another process: each child window's place, whether it
    # is enabled, its name and description by control id; and which has the focus.
    lines = [line.split("\t") for line in tool(WINE, probe, "controls", env=env).decode().splitlines()]
    return {int(i): ([*map(int, place.split(","))], enabled == "1", name, about) for i, place, enabled, name, about in
            lines[:-1]}, lines and int(lines[-1][0].split()[1])


def solid(pixel, left, top, size):
    return {pixel(x, y) for x in range(left, left + size) for y in range(top, top + size)}


def wine(game, work, probe, bcrypt, prefix, window_tests):
    procs.append(xvfb := subprocess.Popen(["Xvfb", "-displayfd", "1", "-noreset", "-nolisten", "tcp", "-screen", "0",
                                           "640x480x24"], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL))
    display = ":" + wait_for("Xvfb's display number", lambda: select.select([xvfb.stdout], [], [], 0)[0] and
                             xvfb.stdout.readline().decode().strip())
    # Command lines in UTF-8, which Wine hands to the program as UTF-16, for
    # names beyond ASCII.
    envs = [dict(os.environ, DISPLAY=display, WINEPREFIX=own_prefix(prefix, work + "/prefix%d" % dpi, dpi),
                 WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d", LC_ALL="C.UTF-8") for dpi in (96, 192)]
    try:  # first the window's own tests, which need the display
        tests = subprocess.run([WINE, window_tests], env=envs[0], capture_output=True, text=True)
        check("the Win32 window tests' status; they said:\n%s\n" % tests.stdout[-3000:], tests.returncode, 0)
        command_lines_wine(game, probe, work, envs[0])
        play_wine(game, probe, bcrypt, work, envs[0])
        full_disk(game, probe, work, envs[0])
        at_200_percent(game, probe, envs[1])
    finally:  # each prefix's wineserver ends, and every program in it
        for env in envs:
            subprocess.run([WINESERVER, "-k"], env=env, stderr=subprocess.DEVNULL)


def windows_path(path):  # as Wine's drive Z: shows the root
    return "Z:" + path.replace("/", "\\")


def command_lines_wine(game, probe, work, env):
    # The program's answers on its standard output and error as pipes, as
    # Wine hands a program started from Linux: each status and all it prints.
    # A browser of the test's own opens .html files: the probe, which writes
    # down the page it was given.
    esc = lambda text: text.replace("\\", "\\\\").replace('"', '\\"')
    with open(work + "/browser.reg", "w") as registry:
        registry.write('Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Classes\\.html]\r\n'
                       '@="tavelquin.test"\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Classes\\tavelquin.test\\shell\\open\\'
                       'command]\r\n@="%s"\r\n' % esc('"%s" record "C:\\opened.txt" "%%1"' % windows_path(probe)))
    tool(WINE, "reg", "import", windows_path(work + "/browser.reg"), env=env)
    os.mkdir(folder := work + "/tavelquin é")
    with open(folder + "/j.csv", "w", newline="") as journal:
        journal.write("time,game,guess,secret,blind,right\r\n2026-12-08T04:25:39.585Z,1,red,purple,1,0\r\n"
                      "2026-12-08T04:26:00.000Z,2,red,red,1,1\r\n2026-12-0")
    at = windows_path(folder) + "\\"
    report = ("Journal:        %sj.csv\nBegan:          2026-12-08 04:25:39 UTC\nGames:          2\nGuesses:        2\n"
              "Blind guesses:  2\nRight of those: 1\nIn 2 games: Blind guesses: 2, right: 1 (50%%). " % at)
    torn = "tavelquin: journal %sj.csv: line 4 was cut short, by a crash or a full disk; skipped, never counted\n" % at
    for arguments, status, out, err in [
        (["--version"], 0, r"Tavelquin 1\.00\nCopyright .*License GPL-3\.0-or-later.*", ""),
        (["-h"], 0, r"Usage: .*tavelquin\.exe \[options\]\n.*--journal.*%LOCALAPPDATA%.*--report.*--page\[=FILE\.html\].*", ""),
        (["stray-é"], 2, "", re.escape("tavelquin: Unexpected argument 'stray-é'. Try 'tavelquin --help'.\n")),
        (["--report", "--plot"], 2, "", re.escape("tavelquin: Missing value after '--plot'. Try 'tavelquin --help'.\n")),
        (["--journal=" + at], 1, "", re.escape("tavelquin: journal %s: is a directory\n" % at)),
        (["--report=%sj.csv" % at, "--plot=%splot é.png" % at, "--page=%spage é.html" % at], 0,
         re.escape(report) + r".*\n.*\nPlot: +%splot é\.png\nPage: +%spage é\.html\n" % (re.escape(at), re.escape(at)),
         re.escape(torn)),
        # No journal yet, in a folder not made yet: the page that says how to
        # start one, in that folder, opened in the browser.
        (["--report=%snew\\j.csv" % at, "--page"], 0, re.escape(
            "Journal:        %snew\\j.csv, none yet: playing with --journal starts it\nPage:           %snew\\j.html\n"
            % (at, at)), "")]:
        ran = subprocess.run([WINE, game, *arguments], env=env, capture_output=True, timeout=60)
        seen = (ran.returncode, ran.stdout.decode(), ran.stderr.decode())
        matched = seen[0] == status and re.fullmatch(out, seen[1], re.S) and re.fullmatch(err, seen[2], re.S)
        check("tavelquin.exe %s: status, stdout, stderr as patterns" % arguments, seen, seen if matched else (
            status, out, err))
    opened = wait_for("the browser's page", lambda: open(env["WINEPREFIX"] + "/drive_c/opened.txt").read()
                      if os.path.exists(env["WINEPREFIX"] + "/drive_c/opened.txt") else "")
    check("the plot's PNG header and size, the page the browser was given, that page's command for a journal",
          (open(folder + "/plot é.png", "rb").read(24), opened,
           "tavelquin --journal=&quot;%snew\\j.csv&quot;" % at in open(folder + "/new/j.html").read()),
          (b"\x89PNG\r\n\x1a\n\0\0\0\rIHDR" + (960).to_bytes(4, "big") + (540).to_bytes(4, "big"),
           at + "new\\j.html\n", True))
    os.unlink(env["WINEPREFIX"] + "/drive_c/opened.txt")
    # Started from a console, the program writes there, in UTF-16; started
    # with no console, as from Explorer, it shows its answer in a message box.
    check("in a console: a usage error, then --version", [
        tool(WINE, probe, "console", game, *arguments, env=env).decode().replace("\r", "") for arguments in (
            ["stray-é"], ["--version"])], ["status 2\ntavelquin: Unexpected argument 'stray-é'. Try 'tavelquin --help'.\n",
                                          "status 0\n" + subprocess.run([WINE, game, "--version"], env=env,
                                                                         capture_output=True).stdout.decode()])
    procs.append(detached := subprocess.Popen([WINE, probe, "detached", game, "--version"], env=env,
                                              stdout=subprocess.PIPE, text=True))
    box = wait_for("the message box", lambda: tool(WINE, probe, "box", env=env).decode().replace("\r", ""))
    check("with no console: --version's message box, the status", (box, detached.communicate(timeout=30)[0]),
          (subprocess.run([WINE, game, "--version"], env=env, capture_output=True, text=True).stdout, "status 0\n"))


def start_wine(command, probe, env):
    # The game, once its window shows and MSAA finds its controls; its X window and the first reading.
    procs.append(program := subprocess.Popen([WINE, *command], env=env, stderr=subprocess.PIPE, text=True))
    wid = wait_for("the game's window", lambda: tool("xdotool", "search", "--onlyvisible", "--name", "^Tavelquin$",
                                                     env=env).split()[:1], 30)[0]
    return program, wid, wait_for("the controls through MSAA", lambda: (m := msaa(probe, env))[0].get(EXIT) and m)


def windows_path(path):  # a path of ours as the game takes it, on Wine's drive Z:
    return "Z:" + path.replace("/", "\\")


def listen(probe, env):
    # What a screen reader hears from the game that runs: its announcer's live region events.
    procs.append(listener := subprocess.Popen([WINE, probe, "listen", "90"], env=env, stdout=subprocess.PIPE, text=True))
    check("the listener", listener.stdout.readline(), "ready\n")
    threading.Thread(target=lambda: [heard.append(line[5:].rstrip("\n")) for line in listener.stdout], daemon=True).start()


def play_wine(game, probe, bcrypt, work, env):
    # With a journal in a folder whose name goes beyond ASCII, through the
    # wide-character command line and file calls.
    os.mkdir(work + "/Spieler Jürgen")
    journal = work + "/Spieler Jürgen/journal ß.csv"
    keep = "--journal=" + windows_path(journal)
    program, wid, (found, focus) = start_wine([game, keep], probe, env)
    size, pixel = wait_for("the window painted", lambda: (s := shot(wid, env))[1](100, 28) != "000000" and s)
    labels = {pixel(x, y) for x in range(16, 176) for y in range(88, 105)}
    check("at 96 dpi: the window's size, the six squares solid, the panel black without a focus mark, "
          "the labels red on black, a push button's face",
          (size, [solid(pixel, x, y, 25) for x, y in ((88, 16), (120, 16), (152, 16), (88, 48), (120, 48), (152, 48))],
           solid(pixel, 16, 16, 57), {p[2:] for p in labels}, "ff0000" in labels, pixel(20, 114) != "000000"),
          ((191, 135), [{COLOURS[c]} for c in [*COLOURS][:6]], {"000000"}, {"0000"}, True, True))
    # The window's icon, as Wine gives it to X: the icon group's 32 x 32 and 16 x 16.
    prop = tool("xprop", "-id", wid, "-notype", "-f", "_NET_WM_ICON", "32c", "_NET_WM_ICON", env=env)
    icon, sizes = [int(n) for n in re.findall(rb"\d+", prop.partition(b"_NET_WM_ICON = ")[2])], {}
    while icon[2:]:  # width, height, then the pixels as ARGB, for each size
        sizes[icon[0]], icon = icon[2:2 + icon[0] * icon[1]], icon[2 + icon[0] * icon[1]:]
    rgba = tool("/usr/bin/convert", "ico:" + os.path.dirname(game) + "/tavelquin.ico[3]", "rgba:-")
    check("the window icon's sizes, its 32 x 32 against the icon file's", (sorted(sizes), sizes.get(32) == [
        a << 24 | r << 16 | g << 8 | b for r, g, b, a in zip(*[iter(rgba)] * 4)]), ([16, 32], True))
    reading = found[CORRECT][3]
    check("every control's accessible name, the counts' descriptions, the focus on the panel",
          ({i: c[2] for i, c in found.items()}, {found[i][3] for i in (13, 14, 15, 16)}, focus),
          (NAMES, {reading}, PANEL))
    listen(probe, env)

    # Tab to Red, which shows the focus mark; Start by mouse fixes the secret
    # and hands the focus to Stop; Shift+Tab passes over Start to Orange.
    tool("xdotool", "windowfocus", wid, "key", "Tab", env=env)
    wait_for("the focus on Red after Tab", lambda: msaa(probe, env)[1] == RED)
    pixel = shot(wid, env)[1]
    check("Red's focus mark, and none on the panel", (pixel(90, 28), pixel(91, 28), pixel(100, 28), pixel(16, 40)),
          ("ffffff", "000000", "ff0000", "000000"))
    # Enter and Esc press nothing and close nothing: the first word is Start's.
    tool("xdotool", "key", "Return", "Escape", env=env)
    tool("xdotool", "mousemove", "--window", wid, "36", "120", "click", "1", env=env)
    check("Start's press after Enter and Esc", (wait_for("a word on Start", lambda: heard[:1]), program.poll()),
          (["Start is no longer available."], None))
    tool("xdotool", "key", "shift+Tab", env=env)
    wait_for("the focus on Orange after Shift+Tab", lambda: msaa(probe, env)[1] == ORANGE)
    pressed = time.monotonic()
    tool("xdotool", "key", "space", env=env)
    said = wait_for("the guess's word", lambda: heard[1:2])[0]
    found, focus = msaa(probe, env)
    shown = found[PANEL][2][14:]
    check("guessing Orange by Space, blind: what is heard, the counts, the panel on screen",
          (said, found[CORRECT][2], found[INCORRECT][2], panel_colour(shot(wid, env)[1])),
          ("Correct: Orange." if shown == "Orange" else "Incorrect: it was %s." % shown,
           "Correct: %d" % (shown == "Orange"), "Incorrect: %d" % (shown != "Orange"), COLOURS.get(shown)))
    wait_for("the end of the reveal", lambda: heard[2:])
    elapsed = (time.monotonic() - pressed) * 1000
    check("the end of the reveal, %d ms after the key press: what is heard, the panel, whether in 3000 to 6000 ms"
          % elapsed, (heard[2:], msaa(probe, env)[0][PANEL][2], panel_colour(shot(wid, env)[1]), 3000 <= elapsed < 6000),
          (["Hidden again."], "Colour panel: hidden", "000000", True))
    # H speaks what the counts' descriptions say, before they name J.
    tool("xdotool", "key", "h", env=env)
    reading = wait_for("the reading after H", lambda: heard[3:4])[0]
    check("H's reading, and the counts' descriptions", (reading[:len("In 1 game: Blind guesses: 1, right: ")],
          {msaa(probe, env)[0][i][3] for i in (13, 14, 15, 16)}), ("In 1 game: Blind guesses: 1, right: ", {
              reading + " Press J to open your journal's page in your browser."}))
    # J writes the journal's page beside it and has the shell open it in the
    # test's browser; the game goes on.
    tool("xdotool", "key", "j", env=env)
    opened = env["WINEPREFIX"] + "/drive_c/opened.txt"
    opened = wait_for("the browser's page", lambda: os.path.exists(opened) and open(opened).read())
    on_page = re.search(r'<p id="reading">(.*?)</p>', open(work + "/Spieler Jürgen/journal ß.html", encoding="utf-8").read(), re.S)
    check("what J had the browser open, the reading on that page, the game still running",
          (opened, on_page and html.unescape(on_page.group(1)), program.poll()),
          (windows_path(work + "/Spieler Jürgen/journal ß.html") + "\n", reading, None))
    # A click on Red, a word on the guess; Stop ends the reveal at once.
    tool("xdotool", "mousemove", "--window", wid, "100", "28", "click", "1", env=env)
    red = wait_for("the second guess's word", lambda: heard[4:5])[0]
    tool("xdotool", "mousemove", "--window", wid, "92", "120", "click", "1", env=env)
    wait_for("Stop's word", lambda: heard[5:6])
    found = msaa(probe, env)[0]
    check("Stop: what is heard, the panel, the counts' total, Start",
          (heard[5:], found[PANEL][2], int(found[CORRECT][2][9:]) + int(found[INCORRECT][2][11:]), found[START][1]),
          (["Hidden again."], "Colour panel: hidden", 2, False))

    # Killed as Task Manager's End task does, the game has lost no guess that a
    # count showed. The next start reads the journal's tally as the first game
    # last did and keeps a third start out while it runs; Exit ends it.
    reading = found[CORRECT][3]
    tool(WINE, "taskkill", "/F", "/IM", os.path.basename(game), env=env)
    program.wait(20)
    secret = lambda said: "orange" if said == "Correct: Orange." else "red" if said == "Correct: Red." else \
        said[len("Incorrect: it was "):-1].lower()
    check("the journal's rows after the kill", [row.split(",")[1:] for row in open(
        journal, newline="", encoding="utf-8").read().split("\r\n")[1:]],
          [["1", "orange", secret(said), "1", str(int(said == "Correct: Orange."))],
           ["1", "red", secret(red), "1", str(int(red == "Correct: Red."))], []])
    program, wid, (found, focus) = start_wine([game, keep], probe, env)
    listen(probe, env)
    tool("xdotool", "windowfocus", wid, "key", "h", env=env)
    # Its standard error a pipe, the third start says why there, not in a box.
    third = subprocess.run([WINE, game, keep], env=env, capture_output=True, text=True, timeout=60)
    refused = "journal %s: another running game holds it" % windows_path(journal)
    check("the reading after the restart, heard on H and in the counts' descriptions; the third start's "
          "status and stderr", (wait_for("the reading after H", lambda: heard[6:7])[0], found[CORRECT][3],
                                third.returncode, third.stderr),
          (reading.removesuffix(" Press J to open your journal's page in your browser."), reading, 1,
           "tavelquin: " + refused + "\n"))
    tool("xdotool", "mousemove", "--window", wid, "156", "120", "click", "1", env=env)  # Exit
    check("the exit status after Exit", program.wait(20), 0)

    # Closed through its frame, as the close button does: status 0.
    program, wid, found = start_wine([game], probe, env)
    tool(WINE, probe, "close", env=env)
    check("the exit status after SC_CLOSE", program.wait(20), 0)

    # The first draw fails, with the system's random generator of a bcrypt.dll
    # beside a copy of the game: run-time error 51 in a message box, status 1.
    os.mkdir(failing := work + "/failing")
    for file in (game, bcrypt):
        shutil.copy(file, failing)
    env = dict(env, WINEDLLOVERRIDES="bcrypt=n;" + env["WINEDLLOVERRIDES"])
    program, wid, found = start_wine([failing + "/" + os.path.basename(game)], probe, env)
    box = wait_for("the message box", lambda: tool(WINE, probe, "box", env=env).decode().replace("\r", ""))
    message = "Run-time error 51: Internal error (the system's random generator failed: status 0xC0000001)"
    check("the message box's text, the exit status, stderr", (box, program.wait(20), program.stderr.read()),
          (message + "\n", 1, "tavelquin: " + message + "\n"))


def full_disk(game, probe, work, env):
    # A full disk: a small tmpfs in this test's own mount namespace, full but
    # for what is left of the journal's last page, which its rows fill to the
    # byte. A guess's row finds no room: run-time error 57 with Windows' reason
    # (Wine's words) in a message box, then status 1, and the journal as it was.
    os.mkdir(disk := work + "/disk")
    tool("mount", "-t", "tmpfs", "-o", "size=64k", "tmpfs", disk)
    try:
        rows = ["2026-12-08T05:00:%02d.000Z,1,red,blue,1,0," % i for i in range(60)]
        text = "time,game,guess,secret,blind,right,note\r\n" + "".join(row + "\r\n" for row in rows)
        before = (text[:-2] + "x" * (4096 - len(text)) + "\r\n").encode()
        open(journal := disk + "/journal.csv", "wb").write(before)
        with contextlib.suppress(OSError), open(disk + "/filler", "wb", buffering=0) as filler:
            while filler.write(b"\0" * 4096):
                pass
        check("the room left on the disk, the journal's size", (os.statvfs(disk).f_bavail, len(before)), (0, 4096))
        program, wid, found = start_wine([game, "--journal=" + windows_path(journal)], probe, env)
        tool("xdotool", "mousemove", "--window", wid, "100", "28", "click", "1", env=env)  # Red
        box = wait_for("the message box", lambda: tool(WINE, probe, "box", env=env).decode().replace("\r", ""))
        message = "Run-time error 57: Device I/O error (journal %s: cannot add a row: disk full)" % windows_path(journal)
        check("the box's text, the exit status, stderr, the journal unchanged",
              (box, program.wait(20), program.stderr.read(), open(journal, "rb").read() == before),
              (message + "\n", 1, "tavelquin: " + message + "\n", True))
        # A new journal there cannot take its header: refused at the start, left empty.
        open(empty := disk + "/new.csv", "wb").close()
        refused = subprocess.run([WINE, game, "--journal=" + windows_path(empty)], env=env, capture_output=True,
                                 text=True, timeout=60)
        message = "journal %s: cannot write the header: disk full" % windows_path(empty)
        check("a new journal on the full disk: the exit status, stderr, its size",
              (refused.returncode, refused.stderr, os.path.getsize(empty)), (1, "tavelquin: " + message + "\n", 0))
    finally:
        tool("umount", "--lazy", disk)  # even while a program that failed holds a file there


def at_200_percent(game, probe, env):
    # Laid out at the scale, sharp: 382 x 270 with solid 50 x 50 squares. A
    # click on a label does nothing; Alt+F4 then closes the window.
    program, wid, (found, focus) = start_wine([game], probe, env)
    size, pixel = wait_for("the window painted", lambda: (s := shot(wid, env))[1](200, 56) != "000000" and s)
    check("at 192 dpi: the window's size, the six squares, the red square's place through MSAA",
          (size, [solid(pixel, x, y, 50) for x, y in ((176, 32), (240, 32), (304, 32), (176, 96), (240, 96), (304, 96))],
           found[RED][0]), ((382, 270), [{COLOURS[c]} for c in [*COLOURS][:6]], [176, 32, 50, 50]))
    tool("xdotool", "mousemove", "--window", wid, "190", "190", "click", "1", env=env)  # "Correct:"
    time.sleep(0.5)
    found = msaa(probe, env)[0]
    check("the counts after a click on a label", (found[CORRECT][2], found[INCORRECT][2]), (NAMES[CORRECT], NAMES[INCORRECT]))
    tool("xdotool", "key", "alt+F4", env=env)
    check("the exit status after Alt+F4", program.wait(20), 0)


def main():
    mode, game, *wine_files = sys.argv[1:]
    if mode == "wine" and not os.environ.get("TAVELQUIN_E2E_OWN_MOUNTS"):
        # In a mount namespace of our own, where a tmpfs can play a full disk:
        # as root, or else as root of a user namespace of our own.
        os.environ["TAVELQUIN_E2E_OWN_MOUNTS"] = "1"
        os.execvp("unshare", ["unshare", "--mount", *([] if os.getuid() == 0 else ["--map-root-user"]),
                              sys.executable, *sys.argv])
    for name in "DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_FONT_DPI".split():
        os.environ.pop(name, None)
    with tempfile.TemporaryDirectory(prefix="tavelquin-e2e.") as work:
        try:
            {"x11": play, "wayland": lambda *a: play(*a, wayland=True), "vnc": vnc, "cli": cli, "page": page,
             "wine": lambda *a: wine(*a, *wine_files)}[mode](game, work)
        finally:  # nothing that we or serve-vnc started outlives us
            for process in reversed(procs):
                process.terminate()
                with contextlib.suppress(subprocess.TimeoutExpired):
                    process.wait(10)
            for line in survivors(orphans + [p.pid for p in procs if p.returncode is None]):
                os.kill(int(line.split()[0]), signal.SIGKILL)
    print("PASS: e2e.%s" % mode)


if __name__ == "__main__":
    main()
