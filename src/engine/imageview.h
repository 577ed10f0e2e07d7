// Pixel views and owned bitmaps the engine works on: width, height, signed
// row step and pixel format, rows addressed top row first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

// 32-bit pixels hold B, G, R, A in memory (one little-endian word reads
// 0xAARRGGBB); 24-bit pixels hold B, G, R.
enum class PixelFormat { Bgra32, Bgr24 };

inline int BytesPerPixel(PixelFormat f) {
    return f == PixelFormat::Bgra32 ? 4 : 3;
}

// Inclusive integer rectangle, as the transform routines take it.
struct EngineRect {
    int Left = 0;
    int Top = 0;
    int Right = -1;
    int Bottom = -1;
};

// A non-owning window on pixel memory. `data` addresses the first byte of the
// top row; `stride` is the signed byte distance from one row to the one below,
// negative when the rows lie bottom-up in memory.
struct ImageView {
    std::uint8_t* data = nullptr;
    int width = 0;
    int height = 0;
    std::ptrdiff_t stride = 0;
    PixelFormat format = PixelFormat::Bgra32;

    bool Empty() const { return data == nullptr || width <= 0 || height <= 0; }
    bool Is32() const { return format == PixelFormat::Bgra32; }
    std::uint8_t* Row(int y) const { return data + static_cast<std::ptrdiff_t>(y) * stride; }
    std::uint32_t Pixel(int x, int y) const {
        std::uint32_t p;
        std::memcpy(&p, Row(y) + static_cast<std::ptrdiff_t>(x) * 4, 4);
        return p;
    }
    void SetPixel(int x, int y, std::uint32_t p) const {
        std::memcpy(Row(y) + static_cast<std::ptrdiff_t>(x) * 4, &p, 4);
    }
    EngineRect Bounds() const { return {0, 0, width - 1, height - 1}; }
};

// A bitmap that owns its pixels (top-down rows, no padding), for results whose
// size the operation decides (quarter turns, copies).
class EngineBitmap {
public:
    EngineBitmap() = default;
    EngineBitmap(int width, int height, PixelFormat format = PixelFormat::Bgra32) {
        Resize(width, height, format);
    }

    // Sets the size and format; the pixels are cleared to 0. A negative size
    // counts as empty.
    void Resize(int width, int height, PixelFormat format = PixelFormat::Bgra32);

    int Width() const { return width_; }
    int Height() const { return height_; }
    PixelFormat Format() const { return format_; }
    bool Empty() const { return width_ <= 0 || height_ <= 0; }
    std::ptrdiff_t Stride() const {
        return static_cast<std::ptrdiff_t>(width_) * BytesPerPixel(format_);
    }

    ImageView View();
    ImageView View() const; // pixels stay writable through the view: the caller's contract

    std::uint32_t Pixel(int x, int y) const { return View().Pixel(x, y); }
    void SetPixel(int x, int y, std::uint32_t p) { View().SetPixel(x, y, p); }

private:
    // Zeroed pixel memory: large blocks straight from the system (already
    // zero), small ones from the heap.
    class Pixels {
    public:
        Pixels() = default;
        explicit Pixels(std::size_t bytes); // throws std::bad_alloc
        Pixels(const Pixels& other);
        Pixels(Pixels&& other) noexcept { Swap(other); }
        Pixels& operator=(Pixels other) noexcept {
            Swap(other);
            return *this;
        }
        ~Pixels();
        void Swap(Pixels& other) noexcept;
        std::uint8_t* data() const { return data_; }
        std::size_t size() const { return size_; }
        bool empty() const { return size_ == 0; }

    private:
        std::uint8_t* data_ = nullptr;
        std::size_t size_ = 0;
        void* block_ = nullptr; // the mapped block, when mapped
    };

    int width_ = 0;
    int height_ = 0;
    PixelFormat format_ = PixelFormat::Bgra32;
    Pixels pixels_;
};
