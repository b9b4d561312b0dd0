// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The journal's default place on Windows: %LOCALAPPDATA%\Tavelquin\journal.csv,
// the user's own place for state that stays on this machine.
#include "default_path.h"

#include "journal_error.h"
#include "text_encoding.h"

#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>

namespace journal {

std::string defaultPath() {
    wchar_t* folder = nullptr;
    const HRESULT result = SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &folder);
    std::string path;
    if (SUCCEEDED(result))
        path = win32ui::narrow(folder) + "\\Tavelquin\\journal.csv";
    CoTaskMemFree(folder);
    if (path.empty())
        throw JournalError("", 0,
                           "Windows names no local application data folder, so there is "
                           "no place for the journal");
    return path;
}

std::string defaultPlace() { return "%LOCALAPPDATA%\\Tavelquin\\journal.csv"; }

} // namespace journal
