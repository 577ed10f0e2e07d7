// The choices of the image size dialog of single-output saving.
#pragma once

#include <QSize>
#include <QSizeF>

// ComboBox1's items: "Automatique", then the fixed view sizes.
constexpr int kImageSizeItemCount = 8;
extern const char* const ImageSizeItems[kImageSizeItemCount];

// The view size an item stands for; "Automatique" (item 0, or no item) is
// the automatic output size, each side rounded to the nearest integer.
QSize ImageSizeOfItem(int item, const QSizeF& automatic);
