// Writing an output bitmap as a BMP (24 or 32 bits) or JPEG file, always
// through a temporary file beside the target so a failed write leaves any
// existing file as it was. With replace false, a file that appears at the
// target meanwhile (another process) is never replaced: the write fails with
// "exists".
#pragma once

#include "core/jpegdefaults.h"
#include "engine/imageview.h"

#include <QByteArray>
#include <QString>

struct tsettings;

// The path's extension, in upper case, is .JPG, .JPEG or .JPS.
bool IsJpegPath(const QString& path);

// ApplyJpegOptions: the process-wide options (the JPEG options window's)
// copied onto the options of the image about to be written; the two
// subsampling flags are also kept in the settings.
void ApplyJpegOptions(tjpegoptions& image, tsettings& settings);

// Writes the bitmap's rows bottom-up as an uncompressed BMP of its own depth.
// False, with the reason in `error` when given, when nothing was written.
bool WriteBmpFile(const ImageView& bitmap, const QString& path, QString* error = nullptr,
                  bool replace = true);

// Compresses the bitmap with the options: quality, grey scale, the simple
// progression script, sampling factors 1 where subsampling is off.
bool WriteJpegFile(const ImageView& bitmap, const QString& path, const tjpegoptions& options,
                   QString* error = nullptr, bool replace = true);

// The same compression into memory, for pictures that are only looked at
// and for the EXIF and MPO writers.
bool EncodeJpeg(const ImageView& bitmap, const tjpegoptions& options, QByteArray& out,
                QString* error = nullptr);

// The path's extension asks for a picture written by Qt's writers: .png,
// .tif or .tiff (any case).
bool IsQtWrittenPath(const QString& path);

// An 8-bit RGB PNG or TIFF (after the extension) through Qt's writers.
bool WriteQtPictureFile(const ImageView& bitmap, const QString& path, QString* error = nullptr,
                        bool replace = true);

// The file format the path asks for can hold a picture of this size: a BMP
// stays under 4 GiB, a JPEG (or MPO) under 65500 pixels a side.
bool OutputFileCanHold(const QString& path, int width, int height, bool bits24);

// PNG, TIFF, JPEG or BMP by the path's extension.
bool WriteOutputFile(const ImageView& bitmap, const QString& path, const tjpegoptions& options,
                     QString* error = nullptr, bool replace = true);
