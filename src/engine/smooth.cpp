// The smoothed family of resampling routines: each destination pixel takes a
// 3x3 kernel chosen by the third of a source pixel its position falls in.
#include "engine/transform.h"

#include "engine/anaglyphlanes.h"
#include "engine/mapping.h"
#include "engine/smoothrows.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <thread>
#include <vector>

#if defined(__SSE4_1__)
#include <smmintrin.h>
#endif

using namespace engine_detail;

namespace {

// Kernel weights by sub-cell index 3 * cy + cx, rows above/own/below, columns
// left/centre/right. Each sums to 32; the centre cell sharpens and is the only
// one with negative weights.
constexpr int kKernels[9][9] = {
    {2, 7, 0, 7, 16, 0, 0, 0, 0}, {1, 8, 1, 3, 16, 3, 0, 0, 0},     {0, 7, 2, 0, 16, 7, 0, 0, 0},
    {1, 3, 0, 8, 16, 0, 1, 3, 0}, {-1, 1, -1, 1, 32, 1, -1, 1, -1}, {0, 3, 1, 0, 16, 8, 0, 3, 1},
    {0, 0, 0, 7, 16, 0, 2, 7, 0}, {0, 0, 0, 3, 16, 3, 1, 8, 1},     {0, 0, 0, 0, 16, 7, 0, 7, 2},
};
constexpr int kCentreCell = 4;

std::atomic<int> gThreads{1};

struct SmoothCtx {
    const std::uint8_t* src = nullptr;
    std::ptrdiff_t stride = 0;
    int width = 0;
    int height = 0;
    int left = 0; // first column and row that may be sampled
    int top = 0;
    std::uint32_t writeMask = 0;
    std::uint32_t keepMask = 0;
    std::uint32_t outsideWrite = 0; // background pixel through the write mask
    std::uint32_t channels = 0;     // colour bytes the kernels write
    std::uint32_t alphaOr = 0;      // 0xFF000000 when picture pixels become opaque
    std::ptrdiff_t neighbours[9] = {};
    // Address (times 256) and cell part of a position counted in thirds of a
    // pixel: entry q of thirdsU is (q div 3) * 4 * 256 + q mod 3, of thirdsV
    // (q div 3) * stride * 256 + 3 * (q mod 3); the sum of two entries gives
    // the byte offset of the source pixel (sum >> 8) and its cell (low byte).
    const std::int64_t* thirdsU = nullptr;
    const std::int64_t* thirdsV = nullptr;
};

SmoothCtx MakeCtx(const ImageView& src, const EngineRect& srcRect, std::uint32_t backColor,
                  std::uint32_t writeMask, std::uint32_t keepMask, bool opaque) {
    SmoothCtx c;
    c.src = src.data;
    // A one-row picture has no row below; its step is the row's own length.
    c.stride = src.height > 1 ? src.stride : static_cast<std::ptrdiff_t>(src.width) * 4;
    c.width = src.width;
    c.height = src.height;
    c.left = std::max(srcRect.Left, 0);
    c.top = std::max(srcRect.Top, 0);
    c.writeMask = writeMask;
    c.keepMask = keepMask;
    c.outsideWrite = BackPixel(backColor) & writeMask;
    c.channels = ChannelBytes(writeMask);
    c.alphaOr = opaque ? 0xFF000000u : 0;
    int i = 0;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) c.neighbours[i++] = dy * c.stride + dx * 4;
    return c;
}

// One destination pixel from its accumulators and its old value.
std::uint32_t SmoothPixel(const SmoothCtx& c, std::int64_t U, std::int64_t V, std::uint32_t old) {
    const std::int64_t px = U / kUnit;
    const std::int64_t py = V / kUnit;
    if (px < c.left || px > c.width - 1 || py < c.top || py > c.height - 1)
        return (old & c.keepMask) | c.outsideWrite;
    const std::uint8_t* p = c.src + static_cast<std::ptrdiff_t>(py) * c.stride + px * 4;
    // The kernels read one pixel around; on the first and last sampled rows and
    // columns the pixel is copied instead.
    if (px == c.left || py == c.top || px == c.width - 1 || py == c.height - 1)
        return (Load32(p) & c.writeMask) | (old & c.keepMask) | c.alphaOr;
    const int cell = int((V / kThird) % 3) * 3 + int((U / kThird) % 3);
    const int* w = kKernels[cell];
    std::uint32_t out = old;
    for (int ch = 0; ch < 3; ++ch) {
        if (!(c.channels & (0xFFu << (8 * ch)))) continue;
        int sum = 0;
        for (int k = 0; k < 9; ++k) sum += w[k] * p[c.neighbours[k] + ch];
        int v;
        if (cell == kCentreCell)
            v = std::clamp(sum / 32, 0, 255);
        else
            v = sum >> 5;
        out = (out & ~(0xFFu << (8 * ch))) | (std::uint32_t(v) << (8 * ch));
    }
    return out | c.alphaOr;
}

