// A slow, literal model of the resampling routines, written from the formulas
// pixel by pixel, to check the engine's fast paths bit for bit.
#pragma once

#include <cstdint>
#include <vector>

// A picture as plain words, row 0 on top. 24-bit pictures keep alpha 0.
struct RefPic {
    int w = 0;
    int h = 0;
    bool is24 = false;
    std::vector<std::uint32_t> px;

    std::uint32_t& at(int x, int y) { return px[static_cast<std::size_t>(y) * w + x]; }
    std::uint32_t at(int x, int y) const { return px[static_cast<std::size_t>(y) * w + x]; }
};

struct RefRect {
    int l, t, r, b;
};

struct RefParams {
    double cx = 0, cy = 0, shx = 0, shy = 0, pshx = 0, pshy = 0, angle = 0, scale = 1;
    std::uint32_t back = 0, write = 0xFFFFFF, keep = 0;
};

enum class RefSmoothKind { Display, Export32, Export24 };
enum class RefOp { Copy, Scale, Add, Sub, InvAdd, InvSub, Grey, GreyAdd, GreySub, GreyXor };

void RefSmooth(RefSmoothKind kind, const RefPic& src, RefPic& dst, RefRect srcRect, RefRect dstRect,
               const RefParams& p);
void RefBlend(const RefPic& src, RefPic& dst, RefRect srcRect, RefRect dstRect, const RefParams& p,
              RefOp op, int wd, int ws);
void RefBilinear(const RefPic& src, RefPic& dst, RefRect srcRect, RefRect dstRect,
                 const RefParams& p, int valueShift, int dstShift);
