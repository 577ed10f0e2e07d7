// Line orientation: the views turned so that the orientation lines (points 5
// to 6) become parallel, vertical or horizontal.
#include "montage/orientation.h"

#include "core/runflags.h"
#include "engine/transform.h"
#include "montage/alignment.h"

#include <cmath>

double LineDirection(const timg& view) {
    // Unturned, the montage plane only shifts the view, which leaves a
    // direction unchanged.
    const trealpoint& p = view.pt[PtOrient1];
    const trealpoint& q = view.pt[PtOrient2];
    return LineAngle(p.x, p.y, q.x, q.y);
}

void CalOrient(talignhost& host, int mode) {
    gBusy = false;
    timg& left = host.Pair().ImgLeft;
    timg& right = host.Pair().ImgRight;

    SetViewPos(host, left, 0, 0);
    SetViewPos(host, right, left.CentreY() - right.CentreY(), left.CentreX() - right.CentreX());
    SetViewRotation(host, left, 0, left.CentreY(), left.CentreX());
    SetViewRotation(host, right, 0, right.CentreY(), right.CentreX());
    host.Compose();
    host.ProcessEvents();

    const double aL = LineDirection(left);
    const double aR = LineDirection(right);
    auto turn = [&host](timg& v, double angle) {
        SetViewRotation(host, v, angle, v.CentreY(), v.CentreX());
    };

    switch (mode) {
    case OrientVertical:
        // Each line then points straight down the screen, from point 5 to 6.
        turn(left, 3 * M_PI / 2 - aL);
        turn(right, 3 * M_PI / 2 - aR);
        break;
    case OrientHorizontal:
        turn(left, -aL);
        turn(right, -aR);
        break;
    case OrientRightOnLeft:
    case OrientLeftOnRight:
    case OrientHalfway: {
        double d = aL - aR;
        if (mode == OrientHalfway) d /= 2;
        if (mode != OrientRightOnLeft) turn(left, -d);
        if (mode != OrientLeftOnRight) turn(right, d);
        break;
    }
    default:
        break;
    }
    host.Compose();
}
