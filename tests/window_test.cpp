// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The real window on Qt's offscreen platform, built as the program builds it,
// with the runtime's clock driven by hand.
#include "fixture.h"
#include "message_box_reporter.h"
#include "qt_game_session.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QTest>
#include <QTimer>

#include <cmath>
#include <functional>
#include <limits>
#include <optional>
#include <utility>

// Failure messages show Qt's strings as text.
std::ostream& operator<<(std::ostream& out, const QString& s) { return out << s.toStdString(); }

namespace {

using namespace testing_support;

// Decoded here rather than through the binding's toQColor, so that a
// byte-order slip there shows up as a wrong colour on screen.
QColor rgb(rt::Colour c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }
QImage grab(QWidget* w) { return w->grab().toImage().convertToFormat(QImage::Format_RGB32); }
// The pixels of the image that pass the test.
int count(const QImage& image, const std::function<bool(QColor)>& wanted) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += wanted(image.pixelColor(x, y));
    return n;
}
bool isText(QColor c) { return c.red() > 160; } // the labels' red
bool solid(const QImage& i, QColor c) {
    return count(i, [c](QColor p) { return p == c; }) == i.width() * i.height();
}

// The program's window, put together as qt/main.cpp does, and what a screen
// reader learns of it: each notification that shows, but of two shown in one
// pass of the event loop only the last, as Orca speaks only that one.
struct GameWindow : qtui::QtGameSession, QObject {
    using QtGameSession::QtGameSession;
    QWidget* widget(const std::string& name) const { return window.widget(name); }
    void click(int k) { QTest::mouseClick(widget("Command" + std::to_string(k)), Qt::LeftButton); }
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::Show && object->isWidgetType() &&
            QAccessible::queryAccessibleInterface(object)->role() == QAccessible::Notification) {
            // Of two in one pass, the first is dropped.
            shown.resize(shown.size() - std::exchange(samePass, true));
            shown.push_back({static_cast<QWidget*>(object), {}});
        }
        return false;
    }
    // The counts, "correct/incorrect", then each notification heard since the
    // last call, named as it reads once the event loop has moved on, as a
    // screen reader reads it; one heard before must still read the same.
    std::string told() {
        samePass = false;
        QCoreApplication::processEvents();
        std::string said = form1.Label2.caption().value + '/' + form1.Label4.caption().value;
        for (auto& [notification, heard] : shown) {
            if (heard.empty())
                said += ' ' + (heard = notification->accessibleName().toStdString());
            said += notification->accessibleName() == heard.c_str() ? "" : " renamed: " + heard;
        }
        return said;
    }
    bool listening = (qApp->installEventFilter(this), true);
    // Each with the name it was first heard by; in one pass until the test
    // lets the event loop run.
    std::vector<std::pair<QWidget*, std::string>> shown;
    bool samePass = false;
};

// The clock is the host's real-time source, moved by hand.
struct Window : ::testing::Test {
    ScriptedRandom random{0.9f}; // orange: its red and blue differ
    RecordingReporter reporter;
    std::int64_t now = 0;
    GameWindow game{random, reporter, [this] { return now; }};
};

// Also registered with QT_SCALE_FACTOR=2, where every square must stay solid.
// Then both counts at once, up to the largest count the runtime shows,
// 2^53 - 1: one line in a smaller font, then wrapped over two and three lines.
// Each label's text fits where it is drawn, in a font of 6 px or more, and
// shows in the window as much as the label draws it: no neighbour stacked
// above hides the edge of a letter or digit. A count reads as the plain number.
TEST_F(Window, LaidOutAndDrawnUpToTheLargestCounts) {
    EXPECT_EQ(game.window.minimumSize(), game.window.maximumSize());
    const double scale = qEnvironmentVariable("QT_SCALE_FACTOR", "1").toDouble();
    game.window.show();
    const QImage image = grab(&game.window);
    ASSERT_EQ(image.size(), QSize(191, 135) * scale);
    auto px = [](int twips) { return int(std::lround(twips / 15.0)); };
    auto device = [scale](QRect r) { return QRect(r.topLeft() * scale, r.size() * scale); };
    QImage rest = image; // blacked out control by control, but for the panel
    QPainter painter(&rest);
    for (const rt::ControlDescription& d : window::form1Description.controls) {
        QWidget* widget = game.window.widget(d.name);
        if (d.kind == rt::ControlKind::timer)
            continue;
        const QRect place(px(d.left), px(d.top), px(d.width), px(d.height));
        EXPECT_EQ(widget->geometry(), place) << d.name;
        const QImage own = image.copy(device(place));
        // A square solid in its colour, with its name as a tooltip; a label
        // red text on black, naming the count it labels for a screen reader.
        auto other = [](QColor c) { return c.green() > 8 || c.blue() > 8; };
        if (d.kind == rt::ControlKind::graphicalButton) {
            EXPECT_TRUE(solid(own, rgb(d.backColour)) &&
                        widget->toolTip() == d.accessibleName.data());
        } else if (d.kind == rt::ControlKind::label) {
            EXPECT_TRUE(!count(own, other) && count(own, isText));
            EXPECT_EQ(static_cast<QLabel*>(widget)->buddy(), game.window.widget(d.labelFor));
        }
        if (d.kind != rt::ControlKind::pictureBox)
            painter.fillRect(place, Qt::black);
    }
    painter.end();
    EXPECT_TRUE(solid(rest, Qt::black)) << "the panel or the background is not all black";

    for (const std::string digits :
         {"9", "99999", "9999999", "9999999999999", "9007199254740991"}) {
        for (const char* name : {"Label2", "Label4"})
            rt::check(game.form.control<rt::Label>(name).setCaption(digits));
        const QImage window = grab(&game.window);
        for (const char* name : {"Label1", "Label2", "Label3", "Label4"}) {
            QWidget* label = game.widget(name);
            QString text = label->property("text").toString();
            const int hidden =
                count(grab(label), isText) - count(window.copy(device(label->geometry())), isText);
            const QSize size = QFontMetrics(label->font()).size(0, text);
            EXPECT_TRUE(hidden <= 0 && label->contentsRect().contains(QRect({}, size)) &&
                        QFontInfo(label->font()).pixelSize() >= 6 &&
                        game.window.rect().contains(label->geometry()))
                << name << " at " << digits;
            if (name[5] % 2 == 0) {
                EXPECT_EQ(text.remove('\n') + label->accessibleName(),
                          QString::fromStdString(digits + digits));
            }
        }
    }
}

