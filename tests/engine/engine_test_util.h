// Test pictures for the engine: logical pictures laid out in memory top-down
// or bottom-up, with or without row padding, and read back.
#pragma once

#include "engine/imageview.h"
#include "support/transform_ref.h"

#include <cstring>
#include <memory>
#include <random>
#include <vector>

// Pixel memory holding a picture in a chosen layout; the view stays valid as
// long as the canvas lives.
class Canvas {
public:
    Canvas(const RefPic& pic, bool bottomUp, int padBytes = 0) {
        const int bpp = pic.is24 ? 3 : 4;
        const std::ptrdiff_t rowBytes = std::ptrdiff_t(pic.w) * bpp + padBytes;
        // Exactly the bytes the rows need, so a stray read past the end shows
        // under the address sanitizer.
        const std::size_t total = pic.h > 0 ? std::size_t(rowBytes) * (pic.h - 1) + pic.w * bpp : 0;
        mem_.reset(new std::uint8_t[total > 0 ? total : 1]);
        view_.width = pic.w;
        view_.height = pic.h;
        view_.format = pic.is24 ? PixelFormat::Bgr24 : PixelFormat::Bgra32;
        view_.stride = bottomUp ? -rowBytes : rowBytes;
        view_.data = mem_.get() + (bottomUp && pic.h > 0 ? rowBytes * (pic.h - 1) : 0);
        if (pic.w <= 0 || pic.h <= 0) return;
        for (int y = 0; y < pic.h; ++y)
            for (int x = 0; x < pic.w; ++x) {
                const std::uint32_t v = pic.at(x, y);
                std::memcpy(view_.Row(y) + std::ptrdiff_t(x) * bpp, &v, bpp);
            }
    }
    const ImageView& View() const { return view_; }

private:
    std::unique_ptr<std::uint8_t[]> mem_;
    ImageView view_;
};

inline RefPic ReadBack(const ImageView& v) {
    RefPic p;
    p.w = v.width;
    p.h = v.height;
    p.is24 = v.format == PixelFormat::Bgr24;
    p.px.assign(std::size_t(p.w > 0 ? p.w : 0) * (p.h > 0 ? p.h : 0), 0);
    const int bpp = p.is24 ? 3 : 4;
    for (int y = 0; y < p.h; ++y)
        for (int x = 0; x < p.w; ++x) {
            std::uint32_t val = 0;
            std::memcpy(&val, v.Row(y) + std::ptrdiff_t(x) * bpp, bpp);
            p.at(x, y) = val;
        }
    return p;
}

inline RefPic RandomPic(std::mt19937& rng, int w, int h, bool is24 = false) {
    RefPic p;
    p.w = w;
    p.h = h;
    p.is24 = is24;
    p.px.resize(std::size_t(w) * h);
    std::uniform_int_distribution<std::uint32_t> any(0, 0xFFFFFFFFu);
    for (auto& v : p.px) v = is24 ? (any(rng) & 0xFFFFFF) : any(rng);
    return p;
}

inline RefPic UniformPic(int w, int h, std::uint32_t v) {
    RefPic p;
    p.w = w;
    p.h = h;
    p.px.assign(std::size_t(w) * h, v);
    return p;
}
