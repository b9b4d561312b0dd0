// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "journal_error.h"
#include "journal_file.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <system_error>

// What the journal's tests share: on every system (journal_test.cpp) and on
// one (journal_posix_test.cpp, journal_win32_test.cpp).
namespace journal_fixture {

namespace fs = std::filesystem;

inline const std::string header = "time,game,guess,secret,blind,right\r\n";
// The row of journal::Guess{1796700845123, 1, 0, false} in game 1.
inline const std::string row1 = "2026-12-08T03:34:05.123Z,1,red,,0,0\r\n";

// A path as the journal takes it: UTF-8, on Windows too.
inline std::string utf8(const fs::path& path) {
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
}

// A new directory in the system's place for temporary files, removed with all it holds.
struct Scratch {
    Scratch() {
        std::random_device random;
        do
            dir =
                fs::temp_directory_path() / ("tavelquin-journal-test." + std::to_string(random()));
        while (!fs::create_directory(dir));
    }
    ~Scratch() {
        std::error_code ignored;
        fs::remove_all(dir, ignored);
    }
    fs::path dir;
};

inline std::string contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

inline std::string summary(const journal::Tally& tally, const std::string& rows) {
    std::string text = std::to_string(tally.rows) + " rows, " + std::to_string(tally.games) +
                       " games to " + std::to_string(tally.lastGame) + ", " +
                       std::to_string(tally.rightBlindGuesses) + " of " +
                       std::to_string(tally.blindGuesses) + " blind right, torn:";
    for (std::int64_t line : tally.tornLines)
        text += " " + std::to_string(line);
    for (std::int64_t line : tally.zeroedLines)
        text += " " + std::to_string(line) + "(NUL)";
    return text + rows;
}

// What opening path for play finds: a summary of the tally and of each row,
// or the refusal without its "journal PATH: ".
inline std::string opened(const std::string& path) {
    std::string rows;
    try {
        // Each of the first three rows: time, game, then guess, secret, blind and right.
        journal::Journal journal(path, [&rows](const journal::Row& row) {
            if (std::count(rows.begin(), rows.end(), '|') < 3)
                rows += " | " + std::to_string(row.time) + " " + std::to_string(row.game) + " " +
                        std::to_string(row.guess) + std::to_string(row.secret) +
                        std::to_string(row.blind) + std::to_string(row.right);
        });
        return summary(journal.tally(), rows);
    } catch (const journal::JournalError& error) {
        const std::string message = error.what(), named = "journal " + path + ": ";
        return message.starts_with(named) ? message.substr(named.size()) : message;
    }
}

// Why the system refuses a journal that the player may only read, or empty
// when the tests run with the right to write any file (root on Linux).
std::string readOnlyRefusal();

} // namespace journal_fixture
