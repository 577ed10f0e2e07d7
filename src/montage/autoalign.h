// "Calage automatique": the pair aligned from matched details. The matches
// are fitted, the fit becomes the ordinary points C, A1 (and d1, d2 for a
// magnification) and the levelling, magnification and rotation commands run
// on them; the stereo window can then stand at the nearest detail.
#pragma once

#include "montage/verticalfit.h"

#include <QImage>
#include <QString>

#include <vector>

class talignhost;

// The fewest inliers, and the least share of the matches they must be, for
// a fit to be trusted.
constexpr int kMinAutoInliers = 12;
// Turns and magnifications no hand-held pair needs: a fit beyond them is
// refused as unreliable.
constexpr double kMaxAutoTurnDegrees = 20.0;
constexpr double kMaxAutoScaleChange = 0.25;
// A magnification closer to 1 than this is left alone (no d1, d2).
constexpr double kMinAutoScaleChange = 0.001;

// The matching and the fit of two pictures, without changing any view.
struct tpairfit {
    std::vector<tpointmatch> matches;
    trobustfit fit;
    bool fitted = false;
};
tpairfit MatchAndFit(const QImage& left, const QImage& right);

// Why a fit cannot be used; empty when it can.
QString FitRefusal(const tpairfit& pair);

struct tautoresult {
    int matches = 0;
    int inliers = 0;
    // The right view's turn against the left one (counter-clockwise on the
    // screen positive) and the left view's magnification against the right
    // one, both as the pictures were read.
    double rotationDegrees = 0;
    double magnification = 1;
    double rms = 0;
    // The inliers in the views' bitmaps as they are after the alignment, and
    // the bitmaps they belong to.
    std::vector<tpointmatch> inliersNow;
    qint64 leftKey = 0;
    qint64 rightKey = 0;
};

// "auto: N matches, M inliers, rotation R°, magnification K, vertical
// residual RMS E px".
QString AutoResultLine(const tautoresult& r);

// The pair's matching in a worker thread while the host's events keep
// running; false with `error` when the pictures are missing or changed
// meanwhile.
bool MatchPairWaiting(talignhost& host, tpairfit& fit, QString& error);

// Matches the pair, fits it and aligns it through the ordinary points and
// commands. False with `error` ("no reliable matches", ...) and nothing
// changed when the fit cannot be trusted.
bool AutoAlign(talignhost& host, tautoresult& result, QString& error);

// W1 on the nearest robust detail (the largest crossed disparity among the
// inliers, the closest 2 % left out) and the window placed there with no
// parallax. Uses `last` when it belongs to the bitmaps on screen, else
// matches the pair again (and updates `last`). False with `error` when there
// is nothing reliable to stand on.
bool AutoWindow(talignhost& host, tautoresult& last, QString& error);

// The index, among `disparities`, of the nearest robust one: the largest
// after the largest 2 % are left out; -1 when empty.
int NearestRobustIndex(const std::vector<double>& disparities);

// "Calage automatique" of the Montage window: the alignment and the window
// at the nearest detail, with the hour-glass; `line` is the result line or
// the refusal. A second run while one is waiting does nothing (false, empty
// line).
bool RunAutoAlignCommand(talignhost& host, QString& line);
