// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A report's output on Windows: files and folders through the wide-character
// API, and paths as cmd and PowerShell read them.
#include "system_output.h"

#include "text_encoding.h"

#include <windows.h>

#include <vector>

namespace report {

using win32ui::errorReason;
using win32ui::wide;

// Under the user's profile a file takes its permissions, which keep other
// users out, privately or not.
std::string writeFile(const std::string& path, std::string_view text, bool) {
    const HANDLE file = CreateFileW(wide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                    CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return errorReason(GetLastError());
    DWORD wrote = 0;
    const bool written =
        WriteFile(file, text.data(), DWORD(text.size()), &wrote, nullptr) && wrote == text.size();
    const DWORD error = GetLastError();
    const bool closed = CloseHandle(file);
    return written && closed ? std::string() : errorReason(written ? GetLastError() : error);
}

// Folders under the user's profile take its permissions, which keep other
// users out. The walk goes up to the first folder that exists, so that a
// drive or a share's root is never made.
std::string makeFolders(const std::string& path) {
    std::vector<std::string> missing;
    for (std::size_t end = path.find_last_of("\\/"); end != std::string::npos && end > 0;
         end = path.find_last_of("\\/", end - 1)) {
        const std::string folder = path.substr(0, end);
        if (GetFileAttributesW(wide(folder).c_str()) != INVALID_FILE_ATTRIBUTES)
            break;
        missing.push_back(folder);
    }
    for (auto folder = missing.rbegin(); folder != missing.rend(); ++folder)
        if (!CreateDirectoryW(wide(*folder).c_str(), nullptr) &&
            GetLastError() != ERROR_ALREADY_EXISTS)
            return "cannot make the folder " + *folder + ": " + errorReason(GetLastError());
    return {};
}

// A path holds no double quote on Windows, so quotes keep any of it together.
bool fileMissing(const std::string& path) {
    if (GetFileAttributesW(wide(path).c_str()) != INVALID_FILE_ATTRIBUTES)
        return false;
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

std::string commandWord(const std::string& path) {
    if (!path.empty() && path.find_first_of(" \t&()[]{}^=;!'+,`~%$@#") == std::string::npos)
        return path;
    return "\"" + path + "\"";
}

} // namespace report
