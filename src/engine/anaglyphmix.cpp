// Anaglyph mixing in exact integer arithmetic: every coefficient of the
// methods has three decimals, so sums of coefficient x 8-bit value are whole
// thousandths. Bit budget: |sum| <= 255 * (456 + 500 + 176 + 72 + 113 + 1226)
// < 650 000, and with the rounding bias of 10^6 still far inside an int.
#include "engine/anaglyphmix.h"

#include "engine/anaglyphlanes.h"

#if defined(__SSE4_1__)
#include <smmintrin.h>
#endif
#if defined(__SSE4_1__) && defined(__GNUC__)
#include <immintrin.h>
#define ORVANEL_MIX_AVX2 1
#endif

namespace {

using namespace engine_detail;

// Scalar rows: the left pixels of Bpp bytes, the right ones of RBpp, the
// result over the left (or a separate row of Bpp bytes).
template <AnaglyphMethod M, int Bpp, int RBpp>
void MixRowScalar(const std::uint8_t* l, const std::uint8_t* r, std::uint8_t* d, int width) {
    for (int x = 0; x < width; ++x) {
        const std::uint8_t* lp = l + x * Bpp;
        std::uint8_t* dp = d + x * Bpp;
        int red, green, blue;
        MixPixel<M>(lp, r + x * RBpp, red, green, blue);
        const std::uint8_t alpha = Bpp == 4 ? lp[Bpp - 1] : 0;
        dp[0] = std::uint8_t(blue);
        dp[1] = std::uint8_t(green);
        dp[2] = std::uint8_t(red);
        if constexpr (Bpp == 4) dp[3] = alpha;
    }
}

#if defined(__SSE4_1__)

template <AnaglyphMethod M>
int MixRowSimd(const std::uint8_t* l, const std::uint8_t* r, std::uint8_t* d, int width) {
    int x = 0;
    for (; x + 4 <= width; x += 4) {
        const __m128i lp = _mm_loadu_si128(reinterpret_cast<const __m128i*>(l + 4 * x));
        const __m128i rp = _mm_loadu_si128(reinterpret_cast<const __m128i*>(r + 4 * x));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d + 4 * x), MixLanes4<M>(lp, rp));
    }
    return x;
}
#endif

#if defined(ORVANEL_MIX_AVX2)

// The same eight pixels at a time, on processors that have the wider lanes.
// Every shuffle and pack works within 128-bit halves, four pixels each.
#define MIX_AVX2 __attribute__((target("avx2")))

MIX_AVX2 inline __m256i RoundThousandths8(__m256i n) {
    const __m256 q = _mm256_div_ps(_mm256_cvtepi32_ps(n), _mm256_set1_ps(1000.0f));
    return _mm256_cvttps_epi32(_mm256_round_ps(q, _MM_FROUND_TO_NEAREST_INT | _MM_FROUND_NO_EXC));
}

MIX_AVX2 inline __m256i Shuffle8(__m256i p, __m128i mask) {
    return _mm256_shuffle_epi8(p, _mm256_broadcastsi128_si256(mask));
}

MIX_AVX2 inline __m256i Pairs8(int low, int high) {
    return _mm256_set1_epi32(
        int(std::uint32_t(std::uint16_t(low)) | (std::uint32_t(std::uint16_t(high)) << 16)));
}

MIX_AVX2 inline __m256i BlueGreenPairs8(__m256i p) {
    return Shuffle8(p, _mm_setr_epi8(0, -1, 1, -1, 4, -1, 5, -1, 8, -1, 9, -1, 12, -1, 13, -1));
}
MIX_AVX2 inline __m256i RedLanes8(__m256i p) {
    return Shuffle8(p, _mm_setr_epi8(2, -1, -1, -1, 6, -1, -1, -1, 10, -1, -1, -1, 14, -1, -1, -1));
}

MIX_AVX2 inline __m256i Luma8(__m256i p) {
    const __m256i n =
        _mm256_add_epi32(_mm256_madd_epi16(BlueGreenPairs8(p), Pairs8(kLuma[2], kLuma[1])),
                         _mm256_madd_epi16(RedLanes8(p), Pairs8(kLuma[0], 0)));
    return RoundThousandths8(n);
}

