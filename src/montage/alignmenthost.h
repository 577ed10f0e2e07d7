// The alignment commands' host over the display state: the display window's
// slots, zoom, scroll and redraw, with the Montage window's share as hooks.
#pragma once

#include "montage/alignment.h"

#include <functional>

class tdisplaystate;

// The Montage window fills the hooks it has (information texts, pair
// selection, the dialogs' labels, the reload); an empty hook does nothing.
struct tmontagehooks {
    std::function<bool()> PrecisionMode;
    std::function<void()> AngleInfo;
    std::function<void()> ShiftInfo;
    std::function<void()> ZoomInfo;
    std::function<void(const QString& left, const QString& right)> OrientationCodes;
    std::function<void(const QString& text)> FactorText;
    std::function<void()> ProcessEvents;
    std::function<void(int index)> SelectPair;
    // The Lock buttons' command; without it CurPoint 0 and SelectPair(0).
    std::function<void()> LockPoints;
    std::function<void()> AfterParametersReset;
    // The manual frame set again for a view (the crop commands).
    std::function<void(const timg& view, double h, double w, double left, double top)>
        SetManualFrame;
    // Both views read again from their files after the stereo kind.
    std::function<void()> ReloadViews;
};

class tdisplayalignhost : public talignhost {
public:
    explicit tdisplayalignhost(tdisplaystate& display) : display_(display) {}

    tmontagehooks Hooks;

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

private:
    tdisplaystate& display_;
};
