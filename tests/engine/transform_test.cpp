// The resampling routines against the literal model and hand-worked pixels.
#include "engine/transform.h"

#include "engine_test_util.h"
#include "support/transform_ref.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

constexpr double kPi = 3.14159265358979323846;

EngineRect ToRect(RefRect r) {
    return {r.l, r.t, r.r, r.b};
}

RefOp ToRefOp(BlendOp op) {
    switch (op) {
    case BlendOp::Copy:
        return RefOp::Copy;
    case BlendOp::Scale:
        return RefOp::Scale;
    case BlendOp::Add:
        return RefOp::Add;
    case BlendOp::Subtract:
        return RefOp::Sub;
    case BlendOp::InverseAdd:
        return RefOp::InvAdd;
    case BlendOp::InverseSubtract:
        return RefOp::InvSub;
    case BlendOp::Grey:
        return RefOp::Grey;
    case BlendOp::GreyAdd:
        return RefOp::GreyAdd;
    case BlendOp::GreySubtract:
        return RefOp::GreySub;
    case BlendOp::GreyXor:
        return RefOp::GreyXor;
    }
    return RefOp::Copy;
}

// One random drawing: picture sizes, layouts, transform, masks and rectangles.
struct Sweep {
    RefPic src, dst;
    bool srcBottomUp = false, dstBottomUp = false;
    int srcPad = 0, dstPad = 0;
    RefRect srcRect{}, dstRect{};
    RefParams p;

    explicit Sweep(std::mt19937& rng, bool dst24 = false) {
        auto pick = [&](std::initializer_list<double> v) {
            return *(v.begin() + std::uniform_int_distribution<int>(0, int(v.size()) - 1)(rng));
        };
        auto uni = [&](double a, double b) {
            return std::uniform_real_distribution<double>(a, b)(rng);
        };
        auto irand = [&](int a, int b) { return std::uniform_int_distribution<int>(a, b)(rng); };
        const int sw = int(pick({1, 2, 3, 4, 5, 6, 7, 13, 17, 33}));
        const int sh = int(pick({1, 2, 3, 4, 5, 8, 11, 19, 30}));
        src = RandomPic(rng, sw, sh);
        dst = RandomPic(rng, irand(1, 41), irand(1, 23), dst24);
        srcBottomUp = irand(0, 1);
        dstBottomUp = irand(0, 1);
        srcPad = 4 * irand(0, 2);
        dstPad = irand(0, 5);
        p.angle = pick({0.0, kPi / 2, -0.3, 7.1, kPi / 180, -kPi, uni(-7, 7), uni(-7, 7), 1e6});
        p.scale = pick({0.25, 1.0, 1.37, 4.0, 0.5, uni(0.1, 3), -1.0, 0.0});
        p.cx = pick({0.0, sw / 2.0, uni(-5, sw + 5)});
        p.cy = pick({0.0, sh / 2.0, uni(-5, sh + 5)});
        p.shx = pick({0.0, uni(-sw, sw), -1.0 / 3});
        p.shy = pick({0.0, uni(-sh, sh), 1.0 / 3});
        p.back = std::uniform_int_distribution<std::uint32_t>(0, 0xFFFFFF)(rng);
        const std::uint32_t masks[][2] = {{0xFFFFFF, 0},        {0xFF0000, 0x00FFFF},
                                          {0x00FFFF, 0xFF0000}, {0xFFFFFF, 0xFFFFFF},
                                          {0xFF00FF, 0xFF0000}, {0, 0xFFFFFFFF}};
        const int mi = irand(0, 6);
        if (mi < 6) {
            p.write = masks[mi][0];
            p.keep = masks[mi][1];
        } else {
            p.write = std::uniform_int_distribution<std::uint32_t>()(rng);
            p.keep = std::uniform_int_distribution<std::uint32_t>()(rng);
        }
        srcRect = irand(0, 2) ? RefRect{0, 0, sw - 1, sh - 1}
                              : RefRect{irand(-2, sw), irand(-2, sh), sw - 1, sh - 1};
        if (irand(0, 2)) {
            dstRect = {0, 0, dst.w - 1, dst.h - 1};
        } else {
            const int l = irand(-6, dst.w), t = irand(-6, dst.h);
            dstRect = {l, t, irand(l - 2, dst.w + 6), irand(t - 2, dst.h + 6)};
        }
    }
};

