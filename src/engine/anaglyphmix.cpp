// Anaglyph mixing in exact integer arithmetic: every coefficient of the
// methods has three decimals, so sums of coefficient x 8-bit value are whole
// thousandths. Bit budget: |sum| <= 255 * (456 + 500 + 176 + 72 + 113 + 1226)
// < 650 000, far inside an int.
#include "engine/anaglyphmix.h"

namespace {

// n / 1000 rounded to the nearest integer, ties to even, for any sign.
inline int RoundThousandths(int n) {
    int q = n / 1000; // truncates toward zero
    const int r = n - q * 1000;
    if (r > 500 || (r == 500 && (q & 1)))
        ++q;
    else if (r < -500 || (r == -500 && (q & 1)))
        --q;
    return q;
}

inline int Clamp8(int v) {
    return v < 0 ? 0 : (v > 255 ? 255 : v);
}

// Red-cyan least-squares matrices in thousandths; rows give red, green, blue
// and columns take red, green, blue.
constexpr int kLeft[3][3] = {{456, 500, 176}, {-40, -38, -16}, {-15, -21, -5}};
constexpr int kRight[3][3] = {{-43, -88, -2}, {378, 734, -18}, {-72, -113, 1226}};

} // namespace

AnaglyphMethod AnaglyphMethodOf(int value) {
    switch (value) {
    case 1:
        return AnaglyphMethod::Half;
    case 2:
        return AnaglyphMethod::Grey;
    case 3:
        return AnaglyphMethod::Dubois;
    default:
        return AnaglyphMethod::Colour;
    }
}

int AnaglyphLuma(int r, int g, int b) {
    return RoundThousandths(299 * r + 587 * g + 114 * b);
}

void AnaglyphPixel(AnaglyphMethod method, const int left[3], const int right[3], int out[3]) {
    switch (method) {
    case AnaglyphMethod::Colour:
        out[0] = left[0];
        out[1] = right[1];
        out[2] = right[2];
        break;
    case AnaglyphMethod::Half:
        out[0] = AnaglyphLuma(left[0], left[1], left[2]);
        out[1] = right[1];
        out[2] = right[2];
        break;
    case AnaglyphMethod::Grey:
        out[0] = AnaglyphLuma(left[0], left[1], left[2]);
        out[1] = out[2] = AnaglyphLuma(right[0], right[1], right[2]);
        break;
    case AnaglyphMethod::Dubois:
        for (int c = 0; c < 3; ++c) {
            int n = 0;
            for (int k = 0; k < 3; ++k) n += kLeft[c][k] * left[k] + kRight[c][k] * right[k];
            out[c] = Clamp8(RoundThousandths(n));
        }
        break;
    }
}

bool MixAnaglyph(const ImageView& left, const ImageView& right, const ImageView& dst,
                 AnaglyphMethod method) {
    if (left.Empty() || right.Empty() || dst.Empty() || left.width != right.width ||
        left.height != right.height || dst.width != left.width || dst.height != left.height ||
        left.format != right.format || dst.format != left.format)
        return false;
    const int bpp = BytesPerPixel(left.format);
    for (int y = 0; y < left.height; ++y) {
        const std::uint8_t* l = left.Row(y);
        const std::uint8_t* r = right.Row(y);
        std::uint8_t* d = dst.Row(y);
        for (int x = 0; x < left.width; ++x, l += bpp, r += bpp, d += bpp) {
            // Memory order B, G, R; the methods speak of R, G, B.
            const int lp[3] = {l[2], l[1], l[0]};
            const int rp[3] = {r[2], r[1], r[0]};
            int out[3];
            AnaglyphPixel(method, lp, rp, out);
            if (bpp == 4) d[3] = l[3];
            d[0] = std::uint8_t(out[2]);
            d[1] = std::uint8_t(out[1]);
            d[2] = std::uint8_t(out[0]);
        }
    }
    return true;
}
