// The literal model: accumulators stepped pixel by pixel and row by row from
// the start point, divisions written out, every channel summed in full.
#include "support/transform_ref.h"

#include <cmath>

namespace {

std::uint32_t Chan(std::uint32_t p, int c) {
    return (p >> (8 * c)) & 0xFF;
}
std::uint32_t SetChan(std::uint32_t p, int c, int v) {
    return (p & ~(0xFFu << (8 * c))) | (std::uint32_t(v) << (8 * c));
}
bool Flag(std::uint32_t writeMask, int c) {
    const std::uint32_t m = 0xFFu << (8 * c);
    return (writeMask & m) == m;
}
std::uint32_t Background(std::uint32_t colour) {
    const std::uint32_t r = colour & 0xFF, g = (colour >> 8) & 0xFF, b = (colour >> 16) & 0xFF;
    return (r << 16) | (g << 8) | b;
}

const int kW[9][3][3] = {
    {{2, 7, 0}, {7, 16, 0}, {0, 0, 0}},     {{1, 8, 1}, {3, 16, 3}, {0, 0, 0}},
    {{0, 7, 2}, {0, 16, 7}, {0, 0, 0}},     {{1, 3, 0}, {8, 16, 0}, {1, 3, 0}},
    {{-1, 1, -1}, {1, 32, 1}, {-1, 1, -1}}, {{0, 3, 1}, {0, 16, 8}, {0, 3, 1}},
    {{0, 0, 0}, {7, 16, 0}, {2, 7, 0}},     {{0, 0, 0}, {3, 16, 3}, {1, 8, 1}},
    {{0, 0, 0}, {0, 16, 7}, {0, 7, 2}},
};

struct Start {
    long long csx, snx, u0, v0;
};

Start StartPoint(const RefParams& p) {
    const double kk = p.scale * 65535;
    Start s;
    s.csx = (long long)std::nearbyint(std::cos(p.angle) * kk);
    s.snx = (long long)std::nearbyint(std::sin(p.angle) * kk);
    long double u = 0.0L * p.scale - p.cx - p.shx;
    long double v = 0.0L * p.scale - p.cy - p.shy;
    long double a = p.angle;
    long double sx = p.cx + u * std::cos(a) - v * std::sin(a) - p.pshx;
    long double sy = p.cy + u * std::sin(a) + v * std::cos(a) - p.pshy;
    s.u0 = (long long)std::nearbyint(sx * 65535.0L) + 21845;
    s.v0 = (long long)std::nearbyint(sy * 65535.0L) + 21845;
    return s;
}

} // namespace

void RefSmooth(RefSmoothKind kind, const RefPic& src, RefPic& dst, RefRect sr, RefRect dr,
               const RefParams& p) {
    if (src.w <= 0 || src.h <= 0 || src.is24) return;
    if ((kind == RefSmoothKind::Export24) != dst.is24) return;
    const std::uint32_t keep = dst.is24 ? (p.keep & 0xFFFFFF) : p.keep;
    const std::uint32_t write = dst.is24 ? (p.write & 0xFFFFFF) : p.write;
    const std::uint32_t bg = Background(p.back);
    const int left = sr.l < 0 ? 0 : sr.l, top = sr.t < 0 ? 0 : sr.t;
    Start s = StartPoint(p);
    long long U0 = s.u0, V0 = s.v0;
    // The export form walks every destination row and draws the rect's rows;
    // the others walk the rect's rows (only those on the destination are stored).
    const int yFrom = kind == RefSmoothKind::Export32 ? 0 : dr.t;
    const int yTo = kind == RefSmoothKind::Export32 ? dst.h - 1 : dr.b;
    for (int y = yFrom; y <= yTo; ++y) {
        if (y < dr.t || y > dr.b) continue;
        long long U = U0, V = V0;
        for (int x = dr.l; x <= dr.r; ++x, U += s.csx, V += s.snx) {
            if (x < 0 || x >= dst.w || y < 0 || y >= dst.h) continue;
            std::uint32_t old = dst.at(x, y);
            long long px = U / 65535, py = V / 65535;
            std::uint32_t out;
            if (!(left <= px && px <= src.w - 1 && top <= py && py <= src.h - 1)) {
                out = (old & keep) | (bg & write);
            } else if (px == left || py == top || px == src.w - 1 || py == src.h - 1) {
                out = (src.at(int(px), int(py)) & write) | (old & keep);
                if (kind == RefSmoothKind::Display) out = SetChan(out, 3, 255);
            } else {
                long long cx = (U / 21845) % 3, cy = (V / 21845) % 3;
                int k = int(3 * cy + cx);
                out = old;
                for (int c = 0; c < 3; ++c) {
                    if (!Flag(write, c)) continue;
                    int d = 0;
                    for (int j = -1; j <= 1; ++j)
                        for (int i = -1; i <= 1; ++i)
                            d += kW[k][j + 1][i + 1] *
                                 int(Chan(src.at(int(px) + i, int(py) + j), c));
                    int val;
                    if (k == 4) {
                        val = d / 32;
                        if (val < 0) val = 0;
                        if (val > 255) val = 255;
                    } else {
                        val = d >> 5;
                    }
                    out = SetChan(out, c, val);
                }
                if (kind == RefSmoothKind::Display) out = SetChan(out, 3, 255);
            }
            dst.at(x, y) = out;
        }
        U0 -= s.snx;
        V0 += s.csx;
    }
}

