// Output composition: bitmap sizes and placements of every kind, the scale
// by adapt mode, centring, and the composed pixels against hand-built
// pictures and the slow reference resampling.
#include "output/composition.h"

#include "core/qimageview.h"
#include "core/stereokinds.h"
#include "outputfixtures.h"
#include "smooth_ref.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

QImage Compose(const timg& l, const timg& r, int kind, int W, int H, int S, double m,
               bool centre = true, bool bits24 = false) {
    tcomposition c;
    c.kind = kind;
    c.W = W;
    c.H = H;
    c.S = S;
    c.m = m;
    c.centre = centre;
    c.bits24 = bits24;
    EngineBitmap out;
    if (!ComposeKind(l, r, ComputeSourceFrame(&l, &r, false, 0, 0), c, out)) return {};
    return ToQImage(out);
}

constexpr QRgb kLeftColour = 0xC83214;  // 200, 50, 20
constexpr QRgb kRightColour = 0x1E64B4; // 30, 100, 180

// Two flat views of 60 x 40, the right one shifted 4 pixels to the left so
// the frame is 56 x 40.
struct FlatPair {
    timg l, r;
    FlatPair() {
        MakeView(l, 60, 40, 0xFF000000 | kLeftColour);
        MakeView(r, 60, 40, 0xFF000000 | kRightColour);
        r.posx = -4;
    }
};

} // namespace

TEST(OutputLayout, BitmapSizeOfEveryKind) {
    EXPECT_EQ(OutputBitmapSize(KindCrossed, 100, 80, 10), QSize(210, 80));
    EXPECT_EQ(OutputBitmapSize(KindParallel, 100, 80, 10), QSize(210, 80));
    EXPECT_EQ(OutputBitmapSize(KindAnaglyph, 100, 80, 10), QSize(100, 80));
    EXPECT_EQ(OutputBitmapSize(KindOverUnder, 100, 80, 10), QSize(100, 170));
    EXPECT_EQ(OutputBitmapSize(KindDouble, 100, 80, 10), QSize(320, 80));
    EXPECT_EQ(OutputBitmapSize(KindLeft, 100, 80, 10), QSize(100, 80));
    EXPECT_EQ(OutputBitmapSize(KindRight, 100, 80, 10), QSize(100, 80));
    EXPECT_TRUE(OutputBitmapSize(KindParams, 100, 80, 10).isEmpty());
    EXPECT_TRUE(OutputBitmapSize(KindSingle, 100, 80, 10).isEmpty());
}

TEST(OutputLayout, ScaleByAdaptModeAndPositiveCentring) {
    // Frame 2000 x 1000 into 1000 x 1000: rW = 2, rH = 1.
    EXPECT_EQ(AdaptScale(2000, 1000, 1000, 1000, 0), 2);
    EXPECT_EQ(AdaptScale(2000, 1000, 1000, 1000, 1), 2);
    EXPECT_EQ(AdaptScale(2000, 1000, 1000, 1000, 2), 1);
    EXPECT_EQ(AdaptScale(1000, 3000, 1000, 1000, 0), 3);
    // "Taille Réelle": the view is the frame's size, so nothing is scaled.
    EXPECT_EQ(AdaptScale(1234, 567, 1234, 567, 0), 1);
    EXPECT_EQ(CentreOffset(100, 95), 2);
    EXPECT_EQ(CentreOffset(100, 120), 10); // larger scaled frame: still positive
    EXPECT_EQ(CentreOffset(100, 100), 0);
}

TEST(OutputComposition, CrossedAndParallelSidesWithTheBandBlack) {
    FlatPair p;
    const QImage x = Compose(p.l, p.r, KindCrossed, 56, 40, 6, 1);
    ASSERT_EQ(x.size(), QSize(118, 40));
    EXPECT_EQ(Rgb(x, 0, 0), kRightColour);
    EXPECT_EQ(Rgb(x, 55, 39), kRightColour);
    EXPECT_EQ(Rgb(x, 56, 10), 0u); // band
    EXPECT_EQ(Rgb(x, 61, 10), 0u);
    EXPECT_EQ(Rgb(x, 62, 0), kLeftColour);
    EXPECT_EQ(Rgb(x, 117, 39), kLeftColour);
    const QImage sp = Compose(p.l, p.r, KindParallel, 56, 40, 0, 1);
    ASSERT_EQ(sp.size(), QSize(112, 40));
    // Without a band the halves touch.
    EXPECT_EQ(Rgb(sp, 55, 20), kLeftColour);
    EXPECT_EQ(Rgb(sp, 56, 20), kRightColour);
}