class TransformMatchesModel : public ::testing::TestWithParam<int> {};

TEST_P(TransformMatchesModel, SmoothedRoutinesAreBitExact) {
    std::mt19937 rng(1000 + GetParam());
    for (int round = 0; round < 120; ++round) {
        for (int kind = 0; kind < 3; ++kind) {
            Sweep s(rng, kind == 2);
            Canvas src(s.src, s.srcBottomUp, s.srcPad);
            Canvas dst(s.dst, s.dstBottomUp, s.dstPad);
            RefPic want = s.dst;
            const RefParams& p = s.p;
            const RefSmoothKind rk = kind == 0   ? RefSmoothKind::Display
                                     : kind == 1 ? RefSmoothKind::Export32
                                                 : RefSmoothKind::Export24;
            RefSmooth(rk, s.src, want, s.srcRect, s.dstRect, p);
            auto call = kind == 0   ? BmpTransformSmooth
                        : kind == 1 ? BmpTransformSmooth32
                                    : BmpTransformSmooth24;
            call(src.View(), dst.View(), ToRect(s.srcRect), ToRect(s.dstRect), p.cx, p.cy, p.shx,
                 p.shy, p.pshx, p.pshy, p.angle, p.scale, p.back, p.write, p.keep);
            ASSERT_EQ(ReadBack(dst.View()).px, want.px)
                << "kind " << kind << " round " << round << " src " << s.src.w << "x" << s.src.h
                << " dst " << s.dst.w << "x" << s.dst.h << " angle " << p.angle << " scale "
                << p.scale << " rect " << s.dstRect.l << "," << s.dstRect.t << "," << s.dstRect.r
                << "," << s.dstRect.b;
        }
    }
}

