// Anaglyph mixing in exact integer arithmetic: every coefficient of the
// methods has three decimals, so sums of coefficient x 8-bit value are whole
// thousandths. Bit budget: |sum| <= 255 * (456 + 500 + 176 + 72 + 113 + 1226)
// < 650 000, and with the rounding bias of 10^6 still far inside an int.
#include "engine/anaglyphmix.h"

namespace {

// n / 1000 rounded to the nearest integer, ties to even, for any sign, without
// a branch (the rounding direction of photographs is a coin toss the branch
// predictor loses). A bias of 10^6 (an even number of thousands) makes the
// numerator positive without changing the parity of the quotient.
inline int RoundThousandths(int n) {
    const int biased = n + 1000000;
    const int q = biased / 1000;
    const int r = biased - q * 1000;
    return q + int(r > 500) + (int(r == 500) & q & 1) - 1000;
}

inline int Clamp8(int v) {
    return v < 0 ? 0 : (v > 255 ? 255 : v);
}

// Red-cyan least-squares matrices in thousandths; rows give red, green, blue
// and columns take red, green, blue.
constexpr int kLeft[3][3] = {{456, 500, 176}, {-40, -38, -16}, {-15, -21, -5}};
constexpr int kRight[3][3] = {{-43, -88, -2}, {378, 734, -18}, {-72, -113, 1226}};
constexpr int kLuma[3] = {299, 587, 114};

// Memory order B, G, R: index 2 is red. Plain products of constants: the
// compiler turns the row loops into vector code.
inline int Luma(const std::uint8_t* p) {
    return RoundThousandths(kLuma[0] * p[2] + kLuma[1] * p[1] + kLuma[2] * p[0]);
}

template <int C> inline int LeastSquares(const std::uint8_t* l, const std::uint8_t* r) {
    return Clamp8(RoundThousandths(kLeft[C][0] * l[2] + kLeft[C][1] * l[1] + kLeft[C][2] * l[0] +
                                   kRight[C][0] * r[2] + kRight[C][1] * r[1] +
                                   kRight[C][2] * r[0]));
}

template <AnaglyphMethod M, int Bpp>
void MixRow(const std::uint8_t* l, const std::uint8_t* r, std::uint8_t* d, int width) {
    for (int x = 0; x < width; ++x) {
        const std::uint8_t* lp = l + x * Bpp;
        const std::uint8_t* rp = r + x * Bpp;
        std::uint8_t* dp = d + x * Bpp;
        int red, green, blue;
        if constexpr (M == AnaglyphMethod::Colour) {
            red = lp[2], green = rp[1], blue = rp[0];
        } else if constexpr (M == AnaglyphMethod::Half) {
            red = Luma(lp), green = rp[1], blue = rp[0];
        } else if constexpr (M == AnaglyphMethod::Grey) {
            red = Luma(lp);
            green = blue = Luma(rp);
        } else {
            red = LeastSquares<0>(lp, rp);
            green = LeastSquares<1>(lp, rp);
            blue = LeastSquares<2>(lp, rp);
        }
        const std::uint8_t alpha = Bpp == 4 ? lp[Bpp - 1] : 0;
        dp[0] = std::uint8_t(blue);
        dp[1] = std::uint8_t(green);
        dp[2] = std::uint8_t(red);
        if constexpr (Bpp == 4) dp[3] = alpha;
    }
}

template <AnaglyphMethod M>
void MixRows(const ImageView& left, const ImageView& right, const ImageView& dst) {
    for (int y = 0; y < left.height; ++y) {
        if (left.format == PixelFormat::Bgra32)
            MixRow<M, 4>(left.Row(y), right.Row(y), dst.Row(y), left.width);
        else
            MixRow<M, 3>(left.Row(y), right.Row(y), dst.Row(y), left.width);
    }
}

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

void LumaToRed(const ImageView& picture) {
    if (picture.Empty()) return;
    const int bpp = BytesPerPixel(picture.format);
    for (int y = 0; y < picture.height; ++y) {
        std::uint8_t* p = picture.Row(y);
        for (int x = 0; x < picture.width; ++x, p += bpp) {
            const int luma = Luma(p);
            p[0] = p[1] = 0;
            p[2] = std::uint8_t(luma);
        }
    }
}

bool MixAnaglyph(const ImageView& left, const ImageView& right, const ImageView& dst,
                 AnaglyphMethod method) {
    if (left.Empty() || right.Empty() || dst.Empty() || left.width != right.width ||
        left.height != right.height || dst.width != left.width || dst.height != left.height ||
        left.format != right.format || dst.format != left.format)
        return false;
    switch (method) {
    case AnaglyphMethod::Colour:
        MixRows<AnaglyphMethod::Colour>(left, right, dst);
        break;
    case AnaglyphMethod::Half:
        MixRows<AnaglyphMethod::Half>(left, right, dst);
        break;
    case AnaglyphMethod::Grey:
        MixRows<AnaglyphMethod::Grey>(left, right, dst);
        break;
    case AnaglyphMethod::Dubois:
        MixRows<AnaglyphMethod::Dubois>(left, right, dst);
        break;
    }
    return true;
}
