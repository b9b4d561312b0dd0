// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace journal {

// A journal's file as the operating system keeps it: the calls that differ
// from one system to another, each system's in one file of its own folder
// (posix/, win32/), which the build chooses. A refusal or a failure to open is
// a JournalError naming the path; later failures come back as a reason.
class SystemFile {
public:
    // For a game: opens path to read and to append, making it and the missing
    // directories above it, for the player alone, when there is none. Refuses
    // anything but a regular file, and takes the lock that keeps a second game
    // out ("another running game holds it"), which dies with its holder.
    static SystemFile forGame(const std::string& path);
    // For a report: reads, taking no lock and making nothing.
    static SystemFile forReading(const std::string& path);

    SystemFile(SystemFile&& other) noexcept;
    SystemFile& operator=(SystemFile&& other) noexcept;
    // Closes the file, if close() was not called.
    ~SystemFile();

    const std::string& path() const { return path_; }
    // Reads up to size bytes from offset into buffer; 0 at the end. A failure
    // is a JournalError.
    std::size_t readAt(char* buffer, std::size_t size, std::uint64_t offset) const;
    // Writes text at the end of the file with one call, whatever else writes
    // there. Returns how many bytes went, or -1 with the reason.
    std::int64_t append(std::string_view text, std::string& reason);
    // Empties the file; false when it cannot.
    bool truncate();
    // Brings what was written to stable storage: the reason it failed, or
    // nothing. Another thread may call it while this one appends.
    std::string sync();
    // Closes the file, releasing its lock: the reason it failed, or nothing.
    std::string close();

private:
    SystemFile(std::string path, std::intptr_t handle) : path_(std::move(path)), handle_(handle) {}

    std::string path_;
    std::intptr_t handle_; // the system's own: a descriptor or a handle; closed is -1
};

} // namespace journal
