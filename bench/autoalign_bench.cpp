// `orvanel-cli align --do auto` on a 24-megapixel pair, decoding included,
// against a plain OpenCV pipeline on the same files in the same process:
// SIFT on both full-resolution views, a ratio test and a RANSAC fit. The
// ratio of the two times goes to stderr.
#include "app/cli_align.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTransform>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <thread>

#if ORVANEL_HAVE_OPENCV
#include <opencv2/calib3d.hpp>
#include <opencv2/features2d.hpp>
#include <opencv2/imgcodecs.hpp>
#endif

namespace {

constexpr int kWidth = 6000;
constexpr int kHeight = 4000;

// Shapes of every size on a textured ground, the right view seeing them
// `shift` pixels further left, then turned by 1 degree, magnified by 1 %
// and raised by 12 px.
QImage Scene(bool right) {
    QImage img(kWidth, kHeight, QImage::Format_RGB32);
    img.fill(QColor(110, 120, 115));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    if (right) {
        p.translate(kWidth / 2.0, kHeight / 2.0 - 12);
        p.rotate(-1.0);
        p.scale(1.01, 1.01);
        p.translate(-kWidth / 2.0 - 40, -kHeight / 2.0);
    }
    QRandomGenerator rng(77);
    for (int i = 0; i < 60000; ++i) {
        const QPointF c(rng.bounded(kWidth), rng.bounded(kHeight));
        const double r = 3 + rng.bounded(i < 3000 ? 120.0 : 25.0);
        p.setBrush(QColor(rng.bounded(256), rng.bounded(256), rng.bounded(256)));
        if (i % 3 == 0)
            p.drawRect(QRectF(c.x(), c.y(), r * 1.7, r * 0.6));
        else
            p.drawEllipse(c, r, r * (0.5 + rng.bounded(1.0)));
    }
    return img;
}

struct tfiles {
    QTemporaryDir dir;
    QString left, right, prm;
    tfiles() {
        left = dir.filePath("l.jpg");
        right = dir.filePath("r.jpg");
        prm = dir.filePath("pair.prm");
        Scene(false).save(left, "JPEG", 90);
        Scene(true).save(right, "JPEG", 90);
    }
};

tfiles& Files() {
    static tfiles files;
    return files;
}

double gOurs = 0;
double gPlain = 0;
// Processor time of the whole process (every thread), for a loaded machine.
double gOursCpu = 0;
double gPlainCpu = 0;

double CpuSeconds(std::clock_t since) {
    return double(std::clock() - since) / CLOCKS_PER_SEC;
}

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

void BM_AlignDoAuto(benchmark::State& state) {
    tfiles& f = Files();
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const std::clock_t cpu = std::clock();
        std::FILE* out = std::tmpfile();
        const int status = RunAlignCommand({"--noini", "--left", f.left, "--right", f.right, "--do",
                                            "auto", "--write-prm", f.prm, "--overwrite"},
                                           out, stderr);
        gOurs = Seconds(start);
        gOursCpu = CpuSeconds(cpu);
        std::fclose(out);
        if (status != 0) state.SkipWithError("align --do auto failed");
    }
}
BENCHMARK(BM_AlignDoAuto)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);

#if ORVANEL_HAVE_OPENCV
void BM_PlainSiftPipeline(benchmark::State& state) {
    tfiles& f = Files();
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const std::clock_t cpu = std::clock();
        const cv::Mat l = cv::imread(f.left.toStdString(), cv::IMREAD_GRAYSCALE);
        const cv::Mat r = cv::imread(f.right.toStdString(), cv::IMREAD_GRAYSCALE);
        cv::Ptr<cv::SIFT> sift = cv::SIFT::create();
        std::vector<cv::KeyPoint> kl, kr;
        cv::Mat dl, dr;
        sift->detectAndCompute(l, cv::noArray(), kl, dl);
        sift->detectAndCompute(r, cv::noArray(), kr, dr);
        cv::BFMatcher matcher(cv::NORM_L2);
        std::vector<std::vector<cv::DMatch>> knn;
        matcher.knnMatch(dl, dr, knn, 2);
        std::vector<cv::Point2f> pl, pr;
        for (const auto& m : knn) {
            if (m.size() < 2 || !(m[0].distance < 0.8f * m[1].distance)) continue;
            pl.push_back(kl[size_t(m[0].queryIdx)].pt);
            pr.push_back(kr[size_t(m[0].trainIdx)].pt);
        }
        std::vector<uchar> inliers;
        const cv::Mat model =
            pl.size() >= 3 ? cv::estimateAffinePartial2D(pr, pl, inliers) : cv::Mat();
        benchmark::DoNotOptimize(model.data);
        gPlain = Seconds(start);
        gPlainCpu = CpuSeconds(cpu);
        state.counters["matches"] = double(pl.size());
    }
}
BENCHMARK(BM_PlainSiftPipeline)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);
#endif

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (gOurs > 0 && gPlain > 0)
        std::fprintf(stderr,
                     "autoalign: align --do auto %.2f s, plain SIFT pipeline %.2f s, ratio %.3f "
                     "(%u cores); processor time %.2f s against %.2f s, ratio %.3f\n",
                     gOurs, gPlain, gOurs / gPlain, std::thread::hardware_concurrency(), gOursCpu,
                     gPlainCpu, gPlainCpu > 0 ? gOursCpu / gPlainCpu : 0.0);
    return 0;
}
