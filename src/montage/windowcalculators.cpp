// The two stereo-window calculators as plain field sets: the rear-windowing
// distance (width x ratio) and the expert infinity distance (MAOFD) with its
// shooting-data relation E = F x B / (D - F).
#include "montage/windowcalculators.h"

#include "core/runflags.h"
#include "core/viewpair.h"
#include "display/displaystate.h"
#include "output/sourceframe.h"

#include <cmath>

namespace {

// Values below this count as zero.
constexpr double kTiny = 0.0001;
// Fallback of an unreadable expert ratio or pixel distance.
constexpr double kExpertFallback = 0.0417;
// Default shooting data: 50 mm focal, 64.5 mm base, 2200 mm to the nearest
// plane, 1.5 mm deviation at infinity, a 36 mm wide sensor.
constexpr double kFocal = 50.0, kBase = 64.5, kNear = 2200.0, kDeviation = 1.5, kSensor = 36.0;
constexpr int kDefaultResolution = 1024;

QString Fixed(double v) {
    return QString::asprintf("%f", v);
}

QString HeightText(int h) {
    return QString::asprintf("Hauteur Image: %d", h);
}

QString ResultText(double pixels, double percent) {
    return QString::asprintf("%f Pixels soit %f °/o de la largeur de l'image", pixels, percent);
}

// A field read with its fallback written back when unreadable or below kTiny.
double ReadOr(QString& field, double fallback, bool tinyFails) {
    bool ok = false;
    const double v = ReadDecimal(field, ok);
    if (ok && !(tinyFails && v < kTiny)) return v;
    field = Fixed(fallback);
    return fallback;
}

} // namespace

double ReadDecimal(const QString& text, bool& ok) {
    QString t = text;
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    const double v = t.toDouble(&ok);
    // "inf" and "nan" are words, not numbers typed in a field.
    if (!ok || !std::isfinite(v)) {
        ok = false;
        return 0;
    }
    return v;
}

twindowsources WindowSources(const tviewpair& pair) {
    twindowsources s;
    const timg& left = pair.ImgLeft;
    const tcommonframe f = ComputeSourceFrame(&left, &pair.ImgRight, false, WinRatioH, WinRatioW);
    // Without a left picture there is no window to measure.
    if (f.valid && left.Width() > 0 && left.Height() > 0) {
        s.autoWidth = f.width;
        s.autoHeight = f.height;
    }
    s.manualDefined = left.mancropd;
    s.manualWidth = left.mancropw;
    s.manualHeight = left.mancroph;
    s.pictureWidth = left.Width();
    s.pictureHeight = left.Height();
    return s;
}

// ---------------------------------------------------------------- rear windowing

void trearwindowing::Defaults(const twindowsources& s) {
    atInfinity = true;
    sizeIndex = SizeAuto;
    width = QString::asprintf("%d", RoundEven(s.autoWidth));
    heightLabel = HeightText(RoundEven(s.autoHeight));
    ratio = QString::asprintf("%.3f", kRatio);
    // The reference width of a 1024-pixel picture.
    distance = Fixed(1024.0 * kRatio);
}

void trearwindowing::Recalculate(const twindowsources& s) {
    switch (sizeIndex) {
    case SizeAuto:
        width = QString::asprintf("%d", RoundEven(s.autoWidth));
        heightLabel = HeightText(RoundEven(s.autoHeight));
        break;
    case SizeManual:
        width = QString::asprintf("%d", s.manualDefined ? RoundEven(s.manualWidth) : 0);
        heightLabel = HeightText(s.manualDefined ? RoundEven(s.manualHeight) : 0);
        break;
    case SizeImage:
        width = QString::asprintf("%d", s.pictureWidth);
        heightLabel = HeightText(s.pictureHeight);
        break;
    default: // the width as typed
        break;
    }
    // A typed ratio never stays: the dialog's ratio, or none at the window.
    ratio = atInfinity ? QString::asprintf("%.3f", kRatio) : QStringLiteral("0.0");
    bool ok = false;
    double w = ReadDecimal(width, ok);
    if (!ok) {
        w = s.pictureWidth;
        width = Fixed(w);
    }
    double r = ReadDecimal(ratio, ok);
    if (!ok) {
        r = kRatio;
        ratio = QString::asprintf("%.3f", r);
    }
    distance = Fixed(w * r);
}

