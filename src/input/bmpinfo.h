// What a Windows bitmap file says about itself, read from its headers before
// any pixel is decoded: size, bits per pixel, and whether it is plausible.
#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

struct tbmpinfo {
    std::int64_t width = 0;
    std::int64_t height = 0; // absolute value; negative heights mean top-down rows
    int bits = 0;            // 1, 4, 8, 15, 16, 24 or 32 as the picture description shows it
    int compression = 0;     // 0 none, 1 RLE8, 2 RLE4, 3 bit fields, ...
};

// Parses the file header and the info header (any of the Windows and OS/2
// variants). `fileSize` is the size of the whole file. Returns false with a
// message when the headers are damaged, the picture is larger than the
// program accepts, or the file is far too small for the pixels it claims.
bool ReadBmpInfo(const QByteArray& head, std::int64_t fileSize, tbmpinfo& info, QString& error);
