// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "svg_writer.h"

#include "text_format.h"

#include <vector>

namespace report {
namespace {

// A length or a coordinate to a hundredth of a unit, with no trailing zeros:
// "12.5", "-3", "88.25".
std::string number(double value) {
    std::string text = fixed(value, 2);
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.')
        text.pop_back();
    return text == "-0" ? "0" : text;
}

// The colour of a fill or a stroke, and its opacity when it is not opaque:
// ` fill="#0f4cb8"`.
std::string paint(const char* what, Colour colour) {
    static const char digits[] = "0123456789abcdef";
    std::string text = std::string(" ") + what + "=\"#";
    for (int shift = 20; shift >= 0; shift -= 4)
        text += digits[(colour >> shift) & 0xF];
    text += '"';
    if (const Colour alpha = colour >> 24; alpha != 0xFF)
        text += std::string(" ") + what + "-opacity=\"" + number(double(alpha) / 255) + '"';
    return text;
}

class Writer {
public:
    explicit Writer(const std::string& id) : id_(id) {}

    std::string write(const Scene& scene, const ImageText& text) {
        for (const Item& item : scene.items)
            std::visit([&](const auto& shape) { add(shape); }, item);
        std::string svg =
            "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 " + number(scene.width) + " " +
            number(scene.height) + "\" width=\"" + number(scene.width) + "\" height=\"" +
            number(scene.height) + "\" role=\"img\" aria-labelledby=\"" + id_ + "-title " + id_ +
            "-desc\" font-family=\"'" + sceneFont + "', Verdana, sans-serif\">\n<title id=\"" +
            id_ + "-title\">" + escaped(text.title) + "</title>\n<desc id=\"" + id_ + "-desc\">" +
            escaped(text.description) + "</desc>\n";
        if (!clips_.empty()) {
            svg += "<defs>";
            for (std::size_t i = 0; i < clips_.size(); ++i) {
                const Box& box = clips_[i];
                svg += "<clipPath id=\"" + clipId(i) + "\"><rect x=\"" + number(box.left) +
                       "\" y=\"" + number(box.top) + "\" width=\"" + number(box.width) +
                       "\" height=\"" + number(box.height) + "\"/></clipPath>";
            }
            svg += "</defs>\n";
        }
        svg += "<rect width=\"" + number(scene.width) + "\" height=\"" + number(scene.height) +
               "\"" + paint("fill", scene.background) + "/>\n";
        return svg + body_ + "</svg>";
    }

private:
    std::string clipId(std::size_t index) const {
        return id_ + "-clip" + std::to_string(index + 1);
    }

    // ` clip-path="url(#ID-clipN)"`, one clip path for each box, or nothing.
    std::string clipped(const std::optional<Box>& clip) {
        if (!clip)
            return {};
        std::size_t i = 0;
        while (i < clips_.size() &&
               !(clips_[i].left == clip->left && clips_[i].top == clip->top &&
                 clips_[i].width == clip->width && clips_[i].height == clip->height))
            ++i;
        if (i == clips_.size())
            clips_.push_back(*clip);
        return " clip-path=\"url(#" + clipId(i) + ")\"";
    }

    void add(const Path& path) {
        body_ += path.closed ? "<polygon points=\"" : "<polyline points=\"";
        for (std::size_t i = 0; i < path.points.size(); ++i)
            body_ += (i ? " " : "") + number(path.points[i].x) + "," + number(path.points[i].y);
        body_ += '"';
        body_ += path.fill ? paint("fill", *path.fill) : " fill=\"none\"";
        if (const auto& pen = path.pen) {
            body_ += paint("stroke", pen->colour) + " stroke-width=\"" + number(pen->width) + '"';
            if (!pen->dashes.empty()) {
                body_ += " stroke-dasharray=\"";
                for (std::size_t i = 0; i < pen->dashes.size(); ++i)
                    body_ += (i ? " " : "") + number(pen->dashes[i]);
                body_ += '"';
            }
            if (pen->round)
                body_ += " stroke-linejoin=\"round\" stroke-linecap=\"round\"";
        }
        body_ += clipped(path.clip) + "/>\n";
    }

    void add(const Dots& dots) {
        body_ += "<g" + paint("fill", dots.colour) + clipped(dots.clip) + ">";
        for (const Point& centre : dots.centres)
            body_ += "<circle cx=\"" + number(centre.x) + "\" cy=\"" + number(centre.y) +
                     "\" r=\"" + number(dots.radius) + "\"/>";
        body_ += "</g>\n";
    }

    void add(const Text& text) {
        const std::string x = number(text.at.x), y = number(text.at.y);
        body_ += "<text x=\"" + x + "\" y=\"" + y + "\" font-size=\"" + number(text.size) + '"' +
                 paint("fill", text.colour);
        if (text.anchor != Anchor::start)
            body_ +=
                text.anchor == Anchor::middle ? " text-anchor=\"middle\"" : " text-anchor=\"end\"";
        if (text.bold)
            body_ += " font-weight=\"bold\"";
        if (text.vertical)
            body_ += " transform=\"rotate(-90 " + x + " " + y + ")\"";
        body_ += ">" + escaped(text.text) + "</text>\n";
    }

    std::string id_;
    std::vector<Box> clips_;
    std::string body_;
};

} // namespace

std::string svgElement(const Scene& scene, const std::string& id, const ImageText& text) {
    return Writer(id).write(scene, text);
}

std::string svgDocument(const Scene& scene, const ImageText& text) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + svgElement(scene, "chart", text) + "\n";
}

} // namespace report