double trearwindowing::DistanceToApply(int pictureWidth) {
    bool ok = false;
    AppliedDistance = ReadDecimal(distance, ok);
    if (!ok) {
        AppliedDistance = pictureWidth * kRatio;
        distance = Fixed(AppliedDistance);
    }
    return AppliedDistance;
}

// ---------------------------------------------------------------- expert

void trearwinexpert::Defaults(int pictureWidth) {
    focal = Fixed(kFocal);
    base = Fixed(kBase);
    distance = Fixed(kNear);
    infinity = Fixed(kDeviation);
    sensorWidth = Fixed(kSensor);
    resolutionIndex = 0;
    imageSize = QString::asprintf("%d", pictureWidth);
    bool ok = false;
    double w = ReadDecimal(imageSize, ok);
    if (!ok) w = kDefaultResolution;
    pixels = Fixed(kDeviation / kSensor * w);
    ratio = QString::asprintf("%.4f", 1.0 / 24);
    result = ResultText(kDeviation / kSensor * w, 100.0 / 24);
    MaofdRatio = 1.0 / 24;
}

void trearwinexpert::ShowCurrentSize(int pictureWidth) {
    if (resolutionIndex != 0) return;
    bool sizeOk = false, pixelsOk = false;
    const double before = ReadDecimal(imageSize, sizeOk);
    const double p = ReadDecimal(pixels, pixelsOk);
    imageSize = QString::asprintf("%d", pictureWidth);
    // Defaults written at start-up, before any picture, hold a distance of
    // 0 pixels, which "Appliquer" would turn into no distance at infinity:
    // the first picture gives them their size.
    if (sizeOk && before == 0 && pixelsOk && p == 0 && pictureWidth > 0) {
        const double d = kDeviation / kSensor * pictureWidth;
        pixels = Fixed(d);
        result = ResultText(d, 100.0 * d / pictureWidth);
    }
}

void trearwinexpert::ChooseResolution(int index, int pictureWidth) {
    if (index < 0 || index >= kResolutionCount) return;
    resolutionIndex = index;
    imageSize = QString::asprintf("%d", index == 0 ? pictureWidth : kResolutions[index - 1]);
    Compute(pictureWidth);
}

void trearwinexpert::Compute(int pictureWidth) {
    ShowCurrentSize(pictureWidth);
    const double e = std::fabs(ReadOr(infinity, kDeviation, false));
    const double s = std::fabs(ReadOr(sensorWidth, kSensor, true));
    bool ok = false;
    double w = std::fabs(ReadDecimal(imageSize, ok));
    if (!ok) {
        w = 0;
        imageSize = QString::asprintf("%d", kDefaultResolution);
    }
    double p = std::fabs(ReadDecimal(pixels, ok));
    if (!ok) p = kExpertFallback;
    double r = std::fabs(ReadDecimal(ratio, ok));
    if (!ok || r <= kTiny) r = kExpertFallback;

    double d = kExpertFallback;
    switch (choice) {
    case ChoiceShooting:
        d = s > kTiny ? e / s : e / kSensor;
        pixels = Fixed(d * w);
        ratio = QString::asprintf("%.4f", d);
        break;
    case ChoicePixels:
        d = w > kTiny ? p / w : p / kDefaultResolution;
        ratio = QString::asprintf("%.4f", d);
        break;
    case ChoiceRatio:
        d = r;
        pixels = QString::asprintf("%.4f", w * r);
        break;
    default:
        break;
    }
    result = ResultText(d * w, d * 100);
    MaofdRatio = d;
}

bool trearwinexpert::ComputeShooting(int pictureWidth) {
    const double f = std::fabs(ReadOr(focal, kFocal, true));
    const double b = std::fabs(ReadOr(base, kBase, true));
    const double dn = std::fabs(ReadOr(distance, kNear, true));
    const double e = std::fabs(ReadOr(infinity, kDeviation, true));
    switch (unknown) {
    case UnknownF:
        if (b + e < kTiny) return false;
        focal = Fixed(e * dn / (b + e));
        break;
    case UnknownB:
        if (f < kTiny) return false;
        base = Fixed(e * (dn - f) / f);
        break;
    case UnknownD:
        if (e < kTiny) return false;
        distance = Fixed((b + e) * f / e);
        break;
    default:
        infinity = Fixed(std::fabs(dn - f) >= kTiny ? b * f / (dn - f) : kDeviation);
        break;
    }
    choice = ChoiceShooting;
    Compute(pictureWidth);
    return true;
}
