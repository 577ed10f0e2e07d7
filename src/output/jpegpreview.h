// The JPEG options window's preview: a part of the left view beside the same
// part after compression with the chosen options.
#pragma once

#include "core/jpegdefaults.h"

#include <QImage>

class timg;

// The name of the compressed copy in the program's private temporary folder.
extern const char* const JpegPreviewFileName; // "tmp.jpg"

// Draws `view` turned by its own rotation into a black `width` x `height`
// picture, panned by (scrollX, scrollY) instead of its own shift, into
// `source`; compresses it with `options` into the private temporary folder
// and reads it back into `result`. The temporary file is gone on every exit.
// False (result unchanged) when the compressed copy could not be written or
// read; `source` is drawn either way.
bool ComposeJpegPreview(const timg& view, int width, int height, int scrollX, int scrollY,
                        const tjpegoptions& options, QImage& source, QImage& result);
