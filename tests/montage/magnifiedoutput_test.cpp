// After a magnification correction the written left and right views show
// every detail at the same place, as the display does.
#include "core/paramfile.h"
#include "core/settings.h"
#include "core/stereokinds.h"
#include "montage/alignhost.h"
#include "montage/magnification.h"
#include "output/naming.h"
#include "output/savepass.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include <cmath>
#include <vector>

namespace {

struct tdot {
    double x, y;
};

// Soft white dots on black: a Gaussian of sigma r around each centre, so a
// centroid finds the centre to a fraction of a pixel at any scale.
QImage DotPicture(int w, int h, const std::vector<tdot>& dots, double r) {
    QImage img = NewViewBitmap(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            double v = 0;
            for (const tdot& d : dots)
                v += std::exp(-((x - d.x) * (x - d.x) + (y - d.y) * (y - d.y)) / (2 * r * r));
            const int g = int(std::lround(std::min(1.0, v) * 255));
            img.setPixel(x, y, qRgb(g, g, g));
        }
    return img;
}

// The intensity-weighted centre of the bright pixels within `radius` of a
// guess.
tdot Centroid(const QImage& img, tdot guess, int radius) {
    double sw = 0, sx = 0, sy = 0;
    for (int y = int(guess.y) - radius; y <= int(guess.y) + radius; ++y)
        for (int x = int(guess.x) - radius; x <= int(guess.x) + radius; ++x) {
            if (x < 0 || y < 0 || x >= img.width() || y >= img.height()) continue;
            const int g = qGreen(img.pixel(x, y));
            if (g < 64) continue;
            sw += g;
            sx += g * x;
            sy += g * y;
        }
    return sw > 0 ? tdot{sx / sw, sy / sw} : tdot{-1000, -1000};
}

// The centroids of the connected bright spots of a picture.
std::vector<tdot> Spots(const QImage& img) {
    std::vector<tdot> spots;
    std::vector<char> seen(size_t(img.width()) * img.height(), 0);
    for (int y0 = 0; y0 < img.height(); ++y0)
        for (int x0 = 0; x0 < img.width(); ++x0) {
            if (seen[size_t(y0) * img.width() + x0] || qGreen(img.pixel(x0, y0)) < 64) continue;
            double sw = 0, sx = 0, sy = 0;
            std::vector<std::pair<int, int>> stack{{x0, y0}};
            seen[size_t(y0) * img.width() + x0] = 1;
            while (!stack.empty()) {
                const auto [x, y] = stack.back();
                stack.pop_back();
                const int g = qGreen(img.pixel(x, y));
                sw += g;
                sx += g * x;
                sy += g * y;
                for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
                    const int nx = x + dx, ny = y + dy;
                    if (nx < 0 || ny < 0 || nx >= img.width() || ny >= img.height()) continue;
                    char& m = seen[size_t(ny) * img.width() + nx];
                    if (m || qGreen(img.pixel(nx, ny)) < 64) continue;
                    m = 1;
                    stack.push_back({nx, ny});
                }
            }
            spots.push_back({sx / sw, sy / sw});
        }
    return spots;
}

class tnoparams : public tparamhost {
public:
    bool AskSaveParamName(QString&) override { return false; }
    QString AskOpenParamName(const QString&, const QString&) override { return {}; }
    void AskRedirectFolders(const QString&, const QString&) override {}
    void ReloadViews(int) override {}
    void ShowMessage(const QString&) override {}
};

class tnoquestions : public tsavequestions {
public:
    toverwriteanswer AskOverwrite(const QString&) override { return toverwriteanswer::Cancel; }
    bool AskOtherName(int, QString&) override { return false; }
};

} // namespace

// The right view is the left one magnified 1.25 times around (200, 150) and
// shifted by (6, -4). After "Appliquer" on d1-d2 and levelling on C, the
// left and right outputs of the save pass hold each dot at the same pixel.
TEST(MagnifiedOutput, HomologousDotsCoincideInTheLeftAndRightOutputs) {
    const std::vector<tdot> left = {{80, 60}, {320, 230}, {150, 200}, {300, 80}};
    const double s = 1.25;
    std::vector<tdot> right;
    for (const tdot& d : left)
        right.push_back({200 + s * (d.x - 200) + 6, 150 + s * (d.y - 150) - 4});

    tviewpair pair;
    pair.ImgLeft.bitmap = DotPicture(400, 300, left, 3);
    pair.ImgRight.bitmap = DotPicture(400, 300, right, 3 * s);
    pair.ImgLeft.Reset();
    pair.ImgRight.Reset();
    QTemporaryDir dir;
    pair.ImgLeft.filename = dir.filePath("dots_L.bmp");
    pair.ImgRight.filename = dir.filePath("dots_R.bmp");
    pair.StereoType = KindPair;
    // d1, d2 on the two far dots, C on the third, in both views.
    for (auto [view, dots] : {std::pair{&pair.ImgLeft, left}, std::pair{&pair.ImgRight, right}}) {
        view->PlacePoint(PtDz1, dots[0].x, dots[0].y);
        view->PlacePoint(PtDz2, dots[1].x, dots[1].y);
        view->PlacePoint(PtStereo0, dots[2].x, dots[2].y);
    }

    trecordinghost host(pair);
    host.MakeCurrent(false);
    ASSERT_TRUE(ApplyMagnification(host, true));
    ASSERT_NEAR(pair.ImgRight.dz, s, 1e-9);
    LevelOnCentre(host);

    tnamingfields fields;
    fields.LeftFile = pair.ImgLeft.filename;
    fields.RightFile = pair.ImgRight.filename;
    fields.RepBase = dir.path();
    for (int k : {KindLeft, KindRight}) {
        fields.Ticked[k] = true;
        fields.Folder[k] = KindDefaultFolder(k);
        fields.Suffix[k] = KindDefaultSuffix(k);
    }
    tsaveoptions options;
    options.W = 300;
    options.H = 220;
    options.askBeforeCreateDir = false;
    tsettings settings;
    tfixedfolderanswers folders{true};
    tnoquestions questions;
    tnoparams params;
    const tsavereport report =
        SaveSelectedKinds(pair, fields, options, settings, folders, questions, params);
    ASSERT_TRUE(report.AllWritten()) << report.log.join('\n').toStdString();
    ASSERT_EQ(report.outputs.size(), 2u);
    const QImage outL(report.outputs[0].path);
    const QImage outR(report.outputs[1].path);
    ASSERT_FALSE(outL.isNull());
    ASSERT_EQ(outL.size(), outR.size());

    // Each bright spot of the left output against the same place in the
    // right one.
    const std::vector<tdot> spots = Spots(outL);
    EXPECT_EQ(spots.size(), left.size());
    for (const tdot& l : spots) {
        const tdot r = Centroid(outR, l, 12);
        EXPECT_NEAR(r.x, l.x, 0.5) << "dot at " << l.x << "," << l.y;
        EXPECT_NEAR(r.y, l.y, 0.5) << "dot at " << l.x << "," << l.y;
    }
}
