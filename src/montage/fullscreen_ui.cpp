// Entering and leaving full-screen viewing: the point slot, the marks and the
// windows hidden around the display window.
#include "montage/fullscreen_ui.h"

#include "core/programhooks.h"
#include "core/runflags.h"
#include "core/settings.h"
#include "display/tformmain.h"
#include "montage/programwindows_ui.h"
#include "montage/tformbuild2.h"

namespace {

// The point slot selected before entering, selected again on leaving.
int PointBeforeFullScreen = 0;

} // namespace

void FullScreenLayout() {
    TFormMain* main = AppWindows.FormMain;
    if (!main) return;
    if (AppWindows.FormBuild2) AppWindows.FormBuild2->hide();
    // Hidden, not closed: the magnifier keeps ZoomVisible for the way back.
    if (AppWindows.FormZoom) AppWindows.FormZoom->hide();
    main->EnterFullScreenLayout();
}

void LeaveFullScreenLayout() {
    TFormMain* main = AppWindows.FormMain;
    if (!main) return;
    main->LeaveFullScreenLayout();
    main->show();
    if (AppWindows.FormBuild2) AppWindows.FormBuild2->show();
    if (AppWindows.FormZoom && Settings.ZoomVisible) AppWindows.FormZoom->show();
}

void SwitchFullScreen() {
    TFormMain* main = AppWindows.FormMain;
    if (!main) return;
    TFormBuild2* montage = AppWindows.FormBuild2;
    const bool enter = !main->Display.FullScreen || (montage && montage->isVisible());
    if (enter) {
        if (!main->Display.FullScreen) PointBeforeFullScreen = CurPoint;
        if (montage) montage->SelectPair(0);
        Settings.VisuCurrent = true;
        Settings.GridIndex = 0;
        Settings.ShowGrid = false;
        FullScreenLayout();
        // No pointer tool over the full-screen picture.
        if (montage) montage->SelectPair(13);
    } else {
        Settings.VisuCurrent = false;
        Settings.GridIndex = Settings.DefGridIndex;
        Settings.ShowGrid = true;
        // Placed before shown: the arrangement shows the windows where they go.
        main->LeaveFullScreenLayout();
        // Arranging with any other value would enter full-screen viewing again.
        if (Settings.DesktopType != 0 && Settings.DesktopType != 1) Settings.DesktopType = 0;
        ArrangeDesktop();
        LeaveFullScreenLayout(); // shows them when nothing arranges
        if (montage) montage->SelectPair(PointBeforeFullScreen);
    }
    main->FitAndCompose();
    main->update();
}
