// The view record's own operations: reset, points, angle normalisation.
#include "core/timg.h"

const std::array<const char*, kPointCount> PointNames = {
    "courant", "stereo0", "stereo1", "stereo2", "reserve", "orient1", "orient2",
    "dz1",     "dz2",     "win1",    "win2",    "cadre1",  "cadre2",  "reserve"};

void timg::Create() {
    bitmap = QImage();
    filename.clear();
    Reset();
}

void timg::Reset() {
    rot = 0;
    autorot = 0;
    mirror = 0;
    posx = 0;
    posy = 0;
    scale = 1.0;
    dz = 1.0;
    for (int i = 0; i < kPointCount; ++i) ResetPoint(i);
    pt[PtStereo0].x = bitmap.width() / 2.0;
    pt[PtStereo0].y = bitmap.height() / 2.0;
    pt[PtStereo0].d = false;
    mancropl = mancropt = mancropw = mancroph = 0;
    mancropd = false;
}

void timg::ResetPoint(int i) {
    if (i < 0 || i >= kPointCount) return;
    pt[i].x = -1;
    pt[i].y = -1;
    pt[i].d = false;
    pt[i].c = QString::fromUtf8(PointNames[i]);
}

void timg::SetPoint(int i, const trealpoint& p) {
    if (i < 0 || i >= kPointCount) return;
    pt[i].x = p.x;
    pt[i].y = p.y;
    pt[i].d = p.d;
}

trealpoint timg::GetPoint(int i) const {
    trealpoint p;
    if (i < 0 || i >= kPointCount) return p;
    p.x = pt[i].x;
    p.y = pt[i].y;
    p.d = pt[i].d;
    return p;
}

void timg::PlacePoint(int i, double x, double y) {
    if (i < 0 || i >= kPointCount) return;
    pt[i].x = x;
    pt[i].y = y;
    pt[i].d = true;
}

void timg::SetPointDefined(int i, bool flag) {
    if (i < 0 || i >= kPointCount) return;
    pt[i].d = flag;
}

void timg::SetRot(double a) {
    // One correction each way only: stored files and callers rely on 4 pi
    // staying 2 pi rather than folding to 0.
    if (a >= kTwoPi) a -= kTwoPi;
    if (a < 0) a += kTwoPi;
    rot = a;
}

void timg::SetRotation(double a, double cy, double cx) {
    SetCentreX(cx);
    SetCentreY(cy);
    SetRot(a);
}

void timg::SetPos(double py, double px) {
    posx = px;
    posy = py;
}

tbounds timg::GetBounds() {
    bounds = {0, 0, bitmap.width() - 1, bitmap.height() - 1};
    return bounds;
}

QImage NewViewBitmap(int width, int height) {
    return QImage(width, height, QImage::Format_ARGB32);
}
