// The stereo display window, the program's main window: it owns the two views
// and shows the aligned pair.
#pragma once

#include "core/viewpair.h"

#include <QWidget>

class TFormMain : public QWidget {
    Q_OBJECT
public:
    TFormMain();

    // The pair on screen: ImgLeft, ImgRight, StereoType, ImageInfo.
    tviewpair Pair;
    timg& ImgLeft() { return Pair.ImgLeft; }
    timg& ImgRight() { return Pair.ImgRight; }

    void UpdateCaption();

protected:
    void closeEvent(QCloseEvent* event) override;
};
