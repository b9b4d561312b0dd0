#include "command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

namespace app {
namespace {

// The options QApplication and its X11 and Wayland platforms read, with
// whether each takes a value. They are hidden from --help and left in argv,
// where QApplication finds and removes them.
struct QtOption {
    const char* name;
    bool takesValue;
};
constexpr QtOption qtOptions[] = {
    {"platform", true},
    {"platformpluginpath", true},
    {"platformtheme", true},
    {"plugin", true},
    {"qwindowgeometry", true},
    {"qwindowicon", true},
    {"qwindowtitle", true},
    {"session", true},
    {"style", true},
    {"stylesheet", true},
    {"display", true},
    {"geometry", true},
    {"title", true},
    {"icon", true},
    {"name", true},
    {"visual", true},
    {"reverse", false},
    {"widgetcount", false},
    {"nograb", false},
    {"dograb", false},
};

constexpr const char* afterHelp = R"(
Qt's own options, such as -platform NAME or -style NAME, work too.

Exit status: 0 when the game ends or after --help or --version; 1 when no
display could be opened, Qt stopped on a fatal error or lost the display, or a
run-time error ended the game; 2 for an unknown option, an option without its
value, a stray argument or a faulty window description.
)";

int usageError(const QString& error) {
    std::fprintf(stderr, "tavelquin: %s Try 'tavelquin --help'.\n", qPrintable(error));
    return 2;
}

} // namespace

std::optional<int> handleCommandLine(int argc, char* argv[]) {
    QCommandLineParser parser;
    // Qt's options start with one dash, as in -platform xcb.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(QStringLiteral(TAVELQUIN_SUMMARY));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Shows this help and exits."));
    const QCommandLineOption version(QStringLiteral("version"),
                                     QStringLiteral("Shows the version and exits."));
    parser.addOptions({help, version});
    for (const QtOption& qt : qtOptions) {
        QCommandLineOption option(QString::fromLatin1(qt.name));
        if (qt.takesValue)
            option.setValueName(QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }

    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (!parser.parse(arguments))
        return usageError(parser.errorText());
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
        std::printf("Tavelquin %s\n", TAVELQUIN_VERSION_TEXT);
        return 0;
    }
    return std::nullopt;
}

} // namespace app
