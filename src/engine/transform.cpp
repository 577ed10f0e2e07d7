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
std::uint32_t BlendPixel(std::uint32_t s, std::uint32_t d, std::uint32_t channels, BlendOp op,
                         int wd, int ws) {
    if (op == BlendOp::Copy) return (d & 0xFF000000u) | (s & 0x00FFFFFFu);
    const int sumS = int(s & 0xFF) + int((s >> 8) & 0xFF) + int((s >> 16) & 0xFF);
    const int sumD = int(d & 0xFF) + int((d >> 8) & 0xFF) + int((d >> 16) & 0xFF);
    std::uint32_t out = d;
    for (int shift = 0; shift <= 16; shift += 8) {
        if (!(channels & (0xFFu << shift))) continue;
        const int sv = int((s >> shift) & 0xFF);
        const int dv = int((d >> shift) & 0xFF);
        int v = 0;
        switch (op) {
        case BlendOp::Scale:
            v = sv * ws / 256;
            break;
        case BlendOp::Add:
            v = Cap((wd * dv + ws * sv) / 256);
            break;
        case BlendOp::Subtract:
            v = Floor0((ws * sv - wd * dv) / 256);
            break;
        case BlendOp::InverseAdd:
            v = Cap(((255 - sv) * ws + wd * dv) / 256);
            break;
        case BlendOp::InverseSubtract:
            v = Floor0(((255 - sv) * ws - wd * dv) / 256);
            break;
        case BlendOp::Grey:
            v = sumS / 3;
            break;
        case BlendOp::GreyAdd:
            v = Cap((wd * sumD + ws * sumS) / 768);
            break;
        case BlendOp::GreySubtract:
            v = Floor0((wd * sumD - ws * sumS) / 768);
            break;
        case BlendOp::GreyXor:
            v = (sumD / 3) ^ (sumS / 3);
            break;
        case BlendOp::Copy:
            break;
        }
        out = (out & ~(0xFFu << shift)) | (std::uint32_t(v) << shift);
    }
    return out;
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
    // Weights beyond 0..256 would carry into the next channel.
    const int wd = std::clamp(DstWeight, 0, 256);
    const int ws = std::clamp(SrcWeight, 0, 256);
    const std::uint32_t channels = ChannelBytes(WriteMask);
    const std::uint32_t outsideWrite = BackPixel(BackColor) & WriteMask;
    const std::int64_t left = std::max(SrcRect.Left, 0);
    const std::int64_t top = std::max(SrcRect.Top, 0);
    const std::int64_t lastX = Src.width - 1;
    const std::int64_t lastY = Src.height - 1;
    for (int y = area.Y0; y <= area.Y1; ++y) {
        std::uint8_t* row = Dst.Row(y);
        std::int64_t U = m.Valid ? m.U(area.X0, y) : 0;
        std::int64_t V = m.Valid ? m.V(area.X0, y) : 0;
        for (int x = area.X0; x <= area.X1; ++x, U += m.Csx, V += m.Snx) {
            std::uint8_t* q = row + static_cast<std::ptrdiff_t>(x) * 4;
            const std::uint32_t old = Load32(q);
            const std::int64_t px = U / kUnit;
            const std::int64_t py = V / kUnit;
            if (!m.Valid || px < left || px > lastX || py < top || py > lastY) {
                Store32(q, (old & KeepMask) | outsideWrite);
                continue;
            }
            const std::uint32_t s = Src.Pixel(int(px), int(py));
            Store32(q, BlendPixel(s, old, channels, Op, wd, ws));
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
