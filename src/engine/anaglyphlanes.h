// The exact integer arithmetic of the anaglyph methods, one pixel word or
// four at a time, shared by the row mixers and the drawing that mixes as it
// draws.
#pragma once

#include "engine/anaglyphmix.h"

#include <cstdint>

#if defined(__SSE4_1__)
#include <smmintrin.h>
#endif

namespace engine_detail {

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

// One pixel of a method from left and right pixels in memory order (B, G,
// R), as red, green and blue.
template <AnaglyphMethod M>
inline void MixPixel(const std::uint8_t* lp, const std::uint8_t* rp, int& red, int& green,
                     int& blue) {
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
}

// One pixel word (0xAARRGGBB) of the left and right views mixed by a method;
// the alpha of the left word is kept.
template <AnaglyphMethod M> inline std::uint32_t MixWord(std::uint32_t l, std::uint32_t r) {
    const std::uint8_t lp[3] = {std::uint8_t(l), std::uint8_t(l >> 8), std::uint8_t(l >> 16)};
    const std::uint8_t rp[3] = {std::uint8_t(r), std::uint8_t(r >> 8), std::uint8_t(r >> 16)};
    int red, green, blue;
    MixPixel<M>(lp, rp, red, green, blue);
    return (l & 0xFF000000u) | (std::uint32_t(red) << 16) | (std::uint32_t(green) << 8) |
           std::uint32_t(blue);
}

#if defined(__SSE4_1__)

// n / 1000 rounded to the nearest integer, ties to even, four at a time.
// The quotient in single precision is correctly rounded: a true tie k + 1/2
// is exact, and any other quotient lies at least 0.001 from a half while the
// rounding error stays below 2^-14 for |n| < 2^20, so rounding the float to
// the nearest even integer rounds the exact quotient.
inline __m128i RoundThousandths4(__m128i n) {
    const __m128 q = _mm_div_ps(_mm_cvtepi32_ps(n), _mm_set1_ps(1000.0f));
    return _mm_cvttps_epi32(_mm_round_ps(q, _MM_FROUND_TO_NEAREST_INT | _MM_FROUND_NO_EXC));
}

// Per pixel of four BGRA pixels: blue and green as a pair of 16-bit lanes,
// and red alone in a 32-bit lane.
inline __m128i BlueGreenPairs(__m128i p) {
    return _mm_shuffle_epi8(
        p, _mm_setr_epi8(0, -1, 1, -1, 4, -1, 5, -1, 8, -1, 9, -1, 12, -1, 13, -1));
}
inline __m128i RedLanes(__m128i p) {
    return _mm_shuffle_epi8(
        p, _mm_setr_epi8(2, -1, -1, -1, 6, -1, -1, -1, 10, -1, -1, -1, 14, -1, -1, -1));
}

inline __m128i Pairs(int low, int high) {
    return _mm_set1_epi32(
        int(std::uint32_t(std::uint16_t(low)) | (std::uint32_t(std::uint16_t(high)) << 16)));
}

inline __m128i Luma4(__m128i p) {
    const __m128i n = _mm_add_epi32(_mm_madd_epi16(BlueGreenPairs(p), Pairs(kLuma[2], kLuma[1])),
                                    _mm_madd_epi16(RedLanes(p), Pairs(kLuma[0], 0)));
    return RoundThousandths4(n);
}

// One channel of the least-squares mix: left blue+green, right blue+green,
// then left red with right red.
template <int C> inline __m128i LeastSquares4(__m128i lbg, __m128i rbg, __m128i reds) {
    const __m128i a = _mm_madd_epi16(lbg, Pairs(kLeft[C][2], kLeft[C][1]));
    const __m128i b = _mm_madd_epi16(rbg, Pairs(kRight[C][2], kRight[C][1]));
    const __m128i c = _mm_madd_epi16(reds, Pairs(kLeft[C][0], kRight[C][0]));
    return RoundThousandths4(_mm_add_epi32(_mm_add_epi32(a, b), c));
}

// Four pixels at a time where both rows hold BGRA pixels.
// Four BGRA pixels of the left and right rows mixed by a method; the alpha
// of the left pixels is kept.
template <AnaglyphMethod M> inline __m128i MixLanes4(__m128i lp, __m128i rp) {
    const __m128i alpha = _mm_and_si128(lp, _mm_set1_epi32(int(0xFF000000u)));
    __m128i out;
    if constexpr (M == AnaglyphMethod::Colour) {
        out = _mm_or_si128(_mm_and_si128(lp, _mm_set1_epi32(int(0xFFFF0000u))),
                           _mm_and_si128(rp, _mm_set1_epi32(0x0000FFFF)));
    } else if constexpr (M == AnaglyphMethod::Half) {
        out = _mm_or_si128(_mm_or_si128(alpha, _mm_slli_epi32(Luma4(lp), 16)),
                           _mm_and_si128(rp, _mm_set1_epi32(0x0000FFFF)));
    } else if constexpr (M == AnaglyphMethod::Grey) {
        const __m128i yr = Luma4(rp);
        out = _mm_or_si128(_mm_or_si128(alpha, _mm_slli_epi32(Luma4(lp), 16)),
                           _mm_or_si128(_mm_slli_epi32(yr, 8), yr));
    } else {
        const __m128i lbg = BlueGreenPairs(lp);
        const __m128i rbg = BlueGreenPairs(rp);
        const __m128i reds = _mm_or_si128(
            RedLanes(lp), _mm_shuffle_epi8(rp, _mm_setr_epi8(-1, -1, 2, -1, -1, -1, 6, -1, -1, -1,
                                                             10, -1, -1, -1, 14, -1)));
        // Saturating packs clamp to 0..255: blue, green, red bytes of the
        // four pixels in turn, then into pixel order.
        const __m128i bg =
            _mm_packs_epi32(LeastSquares4<2>(lbg, rbg, reds), LeastSquares4<1>(lbg, rbg, reds));
        const __m128i rr = _mm_packs_epi32(LeastSquares4<0>(lbg, rbg, reds), _mm_setzero_si128());
        const __m128i bytes = _mm_packus_epi16(bg, rr);
        out = _mm_or_si128(alpha, _mm_shuffle_epi8(bytes, _mm_setr_epi8(0, 4, 8, -1, 1, 5, 9, -1, 2,
                                                                        6, 10, -1, 3, 7, 11, -1)));
    }
    return out;
}

#endif

} // namespace engine_detail
