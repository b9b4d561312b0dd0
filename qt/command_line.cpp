// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "command_line.h"
#include "network_listeners.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>

#include <cstdio>
#include <cstring>
#include <utility>

namespace qtui {
namespace {

// The options QApplication and its X11 and Wayland platforms read, with what
// each takes. They are hidden from --help and left in argv, where
// QApplication finds and removes them.
enum class Takes { nothing, value, file };
struct QtOption {
    const char* name;
    Takes takes;
};
constexpr QtOption qtOptions[] = {
    {"platform", Takes::value},
    {"platformpluginpath", Takes::value},
    {"platformtheme", Takes::value},
    {"plugin", Takes::value},
    {"qwindowgeometry", Takes::value},
    {"qwindowicon", Takes::file},
    {"qwindowtitle", Takes::value},
    {"session", Takes::value},
    {"style", Takes::value},
    {"stylesheet", Takes::file},
    {"display", Takes::value},
    {"geometry", Takes::value},
    {"title", Takes::value},
    {"icon", Takes::file},
    {"name", Takes::value},
    {"visual", Takes::value},
    {"reverse", Takes::nothing},
    {"widgetcount", Takes::nothing},
    {"nograb", Takes::nothing},
    {"dograb", Takes::nothing},
};

// Qt reads a style sheet, or the offscreen platform's configfile=, to its end,
// and opens an icon with no time limit: /dev/zero never ends, a FIFO blocks,
// a huge file fills the memory. So a file that exists must be a regular one of
// at most 1 MiB; Qt reports a missing one itself and goes on.
bool bounded(const QString& path) {
    const QFileInfo file(path);
    return !file.exists() || (file.isFile() && file.size() <= 1 << 20);
}

// What --version says after the version, as GNU programs do.
constexpr const char* licence = R"(Copyright 2026 The Tavelquin developers
License GPL-3.0-or-later: GNU GPL version 3 or later <https://gnu.org/licenses/gpl.html>.
This is free software: you are free to change and redistribute it.
There is NO WARRANTY, to the extent permitted by law.
)";

constexpr const char* afterHelp = R"(
Qt's own options, such as -platform NAME or -style NAME, work too; the file
of -stylesheet, -qwindowicon or -icon must be a regular one of at most 1 MiB.

Exit status: 0 when the game ends or after --help, --version or a report; 1
when no display could be opened, Qt stopped on a fatal error or lost the
display, a journal was refused or could not be written, a report could not
read its journal (but --page makes a page of a missing one) or write its
plot or page, a run-time error ended the game, or Qt's vnc platform or
tuiotouch plugin was asked for without --allow-network-listening; 2 for an
unknown option, an option without its value, --plot or --page without
--report, a stray argument, a file that is not a regular one of at most
1 MiB, or a faulty window description.
)";

int usageError(const QString& error) {
    std::fprintf(stderr, "tavelquin: %s Try 'tavelquin --help'.\n", qPrintable(error));
    return 2;
}

} // namespace

