// Build-time tool: converts the hand-drawn XPM icon into the PNG that desktops
// look up in the hicolor theme. It refuses an icon that is not 32 x 32 or that
// uses more than 16 colours, so that a bad edit fails the build instead of
// shipping.
#include <QImage>
#include <QSet>
#include <QString>

#include <cstdio>

namespace {

constexpr int side = 32;
constexpr int maxColours = 16;

int countColours(const QImage& image) {
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            colours.insert(image.pixel(x, y));
    return int(colours.size());
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s ICON.xpm ICON.png\n", argv[0]);
        return 2;
    }
    const QString source = QString::fromLocal8Bit(argv[1]);
    const QString target = QString::fromLocal8Bit(argv[2]);

    QImage image(source, "XPM");
    if (image.isNull()) {
        std::fprintf(stderr, "%s: cannot read %s as XPM\n", argv[0], argv[1]);
        return 1;
    }
    if (image.width() != side || image.height() != side) {
        std::fprintf(stderr, "%s: %s is %d x %d, not %d x %d\n", argv[0], argv[1], image.width(),
                     image.height(), side, side);
        return 1;
    }
    image = image.convertToFormat(QImage::Format_ARGB32);
    const int colours = countColours(image);
    if (colours > maxColours) {
        std::fprintf(stderr, "%s: %s uses %d colours, more than %d\n", argv[0], argv[1], colours,
                     maxColours);
        return 1;
    }
    if (!image.save(target, "PNG")) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[2]);
        return 1;
    }
    return 0;
}
