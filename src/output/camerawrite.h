// Writing the outputs that carry the camera's EXIF: JPEG pictures and MPO
// pairs, always through a temporary file beside the target.
#pragma once

#include "core/jpegdefaults.h"
#include "engine/imageview.h"

#include <QByteArray>
#include <QString>

#include <vector>

class texifsource;

// The path's extension is .mpo (any case).
bool IsMpoPath(const QString& path);

// WriteOutputFile, except that a JPEG carries `exif` (when given and not
// empty) for a picture of the bitmap's size.
bool WritePictureOutput(const ImageView& bitmap, const QString& path, const tjpegoptions& options,
                        const texifsource* exif, QString* error = nullptr, bool replace = true);

// A JPEG picture of width x height already compressed in the bands of
// JpegBandPieces, written with `exif` as WritePictureOutput writes it.
bool WriteCompressedPicture(std::vector<QByteArray> bands, int width, int height,
                            const QString& path, const texifsource* exif, QString* error = nullptr,
                            bool replace = true);

// The two views as an MPO file, left first, each encoded with the options
// and carrying `exif` when given.
bool WriteMpoFile(const ImageView& left, const ImageView& right, const QString& path,
                  const tjpegoptions& options, const texifsource* exif, QString* error = nullptr,
                  bool replace = true);

// The bytes of an MPO file as WriteMpoFile writes them (for tests and the
// benchmark).
bool EncodeMpo(const ImageView& left, const ImageView& right, const tjpegoptions& options,
               const texifsource* exif, QByteArray& out, QString* error = nullptr);
