// The Montage window's command routing: every menu item and button bound to
// the command it runs, and the commands the window carries out itself.
#include "montage/tformbuild2.h"

#include "core/helpfile.h"
#include "core/programhooks.h"
#include "core/runflags.h"
#include "core/settings.h"
#include "display/tformmain.h"
#include "input/tsepardialog.h"
#include "input/viewloader.h"
#include "lists/tformrepopenimg.h"
#include "montage/cropcommands_ui.h"
#include "montage/exchange_ui.h"
#include "montage/flowbar_ui.h"
#include "montage/fullscreen_ui.h"
#include "montage/helpfile_ui.h"
#include "montage/infotexts.h"
#include "montage/listcommands_ui.h"
#include "montage/manualmoves.h"
#include "montage/paramhost_ui.h"
#include "montage/programwindows_ui.h"
#include "montage/taboutbox.h"
#include "montage/tformpt.h"

#include <QActionGroup>
#include <QDialog>
#include <QMenu>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QToolButton>

// ---------------------------------------------------------------- commands

void TFormBuild2::BindCommands() {
    // Remembered submenus: a child stores its position and checks itself.
    auto remembered = [this](const char* menuName, int tsettings::*index, bool bound,
                             std::function<void(int)> run) {
        QMenu* menu = Submenu(QString::fromUtf8(menuName));
        auto* group = new QActionGroup(menu);
        const QList<QAction*> children = menu->actions();
        for (int i = 0; i < children.size(); ++i) {
            QAction* child = children[i];
            if (child->isSeparator()) continue;
            child->setCheckable(true);
            group->addAction(child);
            if (!run) continue;
            handlers_.insert(child, [child, i, index, run] {
                child->setChecked(true);
                if (index) Settings.*index = i;
                run(i);
            });
            connect(child, &QAction::triggered, this, [this, child] { RunAction(child); });
        }
        connect(menu, &QMenu::aboutToShow, this, [this, menu, index, bound] {
            if (index) CheckRemembered(menu, Settings.*index, bound);
        });
    };

    // Commands of parts still to come have no handler: their items stay
    // present and disabled.
    if (AppWindows.FormMain) {
        remembered("MenuFile_Open", &tsettings::DefStereoIndex, true,
                   [this](int i) { OpenCommand(i); });
        Bind("MenuFile_OpenParams", [] { OpenParamsFromMenu(true); });
        Bind("MenuFile_ApplyParams", [] { OpenParamsFromMenu(false); });
        remembered("MenuFile_Extract", &tsettings::DefExtractIndex, false,
                   [this](int i) { ExtractCommand(i); });
    } else {
        remembered("MenuFile_Open", &tsettings::DefStereoIndex, true, nullptr);
        remembered("MenuFile_Extract", &tsettings::DefExtractIndex, false, nullptr);
    }
    remembered("MenuFile_Rotations", &tsettings::DefRotationsIndex, false,
               [this](int i) { RunQuickRotation(host_, i); });
    if (AppWindows.FormMain)
        remembered("MenuFile_Save", &tsettings::DefSaveIndex, true,
                   [this](int i) { SaveCommand(i); });
    else
        remembered("MenuFile_Save", &tsettings::DefSaveIndex, true, nullptr);
    if (Display()) {
        remembered("MenuView_Mode", &tsettings::DefShowIndex, true,
                   [this](int mode) { SetVision(mode); });
        // The preview at the end of the vision modes is the save dialog's.
        handlers_.remove(Action(QStringLiteral("MenuView_Preview")));
    } else {
        remembered("MenuView_Mode", &tsettings::DefShowIndex, true, nullptr);
    }
    crop_ = std::make_unique<tcropcommands>(*this);
    if (Display()) {
        remembered("MenuView_Crop", &tsettings::CropIndex, true,
                   [this](int mode) { crop_->RunMode(mode); });
        crop_->Connect();
    } else {
        remembered("MenuView_Crop", &tsettings::CropIndex, true, nullptr);
    }
    remembered("MenuBuild_CalcWindow", &tsettings::DefCalcIndex, true, nullptr);
    BindStereoWindow();

    // Grid and marks.
    {
        QMenu* grid = Submenu(QStringLiteral("MenuView_Grid"));
        auto* group = new QActionGroup(grid);
        Action(QStringLiteral("MenuView_GridNone"))->setCheckable(true);
        Bind("MenuView_GridNone", [this] { ToggleGrid(); });
        const char* kinds[] = {"MenuView_GridPoints", "MenuView_GridGrid", "MenuView_GridLine"};
        for (int i = 0; i < 3; ++i) {
            Action(QString::fromUtf8(kinds[i]))->setCheckable(true);
            group->addAction(Action(QString::fromUtf8(kinds[i])));
            Bind(kinds[i], [this, i] { SetGrid(i + 1); });
        }
        connect(grid, &QMenu::aboutToShow, this, [this, grid] {
            CheckRemembered(grid, Settings.DefGridIndex, true);
            Action(QStringLiteral("MenuView_GridNone"))->setChecked(Settings.ShowGrid);
        });
    }

    // Montage menu: the steps as tabs.
    Bind("MenuBuild_3pts", [this] { PageControl1->setCurrentIndex(TabPoint); });
    Bind("MenuBuild_Line", [this] {
        if (Settings.ExpertMode) PageControl1->setCurrentIndex(TabOrient);
    });
    Bind("MenuBuild_Manual", [this] {
        if (Settings.ExpertMode) PageControl1->setCurrentIndex(TabHand);
    });
    Bind("MenuBuild_Geometry", [this] { PageControl1->setCurrentIndex(TabGeometry); });
    Bind("MenuBuild_StereoWindow", [this] { PageControl1->setCurrentIndex(TabWindow); });
    Bind("MenuBuild_NextPoint", [this] { NextPair(); });
    BindSave();
    Bind("MenuBuild_EditPoints", [] {
        if (auto* table = qobject_cast<TFormPt*>(AppWindows.FormPt)) table->ShowFromMenu();
    });
    connect(Submenu(QStringLiteral("MenuBuild")), &QMenu::aboutToShow, this, [this] {
        Action(QStringLiteral("MenuBuild_Line"))->setEnabled(Settings.ExpertMode);
        Action(QStringLiteral("MenuBuild_Manual"))->setEnabled(Settings.ExpertMode);
        // The points table is created after this window.
        Action(QStringLiteral("MenuBuild_EditPoints"))
            ->setEnabled(qobject_cast<TFormPt*>(AppWindows.FormPt) != nullptr);
    });

    // Edit.
    Bind("MenuEdit_Stop", [] { gBusy = false; });
    // Lists, slideshow, batch and the pair sorter.
    BindListCommands(
        this, [this](const char* name, std::function<void()> run) { Bind(name, std::move(run)); });
    // Edit: the system clipboard; options of the capture and of the drops.
    Bind("MenuEdit_CutStereo", CutStereo);
    Bind("MenuEdit_CopyStereo", [] { CopyStereo(); });
    Bind("MenuEdit_PasteStereo", PasteStereo);
    Bind("MenuEdit_CutView", CutView);
    Bind("MenuEdit_CopyView", [] { CopyView(); });
    Bind("MenuEdit_PasteView", PasteView);
    Action(QStringLiteral("MenuOptions_CBDHook"))->setCheckable(true);
    Bind("MenuOptions_CBDHook", [] { SetClipboardHook(!Settings.ClipboardHook); });
    Bind("MenuOptions_DragDrop", [] { AskDragDropOptions(); });
    BindAlignment();

    if (TFormMain* main = AppWindows.FormMain) {
        // View commands on the display.
        Bind("MenuEdit_Focus", [this, main] {
            const tviewslot& current = main->GetCurrent();
            if (current.other) main->SetCurrent(*current.other);
            Redraw();
        });
        Bind("MenuFile_Swap", [this, main] {
            main->SwapViews();
            ShowFocusButtons(main->GetCurrent().img);
            ShowColorMaskButtons(main->Display.ColorMask);
            Redraw();
        });
        Bind("MenuFile_ReOpen", [this, main] {
            PageControl1->setCurrentIndex(TabLoad);
            main->ResetViews();
            SelectNoCrop();
            tviewloader& loader = Loader();
            loader.ReloadViews(main->Pair.StereoType);
            Redraw();
            sequencer_.LastPoint = 0;
            Settings.GridIndex = 0;
            PressLockButtons();
        });
        Bind("MenuOptions_MakeStereo", [main] {
            if (auto* dialog = qobject_cast<TSeparDialog*>(AppWindows.SeparDialog)) {
                dialog->SetManualText(QString::number(Settings.OpenSepar));
                dialog->ShowFromMenu(main->Pair);
            }
        });
        Bind("MenuClose_Left", [this] { CloseView(true); });
        Bind("MenuClose_Right", [this] { CloseView(false); });
        Bind("MenuClose_RazAll", [this] { CloseAll(); });
        Bind("MenuRaz_RazAll", [this] { CloseAll(); });
        Bind("MenuView_AutoZoom", [main] { main->FitAndCompose(); });
        Bind("MenuView_Zoom1", [main] { main->Display.ZoomReal(); });
        Bind("MenuView_ZoomMax", [main] { main->Display.ZoomMax(); });
        Bind("MenuView_ZoomIn", [main] { main->Display.ZoomIn(); });
        Bind("MenuView_ZoomOut", [main] { main->Display.ZoomOut(); });
        Bind("MenuColors_Gray", [this] { ConvertToGrey(false); });
        Bind("MenuColors_AllGray", [this] { ConvertToGrey(true); });
        for (QToolButton* b : {ToolButtonLeft, ToolButtonRight}) {
            b->setEnabled(true);
            connect(b, &QToolButton::clicked, this, [this, main, b] {
                main->SetCurrent(main->Display.SlotOf(b == ToolButtonLeft ? &main->ImgLeft()
                                                                          : &main->ImgRight()));
                ShowFocusButtons(main->GetCurrent().img);
                Redraw();
            });
        }
        ToolButtonBlackWhiteGrid->setEnabled(true);
        connect(ToolButtonBlackWhiteGrid, &QToolButton::clicked, this, [this, main] {
            main->Display.MarkerColor = ToolButtonBlackWhiteGrid->isChecked() ? 0x000000 : 0x808000;
            Redraw();
        });

        // Transparency bar.
        auto* transpMenu = findChild<QMenu*>(QStringLiteral("PopupMenu_Transparence"));
        for (QAction* op : transpMenu->actions()) {
            op->setEnabled(true);
            connect(op, &QAction::triggered, this, [this, op] { ApplyTransparency(op, true); });
        }
        auto* transparence = findChild<QToolButton*>(QStringLiteral("ToolButtonTransparence"));
        transparence->setEnabled(true);
        connect(transparence, &QToolButton::clicked, this, [this, transpMenu] {
            QAction* checked = nullptr;
            for (QAction* op : transpMenu->actions())
                if (op->isChecked()) checked = op;
            const int tag = TransparencyToApply(checked ? checked->data().toInt() : -1, TranspMode);
            QAction* add = transpMenu->actions().first();
            if (!checked) {
                ApplyTransparency(add, true);
                return;
            }
            // "Add" between two uses of the chosen operator leaves its check.
            ApplyTransparency(tag == 0 ? add : checked, false);
        });
        for (QToolButton* b : {ToolButtonR, ToolButtonG, ToolButtonB}) {
            b->setEnabled(true);
            connect(b, &QToolButton::clicked, this, [this, main, b] {
                SetMask(MaskWithChannel(main->Display.ColorMask, b->property("tag").toInt(),
                                        b->isChecked()));
            });
        }
        ToolButtonCyanRed->setEnabled(true);
        connect(ToolButtonCyanRed, &QToolButton::clicked, this,
                [this] { SetMask(MaskForCyanRed(ToolButtonCyanRed->isChecked())); });
        ToolButtonInvMask->setEnabled(true);
        connect(ToolButtonInvMask, &QToolButton::clicked, this,
                [this, main] { SetMask(InvertedMask(main->Display.ColorMask)); });
        connect(ScrollBarTransp, &QScrollBar::sliderReleased, this, [this, main] {
            main->Display.Transp1 = ScrollBarTransp->value();
            Redraw();
        });
        connect(ScrollBarTransp2, &QScrollBar::sliderReleased, this, [this, main] {
            main->Display.Transp2 = ScrollBarTransp2->value();
            Redraw();
        });
    }

    // File.
    Bind("MenuFile_Quit", [] {
        if (AppWindows.FormMain) AppWindows.FormMain->close();
    });

    // View: window switches and desktop arrangement.
    Bind("MenuView_Build", [this] { ToggleMontageWindow(); });
    Bind("MenuView_Image", [this] { ToggleDisplayWindow(); });
    Bind("MenuView_Magnifier", [this] { ToggleMagnifier(); });
    Bind("MenuView_ConfigDesktop", [] {
        Settings.DesktopType = 0;
        ArrangeDesktop();
    });
    Bind("MenuView_CurrentDesktop", [] { ArrangeDesktop(); });
    Bind("MenuView_FullScreen", SwitchFullScreen);
    for (const char* n :
         {"MenuView_Build", "MenuView_Image", "MenuView_Magnifier", "MenuView_AdaptAndCenter"})
        Action(QString::fromUtf8(n))->setCheckable(true);
    Bind("MenuView_AdaptAndCenter", [this] {
        Settings.AdaptAndCenter = !Settings.AdaptAndCenter;
        Action(QStringLiteral("MenuView_AdaptAndCenter"))->setChecked(Settings.AdaptAndCenter);
        if (AppWindows.FormMain) AppWindows.FormMain->FitAndCompose();
    });
    connect(Submenu(QStringLiteral("MenuView")), &QMenu::aboutToShow, this,
            [this] { RefreshViewChecks(); });

    // Options.
    auto toggle = [this](const char* name, bool tsettings::*flag) {
        Action(QString::fromUtf8(name))->setCheckable(true);
        Bind(name,
             [this, name, flag] { Settings.*flag = Action(QString::fromUtf8(name))->isChecked(); });
    };
    Action(QStringLiteral("MenuView_Expert"))->setCheckable(true);
    Bind("MenuView_Expert", [this] {
        Settings.ExpertMode = Action(QStringLiteral("MenuView_Expert"))->isChecked();
        ExpertModeChanged();
    });
    Action(QStringLiteral("MenuOptions_Automat"))->setCheckable(true);
    Bind("MenuOptions_Automat", [this] { RunPreset(!Settings.CalAuto); });
    {
        QMenu* config = Submenu(QStringLiteral("MenuOptions_ConfigAutomat"));
        auto* points = new QActionGroup(config);
        const std::pair<const char*, int> counts[] = {{"MenuOptions_NoAutoPoint", 0},
                                                      {"MenuOptions_AutoPoints2", 2},
                                                      {"MenuOptions_AutoPoints3", 3}};
        for (const auto& [name, count] : counts) {
            QAction* a = Action(QString::fromUtf8(name));
            a->setCheckable(true);
            points->addAction(a);
            Bind(name, [a, count] {
                a->setChecked(true);
                Settings.MaxPtsIndex = count;
            });
        }
        Action(QStringLiteral("MenuOptions_CalAuto"))->setCheckable(true);
        Bind("MenuOptions_CalAuto", [this] {
            Settings.CalAuto = Action(QStringLiteral("MenuOptions_CalAuto"))->isChecked();
            PageControl1->setCurrentIndex(TabPoint);
            PressCentreButtons();
            SelectPair(1);
        });
        auto* windowing = new QActionGroup(config);
        const char* modes[] = {"MenuOptions_NoAutoWindow", "MenuOptions_AutoWindowPlane",
                               "MenuOptions_AutoWindowInfinity"};
        for (int i = 0; i < 3; ++i) {
            QAction* a = Action(QString::fromUtf8(modes[i]));
            a->setCheckable(true);
            windowing->addAction(a);
            Bind(modes[i], [this, a, i] {
                a->setChecked(true);
                Settings.DefStereoWindow = i;
                if (i == 0) SelectNoCrop();
            });
        }
        connect(config, &QMenu::aboutToShow, this, [this] { RefreshOptionChecks(); });
    }
    toggle("MenuOptions_Save24bit", &tsettings::Save24bit);
    toggle("MenuOptions_askbeforecreatedir", &tsettings::AskBeforeCreateDir);
    toggle("MenuOptions_ForceModeVisu", &tsettings::VisuLoad);
    toggle("MenuOptions_Visu", &tsettings::VisuStart);
    toggle("MenuOptions_AskbeforeQuit", &tsettings::AskQuit);
    Action(QStringLiteral("MenuOptions_QuickScroll"))->setCheckable(true);
    Bind("MenuOptions_QuickScroll", [this] {
        // The item shows the live scroll-bar behaviour, the negation of the
        // setting; the display reads the setting on every scroll event.
        Settings.ScrollSpeed = !Action(QStringLiteral("MenuOptions_QuickScroll"))->isChecked();
    });
    Action(QStringLiteral("MenuOptions_InverseScrollDirection"))->setCheckable(true);
    Bind("MenuOptions_InverseScrollDirection", [] { Settings.ScrollDir = -Settings.ScrollDir; });
    {
        QMenu* mouse = Submenu(QStringLiteral("MenuOptions_Mouse"));
        auto* group = new QActionGroup(mouse);
        for (const char* n : {"MenuOptions_DefaultMouse", "MenuOptions_InvMouse"}) {
            QAction* a = Action(QString::fromUtf8(n));
            a->setCheckable(true);
            group->addAction(a);
            Bind(n, [this, a] {
                a->setChecked(true);
                Settings.MouseSwap = Action(QStringLiteral("MenuOptions_InvMouse"))->isChecked();
            });
        }
        connect(mouse, &QMenu::aboutToShow, this, [this] { RefreshOptionChecks(); });
    }
    Action(QStringLiteral("MenuOptions_defkeyF2"))->setCheckable(true);
    // The display window takes the next key as the toggle key of this window.
    Bind("MenuOptions_defkeyF2",
         [this] { DefKeyF2 = Action(QStringLiteral("MenuOptions_defkeyF2"))->isChecked(); });
    Action(QStringLiteral("MenuOptions_CBDHook"))->setCheckable(true);
    Bind("MenuOptions_deleteini", [this] { ResetStartupSettings(); });
    Bind("MenuOptions_Jpeg", [] {
        if (QWidget* options = AppWindows.FormOpJpeg) {
            options->show();
            options->raise();
            options->activateWindow();
        }
    });
    Bind("MenuOptions_ImageDirectory", [] {
        if (auto* dialog = qobject_cast<TFormRepOpenImg*>(AppWindows.FormRepOpenImg))
            dialog->exec();
    });
    // The separation dialog is created after this window.
    connect(Submenu(QStringLiteral("MenuOptions")), &QMenu::aboutToShow, this, [this] {
        Action(QStringLiteral("MenuOptions_MakeStereo"))
            ->setEnabled(qobject_cast<TSeparDialog*>(AppWindows.SeparDialog) != nullptr);
        Action(QStringLiteral("MenuOptions_ImageDirectory"))
            ->setEnabled(qobject_cast<TFormRepOpenImg*>(AppWindows.FormRepOpenImg) != nullptr);
    });
    connect(Submenu(QStringLiteral("MenuOptions")), &QMenu::aboutToShow, this,
            [this] { RefreshOptionChecks(); });

    // The language chooser is created after this window.
    Bind("Langue1", [] {
        if (auto* chooser = qobject_cast<QDialog*>(AppWindows.LngForm)) chooser->exec();
    });

    // Help.
    Bind("MenuHelp_Build", [this] { OpenHelpPage(QString::fromUtf8(HelpThreePoints), this); });
    Bind("MenuHelp_Help", [this] { OpenHelpPage(QString::fromUtf8(HelpMainPage), this); });
    Bind("MenuHelp_Faq", [this] { OpenHelpPage(QString::fromUtf8(HelpQuestions), this); });
    Bind("MenuHelp_About", [this] {
        if (auto* box = qobject_cast<TAboutBox*>(AppWindows.AboutBox)) {
            box->exec();
        } else {
            TAboutBox local(this);
            local.exec();
        }
    });

    // Tool bar toggles.
    connect(ToolButtonLissage, &QToolButton::clicked, this, [this] {
        Settings.Smoothing = ToolButtonLissage->isChecked();
        Redraw();
    });
    connect(ToolButtonPrecision, &QToolButton::clicked, this,
            [this] { PrecisionMode = ToolButtonPrecision->isChecked(); });
    connect(ToolButtonTransp, &QToolButton::clicked, this,
            [this] { ToolBarTransparence->setVisible(ToolButtonTransp->isChecked()); });

    // Every item without a command is shown disabled.
    for (auto it = actions_.begin(); it != actions_.end(); ++it) {
        QAction* a = it.value();
        if (a->menu() != nullptr) continue;
        a->setEnabled(handlers_.contains(a));
    }
    for (const char* n : {"MenuView_Colors", "MenuView_Filters", "MenuMode_V2"})
        Action(QString::fromUtf8(n))->setEnabled(false);
}

