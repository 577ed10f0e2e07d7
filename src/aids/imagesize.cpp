// The image size dialog's choices.
#include "aids/imagesize.h"

#include <cmath>

const char* const ImageSizeItems[kImageSizeItemCount] = {"Automatique", "320*240",  "640*480",
                                                         "800*600",     "1024*768", "1152*864",
                                                         "1280*1024",   "1600*1200"};

QSize ImageSizeOfItem(int item, const QSizeF& automatic) {
    static const QSize fixed[] = {{320, 240},  {640, 480},   {800, 600},  {1024, 768},
                                  {1152, 864}, {1280, 1024}, {1600, 1200}};
    if (item >= 1 && item < kImageSizeItemCount) return fixed[item - 1];
    // Ties go to the even neighbour, as everywhere in the program.
    return {int(std::nearbyint(automatic.width())), int(std::nearbyint(automatic.height()))};
}
