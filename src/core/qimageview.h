// Engine views of QImage pixels, so pictures held by Qt go through the image
// engine in place, without a copy.
#pragma once

#include "engine/imageview.h"

#include <QImage>

// True for the layouts the engine reads and writes: Format_ARGB32 and
// Format_RGB32 (bytes B, G, R, A) and Format_BGR888 (bytes B, G, R).
bool IsEngineFormat(QImage::Format format);

// A writable view of the image's pixels; a shared image is detached first so
// that writing through the view never changes another copy. An empty view for
// a null image or any other format.
ImageView WritableView(QImage& image);

// A view for reading only (a source): no detach. The pixels must not be
// written through it.
ImageView ReadView(const QImage& image);

// A copy of an engine bitmap as a QImage: Format_ARGB32 for 32-bit pixels,
// Format_BGR888 for 24-bit ones; a null image when the bitmap is empty.
QImage ToQImage(const EngineBitmap& bitmap);
