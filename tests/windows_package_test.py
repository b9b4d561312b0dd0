#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Tavelquin developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Checks the Windows packages, PACKAGE.zip and PACKAGE.msi (PACKAGE is
# build/.../tavelquin-1.0.0-win64 or -win32 without its extension).
#
# usage: windows_package_test.py file PACKAGE VERSION
#        windows_package_test.py install PACKAGE VERSION WINEPREFIX tavelquin.ico
#
# Both check the zip: its three files, the program stripped, within 1.5 MB and for the
# package's machine, the texts in CR LF, the licence's own words. file reads the
# 32-bit MSI's tables with msiinfo. install installs the MSI under wine64, over
# an older version and another build of this one, in a copy of WINEPREFIX with
# a wineserver of its own, which it ends: the files, the entry in Settings >
# Apps, the Start menu's shortcuts as Wine wrote them, the game started where
# they point on a private Xvfb and ended by its Exit; then uninstalls it and
# finds nothing of ours left but the player's journal.
import contextlib, filecmp, glob, os, re, shutil, struct, subprocess, sys, tempfile, time, uuid, zipfile

UPGRADE_CODE = "{28BDCBE6-9CB3-4EA7-8E3D-3106987771D3}"  # every release's: by it a newer one replaces an older
SHORTCUTS = {"Tavelquin": "", "Tavelquin (keep a journal)": "--journal", "Tavelquin journal page": "--report --page"}
FILES = ["COPYING.txt", "README.txt", "tavelquin.exe"]
LICENCE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "../LICENSES/GPL-3.0-or-later.txt")
WINE, WINESERVER = "/usr/lib/wine/wine64", "/usr/lib/wine/wineserver64"
UNINSTALL = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall" "\\"
JOURNAL = b"time,game,guess,secret,blind,right\r\n2026-12-08T04:25:39.585Z,1,red,purple,1,0\r\n"


def check(what, seen, expected):
    if seen != expected:
        sys.exit("FAIL: %s: expected %s, saw %s" % (what, expected, seen))


def run(*command, env=None):  # status and output
    done = subprocess.run(command, env=env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, timeout=120)
    return done.returncode, done.stdout.decode(errors="replace").replace("\r", "")


def table(msi, name):  # an MSI table's rows as dicts, through msiinfo
    lines = [line.split("\t") for line in run("msiinfo", "export", msi, name)[1].splitlines()]
    return [dict(zip(lines[0], row)) for row in lines[3:]]


def check_zip(package, win64):
    with zipfile.ZipFile(package + ".zip") as archive:
        files = {name: archive.read(name) for name in archive.namelist()}
    check("the zip's files", sorted(files), FILES)
    texts = [files[name].decode("ascii", "replace") for name in ("README.txt", "COPYING.txt")]
    check("README.txt and COPYING.txt: every line ending in CR LF, no placeholder left, the licence's words",
          ([t.count("\n") - t.count("\r\n") for t in texts], texts[0].count("@"),
           texts[1] == open(LICENCE).read().replace("\n", "\r\n")), ([0, 0], 0, True))
    exe = files["tavelquin.exe"]
    header = struct.unpack_from("<I", exe, 0x3C)[0]
    check("the program's machine, and no symbols left", (struct.unpack_from("<4sH", exe, header), struct.unpack_from(
        "<I", exe, header + 16)[0]), ((b"PE\0\0", 0x8664 if win64 else 0x14C), 0))
    # What a player downloads stays small: 0.85 MB for 32 bits, before which
    # one stray use of the C++ library had doubled it.
    check("the program within 1.5 MB", len(exe) <= 1_500_000, True)
    return files