// What becomes of a drawn pixel: the plain drawing keeps it as the masks
// made it; the mixed anaglyph mixes it with the pixel it covers.
struct MaskSink {
    static std::uint32_t One(std::uint32_t, std::uint32_t drawn) { return drawn; }
};

template <AnaglyphMethod M> struct MixSink {
    static std::uint32_t One(std::uint32_t old, std::uint32_t drawn) {
        return MixWord<M>(old, drawn);
    }
};

template <class Sink>
void SmoothRowPortable(const SmoothCtx& c, std::int64_t U, std::int64_t V, std::int64_t du,
                       std::int64_t dv, std::uint8_t* words, int n) {
    for (int i = 0; i < n; ++i, U += du, V += dv) {
        std::uint8_t* q = words + static_cast<std::ptrdiff_t>(i) * 4;
        const std::uint32_t old = Load32(q);
        Store32(q, Sink::One(old, SmoothPixel(c, U, V, old)));
    }
}

#if defined(__SSE4_1__)

// Per cell: the byte shuffle that pairs the left and centre pixels of a
// 16-byte read channel by channel and puts the right pixel beside a zero, and
// the matching weights per row, so one multiply-add per row gives the sums.
struct alignas(16) LaneKernel {
    __m128i shuffle;
    __m128i weights[3];
};

struct KernelTable {
    LaneKernel entries[9];
    KernelTable() {
        for (int cell = 0; cell < 9; ++cell) {
            LaneKernel& e = entries[cell];
            alignas(16) std::int8_t shuf[16];
            for (int ch = 0; ch < 4; ++ch) {
                shuf[2 * ch] = std::int8_t(ch);
                shuf[2 * ch + 1] = std::int8_t(4 + ch);
                shuf[8 + 2 * ch] = std::int8_t(8 + ch);
                shuf[8 + 2 * ch + 1] = std::int8_t(0x80);
            }
            e.shuffle = _mm_load_si128(reinterpret_cast<const __m128i*>(shuf));
            for (int r = 0; r < 3; ++r) {
                alignas(16) std::int8_t w[16];
                for (int ch = 0; ch < 4; ++ch) {
                    w[2 * ch] = std::int8_t(kKernels[cell][3 * r]);
                    w[2 * ch + 1] = std::int8_t(kKernels[cell][3 * r + 1]);
                    w[8 + 2 * ch] = std::int8_t(kKernels[cell][3 * r + 2]);
                    w[8 + 2 * ch + 1] = 0;
                }
                e.weights[r] = _mm_load_si128(reinterpret_cast<const __m128i*>(w));
            }
        }
    }
};

const KernelTable& Kernels() {
    static const KernelTable table;
    return table;
}

// Per-channel sums of one pixel's kernel (8 x int16: left+centre pairs, right);
// p addresses the pixel left of the source pixel.
inline __m128i KernelSums(const std::uint8_t* p, std::ptrdiff_t stride, const LaneKernel& k) {
    const __m128i a =
        _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p - stride)), k.shuffle);
    const __m128i b =
        _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)), k.shuffle);
    const __m128i d =
        _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + stride)), k.shuffle);
    return _mm_add_epi16(
        _mm_add_epi16(_mm_maddubs_epi16(a, k.weights[0]), _mm_maddubs_epi16(b, k.weights[1])),
        _mm_maddubs_epi16(d, k.weights[2]));
}

// Four pixels at once: the masks, or the mix of the colour bytes drawn.
inline __m128i Merge4(MaskSink, __m128i old, __m128i res, __m128i chan, __m128i alphaOr) {
    return _mm_or_si128(_mm_or_si128(_mm_and_si128(res, chan), _mm_andnot_si128(chan, old)),
                        alphaOr);
}

template <AnaglyphMethod M>
inline __m128i Merge4(MixSink<M>, __m128i old, __m128i res, __m128i chan, __m128i) {
    return MixLanes4<M>(old, _mm_and_si128(res, chan));
}

#endif

