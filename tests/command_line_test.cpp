// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game_options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> words(const std::string& line) {
    std::vector<std::string> split{"tavelquin"};
    for (std::size_t at = 0; at < line.size();) {
        const std::size_t end = std::min(line.find(' ', at), line.size());
        split.push_back(line.substr(at, end - at));
        at = end + 1;
    }
    return split;
}

// Each command line as the game's options and one of Qt's read it: what it
// asks for, or its usage error in the words Qt's own parser used, which users
// and the end-to-end tests know.
TEST(GameOptions, ReadAsQtsParserReadThem) {
    struct Row {
        std::string line, journal, report, plot, page, error;
    };
    const Row rows[] = {
        // journal, report and page as "-" when not given
        {"--journal", "", "-", "-", "-", ""},
        {"--journal=a.csv -journal=b.csv", "b.csv", "-", "-", "-", ""},
        {"--report=j.csv --page", "-", "j.csv", "-", "", ""},
        {"--report --plot p.svg --page=p.html", "-", "", "p.svg", "p.html", ""},
        {"-platform xcb --report", "-", "", "-", "-", ""},
        {"--version=1", "", "", "", "", "Unexpected value after '--version'."},
        {"-x --y", "", "", "", "", "Unknown options: x, y."},
        {"--help=no -platform", "", "", "", "", "Missing value after '-platform'."},
        {"--report --plot", "", "", "", "", "Missing value after '--plot'."},
        {"--page=p.html", "", "", "", "", "--page shows a report: it needs --report."},
        {"--report -- --version", "", "", "", "", "Unexpected argument '--version'."},
        {"- --journal", "", "", "", "", "Unexpected argument '-'."},
    };
    for (const Row& row : rows) {
        std::vector<cli::Option> table = cli::gameOptions();
        table.push_back({{"platform"}, cli::Takes::required, "value", ""});
        cli::OptionParser parser(table);
        cli::Options options;
        const auto answer = cli::readOptions(parser, words(row.line), {}, options);
        if (!row.error.empty()) {
            ASSERT_TRUE(answer) << row.line;
            EXPECT_EQ(answer->status, 2);
            EXPECT_EQ(answer->error, "tavelquin: " + row.error + " Try 'tavelquin --help'.\n");
            continue;
        }
        ASSERT_FALSE(answer) << row.line << ": " << answer->error;
        EXPECT_EQ(options.journal.value_or("-"), row.journal) << row.line;
        EXPECT_EQ(options.report.value_or("-"), row.report) << row.line;
        EXPECT_EQ(options.plot.value_or("-"), row.plot) << row.line;
        EXPECT_EQ(options.page.value_or("-"), row.page) << row.line;
    }
}

// The help's layout, as Qt's own parser printed it for the same table: names
// in a column one wider than the widest (at most 50), text wrapped to end by
// column 79 but a line after a break may take one character more, names too
// long for their column go on below, hidden options left out.
TEST(OptionParser, HelpLaidOutAsQtsParserLaidItOut) {
    const std::string x(60, 'x'), n(60, 'n'), column(53, ' ');
    const cli::OptionParser parser(
        {{{"a", "all"},
          cli::Takes::required,
          "FILE",
          "Short words that wrap at the end of their line, then go on for a while more."},
         {{"hidden"}, cli::Takes::nothing, "", ""},
         {{"b"}, cli::Takes::required, "N", x + " y"},
         {{n}, cli::Takes::nothing, "", "z"}});
    EXPECT_EQ(parser.helpText("prog", "Summary"),
              "Usage: prog [options]\nSummary\n\nOptions:\n"
              "  -a, --all <FILE>" +
                  std::string(35, ' ') + "Short words that wrap at\n" + column +
                  "the end of their line, then\n" + column +
                  "go on for a while more.\n"
                  "  -b <N>" +
                  std::string(45, ' ') + x.substr(0, 26) + "\n" + column + x.substr(0, 27) + "\n" +
                  column + x.substr(0, 7) + " y\n" + "  --" + n.substr(0, 48) + " z\n  " +
                  n.substr(0, 12) + "\n");
}

} // namespace
