// MPO assembly: two JPEG pictures joined into one multi-picture file with
// the MP index (the first picture's APP2 "MPF" segment) and each picture's
// MP attributes, left view first.
#pragma once

#include <QByteArray>
#include <QString>

// The two pictures (whole JPEG streams, SOI to EOI) as one MPO in `out`. The
// APP2 segment goes after each picture's leading APP0/APP1 segments, so an
// EXIF block stays first. False when a picture is not a JPEG stream.
bool AssembleMpo(const QByteArray& left, const QByteArray& right, QByteArray& out,
                 QString* error = nullptr);
