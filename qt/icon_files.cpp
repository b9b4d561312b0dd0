// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Build-time tool: writes the game's icon into a hicolor icon theme tree,
// DIR/NxN/apps/ID.png at every size and DIR/scalable/apps/ID.svg, all from
// the one drawing. It refuses a drawing whose 32 x 32 image uses more than 16
// colours, so that a bad edit fails the build instead of shipping.
#include "icon.h"
#include "icon_drawing.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QSet>
#include <QString>

#include <cstdio>
#include <utility>

namespace {

constexpr int maxColours = 16;

int countColours(const QImage& image) {
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            colours.insert(image.pixel(x, y));
    return int(colours.size());
}

// Makes the file's folder, then the file.
bool write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return QDir().mkpath(QFileInfo(path).path()) && file.open(QIODevice::WriteOnly) &&
           file.write(bytes) == bytes.size();
}

QByteArray png(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s DIR ID\n", argv[0]);
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    const QString id = QString::fromLocal8Bit(argv[2]);

    const int colours = countColours(qtui::iconImage(32));
    if (colours > maxColours) {
        std::fprintf(stderr, "%s: the 32 x 32 icon uses %d colours, more than %d\n", argv[0],
                     colours, maxColours);
        return 1;
    }
    QList<std::pair<QString, QByteArray>> files = {
        {QStringLiteral("%1/scalable/apps/%2.svg").arg(dir, id),
         QByteArray::fromStdString(window::iconSvg())}};
    for (int size : qtui::iconSizes)
        files.append({QStringLiteral("%1/%2x%2/apps/%3.png").arg(dir).arg(size).arg(id),
                      png(qtui::iconImage(size))});
    for (const auto& [path, bytes] : files) {
        if (bytes.isEmpty() || !write(path, bytes)) {
            std::fprintf(stderr, "%s: cannot write %s\n", argv[0], qPrintable(path));
            return 1;
        }
    }
    return 0;
}
