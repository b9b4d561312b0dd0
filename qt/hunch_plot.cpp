// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "hunch_plot.h"

#include "hunch_meter.h"
#include "meter_bands.h"

#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QPolygonF>
#include <QString>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <utility>

namespace qtui {
namespace {

constexpr double luck = 1.0 / 6.0;
constexpr int imageWidth = 960, imageHeight = 540;
// The chart's frame, in whole pixels so that each pixel column is one stretch
// of a long journal; its axes' words, the legend and the reading lie below.
constexpr int chartLeft = 88, chartTop = 58, chartWidth = 832, chartHeight = 332;
// The rate at which the meter states nothing, above the top of any chart,
// whose range ends at 100% at most.
constexpr double unreachable = game::unreachableRate;
// The meter's odds of 1 in 20 and 1 in 100, as their common logarithms.
const double twentyOdds = std::log10(20.0), hundredOdds = 2;

// Colours that blue-yellow and red-green colour-blind readers tell apart too:
// the player's rate in a strong blue over greys and ambers.
constexpr QRgb ink = 0xFF202020, frameGrey = 0xFF8C8C8C, rateBlue = 0xFF0F4CB8,
               luckLine = 0xFF3A3A3A, belowTwentyFill = 0xFFE6E6E6, twentyFill = 0xFFFDEFD2,
               hundredFill = 0xFFF7CD8A, twentyEdge = 0xFFD9A441, hundredEdge = 0xFFA8640C;

// value with a comma between groups of three digits: "1,234,567".
QString grouped(std::int64_t value) {
    QString digits = QString::number(value);
    for (qsizetype at = digits.size() - 3; at > (value < 0 ? 1 : 0); at -= 3)
        digits.insert(at, QLatin1Char(','));
    return digits;
}

// What the chart shows of the blind guesses first..last (counted from 1):
// where the running rate starts, ends, and is lowest and highest in them, and
// the highest rates the meter needs in them for 1 in 20 and 1 in 100.
struct Stretch {
    std::int64_t first = 0, last = 0, lowAt = 0, highAt = 0;
    double firstRate = 0, lastRate = 0, low = 0, high = 0;
    double twenty = 0, hundred = 0;
};

// The journal in at most `columns` stretches of about equal length, in one
// pass and without storing anything per guess.
std::vector<Stretch> stretches(const std::vector<bool>& outcomes, int columns) {
    const auto guesses = std::int64_t(outcomes.size());
    const std::int64_t count = std::min<std::int64_t>(guesses, columns);
    std::vector<Stretch> result(static_cast<std::size_t>(count));
    std::int64_t right = 0, guess = 0;
    for (std::int64_t s = 0; s < count; ++s) {
        Stretch& stretch = result[std::size_t(s)];
        stretch.first = guess + 1;
        stretch.last = guesses * (s + 1) / count;
        for (; guess < stretch.last; ++guess) {
            right += outcomes[std::size_t(guess)] ? 1 : 0;
            const double rate = double(right) / double(guess + 1);
            if (guess + 1 == stretch.first) {
                stretch.firstRate = stretch.low = stretch.high = rate;
                stretch.lowAt = stretch.highAt = stretch.first;
            } else if (rate < stretch.low) {
                stretch.low = rate;
                stretch.lowAt = guess + 1;
            } else if (rate > stretch.high) {
                stretch.high = rate;
                stretch.highAt = guess + 1;
            }
            stretch.lastRate = rate;
        }
    }
    return result;
}

// Tick spacing of about a fifth of `span`, and no finer than `finest`: 1, 2
// or 5 times a power of ten.
double tickStep(double span, double finest) {
    const double raw = std::max(span / 5, finest);
    const double unit = std::pow(10.0, std::floor(std::log10(raw)));
    const double ratio = raw / unit;
    return unit * (ratio < 1.5 ? 1 : ratio < 3.5 ? 2 : ratio < 7.5 ? 5 : 10);
}

// The rates the chart shows, from low to high, with a tick every step; both
// ends are ticks.
struct RateAxis {
    double low, high, step;
};

// Luck, and over the last nine tenths of the journal the player's rate and
// the rates the meter needs, so that the early swings, which may reach 0% and
// 100%, leave room for what matters.
RateAxis rateAxis(const std::vector<Stretch>& all, std::int64_t guesses) {
    const std::int64_t from = std::max<std::int64_t>(1, guesses / 10);
    double low = luck, high = luck;
    for (const Stretch& s : all) {
        if (s.last < from)
            continue;
        low = std::min(low, s.low);
        high = std::max(high, s.high);
        for (double log10Odds : {twentyOdds, hundredOdds})
            if (const double needed = game::rateNeeded(s.last, log10Odds); needed <= 1)
                high = std::max(high, needed);
    }
    if (high - low < 0.004)
        high = low + 0.004;
    const double margin = (high - low) * 0.08;
    low = std::max(0.0, low - margin);
    high = std::min(1.0, high + margin);
    // A range that reaches down to near nothing reads best from 0%.
    if (low < high / 2)
        low = 0;
    const double step = tickStep(100 * (high - low), 0.01) / 100;
    return {std::max(0.0, std::floor(low / step + 1e-9) * step),
            std::min(1.0, std::ceil(high / step - 1e-9) * step), step};
}

QFont font(int pixels, bool bold = false) {
    QFont result(QGuiApplication::font().family());
    result.setPixelSize(pixels);
    result.setBold(bold);
    return result;
}

QString title(std::int64_t guesses, std::int64_t games) {
    const QString gamesText =
        QStringLiteral("%1 game%2")
            .arg(grouped(games), games == 1 ? QString() : QStringLiteral("s"));
    if (guesses == 0)
        return games > 0 ? QStringLiteral("Tavelquin: %1, no blind guesses yet").arg(gamesText)
                         : QStringLiteral("Tavelquin: no blind guesses yet");
    QString text = QStringLiteral("Tavelquin: %1 blind guess%2")
                       .arg(grouped(guesses), guesses == 1 ? QString() : QStringLiteral("es"));
    if (games > 0)
        text += QStringLiteral(" in ") + gamesText;
    return text;
}

// Draws the meter's reading in words across the foot of the picture.
void drawReading(QPainter& painter, std::int64_t guesses, std::int64_t right) {
    painter.setPen(QColor::fromRgb(ink));
    painter.setFont(font(15));
    const QRectF area(chartLeft, 488, chartWidth, imageHeight - 490);
    painter.drawText(area, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                     QStringLiteral("The hunch meter now: ") +
                         QString::fromStdString(game::hunchReading(guesses, right)));
}

// An entry of the legend: a sample of a line or a fill, or none, and words.
struct LegendEntry {
    QString text;
    QRgb colour;
    enum { Line, DashedLine, Fill, Words } sample;
};

// Draws the entries one after another along a row, centred on the picture.
void drawLegend(QPainter& painter, const std::vector<LegendEntry>& entries, double y) {
    painter.setFont(font(13));
    const QFontMetricsF metrics(painter.font());
    constexpr double sampleWidth = 22, gap = 6, spacing = 22;
    auto sampleSpace = [&](const LegendEntry& entry) {
        return entry.sample == LegendEntry::Words ? 0 : sampleWidth + gap;
    };
    auto spaceAfter = [&](const LegendEntry& entry) {
        return entry.sample == LegendEntry::Words ? gap : spacing;
    };
    double total = -spacing;
    for (const LegendEntry& entry : entries)
        total += sampleSpace(entry) + metrics.horizontalAdvance(entry.text) + spaceAfter(entry);
    double x = (imageWidth - total) / 2;
    for (const LegendEntry& entry : entries) {
        const QRectF sample(x, y - 6, sampleWidth, 12);
        const QColor colour = QColor::fromRgb(entry.colour);
        if (entry.sample == LegendEntry::Fill) {
            painter.setPen(QPen(QColor::fromRgb(frameGrey), 1));
            painter.setBrush(colour);
            painter.drawRect(sample);
        } else if (entry.sample != LegendEntry::Words) {
            QPen pen(colour, entry.sample == LegendEntry::Line ? 2.5 : 1.5);
            if (entry.sample == LegendEntry::DashedLine)
                pen.setDashPattern({4, 3});
            painter.setPen(pen);
            painter.drawLine(QPointF(sample.left(), y), QPointF(sample.right(), y));
        }
        x += sampleSpace(entry);
        painter.setPen(QColor::fromRgb(ink));
        const double advance = metrics.horizontalAdvance(entry.text);
        painter.drawText(QRectF(x, y - 10, advance + 1, 20), Qt::AlignLeft | Qt::AlignVCenter,
                         entry.text);
        x += advance + spaceAfter(entry);
    }
}

} // namespace

QImage hunchPlot(const std::vector<bool>& outcomes, std::int64_t games) {
    QImage image(imageWidth, imageHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    const auto guesses = std::int64_t(outcomes.size());
    const auto right = std::int64_t(std::count(outcomes.begin(), outcomes.end(), true));
    const QRectF chart(chartLeft, chartTop, chartWidth, chartHeight);

    painter.setPen(QColor::fromRgb(ink));
    painter.setFont(font(21, true));
    painter.drawText(QRectF(0, 12, imageWidth, 34), Qt::AlignCenter, title(guesses, games));

    if (guesses == 0) {
        painter.setPen(QPen(QColor::fromRgb(frameGrey), 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(chart.adjusted(0.5, 0.5, -0.5, -0.5));
        painter.setPen(QColor::fromRgb(ink));
        painter.setFont(font(18));
        painter.drawText(chart, Qt::AlignCenter,
                         QStringLiteral("No blind guesses to draw yet.\nThe picture fills in as "
                                        "you guess while the panel is black."));
        drawReading(painter, guesses, right);
        return image;
    }

    std::vector<Stretch> all = stretches(outcomes, chartWidth);
    const RateAxis axis = rateAxis(all, guesses);
    const double low = axis.low, high = axis.high;
    // The band to within half a pixel.
    const double tolerance = 0.5 * (high - low) / chartHeight;
    for (Stretch& s : all) {
        s.twenty = game::highestRateNeeded(s.first, s.last, twentyOdds, tolerance);
        s.hundred = game::highestRateNeeded(s.first, s.last, hundredOdds, tolerance);
    }
    auto px = [&](double guess) { return chart.left() + chart.width() * guess / double(guesses); };
    auto py = [&](double rate) {
        return chart.bottom() - chart.height() * (rate - low) / (high - low);
    };
    const double luckY = py(luck);

    // The band's edge: over a stretch of several guesses flat across its
    // pixel column; from one guess to the next a straight line, except where
    // the meter first can state its odds at all.
    auto bandEdge = [&](double Stretch::*rate) {
        QPolygonF edge;
        edge << QPointF(chart.left(), py(unreachable));
        for (const Stretch& s : all) {
            const double y = py(s.*rate);
            if (s.first < s.last) {
                edge << QPointF(px(double(s.first - 1)), y) << QPointF(px(double(s.last)), y);
            } else {
                if (s.*rate < unreachable && edge.back().y() == py(unreachable))
                    edge << QPointF(px(double(s.last)), py(unreachable));
                edge << QPointF(px(double(s.last)), y);
            }
        }
        return edge;
    };
    const QPolygonF twentyEdgeLine = bandEdge(&Stretch::twenty);
    const QPolygonF hundredEdgeLine = bandEdge(&Stretch::hundred);
    auto zoneBelow = [&](QPolygonF edge) {
        edge << QPointF(chart.right(), luckY) << QPointF(chart.left(), luckY);
        return edge;
    };

    painter.save();
    painter.setClipRect(chart);
    painter.setPen(Qt::NoPen);
    painter.fillRect(QRectF(chart.topLeft(), QPointF(chart.right(), luckY)),
                     QColor::fromRgb(hundredFill));
    painter.setBrush(QColor::fromRgb(twentyFill));
    painter.drawPolygon(zoneBelow(hundredEdgeLine));
    painter.setBrush(QColor::fromRgb(belowTwentyFill));
    painter.drawPolygon(zoneBelow(twentyEdgeLine));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor::fromRgb(twentyEdge), 1));
    painter.drawPolyline(twentyEdgeLine);
    painter.setPen(QPen(QColor::fromRgb(hundredEdge), 1.2));
    painter.drawPolyline(hundredEdgeLine);
    painter.restore();

    // Grid lines and ticks.
    const double rateStep = 100 * axis.step;
    const int decimals = rateStep >= 1 ? 0 : int(std::ceil(-std::log10(rateStep) - 1e-9));
    const double guessStep = tickStep(double(guesses), 1);
    painter.setFont(font(13));
    const QPen gridPen(QColor(0, 0, 0, 30), 1);
    for (long k = std::lround(low / axis.step); k <= std::lround(high / axis.step); ++k) {
        const double percent = double(k) * rateStep;
        const double y = std::round(py(percent / 100)) + 0.5;
        painter.setPen(gridPen);
        painter.drawLine(QPointF(chart.left(), y), QPointF(chart.right(), y));
        painter.setPen(QColor::fromRgb(ink));
        painter.drawText(QRectF(0, y - 10, chart.left() - 8, 20), Qt::AlignRight | Qt::AlignVCenter,
                         QString::number(percent, 'f', decimals) + QLatin1Char('%'));
    }
    for (std::int64_t k = 0;; ++k) {
        const auto guess = std::int64_t(std::llround(double(k) * guessStep));
        if (guess > guesses)
            break;
        const double x = std::round(px(double(guess))) + 0.5;
        painter.setPen(gridPen);
        painter.drawLine(QPointF(x, chart.top()), QPointF(x, chart.bottom() + 4));
        painter.setPen(QColor::fromRgb(ink));
        // Centred under its tick, but inside the picture.
        const QString label = grouped(guess);
        const double half = QFontMetricsF(painter.font()).horizontalAdvance(label) / 2 + 1;
        const double labelX = std::clamp(x, half + 2, imageWidth - half - 2);
        painter.drawText(QRectF(labelX - half, chart.bottom() + 5, 2 * half, 18), Qt::AlignCenter,
                         label);
    }

    // The frame under the lines, which may run along it.
    painter.setPen(QPen(QColor::fromRgb(frameGrey), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(chart.adjusted(-0.5, -0.5, 0.5, 0.5));

    painter.save();
    painter.setClipRect(chart);
    QPen luckPen(QColor::fromRgb(luckLine), 1.5);
    luckPen.setDashPattern({5, 3});
    painter.setPen(luckPen);
    painter.drawLine(QPointF(chart.left(), luckY), QPointF(chart.right(), luckY));
    // Room for the whole width of the line where it runs along the top or the
    // bottom at 100% or 0%, and for its last dot at the right edge.
    painter.setClipRect(chart.adjusted(0, high >= 1 ? -4 : 0, 4, low <= 0 ? 4 : 0));

    // The running rate at the first, lowest, highest and last guess of each
    // stretch, in the order they came, so that no swing inside a pixel column
    // is lost.
    QPolygonF rateLine;
    for (const Stretch& s : all) {
        std::pair<std::int64_t, double> points[] = {
            {s.first, s.firstRate}, {s.lowAt, s.low}, {s.highAt, s.high}, {s.last, s.lastRate}};
        std::sort(std::begin(points), std::end(points),
                  [](const auto& a, const auto& b) { return a.first < b.first; });
        for (std::size_t i = 0; i < std::size(points); ++i)
            if (i == 0 || points[i].first != points[i - 1].first)
                rateLine << QPointF(px(double(points[i].first)), py(points[i].second));
    }
    QPen ratePen(QColor::fromRgb(rateBlue), 2.5);
    ratePen.setJoinStyle(Qt::RoundJoin);
    ratePen.setCapStyle(Qt::RoundCap);
    painter.setPen(ratePen);
    painter.drawPolyline(rateLine);
    // Few enough guesses to see one by one: a dot at each.
    if (guesses <= 60) {
        painter.setBrush(QColor::fromRgb(rateBlue));
        painter.setPen(Qt::NoPen);
        for (const QPointF& point : rateLine)
            painter.drawEllipse(point, 3.5, 3.5);
    }
    painter.restore();

    painter.setPen(QColor::fromRgb(ink));
    painter.setFont(font(14));
    painter.drawText(QRectF(chart.left(), chart.bottom() + 24, chart.width(), 20), Qt::AlignCenter,
                     QStringLiteral("Blind guesses so far"));
    painter.save();
    painter.translate(18, chart.center().y());
    painter.rotate(-90);
    painter.drawText(QRectF(-chart.height() / 2, -10, chart.height(), 20), Qt::AlignCenter,
                     QStringLiteral("Share right so far"));
    painter.restore();

    drawLegend(painter,
               {{QStringLiteral("Your rate of right blind guesses"), rateBlue, LegendEntry::Line},
                {QStringLiteral("Luck: 1 in 6 (16.7%)"), luckLine, LegendEntry::DashedLine}},
               452);
    drawLegend(painter,
               {{QStringLiteral("Where your rate runs, the meter says:"), ink, LegendEntry::Words},
                {QStringLiteral("under 1 in 20"), belowTwentyFill, LegendEntry::Fill},
                {QStringLiteral("1 in 20 or rarer"), twentyFill, LegendEntry::Fill},
                {QStringLiteral("1 in 100 or rarer"), hundredFill, LegendEntry::Fill}},
               471);
    drawReading(painter, guesses, right);
    return image;
}

} // namespace qtui
