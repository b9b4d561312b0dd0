// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The journal on every system: the files it reads, with torn rows skipped
// and written after; the files it refuses, each named with the line and the
// reason and left as it was; its lock, and a new one under a name beyond ASCII.
#include "journal_fixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace journal_fixture;
using namespace std::string_literals;

enum class Kind { file, directory, readOnly };

struct Case {
    std::string content;
    std::string expected;
    Kind kind = Kind::file;
};

TEST(Journal, ReadsGoodAndTornRowsAndRefusesBadFilesUnchanged) {
    std::string many = header;
    const std::string blue = " | 1796700845123 2 4411";
    for (int i = 0; i < 3000; ++i) // beyond one 64 KiB read
        many += "2026-12-08T03:34:05.123Z,2,blue,blue,1,1\r\n";
    // A journal whose one row, on line 2, is refused for this reason.
    auto bad = [](const std::string& row, const std::string& reason) {
        return Case{header + row + "\r\n", "line 2: " + reason};
    };
    auto badTime = [&bad](const std::string& time) {
        return bad(time + ",1,red,,0,0",
                   "the time \"" + time +
                       "\" is not a valid UTC time like 2026-12-08T03:34:05.123Z");
    };
    const std::string notGame =
        " is not a whole number from 1 to 99999999999999999 without leading zeros";
    const Case cases[] = {
        {header + row1 + "2026-12-08T03:34:06.000Z,1,\"blue\",blue,1,1\n" +
             "2028-02-29T23:59:59.999Z,4,orange,\"purple\",1,0\r\n",
         "3 rows, 2 games to 4, 1 of 2 blind right, torn: | 1796700845123 1 1000 | "
         "1796700846000 1 4411 | 1835481599999 4 6510"},
        {"\"note\",right,blind,secret,guess,game,time\r\n"
         "\"a \"\"quoted\"\", note\",0,1,green,yellow,7,2026-12-08T03:34:05.123Z\r\n"
         ",1,0,green,green,8,2026-12-08T03:34:05.124Z\r\n",
         "2 rows, 2 games to 8, 0 of 1 blind right, torn: | 1796700845123 7 2310 | "
         "1796700845124 8 3301"},
        {many, "3000 rows, 1 games to 2, 3000 of 3000 blind right, torn:" + blue + blue + blue},
        {"", "0 rows, 0 games to 0, 0 of 0 blind right, torn:"},
        {header + "2026-12-08T03:3\r\n" + row1 + "2026-12-08T03:34:06.000Z,1,gre",
         "1 rows, 1 games to 1, 0 of 0 blind right, torn: 2 4 | 1796700845123 1 1000"},
        {header + row1 + "2026-12-08T03:34:05.123Z,1,red,,1,0",
         "1 rows, 1 games to 1, 0 of 0 blind right, torn: 3 | 1796700845123 1 1000"},
        {header + "2026-12-08T03:34:05.123Z,1,red,,1,0\r\r\n" + row1,
         "1 rows, 1 games to 1, 0 of 0 blind right, torn: 2 | 1796700845123 1 1000"},
        {header + row1 + "\0\0\r\n"s + row1, "line 3: not a journal: binary data (a byte 0x00)"},
        // As a spreadsheet's "CSV UTF-8" starts.
        {"\xEF\xBB\xBF" + header + row1,
         "1 rows, 1 games to 1, 0 of 0 blind right, torn: | 1796700845123 1 1000"},
        {"time,game,guess,secret,blind\r\n",
         "line 1: not a journal: its header has no column \"right\""},
        {"time,game,guess,secret,blind,right,guess\r\n",
         "line 1: not a journal: its header has the column \"guess\" twice"},
        {header + row1 + "2026-12-08T03:34:05.123Z,1,red,\0,0,0\r\n"s + row1,
         "line 3: not a journal: binary data (a byte 0x00)"},
        bad("2026-12-08T03:34:05.123Z,1,red,\xED\xA0\x80,0,0", "not a journal: invalid UTF-8"),
        bad("2026-12-08T03:34:05.123Z,1,pink,,0,0", "the guess \"pink\" is not a colour"),
        bad("2026-12-08T03:34:05.123Z,1,red,Red,0,0", "the secret \"Red\" is not a colour"),
        bad("2026-12-08T03:34:05.123Z,1,red,blue,0,1",
            "right is 1 but the guess red is not the secret blue"),
        bad("2026-12-08T03:34:05.123Z,1,red,red,0,0", "right is 0 but the guess red is the secret"),
        bad("2026-12-08T03:34:05.123Z,1,red,,0,1", "right is 1 but no secret had been drawn"),
        bad("2026-12-08T03:34:05.123Z,1,red,,2,0", "blind is \"2\", not 0 or 1"),
        badTime("2027-02-29T03:34:05.123Z"),
        badTime("2026-12-08T24:00:00.000Z"),
        badTime("2026-12-08T03:60:05.123Z"),
        badTime("2026-12-08T03:34:60.123Z"),
        badTime("2026-12-08T03:34:05.123"),
        {header + "2026-12-08T03:34:05.123Z,5,red,,0,0\r\n" +
             "2026-12-08T03:34:05.123Z,3,red,,0,0\r\n",
         "line 3: game 3 comes after game 5, and game numbers never go back"},
        bad("2026-12-08T03:34:05.123Z,01,red,,0,0", "the game \"01\"" + notGame),
        bad("2026-12-08T03:34:05.123Z,0,red,,0,0", "the game \"0\"" + notGame),
        bad("2026-12-08T03:34:05.123Z,100000000000000000,red,,0,0",
            "the game \"100000000000000000\"" + notGame),
        // The regression test of a journal whose next game would be refused at the start after.
        {header + "2026-12-08T03:34:05.123Z,99999999999999999,red,,0,0\r\n",
         "its last game is 99999999999999999, the largest game number a journal holds; name a "
         "new journal to play on"},
        bad("2026-12-08T03:34:05.123Z,1,red,,0,0,,", "8 fields where the header has 6"),
        {header + "2026-12-08T03:34:05.123Z,1,\"red\"", "line 2: 3 fields where the header has 6"},
        bad("2026-12-08T03:34:05.123Z,1,\"red\r\n\",,0,0", "a line break inside a quoted field"),
        bad("2026-12-08T03:34:05.123Z,1,\"re\"d,,0,0", "text after the closing quote of a field"),
        {header, "is a directory", Kind::directory},
        {header, readOnlyRefusal(), Kind::readOnly},
    };
    Scratch scratch;
    int number = 0;
    for (const Case& test : cases) {
        const fs::path path = scratch.dir / std::to_string(++number);
        if (test.kind == Kind::directory) {
            fs::create_directory(path);
        } else {
            std::ofstream(path, std::ios::binary) << test.content;
            if (test.kind == Kind::readOnly) {
                if (test.expected.empty())
                    continue;
                fs::permissions(path, fs::perms::owner_write, fs::perm_options::remove);
            }
        }
        EXPECT_EQ(opened(utf8(path)), test.expected) << "case " << number;
        if (test.kind != Kind::directory) {
            EXPECT_EQ(contents(path), test.content.empty() ? header : test.content)
                << "case " << number;
        }
        // Windows deletes no read-only file.
        fs::permissions(path, fs::perms::owner_write, fs::perm_options::add);
    }

    // A torn last row stays skipped for good: the next row, in the file's own
    // column order, goes after as much of CR CR LF as the crash left out, the
    // line break that keeps it torn.
    const std::string before =
        "time,guess,game,secret,note,blind,right\r\n2026-12-08T03:34:05.123Z,red,1,,,0,0\r\n";
    const std::string whole = "2026-12-08T03:34:05.123Z,red,2,blue,,1,0";
    // Each tail, the line break written after it, and its line as summary() tells it.
    const std::string tails[][3] = {
        {"2026-12-08T03:34:05.123Z,red,2,bl", "\r\r\n", "3"},
        // The regression test of a row that lost only its line break and then counted.
        {whole, "\r\r\n", "3"},
        {whole + "\r\r", "\n", "3"},
        // What a power cut can leave: NUL bytes for the last bytes written.
        {whole + "\r" + std::string(100'000, '\0'), "\r\r\n", "3(NUL)"},
        {"2026-12-0" + std::string(9, '\0') + "\r", "\r\n", "3(NUL)"},
    };
    for (const auto& [tail, lineBreak, torn] : tails) {
        const std::string path = utf8(scratch.dir / std::to_string(++number));
        std::ofstream(path, std::ios::binary) << before + tail;
        {
            journal::Journal journal(path);
            journal.append({1835481599999, 5, 5, true});
            journal.close();
        }
        EXPECT_EQ(contents(path),
                  before + tail + lineBreak + "2028-02-29T23:59:59.999Z,purple,2,purple,,1,1\r\n")
            << "case " << number;
        EXPECT_EQ(summary(journal::scanJournal(path), ""),
                  "2 rows, 2 games to 2, 1 of 1 blind right, torn: " + torn)
            << "case " << number;
    }
}

// A new journal's directories are made as needed, under names beyond ASCII
// (Windows takes them through its wide-character calls); one game at a time
// holds it, while a report may read it; closing lets the next game in.
TEST(Journal, NewOneUnderANonAsciiNameLetsOneGameInAndReportsRead) {
    Scratch scratch;
    const fs::path made = scratch.dir / u8"Spielstände Ærø" / u8"日誌 ÿ.csv";
    const std::string path = utf8(made);
    journal::Journal first(path);
    first.append({1796700845123, 1, 0, false});
    EXPECT_EQ(opened(path), "another running game holds it");
    EXPECT_EQ(summary(journal::scanJournal(path), ""),
              "1 rows, 1 games to 1, 0 of 0 blind right, torn:");
    first.close();
    EXPECT_EQ(opened(path),
              "1 rows, 1 games to 1, 0 of 0 blind right, torn: | 1796700845123 1 1000");
    std::vector<fs::path> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(made.parent_path()))
        names.push_back(entry.path().filename());
    EXPECT_EQ(names, std::vector{made.filename()});
    EXPECT_EQ(contents(made), header + row1);
}

} // namespace
