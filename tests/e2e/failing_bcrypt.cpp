// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A bcrypt.dll whose random generator always fails, for e2e/drive.py's wine
// mode: put beside a copy of the game and preferred to Wine's own, it makes
// the game's first draw a run-time error.
#include <windows.h>

extern "C" __declspec(dllexport) LONG WINAPI BCryptGenRandom(void*, unsigned char*, ULONG, ULONG) {
    return LONG(0xC0000001); // STATUS_UNSUCCESSFUL
}