// By keyboard, then by mouse: the counts, the panel, what a screen reader is
// told and the hunch meter's reading.
TEST_F(Window, KeysAndClicksScoreRevealHideAndAreTold) {
    game.window.show();
    QApplication::setActiveWindow(&game.window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&game.window));
    // The panel holds the focus when the window opens, so no square has it;
    // labels take none; after Exit the walk comes round to the panel, which
    // shows its mark only while it has the focus.
    QWidget* panel = game.widget("Picture1");
    ASSERT_EQ(QApplication::focusWidget(), panel);
    for (int k : {1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 1}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(),
                  k ? game.widget("Command" + std::to_string(k)) : panel);
        EXPECT_EQ(solid(grab(panel), Qt::black), k != 0) << "the panel's mark, Tab to " << k;
    }
    // The red square shows a mark and keeps most of its colour; Space presses
    // it, as a click would (no secret yet: a miss).
    const QImage focused = grab(game.widget("Command1"));
    EXPECT_FALSE(solid(focused, Qt::red));
    EXPECT_GT(count(focused, [](QColor c) { return c == Qt::red; }), 15 * 15);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_EQ(game.told(), "0/1 Incorrect: too early, no colour was drawn yet.");

    game.click(7);
    EXPECT_FALSE(game.widget("Command7")->isEnabled());
    // A click first brings the clock up to its moment: the reveal lasts
    // 3000 ms from the click, not from the host's last timer tick.
    now = 9876;
    game.click(1);
    EXPECT_TRUE(game.runtime.nextDue() == 9876 + 3000 && solid(grab(panel), QColor(0xFF, 0x80, 0)));
    game.click(6); // sees the colour: not blind
    // The last three clicks came in one pass of the event loop: each is heard.
    EXPECT_EQ(game.told(),
              "1/2 Start is no longer available. Incorrect: it was Orange. Correct: Orange.");
    const QString reading = "Blind guesses: 2, right: 0 (0%). Luck alone: 1 in 6 (16.7%). No "
                            "better than luck so far.";
    for (const char* name : {"Label1", "Label2", "Label3", "Label4"})
        EXPECT_EQ(game.widget(name)->toolTip(),
                  reading + " Press J to open your journal's page in your browser.")
            << name;
    game.runtime.advance(3000);
    EXPECT_TRUE(solid(grab(panel), Qt::black) && game.told() == "1/2 Hidden again.");
}

// J with no journal kept: the page on how to start one, written in the
// default place; the offscreen platform has no desktop to open it, which a
// box says while the game goes on.
TEST_F(Window, JournalKeyWithNoBrowserWarnsAndTheGameGoesOn) {
    const QByteArray state = (QDir::tempPath() + "/tavelquin-window-test").toUtf8();
    QDir(state).removeRecursively();
    qputenv("XDG_STATE_HOME", state);
    game.window.show();
    QApplication::setActiveWindow(&game.window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&game.window));
    QTest::keyClick(&game.window, Qt::Key_J);
    const auto* box = game.window.findChild<QMessageBox*>();
    ASSERT_TRUE(box && box->isVisible());
    EXPECT_EQ(box->text(),
              "cannot open the page " + state +
                  "/tavelquin/journal.html in a browser: "
                  "the desktop of Qt's offscreen platform has no program to open it with");
    EXPECT_TRUE(QFile::exists(state + "/tavelquin/journal.html"));
    game.click(1);
    EXPECT_EQ(game.told(), "0/1 Incorrect: too early, no colour was drawn yet.");
    EXPECT_FALSE(game.runtime.ended());
    QDir(state).removeRecursively();
}

TEST(ErrorBox, NothingRunsWhileTheMessageBoxIsOpen) {
    ScriptedRandom random(std::numeric_limits<float>::quiet_NaN());
    qtui::MessageBoxReporter reporter;
    GameWindow game(random, reporter);
    game.window.show();
    // Inside the box's event loop: try buttons, the clock and closing the
    // window, then close the box.
    QStringList boxes;
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            boxes << box->text();
            for (int k : {1, 4, 6, 8})
                game.click(k);
            game.runtime.advance(10000);
            EXPECT_FALSE(game.window.close());
            box->done(0);
        }
    });
    // Start's draw fails after Start is disabled; the click returns once the
    // box is closed, and nothing was said of the half-run event.
    game.click(7);
    EXPECT_EQ(boxes, QStringList{"Run-time error 16: Invalid floating-point operation (the "
                                 "result is not a number)"});
    EXPECT_EQ(random.draws, 1) << "ticks ran after the failing draw";
    EXPECT_TRUE(game.told() == "0/0" && game.runtime.ended() && game.runtime.exitCode() == 1);
}

} // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Listing the tests, as CMake's discovery does after each build, runs none
    // of them and so needs no display.
    std::optional<QApplication> app;
    if (!GTEST_FLAG_GET(list_tests))
        app.emplace(argc, argv);
    return RUN_ALL_TESTS();
}
