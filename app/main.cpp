// The process entry: builds the runtime, the game's form and its window,
// then runs the event loop until no form is left.
#include "game_session.h"
#include "icon.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tavelquin"));
    QApplication::setApplicationDisplayName(QStringLiteral("Tavelquin"));
    QApplication::setApplicationVersion(QStringLiteral(TAVELQUIN_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral(TAVELQUIN_APP_ID));
    QApplication::setWindowIcon(QIcon(app::iconPath()));

    rt::GeneratorRandom random = rt::GeneratorRandom::fromEntropy();
    window::MessageBoxReporter reporter;
    try {
        app::GameSession session(random, reporter, window::QtHost::realTime());
        if (session.runtime.ended())
            return session.runtime.exitCode();
        session.window.show();
        return QApplication::exec();
    } catch (const rt::DescriptionError& error) {
        std::fprintf(stderr, "tavelquin: the window description is faulty: %s\n", error.what());
        return 2;
    }
}