std::optional<int> handleCommandLine(int argc, char* argv[], Options& options) {
    QCommandLineParser parser;
    // Qt's options start with one dash, as in -platform xcb.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(QStringLiteral(TAVELQUIN_SUMMARY));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Shows this help and exits."));
    const QCommandLineOption version(QStringLiteral("version"),
                                     QStringLiteral("Shows the version and exits."));
    const QCommandLineOption allowListening(
        QStringLiteral("allow-network-listening"),
        QStringLiteral("Lets Qt's vnc platform or tuiotouch plugin listen on the network, where "
                       "anyone may connect, with no password."));
    const QCommandLineOption journal(
        QStringLiteral("journal"),
        QStringLiteral("Keeps every guess in a journal, so that the hunch meter goes on across "
                       "games: $XDG_STATE_HOME/tavelquin/journal.csv, or FILE with "
                       "--journal=FILE."));
    const QCommandLineOption report(
        QStringLiteral("report"),
        QStringLiteral("Prints the journal's games, blind guesses and reading, and exits; needs "
                       "no display. --report=FILE reads FILE."));
    const QCommandLineOption plot(
        QStringLiteral("plot"),
        QStringLiteral("With --report, also draws the rate of right blind guesses over the "
                       "journal, against luck and the meter's bands: as SVG for a FILE "
                       "ending in .svg, else as a PNG image."),
        QStringLiteral("FILE.png"));
    const QCommandLineOption page(
        QStringLiteral("page"),
        QStringLiteral("With --report, also writes the report and its chart as one HTML page "
                       "that needs nothing else; with no journal yet, a page that says how to "
                       "start one."),
        QStringLiteral("FILE.html"));
    parser.addOptions({help, version, journal, report, plot, page, allowListening});
    for (const QtOption& qt : qtOptions) {
        QCommandLineOption option(QString::fromLatin1(qt.name));
        if (qt.takes != Takes::nothing)
            option.setValueName(QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }

    // --journal and --report take an optional =FILE, which the parser cannot
    // tell from a value: it gets the options alone.
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        QString argument = QString::fromLocal8Bit(argv[i]);
        for (auto [name, value] :
             {std::pair{"--journal", &options.journal}, std::pair{"--report", &options.report}}) {
            if (i > 0 && (argument == QLatin1String(name) ||
                          argument.startsWith(QLatin1String(name) + QLatin1Char('=')))) {
                *value = argument.mid(int(std::strlen(name)) + 1).toStdString();
                argument = QLatin1String(name);
            }
        }
        arguments << argument;
    }
    if (!parser.parse(arguments))
        return usageError(parser.errorText());
    // Also as -journal and -report, which Qt's one-dash style lets through.
    if (parser.isSet(journal) && !options.journal)
        options.journal = "";
    if (parser.isSet(report) && !options.report)
        options.report = "";
    if (parser.isSet(plot) && !options.report)
        return usageError(QStringLiteral("--plot draws a report: it needs --report."));
    if (parser.isSet(page) && !options.report)
        return usageError(QStringLiteral("--page shows a report: it needs --report."));
    if (parser.isSet(plot))
        options.plot = parser.value(plot).toStdString();
    if (parser.isSet(page))
        options.page = parser.value(page).toStdString();
    if (!parser.positionalArguments().isEmpty())
        return usageError(
            QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().first()));
    if (parser.isSet(help)) {
        // The usage line names the program as it was started, which the
        // parser reads from a core application; that needs no display.
        QCoreApplication core(argc, argv);
        std::fputs(qPrintable(parser.helpText()), stdout);
        std::fputs(afterHelp, stdout);
        return 0;
    }
    if (parser.isSet(version)) {
        std::printf("Tavelquin %s\n%s", TAVELQUIN_VERSION_TEXT, licence);
        return 0;
    }
    // A report opens no display and loads no plugin of the command line's.
    if (options.report)
        return std::nullopt;
    for (const QtOption& qt : qtOptions)
        for (const QString& path : parser.values(QString::fromLatin1(qt.name)))
            if (qt.takes == Takes::file && !bounded(path))
                return usageError(QStringLiteral("-%1 %2 is not a regular file of at most 1 MiB.")
                                      .arg(QString::fromLatin1(qt.name), path));
    // Qt takes its platform from -platform, else from QT_QPA_PLATFORM. Both are
    // checked, as the parser also takes a -platform=NAME, which Qt skips.
    const QStringList platforms = parser.values(QStringLiteral("platform"))
                                  << qEnvironmentVariable("QT_QPA_PLATFORM");
    for (const QString& list : platforms)
        for (const QString& platform : list.split(QLatin1Char(';')))
            for (const QString& option : platform.split(QLatin1Char(':')).mid(1))
                if (option.startsWith(QLatin1String("configfile=")) && !bounded(option.mid(11)))
                    return usageError(
                        QStringLiteral("The platform %1 names no regular file of at most 1 MiB.")
                            .arg(platform));
    const QStringList listeners =
        networkListeners(platforms, parser.values(QStringLiteral("plugin"))
                                        << qEnvironmentVariable("QT_QPA_GENERIC_PLUGINS"));
    if (!listeners.isEmpty() && !parser.isSet(allowListening)) {
        std::fprintf(stderr,
                     "tavelquin: refusing Qt's %s, which would let anyone on the network play, "
                     "with no password; ./play serves the game over VNC to you alone, and "
                     "--allow-network-listening lets Qt listen.\n",
                     qPrintable(listeners.join(QLatin1String(" and "))));
        return 1;
    }
    return std::nullopt;
}

} // namespace qtui
