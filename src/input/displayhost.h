// What loading needs from the display window: the pair on screen, the
// display state it resets, the open-picture dialog and the redraws. The
// display window implements it; tests fake it.
#pragma once

#include "core/viewpair.h"
#include "input/userreport.h"

#include <QSize>
#include <QString>
#include <QStringList>

class tdisplayhost : public tuserreport {
public:
    // ImgLeft, ImgRight, StereoType and ImageInfo.
    virtual tviewpair& Pair() = 0;

    // Display state set when views are replaced: `ColorMask` (pixel-mask
    // layout) and the transparency `Transp1`.
    virtual void SetColorMask(quint32 mask) = 0;
    virtual void SetTransp1(int value) = 0;

    // The view's display slot back to its start values.
    virtual void ResetSlot(const timg& view) = 0;
    // The view's slot becomes the current one.
    virtual void MakeCurrent(const timg& view) = 0;
    // Scroll ranges -width..width and -height..height, then lay out again.
    virtual void SetScrollRanges(int width, int height) = 0;
    // Size of the area the view is shown in, in screen pixels.
    virtual QSize DisplayArea(const timg& view) const = 0;
    // Re-centre the display on the area's centre (a picture larger than it).
    virtual void CentreOnArea(const timg& view) = 0;
    // Put the display centre on a picture point.
    virtual void SetDisplayCentre(const timg& view, double x, double y) = 0;

    // Mark for redraw and redraw; recompose the pair; rebuild the caption.
    virtual void Redraw() = 0;
    virtual void Recompose() = 0;
    virtual void RefreshCaption() = 0;
    // The save dialog recomputes its sizes; the Montage window shows its first tab.
    virtual void RefreshSaveSizes() = 0;
    virtual void ShowFirstMontageTab() = 0;

    // The open-picture dialog (hide read-only, path and file must exist,
    // resizable) with the picture filter; the chosen files, none when cancelled.
    virtual QStringList AskOpenPictures(const QString& title, const QString& folder,
                                        const QString& fileName, bool multiSelect) = 0;

    // The view reduced to 1/factor of its size, points divided alike.
    virtual void ReduceView(timg& view, double factor) = 0;
    // The parameter-file reader takes over a reload of kind 10.
    virtual void ReadParameterFile() = 0;
};
