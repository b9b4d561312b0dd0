// The process entry: builds the runtime, the game's form and its window,
// then runs the event loop until no form is left.
#include "command_line.h"
#include "form1.h"
#include "form1_description.h"
#include "icon.h"
#include "no_display.h"
#include "qt_binding.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>
#include <optional>

int main(int argc, char* argv[]) {
    if (std::optional<int> status = app::handleCommandLine(argc, argv))
        return *status;
    app::NoDisplayExit noDisplay;
    QApplication app(argc, argv);
    noDisplay.opened();
    QApplication::setApplicationName(QStringLiteral("tavelquin"));
    QApplication::setApplicationDisplayName(QStringLiteral("Tavelquin"));
    QApplication::setApplicationVersion(QStringLiteral(TAVELQUIN_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral(TAVELQUIN_APP_ID));
    QApplication::setWindowIcon(app::icon());

    rt::GeneratorRandom random = rt::GeneratorRandom::fromEntropy();
    window::MessageBoxReporter reporter;
    rt::Runtime runtime(random, reporter);
    window::QtHost host(runtime, window::QtHost::realTime());

    try {
        rt::Form& form = runtime.createForm(window::form1Description);
        game::Form1 form1(runtime, form);
        form.bindEvents(form1.handlers());
        window::FormWindow& window = host.addWindow(form);
        runtime.load(form);
        if (runtime.ended())
            return runtime.exitCode();
        window.show();
        return QApplication::exec();
    } catch (const rt::DescriptionError& error) {
        std::fprintf(stderr, "tavelquin: the window description is faulty: %s\n", error.what());
        return 2;
    }
}
