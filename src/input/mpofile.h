// MPO files (the multi-picture JPEG of stereo cameras): where their pictures
// lie, from the MP index of the first picture or, failing that, from the
// start-of-image marker after the first picture's end.
#pragma once

#include "input/jpegdecode.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <vector>

// One picture of the file: its bytes [offset, offset + size).
struct tmpopicture {
    std::size_t offset = 0;
    std::size_t size = 0;
};

// How the pictures were found.
enum class tmpoindex {
    Index,  // the MP index of the APP2 "MPF" segment
    Scan,   // the index was missing or damaged: the next start-of-image marker
    Single, // a JPEG with one picture only
    None,   // not a JPEG stream at all
};

// The end of the JPEG stream starting at `start` (just after its end-of-image
// marker), found by walking its segments and entropy-coded data; 0 when the
// stream is cut short or damaged.
std::size_t JpegStreamEnd(const std::uint8_t* data, std::size_t size, std::size_t start);

// The pictures of an MPO held in memory, at most `maxPictures` of them, in
// file order (the index's order when it is read). Every picture returned
// lies wholly inside the data and starts with a start-of-image marker. The
// index is trusted only when its first two pictures check out; entries past
// the end, a picture count that the segment cannot hold and loops are
// refused without reading outside the data.
tmpoindex FindMpoPictures(const std::uint8_t* data, std::size_t size,
                          std::vector<tmpopicture>& pictures, std::size_t maxPictures = 2);

// True for a file name whose extension is .mpo (any case).
bool IsMpoFileName(const QString& fileName);

// Decodes picture `index` (0 the left view, 1 the right view) of an MPO
// file with the JPEG reading options; false with the reason in `error`
// (French, for the loader's message) when the file cannot be read, has no
// such picture or the picture is damaged. Only that picture is decoded.
bool DecodeMpoPicture(const QString& fileName, int index, const tjpegoptions& options,
                      tjpegpicture& out, QString& error);
