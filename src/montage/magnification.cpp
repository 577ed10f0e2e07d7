// Magnification correction: the ratio of the d1-d2 distances of the two
// views, applied to the current view's picture and recorded in its dz.
#include "montage/magnification.h"

#include "core/runflags.h"
#include "core/viewops.h"
#include "input/picturelimits.h"
#include "montage/alignment.h"

#include <cmath>

namespace {

// The fine step on a scale.
constexpr double kScaleStep = 0.001;

double Distance(const timg& view, bool distanceMode) {
    const QPointF p7 = MontagePosition(view, PtDz1);
    const QPointF p8 = MontagePosition(view, PtDz2);
    const double dx = p8.x() - p7.x();
    const double dy = p8.y() - p7.y();
    const double d = distanceMode ? std::sqrt(dx * dx + dy * dy) : dy;
    return d == 0 ? 1.0 : d;
}

void ShowFactor(talignhost& host) {
    const double scale = CurrentView(host).scale;
    if (scale != 0) host.ShowFactorText(FactorText(scale));
}

// Reducing by the scale keeps a picture that can be held.
bool ReductionAllowed(const timg& view, double scale) {
    if (!(scale > 0) || !std::isfinite(scale)) return false;
    const double w = std::trunc(view.Width() / scale);
    const double h = std::trunc(view.Height() / scale);
    if (view.bitmap.isNull()) return true; // nothing to resample, only points
    return w >= 1 && h >= 1 && w * h <= double(kMaxPicturePixels);
}

} // namespace

void ComputeScales(tviewpair& pair, bool leftCurrent, bool distanceMode) {
    const double dL = Distance(pair.ImgLeft, distanceMode);
    const double dR = Distance(pair.ImgRight, distanceMode);
    pair.ImgLeft.scale = leftCurrent ? dL / dR : 1.0;
    pair.ImgRight.scale = leftCurrent ? 1.0 : dR / dL;
}

QString FactorText(double scale) {
    if (scale == 0) return QString();
    return QString::asprintf("%4.2f", 100 / scale);
}

QString RefusedFactorText(double scale) {
    if (!(scale > 0) || !std::isfinite(scale))
        return QString::asprintf("Correction refusée : facteur %.4f non positif", scale);
    return QString::asprintf("Correction refusée : facteur %.4f, image vide ou trop grande", scale);
}

void ShowMagnification(talignhost& host, bool distanceMode) {
    ComputeScales(host.Pair(), host.LeftIsCurrent(), distanceMode);
    const double scale = CurrentView(host).scale;
    // A factor that "Appliquer" would refuse is shown as such, not as a
    // negative size.
    if (!(scale > 0) || !std::isfinite(scale))
        host.ShowFactorText(RefusedFactorText(scale));
    else
        ShowFactor(host);
    host.LockPoints();
    host.Compose();
}

bool ApplyMagnification(talignhost& host, bool distanceMode) {
    tviewpair& pair = host.Pair();
    // The sign of the factor does not depend on an earlier reduction (points
    // divided by a positive dz), so a wrong one is refused before anything
    // is undone.
    {
        tviewpair probe = pair;
        ComputeScales(probe, host.LeftIsCurrent(), distanceMode);
        const double s = host.LeftIsCurrent() ? probe.ImgLeft.scale : probe.ImgRight.scale;
        if (!(s > 0) || !std::isfinite(s)) {
            host.ShowFactorText(RefusedFactorText(s));
            return false;
        }
    }

    if (pair.ImgLeft.dz != 1 || pair.ImgRight.dz != 1) CancelMagnification(host);
    ComputeScales(pair, host.LeftIsCurrent(), distanceMode);

    timg& current = CurrentView(host);
    const double scale = current.scale;
    bool applied = ReductionAllowed(current, scale);
    // A factor of exactly 1 leaves the picture as read.
    if (applied && scale != 1.0) applied = ReduceView(current, scale);
    if (!applied) {
        pair.ImgLeft.scale = 1.0;
        pair.ImgRight.scale = 1.0;
        host.ShowFactorText(RefusedFactorText(scale));
        host.LockPoints();
        host.Compose();
        return false;
    }
    for (timg* v : {&pair.ImgLeft, &pair.ImgRight}) {
        v->dz = v->scale;
        v->scale = 1.0;
    }
    ShowFactor(host);
    host.LockPoints();
    host.Compose();
    return true;
}

void CancelMagnification(talignhost& host) {
    tviewpair& pair = host.Pair();
    const bool leftWasCurrent = host.LeftIsCurrent();
    for (timg* v : {&pair.ImgLeft, &pair.ImgRight}) {
        // dz is positive wherever it came from: the parameter file refuses
        // any other, and so does the application above.
        if (v->dz == 1 || !(v->dz > 0)) continue;
        if (!ReduceView(*v, 1 / v->dz)) {
            // The enlarged picture could not be held: the reload below brings
            // the picture back from its file, the points must match it.
            for (trealpoint& p : v->pt) {
                p.x *= v->dz;
                p.y *= v->dz;
            }
        }
    }
    for (timg* v : {&pair.ImgLeft, &pair.ImgRight}) {
        v->dz = 1.0;
        v->scale = 1.0;
    }
    ShowFactor(host);
    host.LockPoints();
    host.ReloadViews();
    host.MakeCurrent(leftWasCurrent);
    host.Compose();
}

void CancelGeometry(talignhost& host) {
    gBusy = false;
    CancelMagnification(host);
}

void StepScale(talignhost& host, int step) {
    timg& v = CurrentView(host);
    if (step == 0) {
        v.scale = 1.0;
        host.LockPoints();
        ShowFactor(host);
        host.Compose();
        return;
    }
    // "+" shows the view larger: a smaller reduction factor.
    const double next = step > 0 ? v.scale - kScaleStep : v.scale + kScaleStep;
    if (!(next > 0)) {
        host.ShowFactorText(RefusedFactorText(next));
        return;
    }
    v.scale = next;
    host.SelectPair(0);
    ShowFactor(host);
    host.Compose();
}

bool ApplyZoomCorrection(talignhost& host, bool distanceMode) {
    const bool applied = ApplyMagnification(host, distanceMode);
    host.ShowZoomInfo();
    if (applied) AlignRotation(host);
    return applied;
}

void CancelZoomCorrection(talignhost& host) {
    CancelMagnification(host);
    host.ShowZoomInfo();
    AlignRotation(host);
}
