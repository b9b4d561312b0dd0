// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A report's output on Linux: files through stdio, folders of mode 0700, and
// paths as a POSIX shell reads them.
#include "system_output.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace report {

std::string writeFile(const std::string& path, std::string_view text) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    bool written = file != nullptr && std::fwrite(text.data(), 1, text.size(), file) == text.size();
    int error = errno;
    if (file != nullptr && std::fclose(file) != 0 && written) {
        written = false;
        error = errno;
    }
    return written ? std::string() : std::strerror(error);
}

std::string makeFolders(const std::string& path) {
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1))
        if (::mkdir(path.substr(0, slash).c_str(), 0700) != 0 && errno != EEXIST)
            return "cannot make the directory " + path.substr(0, slash) + ": " +
                   std::strerror(errno);
    return {};
}

std::string commandWord(const std::string& path) {
    if (!path.empty() &&
        path.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
                               "0123456789_@%+=:,./-") == std::string::npos)
        return path;
    std::string word = "'";
    for (const char c : path)
        word += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return word + "'";
}

} // namespace report
