// Outputs made band by band are the files their whole pictures compress into,
// byte for byte, for every kind the bands make, turned or not, with bands
// between the views, centring margins and either pixel depth.
#include "output/bandpipeline.h"

#include "core/stereokinds.h"
#include "output/extrakinds.h"
#include "output/imagewrite.h"
#include "output/jpegbands.h"
#include "outputfixtures.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct tbandcase {
    const char* name;
    double rightTurn; // radians
    double rightShift;
    int W, H, S;
    bool bits24;
    AnaglyphMethod method;
};

class BandPipeline : public ::testing::TestWithParam<tbandcase> {};

TEST_P(BandPipeline, EveryOutputIsTheWholePictureCompressed) {
    const tbandcase g = GetParam();
    timg l, r;
    MakePatternView(l, 60, 1100, 3);
    MakePatternView(r, 60, 1100, 8);
    r.rot = g.rightTurn;
    r.posx = g.rightShift;
    r.posy = -g.rightShift;
    const tcommonframe frame = ComputeSourceFrame(&l, &r, false, 0, 0);
    ASSERT_TRUE(frame.Usable());
    tjpegoptions jpeg = JpegDefaults;
    jpeg.quality = 85;
    std::vector<tbandoutput> outputs;
    for (int kind : {KindLeft, KindRight, KindCrossed, KindParallel, KindDouble, KindAnaglyph}) {
        tbandoutput o;
        o.c.kind = kind;
        o.c.W = g.W;
        o.c.H = g.H;
        o.c.S = g.S;
        o.c.m = AdaptScale(frame.width, frame.height, g.W, g.H, 0);
        o.c.bits24 = g.bits24;
        o.method = g.method;
        o.jpeg = jpeg;
        ASSERT_TRUE(BandsCanMake(o.c, o.jpeg));
        outputs.push_back(o);
    }
    ASSERT_GT(JpegBandCount(g.H), 2);
    ASSERT_TRUE(EncodeOutputsInBands(l, r, frame, outputs, 2));
    for (const tbandoutput& o : outputs) {
        SCOPED_TRACE("kind " + std::to_string(o.c.kind));
        EngineBitmap whole;
        ASSERT_TRUE(ComposeOutputKind(l, r, frame, o.c, o.method, whole));
        QByteArray expected;
        ASSERT_TRUE(EncodeJpeg(whole.View(), jpeg, expected));
        QByteArray joined;
        ASSERT_TRUE(JoinJpegBands(o.bands, g.H, joined));
        EXPECT_TRUE(joined == expected) << joined.size() << " bytes against " << expected.size();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Geometries, BandPipeline,
    ::testing::Values(
        tbandcase{"Plain", 0, 0, 30, 2500, 0, false, AnaglyphMethod::Colour},
        tbandcase{"TurnedEnlargedBand", 0.012, 2.4, 51, 2300, 7, false, AnaglyphMethod::Dubois},
        tbandcase{"Centred24Bit", -0.02, 1.5, 61, 2100, 2, true, AnaglyphMethod::Grey},
        tbandcase{"ShortLastBand", 0.01, -0.75, 33, 3077, 1, false, AnaglyphMethod::Half}),
    [](const ::testing::TestParamInfo<tbandcase>& info) { return info.param.name; });

TEST(BandPipeline, LeavesToTheWholePicturesWhatItCannotMake) {
    tcomposition c;
    c.kind = KindCrossed;
    c.W = 40;
    c.H = 2000;
    tjpegoptions jpeg = JpegDefaults;
    EXPECT_TRUE(BandsCanMake(c, jpeg));
    c.H = kJpegBandRows * 3 / 2; // one band
    EXPECT_FALSE(BandsCanMake(c, jpeg));
    c.H = 2000;
    for (int kind : {KindOverUnder, KindMpo, KindHsbs, KindHou, KindParams}) {
        c.kind = kind;
        EXPECT_FALSE(BandsCanMake(c, jpeg)) << kind;
    }
    c.kind = KindLeft;
    jpeg.progressiveEncoding = true;
    EXPECT_FALSE(BandsCanMake(c, jpeg));

    // Nothing to draw: no bytes, so the pass draws and fails as before.
    timg l, r;
    std::vector<tbandoutput> outputs(1);
    outputs[0].c = c;
    outputs[0].jpeg = JpegDefaults;
    EXPECT_FALSE(EncodeOutputsInBands(l, r, tcommonframe(), outputs, 2));
    EXPECT_TRUE(outputs[0].bands.empty());
}

} // namespace
