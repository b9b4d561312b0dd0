// The real window on Qt's offscreen platform: the real description, the real
// Form1 and the Qt binding, built as app/main.cpp builds them, with the
// runtime's clock driven by hand.
#include "colour_table.h"
#include "fixture.h"
#include "form1_description.h"
#include "game_session.h"
#include "icon.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <limits>
#include <optional>
#include <ostream>
#include <set>
#include <string>

// Failure messages show Qt's strings as text.
std::ostream& operator<<(std::ostream& out, const QString& s) { return out << s.toStdString(); }

namespace {

using namespace testing_support;

const rt::FormDescription& description = window::form1Description;
const std::array<QString, 6> colourNames = {"Red", "Yellow", "Green", "Blue", "Purple", "Orange"};

std::string button(int k) { return "Command" + std::to_string(k); }

// Decoded here on purpose rather than through the binding's toQColor, so that
// a byte-order slip there shows up as a wrong colour on screen.
QColor rgb(rt::Colour c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

QImage grab(QWidget* w) { return w->grab().toImage().convertToFormat(QImage::Format_RGB32); }

// The pixels of the image that pass the test.
int count(const QImage& image, const std::function<bool(QColor)>& wanted) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += wanted(image.pixelColor(x, y)) ? 1 : 0;
    return n;
}

const auto is = [](QColor want) { return [want](QColor c) { return c.rgba() == want.rgba(); }; };
bool redOnBlack(QColor c) { return c.green() <= 8 && c.blue() <= 8; }
bool brightRed(QColor c) { return c.red() >= 160 && redOnBlack(c); }
bool solid(const QImage& i, QColor c) { return count(i, is(c)) == i.width() * i.height(); }

// The program's window, put together as app/main.cpp does.
struct GameWindow : app::GameSession {
    using GameSession::GameSession;

