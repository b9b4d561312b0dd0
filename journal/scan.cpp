// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "scan.h"

#include "journal_error.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>

namespace journal {

namespace {

// Large enough for any line a journal holds; a longer one is refused.
constexpr std::size_t bufferSize = 64 * 1024;

// What a spreadsheet's "CSV UTF-8" puts at the start of the file; it is read past.
constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";

// The length of the UTF-8 sequence that starts text (at least 2 bytes long
// from its lead byte on), or 0 when it is not valid UTF-8.
std::size_t sequenceLength(const unsigned char* text, std::size_t left) {
    const unsigned char lead = text[0];
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF; // the range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;  // no overlong forms
        high = lead == 0xED ? 0x9F : 0xBF; // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF; // nothing above U+10FFFF
    }
    if (length == 0 || left < length || text[1] < low || text[1] > high)
        return 0;
    for (std::size_t i = 2; i < length; ++i)
        if (text[i] < 0x80 || text[i] > 0xBF)
            return 0;
    return length;
}

// Whether eight bytes are all printable ASCII, 0x20 to 0x7E.
bool printable(std::uint64_t bytes) {
    constexpr std::uint64_t ones = 0x0101010101010101, highs = 0x8080808080808080;
    const std::uint64_t belowSpace = bytes - 0x20 * ones;
    const std::uint64_t isDelete = (bytes ^ 0x7F * ones) - ones;
    return ((bytes | belowSpace | (isDelete & ~(bytes ^ 0x7F * ones))) & highs) == 0;
}

// Why a line is not text a journal can hold (control bytes other than TAB and
// CR, or invalid UTF-8); empty when it is.
std::string notText(std::string_view line) {
    const auto* text = reinterpret_cast<const unsigned char*>(line.data());
    std::size_t i = 0;
    for (std::uint64_t bytes; i + 8 <= line.size(); i += 8) {
        std::memcpy(&bytes, text + i, 8);
        if (!printable(bytes))
            break;
    }
    while (i < line.size()) {
        const unsigned char c = text[i];
        if (c >= 0x20 && c < 0x7F) {
            ++i;
        } else if (c < 0x80) {
            if (c != '\t' && c != '\r') {
                char hex[8];
                std::snprintf(hex, sizeof hex, "0x%02X", c);
                return std::string("not a journal: binary data (a byte ") + hex + ")";
            }
            ++i;
        } else if (std::size_t length = sequenceLength(text + i, line.size() - i)) {
            i += length;
        } else
            return "not a journal: invalid UTF-8";
    }
    return {};
}

} // namespace

std::string_view breakBeforeRow(std::string_view end) {
    if (end.empty() || end.ends_with('\n'))
        return "";
    if (end.ends_with("\r\r"))
        return "\n";
    return end.ends_with('\r') ? "\r\n" : "\r\r\n";
}

Scan scan(const SystemFile& file, const RowCallback& eachRow) {
    const std::string& path = file.path();
    Scan result;
    Tally& tally = result.tally;
    const auto buffer = std::make_unique<char[]>(bufferSize);
    std::size_t held = 0;     // bytes in buffer not yet taken as lines
    std::uint64_t offset = 0; // of the next read
    std::int64_t line = 0;    // number of the last line taken
    Row row;
    std::string reason;
    // Takes one line, its LF (if any) aside.
    auto take = [&](std::string_view text, bool ended) {
        ++line;
        // A whole line break is LF or CR LF. A crash may leave only the CR of
        // it, or none, and the writer then seals the line with CR CR LF (see
        // breakBeforeRow), of which a crash may leave one or two CRs.
        bool whole = ended;
        if (text.ends_with('\r'))
            text.remove_suffix(1);
        if (!ended || text.ends_with('\r')) {
            whole = false;
            if (text.ends_with('\r'))
                text.remove_suffix(1);
        }
        // NUL bytes where a torn row ends are what a power cut leaves of its
        // lost bytes; the CR before them is what was left of its line break.
        bool zeroed = false;
        if (!whole && line > 1 && text.ends_with('\0')) {
            zeroed = true;
            text = text.substr(0, text.find_last_not_of('\0') + 1); // npos + 1 is 0
            if (text.ends_with('\r'))
                text.remove_suffix(1);
        }
        if (line == 1 && text.starts_with(byteOrderMark))
            text.remove_prefix(byteOrderMark.size());
        if (std::string why = notText(text); !why.empty())
            throw JournalError(path, line, why);
        if (line == 1) {
            std::optional<RowFormat> format = RowFormat::fromHeader(text, reason);
            if (!format)
                throw JournalError(path, line, reason);
            result.format = std::move(*format);
            return;
        }
        switch (result.format.read(text, whole, tally.lastGame, row, reason)) {
        case LineKind::good:
            ++tally.rows;
            if (row.game != tally.lastGame) {
                ++tally.games;
                tally.lastGame = row.game;
            }
            if (row.blind) {
                ++tally.blindGuesses;
                tally.rightBlindGuesses += row.right ? 1 : 0;
            }
            if (!tally.firstTime)
                tally.firstTime = row.time;
            if (eachRow)
                eachRow(row);
            break;
        case LineKind::torn: {
            std::int64_t& count = zeroed ? tally.zeroedRows : tally.tornRows;
            std::vector<std::int64_t>& lines = zeroed ? tally.zeroedLines : tally.tornLines;
            ++count;
            if (lines.size() < maxTornLines)
                lines.push_back(line);
            break;
        }
        case LineKind::bad:
            throw JournalError(path, line, reason);
        }
    };
    for (;;) {
        const std::size_t got = file.readAt(buffer.get() + held, bufferSize - held, offset);
        if (got > 0) {
            result.empty = false;
            // When the buffer holds one byte, a line break or nothing came before it.
            const std::size_t last = std::min<std::size_t>(held + got, 2);
            result.end.assign(buffer.get() + held + got - last, last);
        }
        offset += got;
        held += got;
        const char* start = buffer.get();
        const char* const end = start + held;
        while (const auto* lf = static_cast<const char*>(std::memchr(start, '\n', end - start))) {
            take(std::string_view(start, lf), true);
            start = lf + 1;
        }
        held = static_cast<std::size_t>(end - start);
        if (got == 0) {
            if (held > 0)
                take(std::string_view(start, held), false);
            return result;
        }
        if (held == bufferSize) {
            // One of the NUL bytes that a power cut may leave, perhaps many
            // KiB of them, stands for them all.
            const char* zeros = end;
            while (zeros > start && zeros[-1] == '\0')
                --zeros;
            if (end - zeros < 2)
                throw JournalError(path, line + 1, "a line longer than 64 KiB");
            held = static_cast<std::size_t>(zeros - start) + 1;
        }
        std::memmove(buffer.get(), start, held);
    }
}

} // namespace journal