// A row of pixels in runs: outside the picture (background through the
// masks), on or next to its edges (one by one), and well inside, where the
// 3x3 block lies in the picture and a 16-byte read per row stays in it. Inside
// that run the position is stepped as whole thirds of a pixel plus a
// remainder, and two table reads give the pixel's address and cell.
template <class Sink>
void SmoothRowRuns(const SmoothCtx& c, std::int64_t U, std::int64_t V, std::int64_t du,
                   std::int64_t dv, std::uint8_t* words, int n) {
    // Inside: left <= U div 65535 <= W - 1 (division truncating, so column 0
    // reaches down to -65534), likewise for V.
    int ja = 0, jb = n;
    Run(U, du, c.left == 0 ? -(kUnit - 1) : c.left * kUnit, c.width * kUnit, ja, jb);
    Run(V, dv, c.top == 0 ? -(kUnit - 1) : c.top * kUnit, c.height * kUnit, ja, jb);
    // Well inside: left + 1 <= px <= W - 3 and top + 1 <= py <= H - 2.
    int ia = ja, ib = jb;
    Run(U, du, (c.left + 1) * kUnit, (c.width - 2) * kUnit, ia, ib);
    Run(V, dv, (c.top + 1) * kUnit, (c.height - 1) * kUnit, ia, ib);
    if (ia >= ib) ia = ib = jb;

    const auto outside = [&](int i) {
        std::uint8_t* q = words + static_cast<std::ptrdiff_t>(i) * 4;
        const std::uint32_t old = Load32(q);
        Store32(q, Sink::One(old, (old & c.keepMask) | c.outsideWrite));
    };
    for (int i = 0; i < ja; ++i) outside(i);
    for (int i = jb; i < n; ++i) outside(i);
    SmoothRowPortable<Sink>(c, U + ja * du, V + ja * dv, du, dv,
                            words + static_cast<std::ptrdiff_t>(ja) * 4, ia - ja);
    SmoothRowPortable<Sink>(c, U + ib * du, V + ib * dv, du, dv,
                            words + static_cast<std::ptrdiff_t>(ib) * 4, jb - ib);
    if (ia >= ib) return;

    const std::int64_t Ua = U + ia * du, Va = V + ia * dv; // both positive here
    std::int64_t qu = Ua / kThird, ru = Ua % kThird;
    std::int64_t qv = Va / kThird, rv = Va % kThird;
    const std::int64_t au = FloorDiv(du, kThird), bu = du - au * kThird;
    const std::int64_t av = FloorDiv(dv, kThird), bv = dv - av * kThird;
    const std::int64_t* tu = c.thirdsU;
    const std::int64_t* tv = c.thirdsV;
    auto step = [&] {
        ru += bu;
        if (ru >= kThird) ru -= kThird, ++qu;
        qu += au;
        rv += bv;
        if (rv >= kThird) rv -= kThird, ++qv;
        qv += av;
    };
    int i = ia;
#if defined(__SSE4_1__)
    const KernelTable& table = Kernels();
    const std::ptrdiff_t s = c.stride;
    const __m128i chan = _mm_set1_epi32(int(c.channels));
    const __m128i alphaOr = _mm_set1_epi32(int(c.alphaOr));
    // The next destination row reads about one row step further through the
    // source, plus the row below: fetching it now hides the memory latency of
    // the diagonal walk a turned picture makes through the source rows.
    const auto rowsOf = [](std::int64_t a) {
        return std::int64_t(std::llround(double(a) / kUnit));
    };
    const std::ptrdiff_t ahead = rowsOf(-dv) * 4 + (rowsOf(du) + (du >= 0 ? 1 : -1)) * s;
    for (; i + 4 <= ib; i += 4) {
        __m128i k[4];
        for (int lane = 0; lane < 4; ++lane) {
            const std::int64_t e = tu[qu] + tv[qv];
            const std::uint8_t* p = c.src + ((e >> 8) - 4);
            if (lane == 0) _mm_prefetch(reinterpret_cast<const char*>(p + ahead), _MM_HINT_T0);
            k[lane] = KernelSums(p, s, table.entries[e & 0xFF]);
            step();
        }
        const __m128i t0 =
            _mm_add_epi16(_mm_unpacklo_epi64(k[0], k[1]), _mm_unpackhi_epi64(k[0], k[1]));
        const __m128i t1 =
            _mm_add_epi16(_mm_unpacklo_epi64(k[2], k[3]), _mm_unpackhi_epi64(k[2], k[3]));
        // Shifting then saturating equals truncating then clamping: a negative
        // centre-cell sum ends at 0 either way.
        const __m128i res = _mm_packus_epi16(_mm_srai_epi16(t0, 5), _mm_srai_epi16(t1, 5));
        std::uint8_t* q = words + static_cast<std::ptrdiff_t>(i) * 4;
        const __m128i old = _mm_loadu_si128(reinterpret_cast<const __m128i*>(q));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(q), Merge4(Sink(), old, res, chan, alphaOr));
    }
