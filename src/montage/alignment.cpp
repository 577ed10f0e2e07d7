// Point-pair alignment of the two views: montage positions, the shift and
// rotation setters, levelling, "Caler en Rotation" and the rotation primitives.
#include "montage/alignment.h"

#include "core/runflags.h"
#include "core/settings.h"
#include "engine/transform.h"

#include <cmath>

namespace {

// One degree and a tenth of a degree, the steps of the rotation buttons.
constexpr double kDegree = 0.017453292519943295;
constexpr double kTenthDegree = 0.0017453292519943296;

double Length(QPointF v) {
    return std::sqrt(v.x() * v.x() + v.y() * v.y());
}

double Direction(QPointF from, QPointF to) {
    return LineAngle(from.x(), from.y(), to.x(), to.y());
}

// The C-A1 vector of a view on the montage plane.
struct tvector {
    QPointF c;
    QPointF a;
    double len = 0;
    double phi = 0;
};

tvector CentreToA1(const timg& view) {
    tvector v;
    v.c = MontagePosition(view, PtStereo0);
    v.a = MontagePosition(view, PtStereo1);
    v.len = Length(v.a - v.c);
    v.phi = Direction(v.c, v.a);
    return v;
}

// Where a view's point lies on the screen relative to its slot's area; the
// area origin cancels out of every use here.
QPointF ScreenOffset(const talignhost& host, const timg& view, int index) {
    const QPointF m = MontagePosition(view, index);
    return QPointF(m.x() + host.ScrollX(), m.y() + host.ScrollY()) / host.Zoom();
}

// The manual frame keeps its place on the screen while the view moves under it.
void RefreshManualFrame(talignhost& host, const timg& view) {
    const tmanualframe frame = host.ManualFrame();
    if (frame.width != 0 && frame.height != 0)
        host.SetManualFrame(view, view.mancroph, view.mancropw, frame.left, frame.top);
}

} // namespace

void talignhost::LockPoints() {
    CurPoint = 0;
    SelectPair(0);
}

void talignhost::ResetViews() {
    CurPoint = 0;
    PointsLocked = false;
    Pair().ImgLeft.Reset();
    Pair().ImgRight.Reset();
    ReapplyZoom();
    Settings.VisuCurrent = true;
}

timg& CurrentView(talignhost& host) {
    return host.LeftIsCurrent() ? host.Pair().ImgLeft : host.Pair().ImgRight;
}

timg& OtherView(talignhost& host) {
    return host.LeftIsCurrent() ? host.Pair().ImgRight : host.Pair().ImgLeft;
}

bool PairUsable(const tviewpair& pair, int index) {
    if (index < 0 || index >= kPointCount) return false;
    return pair.ImgLeft.pt[index].d && pair.ImgRight.pt[index].d;
}

QPointF MontagePosition(const timg& view, double x, double y) {
    const double c = std::cos(view.rot);
    const double s = std::sin(view.rot);
    const double u = x - view.CentreX();
    const double v = y - view.CentreY();
    return QPointF(view.CentreX() + c * u + s * v + view.posx,
                   view.CentreY() - s * u + c * v + view.posy);
}

QPointF MontagePosition(const timg& view, int pointIndex) {
    return MontagePosition(view, view.pt[pointIndex].x, view.pt[pointIndex].y);
}

void SetViewPos(talignhost& host, timg& view, double py, double px) {
    view.SetPos(py, px);
    RefreshManualFrame(host, view);
}

void SetViewRotation(talignhost& host, timg& view, double angle, double cy, double cx) {
    view.SetRotation(angle, cy, cx);
    RefreshManualFrame(host, view);
    host.ShowAngleInfo();
}

void LevelViews(talignhost& host, timg& view, int index) {
    tviewpair& pair = host.Pair();
    timg& other = (&view == &pair.ImgLeft) ? pair.ImgRight : pair.ImgLeft;
    if (index < 0 || index >= kPointCount) index = 0;

    const QPointF s1 = ScreenOffset(host, view, index);
    view.SetPos(0, 0);
    view.SetRotation(0, view.CentreY(), view.CentreX());
    const QPointF s2 = ScreenOffset(host, view, index);
    host.SetScroll(host.ScrollX() - host.Zoom() * (s2.x() - s1.x()),
                   host.ScrollY() - host.Zoom() * (s2.y() - s1.y()));

    other.SetRotation(0, other.CentreY(), other.CentreX());
    other.SetPos(view.CentreY() - other.CentreY(), view.CentreX() - other.CentreX());
}

void LevelOnCentre(talignhost& host) {
    gBusy = false;
    if (!PairUsable(host.Pair(), PtStereo0)) return;
    LevelViews(host, CurrentView(host), CurPoint);
    host.Compose();
    host.ShowShiftInfo();
}