template <int C> MIX_AVX2 inline __m256i LeastSquares8(__m256i lbg, __m256i rbg, __m256i reds) {
    const __m256i a = _mm256_madd_epi16(lbg, Pairs8(kLeft[C][2], kLeft[C][1]));
    const __m256i b = _mm256_madd_epi16(rbg, Pairs8(kRight[C][2], kRight[C][1]));
    const __m256i c = _mm256_madd_epi16(reds, Pairs8(kLeft[C][0], kRight[C][0]));
    return RoundThousandths8(_mm256_add_epi32(_mm256_add_epi32(a, b), c));
}

template <AnaglyphMethod M>
MIX_AVX2 int MixRowAvx2(const std::uint8_t* l, const std::uint8_t* r, std::uint8_t* d, int width) {
    const __m256i alphaMask = _mm256_set1_epi32(int(0xFF000000u));
    const __m256i greenBlue = _mm256_set1_epi32(0x0000FFFF);
    int x = 0;
    for (; x + 8 <= width; x += 8) {
        const __m256i lp = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(l + 4 * x));
        const __m256i rp = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(r + 4 * x));
        const __m256i alpha = _mm256_and_si256(lp, alphaMask);
        __m256i out;
        if constexpr (M == AnaglyphMethod::Colour) {
            out = _mm256_or_si256(_mm256_andnot_si256(greenBlue, lp),
                                  _mm256_and_si256(rp, greenBlue));
        } else if constexpr (M == AnaglyphMethod::Half) {
            out = _mm256_or_si256(_mm256_or_si256(alpha, _mm256_slli_epi32(Luma8(lp), 16)),
                                  _mm256_and_si256(rp, greenBlue));
        } else if constexpr (M == AnaglyphMethod::Grey) {
            const __m256i yr = Luma8(rp);
            out = _mm256_or_si256(_mm256_or_si256(alpha, _mm256_slli_epi32(Luma8(lp), 16)),
                                  _mm256_or_si256(_mm256_slli_epi32(yr, 8), yr));
        } else {
            const __m256i lbg = BlueGreenPairs8(lp);
            const __m256i rbg = BlueGreenPairs8(rp);
            const __m256i reds = _mm256_or_si256(
                RedLanes8(lp), Shuffle8(rp, _mm_setr_epi8(-1, -1, 2, -1, -1, -1, 6, -1, -1, -1, 10,
                                                          -1, -1, -1, 14, -1)));
            const __m256i bg = _mm256_packs_epi32(LeastSquares8<2>(lbg, rbg, reds),
                                                  LeastSquares8<1>(lbg, rbg, reds));
            const __m256i rr =
                _mm256_packs_epi32(LeastSquares8<0>(lbg, rbg, reds), _mm256_setzero_si256());
            const __m256i bytes = _mm256_packus_epi16(bg, rr);
            out = _mm256_or_si256(alpha, Shuffle8(bytes, _mm_setr_epi8(0, 4, 8, -1, 1, 5, 9, -1, 2,
                                                                       6, 10, -1, 3, 7, 11, -1)));
        }
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(d + 4 * x), out);
    }
    return x;
}

bool HasAvx2() {
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
}

#undef MIX_AVX2
#endif

template <AnaglyphMethod M, int Bpp, int RBpp>
void MixRow(const std::uint8_t* l, const std::uint8_t* r, std::uint8_t* d, int width) {
    int x = 0;
#if defined(__SSE4_1__)
    if constexpr (Bpp == 4 && RBpp == 4) {
#if defined(ORVANEL_MIX_AVX2)
        if (HasAvx2()) x = MixRowAvx2<M>(l, r, d, width);
#endif
        x += MixRowSimd<M>(l + 4 * x, r + 4 * x, d + 4 * x, width - x);
    }
#endif
    MixRowScalar<M, Bpp, RBpp>(l + x * Bpp, r + x * RBpp, d + x * Bpp, width - x);
}

template <AnaglyphMethod M>
void MixRows(const ImageView& left, const ImageView& right, const ImageView& dst) {
    for (int y = 0; y < left.height; ++y) {
        if (left.format == PixelFormat::Bgra32)
            MixRow<M, 4, 4>(left.Row(y), right.Row(y), dst.Row(y), left.width);
        else
            MixRow<M, 3, 3>(left.Row(y), right.Row(y), dst.Row(y), left.width);
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