void TFormBuild2::CheckRemembered(QMenu* menu, int index, bool bound) {
    const QList<QAction*> children = menu->actions();
    // Positions read from a damaged settings file are brought into the menu
    // for every submenu, not only for those that always did.
    (void)bound;
    const int i = BoundMenuIndex(index, static_cast<int>(children.size()));
    if (i < children.size() && !children[i]->isSeparator() && children[i]->isCheckable())
        children[i]->setChecked(true);
}

void TFormBuild2::RefreshOptionChecks() {
    const tsettings& s = Settings;
    auto check = [this](const char* n, bool on) { Action(QString::fromUtf8(n))->setChecked(on); };
    check("MenuView_Expert", s.ExpertMode);
    check("MenuOptions_Visu", s.VisuStart);
    check("MenuOptions_AskbeforeQuit", s.AskQuit);
    check("MenuOptions_QuickScroll", !s.ScrollSpeed);
    check("MenuOptions_InverseScrollDirection", s.ScrollDir != -1);
    check("MenuOptions_ForceModeVisu", s.VisuLoad);
    check("MenuOptions_Save24bit", s.Save24bit);
    check("MenuOptions_askbeforecreatedir", s.AskBeforeCreateDir);
    check("MenuOptions_Automat", s.CalAuto);
    check("MenuOptions_CalAuto", s.CalAuto);
    check("MenuOptions_NoAutoPoint", s.MaxPtsIndex == 0);
    check("MenuOptions_AutoPoints2", s.MaxPtsIndex == 2);
    check("MenuOptions_AutoPoints3", s.MaxPtsIndex == 3);
    check("MenuOptions_NoAutoWindow", s.DefStereoWindow == 0);
    check("MenuOptions_AutoWindowPlane", s.DefStereoWindow == 1);
    check("MenuOptions_AutoWindowInfinity", s.DefStereoWindow == 2);
    check("MenuOptions_CBDHook", s.ClipboardHook);
    check("MenuOptions_defkeyF2", DefKeyF2);
    check("MenuOptions_InvMouse", s.MouseSwap);
    check("MenuOptions_DefaultMouse", !s.MouseSwap);
}

