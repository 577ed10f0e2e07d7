// Large JPEG pictures compressed in bands of rows on several threads and
// joined into one file through restart markers.
#pragma once

#include <QByteArray>
#include <QIODevice>

#include <vector>

// Rows of a band: a multiple of eight rows of blocks of the tallest
// sampling (16 rows), so that every band starts a restart interval whose
// number is 0 modulo 8.
constexpr int kJpegBandRows = 1024;

// The bands a picture of `height` rows is compressed in: one (compressed
// whole, without restart markers) up to kJpegBandRows * 3 / 2 rows, the
// fixed band height otherwise. The count depends on the height alone, never
// on the threads, so the file is the same however many compress it.
int JpegBandCount(int height);

// A stretch of bytes of the joined file.
struct tjpegpiece {
    const char* data;
    qsizetype size;
};

// The joined file as stretches of the bands themselves, in order: the first
// band (its frame header given the whole height, in place) without its end
// marker, then for each later band RST7 and its entropy-coded data, then the
// end marker. The stretches point into `bands`. False as JoinJpegBands.
bool JpegBandPieces(std::vector<QByteArray>& bands, int height, std::vector<tjpegpiece>& pieces);

// Offset of the first byte of a JPEG file's entropy-coded data, right after
// its start-of-scan header; -1 when the file has no frame and scan headers.
int JpegScanDataStart(const QByteArray& jpeg);

// Writes the pieces one after the other; false when a write fails.
bool WriteJpegPieces(QIODevice& device, const std::vector<tjpegpiece>& pieces);

// Joins the baseline JPEG files of the bands, from top to bottom, each
// compressed alone with a restart interval of one row of blocks: the first
// band's headers with the whole height, then each band's entropy-coded data,
// RST7 between two bands, and the end marker. False when a band is not such
// a file (no start of scan, no end marker, no frame header).
bool JoinJpegBands(const std::vector<QByteArray>& bands, int height, QByteArray& out);
