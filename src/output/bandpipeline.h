// JPEG outputs of a save pass made band by band straight from the two views:
// the views' cells drawn a few rows at a time and handed to one compressor
// per output, so no whole output picture is ever held.
#pragma once

#include "core/jpegdefaults.h"
#include "engine/anaglyphmix.h"
#include "output/composition.h"

#include <QByteArray>
#include <QString>

#include <vector>

class timg;

// One output of the bands: its composition (the kind and its band between
// the views), anaglyph method, JPEG options and, once made, its bands, which
// JpegBandPieces joins into the file the whole picture compresses into
// (without EXIF).
struct tbandoutput {
    tcomposition c;
    AnaglyphMethod method = AnaglyphMethod::Colour;
    tjpegoptions jpeg;
    std::vector<QByteArray> bands;
};

// The outputs the bands make: a view alone, the pairs side by side, the
// double stereo and the anaglyph, compressed as baseline JPEG pictures tall
// enough to be compressed in several bands.
bool BandsCanMake(const tcomposition& c, const tjpegoptions& jpeg);

// Two outputs whose views are drawn alike (size, scale, centring, depth).
bool SameCells(const tcomposition& a, const tcomposition& b);

// Makes every output's bytes on up to `threads` threads, each band of rows
// on one thread. The outputs must satisfy BandsCanMake and share their
// cells. False, with every output's bands empty, when any could not be made
// (no memory, nothing to draw): the caller makes them from whole pictures.
// The bands are checked to join.
bool EncodeOutputsInBands(const timg& left, const timg& right, const tcommonframe& frame,
                          std::vector<tbandoutput>& outputs, int threads);