TEST_P(TransformMatchesModel, BlendAndBilinearAreBitExact) {
    std::mt19937 rng(5000 + GetParam());
    for (int round = 0; round < 120; ++round) {
        {
            Sweep s(rng);
            BlendOp op;
            SelectBlendOp(std::uniform_int_distribution<int>(0, 8)(rng) % 8,
                          std::uniform_int_distribution<int>(0, 1)(rng), op);
            if (round % 9 == 0) op = BlendOp::Copy;
            const int wd = std::uniform_int_distribution<int>(0, 256)(rng);
            const int ws = std::uniform_int_distribution<int>(0, 256)(rng);
            Canvas src(s.src, s.srcBottomUp, s.srcPad);
            Canvas dst(s.dst, s.dstBottomUp, s.dstPad);
            RefPic want = s.dst;
            RefBlend(s.src, want, s.srcRect, s.dstRect, s.p, ToRefOp(op), wd, ws);
            BmpTransformBlend(src.View(), dst.View(), ToRect(s.srcRect), ToRect(s.dstRect), s.p.cx,
                              s.p.cy, s.p.shx, s.p.shy, s.p.pshx, s.p.pshy, s.p.angle, s.p.scale,
                              s.p.back, s.p.write, s.p.keep, wd, ws, op);
            ASSERT_EQ(ReadBack(dst.View()).px, want.px) << "blend round " << round;
        }
        {
            Sweep s(rng);
            const int vs = std::uniform_int_distribution<int>(0, 9)(rng) < 7 ? 0 : 3;
            const int ds = std::uniform_int_distribution<int>(0, 9)(rng) < 7 ? 8 : 1;
            Canvas src(s.src, s.srcBottomUp, s.srcPad);
            Canvas dst(s.dst, s.dstBottomUp, s.dstPad);
            RefPic want = s.dst;
            RefBilinear(s.src, want, s.srcRect, s.dstRect, s.p, vs, ds);
            BmpScaleBilinear(src.View(), dst.View(), ToRect(s.srcRect), ToRect(s.dstRect), s.p.cx,
                             s.p.cy, s.p.shx, s.p.shy, s.p.pshx, s.p.pshy, s.p.angle, s.p.scale,
                             s.p.back, s.p.write, s.p.keep, vs, ds);
            ASSERT_EQ(ReadBack(dst.View()).px, want.px) << "bilinear round " << round;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, TransformMatchesModel, ::testing::Range(0, 8));

// The benchmark's transforms on a larger picture, where whole runs of pixels
// take the vector path.
TEST(TransformMatchesModelLarge, OneDegreeAtScalesOneAndAQuarterIsBitExact) {
    std::mt19937 rng(77);
    const RefPic srcPic = RandomPic(rng, 211, 157);
    for (double scale : {1.0, 0.25, 1.37}) {
        for (bool bottomUp : {false, true}) {
            RefPic dstPic = RandomPic(rng, 211, 157);
            Canvas src(srcPic, bottomUp);
            Canvas dst(dstPic, !bottomUp);
            RefParams p;
            p.angle = kPi / 180;
            p.scale = scale;
            p.cx = 105.5;
            p.cy = 78;
            p.write = 0xFFFFFF;
            p.keep = 0xFFFFFF;
            const RefRect full{0, 0, 210, 156};
            RefSmooth(RefSmoothKind::Export32, srcPic, dstPic, full, full, p);
            BmpTransformSmooth32(src.View(), dst.View(), ToRect(full), ToRect(full), p.cx, p.cy, 0,
                                 0, 0, 0, p.angle, p.scale, 0, p.write, p.keep);
            ASSERT_EQ(ReadBack(dst.View()).px, dstPic.px) << "scale " << scale;
        }
    }
}

TEST(TransformThreads, SplittingRowsOverThreadsGivesTheSamePicture) {
    std::mt19937 rng(3);
    const RefPic srcPic = RandomPic(rng, 300, 200);
    const RefPic start = RandomPic(rng, 300, 200);
    Canvas src(srcPic, false);
    Canvas one(start, false), two(start, false);
    const EngineRect full{0, 0, 299, 199};
    BmpTransformSmooth(src.View(), one.View(), full, full, 150, 100, 3, -2, 0, 0, 0.2, 1.1,
                       0x102030, 0xFFFFFF, 0);
    SetEngineThreads(2);
    BmpTransformSmooth(src.View(), two.View(), full, full, 150, 100, 3, -2, 0, 0, 0.2, 1.1,
                       0x102030, 0xFFFFFF, 0);
    SetEngineThreads(1);
    EXPECT_EQ(ReadBack(one.View()).px, ReadBack(two.View()).px);
}

// A 5x5 grey picture (100, alpha 7) with 200 at (2, 2) and 50 at (2, 1).
RefPic HandPicture() {
    RefPic p = UniformPic(5, 5, 0x07646464);
    p.at(2, 2) = 0x07C8C8C8;
    p.at(2, 1) = 0x07323232;
    return p;
}

std::uint32_t Grey(int v, int a = 0xFF) {
    return std::uint32_t(a) << 24 | v << 16 | v << 8 | v;
}

TEST(TransformHandWorked, SameSizeUsesTheSharpeningCentreCell) {
    const RefPic pic = HandPicture();
    Canvas src(pic, false);
    Canvas dst(UniformPic(5, 5, 0), false);
    const EngineRect full{0, 0, 4, 4};
    BmpTransformSmooth(src.View(), dst.View(), full, full, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0xFFFFFF, 0);
    const RefPic out = ReadBack(dst.View());
    // 32*200 + 50 + 3*100 - 4*100 = 6350; 6350 / 32 = 198.
    EXPECT_EQ(out.at(2, 2), Grey(198));
    // -100 + 100 - 100 + 100 + 32*50 + 100 - 100 + 200 - 100 = 1700; / 32 = 53.
    EXPECT_EQ(out.at(2, 1), Grey(53));
    // Border pixels are copied, alpha made opaque.
    EXPECT_EQ(out.at(0, 0), Grey(100));
    EXPECT_EQ(out.at(4, 3), Grey(100));
}

TEST(TransformHandWorked, AThirdOfAPixelRightPicksTheRightHandCell) {
    const RefPic pic = HandPicture();
    Canvas src(pic, false);
    Canvas dst(UniformPic(5, 5, 0x11223344), false);
    const EngineRect full{0, 0, 4, 4};
    // Source x = destination x + 1/3: U = 65535 x + 43690, cell (2, 1) = index 5.
    BmpTransformSmooth32(src.View(), dst.View(), full, full, 0, 0, -1.0 / 3, 0, 0, 0, 0, 1, 0,
                         0xFFFFFF, 0);
    // 3*50 + 100 + 16*200 + 8*100 + 3*100 + 100 = 4650; 4650 >> 5 = 145; alpha kept.
    EXPECT_EQ(ReadBack(dst.View()).at(2, 2), Grey(145, 0x11));
}

// Every kernel cell, worked by hand at (2, 2) of the hand picture: the pixel
// above is 50, the centre 200, the seven others 100, and each kernel sums to
// 32, so the sum is 50 a + 200 b + 100 (32 - a - b) with a the weight above
// and b the centre weight. A shift of +1/3, 0 or -1/3 puts the source in the
// left (top), middle or right (bottom) third: cell column 0, 1 or 2.
TEST(TransformHandWorked, EachThirdOfAPixelTakesItsOwnKernel) {
    const struct {
        double shiftX, shiftY;
        int cell;
        int value;
    } cases[] = {
        {1.0 / 3, 1.0 / 3, 0, 139},   // a 7, b 16: 4450 >> 5
        {0, 1.0 / 3, 1, 137},         // a 8, b 16: 4400 >> 5
        {-1.0 / 3, 1.0 / 3, 2, 139},  // a 7, b 16: 4450 >> 5
        {1.0 / 3, 0, 3, 145},         // a 3, b 16: 4650 >> 5
        {0, 0, 4, 198},               // a 1, b 32, corners -1: 6350 / 32
        {-1.0 / 3, 0, 5, 145},        // a 3, b 16: 4650 >> 5
        {1.0 / 3, -1.0 / 3, 6, 150},  // a 0, b 16: 4800 >> 5
        {0, -1.0 / 3, 7, 150},        // a 0, b 16: 4800 >> 5
        {-1.0 / 3, -1.0 / 3, 8, 150}, // a 0, b 16: 4800 >> 5
    };
    const RefPic pic = HandPicture();
    for (const auto& c : cases) {
        Canvas src(pic, false);
        Canvas dst(UniformPic(5, 5, 0), false);
        const EngineRect full{0, 0, 4, 4};
        BmpTransformSmooth32(src.View(), dst.View(), full, full, 0, 0, c.shiftX, c.shiftY, 0, 0, 0,
                             1, 0, 0xFFFFFF, 0);
        EXPECT_EQ(ReadBack(dst.View()).at(2, 2), Grey(c.value, 0)) << "cell " << c.cell;
    }
}

TEST(TransformHandWorked, HalfScaleBilinearAveragesNeighbours) {
    RefPic pic = UniformPic(3, 3, 0);
    pic.at(0, 0) = 0x000000;
    pic.at(1, 0) = 0x000064; // blue 100
    pic.at(0, 1) = 0x0000C8; // blue 200
    pic.at(1, 1) = 0x0000FF;
    Canvas src(pic, false);
    Canvas dst(UniformPic(1, 1, 0x00AB0000), false);
    // Position (0.5, 0.5): top = 50, bottom = 200 + 27 = 227, value = 50 + 88 = 138.
    BmpScaleBilinear(src.View(), dst.View(), {0, 0, 2, 2}, {0, 0, 0, 0}, 0, 0, -0.5, -0.5, 0, 0, 0,
                     1, 0, 0xFFFFFF, 0xFFFFFF, 0, 8);
    EXPECT_EQ(ReadBack(dst.View()).at(0, 0), 0xFF00008Au);
}

TEST(TransformEdges, UniformPictureStaysUniformAtAnyAngleAndScale) {
    std::mt19937 rng(11);
    const RefPic pic = UniformPic(23, 17, 0x00336699);
    Canvas src(pic, true);
    for (int i = 0; i < 20; ++i) {
        const double angle = std::uniform_real_distribution<double>(-7, 7)(rng);
        const double scale = std::uniform_real_distribution<double>(0.2, 3)(rng);
        Canvas dst(UniformPic(30, 30, 0), false);
        BmpTransformSmooth(src.View(), dst.View(), {0, 0, 22, 16}, {0, 0, 29, 29}, 11, 8, -3, -4, 0,
                           0, angle, scale, 0x0000FF, 0xFFFFFF, 0);
        for (std::uint32_t v : ReadBack(dst.View()).px) {
            // Inside pixels keep the colour; the rest is the red background (alpha 0).
            EXPECT_TRUE(v == 0xFF336699u || v == 0x00FF0000u) << std::hex << v;
        }
    }
}

TEST(TransformEdges, SameSizeCopiesTheBorderButSharpensTheInside) {
    std::mt19937 rng(12);
    const RefPic pic = RandomPic(rng, 9, 7);
    Canvas src(pic, false);
    Canvas dst(UniformPic(9, 7, 0), false);
    BmpTransformSmooth32(src.View(), dst.View(), {0, 0, 8, 6}, {0, 0, 8, 6}, 0, 0, 0, 0, 0, 0, 0, 1,
                         0, 0xFFFFFFFF, 0);
    const RefPic out = ReadBack(dst.View());
    int insideDiffers = 0;
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 9; ++x) {
            if (x == 0 || y == 0 || x == 8 || y == 6)
                EXPECT_EQ(out.at(x, y), pic.at(x, y)) << x << "," << y;
            else
                insideDiffers += out.at(x, y) != pic.at(x, y);
        }
    EXPECT_GT(insideDiffers, 0);
}

TEST(TransformEdges, TwoMaskedCallsBuildAnAnaglyph) {
    const RefPic left = UniformPic(8, 6, 0x00102030);
    const RefPic right = UniformPic(8, 6, 0x00A0B0C0);
    Canvas l(left, false), r(right, true);
    Canvas dst(UniformPic(8, 6, 0x55555555), false);
    const EngineRect full{0, 0, 7, 5};
    BmpTransformSmooth32(l.View(), dst.View(), full, full, 4, 3, 0, 0, 0, 0, 0.1, 1, 0, 0xFF0000,
                         0x00FFFF);
    BmpTransformSmooth32(r.View(), dst.View(), full, full, 4, 3, 0, 0, 0, 0, 0.1, 1, 0, 0x00FFFF,
                         0xFF0000);
    const RefPic out = ReadBack(dst.View());
    // Centre pixels: red from the left view, green and blue from the right one.
    EXPECT_EQ(out.at(4, 3) & 0xFFFFFF, 0x10B0C0u);
    EXPECT_EQ(out.at(3, 2) & 0xFFFFFF, 0x10B0C0u);
}

TEST(TransformEdges, SmoothedPixelsChangeOnlyWrittenChannelsEvenWithNoKeepMask) {
    const RefPic pic = UniformPic(8, 8, 0x00FFFFFF);
    Canvas src(pic, false);
    Canvas dst(UniformPic(8, 8, 0x11223344), false);
    BmpTransformSmooth32(src.View(), dst.View(), {0, 0, 7, 7}, {0, 0, 7, 7}, 0, 0, 0, 0, 0, 0, 0, 1,
                         0, 0xFF0000, 0);
    EXPECT_EQ(ReadBack(dst.View()).at(3, 3), 0x11FF3344u);
}

TEST(TransformEdges, PositionsUpToFourThirdsLeftOfThePictureStillSampleColumnZero) {
    RefPic pic = UniformPic(4, 4, 0x00000000);
    for (int y = 0; y < 4; ++y) pic.at(0, y) = 0x00ABCDEF;
    Canvas src(pic, false);
    auto sampleAt = [&](double sx) {
        Canvas dst(UniformPic(1, 1, 0x12345678), false);
        // Source x = destination x - ShiftX.
        BmpTransformSmooth32(src.View(), dst.View(), {0, 0, 3, 3}, {0, 0, 0, 0}, 0, 0, -sx, -1.5, 0,
                             0, 0, 1, 0x000000, 0xFFFFFF, 0);
        return ReadBack(dst.View()).at(0, 0);
    };
    EXPECT_EQ(sampleAt(-1.3), 0x00ABCDEFu);
    EXPECT_EQ(sampleAt(-0.5), 0x00ABCDEFu);
    EXPECT_EQ(sampleAt(-1.34), 0x00000000u);
}

TEST(TransformEdges, FastModeCopiesTheColoursIgnoringMasksAndWeights) {
    std::mt19937 rng(5);
    const RefPic pic = RandomPic(rng, 6, 5);
    Canvas src(pic, false);
    Canvas dst(UniformPic(6, 5, 0x7F000000), false);
    BlendOp op;
    EXPECT_EQ(SelectBlendOp(30, 1, op), 10);
    EXPECT_EQ(op, BlendOp::Copy);
    BmpTransformBlend(src.View(), dst.View(), {0, 0, 5, 4}, {0, 0, 5, 4}, 0, 0, 0, 0, 0, 0, 0, 1, 0,
                      0xFF0000, 0x00FFFF, 0, 0, op);
    const RefPic out = ReadBack(dst.View());
    for (std::size_t i = 0; i < out.px.size(); ++i)
        EXPECT_EQ(out.px[i], 0x7F000000u | (pic.px[i] & 0xFFFFFF));
}

TEST(TransformEdges, EmptySourceOrInvertedRectDrawsNothing) {
    std::mt19937 rng(6);
    const RefPic start = RandomPic(rng, 5, 5);
    Canvas dst(start, false);
    Canvas src(RandomPic(rng, 5, 5), false);
    Canvas empty(UniformPic(0, 3, 0), false);
    BmpTransformSmooth(empty.View(), dst.View(), {0, 0, 4, 4}, {0, 0, 4, 4}, 0, 0, 0, 0, 0, 0, 0, 1,
                       0, 0xFFFFFF, 0);
    BmpTransformSmooth32(src.View(), dst.View(), {0, 0, 4, 4}, {0, 3, 4, 2}, 0, 0, 0, 0, 0, 0, 0, 1,
                         0, 0xFFFFFF, 0);
    BmpTransformBlend(src.View(), dst.View(), {0, 0, 4, 4}, {0, 3, 4, 2}, 0, 0, 0, 0, 0, 0, 0, 1, 0,
                      0xFFFFFF, 0, 256, 256, BlendOp::Copy);
    BmpScaleBilinear(src.View(), dst.View(), {0, 0, 4, 4}, {3, 0, 2, 4}, 0, 0, 0, 0, 0, 0, 0, 1, 0,
                     0xFFFFFF, 0, 0, 8);
    EXPECT_EQ(ReadBack(dst.View()).px, start.px);
}

TEST(TransformEdges, WrongPixelFormatsAreLeftAlone) {
    std::mt19937 rng(8);
    RefPic p24 = RandomPic(rng, 6, 6, true);
    const RefPic p32 = RandomPic(rng, 6, 6);
    Canvas src24(p24, false), dst24(p24, false);
    Canvas src32(p32, false), dst32(p32, false);
    const EngineRect full{0, 0, 5, 5};
    BmpTransformSmooth24(src32.View(), dst32.View(), full, full, 0, 0, 0, 0, 0, 0, 0, 1, 0,
                         0xFFFFFF, 0);
    BmpTransformSmooth32(src24.View(), dst32.View(), full, full, 0, 0, 0, 0, 0, 0, 0, 1, 0,
                         0xFFFFFF, 0);
    BmpTransformSmooth(src32.View(), dst24.View(), full, full, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0xFFFFFF,
                       0);
    EXPECT_EQ(ReadBack(dst32.View()).px, p32.px);
    EXPECT_EQ(ReadBack(dst24.View()).px, p24.px);
}

TEST(TransformEdges, AbsurdParametersLeaveOnlyBackground) {
    const RefPic pic = UniformPic(6, 6, 0x00FFFFFF);
    Canvas src(pic, false);
    for (double bad : {double(NAN), double(INFINITY), 1e300}) {
        Canvas dst(UniformPic(4, 4, 0x01020304), false);
        BmpTransformSmooth32(src.View(), dst.View(), {0, 0, 5, 5}, {0, 0, 3, 3}, 0, 0, bad, 0, 0, 0,
                             0, 1, 0x0000FF, 0xFFFFFF, 0);
        for (std::uint32_t v : ReadBack(dst.View()).px) EXPECT_EQ(v, 0x00FF0000u);
    }
}

TEST(BlendSelection, EachModeAndPassPicksItsOperation) {
    const BlendOp want[8][2] = {
        {BlendOp::Scale, BlendOp::Add},
        {BlendOp::Scale, BlendOp::Subtract},
        {BlendOp::InverseAdd, BlendOp::InverseSubtract},
        {BlendOp::Scale, BlendOp::InverseAdd},
        {BlendOp::Scale, BlendOp::InverseSubtract},
        {BlendOp::Grey, BlendOp::GreyAdd},
        {BlendOp::Grey, BlendOp::GreySubtract},
        {BlendOp::Grey, BlendOp::GreyXor},
    };
    for (int mode = 0; mode < 8; ++mode)
        for (int pass = 0; pass < 2; ++pass) {
            BlendOp op = BlendOp::Copy;
            EXPECT_EQ(SelectBlendOp(mode, pass, op), mode);
            EXPECT_EQ(op, want[mode][pass]) << mode << "," << pass;
        }
    BlendOp op = BlendOp::Grey;
    EXPECT_EQ(SelectBlendOp(8, 0, op), 10);
    EXPECT_EQ(op, BlendOp::Copy);
    EXPECT_EQ(SelectBlendOp(-1, 0, op), 10);
}

TEST(LineAngles, MeasureAgainstTheUpwardVertical) {
    EXPECT_DOUBLE_EQ(LineAngle(0, 0, 0, 5), 3 * kPi / 2);
    EXPECT_DOUBLE_EQ(LineAngle(0, 0, 0, -5), kPi / 2);
    EXPECT_DOUBLE_EQ(LineAngle(0, 0, 0, 0), 0);
    EXPECT_DOUBLE_EQ(LineAngle(0, 0, -1, 0), kPi);
    EXPECT_DOUBLE_EQ(LineAngle(0, 0, 1, -1), kPi / 4);
    EXPECT_DOUBLE_EQ(LineAngle(0, 0, -1, -1), 3 * kPi / 4);
    EXPECT_DOUBLE_EQ(LineAngle(2, 3, 4, 5), -kPi / 4);

    EXPECT_DOUBLE_EQ(LineAngleLen(0, 0, -1, 0, 0.0005), kPi);
    EXPECT_DOUBLE_EQ(LineAngleLen(0, 0, 1, 0, 0.0005), 0);
    EXPECT_DOUBLE_EQ(LineAngleLen(0, 0, 0, 3, 2), -kPi / 2);
    EXPECT_DOUBLE_EQ(LineAngleLen(0, 0, 5, -3, 2), kPi / 2);
    EXPECT_DOUBLE_EQ(LineAngleLen(0, 0, 3, -1, 2), std::asin(0.5));
    EXPECT_DOUBLE_EQ(LineAngleLen(0, 0, -3, -1, 2), kPi - std::asin(0.5));
}

} // namespace
