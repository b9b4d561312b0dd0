// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "background_sync.h"
#include "row_format.h"
#include "scan.h"
#include "system_file.h"

#include <cstdint>
#include <memory>
#include <string>

namespace journal {

// One guess as the game saw it. Whether it was right follows: the colour is the secret.
struct Guess {
    std::int64_t time = 0; // milliseconds since 1970-01-01T00:00:00Z, in years 0000 to 9999
    int colour = 0;        // colour number 1 to 6
    int secret = 0;        // colour number 1 to 6, or 0 when nothing had been drawn yet
    bool blind = false;
};

// The journal of one start of the game: open and locked against other games
// until close(), every guess appended as one row at once and brought to stable
// storage soon after by a thread of its own.
class Journal {
public:
    // Opens the journal at path, creating it and its missing directories
    // (for the player alone) when there is none, takes its lock and scans it whole,
    // calling eachRow for every good row. Any refusal, of a journal whose last
    // game is largestGame too, is a JournalError and leaves the file as it was.
    explicit Journal(std::string path, const RowCallback& eachRow = {});
    // Closes it if close() was not called, telling no error.
    ~Journal();
    Journal(const Journal&) = delete;
    Journal& operator=(const Journal&) = delete;

    const std::string& path() const { return file_.path(); }
    // The journal as it was when opened.
    const Tally& tally() const { return tally_; }
    // The game number of this start's rows: one more than the journal's last.
    std::int64_t game() const { return game_; }

    // Writes the guess's row with one write() before returning. A failed write,
    // or a failed sync since the last append, is a JournalError.
    void append(const Guess& guess);
    // Stops the sync thread, syncs once more and closes the file, releasing
    // its lock; a failure of either sync or of the close is a JournalError.
    void close();
    // The syncs made so far by the thread.
    std::uint64_t syncs() { return sync_ ? sync_->syncs() : 0; }

private:
    SystemFile file_;
    bool open_ = true;
    Tally tally_;
    RowFormat format_;
    std::string end_; // the file's last two bytes, which say how the next row starts
    std::int64_t game_ = 1;
    std::string text_; // the row being written, kept for its capacity
    std::unique_ptr<BackgroundSync> sync_;
};

// Scans the journal at path read-only, taking no lock and creating nothing, as
// a report does while a game may be writing to it. An empty file is an empty journal.
Tally scanJournal(const std::string& path, const RowCallback& eachRow = {});

} // namespace journal
