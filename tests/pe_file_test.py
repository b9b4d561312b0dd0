#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Tavelquin developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Checks a Windows program that this machine cannot run, as a file: the
# 32-bit tavelquin.exe, read with pefile (Debian's, for /usr/bin/python3).
#
# usage: pe_file_test.py tavelquin.exe VERSION VERSION-TEXT   (1.0.0 1.00)
import struct, sys

import pefile

# DLLs that every Windows since Vista ships, lower-case.
WINDOWS_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "comctl32.dll", "oleacc.dll", "ole32.dll",
                "oleaut32.dll", "advapi32.dll", "bcrypt.dll", "shell32.dll", "msvcrt.dll", "gdiplus.dll"}


def check(what, seen, expected):
    if seen != expected:
        sys.exit("FAIL: %s: expected %s, saw %s" % (what, expected, seen))


def resources(pe, kind):  # id -> bytes, of one resource type
    found = {}
    for entry in pe.DIRECTORY_ENTRY_RESOURCE.entries:
        if entry.id == kind:
            for item in entry.directory.entries:
                data = item.directory.entries[0].data.struct
                found[item.id] = pe.get_data(data.OffsetToData, data.Size)
    return found


def pixels(image):
    # A bitmap of an icon as rows of 0xAARRGGBB from the top: colours (from a
    # palette at 4 bits), then the mask, whose set bits are transparent.
    size, _, _, bits = struct.unpack_from("<iiHH", image, 4)
    palette = [struct.unpack_from("<I", image, 40 + 4 * i)[0] | 0xFF000000 for i in range(16 if bits == 4 else 0)]
    at, stride, mask = 40 + 4 * len(palette), size * bits // 8, (size + 31) // 32 * 4
    rows = []
    for y in reversed(range(size)):
        row = image[at + y * stride:][:stride]
        masked = image[at + size * stride + y * mask:][:mask]
        colours = [palette[row[x // 2] >> (0 if x % 2 else 4) & 15] for x in range(size)] if bits == 4 else \
            [struct.unpack_from("<I", row, 4 * x)[0] | 0xFF000000 for x in range(size)]
        rows.append([0 if masked[x // 8] & 0x80 >> x % 8 else c for x, c in enumerate(colours)])
    return rows


def main():
    exe, version, text = sys.argv[1:]
    pe = pefile.PE(exe)
    check("PE32, i386, a Windows GUI program",
          (pe.OPTIONAL_HEADER.Magic, pe.FILE_HEADER.Machine, pe.OPTIONAL_HEADER.Subsystem),
          (0x10B, 0x14C, pefile.SUBSYSTEM_TYPE["IMAGE_SUBSYSTEM_WINDOWS_GUI"]))
    imports = {entry.dll.decode().lower() for entry in pe.DIRECTORY_ENTRY_IMPORT}
    check("DLLs imported that Windows does not ship", imports - WINDOWS_DLLS, set())

    major, minor, patch = map(int, version.split("."))
    fixed = pe.VS_FIXEDFILEINFO[0]
    strings = {k.decode(): v.decode() for info in pe.FileInfo[0] if info.Key == b"StringFileInfo"
               for table in info.StringTable if table.LangID.upper() == b"040904B0" for k, v in table.entries.items()}
    translation = [var.entry for info in pe.FileInfo[0] if info.Key == b"VarFileInfo" for var in info.Var]
    check("the version resource: file and product versions, strings, translation", (
        fixed.FileVersionMS, fixed.FileVersionLS, fixed.ProductVersionMS, fixed.ProductVersionLS,
        {k: v for k, v in strings.items() if k in ("FileVersion", "ProductVersion", "ProductName", "CompanyName",
                                                     "OriginalFilename")},
        sorted(k for k, v in strings.items() if v), translation), (
        major << 16 | minor, patch << 16, major << 16 | minor, patch << 16,
        {"FileVersion": text, "ProductVersion": text, "ProductName": "Tavelquin",
         "CompanyName": "The Tavelquin developers", "OriginalFilename": "tavelquin.exe"},
        ["CompanyName", "FileDescription", "FileVersion", "InternalName", "LegalCopyright", "OriginalFilename",
         "ProductName", "ProductVersion"], [{b"Translation": "0x0409 0x04b0"}]))

    # The icon group: width (0 for 256), height, colours, reserved, planes, bits,
    # size and image id, per image.
    group, images = resources(pe, 14), resources(pe, 3)
    entries = [struct.unpack_from("<BBBBHHIH", group[1], 6 + 14 * i) for i in range(struct.unpack_from(
        "<H", group[1], 4)[0])] if 1 in group else []
    by_size = {(w, bits): images.get(image) for w, _, _, _, _, bits, _, image in entries}
    sixteen, full = by_size.get((32, 4)), by_size.get((32, 32))
    check("the icon group's sizes and depths, its 32 x 32 at 4 bits against the one at 32",
          (sorted(by_size), sixteen and full and pixels(sixteen) == pixels(full)),
          ([(0, 32), (16, 32), (24, 32), (32, 4), (32, 32), (48, 32), (64, 32)], True))
    manifest = resources(pe, 24).get(1, b"")
    check("the manifest asks for common controls 6 and per-monitor DPI awareness",
          [word in manifest for word in (b"Microsoft.Windows.Common-Controls", b"PerMonitorV2", b"asInvoker")],
          [True] * 3)
    print("PASS: %s" % exe)


if __name__ == "__main__":
    main()
