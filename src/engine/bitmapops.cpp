// Quarter turns, mirrors, channel masks, copies and grey conversion.
#include "engine/bitmapops.h"

#include "engine/mapping.h"

#include <algorithm>
#include <cstring>
#include <utility>

using engine_detail::Load32;
using engine_detail::Store32;

namespace {

bool Usable32(const ImageView& v) {
    return !v.Empty() && v.Is32();
}

std::uint8_t* At(const ImageView& v, int x, int y) {
    return v.Row(y) + static_cast<std::ptrdiff_t>(x) * 4;
}

// Turns walk the destination in square tiles so that the source columns they
// read stay in cache; a plain row walk would miss on every source pixel.
constexpr int kTile = 32;

template <typename SourceOf> void TurnTiled(const ImageView& d, SourceOf sourceOf) {
    for (int ty = 0; ty < d.height; ty += kTile) {
        const int yEnd = std::min(d.height, ty + kTile);
        for (int tx = 0; tx < d.width; tx += kTile) {
            const int xEnd = std::min(d.width, tx + kTile);
            for (int y = ty; y < yEnd; ++y) {
                std::uint8_t* out = d.Row(y);
                for (int x = tx; x < xEnd; ++x) Store32(out + 4 * x, Load32(sourceOf(x, y)));
            }
        }
    }
}

// Destination (x', y') of a clockwise turn takes source (y', H - 1 - x').
void TurnCW(const ImageView& s, const ImageView& d) {
    TurnTiled(d, [&](int x, int y) { return At(s, y, s.height - 1 - x); });
}

// Destination (x', y') of a counter-clockwise turn takes source (W - 1 - y', x').
void TurnCCW(const ImageView& s, const ImageView& d) {
    TurnTiled(d, [&](int x, int y) { return At(s, s.width - 1 - y, x); });
}

bool FitsTurn(const ImageView& s, const ImageView& d) {
    return Usable32(s) && !d.Empty() && d.Is32() && d.width == s.height && d.height == s.width;
}

bool FitsSame32(const ImageView& s, const ImageView& d) {
    return Usable32(s) && !d.Empty() && d.Is32() && d.width == s.width && d.height == s.height;
}

template <typename Fill>
void IntoOwned(const ImageView& source, EngineBitmap& destination, int w, int h, PixelFormat f,
               Fill fill) {
    // Built aside first: the source may be a view of the destination itself.
    EngineBitmap fresh(w, h, f);
    if (!fresh.Empty()) fill(fresh.View());
    destination = std::move(fresh);
    (void)source;
}

void ReverseRow(std::uint8_t* row, int width) {
    for (int j = 0, k = width - 1; j < k; ++j, --k) {
        const std::uint32_t a = Load32(row + 4 * j);
        Store32(row + 4 * j, Load32(row + 4 * k));
        Store32(row + 4 * k, a);
    }
}

} // namespace

void TurnBitmapCWInto(const ImageView& Source, EngineBitmap& Destination) {
    if (!Usable32(Source)) return;
    IntoOwned(Source, Destination, Source.height, Source.width, PixelFormat::Bgra32,
              [&](const ImageView& d) { TurnCW(Source, d); });
}

void TurnBitmapCCWInto(const ImageView& Source, EngineBitmap& Destination) {
    if (!Usable32(Source)) return;
    IntoOwned(Source, Destination, Source.height, Source.width, PixelFormat::Bgra32,
              [&](const ImageView& d) { TurnCCW(Source, d); });
}

bool TurnBitmapCWInto(const ImageView& Source, const ImageView& Destination) {
    if (!FitsTurn(Source, Destination) || Source.data == Destination.data) return false;
    TurnCW(Source, Destination);
    return true;
}

bool TurnBitmapCCWInto(const ImageView& Source, const ImageView& Destination) {
    if (!FitsTurn(Source, Destination) || Source.data == Destination.data) return false;
    TurnCCW(Source, Destination);
    return true;
}

void TurnBitmapCW(EngineBitmap& Bitmap) {
    TurnBitmapCWInto(Bitmap.View(), Bitmap);
}

void TurnBitmapCCW(EngineBitmap& Bitmap) {
    TurnBitmapCCWInto(Bitmap.View(), Bitmap);
}

void TurnBitmap180(const ImageView& Bitmap) {
    if (!Usable32(Bitmap)) return;
    const int w = Bitmap.width;
    // Row pairs from the outside in; pixel k swaps with pixel W * H - 1 - k.
    for (int i = 0, k = Bitmap.height - 1; i < k; ++i, --k) {
        std::uint8_t* a = Bitmap.Row(i);
        std::uint8_t* b = Bitmap.Row(k);
        for (int j = 0; j < w; ++j) {
            const std::uint32_t t = Load32(a + 4 * j);
            Store32(a + 4 * j, Load32(b + 4 * (w - 1 - j)));
            Store32(b + 4 * (w - 1 - j), t);
        }
    }
    if (Bitmap.height % 2 == 1) ReverseRow(Bitmap.Row(Bitmap.height / 2), w);
}

