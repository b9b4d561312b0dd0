// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Build-time tool, compiled for and run on the build machine even when the
// game is built for Windows: writes the game's Windows icon file from the one
// drawing. Its first image is the 32 x 32 in 16 colours, exact, for the
// window and for screens of few colours; then the drawing in full colour at
// the sizes Explorer shows, the largest as PNG. It refuses a drawing whose
// 32 x 32 needs more than 16 colours, so that a bad edit fails the build.
#include "icon_drawing.h"

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

void put16(Bytes& out, unsigned value) {
    out.push_back(std::uint8_t(value));
    out.push_back(std::uint8_t(value >> 8));
}

void put32(Bytes& out, std::uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

void put32BigEndian(Bytes& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(std::uint8_t(value >> shift));
}

bool opaque(std::uint32_t argb) { return argb >> 24 >= 0x80; }

// An image as an icon file holds it: a bitmap header with twice the height,
// for the colours and the mask below them, each bottom row first.
struct Bitmap {
    Bytes bytes;
    int colours = 0; // in the palette; 0 for full colour
    int bitCount = 32;
};

// The mask: 1 where the icon is transparent, each row padded to 32 bits.
void appendMask(Bytes& out, const window::IconImage& image) {
    const int size = image.size, stride = (size + 31) / 32 * 4;
    for (int y = size - 1; y >= 0; --y) {
        Bytes row(std::size_t(stride), 0);
        for (int x = 0; x < size; ++x)
            if (!opaque(image.pixels[std::size_t(y * size + x)]))
                row[std::size_t(x / 8)] |= std::uint8_t(0x80 >> (x % 8));
        out.insert(out.end(), row.begin(), row.end());
    }
}

void appendHeader(Bytes& out, int size, int bitCount, std::uint32_t imageBytes) {
    put32(out, 40);
    put32(out, std::uint32_t(size));
    put32(out, std::uint32_t(2 * size));
    put16(out, 1);
    put16(out, unsigned(bitCount));
    put32(out, 0); // uncompressed
    put32(out, imageBytes);
    for (int field = 0; field < 4; ++field) // resolution, colours used and important: none
        put32(out, 0);
}

Bitmap fullColour(const window::IconImage& image) {
    const int size = image.size;
    const std::uint32_t maskBytes = std::uint32_t((size + 31) / 32 * 4 * size);
    Bitmap bitmap;
    appendHeader(bitmap.bytes, size, 32, std::uint32_t(4 * size * size) + maskBytes);
    for (int y = size - 1; y >= 0; --y)
        for (int x = 0; x < size; ++x) // 0xAARRGGBB, stored as B, G, R, A
            put32(bitmap.bytes, image.pixels[std::size_t(y * size + x)]);
    appendMask(bitmap.bytes, image);
    return bitmap;
}

// 4 bits a pixel, each the index of its exact colour in a palette of at most
// 16; transparent pixels are black under a set mask bit. Empty if the image
// needs more colours.
Bitmap sixteenColours(const window::IconImage& image, int& needed) {
    std::vector<std::uint32_t> palette = {0xFF000000};
    for (std::uint32_t argb : image.pixels)
        if (opaque(argb) && std::find(palette.begin(), palette.end(), argb) == palette.end())
            palette.push_back(argb);
    needed = int(palette.size());
    if (palette.size() > 16)
        return {};
    palette.resize(16, 0xFF000000);
    const int size = image.size, stride = (size + 7) / 8 * 4;
    const std::uint32_t maskBytes = std::uint32_t((size + 31) / 32 * 4 * size);
    Bitmap bitmap{{}, 16, 4};
    appendHeader(bitmap.bytes, size, 4, std::uint32_t(stride * size) + maskBytes);
    for (std::uint32_t argb : palette)
        put32(bitmap.bytes, argb & 0xFFFFFF); // B, G, R and a zero
    for (int y = size - 1; y >= 0; --y) {
        Bytes row(std::size_t(stride), 0);
        for (int x = 0; x < size; ++x) {
            const std::uint32_t argb = image.pixels[std::size_t(y * size + x)];
            const auto index =
                opaque(argb) ? std::find(palette.begin(), palette.end(), argb) - palette.begin()
                             : 0;
            row[std::size_t(x / 2)] |= std::uint8_t(x % 2 ? index : index << 4);
        }
        bitmap.bytes.insert(bitmap.bytes.end(), row.begin(), row.end());
    }
    appendMask(bitmap.bytes, image);
    return bitmap;
}

void appendChunk(Bytes& png, const char* type, const Bytes& data) {
    put32BigEndian(png, std::uint32_t(data.size()));
    Bytes chunk(type, type + 4);
    chunk.insert(chunk.end(), data.begin(), data.end());
    png.insert(png.end(), chunk.begin(), chunk.end());
    put32BigEndian(png, std::uint32_t(crc32(0, chunk.data(), uInt(chunk.size()))));
}

// The largest size as PNG, which Windows reads in icons since Vista: a
// fraction of the bitmap's size.
Bitmap png(const window::IconImage& image) {
    const int size = image.size;
    Bytes rows;
    for (int y = 0; y < size; ++y) {
        rows.push_back(0); // no filter
        for (int x = 0; x < size; ++x) {
            const std::uint32_t argb = image.pixels[std::size_t(y * size + x)];
            rows.insert(rows.end(), {std::uint8_t(argb >> 16), std::uint8_t(argb >> 8),
                                     std::uint8_t(argb), std::uint8_t(argb >> 24)});
        }
    }
    uLongf packedSize = compressBound(uLong(rows.size()));
    Bytes packed(packedSize);
    if (compress2(packed.data(), &packedSize, rows.data(), uLong(rows.size()), 9) != Z_OK)
        return {};
    packed.resize(packedSize);
    Bitmap bitmap{{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}, 0, 32};
    Bytes header;
    put32BigEndian(header, std::uint32_t(size));
    put32BigEndian(header, std::uint32_t(size));
    header.insert(header.end(), {8, 6, 0, 0, 0}); // 8 bits, RGBA, deflate, no filter, no interlace
    appendChunk(bitmap.bytes, "IHDR", header);
    appendChunk(bitmap.bytes, "IDAT", packed);
    appendChunk(bitmap.bytes, "IEND", {});
    return bitmap;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FILE.ico\n", argv[0]);
        return 2;
    }
    int colours = 0;
    std::vector<std::pair<int, Bitmap>> images = {
        {32, sixteenColours(window::drawIcon(32), colours)}};
    if (colours > 16) {
        std::fprintf(stderr, "%s: the 32 x 32 icon uses %d colours, more than 16\n", argv[0],
                     colours);
        return 1;
    }
    for (int size : {16, 24, 32, 48, 64})
        images.emplace_back(size, fullColour(window::drawIcon(size)));
    images.emplace_back(256, png(window::drawIcon(256)));

    // The directory: reserved, type 1 (icon), the count, then one entry per
    // image, whose size byte is 0 for 256.
    Bytes file;
    put16(file, 0);
    put16(file, 1);
    put16(file, unsigned(images.size()));
    std::uint32_t offset = std::uint32_t(6 + 16 * images.size());
    for (const auto& [size, bitmap] : images) {
        if (bitmap.bytes.empty()) {
            std::fprintf(stderr, "%s: cannot compress the %d x %d image\n", argv[0], size, size);
            return 1;
        }
        file.push_back(std::uint8_t(size % 256));
        file.push_back(std::uint8_t(size % 256));
        file.push_back(std::uint8_t(bitmap.colours));
        file.push_back(0);
        put16(file, 1);
        put16(file, unsigned(bitmap.bitCount));
        put32(file, std::uint32_t(bitmap.bytes.size()));
        put32(file, offset);
        offset += std::uint32_t(bitmap.bytes.size());
    }
    for (const auto& image : images)
        file.insert(file.end(), image.second.bytes.begin(), image.second.bytes.end());
    std::FILE* out = std::fopen(argv[1], "wb");
    if (!out || std::fwrite(file.data(), 1, file.size(), out) != file.size() || std::fclose(out)) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[1]);
        return 1;
    }
    return 0;
}
