// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "journal_file.h"

#include "journal_error.h"
#include "utc_time.h"

#include <algorithm>
#include <system_error>
#include <utility>

namespace journal {

Journal::Journal(std::string path, const RowCallback& eachRow) : file_(SystemFile::forGame(path)) {
    Scan found = scan(file_, eachRow);
    if (found.empty) {
        const std::string header = std::string(standardHeader) + "\r\n";
        std::string reason;
        const std::int64_t wrote = file_.append(header, reason);
        if (wrote != std::int64_t(header.size())) {
            if (wrote >= 0)
                reason = "a short write";
            // Empty again, as it was.
            if (!file_.truncate())
                reason += ", and it could not be emptied again";
            throw JournalError(file_.path(), 0, "cannot write the header: " + reason);
        }
        found.end = "\r\n";
    }
    if (found.tally.lastGame >= largestGame)
        throw JournalError(file_.path(), 0,
                           "its last game is " + std::to_string(largestGame) +
                               ", the largest game number a journal holds; name a new journal "
                               "to play on");
    tally_ = std::move(found.tally);
    format_ = std::move(found.format);
    end_ = std::move(found.end);
    game_ = tally_.lastGame + 1;
    try {
        sync_ = std::make_unique<BackgroundSync>(file_);
    } catch (const std::system_error& error) {
        throw JournalError(file_.path(), 0,
                           std::string("cannot start its sync thread: ") + error.what());
    }
    if (found.empty)
        sync_->request();
}

Journal::~Journal() {
    if (open_)
        sync_->stop();
}

void Journal::append(const Guess& guess) {
    const std::string& path = file_.path();
    if (!open_)
        throw JournalError(path, 0, "cannot add a row: the journal is closed");
    if (guess.colour < 1 || guess.colour > 6 || guess.secret < 0 || guess.secret > 6 ||
        !timeInRange(guess.time))
        throw JournalError(path, 0, "cannot add a row: a colour or the time out of range");
    if (const std::string error = sync_->takeError(); !error.empty())
        throw JournalError(path, 0, "cannot bring rows to the disk: " + error);
    const Row row{guess.time,   game_,       guess.colour,
                  guess.secret, guess.blind, guess.colour == guess.secret};
    // After a torn row, the line break that seals it goes in the same write.
    text_.assign(breakBeforeRow(end_));
    format_.write(row, text_);
    std::string reason;
    const std::int64_t wrote = file_.append(text_, reason);
    if (wrote > 0) {
        end_.append(text_, 0, std::size_t(wrote));
        end_.erase(0, end_.size() - std::min<std::size_t>(end_.size(), 2));
    }
    if (wrote != std::int64_t(text_.size()))
        throw JournalError(path, 0,
                           "cannot add a row: " + (wrote < 0
                                                       ? reason
                                                       : "a short write (" + std::to_string(wrote) +
                                                             " of " + std::to_string(text_.size()) +
                                                             " bytes), the disk may be full"));
    sync_->request();
}

void Journal::close() {
    if (!open_)
        return;
    open_ = false;
    const std::string syncError = sync_->stop();
    const std::string closeError = file_.close();
    if (!syncError.empty())
        throw JournalError(file_.path(), 0, "cannot bring rows to the disk: " + syncError);
    if (!closeError.empty())
        throw JournalError(file_.path(), 0, "cannot close it: " + closeError);
}

Tally scanJournal(const std::string& path, const RowCallback& eachRow) {
    return scan(SystemFile::forReading(path), eachRow).tally;
}

} // namespace journal
