// The crop modes and the window tab's frame controls over the Montage window:
// the ratio box, the frame button, the three size buttons, the crop popup of
// Ctrl+W and the repeat of the remembered mode.
#pragma once

#include "montage/cropmodes.h"

class TFormBuild2;

class tcropcommands : public tcropcontrols {
public:
    explicit tcropcommands(TFormBuild2& form) : form_(form) {}

    // Fills the ratio box and brings the window tab's frame controls to life.
    void Connect();
    // The crop mode of a menu item; the registry has stored CropIndex.
    void RunMode(int mode) { ApplyCropMode(*this, mode); }
    // The remembered mode run again through its menu item.
    void Rerun();
    // "Découpe automatique" through its menu item.
    void SetAutomatic();
    // The crop modes as a popup at a screen point; the typed frame size is
    // applied once the popup closes.
    void Popup(int x, int y);

    tdisplaystate* Display() override;
    void ShowAutoWindowText(const QString& text) override;
    void ShowFrameSizeFields(const QString& width, const QString& height) override;
    QString FrameWidthField() const override;
    QString FrameHeightField() const override;
    void ShowFrameButton(bool down) override;
    void PressSmoothingButton() override;
    void ToggleMarkers() override;
    void SelectPair(int index) override;
    void PressLockButtons() override;
    void Compose() override;

private:
    TFormBuild2& form_;
};
