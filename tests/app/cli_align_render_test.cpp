// `orvanel-cli align` followed by `orvanel-cli render`: a right view that is
// the left one turned and shifted comes out matching the left view.
#include "app/cli_align.h"
#include "output/rendercommand.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTransform>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

namespace {

// Soft blobs of colour: smooth enough that resampling twice changes little,
// varied enough that a misalignment of a pixel or a degree shows.
QImage Scene(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(QColor(90, 110, 130));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    QRandomGenerator rng(1234);
    for (int i = 0; i < 160; ++i) {
        const QPointF c(rng.bounded(w), rng.bounded(h));
        const double r = 10 + rng.bounded(40);
        QRadialGradient g(c, r);
        g.setColorAt(0, QColor(rng.bounded(256), rng.bounded(256), rng.bounded(256)));
        g.setColorAt(1, QColor(0, 0, 0, 0));
        p.setBrush(g);
        p.drawEllipse(c, r, r);
    }
    return img;
}

QStringList OutputPaths(std::FILE* out) {
    std::rewind(out);
    QStringList paths;
    char line[4096];
    while (std::fgets(line, sizeof line, out)) {
        const QString l = QString::fromLocal8Bit(line);
        paths << l.section('\t', 0, 0);
    }
    return paths;
}

// Mean absolute channel difference over the central half of two pictures.
double CentralDifference(const QImage& a, const QImage& b) {
    long long sum = 0, n = 0;
    for (int y = a.height() / 4; y < 3 * a.height() / 4; ++y) {
        for (int x = a.width() / 4; x < 3 * a.width() / 4; ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q));
            n += 3;
        }
    }
    return double(sum) / n;
}

} // namespace

TEST(AlignThenRender, TurnedAndShiftedRightViewComesOutMatchingLeftView) {
    // The save pass moves the current folder into the output folder, which
    // goes away with the temporary one.
    struct tcwd {
        QString saved = QDir::currentPath();
        ~tcwd() { QDir::setCurrent(saved); }
    } keepFolder;
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QImage left = Scene(640, 480);
    // The right view: the left one turned 2 degrees counter-clockwise about
    // (320, 240) and shifted by (15, -8).
    QTransform t;
    t.translate(320 + 15, 240 - 8);
    t.rotate(-2);
    t.translate(-320, -240);
    QImage right(640, 480, QImage::Format_RGB32);
    right.fill(Qt::black);
    {
        QPainter p(&right);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.setTransform(t);
        p.drawImage(0, 0, left);
    }
    const QString leftFile = dir.filePath("scene_l.bmp");
    const QString rightFile = dir.filePath("scene_r.bmp");
    ASSERT_TRUE(left.save(leftFile));
    ASSERT_TRUE(right.save(rightFile));

    const QPointF c(300, 250), a1(520, 180);
    const QPointF cr = t.map(c), ar = t.map(a1);
    auto coords = [](QPointF l, QPointF r) {
        return QString("%1,%2,%3,%4")
            .arg(l.x(), 0, 'f', 6)
            .arg(l.y(), 0, 'f', 6)
            .arg(r.x(), 0, 'f', 6)
            .arg(r.y(), 0, 'f', 6);
    };

    double difference[2];
    for (int aligned = 0; aligned < 2; ++aligned) {
        SCOPED_TRACE(aligned ? "aligned" : "not aligned");
        const QString prm = dir.filePath(QString("pair%1.prm").arg(aligned));
        QStringList args = {
            "--noini",     "--left",  leftFile, "--right",      rightFile,     "--point", "C",
            coords(c, cr), "--point", "A1",     coords(a1, ar), "--write-prm", prm};
        if (aligned)
            args << "--do"
                 << "rotate";
        ASSERT_EQ(RunAlignCommand(args), 0);

        const QString outDir = dir.filePath(QString("out%1").arg(aligned));
        std::FILE* out = std::tmpfile();
        std::FILE* err = std::tmpfile();
        ASSERT_EQ(RunRenderCommand({"--prm", prm, "--kinds", "L,R", "--format", "bmp", "--out",
                                    outDir, "--noini", "--overwrite"},
                                   out, err),
                  0);
        const QStringList paths = OutputPaths(out);
        std::fclose(out);
        std::fclose(err);
        ASSERT_EQ(paths.size(), 2);
        const QImage l(paths[0]), r(paths[1]);
        ASSERT_FALSE(l.isNull());
        ASSERT_EQ(l.size(), r.size());
        difference[aligned] = CentralDifference(l, r);
    }
    EXPECT_LT(difference[1], 1.5);
    EXPECT_GT(difference[0], 10 * difference[1]);
}