void TFormBuild2::RefreshViewChecks() {
    auto check = [this](const char* n, bool on) { Action(QString::fromUtf8(n))->setChecked(on); };
    check("MenuView_Build", isVisible());
    check("MenuView_Image", AppWindows.FormMain && AppWindows.FormMain->isVisible());
    check("MenuView_Magnifier", AppWindows.FormZoom && AppWindows.FormZoom->isVisible());
    check("MenuView_AdaptAndCenter", Settings.AdaptAndCenter);
}

void TFormBuild2::ExpertModeChanged() {
    PageControl1->setTabVisible(TabOrient, Settings.ExpertMode);
    PageControl1->setTabVisible(TabHand, Settings.ExpertMode);
}

void TFormBuild2::SelectNoCrop() {
    QAction* noCrop = Action(QStringLiteral("MenuView_NoCrop"));
    if (!RunAction(noCrop)) {
        // The crop modes themselves come with the display's crop; the choice
        // is still remembered and shown.
        noCrop->setChecked(true);
        Settings.CropIndex = 0;
    }
}

void TFormBuild2::RunPreset(bool automatic) {
    if (automatic)
        ApplyAutomaticPreset();
    else
        ApplyStepByStepPreset();
    RefreshOptionChecks();
    SelectNoCrop();
    PageControl1->setCurrentIndex(TabPoint);
    PressCentreButtons();
    SelectPair(1);
}

