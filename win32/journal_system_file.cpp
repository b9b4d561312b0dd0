// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A journal's file on Windows: a handle from CreateFileW that may read and
// append but not write elsewhere, a lock that LockFileEx takes and the system
// drops with its holder, and FlushFileBuffers. Paths are UTF-8 in the portable code and go
// to the wide-character API as UTF-16.
#include "system_file.h"

#include "journal_error.h"
#include "text_encoding.h"

#include <windows.h>

#include <vector>

namespace journal {

namespace {

using win32ui::errorReason;
using win32ui::wide;

// A byte far beyond the end of any journal, which is what a game locks: a
// lock on Windows also keeps other handles from reading what it covers, and a
// report may read the journal while a game plays.
constexpr DWORD lockOffsetHigh = 0x40000000;

HANDLE handleOf(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

// Closes the handle unless released, so that every refusal closes what it opened.
struct HandleGuard {
    HANDLE handle;
    ~HandleGuard() {
        if (handle != INVALID_HANDLE_VALUE)
            CloseHandle(handle);
    }
    std::intptr_t release() {
        return reinterpret_cast<std::intptr_t>(std::exchange(handle, INVALID_HANDLE_VALUE));
    }
};

bool isDirectory(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(wide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Makes each missing directory above path, from the deepest that exists, so
// that a drive, a share (\\server\share) or a long path's \\?\ is never made.
// Under the user's profile they take its permissions, which keep other users out.
void makeParents(const std::string& path) {
    std::vector<std::string> missing;
    for (std::size_t at = path.find_last_of("\\/"); at != std::string::npos && at > 0;
         at = path.find_last_of("\\/", at - 1)) {
        std::string directory = path.substr(0, at);
        if (isDirectory(directory))
            break;
        missing.push_back(std::move(directory));
    }
    for (auto directory = missing.rbegin(); directory != missing.rend(); ++directory)
        if (!CreateDirectoryW(wide(*directory).c_str(), nullptr) &&
            GetLastError() != ERROR_ALREADY_EXISTS)
            throw JournalError(path, 0,
                               "cannot make the directory " + *directory + ": " +
                                   errorReason(GetLastError()));
}

// Refuses by name what is no file: a directory, which opening fails on with a
// reason that does not say so, and a name that Windows takes for a device
// (NUL, CON, COM1 and the like, in some versions also with an extension or
// in any folder), whose full path Windows gives as \\.\NAME.
void refuseByName(const std::string& path) {
    if (isDirectory(path))
        throw JournalError(path, 0, "is a directory");
    const std::wstring name = wide(path);
    std::wstring full(GetFullPathNameW(name.c_str(), 0, nullptr, nullptr), L'\0');
    full.resize(GetFullPathNameW(name.c_str(), DWORD(full.size()), full.data(), nullptr));
    if (full.starts_with(L"\\\\.\\"))
        throw JournalError(path, 0, "not a regular file");
}

// Refuses anything but a file on a disk: a console, a pipe, a device.
void checkRegular(HANDLE handle, const std::string& path) {
    if (GetFileType(handle) != FILE_TYPE_DISK)
        throw JournalError(path, 0, "not a regular file");
}

constexpr DWORD shareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

} // namespace

SystemFile SystemFile::forGame(const std::string& path) {
    refuseByName(path);
    const std::wstring name = wide(path);
    // Without FILE_WRITE_DATA every write goes to the end of the file, whatever
    // else wrote there, as O_APPEND does on POSIX; under Wine it is also a
    // seventh of the cost of a write at the offset that means the end. Append
    // access is enough for FlushFileBuffers (NtFlushBuffersFileEx refuses a
    // handle with "neither write nor append access").
    constexpr DWORD access = GENERIC_READ | FILE_APPEND_DATA;
    HandleGuard file{CreateFileW(name.c_str(), access, shareAll, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (file.handle == INVALID_HANDLE_VALUE &&
        (GetLastError() == ERROR_FILE_NOT_FOUND || GetLastError() == ERROR_PATH_NOT_FOUND)) {
        makeParents(path);
        file.handle = CreateFileW(name.c_str(), access, shareAll, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file.handle == INVALID_HANDLE_VALUE && GetLastError() == ERROR_FILE_EXISTS)
            file.handle = CreateFileW(name.c_str(), access, shareAll, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    if (file.handle == INVALID_HANDLE_VALUE)
        throw JournalError(path, 0, errorReason(GetLastError()));
    checkRegular(file.handle, path);
    // Windows refuses to open a file marked read-only for writing, even for
    // an administrator; Wine lets root do it, so the mark is checked here too.
    BY_HANDLE_FILE_INFORMATION information{};
    if (GetFileInformationByHandle(file.handle, &information) &&
        (information.dwFileAttributes & FILE_ATTRIBUTE_READONLY))
        throw JournalError(path, 0, errorReason(ERROR_ACCESS_DENIED));
    OVERLAPPED at{};
    at.OffsetHigh = lockOffsetHigh;
    if (!LockFileEx(file.handle, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at))
        throw JournalError(path, 0,
                           GetLastError() == ERROR_LOCK_VIOLATION
                               ? "another running game holds it"
                               : "cannot lock it: " + errorReason(GetLastError()));
    return {path, file.release()};
}

SystemFile SystemFile::forReading(const std::string& path) {
    refuseByName(path);
    HandleGuard file{CreateFileW(wide(path).c_str(), GENERIC_READ, shareAll, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (file.handle == INVALID_HANDLE_VALUE)
        throw JournalError(path, 0, errorReason(GetLastError()));
    checkRegular(file.handle, path);
    return {path, file.release()};
}

std::size_t SystemFile::readAt(char* buffer, std::size_t size, std::uint64_t offset) const {
    OVERLAPPED at{};
    at.Offset = DWORD(offset);
    at.OffsetHigh = DWORD(offset >> 32);
    DWORD got = 0;
    if (!ReadFile(handleOf(handle_), buffer, DWORD(size), &got, &at) &&
        GetLastError() != ERROR_HANDLE_EOF)
        throw JournalError(path_, 0, "cannot read it: " + errorReason(GetLastError()));
    return got;
}

std::int64_t SystemFile::append(std::string_view text, std::string& reason) {
    DWORD wrote = 0;
    if (!WriteFile(handleOf(handle_), text.data(), DWORD(text.size()), &wrote, nullptr)) {
        reason = errorReason(GetLastError());
        // A disk that fills up part way writes part of the row.
        return wrote > 0 ? std::int64_t(wrote) : -1;
    }
    return wrote;
}

bool SystemFile::truncate() {
    // Nothing to do for an empty file, which Wine would refuse to set to its
    // size on a full disk.
    LARGE_INTEGER size{};
    if (GetFileSizeEx(handleOf(handle_), &size) && size.QuadPart == 0)
        return true;
    // A handle that only appends cannot shorten the file: one more, for writing, can.
    const HandleGuard writer{ReOpenFile(handleOf(handle_), GENERIC_WRITE, shareAll, 0)};
    FILE_END_OF_FILE_INFO start{};
    return writer.handle != INVALID_HANDLE_VALUE &&
           SetFileInformationByHandle(writer.handle, FileEndOfFileInfo, &start, sizeof start);
}

std::string SystemFile::sync() {
    return FlushFileBuffers(handleOf(handle_)) ? std::string() : errorReason(GetLastError());
}

std::string SystemFile::close() {
    if (handle_ == -1)
        return {};
    return CloseHandle(handleOf(std::exchange(handle_, -1))) ? std::string()
                                                             : errorReason(GetLastError());
}

} // namespace journal
