// The icon compiled into the program: found at the path main.cpp uses, 32 x 32,
// at most 16 colours, and showing the black panel and all six colours the
// secret can take.
#include "colour_table.h"
#include "icon.h"

#include <QColor>
#include <QImage>
#include <QSet>

#include <gtest/gtest.h>

namespace {

QImage loadIcon() { return QImage(app::iconPath()).convertToFormat(QImage::Format_ARGB32); }

QSet<QRgb> coloursOf(const QImage& image) {
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            colours.insert(image.pixel(x, y));
    return colours;
}

// The game stores colours as 0x00BBGGRR.
QRgb toRgb(rt::Colour colour) {
    return qRgb(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF));
}

TEST(Icon, LoadsFromTheProgramsResourcePath) {
    const QImage icon(app::iconPath());
    ASSERT_FALSE(icon.isNull()) << app::iconPath().toStdString();
}

TEST(Icon, Is32By32WithAtMost16Colours) {
    const QImage icon = loadIcon();
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(icon.width(), 32);
    EXPECT_EQ(icon.height(), 32);
    EXPECT_LE(coloursOf(icon).size(), 16);
}

TEST(Icon, ShowsTheBlackPanelAndEverySecretColour) {
    const QSet<QRgb> colours = coloursOf(loadIcon());
    EXPECT_TRUE(colours.contains(toRgb(game::black)));
    for (const game::ColourRow& row : game::ColourTable)
        EXPECT_TRUE(colours.contains(toRgb(row.colour))) << row.seenAs;
}

} // namespace
