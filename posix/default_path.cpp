// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "default_path.h"

#include "journal_error.h"
#include "xdg_path.h"

#include <cstdlib>

namespace journal {

std::string xdgJournalPath(const char* stateHome, const char* home) {
    constexpr const char* inside = "/tavelquin/journal.csv";
    if (stateHome != nullptr && stateHome[0] == '/')
        return stateHome + std::string(inside);
    if (home != nullptr && home[0] == '/')
        return home + std::string("/.local/state") + inside;
    throw JournalError("", 0,
                       "HOME is not an absolute path, and XDG_STATE_HOME is not one either, so "
                       "there is no place for the journal");
}

std::string defaultPath() {
    return xdgJournalPath(std::getenv("XDG_STATE_HOME"), std::getenv("HOME"));
}

std::string defaultPlace() { return "$XDG_STATE_HOME/tavelquin/journal.csv"; }

} // namespace journal