#endif
    for (; i < ib; ++i) {
        const std::int64_t e = tu[qu] + tv[qv];
        const std::uint8_t* p = c.src + (e >> 8);
        const int* w = kKernels[e & 0xFF];
        std::uint8_t* q = words + static_cast<std::ptrdiff_t>(i) * 4;
        const std::uint32_t old = Load32(q);
        std::uint32_t out = old;
        for (int ch = 0; ch < 3; ++ch) {
            if (!(c.channels & (0xFFu << (8 * ch)))) continue;
            int sum = 0;
            for (int j = 0; j < 9; ++j) sum += w[j] * p[c.neighbours[j] + ch];
            const int v = (e & 0xFF) == kCentreCell ? std::clamp(sum / 32, 0, 255) : sum >> 5;
            out = (out & ~(0xFFu << (8 * ch))) | (std::uint32_t(v) << (8 * ch));
        }
        Store32(q, Sink::One(old, out | c.alphaOr));
        step();
    }
}

enum class SmoothTarget { Display, Export32, Export24 };

template <class Sink>
void RenderRows(const SmoothCtx& c, const Mapping& m, const ImageView& dst, const DrawArea& a,
                SmoothTarget target, int y0, int y1, int dstFirstRow = 0) {
    const int n = a.X1 - a.X0 + 1;
    const int bpp = BytesPerPixel(dst.format);
    std::vector<std::uint8_t> words;
    if (target == SmoothTarget::Export24) words.resize(static_cast<std::size_t>(n) * 4);
    for (int y = y0; y <= y1; ++y) {
        std::uint8_t* row = dst.Row(y - dstFirstRow) + static_cast<std::ptrdiff_t>(a.X0) * bpp;
        std::uint8_t* w = row;
        if (target == SmoothTarget::Export24) {
            w = words.data();
            for (int i = 0; i < n; ++i) {
                w[4 * i] = row[3 * i];
                w[4 * i + 1] = row[3 * i + 1];
                w[4 * i + 2] = row[3 * i + 2];
                w[4 * i + 3] = 0;
            }
        }
        if (m.Valid) {
            SmoothRowRuns<Sink>(c, m.U(a.X0, y), m.V(a.X0, y), m.Csx, m.Snx, w, n);
        } else {
            for (int i = 0; i < n; ++i) {
                std::uint8_t* q = w + static_cast<std::ptrdiff_t>(i) * 4;
                const std::uint32_t old = Load32(q);
                Store32(q, Sink::One(old, (old & c.keepMask) | c.outsideWrite));
            }
        }
        if (target == SmoothTarget::Export24) {
            for (int i = 0; i < n; ++i) {
                row[3 * i] = w[4 * i];
                row[3 * i + 1] = w[4 * i + 1];
                row[3 * i + 2] = w[4 * i + 2];
            }
        }
    }
}

// Everything a view's rows need, worked out once per call. Not copied: the
// context points into the tables.
struct SmoothJob {
    SmoothTarget target = SmoothTarget::Display;
    DrawArea area;
    Mapping m;
    SmoothCtx c;
    std::vector<std::int64_t> thirdsU, thirdsV;
    SmoothJob() = default;
    SmoothJob(const SmoothJob&) = delete;
    SmoothJob& operator=(const SmoothJob&) = delete;
};

