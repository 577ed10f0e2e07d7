// The mapping shared by the resampling routines, the blend routine of the
// display, the bilinear preview scaler and the angle routines.
#include "engine/transform.h"

#include "engine/mapping.h"

#include <algorithm>
#include <cmath>

using namespace engine_detail;

namespace engine_detail {

DrawArea ClipArea(const ImageView& dst, const EngineRect& rect, bool skipRowsAbove, int& originX,
                  int& originY) {
    DrawArea a;
    originX = rect.Left;
    originY = rect.Top;
    if (dst.Empty() || rect.Right < rect.Left || rect.Bottom < rect.Top) return a;
    a.X0 = std::max(rect.Left, 0);
    a.X1 = std::min(rect.Right, dst.width - 1);
    a.Y0 = std::max(rect.Top, 0);
    a.Y1 = std::min(rect.Bottom, dst.height - 1);
    if (skipRowsAbove) originY = a.Y0;
    return a;
}

Mapping MakeMapping(double CentreX, double CentreY, double ShiftX, double ShiftY, double PostShiftX,
                    double PostShiftY, double Angle, double Scale, int originX, int originY,
                    const DrawArea& area) {
    Mapping m;
    m.OriginX = originX;
    m.OriginY = originY;
    const double step = Scale * 65535.0;
    const double csx = std::nearbyint(std::cos(Angle) * step);
    const double snx = std::nearbyint(std::sin(Angle) * step);
    // The start point is worked out in extended precision: an error there
    // would shift the whole picture.
    const long double ca = std::cos(static_cast<long double>(Angle));
    const long double sa = std::sin(static_cast<long double>(Angle));
    const long double u = -static_cast<long double>(CentreX) - ShiftX;
    const long double v = -static_cast<long double>(CentreY) - ShiftY;
    const long double sx = CentreX + u * ca - v * sa - PostShiftX;
    const long double sy = CentreY + u * sa + v * ca - PostShiftY;
    const long double u0 = std::nearbyint(sx * 65535.0L) + kThird;
    const long double v0 = std::nearbyint(sy * 65535.0L) + kThird;
    if (!std::isfinite(csx) || !std::isfinite(snx) || !std::isfinite(u0) || !std::isfinite(v0))
        return m;
    // Every accumulator of the area must fit well inside 64 bits.
    const long double spanX = std::max(0, area.X1 - originX) + std::abs(area.X0 - originX) + 1.0L;
    const long double spanY = std::max(0, area.Y1 - originY) + std::abs(area.Y0 - originY) + 1.0L;
    const long double reach =
        (std::fabs(static_cast<long double>(csx)) + std::fabs(static_cast<long double>(snx))) *
        (spanX + spanY);
    const long double limit = 4.0e18L;
    if (std::fabs(u0) + reach > limit || std::fabs(v0) + reach > limit) return m;
    m.Csx = static_cast<std::int64_t>(csx);
    m.Snx = static_cast<std::int64_t>(snx);
    m.U0 = static_cast<std::int64_t>(u0);
    m.V0 = static_cast<std::int64_t>(v0);
    m.Valid = true;
    return m;
}

} // namespace engine_detail