TEST(OutputComposition, OverUnderPutsTheRightViewOnTop) {
    FlatPair p;
    const QImage v = Compose(p.l, p.r, KindOverUnder, 56, 40, 3, 1);
    ASSERT_EQ(v.size(), QSize(56, 83));
    EXPECT_EQ(Rgb(v, 10, 0), kRightColour);
    EXPECT_EQ(Rgb(v, 10, 39), kRightColour);
    EXPECT_EQ(Rgb(v, 10, 40), 0u);
    EXPECT_EQ(Rgb(v, 10, 42), 0u);
    EXPECT_EQ(Rgb(v, 10, 43), kLeftColour);
    EXPECT_EQ(Rgb(v, 55, 82), kLeftColour);
}

TEST(OutputComposition, AnaglyphTakesRedFromLeftAndCyanFromRight) {
    FlatPair p;
    // Not centred, into a view larger than the frame: the margin has neither view.
    const QImage a = Compose(p.l, p.r, KindAnaglyph, 70, 50, 9, 1, false);
    ASSERT_EQ(a.size(), QSize(70, 50));
    EXPECT_EQ(Rgb(a, 0, 0), QRgb(0xC864B4));
    EXPECT_EQ(Rgb(a, 55, 39), QRgb(0xC864B4));
    EXPECT_EQ(Rgb(a, 56, 39), 0u);
    EXPECT_EQ(Rgb(a, 20, 40), 0u);
}

TEST(OutputComposition, AnaglyphAreaOfOneViewKeepsTheOtherChannelsBlack) {
    // A left view that is only partly red-bearing: where the left view has
    // no red, the output has no red, whatever the right view holds.
    timg l, r;
    MakeView(l, 40, 20, 0xFF000000);
    for (int y = 0; y < 20; ++y)
        for (int x = 20; x < 40; ++x) l.bitmap.setPixel(x, y, 0xFFFFFFFF);
    MakeView(r, 40, 20, 0xFFFFFFFF);
    const QImage a = Compose(l, r, KindAnaglyph, 40, 20, 0, 1);
    EXPECT_EQ(Rgb(a, 5, 10), QRgb(0x00FFFF));
    EXPECT_EQ(Rgb(a, 35, 10), QRgb(0xFFFFFF));
}

TEST(OutputComposition, DoubleStereoIsLeftRightLeft) {
    FlatPair p;
    const QImage b = Compose(p.l, p.r, KindDouble, 56, 40, 5, 1);
    ASSERT_EQ(b.size(), QSize(3 * 56 + 2 * 5, 40));
    EXPECT_EQ(Rgb(b, 0, 0), kLeftColour);
    EXPECT_EQ(Rgb(b, 56, 0), 0u);
    EXPECT_EQ(Rgb(b, 61, 0), kRightColour);
    EXPECT_EQ(Rgb(b, 122, 0), kLeftColour);
    EXPECT_EQ(Rgb(b, 177, 39), kLeftColour);
}

TEST(OutputComposition, SingleViewsAndTwentyFourBits) {
    FlatPair p;
    const QImage l = Compose(p.l, p.r, KindLeft, 56, 40, 0, 1, true, true);
    const QImage r = Compose(p.l, p.r, KindRight, 56, 40, 0, 1, true, true);
    ASSERT_EQ(l.format(), QImage::Format_BGR888);
    EXPECT_EQ(Rgb(l, 30, 20), kLeftColour);
    EXPECT_EQ(Rgb(r, 30, 20), kRightColour);
}

TEST(OutputComposition, CentredHalfSizeFrame) {
    FlatPair p;
    // m = 2: the 56 x 40 frame becomes 28 x 20, centred in 40 x 30 at (6, 5).
    const QImage l = Compose(p.l, p.r, KindLeft, 40, 30, 0, 2);
    EXPECT_EQ(Rgb(l, 5, 15), 0u);
    EXPECT_EQ(Rgb(l, 6, 15), kLeftColour);
    EXPECT_EQ(Rgb(l, 33, 15), kLeftColour);
    EXPECT_EQ(Rgb(l, 34, 15), 0u);
    EXPECT_EQ(Rgb(l, 20, 4), 0u);
    EXPECT_EQ(Rgb(l, 20, 5), kLeftColour);
    EXPECT_EQ(Rgb(l, 20, 24), kLeftColour);
    EXPECT_EQ(Rgb(l, 20, 25), 0u);
}