// False when there is nothing to draw.
bool PrepareSmooth(SmoothJob& j, SmoothTarget target, const ImageView& Src, const ImageView& Dst,
                   const EngineRect& SrcRect, const EngineRect& DstRect, double CentreX,
                   double CentreY, double ShiftX, double ShiftY, double PostShiftX,
                   double PostShiftY, double Angle, double Scale, std::uint32_t BackColor,
                   std::uint32_t WriteMask, std::uint32_t KeepMask) {
    if (Src.Empty() || !Src.Is32() || Dst.Empty()) return false;
    const bool want24 = target == SmoothTarget::Export24;
    if (want24 != (Dst.format == PixelFormat::Bgr24)) return false;
    int ox, oy;
    j.target = target;
    j.area = ClipArea(Dst, DstRect, target == SmoothTarget::Export32, ox, oy);
    if (j.area.Empty()) return false;
    j.m = MakeMapping(CentreX, CentreY, ShiftX, ShiftY, PostShiftX, PostShiftY, Angle, Scale, ox,
                      oy, j.area);
    // A 24-bit destination has no alpha byte: only the colour bytes of the masks count.
    const std::uint32_t byteMask = want24 ? 0x00FFFFFFu : 0xFFFFFFFFu;
    SmoothCtx& c = j.c;
    c = MakeCtx(Src, SrcRect, BackColor, WriteMask & byteMask, KeepMask & byteMask,
                target == SmoothTarget::Display);
    j.thirdsU.resize(std::size_t(Src.width) * 3);
    j.thirdsV.resize(std::size_t(Src.height) * 3);
    for (std::size_t q = 0; q < j.thirdsU.size(); ++q)
        j.thirdsU[q] = std::int64_t(q / 3) * 4 * 256 + std::int64_t(q % 3);
    for (std::size_t q = 0; q < j.thirdsV.size(); ++q)
        j.thirdsV[q] = std::int64_t(q / 3) * c.stride * 256 + 3 * std::int64_t(q % 3);
    c.thirdsU = j.thirdsU.data();
    c.thirdsV = j.thirdsV.data();
    return true;
}

// Renders the rows Y0..Y1 of `area` through render(y0, y1), split in bands
// over the engine threads.
template <class F> void RunBands(const DrawArea& area, F&& render) {
    const int rows = area.Y1 - area.Y0 + 1;
    const int threads = std::min(gThreads.load(), std::max(1, rows / 64));
    if (threads <= 1) {
        render(area.Y0, area.Y1);
        return;
    }
    // Each row's accumulators come from its index, so bands render alike on any
    // thread. A band whose thread could not start or failed is drawn here.
    const int band = (rows + threads - 1) / threads;
    std::vector<char> done(threads, 0);
    std::vector<std::thread> pool;
    auto bandRows = [&](int t, int& y0, int& y1) {
        y0 = area.Y0 + t * band;
        y1 = std::min(area.Y1, y0 + band - 1);
    };
    for (int t = 1; t < threads; ++t) {
        int y0, y1;
        bandRows(t, y0, y1);
        if (y0 > y1) {
            done[t] = 1;
            continue;
        }
        try {
            pool.emplace_back([&, t, y0, y1] {
                try {
                    render(y0, y1);
                    done[t] = 1;
                } catch (...) {
                }
            });
        } catch (...) {
            break;
        }
    }
    try {
        render(area.Y0, std::min(area.Y1, area.Y0 + band - 1));
    } catch (...) {
        for (auto& th : pool) th.join();
        throw;
    }
    for (auto& th : pool) th.join();
    for (int t = 1; t < threads; ++t) {
        if (done[t]) continue;
        int y0, y1;
        bandRows(t, y0, y1);
        render(y0, y1);
    }
}

void RunSmooth(SmoothTarget target, const ImageView& Src, const ImageView& Dst,
               const EngineRect& SrcRect, const EngineRect& DstRect, double CentreX, double CentreY,
               double ShiftX, double ShiftY, double PostShiftX, double PostShiftY, double Angle,
               double Scale, std::uint32_t BackColor, std::uint32_t WriteMask,
               std::uint32_t KeepMask) {
    SmoothJob j;
    if (!PrepareSmooth(j, target, Src, Dst, SrcRect, DstRect, CentreX, CentreY, ShiftX, ShiftY,
                       PostShiftX, PostShiftY, Angle, Scale, BackColor, WriteMask, KeepMask))
        return;
    RunBands(j.area,
             [&](int y0, int y1) { RenderRows<MaskSink>(j.c, j.m, Dst, j.area, target, y0, y1); });
}

} // namespace

void SetEngineThreads(int count) {
    gThreads.store(std::clamp(count, 1, 64));
}

int EngineThreads() {
    return gThreads.load();
}

void BmpTransformSmooth(const ImageView& Src, const ImageView& Dst, const EngineRect& SrcRect,
                        const EngineRect& DstRect, double CentreX, double CentreY, double ShiftX,
                        double ShiftY, double PostShiftX, double PostShiftY, double Angle,
                        double Scale, std::uint32_t BackColor, std::uint32_t WriteMask,
                        std::uint32_t KeepMask) {
    RunSmooth(SmoothTarget::Display, Src, Dst, SrcRect, DstRect, CentreX, CentreY, ShiftX, ShiftY,
              PostShiftX, PostShiftY, Angle, Scale, BackColor, WriteMask, KeepMask);
}