def check_msi(package, version, win64):
    msi = package + ".msi"
    properties = {row["Property"]: row["Value"] for row in table(msi, "Property")}
    check("the MSI's version, UpgradeCode, maker and machine-wide install",
          [properties.get(name) for name in ("ProductVersion", "UpgradeCode", "Manufacturer", "ALLUSERS")],
          [version, UPGRADE_CODE, "The Tavelquin developers", "1"])
    if win64:
        return properties["ProductCode"]
    # What differs by architecture: the platform, the folder, 32-bit components.
    template = re.search(r"Template: (.*)", run("msiinfo", "suminfo", msi)[1])
    check("the 32-bit MSI: for Intel, under Program Files (x86), no 64-bit component",
          (template and template[1], {row["Directory_Parent"] for row in table(msi, "Directory") if row[
              "Directory"] == "INSTALLDIR"}, {int(row["Attributes"]) & 256 for row in table(msi, "Component")}),
          ("Intel;1033", {"ProgramFilesFolder"}, {0}))


def shortcut(path):
    # A .lnk file's target, arguments and icon: the local path in its link
    # information, then the strings its flags say it has, in UTF-16 (Wine
    # counts their NUL in their length, Windows does not).
    data = open(path, "rb").read()
    flags, at, target, strings = struct.unpack_from("<I", data, 20)[0], 76, None, {}
    if flags & 1:  # the target's item id list
        at += 2 + struct.unpack_from("<H", data, at)[0]
    if flags & 2:
        size, _, _, _, local = struct.unpack_from("<5I", data, at)
        target, at = data[at + local:].split(b"\0")[0].decode("cp1252"), at + size
    for bit in (4, 8, 16, 32, 64):  # name, relative path, working directory, arguments, icon
        if flags & bit:
            length = struct.unpack_from("<H", data, at)[0]
            strings[bit], at = data[at + 2:at + 2 + 2 * length].decode("utf-16-le").rstrip("\0"), at + 2 + 2 * length
    return target, strings.get(32, ""), strings.get(64)


def windows_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def tree(root):  # every path under root
    return {os.path.relpath(os.path.join(top, name), root) for top, dirs, files in os.walk(root)
            for name in dirs + files}


def registry(key, env):  # a key's values by name, or None when it is not there
    status, out = run(WINE, "reg", "query", key, env=env)
    return None if status else dict(re.findall(r"^    (\S+)    REG_\w+    (.*)$", out, re.M))


