// The hand-held vase pair aligned end to end through `orvanel-cli align`:
// C on the "15" logo, A1 on the disc logo of the box (matched once by hand
// and by correlation, kept here), and the vertical disparity that remains
// at a third detail the alignment did not see.
#include "core/inifile.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace {

struct tdetail {
    double lx, ly, rx, ry;
};

// M(X) = c + R(-rot) (X - c) + (posx, posy), read from a view's section.
double MontageY(const tinifile& prm, const char* section, double x, double y) {
    const double cx = prm.ReadFloat(section, "pt[1].x", 0);
    const double cy = prm.ReadFloat(section, "pt[1].y", 0);
    const double rot = prm.ReadFloat(section, "rot", 0);
    const double posy = prm.ReadFloat(section, "posy", 0);
    return cy - (x - cx) * std::sin(rot) + (y - cy) * std::cos(rot) + posy;
}

} // namespace

TEST(RealPair, HandHeldVasePairIsLevelledAtADetailItWasNotAlignedOn) {
    const char* data = std::getenv("ORVANEL_TESTDATA");
    if (!data) GTEST_SKIP() << "ORVANEL_TESTDATA not set";
    const QString dir = QString::fromLocal8Bit(data);
    const tdetail c{1420, 676, 1189.49, 668.71};  // the "15" logo
    const tdetail a1{1250, 222, 1009.01, 218.17}; // the disc logo
    // "Fifth Season": 4.86 px higher in the left view before alignment.
    const tdetail check{1270, 252, 1029.26, 247.14};
    QTemporaryDir out;
    const QString prmPath = out.filePath("vase.prm");
    auto pt = [](const tdetail& d) {
        return QStringLiteral("%1,%2,%3,%4").arg(d.lx).arg(d.ly).arg(d.rx).arg(d.ry);
    };
    QProcess p;
    p.start(QStringLiteral(ORVANEL_BIN_DIR "/orvanel-cli"),
            {"align", "--noini", "--left", dir + "/handheld_vase_L.jpg", "--right",
             dir + "/handheld_vase_R.jpg", "--point", "C", pt(c), "--point", "A1", pt(a1), "--do",
             "level", "--do", "rotate", "--write-prm", prmPath});
    ASSERT_TRUE(p.waitForFinished(60000));
    ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    const tinifile prm(prmPath);
    // The right view turns about -1.13 degrees (6.2635 rad) and moves by
    // (230.51, 7.29); the left one stays.
    EXPECT_NEAR(prm.ReadFloat("Right", "rot", 0), 6.26353, 1e-4);
    EXPECT_NEAR(prm.ReadFloat("Right", "posy", 0), 7.29, 1e-9);
    for (const tdetail& d : {c, a1})
        EXPECT_NEAR(MontageY(prm, "Left", d.lx, d.ly), MontageY(prm, "Right", d.rx, d.ry), 1e-6);
    // Worked out from those numbers: 0.64 px left at the third detail.
    EXPECT_NEAR(MontageY(prm, "Left", check.lx, check.ly),
                MontageY(prm, "Right", check.rx, check.ry), 1.0);
}
