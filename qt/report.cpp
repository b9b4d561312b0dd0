// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "report.h"

#include "chart_painter.h"
#include "hunch_chart.h"
#include "journal_error.h"
#include "journal_file.h"
#include "journal_page.h"
#include "journal_report.h"
#include "svg_writer.h"

#include <QGuiApplication>
#include <QImageWriter>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

namespace qtui {

namespace {

// Writes text to the file at path, which it makes or empties first.
bool writeFile(const std::string& path, const std::string& text, const char* what) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    bool written = file != nullptr && std::fwrite(text.data(), 1, text.size(), file) == text.size();
    int error = errno;
    if (file != nullptr && std::fclose(file) != 0 && written) {
        written = false;
        error = errno;
    }
    if (!written)
        std::fprintf(stderr, "tavelquin: cannot write the %s %s: %s\n", what, path.c_str(),
                     std::strerror(error));
    return written;
}

bool isSvg(std::string path) {
    std::transform(path.begin(), path.end(), path.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return path.ends_with(".svg");
}

// Draws the chart as SVG, or as a PNG image on Qt's offscreen platform, which
// needs no display, with no plugin that the environment names.
bool savePlot(const report::HunchChart& chart, const std::string& path) {
    if (isSvg(path))
        return writeFile(path, report::svgDocument(chart.scene, {chart.title, chart.description}),
                         "plot");
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qunsetenv("QT_QPA_GENERIC_PLUGINS");
    int argc = 1;
    char name[] = "tavelquin";
    char* argv[] = {name, nullptr};
    const QGuiApplication application(argc, argv);
    QImageWriter writer(QString::fromStdString(path), "png");
    if (writer.write(paintedScene(chart.scene)))
        return true;
    std::fprintf(stderr, "tavelquin: cannot write the plot %s: %s\n", path.c_str(),
                 qPrintable(writer.errorString()));
    return false;
}

// path as one word of a shell's command line.
std::string shellWord(const std::string& path) {
    if (!path.empty() &&
        path.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
                               "0123456789_@%+=:,./-") == std::string::npos)
        return path;
    std::string word = "'";
    for (const char c : path)
        word += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return word + "'";
}

} // namespace

int printReport(const std::string& path, bool named, const Options& options) {
    report::JournalReading journal;
    // A page tells a player with no journal yet how to start one, where the
    // report alone says that the file is missing.
    std::error_code error;
    const bool missing = options.page && std::filesystem::status(path, error).type() ==
                                             std::filesystem::file_type::not_found;
    if (!missing) {
        try {
            journal = report::readJournal(path);
        } catch (const journal::JournalError& error) {
            std::fprintf(stderr, "tavelquin: %s\n", error.what());
            return 1;
        }
    }
    if (const std::string note = report::tornRowsNote(path, journal.tally); !note.empty())
        std::fprintf(stderr, "tavelquin: %s\n", note.c_str());
    if (options.plot || options.page) {
        const report::HunchChart chart = report::hunchChart(journal.outcomes, journal.tally.games);
        if (options.plot && !savePlot(chart, *options.plot))
            return 1;
        const std::string journalOption = named ? "=" + shellWord(path) : "";
        if (options.page &&
            !writeFile(*options.page,
                       missing ? report::noJournalPage(path, "tavelquin --journal" + journalOption,
                                                       "tavelquin --report" + journalOption +
                                                           " --page=" + shellWord(*options.page))
                               : report::journalPage(path, journal.tally, chart, journal.draw),
                       "page"))
            return 1;
    }
    if (missing)
        std::printf("Journal:        %s, none yet: playing with --journal starts it\n",
                    path.c_str());
    else
        std::fputs(report::reportText(path, journal.tally, journal.draw).c_str(), stdout);
    if (options.plot)
        std::printf("Plot:           %s\n", options.plot->c_str());
    if (options.page)
        std::printf("Page:           %s\n", options.page->c_str());
    return 0;
}

} // namespace qtui
