// The real window on Qt's offscreen platform: the real description, the real
// Form1 and the Qt binding, built as app/main.cpp builds them, with the
// runtime's clock driven by hand.
#include "colour_table.h"
#include "fixture.h"
#include "form1_description.h"
#include "qt_binding.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QTimer>

#include <array>
#include <cmath>
#include <functional>
#include <limits>
#include <ostream>
#include <set>
#include <string>
#include <vector>

// Failure messages show Qt's strings as text.
std::ostream& operator<<(std::ostream& out, const QString& text) {
    return out << text.toStdString();
}

namespace {

using testing_support::RecordingReporter;
using testing_support::ScriptedRandom;

const std::array<QString, 6> colourNames = {"Red", "Yellow", "Green", "Blue", "Purple", "Orange"};

std::string button(int k) { return "Command" + std::to_string(k); }

// Decoded here on purpose rather than through the binding's toQColor, so that
// a byte-order slip there shows up as a wrong colour on screen.
QColor rgb(rt::Colour colour) {
    return QColor(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF));
}

QRect twipRect(const rt::ControlDescription& d) {
    auto px = [](int twips) { return int(std::lround(twips / 15.0)); };
    return {px(d.left), px(d.top), px(d.width), px(d.height)};
}

QImage grab(QWidget* widget) {
    return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

int count(const QImage& image, QRect area, const std::function<bool(QColor)>& wanted) {
    int n = 0;
    area &= image.rect();
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += wanted(image.pixelColor(x, y)) ? 1 : 0;
    return n;
}

// Pixels of exactly that colour, over the area or the whole image.
int countColour(const QImage& image, QColor colour, QRect area = {}) {
    return count(image, area.isNull() ? image.rect() : area,
                 [colour](QColor c) { return c.rgb() == colour.rgb(); });
}

QString accessibleName(QWidget* widget) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    return accessible ? accessible->text(QAccessible::Name) : QString();
}

// The program's window, put together in the order app/main.cpp uses.
struct GameWindow {
    GameWindow(rt::RandomSource& random, rt::ErrorReporter& reporter,
               window::QtHost::TimeSource time = {})
        : runtime(random, reporter), host(runtime, std::move(time)),
          form(runtime.createForm(window::form1Description)), form1(runtime, form) {
        form.bindEvents(form1.handlers());
        window = &host.addWindow(form);
        runtime.load(form);
    }