def install(package, version, fixture, icon, files, work):
    # Our own prefix: the fixture's hard-linked, but for the registry's files.
    prefix, drive = work + "/prefix", work + "/prefix/drive_c"
    if subprocess.run(["cp", "-al", fixture, prefix]).returncode:
        subprocess.run(["cp", "-a", fixture, prefix], check=True)
    for name in glob.glob(prefix + "/*.reg"):
        os.unlink(name)
        shutil.copy(fixture + "/" + os.path.basename(name), name)
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", "1", "-nolisten", "tcp", "-screen", "0", "640x480x24"],
                            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    # Wine's menu builder, which would copy the shortcuts into this machine's own menus, stays off.
    env = dict(os.environ, WINEPREFIX=prefix, WINEDEBUG="-all",
               WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d")
    env["DISPLAY"] = ":" + xvfb.stdout.readline().decode().strip()
    try:
        journal = glob.glob(drive + "/users/*/AppData/Local")[0] + "/Tavelquin/journal.csv"
        os.makedirs(os.path.dirname(journal))
        open(journal, "wb").write(JOURNAL)
        before = tree(drive)

        # Before it, an older version, then another build of this version,
        # which replaces the older: copies of the package but for their
        # versions and codes.
        product, earlier = check_msi(package, version, True), []
        for earlier_version in ("0.9.0", version, None):
            msi = package + ".msi"
            if earlier_version:
                earlier.append("{%s}" % str(uuid.uuid4()).upper())
                shutil.copy(msi, msi := "%s/earlier%d.msi" % (work, len(earlier)))
                update = "UPDATE Property SET Value='%s' WHERE Property='%s'"
                check("making an earlier package", run(
                    "msibuild", msi, "-q", update % (earlier_version, "ProductVersion"), "-q", update % (
                        earlier[-1], "ProductCode"), "-s", "Tavelquin", "The Tavelquin developers", "x64;1033",
                    "{%s}" % str(uuid.uuid4()).upper())[0], 0)
            check("msiexec /i %s /qn" % msi, run(WINE, "msiexec", "/i", windows_path(msi), "/qn", env=env), (0, ""))
        installed = drive + "/Program Files/Tavelquin/"
        check("the installed files, as in the zip", {n: open(installed + n, "rb").read() == files[n]
                                                      for n in os.listdir(installed)}, dict.fromkeys(FILES, True))
        entry = registry(UNINSTALL + product, env) or {}
        check("Settings > Apps: the earlier builds gone, this one's name, version, maker, help, place",
              ([registry(UNINSTALL + code, env) for code in earlier], [entry.get(name) for name in (
                  "DisplayName", "DisplayVersion", "Publisher", "HelpLink", "InstallLocation", "NoModify")]),
              ([None, None], ["Tavelquin", version, "The Tavelquin developers",
                              r"C:\Program Files\Tavelquin\README.txt", "C:\\Program Files\\Tavelquin\\", "0x1"]))

        # Wine puts a machine-wide install's shortcuts in the user's Start menu.
        menus = glob.glob(drive + "/ProgramData/Microsoft/Windows/Start Menu/Programs/Tavelquin") + glob.glob(
            drive + "/users/*/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Tavelquin")
        links = {name[:-4]: shortcut(menus[0] + "/" + name) for name in os.listdir(menus[0])} if menus else {}
        program = r"C:\Program Files\Tavelquin\tavelquin.exe"
        check("one Start menu folder Tavelquin; its shortcuts' targets, arguments, and the program's icon",
              (len(menus), {n: (t, a, os.path.isfile(p := drive + w[2:].replace("\\", "/")) and filecmp.cmp(
                  p, icon, False)) for n, (t, a, w) in links.items()}),
              (1, {name: (program, arguments, True) for name, arguments in SHORTCUTS.items()}))

        # The game, started as its shortcut says, from where the installer put
        # it; Exit is clicked until it ends, as the window shows before its
        # buttons take clicks.
        game, window = subprocess.Popen([WINE, program], env=env), []
        for _ in range(60):
            if window := run("xdotool", "search", "--onlyvisible", "--name", "^Tavelquin$", env=env)[1].split():
                break
            time.sleep(0.5)
        for _ in range(20 if window else 0):
            run("xdotool", "mousemove", "--window", window[0], "156", "120", "click", "1", env=env)  # Exit
            with contextlib.suppress(subprocess.TimeoutExpired):
                game.wait(1)
                break
        check("the game's window, its status after Exit", (bool(window), game.poll()), (True, 0))

        check("msiexec /x /qn", run(WINE, "msiexec", "/x", windows_path(package + ".msi"), "/qn", env=env), (0, ""))
        # Windows Installer's own folder stays, as it is always there on Windows.
        check("what uninstalling left beside what was there before, the journal",
              ((tree(drive) ^ before) - {"windows/Installer"}, open(journal, "rb").read()), (set(), JOURNAL))
        check("Settings > Apps after uninstalling", registry(UNINSTALL + product, env), None)
        subprocess.run([WINESERVER, "-w"], env=env, timeout=60)  # it saves the registry as it ends
        check("the registry's files naming Tavelquin", [n for n in glob.glob(prefix + "/*.reg") if re.search(
            rb"tavelquin", open(n, "rb").read(), re.I)], [])
    finally:
        subprocess.run([WINESERVER, "-k"], env=env, stderr=subprocess.DEVNULL)
        xvfb.terminate()
        xvfb.wait(10)


def main():
    mode, package, version, *rest = sys.argv[1:]
    win64 = package.endswith("-win64")
    files = check_zip(package, win64)
    if mode == "file":
        check_msi(package, version, win64)
    else:
        with tempfile.TemporaryDirectory(prefix="tavelquin-package.") as work:
            install(package, version, *rest, files, work)
    print("PASS: %s %s" % (mode, os.path.basename(package)))


if __name__ == "__main__":
    main()