void TFormBuild2::PageControlChange(int index) {
    switch (index) {
    case TabLoad:
        SelectPair(0);
        WriteLabelVisu();
        break;
    case TabPoint:
    case TabOrient:
        PressCentreButtons();
        SelectPair(1);
        break;
    case TabHand:
        SelectPair(0);
        break;
    case TabGeometry:
        ToolButtonD1->setChecked(true);
        SelectPair(7);
        if (auto* first = PageControl1->widget(TabGeometry)
                              ->findChild<QRadioButton*>(QStringLiteral("RadioGroup1Item0")))
            first->setChecked(true);
        break;
    case TabWindow: {
        double w = 0, h = 0;
        ShowAutoWindowSize(w, h);
        ToolButtonW1->click();
        break;
    }
    default:
        break;
    }
    if (index >= 0) Settings.DefPageControlIndex = index;
    if (QWidget* page = PageControl1->widget(index)) page->unsetCursor();
}

void TFormBuild2::SetGrid(int gridIndex) {
    const char* names[] = {"MenuView_GridPoints", "MenuView_GridGrid", "MenuView_GridLine"};
    Action(QString::fromUtf8(names[gridIndex - 1]))->setChecked(true);
    Settings.DefGridIndex = gridIndex;
    Settings.GridIndex = gridIndex;
    Settings.ShowGrid = true;
    SelectPair(CurPoint);
}

void TFormBuild2::ToggleGrid() {
    Settings.ShowGrid = !Settings.ShowGrid;
    Action(QStringLiteral("MenuView_GridNone"))->setChecked(Settings.ShowGrid);
    if (!Settings.ShowGrid) {
        Settings.GridIndex = 0;
        SelectPair(13);
    } else {
        Settings.GridIndex = Settings.DefGridIndex;
        SelectPair(CurPoint);
    }
    Settings.VisuCurrent = !Settings.ShowGrid;
}
