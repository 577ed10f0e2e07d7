// The stereo window: the right view shifted so that a reference pair shows a
// chosen parallax, the calculation modes of that parallax, the cancel command
// and the window tab's slider.
#include "montage/stereowindow.h"

#include "core/runflags.h"
#include "core/settings.h"
#include "display/displaystate.h"
#include "montage/alignment.h"
#include "montage/manualmoves.h"
#include "output/sourceframe.h"

#include <cmath>

namespace {

QPointF PictureCentre(const timg& view) {
    // Integer halves, as the cancel command places them.
    return QPointF(view.Width() / 2, view.Height() / 2);
}

// The picture point of a view shown at a position relative to its slot's
// area: the inverse of the montage position, zoom and scroll.
QPointF PictureAtScreen(const talignhost& host, const timg& v, double rx, double ry) {
    const double z = host.Zoom() == 0 ? 1.0 : host.Zoom();
    const double cx = v.CentreX(), cy = v.CentreY();
    const double c = std::cos(v.rot), s = std::sin(v.rot);
    const double u = z * rx - cx - v.posx - host.ScrollX();
    const double w = z * ry - cy - v.posy - host.ScrollY();
    return QPointF(cx + u * c - w * s, cy + u * s + w * c);
}

} // namespace

void PlaceStereoWindow(talignhost& host, double offset, int windowPair) {
    tviewpair& pair = host.Pair();
    timg& left = pair.ImgLeft;
    timg& right = pair.ImgRight;
    const bool centred = PairUsable(pair, PtStereo0);

    QPointF pl, pr;
    if ((windowPair == PtWin1 || windowPair == PtWin2) && PairUsable(pair, windowPair)) {
        pl = QPointF(left.pt[windowPair].x, left.pt[windowPair].y);
        pr = QPointF(right.pt[windowPair].x, right.pt[windowPair].y);
    } else if (centred) {
        pl = QPointF(left.CentreX(), left.CentreY());
        pr = QPointF(right.CentreX(), right.CentreY());
    } else {
        pl = PictureCentre(left);
        pr = PictureCentre(right);
    }

    double dy = left.posy - right.posy;
    SetViewPos(host, left, 0, 0);
    SetViewPos(host, right, 0, 0);
    if (centred) dy = left.CentreY() - right.CentreY();
    const QPointF mL = MontagePosition(left, pl.x(), pl.y());
    const QPointF mR = MontagePosition(right, pr.x(), pr.y());
    SetViewPos(host, right, dy, mL.x() - mR.x() + offset);

    // The right view's frame keeps its place under the display frame.
    if (right.mancropd) {
        const tmanualframe frame = host.ManualFrame();
        const QPointF origin = PictureAtScreen(host, right, frame.left, frame.top);
        right.mancropl = origin.x();
        right.mancropt = origin.y();
    }

    host.RerunCropMode();
    host.Compose();
    host.ShowWindowSlider(RoundEven(offset));
    host.ShowAutoWindowSize();
    host.ShowShiftInfo();
}

void WindowReferenceSize(const tviewpair& pair, double& width, double& height) {
    width = height = 0;
    const timg& left = pair.ImgLeft;
    if (Settings.AutoCrop) {
        // Without a left picture there is no window to measure.
        if (left.Width() <= 0 || left.Height() <= 0) return;
        const tcommonframe f =
            ComputeSourceFrame(&left, &pair.ImgRight, false, WinRatioH, WinRatioW);
        if (!f.valid) return;
        width = f.width;
        height = f.height;
    } else if (left.mancropd) {
        width = left.mancropw;
        height = left.mancroph;
    }
}

double WindowModeOffset(const tviewpair& pair, int mode, double fraction) {
    double w = 0, h = 0;
    switch (mode) {
    case CalcUserWidth:
        WindowReferenceSize(pair, w, h);
        return w * fraction;
    case CalcFilmHeight:
        WindowReferenceSize(pair, w, h);
        return 1.5 * h * fraction;
    case CalcDigitalHeight:
        WindowReferenceSize(pair, w, h);
        return h * 4 / 3 * fraction;
    case CalcImageWidth:
        return std::abs(pair.ImgLeft.Width()) * fraction;
    default:
        return 0;
    }
}

void RunWindowMode(talignhost& host, int mode) {
    if (mode == CalcCancel) {
        CancelWindowing(host);
        return;
    }
    if (mode < 0 || mode >= kWindowCalcCount) return;
    Settings.DefCalcIndex = mode;
    if (mode == CalcImageWidth) host.ShowWindowSlider(0);
    PlaceStereoWindow(host, WindowModeOffset(host.Pair(), mode));
}

void CancelWindowing(talignhost& host) {
    tviewpair& pair = host.Pair();
    for (timg* v : {&pair.ImgLeft, &pair.ImgRight}) {
        const QPointF c = PictureCentre(*v);
        v->PlacePoint(PtWin2, c.x(), c.y());
    }
    PlaceStereoWindow(host, 0, PtWin2);
}

void SlideWindow(talignhost& host, int from, int to) {
    if (!host.LeftIsCurrent()) host.MakeCurrent(true);
    timg& left = host.Pair().ImgLeft;
    SetViewPos(host, left, left.posy, left.posx + (to - from));
    host.Compose();
    host.ShowShiftInfo();
}

void SlideWindowStep(talignhost& host, bool toRight) {
    if (!host.CropShown()) host.SetAutomaticCrop();
    ManualMove(host, toRight ? MoveRight : MoveLeft);
}