void AlignRotation(talignhost& host) {
    gBusy = false;
    tviewpair& pair = host.Pair();
    if (!PairUsable(pair, PtStereo0)) return;
    LevelViews(host, CurrentView(host), CurPoint);
    if (!PairUsable(pair, PtStereo1)) {
        host.Compose();
        return;
    }

    const tvector l = CentreToA1(pair.ImgLeft);
    const tvector r = CentreToA1(pair.ImgRight);

    // The view with the shorter vector keeps its orientation and becomes
    // current; turning the longer one can always reach the other's height.
    if (host.LeftIsCurrent() && l.len > r.len)
        host.MakeCurrent(false);
    else if (!host.LeftIsCurrent() && r.len > l.len)
        host.MakeCurrent(true);

    if (host.LeftIsCurrent()) {
        const double alpha = LineAngleLen(r.c.x(), r.c.y(), l.a.x(), l.a.y(), r.len);
        timg& right = pair.ImgRight;
        SetViewRotation(host, right, alpha - r.phi, right.CentreY(), right.CentreX());
    } else {
        const double alpha = LineAngleLen(l.c.x(), l.c.y(), r.a.x(), r.a.y(), l.len);
        timg& left = pair.ImgLeft;
        SetViewRotation(host, left, alpha - l.phi, left.CentreY(), left.CentreX());
    }
    host.Compose();
}

void RotateBy(talignhost& host, int mode, double delta) {
    switch (mode) {
    case RotateCurrent: {
        timg& v = CurrentView(host);
        SetViewRotation(host, v, v.rot + delta, v.CentreY(), v.CentreX());
        break;
    }
    case RotateBoth:
        for (timg* v : {&host.Pair().ImgLeft, &host.Pair().ImgRight})
            SetViewRotation(host, *v, v->rot + delta, v->CentreY(), v->CentreX());
        break;
    case RotateHomologous:
        RotateHomologue(host, delta);
        break;
    default:
        break;
    }
}

void Rotate(talignhost& host, int mode, int step) {
    const double u = host.PrecisionMode() ? kTenthDegree : kDegree;
    double delta = 0;
    switch (step) {
    case 0:
        delta = -u;
        break;
    case 1:
        delta = -5 * u;
        break;
    case 2:
        delta = u;
        break;
    case 3:
        delta = 5 * u;
        break;
    default:
        break;
    }
    RotateBy(host, mode, delta);
    host.Compose();
}

void RotateHomologue(talignhost& host, double delta) {
    tviewpair& pair = host.Pair();
    const tvector l = CentreToA1(pair.ImgLeft);
    const tvector r = CentreToA1(pair.ImgRight);

    const bool rightDrives = l.len >= r.len;
    timg& driver = rightDrives ? pair.ImgRight : pair.ImgLeft;
    timg& follower = rightDrives ? pair.ImgLeft : pair.ImgRight;
    double phiD = rightDrives ? r.phi : l.phi;
    const double lenF = rightDrives ? l.len : r.len;

    SetViewRotation(host, driver, driver.rot + delta, driver.CentreY(), driver.CentreX());
    const tvector d = CentreToA1(driver);

    follower.SetRot(0);
    const tvector f = CentreToA1(follower);
    const double w = f.phi;

    double alpha = LineAngleLen(f.c.x(), f.c.y(), d.a.x(), d.a.y(), lenF);
    double beta = alpha - w;

    while (alpha > kTwoPi) alpha -= kTwoPi;
    if (alpha < 0) alpha += kTwoPi;
    while (phiD > kTwoPi) phiD -= kTwoPi;
    if (phiD < 0) phiD += kTwoPi;

    // When the driver's A1 has crossed to the other side of the vertical, the
    // follower keeps its own side: the same height, mirrored direction.
    const bool alphaRight =
        (alpha >= 0 && alpha <= M_PI / 2) || (alpha >= 3 * M_PI / 2 && alpha <= kTwoPi);
    const bool alphaLeft = alpha > M_PI / 2 && alpha < 3 * M_PI / 2;
    const bool phiLeft = phiD > M_PI / 2 && phiD < 3 * M_PI / 2;
    const bool phiRight = phiD < M_PI / 2 || phiD > 3 * M_PI / 2;
    if ((alphaRight && phiLeft) || (alphaLeft && phiRight)) beta = M_PI - alpha - w;

    SetViewRotation(host, follower, beta, follower.CentreY(), follower.CentreX());
}

void RunRotationDemo(talignhost& host) {
    gBusy = false;
    host.ProcessEvents();
    gBusy = true;
    while (gBusy) {
        Rotate(host, RotateHomologous, 0);
        host.ProcessEvents();
    }
}