namespace {

// Operations by index 2 * Mode + Pass; beyond the table the passes copy.
constexpr BlendOp kBlendTable[16] = {
    BlendOp::Scale,      BlendOp::Add,             // "Add"
    BlendOp::Scale,      BlendOp::Subtract,        // "Sub"
    BlendOp::InverseAdd, BlendOp::InverseSubtract, // "Xor"
    BlendOp::Scale,      BlendOp::InverseAdd,      // "Neg"
    BlendOp::Scale,      BlendOp::InverseSubtract, // "NSub"
    BlendOp::Grey,       BlendOp::GreyAdd,         // "Gray"
    BlendOp::Grey,       BlendOp::GreySubtract,    // "GSub"
    BlendOp::Grey,       BlendOp::GreyXor,         // "GXor"
};

int Cap(int v) {
    return v > 255 ? 255 : v;
}
int Floor0(int v) {
    return v < 0 ? 0 : v;
}

// One destination pixel of the blend routine, inside the picture.
template <BlendOp Op>
std::uint32_t BlendPixel(std::uint32_t s, std::uint32_t d, std::uint32_t channels, int wd, int ws) {
    if constexpr (Op == BlendOp::Copy) {
        return (d & 0xFF000000u) | (s & 0x00FFFFFFu);
    } else {
        const int sumS = int(s & 0xFF) + int((s >> 8) & 0xFF) + int((s >> 16) & 0xFF);
        const int sumD = int(d & 0xFF) + int((d >> 8) & 0xFF) + int((d >> 16) & 0xFF);
        std::uint32_t out = d;
        for (int shift = 0; shift <= 16; shift += 8) {
            if (!(channels & (0xFFu << shift))) continue;
            const int sv = int((s >> shift) & 0xFF);
            const int dv = int((d >> shift) & 0xFF);
            int v = 0;
            if constexpr (Op == BlendOp::Scale) v = sv * ws / 256;
            if constexpr (Op == BlendOp::Add) v = Cap((wd * dv + ws * sv) / 256);
            if constexpr (Op == BlendOp::Subtract) v = Floor0((ws * sv - wd * dv) / 256);
            if constexpr (Op == BlendOp::InverseAdd) v = Cap(((255 - sv) * ws + wd * dv) / 256);
            if constexpr (Op == BlendOp::InverseSubtract)
                v = Floor0(((255 - sv) * ws - wd * dv) / 256);
            if constexpr (Op == BlendOp::Grey) v = sumS / 3;
            if constexpr (Op == BlendOp::GreyAdd) v = Cap((wd * sumD + ws * sumS) / 768);
            if constexpr (Op == BlendOp::GreySubtract) v = Floor0((wd * sumD - ws * sumS) / 768);
            if constexpr (Op == BlendOp::GreyXor) v = (sumD / 3) ^ (sumS / 3);
            out = (out & ~(0xFFu << shift)) | (std::uint32_t(v) << shift);
        }
        return out;
    }
}

struct BlendCtx {
    ImageView src;
    std::int64_t left = 0, top = 0;
    std::uint32_t keepMask = 0, outsideWrite = 0, channels = 0;
    int wd = 0, ws = 0;
    std::ptrdiff_t ahead = 0; // from a source pixel to the one the next row reads
};

// One destination row: the pixels whose source position is inside the
// picture form one run; the rest take the background through the masks.
template <BlendOp Op>
void BlendRow(const BlendCtx& c, std::int64_t U, std::int64_t V, std::int64_t du, std::int64_t dv,
              std::uint8_t* row, int n) {
    int ja = 0, jb = n;
    Run(U, du, c.left == 0 ? -(kUnit - 1) : c.left * kUnit, c.src.width * kUnit, ja, jb);
    Run(V, dv, c.top == 0 ? -(kUnit - 1) : c.top * kUnit, c.src.height * kUnit, ja, jb);
    if (ja >= jb) ja = jb = n;
    for (int i = 0; i < n; ++i) {
        if (i == ja) {
            std::int64_t u = U + ja * du, v = V + ja * dv;
            for (; i < jb; ++i, u += du, v += dv) {
                std::uint8_t* q = row + static_cast<std::ptrdiff_t>(i) * 4;
                const std::uint8_t* p = c.src.Row(int(v / kUnit)) + (u / kUnit) * 4;
                // Fetch what the next destination row will read: a turned
                // picture is walked diagonally, which defeats the hardware.
                __builtin_prefetch(p + c.ahead);
                const std::uint32_t s = Load32(p);
                Store32(q, BlendPixel<Op>(s, Load32(q), c.channels, c.wd, c.ws));
            }
            if (i >= n) break;
        }
        std::uint8_t* q = row + static_cast<std::ptrdiff_t>(i) * 4;
        Store32(q, (Load32(q) & c.keepMask) | c.outsideWrite);
    }
}

using BlendRowFn = void (*)(const BlendCtx&, std::int64_t, std::int64_t, std::int64_t, std::int64_t,
                            std::uint8_t*, int);

BlendRowFn BlendRowFor(BlendOp op) {
    switch (op) {
    case BlendOp::Copy:
        return BlendRow<BlendOp::Copy>;
    case BlendOp::Scale:
        return BlendRow<BlendOp::Scale>;
    case BlendOp::Add:
        return BlendRow<BlendOp::Add>;
    case BlendOp::Subtract:
        return BlendRow<BlendOp::Subtract>;
    case BlendOp::InverseAdd:
        return BlendRow<BlendOp::InverseAdd>;
    case BlendOp::InverseSubtract:
        return BlendRow<BlendOp::InverseSubtract>;
    case BlendOp::Grey:
        return BlendRow<BlendOp::Grey>;
    case BlendOp::GreyAdd:
        return BlendRow<BlendOp::GreyAdd>;
    case BlendOp::GreySubtract:
        return BlendRow<BlendOp::GreySubtract>;
    case BlendOp::GreyXor:
        return BlendRow<BlendOp::GreyXor>;
    }
    return BlendRow<BlendOp::Copy>;
}

// Bilinear scaling keeps 14 fraction bits in its accumulators.
constexpr int kBilinearBits = 14;
constexpr std::int64_t kBilinearOne = 1 << kBilinearBits;

std::uint32_t ShiftTerm(std::uint32_t v, int shift) {
    if (shift >= 8) return 0;
    return v << std::max(shift, 0);
}

} // namespace

