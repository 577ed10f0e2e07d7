// The display window as the loading code sees it: the pair, the slot and
// scroll changes of an installed picture, redraws, the open dialog and the
// user's messages.
#pragma once

#include "input/displayhost.h"

#include <functional>

class TFormMain;

class tformmainhost : public tdisplayhost {
public:
    explicit tformmainhost(TFormMain& form) : form_(form) {}

    // What other windows do on the loader's behalf; each may stay empty.
    std::function<void()> OnRefreshSaveSizes;
    std::function<void()> OnShowFirstMontageTab;
    std::function<void(timg& view, double factor)> OnReduceView; // else the plain reduction
    std::function<void()> OnReadParameterFile;

    void ShowMessage(const QString& text) override;
    void BeginBusy() override;
    void EndBusy() override;

    tviewpair& Pair() override;
    void SetColorMask(quint32 mask) override;
    void SetTransp1(int value) override;
    void ResetSlot(const timg& view) override;
    void MakeCurrent(const timg& view) override;
    void SetScrollRanges(int width, int height) override;
    QSize DisplayArea(const timg& view) const override;
    void CentreOnArea(const timg& view) override;
    void SetDisplayCentre(const timg& view, double x, double y) override;
    void Redraw() override;
    void Recompose() override;
    void RefreshCaption() override;
    void RefreshSaveSizes() override;
    void ShowFirstMontageTab() override;
    QStringList AskOpenPictures(const QString& title, const QString& folder,
                                const QString& fileName, bool multiSelect) override;
    void ReduceView(timg& view, double factor) override;
    void ReadParameterFile() override;

private:
    TFormMain& form_;
};
