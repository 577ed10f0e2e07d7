// The display and the Montage window as the alignment commands see them: the
// views, the current slot, zoom and scroll, the information texts and the
// pair buttons.
#pragma once

#include "montage/alignment.h"

class TFormBuild2;

class tmontagehost : public talignhost {
public:
    explicit tmontagehost(TFormBuild2& form) : form_(form) {}

    tviewpair& Pair() override;
    bool LeftIsCurrent() const override;
    void MakeCurrent(bool left) override;
    double Zoom() const override;
    double ScrollX() const override;
    double ScrollY() const override;
    void SetScroll(double x, double y) override;
    double ZoomPercent() const override;
    bool PrecisionMode() const override;
    tmanualframe ManualFrame() const override;
    void SetManualFrame(const timg& view, double height, double width, double left,
                        double top) override;

    void Compose() override;
    void ShowAngleInfo() override;
    void ShowShiftInfo() override;
    void ShowZoomInfo() override;
    void ShowOrientationCodes(const QString& left, const QString& right) override;
    void ShowFactorText(const QString& text) override;
    void ProcessEvents() override;
    void SelectPair(int index) override;
    void LockPoints() override;
    void ReapplyZoom() override;
    void ResetViews() override;
    void AfterParametersReset() override;
    void ReloadViews() override;
    bool CropShown() const override;
    void ShowWindowSlider(int position) override;
    void ShowAutoWindowSize() override;
    void RerunCropMode() override;
    void SetAutomaticCrop() override;

private:
    TFormBuild2& form_;
    // Used only while the display window does not exist (never in the program).
    tviewpair spare_;
};
