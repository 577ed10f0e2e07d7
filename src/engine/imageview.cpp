// Owned bitmaps of the engine and their zeroed pixel memory.
#include "engine/imageview.h"

#include "engine/hugepages.h"

#include <sys/mman.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

void EngineBitmap::Resize(int width, int height, PixelFormat format) {
    if (width <= 0 || height <= 0) {
        width = 0;
        height = 0;
    }
    const std::size_t bytes =
        static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * BytesPerPixel(format);
    Pixels fresh(bytes);
    pixels_.Swap(fresh);
    width_ = width;
    height_ = height;
    format_ = format;
}

namespace {

// Blocks from this size on are mapped on their own, already zero.
constexpr std::size_t kMappedBytes = std::size_t(8) << 20;

} // namespace

EngineBitmap::Pixels::Pixels(std::size_t bytes) {
    if (bytes == 0) return;
    if (bytes >= kMappedBytes) {
        void* block =
            mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (block == MAP_FAILED) throw std::bad_alloc();
        // Every page made writable at once. The drawing reads a pixel before
        // it writes it, and a page first read then written costs a second
        // fault and a flush on every core of the process.
        AdviseHugePages(block, bytes);
        bool ready = false;
#ifdef MADV_POPULATE_WRITE
        ready = madvise(block, bytes, MADV_POPULATE_WRITE) == 0;
#endif
        if (!ready) std::memset(block, 0, bytes);
        block_ = block;
        data_ = static_cast<std::uint8_t*>(block);
    } else {
        data_ = static_cast<std::uint8_t*>(std::calloc(bytes, 1));
        if (!data_) throw std::bad_alloc();
    }
    size_ = bytes;
}

EngineBitmap::Pixels::Pixels(const Pixels& other) : Pixels(other.size_) {
    if (size_) std::memcpy(data_, other.data_, size_);
}

EngineBitmap::Pixels::~Pixels() {
    if (block_)
        munmap(block_, size_);
    else
        std::free(data_);
}

void EngineBitmap::Pixels::Swap(Pixels& other) noexcept {
    std::swap(data_, other.data_);
    std::swap(size_, other.size_);
    std::swap(block_, other.block_);
}

ImageView EngineBitmap::View() {
    ImageView v;
    v.data = pixels_.empty() ? nullptr : pixels_.data();
    v.width = width_;
    v.height = height_;
    v.stride = Stride();
    v.format = format_;
    return v;
}

ImageView EngineBitmap::View() const {
    return const_cast<EngineBitmap*>(this)->View();
}