void MirrorBitmapH(const ImageView& Bitmap) {
    if (!Usable32(Bitmap)) return;
    for (int y = 0; y < Bitmap.height; ++y) ReverseRow(Bitmap.Row(y), Bitmap.width);
}

void FlipBitmapV(const ImageView& Bitmap) {
    if (!Usable32(Bitmap)) return;
    const std::size_t bytes = static_cast<std::size_t>(Bitmap.width) * 4;
    std::vector<std::uint8_t> tmp(bytes);
    for (int i = 0, k = Bitmap.height - 1; i < k; ++i, --k) {
        std::memcpy(tmp.data(), Bitmap.Row(i), bytes);
        std::memcpy(Bitmap.Row(i), Bitmap.Row(k), bytes);
        std::memcpy(Bitmap.Row(k), tmp.data(), bytes);
    }
}

bool MaskBitmap(const ImageView& Source, const ImageView& Destination, std::uint32_t Mask) {
    if (!FitsSame32(Source, Destination)) return false;
    for (int y = 0; y < Source.height; ++y) {
        const std::uint8_t* s = Source.Row(y);
        std::uint8_t* d = Destination.Row(y);
        for (int x = 0; x < Source.width; ++x) Store32(d + 4 * x, Load32(s + 4 * x) & Mask);
    }
    return true;
}

void MaskBitmap(const ImageView& Source, EngineBitmap& Destination, std::uint32_t Mask) {
    if (!Usable32(Source)) return;
    IntoOwned(Source, Destination, Source.width, Source.height, PixelFormat::Bgra32,
              [&](const ImageView& d) { MaskBitmap(Source, d, Mask); });
}

bool CopyPixels(const ImageView& Source, const ImageView& Destination) {
    if (!FitsSame32(Source, Destination)) return false;
    if (Source.data == Destination.data && Source.stride == Destination.stride) return true;
    const std::size_t bytes = static_cast<std::size_t>(Source.width) * 4;
    const std::ptrdiff_t whole = static_cast<std::ptrdiff_t>(bytes);
    if (Source.stride == whole && Destination.stride == whole) {
        // Both contiguous top-down: one block move.
        std::memmove(Destination.data, Source.data, bytes * Source.height);
        return true;
    }
    for (int y = 0; y < Source.height; ++y) std::memmove(Destination.Row(y), Source.Row(y), bytes);
    return true;
}

void CopyPixels(const ImageView& Source, EngineBitmap& Destination) {
    if (!Usable32(Source)) return;
    IntoOwned(Source, Destination, Source.width, Source.height, PixelFormat::Bgra32,
              [&](const ImageView& d) { CopyPixels(Source, d); });
}

bool CopyBitmap(const ImageView& Source, const ImageView& Destination) {
    if (Source.data == Destination.data && Source.stride == Destination.stride) return true;
    if (Source.format != Destination.format || Source.width != Destination.width ||
        Source.height != Destination.height)
        return false;
    if (Source.Empty()) return true;
    const std::size_t bytes = static_cast<std::size_t>(Source.width) * BytesPerPixel(Source.format);
    for (int y = 0; y < Source.height; ++y) std::memmove(Destination.Row(y), Source.Row(y), bytes);
    return true;
}

void CopyBitmap(const ImageView& Source, EngineBitmap& Destination) {
    const ImageView current = Destination.View();
    if (!Source.Empty() && Source.data == current.data) return;
    IntoOwned(Source, Destination, Source.Empty() ? 0 : Source.width,
              Source.Empty() ? 0 : Source.height, Source.format,
              [&](const ImageView& d) { CopyBitmap(Source, d); });
}

void GreyBitmap(const ImageView& Source, const ImageView& Destination, std::uint32_t Mask) {
    if (!FitsSame32(Source, Destination)) return;
    // Weights out of 256; the luminance weights 77 + 150 + 29 make 256, so white stays 255.
    int wr = 77, wg = 150, wb = 29;
    switch (Mask) {
    case 0x0000FF:
        wr = 0, wg = 0, wb = 256;
        break;
    case 0x00FF00:
        wr = 0, wg = 256, wb = 0;
        break;
    case 0xFF0000:
        wr = 256, wg = 0, wb = 0;
        break;
    case 0x00FFFF:
        wr = 0, wg = 128, wb = 128;
        break;
    case 0xFF00FF:
        wr = 128, wg = 0, wb = 128;
        break;
    case 0xFFFF00:
        wr = 128, wg = 128, wb = 0;
        break;
    default:
        break;
    }
    for (int y = 0; y < Destination.height; ++y) {
        const std::uint8_t* s = Source.Row(y);
        std::uint8_t* d = Destination.Row(y);
        for (int x = 0; x < Destination.width; ++x) {
            const int v = (wr * s[4 * x + 2] + wg * s[4 * x + 1] + wb * s[4 * x]) / 256;
            d[4 * x] = d[4 * x + 1] = d[4 * x + 2] = std::uint8_t(v);
        }
    }
}
