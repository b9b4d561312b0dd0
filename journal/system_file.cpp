// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What a journal's file does alike on every system; the rest is in posix/ and win32/.
#include "system_file.h"

namespace journal {

SystemFile::SystemFile(SystemFile&& other) noexcept
    : path_(std::move(other.path_)), handle_(std::exchange(other.handle_, -1)) {}

SystemFile& SystemFile::operator=(SystemFile&& other) noexcept {
    if (this != &other) {
        close();
        path_ = std::move(other.path_);
        handle_ = std::exchange(other.handle_, -1);
    }
    return *this;
}

SystemFile::~SystemFile() { close(); }

} // namespace journal
