// The band-by-band making of the JPEG outputs of a pass.
#include "output/bandpipeline.h"

#include "core/stereokinds.h"
#include "core/timg.h"
#include "input/picturelimits.h"
#include "output/jpegbands.h"
#include "output/jpegrowencoder.h"

#include <QBuffer>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <new>
#include <thread>

#include <jpeglib.h> // JPEG_MAX_DIMENSION

namespace {

// Rows drawn and handed over at a time: a row of blocks of the tallest
// sampling, small enough to stay in the cache between drawing and
// compression.
constexpr int kChunkRows = 16;

// A few rows of pixels, cleared when made.
struct tchunk {
    std::vector<std::uint8_t> pixels;
    ImageView view;

    void Make(int width, PixelFormat format) {
        view.width = width;
        view.height = kChunkRows;
        view.format = format;
        view.stride = std::ptrdiff_t(width) * BytesPerPixel(format);
        pixels.assign(std::size_t(view.stride) * kChunkRows, 0);
        view.data = pixels.data();
    }
    ImageView Rows(int n) const {
        ImageView v = view;
        v.height = n;
        return v;
    }
    void Clear(int n) { std::memset(pixels.data(), 0, std::size_t(view.stride) * std::size_t(n)); }
};

// The cells of a side-by-side kind from left to right (true: the left view).
std::vector<bool> CellOrder(int kind) {
    switch (kind) {
    case KindCrossed:
        return {false, true};
    case KindParallel:
        return {true, false};
    case KindDouble:
        return {true, false, true};
    default:
        return {};
    }
}

// One band of every output: rows [y0, y0 + rows) of each, compressed alone
// with a restart marker after every row of blocks.
bool EncodeBand(const tcellrows& leftCell, const tcellrows& rightCell,
                std::vector<tbandoutput>& outputs, int y0, int rows,
                std::vector<QByteArray>& bytes) {
    const tcomposition& first = outputs.front().c;
    const PixelFormat format = first.bits24 ? PixelFormat::Bgr24 : PixelFormat::Bgra32;
    const int bpp = BytesPerPixel(format);
    const std::size_t cellBytes = std::size_t(first.W) * std::size_t(bpp);
    const std::size_t count = outputs.size();
    tchunk left, right;
    std::vector<tchunk> own(count); // side-by-side and anaglyph rows
    std::vector<std::vector<bool>> cells(count);
    std::vector<QBuffer> devices(count);
    std::vector<tjpegrowencoder> encoders(count);
    left.Make(first.W, format);
    right.Make(first.W, format);
    for (std::size_t o = 0; o < count; ++o) {
        const tcomposition& c = outputs[o].c;
        const QSize size = OutputBitmapSize(c.kind, c.W, c.H, c.S);
        if (c.kind != KindLeft && c.kind != KindRight) own[o].Make(size.width(), format);
        cells[o] = CellOrder(c.kind);
        // Room for two bytes a pixel, more than even quality 100 takes: no
        // copies as the band grows, and pages never written are never taken.
        bytes[o].reserve(qsizetype(size.width()) * rows * 2);
        devices[o].setBuffer(&bytes[o]);
        devices[o].open(QIODevice::WriteOnly);
        if (!encoders[o].Start(size.width(), rows, format, true, outputs[o].jpeg, devices[o]))
            return false;
    }
    std::uint8_t* scanlines[kChunkRows];
    for (int done = 0; done < rows; done += kChunkRows) {
        const int n = std::min(kChunkRows, rows - done);
        left.Clear(n);
        right.Clear(n);
        leftCell.Draw(left.Rows(n), y0 + done);
        rightCell.Draw(right.Rows(n), y0 + done);
        for (std::size_t o = 0; o < count; ++o) {
            const tcomposition& c = outputs[o].c;
            ImageView picture = own[o].Rows(n);
            if (c.kind == KindLeft) {
                picture = left.Rows(n);
            } else if (c.kind == KindRight) {
                picture = right.Rows(n);
            } else if (c.kind == KindAnaglyph) {
                MixAnaglyph(left.Rows(n), right.Rows(n), picture, outputs[o].method);
            } else {
                // The bands between the cells stay as cleared.
                for (int y = 0; y < n; ++y)
                    for (std::size_t k = 0; k < cells[o].size(); ++k)
                        std::memcpy(picture.Row(y) + k * (cellBytes + std::size_t(c.S) * bpp),
                                    (cells[o][k] ? left : right).view.Row(y), cellBytes);
            }
            for (int y = 0; y < n; ++y) scanlines[y] = picture.Row(y);
            if (!encoders[o].Write(scanlines, n)) return false;
        }
    }
    for (std::size_t o = 0; o < count; ++o)
        if (!encoders[o].Finish()) return false;
    return true;
}

} // namespace

