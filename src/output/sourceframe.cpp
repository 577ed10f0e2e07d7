// The common source frame: aligned coordinates, intersection of the two
// aligned pictures, manual crop and the ratio constraint.
#include "output/sourceframe.h"

#include "core/timg.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

QPointF ViewToFrame(const timg& view, double x, double y) {
    const double cx = view.CentreX();
    const double cy = view.CentreY();
    const double c = std::cos(view.rot);
    const double s = std::sin(view.rot);
    const double X = x - cx + c * view.posx - s * view.posy;
    const double Y = y - cy + s * view.posx + c * view.posy;
    return {cx + c * X + s * Y, cy - s * X + c * Y};
}

namespace {

// TL, TR, BL, BR of a view's bounds in aligned coordinates; a view without
// pixels stands as four points at the origin.
std::array<QPointF, 4> AlignedCorners(const timg& v) {
    if (v.Width() <= 0 || v.Height() <= 0) return {};
    const double r = v.Width() - 1;
    const double b = v.Height() - 1;
    return {ViewToFrame(v, 0, 0), ViewToFrame(v, r, 0), ViewToFrame(v, 0, b), ViewToFrame(v, r, b)};
}

// Cuts w x h to ratioW : ratioH, trying "keep the height" (A) and "keep the
// width" (B) and taking the one that strays less; a tie keeps the width.
void ApplyRatio(int ratioH, int ratioW, double& width, double& height) {
    const long long w = static_cast<long long>(width);
    const long long h = static_cast<long long>(height);
    // Integer division truncates toward zero like trunc of the real quotient.
    const long long wA = h * ratioW / ratioH;
    const long long hA = wA * ratioH / ratioW;
    const long long dA = std::llabs(w - wA) + std::llabs(h - hA);
    const long long hB = w * ratioH / ratioW;
    const long long wB = hB * ratioW / ratioH;
    const long long dB = std::llabs(w - wB) + std::llabs(h - hB);
    const double k = dB > dA ? double(wA) / ratioW : double(hB) / ratioH;
    width = std::trunc(ratioW * k);
    height = std::trunc(ratioH * k);
}

} // namespace

tcommonframe ComputeSourceFrame(const timg* left, const timg* right, bool manual, int ratioH,
                                int ratioW) {
    tcommonframe f;
    if (!left) return f;
    const timg& r = right ? *right : *left;
    f.valid = true;
    if (manual && left->mancropd && r.mancropd) {
        f.width = left->mancropw;
        f.height = left->mancroph;
        f.left = ViewToFrame(*left, left->mancropl, left->mancropt);
        f.right = ViewToFrame(r, r.mancropl, r.mancropt);
        return f;
    }
    const auto a = AlignedCorners(*left);
    const auto b = AlignedCorners(r);
    const double minX = std::max({a[0].x(), a[2].x(), b[0].x(), b[2].x()});
    const double maxX = std::min({a[1].x(), a[3].x(), b[1].x(), b[3].x()});
    const double minY = std::max({a[0].y(), a[1].y(), b[0].y(), b[1].y()});
    const double maxY = std::min({a[2].y(), a[3].y(), b[2].y(), b[3].y()});
    f.width = std::trunc(maxX - minX + 1);
    f.height = std::trunc(maxY - minY + 1);
    f.left = f.right = QPointF(minX, minY);
    if (ratioH != 0 && ratioW != 0) ApplyRatio(ratioH, ratioW, f.width, f.height);
    return f;
}

void FitToRatio(int a, int b, int sign, double& width, double& height) {
    if (a == 0 || b == 0) return;
    if (sign < 0)
        width = std::trunc(a * (height / b));
    else if (sign > 0)
        height = std::trunc(b * (width / a));
}

void SnapToRatio(int a, int b, double& width, double& height) {
    if (a == 0 || b == 0) return;
    const double keepHeight = height / b;
    const double keepWidth = width / a;
    const double g = std::trunc(a * keepHeight);
    const double k = std::trunc(b * keepWidth);
    const double t =
        std::abs(std::trunc(height) - k) < std::abs(std::trunc(width) - g) ? keepHeight : keepWidth;
    width = std::trunc(a * t);
    height = std::trunc(b * t);
}
