// Details matched between the two views: features detected and paired on
// reduced copies, each pair then found again at full resolution by local
// correlation and settled to a fraction of a pixel by a local warp fitted to
// the two windows.
#pragma once

#include "montage/verticalfit.h"

#include <QImage>

#include <vector>

struct tmatchoptions {
    // The longest side of the reduced copies the features are found on.
    int detectSide = 1600;
    // Features kept per view.
    int features = 4000;
    // A match is kept when its nearest neighbour is closer than this share
    // of the second nearest.
    double ratio = 0.8;
    // Half the side of the correlation window, in full-resolution pixels.
    int radius = 10;
    // The least normalised correlation of a refined match.
    double minCorrelation = 0.8;
};

struct tmatchstats {
    // Features found in the left and the right reduced copies.
    int leftFeatures = 0;
    int rightFeatures = 0;
    // Matches through the ratio test and the mutual check.
    int coarse = 0;
};

// The matches between two pictures, in full-resolution pixels of each; both
// pictures are read only and may be used by other threads meanwhile. Empty
// when either picture is empty or shows nothing to match.
std::vector<tpointmatch> MatchViews(const QImage& left, const QImage& right,
                                    const tmatchoptions& options = {},
                                    tmatchstats* stats = nullptr);
