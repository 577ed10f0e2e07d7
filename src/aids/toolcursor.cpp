// The measuring rubber band's geometry, its pointer protocol and its texts.
#include "aids/toolcursor.h"

#include <algorithm>
#include <cmath>

namespace {

// Lines of the measuring cursor run across the whole canvas.
constexpr int kFarEdge = 32767;

} // namespace

void txorlines::XorLine(int x1, int y1, int x2, int y2) {
    const QLine line(x1, y1, x2, y2);
    const int at = Lines.indexOf(line);
    if (at >= 0)
        Lines.remove(at);
    else
        Lines.append(line);
    if (OnChange) OnChange();
}

ttool::ttool(ttoolcanvas* canvas) : Canvas(canvas) {
    Reset();
}

double ttool::Width() const {
    return std::cos(-Angle) * (X2 - X1) - std::sin(-Angle) * (Y2 - Y1);
}

double ttool::Height() const {
    return std::sin(-Angle) * (X2 - X1) + std::cos(-Angle) * (Y2 - Y1);
}

double ttool::Diagonal() const {
    return std::hypot(Width(), Height());
}

namespace {

// The second corner of a rectangle of sides (w, h) along axes turned by a.
void SecondCorner(double x1, double y1, double a, double w, double h, double& x2, double& y2) {
    x2 = x1 + std::cos(a) * w - std::sin(a) * h;
    y2 = y1 + std::sin(a) * w + std::cos(a) * h;
}

} // namespace

void ttool::SetWidth(double w) {
    SecondCorner(X1, Y1, Angle, w, Height(), X2, Y2);
}

void ttool::SetHeight(double h) {
    SecondCorner(X1, Y1, Angle, Width(), h, X2, Y2);
}

void ttool::SetDiagonal(double d) {
    const double d0 = Diagonal();
    if (d0 == 0) return;
    const double k = d / d0;
    SecondCorner(X1, Y1, Angle, Width() * k, Height() * k, X2, Y2);
}

void ttool::Assign(const ttool& other, int flags, double dx, double dy) {
    Tolerance = other.Tolerance;
    MoveAxes = other.MoveAxes;
    RatioW = other.RatioW;
    RatioH = other.RatioH;
    Angle = other.Angle;
    X1 = other.X1 + ((flags & HitLeft) ? dx : 0);
    X2 = other.X2 + ((flags & HitRight) ? dx : 0);
    Y1 = other.Y1 + ((flags & HitTop) ? dy : 0);
    Y2 = other.Y2 + ((flags & HitBottom) ? dy : 0);
}

void ttool::Reset() {
    Tolerance = 10;
    X1 = Y1 = X2 = Y2 = 0;
    HitFlags = HitNone;
    LastX = LastY = 0;
    MoveAxes = 3;
    RatioW = 4;
    RatioH = 3;
    Angle = 0;
    Active = false;
    Shown = false;
}

void ttool::Clear() {
    if (Shown) Erase();
    Reset();
}

void ttool::FromWindow(double& x, double& y) const {
    if (OnFromWindow) OnFromWindow(x, y);
}

void ttool::WindowPoint(int flag, double x, double y, int& wx, int& wy) const {
    if (OnToWindow) OnToWindow(flag, x, y);
    wx = int(std::trunc(x));
    wy = int(std::trunc(y));
}

void ttool::ToAxes(double x, double y, double& u, double& v) const {
    const double dx = x - X1, dy = y - Y1;
    u = std::cos(-Angle) * dx - std::sin(-Angle) * dy;
    v = std::sin(-Angle) * dx + std::cos(-Angle) * dy;
}

int ttool::HitTest(double x, double y) const {
    if (!Shown) return HitNone;
    double u, v;
    ToAxes(x, y, u, v);
    const double w = Width(), h = Height();
    const double left = std::min(0.0, w), right = std::max(0.0, w);
    const double top = std::min(0.0, h), bottom = std::max(0.0, h);
    const double t = Tolerance;
    const bool alongV = v >= top - t && v <= bottom + t;
    const bool alongU = u >= left - t && u <= right + t;
    int hit = HitNone;
    if (alongV && std::abs(u - left) <= t) hit |= HitLeft;
    if (alongV && std::abs(u - right) <= t) hit |= HitRight;
    if (alongU && std::abs(v - top) <= t) hit |= HitTop;
    if (alongU && std::abs(v - bottom) <= t) hit |= HitBottom;
    // A rectangle narrower than the tolerance: the nearer edge wins.
    if ((hit & HitLeft) && (hit & HitRight))
        hit &= std::abs(u - left) <= std::abs(u - right) ? ~HitRight : ~HitLeft;
    if ((hit & HitTop) && (hit & HitBottom))
        hit &= std::abs(v - top) <= std::abs(v - bottom) ? ~HitBottom : ~HitTop;
    if (hit != HitNone) return hit;
    if (u > left && u < right && v > top && v < bottom) return HitInside;
    return HitNone;
}

