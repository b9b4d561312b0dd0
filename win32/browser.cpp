// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "browser.h"

#include "text_encoding.h"

#include <shellapi.h>

namespace win32ui {

std::string openInBrowser(const std::string& path, HWND owner) {
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(owner, L"open", wide(path).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (result > 32)
        return {};
    // The shell's own codes below 32; the rest say no more than the last error.
    switch (result) {
    case SE_ERR_NOASSOC:
        return "no program is set to open this kind of file";
    case SE_ERR_ACCESSDENIED:
        return "access is denied";
    case SE_ERR_FNF:
    case SE_ERR_PNF:
        return "the file or a folder above it is missing";
    default:
        return errorReason(GetLastError());
    }
}

} // namespace win32ui
