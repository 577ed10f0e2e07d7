// Manual moves and rotations of the views, the quick rotations with their
// orientation codes, and the "Annulations" commands.
#include "montage/manualmoves.h"

#include "core/runflags.h"
#include "core/settings.h"
#include "core/viewops.h"
#include "montage/alignment.h"
#include "montage/sequencing.h"

double ManualStep(double zoomPercent, bool precision) {
    if (zoomPercent > 100) return precision ? 0.25 : 1;
    return precision ? 1 : 5;
}

void ManualMove(talignhost& host, tmovedirection direction) {
    const double s = ManualStep(host.ZoomPercent(), host.PrecisionMode());
    timg& v = CurrentView(host);
    double px = v.posx;
    double py = v.posy;
    switch (direction) {
    case MoveUp:
        py -= s;
        break;
    case MoveDown:
        py += s;
        break;
    case MoveLeft:
        px -= s;
        break;
    case MoveRight:
        px += s;
        break;
    }
    SetViewPos(host, v, py, px);
    host.Compose();
    host.ShowShiftInfo();
}

void ManualRotate(talignhost& host, int rotationItem, bool clockwise) {
    if (rotationItem < RotateCurrent || rotationItem > RotateHomologous) return;
    Rotate(host, rotationItem, clockwise ? 0 : 2);
}

QString OrientationCode(const timg& view) {
    switch (view.mirror) {
    case MirrorRows:
        return QString::asprintf("%dH", view.autorot);
    case MirrorColumns:
        return QString::asprintf("%dV", view.autorot);
    // Both mirrors are a half turn.
    case MirrorRows | MirrorColumns:
        return QString::asprintf("%d", (view.autorot + 180) % 360);
    default:
        return QString::asprintf("%d", view.autorot);
    }
}

void CancelPairRotation(talignhost& host) {
    gBusy = false;
    host.ShowOrientationCodes(QStringLiteral("0"), QStringLiteral("0"));
    RestoreOrientation(host.Pair().ImgLeft);
    RestoreOrientation(host.Pair().ImgRight);
    host.Compose();
}

void CancelViewRotation(talignhost& host) {
    gBusy = false;
    RestoreOrientation(CurrentView(host));
    const timg& left = host.Pair().ImgLeft;
    const timg& right = host.Pair().ImgRight;
    if (host.LeftIsCurrent())
        host.ShowOrientationCodes(QStringLiteral("0"), OrientationCode(right));
    else
        host.ShowOrientationCodes(OrientationCode(left), QStringLiteral("0"));
    host.Compose();
}

void RunQuickRotation(talignhost& host, int index) {
    if (index == QuickCoupleCancel) return CancelPairRotation(host);
    if (index == QuickViewCancel) return CancelViewRotation(host);

    int pairCode = 0;
    int viewCode = 0;
    switch (index) {
    case QuickCouple90:
        pairCode = TurnQuarterCW;
        break;
    case QuickCouple180:
        pairCode = TurnHalf;
        break;
    case QuickCouple270:
        pairCode = TurnQuarterCCW;
        break;
    case QuickView90:
        viewCode = TurnQuarterCW;
        break;
    case QuickView180:
        viewCode = TurnHalf;
        break;
    case QuickView270:
        viewCode = TurnQuarterCCW;
        break;
    case QuickMirrorRows:
        viewCode = MirrorRows;
        break;
    case QuickMirrorColumns:
        viewCode = MirrorColumns;
        break;
    default:
        return; // a separator runs nothing
    }

    gBusy = false;
    Settings.DefRotationsIndex = index;
    tviewpair& pair = host.Pair();
    if (pairCode != 0)
        TurnPair(pair.ImgLeft, pair.ImgRight, pairCode);
    else
        TurnCurrent(CurrentView(host), viewCode);
    host.ShowOrientationCodes(OrientationCode(pair.ImgLeft), OrientationCode(pair.ImgRight));
    host.Compose();
}

int QuickRotationIndex(int remembered) {
    return BoundMenuIndex(remembered, kQuickRotationCount);
}

void ClearCurrentPoint(talignhost& host) {
    gBusy = false;
    if (CurPoint >= 0 && CurPoint < kPointCount) CurrentView(host).SetPointDefined(CurPoint, false);
    host.Compose();
}

void CancelDisplayMoves(talignhost& host) {
    host.ReapplyZoom();
    host.Compose();
}

void CancelLevelling(talignhost& host) {
    gBusy = false;
    SetViewPos(host, host.Pair().ImgLeft, 0, 0);
    SetViewPos(host, host.Pair().ImgRight, 0, 0);
    host.Compose();
    host.ShowShiftInfo();
}

void RazRotation(talignhost& host, bool both) {
    gBusy = false;
    if (both) {
        for (timg* v : {&host.Pair().ImgLeft, &host.Pair().ImgRight})
            SetViewRotation(host, *v, 0, v->CentreY(), v->CentreX());
    } else {
        timg& v = CurrentView(host);
        SetViewRotation(host, v, 0, v.CentreY(), v.CentreX());
    }
    host.ShowShiftInfo();
    host.Compose();
}

void ResetParameters(talignhost& host) {
    gBusy = false;
    host.ResetViews();
    host.Compose();
    Settings.GridIndex = 0;
    host.AfterParametersReset();
}
