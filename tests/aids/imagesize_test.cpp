// The image size dialog's sizes: the fixed items and the automatic size
// rounded to the nearest integer, ties to even.
#include "aids/imagesize.h"

#include <gtest/gtest.h>

TEST(ImageSizeDialog, EachItemGivesItsViewSize) {
    struct tcase {
        int item;
        QSize size;
    };
    const QSizeF automatic(1000.5, 751.5);
    const tcase cases[] = {{0, {1000, 752}},  {1, {320, 240}},   {2, {640, 480}},
                           {3, {800, 600}},   {4, {1024, 768}},  {5, {1152, 864}},
                           {6, {1280, 1024}}, {7, {1600, 1200}}, {-1, {1000, 752}}};
    for (const tcase& c : cases) EXPECT_EQ(ImageSizeOfItem(c.item, automatic), c.size) << c.item;
    EXPECT_EQ(QString::fromUtf8(ImageSizeItems[6]), "1280*1024");
    EXPECT_EQ(ImageSizeOfItem(0, QSizeF(99.4, 99.6)), QSize(99, 100));
}
