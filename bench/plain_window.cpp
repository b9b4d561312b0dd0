// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The toolkit's floor for the game's start-up: a plain Qt Widgets window of
// the game's size with the same sixteen widgets (six colour squares, the
// panel, four labels, three push buttons, two timers, one ticking every
// 200 ms), built the plain way, with no window icon, no runtime, no game and
// no accessibility extras. scripts/benchmark times it beside the game.
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTimer>
#include <QWidget>

namespace {

QFont captionFont() {
    QFont font = QApplication::font();
    font.setPixelSize(10);
    return font;
}

void setColours(QWidget* widget, QColor back, QColor fore) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, back);
    palette.setColor(QPalette::WindowText, fore);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Plain window"));
    window.setFixedSize(191, 135);
    setColours(&window, Qt::black, Qt::black);

    auto* panel = new QWidget(&window);
    panel->setGeometry(16, 16, 57, 57);
    setColours(panel, Qt::black, Qt::black);
    panel->setFocusPolicy(Qt::TabFocus);

    const char* colours[] = {"#ff0000", "#ffff00", "#00c000", "#0000ff", "#800080", "#ff8000"};
    for (int i = 0; i < 6; ++i) {
        auto* square = new QPushButton(&window);
        square->setGeometry(88 + 32 * (i % 3), 16 + 32 * (i / 3), 25, 25);
        square->setStyleSheet(
            QStringLiteral("background-color: %1; border: none; outline: none").arg(colours[i]));
    }

    struct Text {
        const char* text;
        int left, width;
    };
    for (const Text& t : {Text{"Incorrect:", 16, 49}, Text{"0", 64, 17}, Text{"Correct:", 88, 41},
                          Text{"0", 128, 17}}) {
        auto* label = new QLabel(QString::fromLatin1(t.text), &window);
        label->setGeometry(t.left, 88, t.width, 17);
        label->setFont(captionFont());
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        setColours(label, Qt::black, Qt::red);
    }

    QPushButton* exit = nullptr;
    for (const Text& t : {Text{"Start", 16, 41}, Text{"Stop", 72, 41}, Text{"Exit", 136, 41}}) {
        exit = new QPushButton(QString::fromLatin1(t.text), &window);
        exit->setGeometry(t.left, 112, t.width, 17);
        exit->setFont(captionFont());
        exit->setAutoDefault(false);
    }
    QObject::connect(exit, &QPushButton::clicked, &app, &QApplication::quit);

    // Like the game before Start: a new secret every 200 ms, kept out of sight.
    QTimer roll;
    roll.setTimerType(Qt::PreciseTimer);
    QColor secret;
    QObject::connect(&roll, &QTimer::timeout, [&secret] {
        secret = QColor::fromRgb(QRandomGenerator::global()->generate());
    });
    roll.start(200);
    // The reveal's timer, idle until a guess.
    QTimer reveal;
    reveal.setSingleShot(true);
    reveal.setInterval(3000);

    window.show();
    return QApplication::exec();
}
