// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A report's output on Linux: new files of mode 0600 for the player alone or
// as the umask leaves them, folders of mode 0700, and paths as a POSIX shell
// reads them.
#include "system_output.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace report {

std::string writeFile(const std::string& path, std::string_view text, bool privately) {
    const int fd =
        ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, privately ? 0600 : 0666);
    if (fd < 0)
        return std::strerror(errno);
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t wrote = ::write(fd, text.data() + done, text.size() - done);
        if (wrote < 0 && errno != EINTR) {
            const int error = errno;
            ::close(fd);
            return std::strerror(error);
        }
        done += wrote > 0 ? std::size_t(wrote) : 0;
    }
    return ::close(fd) == 0 ? std::string() : std::strerror(errno);
}

std::string makeFolders(const std::string& path) {
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1))
        if (::mkdir(path.substr(0, slash).c_str(), 0700) != 0 && errno != EEXIST)
            return "cannot make the directory " + path.substr(0, slash) + ": " +
                   std::strerror(errno);
    return {};
}

bool fileMissing(const std::string& path) {
    struct stat status;
    return ::stat(path.c_str(), &status) != 0 && (errno == ENOENT || errno == ENOTDIR);
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