void RefBlend(const RefPic& src, RefPic& dst, RefRect sr, RefRect dr, const RefParams& p, RefOp op,
              int wd, int ws) {
    if (src.w <= 0 || src.h <= 0 || src.is24 || dst.is24) return;
    const std::uint32_t bg = Background(p.back);
    const int left = sr.l < 0 ? 0 : sr.l, top = sr.t < 0 ? 0 : sr.t;
    Start s = StartPoint(p);
    long long U0 = s.u0, V0 = s.v0;
    for (int y = dr.t; y <= dr.b; ++y) {
        long long U = U0, V = V0;
        for (int x = dr.l; x <= dr.r; ++x, U += s.csx, V += s.snx) {
            if (x < 0 || x >= dst.w || y < 0 || y >= dst.h) continue;
            std::uint32_t d = dst.at(x, y);
            long long px = U / 65535, py = V / 65535;
            if (!(left <= px && px <= src.w - 1 && top <= py && py <= src.h - 1)) {
                dst.at(x, y) = (d & p.keep) | (bg & p.write);
                continue;
            }
            std::uint32_t sp = src.at(int(px), int(py));
            std::uint32_t out = d;
            int ss = int(Chan(sp, 0) + Chan(sp, 1) + Chan(sp, 2));
            int sd = int(Chan(d, 0) + Chan(d, 1) + Chan(d, 2));
            for (int c = 0; c < 3; ++c) {
                if (op != RefOp::Copy && !Flag(p.write, c)) continue;
                int sv = int(Chan(sp, c)), dv = int(Chan(d, c)), v = 0;
                switch (op) {
                case RefOp::Copy:
                    v = sv;
                    break;
                case RefOp::Scale:
                    v = sv * ws / 256;
                    break;
                case RefOp::Add:
                    v = (wd * dv + ws * sv) / 256;
                    if (v > 255) v = 255;
                    break;
                case RefOp::Sub:
                    v = (ws * sv - wd * dv) / 256;
                    if (v < 0) v = 0;
                    break;
                case RefOp::InvAdd:
                    v = ((255 - sv) * ws + wd * dv) / 256;
                    if (v > 255) v = 255;
                    break;
                case RefOp::InvSub:
                    v = ((255 - sv) * ws - wd * dv) / 256;
                    if (v < 0) v = 0;
                    break;
                case RefOp::Grey:
                    v = ss / 3;
                    break;
                case RefOp::GreyAdd:
                    v = (wd * sd + ws * ss) / 768;
                    if (v > 255) v = 255;
                    break;
                case RefOp::GreySub:
                    v = (wd * sd - ws * ss) / 768;
                    if (v < 0) v = 0;
                    break;
                case RefOp::GreyXor:
                    v = (sd / 3) ^ (ss / 3);
                    break;
                }
                out = SetChan(out, c, v);
            }
            dst.at(x, y) = out;
        }
        U0 -= s.snx;
        V0 += s.csx;
    }
}

void RefBilinear(const RefPic& src, RefPic& dst, RefRect sr, RefRect dr, const RefParams& p,
                 int valueShift, int dstShift) {
    if (src.w <= 0 || src.h <= 0 || src.is24 || dst.is24) return;
    const std::uint32_t bg = Background(p.back);
    const long long step = (long long)std::nearbyint(p.scale * 16384);
    const long long X0 = (long long)std::nearbyint(-(p.shx + p.pshx) * 16384);
    long long Y = (long long)std::nearbyint(-(p.shy + p.pshy) * 16384);
    const int left = sr.l < 0 ? 0 : sr.l, top = sr.t < 0 ? 0 : sr.t;
    auto term = [](int v, int sh) { return sh >= 8 ? 0 : (v << sh); };
    for (int y = 0; y < dst.h; ++y) {
        if (y < dr.t || y > dr.b) continue;
        long long X = X0;
        for (int x = dr.l; x <= dr.r; ++x, X += step) {
            if (x < 0 || x >= dst.w) continue;
            std::uint32_t old = dst.at(x, y);
            long long px = X < 0 ? -1 : X / 16384, py = Y < 0 ? -1 : Y / 16384;
            int fx = int(X - (X < 0 ? 0 : px * 16384)), fy = int(Y - (Y < 0 ? 0 : py * 16384));
            if (px < left || py < top || px > src.w - 1 || py > src.h - 1) {
                dst.at(x, y) = (old & p.keep) | (p.write & bg);
                continue;
            }
            if (px == src.w - 1 || py == src.h - 1) {
                dst.at(x, y) =
                    SetChan((old & p.keep) | (src.at(int(px), int(py)) & p.write), 3, 255);
                continue;
            }
            std::uint32_t out = old;
            for (int c = 0; c < 3; ++c) {
                if (!Flag(p.write, c)) continue;
                int p00 = int(Chan(src.at(int(px), int(py)), c));
                int p10 = int(Chan(src.at(int(px) + 1, int(py)), c));
                int p01 = int(Chan(src.at(int(px), int(py) + 1), c));
                int p11 = int(Chan(src.at(int(px) + 1, int(py) + 1), c));
                int t = p00 + int(std::floor((p10 - p00) * fx / 16384.0));
                int b = p01 + int(std::floor((p11 - p01) * fx / 16384.0));
                int v = t + int(std::floor((b - t) * fy / 16384.0));
                out = SetChan(out, c,
                              (term(int(Chan(old, c)), dstShift) + term(v, valueShift)) & 0xFF);
            }
            dst.at(x, y) = SetChan(out, 3, 255);
        }
        Y += step;
    }
}
