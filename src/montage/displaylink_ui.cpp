// How the display window's pointer and keys reach the Montage window: the
// pointer hooks and the display commands, set by the Montage window.
#include "montage/displaylink_ui.h"

#include "core/helpfile.h"
#include "display/tformmain.h"
#include "montage/alignment.h"
#include "montage/cropcommands_ui.h"
#include "montage/exchange_ui.h"
#include "montage/fullscreen_ui.h"
#include "montage/helpfile_ui.h"
#include "montage/tformbuild2.h"

#include <QTabWidget>

namespace {

void RunDisplayCommand(TFormMain& main, TFormBuild2* b, tdisplaycommand c) {
    auto run = [b](const char* name) { b->RunAction(b->Action(QString::fromUtf8(name))); };
    // The popup menus open over the middle of the display window.
    const QPoint middle = main.mapToGlobal(QPoint(main.width() / 2, main.height() / 2));
    switch (c) {
    case tdisplaycommand::CopyStereo:
        return run("MenuEdit_CopyStereo");
    case tdisplaycommand::SwapViews:
        return run("MenuFile_Swap");
    case tdisplaycommand::RepeatOpen:
        return b->MenuFile_OpenCurrentMenu();
    case tdisplaycommand::ShowGrid:
        return run("MenuView_GridNone");
    case tdisplaycommand::NextPair:
        return b->NextPair();
    case tdisplaycommand::OpenList:
        return run("MenuFile_OpenList");
    case tdisplaycommand::NextListEntry:
        return run("MenuFile_Next");
    case tdisplaycommand::SaveParams:
        return run("MenuSave_Params");
    case tdisplaycommand::RepeatRotation:
        return b->MenuFile_RotationsCurrentMenu();
    case tdisplaycommand::RepeatSave:
        return b->MenuFile_SaveCurrentMenu();
    case tdisplaycommand::SaveDialog:
        return run("MenuSave_Multi");
    case tdisplaycommand::PopupVision:
        return b->PopupVisionMenu(middle.x(), middle.y());
    case tdisplaycommand::PasteStereo:
        return run("MenuEdit_PasteStereo");
    case tdisplaycommand::PopupCrop:
        return b->PopupCropMenu(middle.x(), middle.y());
    case tdisplaycommand::CutStereo:
        return run("MenuEdit_CutStereo");
    case tdisplaycommand::AlignRotation:
        return AlignRotation(b->AlignHost());
    case tdisplaycommand::ArrangeDefault:
        return run("MenuView_ConfigDesktop");
    case tdisplaycommand::ToggleMontage:
        return run("MenuView_Build");
    case tdisplaycommand::Help:
        return OpenHelpPage(QString::fromUtf8(HelpMainPage), &main);
    case tdisplaycommand::ToggleDisplay:
        return run("MenuView_Image");
    case tdisplaycommand::ToggleMagnifier:
        return run("MenuView_Magnifier");
    case tdisplaycommand::ArrangeCurrent:
        return run("MenuView_CurrentDesktop");
    case tdisplaycommand::FullScreen:
        return run("MenuView_FullScreen");
    case tdisplaycommand::AutoWindow:
        return ComputeAutoWindow(b->Crop(), 0, 0);
    case tdisplaycommand::FullScreenLayout:
        return FullScreenLayout();
    default:
        return;
    }
}

} // namespace

void LinkDisplayToMontage(TFormMain& main, TFormBuild2& montage) {
    TFormBuild2* b = &montage;
    tpointerhooks& h = main.Pointer.Hooks;
    h.SelectPair = [b](int index) { b->SelectPair(index); };
    h.AdvanceAfterPair = [b] { b->AdvanceAfterPair(); };
    h.PlaceCurrentPoint = [b](timg& view, double x, double y) { b->PlaceCurrentPoint(view, x, y); };
    h.ShowSelectedPair = [b] {
        b->ShowSelectedPair();
        b->update();
    };
    h.ShowShiftInfo = [b] {
        b->ShowShiftInfo();
        b->update();
    };
    h.ActiveTab = [b] { return b->PageControl1 ? b->PageControl1->currentIndex() : int(TabLoad); };
    h.SetActiveTab = [b](int tab) {
        if (b->PageControl1) b->PageControl1->setCurrentIndex(tab);
    };
    h.SetViewRotation = [b](timg& view, double angle, double cy, double cx) {
        SetViewRotation(b->AlignHost(), view, angle, cy, cx);
    };
    main.OnMontageCommand = [&main, b](tdisplaycommand c) { RunDisplayCommand(main, b, c); };
    ConnectDrops(main, montage);
    // Gone, the Montage window answers nothing more.
    QObject::connect(&montage, &QObject::destroyed, &main, [&main] {
        tpointerhooks& h = main.Pointer.Hooks;
        h.SelectPair = nullptr;
        h.AdvanceAfterPair = nullptr;
        h.PlaceCurrentPoint = nullptr;
        h.ShowSelectedPair = nullptr;
        h.ShowShiftInfo = nullptr;
        h.ActiveTab = nullptr;
        h.SetActiveTab = nullptr;
        h.SetViewRotation = nullptr;
        main.OnMontageCommand = nullptr;
    });
}
