// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "command_line.h"
#include "network_listeners.h"

#include <QFileInfo>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <string>
#include <vector>

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

// What the help says of the Linux program beyond the game's own options.
const cli::FrontEndHelp help{
    {"Qt's own options, such as -platform NAME or -style NAME, work too; the file of "
     "-stylesheet, -qwindowicon or -icon must be a regular one of at most 1 MiB."},
    {"no display could be opened", "Qt stopped on a fatal error or lost the display"},
    {"Qt's vnc platform or tuiotouch plugin was asked for without --allow-network-listening"},
    {"a file that is not a regular one of at most 1 MiB"},
};

int answer(const cli::Answer& answer) {
    std::fputs(answer.out.c_str(), stdout);
    std::fputs(answer.error.c_str(), stderr);
    return answer.status;
}

QStringList values(const cli::OptionParser& parser, const char* name) {
    QStringList values;
    for (const std::optional<std::string>& value : parser.values(name))
        values << QString::fromStdString(value.value_or(""));
    return values;
}

} // namespace

std::optional<int> handleCommandLine(int argc, char* argv[], cli::Options& options) {
    std::vector<cli::Option> table = cli::gameOptions();
    table.push_back({{"allow-network-listening"},
                     cli::Takes::nothing,
                     "",
                     "Lets Qt's vnc platform or tuiotouch plugin listen on the network, where "
                     "anyone may connect, with no password."});
    for (const QtOption& qt : qtOptions)
        table.push_back({{qt.name},
                         qt.takes == Takes::nothing ? cli::Takes::nothing : cli::Takes::required,
                         "value",
                         ""});
    cli::OptionParser parser(std::move(table));
    if (std::optional<cli::Answer> given =
            cli::readOptions(parser, std::vector<std::string>(argv, argv + argc), help, options))
        return answer(*given);
    // A report opens no display and loads no plugin of the command line's,
    // unless it opens its page in the browser.
    if (options.report && !(options.page && options.page->empty()))
        return std::nullopt;
    for (const QtOption& qt : qtOptions)
        for (const QString& path : values(parser, qt.name))
            if (qt.takes == Takes::file && !bounded(path))
                return answer(
                    cli::usageError(QStringLiteral("-%1 %2 is not a regular file of at most 1 MiB.")
                                        .arg(QString::fromLatin1(qt.name), path)
                                        .toStdString()));
    // Qt takes its platform from -platform, else from QT_QPA_PLATFORM. Both are
    // checked, as the parser also takes a -platform=NAME, which Qt skips.
    const QStringList platforms = values(parser, "platform")
                                  << qEnvironmentVariable("QT_QPA_PLATFORM");
    for (const QString& list : platforms)
        for (const QString& platform : list.split(QLatin1Char(';')))
            for (const QString& option : platform.split(QLatin1Char(':')).mid(1))
                if (option.startsWith(QLatin1String("configfile=")) && !bounded(option.mid(11)))
                    return answer(cli::usageError(
                        QStringLiteral("The platform %1 names no regular file of at most 1 MiB.")
                            .arg(platform)
                            .toStdString()));
    const QStringList listeners = networkListeners(
        platforms, values(parser, "plugin") << qEnvironmentVariable("QT_QPA_GENERIC_PLUGINS"));
    if (!listeners.isEmpty() && !parser.isSet("allow-network-listening")) {
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