    QWidget* widget(const std::string& name) const { return window.widget(name); }
    void click(const std::string& name) { QTest::mouseClick(widget(name), Qt::LeftButton); }
    // "correct/incorrect", as the two counts read
    auto counts() { return form1.Label2.caption().value + '/' + form1.Label4.caption().value; }
};

struct Window : ::testing::Test {
    ScriptedRandom random{{0.9f}}; // orange: its red and blue differ
    RecordingReporter reporter;
    GameWindow game{random, reporter};
};

// Also registered with QT_SCALE_FACTOR=2: every size is then doubled in device
// pixels, and the squares must stay solid with clean edges. Creating the form,
// as every test here does, refuses a description that names a control twice or
// binds an event to a missing control or handler.
TEST_F(Window, DescriptionLaidOutAndDrawn) {
    EXPECT_EQ(game.window.windowTitle(), "Tavelquin");
    EXPECT_EQ(game.window.minimumSize(), game.window.maximumSize());
    const double scale = qEnvironmentVariable("QT_SCALE_FACTOR", "1").toDouble();
    game.window.show();
    const QImage image = grab(&game.window);
    ASSERT_EQ(image.size(), QSize(191, 135) * scale);

    const QColor black = rgb(description.backColour);
    auto device = [scale](QRect r) { return QRect(r.topLeft() * scale, r.size() * scale); };
    auto px = [](int twips) { return int(std::lround(twips / 15.0)); };
    std::set<int> tabs;
    QImage rest = image; // blacked out control by control, but for the panel
    QPainter painter(&rest);
    for (const rt::ControlDescription& d : description.controls) {
        QWidget* widget = game.window.widget(d.name);
        ASSERT_EQ(widget == nullptr, d.kind == rt::ControlKind::timer) << d.name;
        if (!widget)
            continue;
        EXPECT_TRUE(QRect(0, 0, 2865, 2025).contains(QRect(d.left, d.top, d.width, d.height)))
            << d.name << " lies outside the client area";
        EXPECT_TRUE(d.tabIndex >= 0 && tabs.insert(d.tabIndex).second) << d.name << " tab index";
        EXPECT_EQ(widget->geometry(), QRect(px(d.left), px(d.top), px(d.width), px(d.height)))
            << d.name;
        const QImage own = image.copy(device(widget->geometry()));
        const int all = own.width() * own.height();
        if (d.kind != rt::ControlKind::pictureBox)
            painter.fillRect(widget->geometry(), black);
        if (d.kind == rt::ControlKind::label) { // red text on black: no green or blue anywhere
            EXPECT_EQ(count(own, redOnBlack), all) << d.name;
            EXPECT_GT(count(own, brightRed), 0) << d.name;
            EXPECT_GT(count(own, is(black)), all / 2) << d.name;
        }
    }
    painter.end();
    EXPECT_TRUE(solid(rest, black)) << "the panel or the background is not all black";
    for (const game::ColourRow& row : game::ColourTable) {
        QWidget* square = game.widget(button(row.number));
        EXPECT_TRUE(solid(image.copy(device(square->geometry())), rgb(row.colour))) << row.seenAs;
        EXPECT_EQ(square->toolTip(), colourNames[row.number - 1]);
    }
    for (const auto& [name, handler] : game.form1.handlers())
        EXPECT_TRUE(std::ranges::count(description.bindings, name, &rt::EventBinding::handler))
            << name << " is bound to no event";

    // The program's icon shows the black panel and every secret colour. At
    // this scale the window gets the drawing made for its pixels, not one
    // scaled from another size, and every size is crisp: no colour at any
    // size that the 32 x 32 drawing lacks, as a blurred edge would have.
    const QImage icon = app::drawIcon(32);
    EXPECT_GT(count(icon, is(black)), 0);
    for (const game::ColourRow& row : game::ColourTable)
        EXPECT_GT(count(icon, is(rgb(row.colour))), 0) << "the icon lacks " << row.seenAs;
    const QImage shown = app::icon().pixmap(QSize(32, 32), scale).toImage();
    EXPECT_EQ(shown.convertToFormat(QImage::Format_ARGB32), app::drawIcon(32 * scale));
    std::set<QRgb> palette;
    count(icon, [&](QColor c) { return palette.insert(c.rgba()).second; });
    for (int size : app::iconSizes)
        EXPECT_EQ(count(app::drawIcon(size), [&](QColor c) { return !palette.contains(c.rgba()); }),
                  0)
            << size << " x " << size;
}

TEST_F(Window, ClicksScoreRevealAndHide) {
    game.window.show();
    game.click("Command7");
    EXPECT_FALSE(game.widget("Command7")->isEnabled());
    const int target = game.form1.Target, draws = random.draws;
    game.click("Command7"); // disabled: no new secret, nothing moves
    EXPECT_EQ(random.draws, draws);
    EXPECT_EQ(game.counts(), "0/0");

    // The panel's state and pixels both show the colour.
    auto panelShows = [&](rt::Colour c) {
        return game.form1.Picture1.backColour().value == c &&
               solid(grab(game.widget("Picture1")), rgb(c));
    };
    const rt::Colour secret = game::ColourTable.at(target - 1).colour;
    game.click(button(target % 6 + 1));
    EXPECT_EQ(game.counts(), "0/1");
    EXPECT_TRUE(panelShows(secret));
    game.click(button(target));
    EXPECT_EQ(game.counts(), "1/1");
    game.runtime.advance(2999);
    EXPECT_TRUE(panelShows(secret));
    game.runtime.advance(1);
    EXPECT_TRUE(panelShows(game::black));
}

// The runtime's clock used to move only when a timer woke the host, so a
// reveal ran from the last tick before the click and could end at once.
TEST(RealTime, RevealRunsFromTheClickNotFromTheLastTick) {
    ScriptedRandom random{{0.5f}};
    RecordingReporter reporter;
    std::int64_t now = 0;
    GameWindow game(random, reporter, [&now] { return now; });
    game.window.show();

    now = 4321; // the host's timer has not woken since the window opened
    QTest::mouseClick(game.widget("Command7"), Qt::LeftButton);
    EXPECT_EQ(random.draws, 4321 / 200 + 1) << "the ticks before Start did not run";
    now = 9876;
    QTest::mouseClick(game.widget("Command1"), Qt::LeftButton);
    ASSERT_TRUE(game.form1.Timer2.isEnabled());
    EXPECT_EQ(game.runtime.nextDue(), 9876 + 3000);
}

TEST_F(Window, KeyboardWalksTheTabOrderAndPresses) {
    game.window.show();
    QApplication::setActiveWindow(&game.window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&game.window));
    // The panel holds the focus when the window opens, so no square has it.
    ASSERT_EQ(QApplication::focusWidget(), game.widget("Picture1"));
    // Labels take no focus; after Exit the walk comes round to the panel.
    for (const char* name : {"Command1", "Command2", "Command3", "Command4", "Command5", "Command6",
                             "Command7", "Command8", "Command9", "Picture1", "Command1"}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(), game.widget(name)) << "Tab to " << name;
    }
    // Focused by keyboard, the red square shows a mark and keeps most of its colour.
    const QImage focused = grab(game.widget("Command1"));
    const QColor red = rgb(game::ColourTable[0].colour);
    EXPECT_FALSE(solid(focused, red)) << "no visible focus mark";
    EXPECT_GT(count(focused, is(red)), focused.width() * focused.height() * 6 / 10);
    // Space presses the focused square, as a click would (no secret yet: a miss).
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_EQ(game.counts(), "0/1");
    EXPECT_EQ(game.window.findChild<QWidget*>("Announcer")->accessibleName().toStdString(),
              "Incorrect: too early, no colour was drawn yet.");
}

