// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

namespace journal {

// Where the journal is kept unless the player names a file: the system's place
// for a user's state that outlives a run (posix/, win32/). No such place is a
// JournalError.
std::string defaultPath();

// The default place as the help names it to a player of this system:
// "$XDG_STATE_HOME/tavelquin/journal.csv".
std::string defaultPlace();

} // namespace journal