void ttool::MoveBy(double x, double y) {
    const double dx = x - LastX, dy = y - LastY;
    double du = std::cos(-Angle) * dx - std::sin(-Angle) * dy;
    double dv = std::sin(-Angle) * dx + std::cos(-Angle) * dy;
    if (!(MoveAxes & 1)) du = 0;
    if (!(MoveAxes & 2)) dv = 0;
    const double mx = std::cos(Angle) * du - std::sin(Angle) * dv;
    const double my = std::sin(Angle) * du + std::cos(Angle) * dv;
    Erase();
    X1 += mx;
    X2 += mx;
    Y1 += my;
    Y2 += my;
    Draw();
}

void ttool::ResizeTo(double x, double y) {
    Erase();
    // The edge on the smaller side of each axis is the "left" or "top" one,
    // whichever corner holds it.
    double& left = X1 <= X2 ? X1 : X2;
    double& right = X1 <= X2 ? X2 : X1;
    double& top = Y1 <= Y2 ? Y1 : Y2;
    double& bottom = Y1 <= Y2 ? Y2 : Y1;
    if (HitFlags & HitLeft) left = x;
    if (HitFlags & HitRight) right = x;
    if (HitFlags & HitTop) top = y;
    if (HitFlags & HitBottom) bottom = y;
    Angle = 0;
    Draw();
}

void ttool::Draw() {
    if (!Canvas || !(Shown || Active)) return;
    int ax, ay, bx, by;
    WindowPoint(1, X1, Y1, ax, ay);
    WindowPoint(2, X2, Y2, bx, by);
    Canvas->XorLine(ax, ay, bx, ay);
    Canvas->XorLine(bx, ay, bx, by);
    Canvas->XorLine(bx, by, ax, by);
    Canvas->XorLine(ax, by, ax, ay);
}

void ttool::MouseDown(double x, double y) {
    FromWindow(x, y);
    const int hit = HitTest(x, y);
    if (hit != HitNone) {
        HitFlags = hit;
        Active = true;
        LastX = x;
        LastY = y;
        return;
    }
    HitFlags = HitNone;
    Erase();
    X1 = X2 = x;
    Y1 = Y2 = y;
    Angle = 0;
    Shown = true;
    Draw();
    Active = true;
}

void ttool::MouseMove(double x, double y) {
    if (!Active) return;
    FromWindow(x, y);
    if (HitFlags == HitInside) {
        MoveBy(x, y);
    } else if (HitFlags != HitNone) {
        ResizeTo(x, y);
    } else {
        Erase();
        X2 = x;
        Y2 = y;
        Angle = 0;
        Shown = true;
        // The axis that moved further leads; the other follows at RatioW:RatioH
        // with the leader's sign. Whole multiples of the ratio term keep both
        // sides whole numbers.
        if (std::abs(x - LastX) >= std::abs(y - LastY)) {
            SetHeight(std::nearbyint(Height() / RatioH) * RatioH);
            SetWidth(double(std::lrint(Height()) * RatioW / RatioH));
        } else {
            SetWidth(std::nearbyint(Width() / RatioW) * RatioW);
            SetHeight(double(std::lrint(Width()) * RatioH / RatioW));
        }
        LastX = x;
        LastY = y;
        Draw();
        return;
    }
    LastX = x;
    LastY = y;
}

void ttool::MouseUp(double, double) {
    if (!Active) return;
    Active = false;
    HitFlags = HitNone;
    if (X1 > X2) std::swap(X1, X2);
    if (Y1 > Y2) std::swap(Y1, Y2);
}

ttoolshape ttool::CursorAt(double x, double y) const {
    FromWindow(x, y);
    const int hit = HitTest(x, y);
    const bool l = hit & HitLeft, r = hit & HitRight, t = hit & HitTop, b = hit & HitBottom;
    if ((l && t) || (r && b)) return ttoolshape::SizeFDiag;
    if ((l && b) || (r && t)) return ttoolshape::SizeBDiag;
    if (l || r) return ttoolshape::SizeHorizontal;
    if (t || b) return ttoolshape::SizeVertical;
    if (hit == HitInside) return ttoolshape::Move;
    return ttoolshape::Default;
}

QString ttool::Text(QChar) const {
    return QString::asprintf(" D= %6.5d", int(std::trunc(Diagonal())));
}

void ttoolcursor::Draw() {
    if (!Canvas || !(Shown || Active)) return;
    int ax, ay, bx, by;
    WindowPoint(1, X1, Y1, ax, ay);
    WindowPoint(2, X2, Y2, bx, by);
    Canvas->XorLine(0, ay, kFarEdge, ay);
    Canvas->XorLine(0, by, kFarEdge, by);
    Canvas->XorLine(ax, 0, ax, kFarEdge);
    Canvas->XorLine(bx, 0, bx, kFarEdge);
}

void ttoolcursor::MouseUp(double, double) {
    if (!Active) return;
    Erase();
    Reset();
}

QString ttoolcursor::Text(QChar decimal) const {
    if (!Active) return QString();
    QString d = QString::asprintf("%8.2f", Diagonal());
    d.replace(QLatin1Char('.'), decimal);
    return QString::asprintf(" W= %6.5d / H= %6.5d / D= ", int(std::trunc(Width())),
                             int(std::trunc(Height()))) +
           d;
}