bool BandsCanMake(const tcomposition& c, const tjpegoptions& jpeg) {
    switch (c.kind) {
    case KindLeft:
    case KindRight:
    case KindCrossed:
    case KindParallel:
    case KindDouble:
    case KindAnaglyph:
        break;
    default:
        return false;
    }
    const QSize size = OutputBitmapSize(c.kind, c.W, c.H, c.S);
    return !jpeg.progressiveEncoding && !size.isEmpty() && size.width() <= JPEG_MAX_DIMENSION &&
           size.height() <= JPEG_MAX_DIMENSION && PictureSizeAllowed(size.width(), size.height()) &&
           JpegBandCount(c.H) > 1;
}

bool SameCells(const tcomposition& a, const tcomposition& b) {
    return a.W == b.W && a.H == b.H && a.m == b.m && a.centre == b.centre && a.bits24 == b.bits24;
}

bool EncodeOutputsInBands(const timg& left, const timg& right, const tcommonframe& frame,
                          std::vector<tbandoutput>& outputs, int threads) {
    if (outputs.empty()) return false;
    const tcomposition& first = outputs.front().c;
    for (const tbandoutput& o : outputs)
        if (!BandsCanMake(o.c, o.jpeg) || !SameCells(o.c, first)) return false;
    const int height = first.H;
    const int bandCount = JpegBandCount(height);
    // bands[b][o]: band b of output o.
    std::vector<std::vector<QByteArray>> bands;
    std::vector<char> ok;
    tcellrows leftCell, rightCell;
    try {
        if (!leftCell.Prepare(left, true, frame, first) ||
            !rightCell.Prepare(right, false, frame, first))
            return false;
        bands.assign(std::size_t(bandCount), std::vector<QByteArray>(outputs.size()));
        ok.assign(std::size_t(bandCount), 0);
    } catch (const std::bad_alloc&) {
        return false;
    }
    std::atomic<int> next{0};
    auto run = [&] {
        for (int b = next++; b < bandCount; b = next++) {
            const int y0 = b * kJpegBandRows;
            try {
                ok[std::size_t(b)] =
                    EncodeBand(leftCell, rightCell, outputs, y0,
                               std::min(kJpegBandRows, height - y0), bands[std::size_t(b)]);
            } catch (const std::bad_alloc&) {
            }
        }
    };
    std::vector<std::thread> pool;
    for (int t = 1; t < std::min(std::max(threads, 1), bandCount); ++t) {
        try {
            pool.emplace_back(run);
        } catch (...) {
            break; // the calling thread makes what the others could not
        }
    }
    run();
    for (std::thread& t : pool) t.join();
    bool all = std::all_of(ok.begin(), ok.end(), [](char v) { return v != 0; });
    for (std::size_t o = 0; all && o < outputs.size(); ++o) {
        std::vector<QByteArray>& parts = outputs[o].bands;
        parts.clear();
        for (std::vector<QByteArray>& band : bands) parts.push_back(std::move(band[o]));
        std::vector<tjpegpiece> pieces;
        all = JpegBandPieces(parts, height, pieces);
    }
    if (!all)
        for (tbandoutput& o : outputs) o.bands.clear();
    return all;
}
