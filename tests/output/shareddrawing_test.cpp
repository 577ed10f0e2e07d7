// The pictures taken from the shared drawing of a pass are the ones each kind
// draws on its own, colour for colour, whatever the layout, turn, scale,
// band, centring and pixel format.
#include "output/shareddrawing.h"

#include "core/stereokinds.h"
#include "output/extrakinds.h"
#include "outputfixtures.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct tgeometry {
    const char* name;
    double rightTurn;  // radians
    double rightShift; // pixels, both ways
    int W, H, S;
    int adapt;
    bool centre;
};

// Colour bytes of every pixel equal (the writers drop the fourth byte).
::testing::AssertionResult SameColours(const ImageView& a, const ImageView& b) {
    if (a.width != b.width || a.height != b.height || a.format != b.format)
        return ::testing::AssertionFailure()
               << a.width << "x" << a.height << " against " << b.width << "x" << b.height;
    const int bpp = BytesPerPixel(a.format);
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x)
            for (int k = 0; k < 3; ++k)
                if (a.Row(y)[x * bpp + k] != b.Row(y)[x * bpp + k])
                    return ::testing::AssertionFailure() << "pixel " << x << "," << y;
    return ::testing::AssertionSuccess();
}

class SharedDrawing : public ::testing::TestWithParam<tgeometry> {};

TEST_P(SharedDrawing, EveryKindIsTheOneDrawnAlone) {
    const tgeometry g = GetParam();
    timg l, r;
    MakePatternView(l, 70, 46, 1);
    MakePatternView(r, 70, 46, 7);
    r.rot = g.rightTurn;
    r.posx = g.rightShift;
    r.posy = -g.rightShift;
    const tcommonframe frame = ComputeSourceFrame(&l, &r, false, 0, 0);
    ASSERT_TRUE(frame.Usable());
    const int all[] = {KindLeft,     KindRight,  KindCrossed, KindParallel, KindOverUnder,
                       KindAnaglyph, KindDouble, KindMpo,     KindHsbs,     KindHou};
    // Each layout: parallel, crossed, and the double one.
    const std::vector<std::vector<int>> passes = {
        {KindLeft, KindRight}, {KindCrossed, KindAnaglyph}, {KindCrossed, KindParallel}};
    const int layouts[] = {KindParallel, KindCrossed, KindDouble};
    for (bool bits24 : {false, true})
        for (std::size_t p = 0; p < passes.size(); ++p)
            for (AnaglyphMethod method : {AnaglyphMethod::Colour, AnaglyphMethod::Dubois}) {
                tshareddrawing shared(passes[p]);
                ASSERT_EQ(shared.Layout(), layouts[p]);
                for (int kind : all) {
                    SCOPED_TRACE(std::string(bits24 ? "24-bit " : "32-bit ") + "layout " +
                                 std::to_string(layouts[p]) + " kind " + std::to_string(kind) +
                                 " method " + std::to_string(int(method)));
                    tcomposition c;
                    c.kind = kind;
                    c.W = g.W;
                    c.H = g.H;
                    c.S = g.S;
                    c.m = AdaptScale(frame.width, frame.height, g.W, g.H, g.adapt);
                    c.centre = g.centre;
                    c.bits24 = bits24;
                    toutputpicture picture;
                    ASSERT_TRUE(shared.Draw(l, r, frame, c, method, picture));
                    EngineBitmap alone, second;
                    if (kind == KindMpo) {
                        ASSERT_TRUE(ComposeViewPair(l, r, frame, c, alone, second));
                        EXPECT_TRUE(SameColours(picture.second, second.View()));
                    } else {
                        ASSERT_TRUE(ComposeOutputKind(l, r, frame, c, method, alone));
                    }
                    EXPECT_TRUE(SameColours(picture.first, alone.View()));
                }
            }
}

INSTANTIATE_TEST_SUITE_P(
    Geometries, SharedDrawing,
    ::testing::Values(tgeometry{"Plain", 0, 0, 70, 46, 0, 0, true},
                      tgeometry{"TurnedReducedBand", 0.21, 3.4, 41, 29, 5, 0, true},
                      tgeometry{"WidthFittedOverflowing", -0.07, 1.5, 38, 12, 3, 1, true},
                      tgeometry{"HeightFittedUncentred", 0.05, -2.25, 23, 30, 2, 2, false},
                      tgeometry{"OddEnlarged", 0.13, 0.5, 97, 63, 1, 0, true}),
    [](const ::testing::TestParamInfo<tgeometry>& info) { return info.param.name; });

TEST(SharedDrawing, APassOfOneKindOrAnotherSizeDrawsAlone) {
    EXPECT_EQ(tshareddrawing({KindAnaglyph}).Layout(), 0);
    EXPECT_EQ(tshareddrawing({KindLeft, KindParams}).Layout(), 0);

    // A halved frame of its own size, asked first, is drawn alone at its
    // size; the single view after it still takes its window on the drawing.
    timg l, r;
    MakePatternView(l, 50, 30, 2);
    MakePatternView(r, 50, 30, 5);
    const tcommonframe frame = ComputeSourceFrame(&l, &r, false, 0, 0);
    tshareddrawing shared({KindLeft, KindRight, KindHsbs});
    tcomposition c;
    c.kind = KindHsbs;
    c.W = 32;
    c.H = 18;
    c.m = AdaptScale(frame.width, frame.height, c.W, c.H, 0);
    toutputpicture half;
    ASSERT_TRUE(shared.Draw(l, r, frame, c, AnaglyphMethod::Colour, half));
    EngineBitmap alone;
    ASSERT_TRUE(ComposeOutputKind(l, r, frame, c, AnaglyphMethod::Colour, alone));
    EXPECT_TRUE(SameColours(half.first, alone.View()));
    c.kind = KindLeft;
    c.W = 50;
    c.H = 30;
    c.m = 1;
    toutputpicture single;
    ASSERT_TRUE(shared.Draw(l, r, frame, c, AnaglyphMethod::Colour, single));
    EXPECT_TRUE(single.own.Empty());
    ASSERT_TRUE(ComposeKind(l, r, frame, c, alone));
    EXPECT_TRUE(SameColours(single.first, alone.View()));
}

} // namespace
