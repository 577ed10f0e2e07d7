// JPEG decoding straight into 32-bit view pictures (B, G, R, A in memory),
// driven by the reading options of JpegDefaults.
#pragma once

#include "core/jpegdefaults.h"

#include <QImage>
#include <QString>

#include <cstddef>
#include <functional>

// Called after each pass of a progressive file when progressive display is on;
// the picture is complete in size, coarse in detail until the last pass.
using tjpegpasscallback = std::function<void(const QImage&)>;

struct tjpegpicture {
    QImage image;  // Format_ARGB32, alpha 255
    int bits = 24; // 24, or 8 when the decoder delivered palette pixels
};

// Decodes a JPEG held in memory. On failure returns false, leaves `out`
// untouched and puts the decoder's message in `error`. Damaged data (a file
// cut short, a stream that loses its markers) is a failure, not a grey patch.
bool DecodeJpeg(const unsigned char* data, std::size_t size, const tjpegoptions& options,
                tjpegpicture& out, QString& error, const tjpegpasscallback& onPass = {});

// Reads and decodes a JPEG file.
bool DecodeJpegFile(const QString& fileName, const tjpegoptions& options, tjpegpicture& out,
                    QString& error, const tjpegpasscallback& onPass = {});
