// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A journal's file on a POSIX system: a descriptor opened with O_APPEND,
// locked with flock, read with pread and synced with fdatasync.
#include "system_file.h"

#include "journal_error.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace journal {

namespace {

// Non-blocking, so that opening a FIFO or a device cannot hang before fstat
// refuses it; the flag goes once it has.
constexpr int openFlags = O_CLOEXEC | O_NOCTTY | O_NONBLOCK;

// The system's reason for errno value `error`, starting in lower case when it is English.
std::string errnoReason(int error) {
    std::string reason = std::strerror(error);
    if (reason.size() > 1 && reason[0] >= 'A' && reason[0] <= 'Z' && reason[1] >= 'a' &&
        reason[1] <= 'z')
        reason[0] = static_cast<char>(reason[0] - 'A' + 'a');
    return reason;
}

// Closes fd unless released, so that every refusal closes what it opened.
struct FileGuard {
    int fd;
    ~FileGuard() {
        if (fd >= 0)
            ::close(fd);
    }
    int release() { return std::exchange(fd, -1); }
};

// The directory that holds path's last name.
std::string parentOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

// Brings a new name in directory to stable storage, as the rows in its file will be.
void syncDirectory(const std::string& directory, const std::string& path) {
    FileGuard guard{::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
    if (guard.fd < 0 || ::fsync(guard.fd) != 0)
        throw JournalError(path, 0,
                           "cannot sync the directory " + directory + ": " + errnoReason(errno));
}

// Makes each missing directory above path, 0700 as state only its player reads.
void makeParents(const std::string& path) {
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1)) {
        const std::string directory = path.substr(0, slash);
        if (::mkdir(directory.c_str(), 0700) == 0)
            syncDirectory(parentOf(directory), path);
        else if (errno != EEXIST)
            throw JournalError(
                path, 0, "cannot make the directory " + directory + ": " + errnoReason(errno));
    }
}

// Refuses anything but a regular file, then lets reads and writes block again.
void checkRegular(int fd, const std::string& path) {
    struct stat status {};
    if (::fstat(fd, &status) != 0)
        throw JournalError(path, 0, errnoReason(errno));
    if (S_ISDIR(status.st_mode))
        throw JournalError(path, 0, "is a directory");
    if (!S_ISREG(status.st_mode))
        throw JournalError(path, 0, "not a regular file");
    if (::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0)
        throw JournalError(path, 0, errnoReason(errno));
}

} // namespace

SystemFile SystemFile::forGame(const std::string& path) {
    constexpr int readWrite = O_RDWR | O_APPEND | openFlags;
    FileGuard file{::open(path.c_str(), readWrite)};
    if (file.fd < 0 && errno == ENOENT) {
        makeParents(path);
        file.fd = ::open(path.c_str(), readWrite | O_CREAT | O_EXCL, 0600);
        if (file.fd >= 0)
            syncDirectory(parentOf(path), path);
        else if (errno == EEXIST) // another game made it first
            file.fd = ::open(path.c_str(), readWrite);
    }
    if (file.fd < 0)
        throw JournalError(path, 0, errnoReason(errno));
    checkRegular(file.fd, path);
    if (::flock(file.fd, LOCK_EX | LOCK_NB) != 0)
        throw JournalError(path, 0,
                           errno == EWOULDBLOCK ? "another running game holds it"
                                                : "cannot lock it: " + errnoReason(errno));
    return {path, file.release()};
}

SystemFile SystemFile::forReading(const std::string& path) {
    FileGuard file{::open(path.c_str(), O_RDONLY | openFlags)};
    if (file.fd < 0)
        throw JournalError(path, 0, errnoReason(errno));
    checkRegular(file.fd, path);
    return {path, file.release()};
}

std::size_t SystemFile::readAt(char* buffer, std::size_t size, std::uint64_t offset) const {
    for (;;) {
        const ssize_t got = ::pread(int(handle_), buffer, size, off_t(offset));
        if (got >= 0)
            return std::size_t(got);
        if (errno != EINTR)
            throw JournalError(path_, 0, "cannot read it: " + errnoReason(errno));
    }
}

std::int64_t SystemFile::append(std::string_view text, std::string& reason) {
    ssize_t wrote;
    do
        wrote = ::write(int(handle_), text.data(), text.size());
    while (wrote < 0 && errno == EINTR);
    if (wrote < 0)
        reason = errnoReason(errno);
    return wrote;
}

bool SystemFile::truncate() { return ::ftruncate(int(handle_), 0) == 0; }

std::string SystemFile::sync() {
    int result;
    do
        result = ::fdatasync(int(handle_));
    while (result != 0 && errno == EINTR);
    return result == 0 ? std::string() : errnoReason(errno);
}

std::string SystemFile::close() {
    if (handle_ < 0)
        return {};
    const int result = ::close(int(std::exchange(handle_, -1)));
    return result == 0 ? std::string() : errnoReason(errno);
}

} // namespace journal
