// The process-wide JPEG options and their small helpers.
#include "core/jpegdefaults.h"

tjpegoptions JpegDefaults;

void ResetJpegOptions(tjpegoptions& options, bool hSampling, bool vSampling) {
    options = tjpegoptions();
    options.quality = 100;
    options.hSubsampling = hSampling;
    options.vSubsampling = vSampling;
}

int JpegScaleDenominator(int scale) {
    switch (scale) {
    case JpegScaleHalf:
        return 2;
    case JpegScaleQuarter:
        return 4;
    case JpegScaleEighth:
        return 8;
    default:
        return 1;
    }
}
