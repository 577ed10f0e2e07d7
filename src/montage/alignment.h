// Point-pair alignment of the two views: montage positions, the shift and
// rotation setters, levelling, "Caler en Rotation" and the rotation primitives.
#pragma once

#include "core/viewpair.h"

#include <QPointF>
#include <QString>

#include <functional>

// The display's manual crop frame (screen pixels); no frame while its width
// or height is 0.
struct tmanualframe {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

// What the alignment commands need of the display and the Montage window.
// The windows implement it over their state; the command line and the tests
// use tplaindisplay. Every command is a plain function over this host, so the
// buttons, the display's keys and the command line run the same code.
class talignhost {
public:
    virtual ~talignhost() = default;

    virtual tviewpair& Pair() = 0;

    // The view single-view commands act on.
    virtual bool LeftIsCurrent() const = 0;
    // Makes the slot of the left or the right view current (the focus
    // buttons and the magnifier follow).
    virtual void MakeCurrent(bool left) = 0;

    // Picture pixels per screen pixel, and the display scroll offsets.
    virtual double Zoom() const = 0;
    virtual double ScrollX() const = 0;
    virtual double ScrollY() const = 0;
    virtual void SetScroll(double x, double y) = 0;
    // The display zoom in percent (above 100 the display is enlarged).
    virtual double ZoomPercent() const { return 100.0 / Zoom(); }
    // Fine steps for rotations and moves ("Précision").
    virtual bool PrecisionMode() const = 0;

    // The manual crop frame and its refresh for a view that moved under it.
    virtual tmanualframe ManualFrame() const { return {}; }
    virtual void SetManualFrame(const timg& /*view*/, double /*height*/, double /*width*/,
                                double /*left*/, double /*top*/) {}

    // Redraw and the Montage window's information texts.
    virtual void Compose() {}
    virtual void ShowAngleInfo() {}
    virtual void ShowShiftInfo() {}
    virtual void ShowZoomInfo() {}
    // Quarter-turn codes of the load tab (SpeedButton1, SpeedButton2).
    virtual void ShowOrientationCodes(const QString& /*left*/, const QString& /*right*/) {}
    // The factor label of the magnification dialog.
    virtual void ShowFactorText(const QString& /*text*/) {}

    // Lets pending window events run (the demo loop, the orientation commands).
    virtual void ProcessEvents() {}

    // Pair selection of the Montage window; LockPoints is what a Lock button
    // does: CurPoint 0, the Lock buttons down, SelectPair(0).
    virtual void SelectPair(int /*index*/) {}
    virtual void LockPoints();

    // The display zoom applied again at its current value (recentres the views).
    virtual void ReapplyZoom() {}
    // Both views' parameters reset, pictures kept (with the display's share:
    // zoom applied again, crop display off).
    virtual void ResetViews();
    // The Montage window's own share of "Réinitialiser les paramètres...":
    // LastPoint 0 and the Lock buttons pressed.
    virtual void AfterParametersReset() {}

    // Both views read again from their files after the stereo kind, keeping
    // their parameters.
    virtual void ReloadViews() = 0;
    // Runs the remembered crop mode (CropIndex) again.
    virtual void RerunCropMode() {}
    // Switches the crop mode to "Découpe automatique".
    virtual void SetAutomaticCrop() {}
};

// A display without a window: the current view, zoom 1 and no scroll unless
// set. The command line and the tests drive the alignment through it.
class tplaindisplay : public talignhost {
public:
    explicit tplaindisplay(tviewpair& pair) : pair_(pair) {}

    bool LeftCurrent = true;
    double ZoomValue = 1.0;
    double Scroll[2] = {0, 0};
    bool Precision = false;
    // The reload of both views; nothing happens while it is empty.
    std::function<void()> Reload;

    tviewpair& Pair() override { return pair_; }
    bool LeftIsCurrent() const override { return LeftCurrent; }
    void MakeCurrent(bool left) override { LeftCurrent = left; }
    double Zoom() const override { return ZoomValue; }
    double ScrollX() const override { return Scroll[0]; }
    double ScrollY() const override { return Scroll[1]; }
    void SetScroll(double x, double y) override {
        Scroll[0] = x;
        Scroll[1] = y;
    }
    bool PrecisionMode() const override { return Precision; }
    void ReloadViews() override {
        if (Reload) Reload();
    }

private:
    tviewpair& pair_;
};

timg& CurrentView(talignhost& host);
timg& OtherView(talignhost& host);

// A pair is usable when its point is placed in both views.
bool PairUsable(const tviewpair& pair, int index);

// Where picture point (x, y) of the view lies on the common montage plane:
// turned by -rot about pt[1], then shifted by (posx, posy).
QPointF MontagePosition(const timg& view, double x, double y);
QPointF MontagePosition(const timg& view, int pointIndex);

// The shift and rotation setters of every alignment command: the view
// changes, the manual frame keeps its place on the screen, and the rotation
// setter rewrites the angle text.
void SetViewPos(talignhost& host, timg& view, double py, double px);
void SetViewRotation(talignhost& host, timg& view, double angle, double cy, double cx);

// Levelling on pair 1: both rotations 0, `view` unshifted and the other view
// shifted so that the two C points meet; the scroll keeps `view`'s point
// `index` still on the screen.
void LevelViews(talignhost& host, timg& view, int index);

// "Niveller ": levelling on the C pair; nothing without it.
void LevelOnCentre(talignhost& host);
// "Caler en Rotation": levels, then turns the view with the longer C-A1
// vector so that both A1 points stand at the same height.
void AlignRotation(talignhost& host);

// Rotation modes of RotateBy and Rotate.
enum RotationMode { RotateCurrent = 0, RotateBoth = 1, RotateHomologous = 2 };

void RotateBy(talignhost& host, int mode, double delta);
// One step of 1 degree (0.1 with the precision mode): step 0 clockwise, 1
// five steps clockwise, 2 counter-clockwise, 3 five steps counter-clockwise.
void Rotate(talignhost& host, int mode, int step);
// One view turned by delta, the other following so that the A1 pair keeps
// the same height.
void RotateHomologue(talignhost& host, double delta);

// "Demo rotation homologue": clockwise homologue steps until gBusy is cleared
// (Stop or any alignment command, run from the pending events).
void RunRotationDemo(talignhost& host);
