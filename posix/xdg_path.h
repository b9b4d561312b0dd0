// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

namespace journal {

// The journal's default place on a POSIX desktop:
// $XDG_STATE_HOME/tavelquin/journal.csv, with the XDG Base Directory rules'
// $HOME/.local/state when XDG_STATE_HOME is unset, empty or relative. Either
// argument may be null (unset); no absolute HOME to fall back on is a JournalError.
std::string xdgJournalPath(const char* stateHome, const char* home);

} // namespace journal