// The text fits where the widget draws it, over as many lines as it has: a
// label's contents, or a button's area inside its bevel.
void expectTextFits(QWidget* widget) {
    QRect room = widget->contentsRect();
    QStyleOptionButton option;
    option.initFrom(widget);
    if (qobject_cast<QPushButton*>(widget))
        room = widget->style()->subElementRect(QStyle::SE_PushButtonContents, &option, widget);
    const QString text = widget->property("text").toString();
    EXPECT_LE(QFontMetrics(widget->font()).size(0, text).width(), room.width()) << text;
    EXPECT_LE(QFontMetrics(widget->font()).size(0, text).height(), room.height()) << text;
}

// Both counts at once, up to the largest count the runtime shows, 2^53 - 1.
TEST_F(Window, EveryCaptionAndCountStaysReadable) {
    for (const char* name : {"Label1", "Label3", "Command7", "Command8", "Command9"})
        expectTextFits(game.widget(name));
    // One line in a smaller font; wrapped over two and three lines; the largest.
    for (const std::string digits :
         {"9", "99999", "9999999", "9999999999999", "9007199254740991"}) {
        for (const char* name : {"Label2", "Label4"})
            rt::check(game.form.control<rt::Label>(name).setCaption(digits));
        for (const char* name : {"Label2", "Label4"}) {
            SCOPED_TRACE(std::string(name) + " showing " + digits);
            QWidget* label = game.widget(name);
            ASSERT_EQ(label->property("text").toString().remove('\n'),
                      QString::fromStdString(digits));
            expectTextFits(label);
            EXPECT_GE(QFontInfo(label->font()).pixelSize(), 6);
            const QRect area = label->geometry();
            EXPECT_TRUE(game.window.rect().contains(area));
            for (QWidget* next : game.window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                EXPECT_FALSE(next != label && (next->x() > area.x() || next->y() > area.y()) &&
                             area.intersects(next->geometry()))
                    << "runs into " << next->objectName();
        }
        // Every pixel of text a label draws shows in the window: no neighbour
        // stacked above it hides the edge of a letter or digit.
        const QImage window = grab(&game.window);
        for (const char* shown : {"Label1", "Label2", "Label3", "Label4"}) {
            const QImage own = grab(game.widget(shown));
            const QImage seen = window.copy(game.widget(shown)->geometry());
            int hidden = 0;
            for (int y = 0; y < own.height(); ++y)
                for (int x = 0; x < own.width(); ++x)
                    hidden += qRed(own.pixel(x, y)) > qRed(seen.pixel(x, y)) ? 1 : 0;
            EXPECT_EQ(hidden, 0) << shown << " showing " << digits << " has text pixels hidden";
        }
    }
}

TEST(ErrorBox, NothingRunsWhileTheMessageBoxIsOpen) {
    ScriptedRandom random({std::numeric_limits<float>::quiet_NaN()});
    window::MessageBoxReporter reporter;
    GameWindow game(random, reporter);
    game.window.show();

    // Inside the box's event loop: try buttons and the clock, then close the
    // box. The watch re-arms first, so that a second box raised meanwhile is
    // counted and closed too, not left hanging. The window cancels pending
    // polls when the test ends.
    int boxes = 0;
    std::function<void()> watch = [&] {
        QTimer::singleShot(10, &game.window, watch);
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            if (++boxes == 1) {
                for (const char* name : {"Command1", "Command4", "Command6", "Command8"})
                    game.click(name);
                game.runtime.advance(10000);
            }
            QTest::mouseClick(box->buttons().value(0), Qt::LeftButton);
        }
    };
    QTimer::singleShot(0, &game.window, watch);

    // Start's draw fails after Start is disabled; the click returns once the
    // box is closed, and nothing was said of the half-run event.
    game.click("Command7");
    EXPECT_EQ(boxes, 1);
    EXPECT_EQ(random.draws, 1) << "ticks ran after the failing draw";
    EXPECT_EQ(game.counts(), "0/0");
    EXPECT_EQ(game.window.findChild<QWidget*>("Announcer")->accessibleName().toStdString(), "");
    EXPECT_TRUE(game.runtime.ended() && game.runtime.exitCode() != 0);
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