int SelectBlendOp(int Mode, int Pass, BlendOp& Op) {
    const long long i = 2LL * Mode + Pass;
    if (i < 0 || i > 15) {
        Op = BlendOp::Copy;
        return 10;
    }
    Op = kBlendTable[i];
    return Mode;
}

void BmpTransformBlend(const ImageView& Src, const ImageView& Dst, const EngineRect& SrcRect,
                       const EngineRect& DstRect, double CentreX, double CentreY, double ShiftX,
                       double ShiftY, double PostShiftX, double PostShiftY, double Angle,
                       double Scale, std::uint32_t BackColor, std::uint32_t WriteMask,
                       std::uint32_t KeepMask, int DstWeight, int SrcWeight, BlendOp Op) {
    if (Src.Empty() || !Src.Is32() || Dst.Empty() || !Dst.Is32()) return;
    int ox, oy;
    const DrawArea area = ClipArea(Dst, DstRect, false, ox, oy);
    if (area.Empty()) return;
    const Mapping m = MakeMapping(CentreX, CentreY, ShiftX, ShiftY, PostShiftX, PostShiftY, Angle,
                                  Scale, ox, oy, area);
    BlendCtx c;
    c.src = Src;
    // Weights beyond 0..256 would carry into the next channel.
    c.wd = std::clamp(DstWeight, 0, 256);
    c.ws = std::clamp(SrcWeight, 0, 256);
    c.channels = ChannelBytes(WriteMask);
    c.keepMask = KeepMask;
    c.outsideWrite = BackPixel(BackColor) & WriteMask;
    c.left = std::max(SrcRect.Left, 0);
    c.top = std::max(SrcRect.Top, 0);
    const auto rowsOf = [](std::int64_t a) {
        return std::int64_t(std::llround(double(a) / kUnit));
    };
    c.ahead = rowsOf(-m.Snx) * 4 + rowsOf(m.Csx) * Src.stride;
    const BlendRowFn row = BlendRowFor(Op);
    const int n = area.X1 - area.X0 + 1;
    for (int y = area.Y0; y <= area.Y1; ++y) {
        std::uint8_t* q = Dst.Row(y) + static_cast<std::ptrdiff_t>(area.X0) * 4;
        if (m.Valid) {
            row(c, m.U(area.X0, y), m.V(area.X0, y), m.Csx, m.Snx, q, n);
        } else {
            for (int i = 0; i < n; ++i)
                Store32(q + 4 * i, (Load32(q + 4 * i) & KeepMask) | c.outsideWrite);
        }
    }
}