    QWidget* widget(const std::string& name) const {
        QWidget* found = window->widget(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QLabel* label(const std::string& name) const { return qobject_cast<QLabel*>(widget(name)); }
    void showActive() {
        window->show();
        QApplication::setActiveWindow(window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    }
    std::string correct() const { return form1.Label2.caption().value; }
    std::string incorrect() const { return form1.Label4.caption().value; }

    rt::Runtime runtime;
    window::QtHost host;
    rt::Form& form;
    game::Form1 form1;
    window::FormWindow* window = nullptr;
};

struct Window : ::testing::Test {
    ScriptedRandom random{{0.9f}}; // orange: its red and blue differ
    RecordingReporter reporter;
    GameWindow game{random, reporter};
};

const rt::FormDescription& description = window::form1Description;

TEST(Description, NamesHandlersAndTabOrderAreConsistent) {
    std::set<std::string_view> names;
    std::set<int> tabs;
    for (const rt::ControlDescription& d : description.controls) {
        EXPECT_TRUE(names.insert(d.name).second) << "duplicate control " << d.name;
        if (d.kind != rt::ControlKind::timer) {
            EXPECT_TRUE(d.tabIndex >= 0 && tabs.insert(d.tabIndex).second)
                << d.name << " tab index " << d.tabIndex;
        }
    }
    ScriptedRandom random;
    testing_support::Game game(random);
    rt::HandlerTable handlers = game.form1.handlers();
    std::set<std::string_view> used;
    for (const rt::EventBinding& b : description.bindings) {
        EXPECT_TRUE(b.control == description.name || names.count(b.control)) << b.control;
        EXPECT_TRUE(handlers.count(b.handler)) << b.handler << " is not a handler of Form1";
        used.insert(b.handler);
    }
    for (const auto& [name, handler] : handlers)
        EXPECT_TRUE(used.count(name)) << name << " is bound to no event";
}

TEST(Description, ControlsLieInsideTheClientArea) {
    ASSERT_EQ(description.clientWidth, 2865);
    ASSERT_EQ(description.clientHeight, 2025);
    for (const rt::ControlDescription& d : description.controls) {
        EXPECT_GE(d.left, 0) << d.name;
        EXPECT_GE(d.top, 0) << d.name;
        EXPECT_LE(d.left + d.width, description.clientWidth) << d.name;
        EXPECT_LE(d.top + d.height, description.clientHeight) << d.name;
    }
}

TEST(Description, ColourButtonKShowsColourNumberK) {
    int buttons = 0;
    for (const rt::ControlDescription& d : description.controls) {
        if (d.kind != rt::ControlKind::graphicalButton)
            continue;
        ++buttons;
        const int k = std::stoi(std::string(d.name.substr(std::string_view("Command").size())));
        ASSERT_TRUE(k >= 1 && k <= 6) << d.name;
        EXPECT_EQ(d.backColour, game::ColourTable[k - 1].colour) << d.name;
        EXPECT_EQ(game::ColourTable[k - 1].button, d.name);
    }
    EXPECT_EQ(buttons, 6);
}

TEST_F(Window, GeometryFollowsTheDescriptionInPixels) {
    EXPECT_EQ(game.window->windowTitle(), "Tavelquin");
    EXPECT_EQ(game.window->size(), QSize(191, 135));
    EXPECT_EQ(game.window->minimumSize(), QSize(191, 135));
    EXPECT_EQ(game.window->maximumSize(), QSize(191, 135));
    for (const rt::ControlDescription& d : description.controls) {
        QWidget* widget = game.window->widget(d.name);
        if (d.kind == rt::ControlKind::timer) {
            EXPECT_EQ(widget, nullptr) << d.name;
            continue;
        }
        ASSERT_NE(widget, nullptr) << d.name;
        EXPECT_EQ(widget->geometry(), twipRect(d)) << d.name;
        EXPECT_TRUE(widget->isVisibleTo(game.window)) << d.name;
    }
}

// Also registered with QT_SCALE_FACTOR=2: every size is then doubled in device
// pixels, and the squares must stay solid with clean edges.
TEST_F(Window, PixelsShowSolidSquaresAndRedOnBlack) {
    const double scale = qEnvironmentVariable("QT_SCALE_FACTOR", "1").toDouble();
    game.window->show();
    ASSERT_EQ(game.window->devicePixelRatio(), scale);
    const QImage image = grab(game.window);
    ASSERT_EQ(image.size(), QSize(191, 135) * scale);
    auto device = [scale](QRect r) {
        return QRect((r.topLeft().toPointF() * scale).toPoint(), r.size() * scale);
    };

    const QColor black = rgb(description.backColour);
    QRegion drawn;
    for (const game::ColourRow& row : game::ColourTable) {
        QWidget* square = game.widget(button(row.number));
        QRect area = device(square->geometry());
        // Exactly the button's area in its colour: solid, nothing spilling out.
        EXPECT_EQ(countColour(image, rgb(row.colour), area.adjusted(-3, -3, 3, 3)),
                  area.width() * area.height())
            << row.button;
        EXPECT_EQ(countColour(grab(square), rgb(row.colour)), area.width() * area.height());
        drawn += area;
    }
    QRect panel = device(game.widget("Picture1")->geometry());
    EXPECT_EQ(countColour(image, black, panel), panel.width() * panel.height());

    for (const char* name : {"Label1", "Label2", "Label3", "Label4"}) {
        QRect area = device(game.widget(name)->geometry());
        drawn += area;
        // Red text blended into black leaves no green or blue anywhere.
        auto redOnBlack = [](QColor c) { return c.green() <= 8 && c.blue() <= 8; };
        auto text = [](QColor c) { return c.red() >= 160 && c.green() <= 8 && c.blue() <= 8; };
        EXPECT_EQ(count(image, area, redOnBlack), area.width() * area.height()) << name;
        EXPECT_GT(count(image, area, text), 0) << name << " shows no red text";
        EXPECT_GT(countColour(image, black, area), area.width() * area.height() / 2) << name;
    }
    for (const char* name : {"Command7", "Command8", "Command9"})
        drawn += device(game.widget(name)->geometry());
    // Everything outside the buttons and labels is the black background.
    int background = 0, blackPixels = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (!drawn.contains(QPoint(x, y))) {
                ++background;
                blackPixels += image.pixelColor(x, y).rgb() == black.rgb() ? 1 : 0;
            }
    EXPECT_EQ(blackPixels, background);
}

TEST_F(Window, ClicksScoreRevealAndHide) {
    game.window->show();
    QWidget* start = game.widget("Command7");
    QTest::mouseClick(start, Qt::LeftButton);
    ASSERT_FALSE(game.form1.Command7.isEnabled());
    EXPECT_FALSE(start->isEnabled());
    const int target = game.form1.Target;
    ASSERT_GE(target, 1);
    ASSERT_LE(target, 6);

    // The disabled Start takes no click: no new secret, nothing else moves.
    const int draws = random.draws;
    QTest::mouseClick(start, Qt::LeftButton);
    EXPECT_EQ(random.draws, draws);
    EXPECT_EQ(game.form1.Target, target);
    EXPECT_EQ(game.correct(), "0");
    EXPECT_EQ(game.incorrect(), "0");
    EXPECT_FALSE(start->isEnabled());

    QWidget* panel = game.widget("Picture1");
    const QString hiddenName = accessibleName(panel);
    const QColor secret = rgb(game::ColourTable[target - 1].colour);
    QTest::mouseClick(game.widget(button(target % 6 + 1)), Qt::LeftButton);
    EXPECT_EQ(game.incorrect(), "1");
    EXPECT_EQ(game.correct(), "0");
    EXPECT_EQ(game.form1.Picture1.backColour().value, game::ColourTable[target - 1].colour);
    const QImage revealed = grab(panel);
    EXPECT_EQ(countColour(revealed, secret), revealed.width() * revealed.height());
    EXPECT_NE(accessibleName(panel), hiddenName);
    EXPECT_TRUE(accessibleName(panel).contains(colourNames[target - 1])) << accessibleName(panel);

    QTest::mouseClick(game.widget(button(target)), Qt::LeftButton);
    EXPECT_EQ(game.correct(), "1");
    EXPECT_EQ(game.incorrect(), "1");

    game.runtime.advance(2999);
    EXPECT_EQ(countColour(grab(panel), secret), revealed.width() * revealed.height());
    game.runtime.advance(1);
    EXPECT_EQ(game.form1.Picture1.backColour().value, game::black);
    const QImage hidden = grab(panel);
    EXPECT_EQ(countColour(hidden, Qt::black), hidden.width() * hidden.height());
    EXPECT_EQ(accessibleName(panel), hiddenName);
}

// The runtime's clock used to move only when a timer woke the host, so a
// reveal ran from the last tick before the click and could end at once.
TEST(RealTime, RevealRunsFromTheClickNotFromTheLastTick) {
    ScriptedRandom random{{0.5f}};
    RecordingReporter reporter;
    std::int64_t now = 0;
    GameWindow game(random, reporter, [&now] { return now; });
    game.window->show();

    now = 4321; // the host's timer has not woken since the window opened
    QTest::mouseClick(game.widget("Command7"), Qt::LeftButton);
    EXPECT_EQ(random.draws, 4321 / 200 + 1) << "the ticks before Start did not run";
    now = 9876;
    QTest::mouseClick(game.widget("Command1"), Qt::LeftButton);
    ASSERT_TRUE(game.form1.Timer2.isEnabled());
    EXPECT_EQ(game.runtime.nextDue(), 9876 + 3000);
}

TEST_F(Window, ScreenReadersHearColoursAndCounts) {
    for (int k = 1; k <= 6; ++k) {
        QWidget* square = game.widget(button(k));
        EXPECT_EQ(accessibleName(square), colourNames[k - 1]);
        EXPECT_EQ(square->toolTip(), colourNames[k - 1]);
    }
    auto says = [](QWidget* label, const char* what, int n) {
        QString name = accessibleName(label);
        EXPECT_TRUE(name.contains(what)) << name;
        EXPECT_TRUE(name.contains(QRegularExpression(QString("\\b%1\\b").arg(n)))) << name;
    };
    QLabel* correct = game.label("Label2");
    QLabel* incorrect = game.label("Label4");
    says(correct, "Correct", 0);
    says(incorrect, "Incorrect", 0);
    EXPECT_FALSE(accessibleName(correct).contains("Incorrect"));

    game.runtime.advance(200); // the first secret
    const int target = game.form1.Target;
    QTest::mouseClick(game.widget(button(target % 6 + 1)), Qt::LeftButton);
    QTest::mouseClick(game.widget(button(target % 6 + 1)), Qt::LeftButton);
    says(incorrect, "Incorrect", 2);
    says(correct, "Correct", 0);
}

TEST_F(Window, KeyboardWalksTheTabOrderAndPresses) {
    game.showActive();
    std::array<QImage, 6> unfocused;
    for (int k = 1; k <= 6; ++k) {
        QWidget* square = game.widget(button(k));
        EXPECT_FALSE(square->hasFocus()) << button(k);
        unfocused[k - 1] = grab(square);
        EXPECT_EQ(countColour(unfocused[k - 1], rgb(game::ColourTable[k - 1].colour)),
                  unfocused[k - 1].width() * unfocused[k - 1].height())
            << button(k) << " shows a focus mark before any Tab";
    }

    // Labels take no focus; after Exit the walk comes round to the panel.
    const std::vector<std::string> order = {"Command1", "Command2", "Command3", "Command4",
                                            "Command5", "Command6", "Command7", "Command8",
                                            "Command9", "Picture1", "Command1"};
    for (const std::string& name : order) {
        QWidget* from = QApplication::focusWidget();
        ASSERT_NE(from, nullptr);
        QTest::keyClick(from, Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(), game.widget(name))
            << "Tab from " << from->objectName();
        if (name == "Command2") {
            const QImage focused = grab(game.widget(name));
            const int area = focused.width() * focused.height();
            EXPECT_TRUE(focused != unfocused[1]) << "no visible focus mark";
            EXPECT_GT(countColour(focused, rgb(game::ColourTable[1].colour)), area * 6 / 10);
        }
    }

    // Space presses the focused square, as a click would.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_EQ(std::stoi(game.correct()) + std::stoi(game.incorrect()), 1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_EQ(std::stoi(game.correct()) + std::stoi(game.incorrect()), 2);
}

// Whether text fits where the widget draws it: the label's contents, or the
// button's area inside its bevel.
void expectTextFits(QWidget* widget) {
    const QString text = widget->property("text").toString();
    QRect room = widget->contentsRect();
    if (auto* pushButton = qobject_cast<QPushButton*>(widget)) {
        QStyleOptionButton option;
        option.initFrom(pushButton);
        option.text = text;
        room =
            pushButton->style()->subElementRect(QStyle::SE_PushButtonContents, &option, pushButton);
    }
    const QFontMetrics metrics(widget->font());
    EXPECT_LE(metrics.horizontalAdvance(text), room.width())
        << widget->objectName() << " \"" << text << "\"";
    EXPECT_LE(metrics.height(), room.height()) << widget->objectName();
}

// Every pixel of text the label draws shows in the window: no neighbour
// stacked above it hides the edge of a letter or digit.
void expectInkVisible(QWidget* window, QWidget* label) {
    const QImage own = grab(label);
    const QImage shown = grab(window).copy(label->geometry());
    int ink = 0, hidden = 0;
    for (int y = 0; y < own.height(); ++y)
        for (int x = 0; x < own.width(); ++x)
            if (own.pixelColor(x, y).red() > 0) {
                ++ink;
                hidden += own.pixel(x, y) != shown.pixel(x, y) ? 1 : 0;
            }
    EXPECT_GT(ink, 0) << label->objectName();
    EXPECT_EQ(hidden, 0) << label->objectName() << " has text pixels hidden";
}

TEST_F(Window, EveryCaptionAndCountStaysReadable) {
    for (const char* name : {"Label1", "Label3", "Command7", "Command8", "Command9"})
        expectTextFits(game.widget(name));

    for (const char* name : {"Label2", "Label4"}) {
        rt::Label& count = game.form.control<rt::Label>(name);
        QLabel* label = game.label(name);
        for (const char* digits : {"9", "99", "999", "9999", "99999"}) {
            const std::string caption = digits;
            rt::check(count.setCaption(caption));
            ASSERT_EQ(label->text(), QString::fromStdString(caption));
            SCOPED_TRACE(std::string(name) + " showing " + caption);
            expectTextFits(label);
            EXPECT_GE(QFontInfo(label->font()).pixelSize(), 6);
            const QRect area = label->geometry();
            EXPECT_TRUE(game.window->rect().contains(area));
            for (QWidget* other : game.window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                const QRect next = other->geometry();
                bool sameRow = next.top() <= area.bottom() && area.top() <= next.bottom();
                if (other != label && sameRow && next.left() > area.left()) {
                    EXPECT_LT(area.right(), next.left()) << "runs into " << other->objectName();
                }
            }
            for (const char* shown : {"Label1", "Label2", "Label3", "Label4"})
                expectInkVisible(game.window, game.widget(shown));
        }
    }
}

TEST(ErrorBox, NothingRunsWhileTheMessageBoxIsOpen) {
    ScriptedRandom random({std::numeric_limits<float>::quiet_NaN()});
    window::MessageBoxReporter reporter;
    GameWindow game(random, reporter);
    game.window->show();

    // Polls for the modal box from inside its event loop. Each box found is
    // counted and closed, and the watch goes on while it is open, so that an
    // error raised by the attempts below shows as a second box, not a hang.
    QObject watcher; // cancels pending polls when the test ends
    int boxes = 0, polls = 0, drawsWhileOpen = -1;
    QString boxText;
    std::function<void()> watch = [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            if (++polls < 200)
                QTimer::singleShot(10, &watcher, watch);
            return;
        }
        QTimer::singleShot(0, &watcher, watch);
        if (++boxes == 1) {
            boxText = box->text();
            const int draws = random.draws;
            for (int k = 1; k <= 6; ++k)
                QTest::mouseClick(game.widget(button(k)), Qt::LeftButton);
            QTest::mouseClick(game.widget("Command8"), Qt::LeftButton);
            game.runtime.advance(10000);
            drawsWhileOpen = random.draws - draws;
        }
        QTest::mouseClick(box->buttons().value(0), Qt::LeftButton);
    };
    QTimer::singleShot(0, &watcher, watch);

    game.runtime.advance(200); // the tick whose draw fails; returns once the box is closed
    ASSERT_EQ(boxes, 1);
    EXPECT_TRUE(boxText.contains("Run-time error")) << boxText;
    EXPECT_EQ(drawsWhileOpen, 0);
    EXPECT_EQ(game.correct(), "0");
    EXPECT_EQ(game.incorrect(), "0");
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(game.runtime.ended());
    EXPECT_NE(game.runtime.exitCode(), 0);
}

} // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Listing the tests, as CMake's discovery does after each build, runs none
    // of them and so needs no display.
    if (GTEST_FLAG_GET(list_tests))
        return RUN_ALL_TESTS();
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