TEST(OutputComposition, ViewLargerThanItsCellStaysInItsCell) {
    // Fitting the height of a wide frame: each view is wider than its half
    // and must not spill over the other one.
    FlatPair p;
    const QImage x = Compose(p.l, p.r, KindCrossed, 30, 40, 0, 1);
    ASSERT_EQ(x.size(), QSize(60, 40));
    // The right view starts at the offset |30 - 56| / 2 = 13 of its cell.
    EXPECT_EQ(Rgb(x, 12, 5), 0u);
    EXPECT_EQ(Rgb(x, 13, 5), kRightColour);
    EXPECT_EQ(Rgb(x, 29, 5), kRightColour);
    EXPECT_EQ(Rgb(x, 30 + 12, 5), 0u);
    EXPECT_EQ(Rgb(x, 30 + 13, 5), kLeftColour);
    EXPECT_EQ(Rgb(x, 59, 5), kLeftColour);
}

TEST(OutputComposition, NothingToDrawGivesNoBitmap) {
    FlatPair p;
    EXPECT_TRUE(Compose(p.l, p.r, KindParams, 56, 40, 0, 1).isNull());
    EXPECT_TRUE(Compose(p.l, p.r, KindCrossed, 0, 40, 0, 1).isNull());
    p.r.posx = 100; // the views do not meet
    EXPECT_TRUE(Compose(p.l, p.r, KindCrossed, 56, 40, 0, 1).isNull());
}

// Every kind of a turned, shifted and magnified pair against the reference
// resampling placed by hand. The frame is given (each view its own corner, as
// a manual frame has): 81 x 61 drawn at m = 1.7 into 50 x 40 cells is
// d = trunc(47.65) = 47 by e = trunc(35.88) = 35, centred at
// ox = (50 - 47) / 2 = 1 and oy = (40 - 35) / 2 = 2 (whole pixels).
TEST(OutputComposition, TurnedPairMatchesTheReferenceInEveryKind) {
    timg l, r;
    MakePatternView(l, 90, 70, 1);
    MakePatternView(r, 90, 70, 2);
    r.rot = 0.07;
    r.posx = -3.25;
    r.posy = 2.5;
    // A magnification correction lives in the bitmap: dz never scales again.
    r.dz = 1.25;
    tcommonframe f;
    f.valid = true;
    f.width = 81;
    f.height = 61;
    f.left = QPointF(4.25, 3.5);
    f.right = QPointF(1.5, 5.75);
    const int W = 50, H = 40, S = 3;
    const double m = 1.7;
    const int d = 47, e = 35, ox = 1, oy = 2;
    struct Place {
        bool left;
        int x, y;
        quint32 write, keep;
    };
    const quint32 all = 0xFFFFFF;
    const std::vector<std::pair<int, std::vector<Place>>> kinds = {
        {KindCrossed, {{true, W + S + ox, oy, all, all}, {false, ox, oy, all, all}}},
        {KindParallel, {{true, ox, oy, all, all}, {false, W + S + ox, oy, all, all}}},
        {KindOverUnder, {{true, ox, H + S + oy, all, all}, {false, ox, oy, all, all}}},
        {KindAnaglyph, {{true, ox, oy, 0xFF0000, 0x00FFFF}, {false, ox, oy, 0x00FFFF, 0xFF0000}}},
        {KindDouble,
         {{true, ox, oy, all, all},
          {false, W + S + ox, oy, all, all},
          {true, 2 * (W + S) + ox, oy, all, all}}},
        {KindLeft, {{true, ox, oy, all, all}}},
        {KindRight, {{false, ox, oy, all, all}}},
    };
    for (const auto& [kind, places] : kinds) {
        tcomposition c;
        c.kind = kind;
        c.W = W;
        c.H = H;
        c.S = S;
        c.m = m;
        EngineBitmap out;
        ASSERT_TRUE(ComposeKind(l, r, f, c, out));
        const QImage got = ToQImage(out);
        QImage want(got.size(), QImage::Format_ARGB32);
        want.fill(0);
        for (const Place& pl : places) {
            const timg& v = pl.left ? l : r;
            const QPointF o = pl.left ? f.left : f.right;
            ReferenceSmooth(v.bitmap, want, pl.x, pl.y, pl.x + d - 1, pl.y + e - 1, v.CentreX(),
                            v.CentreY(), v.posx - o.x(), v.posy - o.y(), v.rot, m, pl.write,
                            pl.keep);
        }
        int diff = 0;
        for (int y = 0; y < got.height(); ++y)
            for (int x = 0; x < got.width(); ++x)
                if (Rgb(got, x, y) != Rgb(want, x, y)) ++diff;
        EXPECT_EQ(diff, 0) << "kind " << kind;
    }
}
