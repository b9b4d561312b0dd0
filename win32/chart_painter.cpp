// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "chart_painter.h"

#include "text_encoding.h"

#include <windows.h>

#include <gdiplus.h>

#include <cmath>
#include <variant>
#include <vector>

namespace win32ui {
namespace {

using namespace Gdiplus;

Color colour(report::Colour argb) { return Color(ARGB(argb)); }

std::vector<PointF> points(const std::vector<report::Point>& from) {
    std::vector<PointF> to;
    for (const report::Point& point : from)
        to.emplace_back(REAL(point.x), REAL(point.y));
    return to;
}

void clipTo(Graphics& graphics, const std::optional<report::Box>& clip) {
    if (clip)
        graphics.SetClip(
            RectF(REAL(clip->left), REAL(clip->top), REAL(clip->width), REAL(clip->height)));
    else
        graphics.ResetClip();
}

// GDI+ counts dashes in pen widths, as Qt does; the scene counts them in its units.
void paint(Graphics& graphics, const report::Path& path) {
    const std::vector<PointF> corners = points(path.points);
    clipTo(graphics, path.clip);
    if (path.fill && path.closed) {
        SolidBrush brush(colour(*path.fill));
        graphics.FillPolygon(&brush, corners.data(), INT(corners.size()));
    }
    if (!path.pen)
        return;
    Pen pen(colour(path.pen->colour), REAL(path.pen->width));
    std::vector<REAL> dashes;
    for (const double dash : path.pen->dashes)
        dashes.push_back(REAL(dash / path.pen->width));
    if (!dashes.empty())
        pen.SetDashPattern(dashes.data(), INT(dashes.size()));
    pen.SetLineJoin(path.pen->round ? LineJoinRound : LineJoinMiter);
    pen.SetLineCap(path.pen->round ? LineCapRound : LineCapFlat,
                   path.pen->round ? LineCapRound : LineCapFlat,
                   path.pen->round ? DashCapRound : DashCapFlat);
    if (path.closed)
        graphics.DrawPolygon(&pen, corners.data(), INT(corners.size()));
    else
        graphics.DrawLines(&pen, corners.data(), INT(corners.size()));
}

void paint(Graphics& graphics, const report::Dots& dots) {
    clipTo(graphics, dots.clip);
    SolidBrush brush(colour(dots.colour));
    const REAL radius = REAL(dots.radius);
    for (const report::Point& centre : dots.centres)
        graphics.FillEllipse(&brush, REAL(centre.x) - radius, REAL(centre.y) - radius, 2 * radius,
                             2 * radius);
}

void paint(Graphics& graphics, const report::Text& text) {
    // The scene's face where Windows has it, else the system's sans-serif one.
    const FontFamily named(wide(report::sceneFont).c_str());
    const FontFamily* family =
        named.GetLastStatus() == Ok ? &named : FontFamily::GenericSansSerif();
    const INT style = text.bold ? FontStyleBold : FontStyleRegular;
    const REAL size = REAL(std::lround(text.size));
    const Font font(family, size, style, UnitPixel);
    const REAL ascent = size * family->GetCellAscent(style) / family->GetEmHeight(style);
    // Typographic: no padding around the words, which start where they are put.
    StringFormat format(StringFormat::GenericTypographic());
    format.SetFormatFlags(format.GetFormatFlags() | StringFormatFlagsMeasureTrailingSpaces);
    const std::wstring words = wide(text.text);
    RectF box;
    graphics.MeasureString(words.c_str(), INT(words.size()), &font, PointF(0, 0), &format, &box);
    const REAL shift = text.anchor == report::Anchor::start    ? 0
                       : text.anchor == report::Anchor::middle ? box.Width / 2
                                                               : box.Width;
    clipTo(graphics, {});
    graphics.TranslateTransform(REAL(text.at.x), REAL(text.at.y));
    if (text.vertical)
        graphics.RotateTransform(-90);
    SolidBrush brush(colour(text.colour));
    graphics.DrawString(words.c_str(), INT(words.size()), &font, PointF(-shift, -ascent), &format,
                        &brush);
    graphics.ResetTransform();
}

// The encoder GDI+ keeps for PNG images.
bool pngEncoder(CLSID& encoder) {
    UINT count = 0, size = 0;
    if (GetImageEncodersSize(&count, &size) != Ok || size == 0)
        return false;
    std::vector<unsigned char> bytes(size);
    auto* codecs = reinterpret_cast<ImageCodecInfo*>(bytes.data());
    if (GetImageEncoders(count, size, codecs) != Ok)
        return false;
    for (UINT i = 0; i < count; ++i)
        if (std::wstring_view(codecs[i].MimeType) == L"image/png") {
            encoder = codecs[i].Clsid;
            return true;
        }
    return false;
}

std::string paintAndSave(const report::Scene& scene, const std::string& path) {
    Bitmap image(INT(std::ceil(scene.width)), INT(std::ceil(scene.height)), PixelFormat32bppRGB);
    {
        Graphics graphics(&image);
        graphics.Clear(colour(scene.background));
        graphics.SetSmoothingMode(SmoothingModeAntiAlias);
        // Pixel centres at half units, as Qt and SVG have them.
        graphics.SetPixelOffsetMode(PixelOffsetModeHalf);
        graphics.SetTextRenderingHint(TextRenderingHintAntiAlias);
        for (const report::Item& item : scene.items)
            std::visit([&](const auto& shape) { paint(graphics, shape); }, item);
    }
    CLSID encoder;
    if (!pngEncoder(encoder))
        return "GDI+ has no PNG encoder";
    const Status saved = image.Save(wide(path).c_str(), &encoder, nullptr);
    if (saved == Ok)
        return {};
    if (saved == Win32Error)
        return errorReason(GetLastError());
    return "GDI+ could not save it (status " + std::to_string(int(saved)) + ")";
}

} // namespace

std::string savePng(const report::Scene& scene, const std::string& path) {
    // Started once and left running until the program ends, as GDI+ keeps
    // its generic faces and formats from the first use.
    static const bool started = [] {
        const GdiplusStartupInput input;
        ULONG_PTR token = 0;
        return GdiplusStartup(&token, &input, nullptr) == Ok;
    }();
    return started ? paintAndSave(scene, path) : "GDI+ does not start";
}

} // namespace win32ui
