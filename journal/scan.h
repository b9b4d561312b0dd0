// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "row_format.h"
#include "system_file.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace journal {

// What a journal holds, counted in one pass.
struct Tally {
    std::int64_t rows = 0;
    std::int64_t games = 0;    // distinct game numbers
    std::int64_t lastGame = 0; // 0 when there is no row
    std::int64_t blindGuesses = 0;
    std::int64_t rightBlindGuesses = 0;
    std::optional<std::int64_t> firstTime; // of the first row, as Row::time
    std::int64_t tornRows = 0;             // skipped, never counted above
    std::vector<std::int64_t> tornLines;   // the line numbers of the first maxTornLines of them
    // Rows that end in NUL bytes, which a filesystem can leave where a power
    // cut lost a row's last bytes: torn rows, counted apart.
    std::int64_t zeroedRows = 0;
    std::vector<std::int64_t> zeroedLines; // the line numbers of the first maxTornLines of them
};

inline constexpr std::size_t maxTornLines = 100;

using RowCallback = std::function<void(const Row&)>;

// A journal file as one scan finds it.
struct Scan {
    Tally tally;
    RowFormat format;
    bool empty = true; // not even a header
    std::string end;   // the file's last two bytes, fewer when it has fewer
};

// Reads the whole of the file from its start, in a fixed buffer, calling
// eachRow (if any) for every good row in order. A file that is not a journal,
// or a bad row, is a JournalError naming its path.
Scan scan(const SystemFile& file, const RowCallback& eachRow);

// What a writer puts before its next row in a file that ends in `end` (its last
// two bytes): nothing after a line break; else the CR CR LF, less the CRs a
// crash left of it, that ends the torn last line so that it reads as torn for good.
std::string_view breakBeforeRow(std::string_view end);

} // namespace journal