void BmpTransformSmooth32(const ImageView& Src, const ImageView& Dst, const EngineRect& SrcRect,
                          const EngineRect& DstRect, double CentreX, double CentreY, double ShiftX,
                          double ShiftY, double PostShiftX, double PostShiftY, double Angle,
                          double Scale, std::uint32_t BackColor, std::uint32_t WriteMask,
                          std::uint32_t KeepMask) {
    RunSmooth(SmoothTarget::Export32, Src, Dst, SrcRect, DstRect, CentreX, CentreY, ShiftX, ShiftY,
              PostShiftX, PostShiftY, Angle, Scale, BackColor, WriteMask, KeepMask);
}

void BmpTransformSmooth24(const ImageView& Src, const ImageView& Dst, const EngineRect& SrcRect,
                          const EngineRect& DstRect, double CentreX, double CentreY, double ShiftX,
                          double ShiftY, double PostShiftX, double PostShiftY, double Angle,
                          double Scale, std::uint32_t BackColor, std::uint32_t WriteMask,
                          std::uint32_t KeepMask) {
    RunSmooth(SmoothTarget::Export24, Src, Dst, SrcRect, DstRect, CentreX, CentreY, ShiftX, ShiftY,
              PostShiftX, PostShiftY, Angle, Scale, BackColor, WriteMask, KeepMask);
}

void BmpTransformSmoothMix(const SmoothView& View, const ImageView& Dst, const EngineRect& DstRect,
                           std::uint32_t BackColor, AnaglyphMethod Method) {
    const SmoothTarget target =
        Dst.format == PixelFormat::Bgr24 ? SmoothTarget::Export24 : SmoothTarget::Export32;
    // Every channel drawn, nothing of the covered pixel kept: the mix takes both.
    SmoothJob j;
    if (!PrepareSmooth(j, target, View.src, Dst, View.srcRect, DstRect, View.centreX, View.centreY,
                       View.shiftX, View.shiftY, 0, 0, View.angle, View.scale, BackColor, 0xFFFFFF,
                       0))
        return;
    const auto run = [&](auto sink) {
        using Sink = decltype(sink);
        RunBands(j.area,
                 [&](int y0, int y1) { RenderRows<Sink>(j.c, j.m, Dst, j.area, target, y0, y1); });
    };
    switch (Method) {
    case AnaglyphMethod::Colour:
        run(MixSink<AnaglyphMethod::Colour>());
        break;
    case AnaglyphMethod::Half:
        run(MixSink<AnaglyphMethod::Half>());
        break;
    case AnaglyphMethod::Grey:
        run(MixSink<AnaglyphMethod::Grey>());
        break;
    case AnaglyphMethod::Dubois:
        run(MixSink<AnaglyphMethod::Dubois>());
        break;
    }
}

struct SmoothRows::Job {
    SmoothJob j;
    bool drawable = false;
};

SmoothRows::SmoothRows(const SmoothView& view, int dstWidth, int dstHeight, PixelFormat format,
                       const EngineRect& dstRect, std::uint32_t backColor, std::uint32_t writeMask,
                       std::uint32_t keepMask)
    : job_(std::make_unique<Job>()) {
    // Only the destination's size and format are read while preparing.
    static std::uint8_t placeholder;
    ImageView shape;
    shape.data = &placeholder;
    shape.width = dstWidth;
    shape.height = dstHeight;
    shape.format = format;
    const SmoothTarget target =
        format == PixelFormat::Bgr24 ? SmoothTarget::Export24 : SmoothTarget::Export32;
    job_->drawable = PrepareSmooth(job_->j, target, view.src, shape, view.srcRect, dstRect,
                                   view.centreX, view.centreY, view.shiftX, view.shiftY, 0, 0,
                                   view.angle, view.scale, backColor, writeMask, keepMask);
}

SmoothRows::~SmoothRows() = default;

void SmoothRows::Draw(const ImageView& chunk, int firstRow) const {
    if (!job_->drawable || chunk.Empty()) return;
    const SmoothJob& j = job_->j;
    const int y0 = std::max(j.area.Y0, firstRow);
    const int y1 = std::min(j.area.Y1, firstRow + chunk.height - 1);
    if (y0 > y1) return;
    RenderRows<MaskSink>(j.c, j.m, chunk, j.area, j.target, y0, y1, firstRow);
}
