// A view prepared once for the export drawing of a few destination rows at a
// time, so large outputs can be made band by band without a whole bitmap.
#pragma once

#include "engine/imageview.h"
#include "engine/transform.h"

#include <cstdint>
#include <memory>

// Draws exactly the pixels BmpTransformSmooth32 (or 24, after `format`) would
// draw into a destination of dstWidth x dstHeight, but only the rows asked
// for, into a chunk holding them. Single-threaded: several chunks may be
// drawn at once on different threads.
class SmoothRows {
public:
    SmoothRows(const SmoothView& view, int dstWidth, int dstHeight, PixelFormat format,
               const EngineRect& dstRect, std::uint32_t backColor, std::uint32_t writeMask,
               std::uint32_t keepMask);
    ~SmoothRows();
    SmoothRows(const SmoothRows&) = delete;
    SmoothRows& operator=(const SmoothRows&) = delete;

    // Destination rows [firstRow, firstRow + chunk.height) into `chunk`, of
    // the destination's width and format; rows outside the drawing untouched.
    void Draw(const ImageView& chunk, int firstRow) const;

private:
    struct Job;
    std::unique_ptr<Job> job_;
};