void BmpScaleBilinear(const ImageView& Src, const ImageView& Dst, const EngineRect& SrcRect,
                      const EngineRect& DstRect, double /*CentreX*/, double /*CentreY*/,
                      double ShiftX, double ShiftY, double PostShiftX, double PostShiftY,
                      double /*Angle*/, double Scale, std::uint32_t BackColor,
                      std::uint32_t WriteMask, std::uint32_t KeepMask, int ValueShift,
                      int DstShift) {
    if (Src.Empty() || !Src.Is32() || Dst.Empty() || !Dst.Is32()) return;
    int ox, oy;
    const DrawArea area = ClipArea(Dst, DstRect, true, ox, oy);
    if (area.Empty()) return;
    const double step = std::nearbyint(Scale * kBilinearOne);
    const double x0 = std::nearbyint(-(ShiftX + PostShiftX) * kBilinearOne);
    const double y0 = std::nearbyint(-(ShiftY + PostShiftY) * kBilinearOne);
    const double spans = double(area.X1 - area.X0 + 1) + double(area.Y1 - area.Y0 + 1);
    // Positions are kept signed and wide: a position left of or above the
    // picture is simply outside, and no accumulator can wrap back inside.
    const bool valid = std::isfinite(step) && std::isfinite(x0) && std::isfinite(y0) &&
                       std::fabs(x0) + std::fabs(step) * spans < 4.0e18 &&
                       std::fabs(y0) + std::fabs(step) * spans < 4.0e18;
    const std::int64_t stepI = valid ? std::int64_t(step) : 0;
    const std::int64_t x0I = valid ? std::int64_t(x0) : 0;
    std::int64_t Y = valid ? std::int64_t(y0) : 0;
    const std::uint32_t channels = ChannelBytes(WriteMask);
    const std::uint32_t outsideWrite = BackPixel(BackColor) & WriteMask;
    const std::int64_t left = std::max(SrcRect.Left, 0);
    const std::int64_t top = std::max(SrcRect.Top, 0);
    const std::int64_t lastX = Src.width - 1;
    const std::int64_t lastY = Src.height - 1;
    for (int y = area.Y0; y <= area.Y1; ++y, Y += stepI) {
        std::uint8_t* row = Dst.Row(y);
        const std::int64_t py = Y >> kBilinearBits;
        const int fy = int(Y & (kBilinearOne - 1));
        std::int64_t X = x0I + static_cast<std::int64_t>(area.X0 - ox) * stepI;
        for (int x = area.X0; x <= area.X1; ++x, X += stepI) {
            std::uint8_t* q = row + static_cast<std::ptrdiff_t>(x) * 4;
            const std::uint32_t old = Load32(q);
            const std::int64_t px = X >> kBilinearBits;
            if (!valid || X < 0 || Y < 0 || px < left || px > lastX || py < top || py > lastY) {
                Store32(q, (old & KeepMask) | outsideWrite);
                continue;
            }
            const std::uint8_t* p = Src.Row(int(py)) + px * 4;
            if (px == lastX || py == lastY) {
                Store32(q, (old & KeepMask) | (Load32(p) & WriteMask) | 0xFF000000u);
                continue;
            }
            const int fx = int(X & (kBilinearOne - 1));
            const std::uint8_t* below = p + Src.stride;
            std::uint32_t out = old;
            for (int c = 0; c < 3; ++c) {
                if (!(channels & (0xFFu << (8 * c)))) continue;
                const int p00 = p[c], p10 = p[4 + c], p01 = below[c], p11 = below[4 + c];
                // Arithmetic shifts: the fractions are floored, as in the preview.
                const int t = p00 + (((p10 - p00) * fx) >> kBilinearBits);
                const int b = p01 + (((p11 - p01) * fx) >> kBilinearBits);
                const int v = t + (((b - t) * fy) >> kBilinearBits);
                const std::uint32_t o = (old >> (8 * c)) & 0xFF;
                const std::uint32_t nv =
                    (ShiftTerm(o, DstShift) + ShiftTerm(std::uint32_t(v), ValueShift)) & 0xFF;
                out = (out & ~(0xFFu << (8 * c))) | (nv << (8 * c));
            }
            Store32(q, out | 0xFF000000u);
        }
    }
}

double LineAngle(double X1, double Y1, double X2, double Y2) {
    constexpr double eps = 0.001;
    const double dx = X2 - X1;
    const double dy = Y2 - Y1;
    if (std::fabs(dx) < eps) {
        if (dy > 0) return 3 * M_PI / 2;
        if (dy < 0) return M_PI / 2;
        return 0;
    }
    const double a = std::atan(-dy / std::fabs(dx));
    return dx >= 0 ? a : M_PI - a;
}

double LineAngleLen(double X1, double Y1, double X2, double Y2, double Len) {
    constexpr double eps = 0.001;
    const double dx = X2 - X1;
    const double dy = Y2 - Y1;
    double h;
    if (std::fabs(Len) < eps) {
        h = 0;
    } else if (std::fabs(dx) < eps || std::fabs(dy) > Len) {
        const double sign = dy > 0 ? 1.0 : (dy < 0 ? -1.0 : 0.0);
        h = -sign * M_PI / 2;
    } else {
        h = std::asin(-dy / Len);
    }
    return dx < 0 ? M_PI - h : h;
}
