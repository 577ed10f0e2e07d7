// The Montage window's command routing: every menu item and button bound to
// the command it runs, and the commands the window carries out itself.
#include "montage/tformbuild2.h"

#include "aids/tformzoom.h"
#include "core/desktoplayout.h"
#include "core/helpfile.h"
#include "core/helpfile_ui.h"
#include "core/programhooks.h"
#include "core/qimageview.h"
#include "core/runflags.h"
#include "core/settings.h"
#include "display/displaystate.h"
#include "display/tformmain.h"
#include "engine/bitmapops.h"
#include "input/pictureload.h"
#include "input/tsepardialog.h"
#include "input/viewloader.h"
#include "lists/tformrepopenimg.h"
#include "montage/displaylink_ui.h"
#include "montage/imagehandoff.h"
#include "montage/infotexts.h"
#include "montage/magnification.h"
#include "montage/mainmenu.h"
#include "montage/manualmoves.h"
#include "montage/orientation.h"
#include "montage/paramhost_ui.h"
#include "montage/programwindows_ui.h"
#include "montage/taboutbox.h"
#include "montage/tformgeometry.h"
#include "montage/windowlist_ui.h"
#include "output/savepass.h"
#include "output/sourceframe.h"

#include <QActionGroup>
#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <QWheelEvent>

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
    remembered("MenuFile_Save", &tsettings::DefSaveIndex, true, nullptr);
    if (Display()) {
        remembered("MenuView_Mode", &tsettings::DefShowIndex, true,
                   [this](int mode) { SetVision(mode); });
        // The preview at the end of the vision modes is the save dialog's.
        handlers_.remove(Action(QStringLiteral("MenuView_Preview")));
    } else {
        remembered("MenuView_Mode", &tsettings::DefShowIndex, true, nullptr);
    }
    remembered("MenuView_Crop", &tsettings::CropIndex, true, nullptr);
    remembered("MenuBuild_CalcWindow", &tsettings::DefCalcIndex, true, nullptr);

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
    Bind("MenuSave_Params", [this] {
        PageControl1->setCurrentIndex(TabSave);
        SaveParamsFromMenu();
    });
    connect(Submenu(QStringLiteral("MenuBuild")), &QMenu::aboutToShow, this, [this] {
        Action(QStringLiteral("MenuBuild_Line"))->setEnabled(Settings.ExpertMode);
        Action(QStringLiteral("MenuBuild_Manual"))->setEnabled(Settings.ExpertMode);
    });

    // Edit.
    Bind("MenuEdit_Stop", [] { gBusy = false; });
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

void TFormBuild2::ToggleMontageWindow() {
    if (isVisible()) {
        hide();
        return;
    }
    QSize screen(1280, 1024);
    if (QScreen* s = QGuiApplication::primaryScreen()) screen = s->size();
    move(PullOntoScreen(frameGeometry(), screen.width(), screen.height()));
    show();
    raise();
    if (Settings.ZoomVisible && AppWindows.FormZoom) AppWindows.FormZoom->raise();
}

void TFormBuild2::ToggleDisplayWindow() {
    QWidget* main = AppWindows.FormMain;
    if (!main) return;
    if (!main->isMinimized()) {
        main->showMinimized();
        return;
    }
    QSize screen(1280, 1024);
    if (QScreen* s = QGuiApplication::primaryScreen()) screen = s->size();
    QRect r = main->geometry();
    if (r.left() > screen.width() / 2) r.moveLeft(0);
    if (r.top() > screen.height() / 2) r.moveTop(0);
    r.setWidth(std::max(r.width(), 100));
    r.setHeight(std::max(r.height(), 100));
    main->setGeometry(r);
    main->showNormal();
}

void TFormBuild2::ToggleMagnifier() {
    QWidget* zoom = AppWindows.FormZoom;
    if (!zoom) return;
    if (zoom->isVisible()) {
        zoom->hide();
        Settings.ZoomVisible = false;
        return;
    }
    QSize screen(1280, 1024);
    if (QScreen* s = QGuiApplication::primaryScreen()) screen = s->size();
    zoom->move(PullOntoScreen(zoom->frameGeometry(), screen.width(), screen.height()));
    zoom->show();
    zoom->raise();
    Settings.ZoomVisible = true;
}

void TFormBuild2::ResetStartupSettings() {
    ResetSettings(SettingsFile());
    LoadSettings(Settings, AppWindowList(), AppSettingsEnv());
    RunAction(Action(QStringLiteral("MenuMode_P")));
    Settings.DesktopType = 0;
    ArrangeDesktop();
}

void TFormBuild2::HandOffToImageProgram() {
    timagehandoff h;
    h.programFolder = QCoreApplication::applicationDirPath();
    h.settingsFolder = SettingsFolder();
    h.warn = [this](const QString& text) {
        QMessageBox::warning(this, QString(), text, QMessageBox::Ok);
    };
    if (TFormMain* main = AppWindows.FormMain) {
        // Until the save dialog offers its size fields, the views are handed
        // over at the size of their common frame.
        h.writeViews = [main](const QString& left, const QString& right) {
            const int manual = Settings.AutoCrop ? 0 : 1;
            const bool l =
                RenderKind(main->Pair, left, KindLeft, manual, 0, 0, 0, Settings.Save24bit);
            const bool r =
                RenderKind(main->Pair, right, KindRight, manual, 0, 0, 0, Settings.Save24bit);
            return l && r;
        };
    }
    h.launch = [](const QString& exe, const QStringList& args, const QString& folder) {
        return QProcess::startDetached(exe, args, folder);
    };
    RunImageHandOff(h);
}

void TFormBuild2::Redraw() {
    if (AppWindows.FormMain) AppWindows.FormMain->Compose();
}

tdisplaystate* TFormBuild2::Display() const {
    return AppWindows.FormMain ? &AppWindows.FormMain->Display : nullptr;
}

void TFormBuild2::ConnectDisplay() {
    TFormMain* main = AppWindows.FormMain;
    if (!main) return;
    tdisplayhooks& h = main->Display.Hooks;
    h.CurrentChanged = [this](const tviewslot& current) {
        ShowFocusButtons(current.img);
        ShowShiftInfo();
        // The magnifier names the view it follows.
        if (auto* zoom = qobject_cast<TFormZoom*>(AppWindows.FormZoom)) zoom->ZoomLabel(current);
    };
    h.ZoomText = [this](const QString& text) { EditZoom->setText(text); };
    h.WindowFrameSize = [this](int height, int width) {
        findChild<QLineEdit*>(QStringLiteral("EditWinH"))->setText(QString::number(height));
        findChild<QLineEdit*>(QStringLiteral("EditWinW"))->setText(QString::number(width));
    };
    h.ColorMaskChanged = [this](int mask) { ShowColorMaskButtons(mask); };
    h.PairButton = [this](tpairbutton) { ShowSelectedPair(); };
    h.SmoothingButtonDown = [this] { return ToolButtonLissage->isChecked(); };
    h.ReleaseSmoothingButton = [this] { ToolButtonLissage->setChecked(false); };
    main->OnShowMontage = [this] { RunAction(Action(QStringLiteral("MenuView_Build"))); };
    main->OnPopupVisionMenu = [this](QPoint p) { PopupVisionMenu(p.x(), p.y()); };
    LinkDisplayToMontage(*main, *this);
}

void TFormBuild2::SetVision(int mode) {
    tdisplaystate* d = Display();
    if (!d) return;
    d->Transp1 = ScrollBarTransp->value();
    d->Transp2 = ScrollBarTransp2->value();
    AppWindows.FormMain->SetVisionMode(mode);
    AppWindows.FormMain->UpdateLayout();
    AppWindows.FormMain->FitAndCompose();
    WriteLabelVisu();
}

void TFormBuild2::ApplyTransparency(QAction* op, bool check) {
    tdisplaystate* d = Display();
    if (!d || !op) return;
    if (check) op->setChecked(true);
    TranspMode = op->data().toInt();
    d->Transp1 = ScrollBarTransp->value();
    d->Transp2 = ScrollBarTransp2->value();
    Redraw();
}

void TFormBuild2::SetMask(int mask) {
    if (tdisplaystate* d = Display()) {
        d->SetColorMask(mask);
        ShowColorMaskButtons(mask);
        Redraw();
    }
}

void TFormBuild2::BindAlignment() {
    auto click = [this](const char* name, std::function<void()> run) {
        auto* b = findChild<QToolButton*>(QString::fromUtf8(name));
        connect(b, &QToolButton::clicked, this, [run] { run(); });
    };
    talignhost& h = host_;
    click("SBVertCalPoint", [&h] { LevelOnCentre(h); });
    click("SBVertCalOrient", [&h] { LevelOnCentre(h); });
    click("SBCalStereo2Point", [&h] { ::AlignRotation(h); });
    click("ToolButtonStereoHoraireManuel", [&h] { Rotate(h, RotateHomologous, 0); });
    click("ToolButtonStereoTrigoManuel", [&h] { Rotate(h, RotateHomologous, 2); });
    click("SBOrR", [&h] { CalOrient(h, OrientRightOnLeft); });
    click("SbOrL", [&h] { CalOrient(h, OrientLeftOnRight); });
    click("SBCalOrSym", [&h] { CalOrient(h, OrientHalfway); });
    click("SBCalOrVert", [&h] { CalOrient(h, OrientVertical); });
    click("SBCalOrHorz", [&h] { CalOrient(h, OrientHorizontal); });
    click("SBCalOrHorzManuel", [&h] { Rotate(h, RotateBoth, 0); });
    click("SBCalOrTrigoManuel", [&h] { Rotate(h, RotateBoth, 2); });
    click("SBManuUp", [&h] { ManualMove(h, MoveUp); });
    click("SBManuDown", [&h] { ManualMove(h, MoveDown); });
    click("SBManuLeft", [&h] { ManualMove(h, MoveLeft); });
    click("SBManuRight", [&h] { ManualMove(h, MoveRight); });
    click("SBManuHoraire", [this, &h] { ManualRotate(h, RotationItem(), true); });
    click("SBManuTrigo", [this, &h] { ManualRotate(h, RotationItem(), false); });
    click("ToolButtonApplyZoom", [this, &h] { ApplyZoomCorrection(h, DistanceMode()); });
    click("ToolButtonCancelZoom", [&h] { CancelZoomCorrection(h); });

    Bind("MenuRaz_Point", [&h] { ClearCurrentPoint(h); });
    Bind("MenuRaz_Scroll", [&h] { CancelDisplayMoves(h); });
    Bind("MenuRaz_Level", [&h] { CancelLevelling(h); });
    Bind("MenuRaz_Rotation", [&h] { RazRotation(h, true); });
    Bind("MenuRaz_Geometry", [&h] { CancelGeometry(h); });
    Bind("MenuRaz_RazParams", [&h] { ResetParameters(h); });
    Bind("MenuClose_RazParams", [&h] { ResetParameters(h); });
    Bind("MenuBuild_Demo", [&h] { RunRotationDemo(h); });
}

bool TFormBuild2::DistanceMode() const {
    auto* g = qobject_cast<TFormGeometry*>(AppWindows.FormGeometry);
    return g && g->DistanceMode;
}

int TFormBuild2::RotationItem() const {
    for (int i = 0; i < 3; ++i) {
        auto* rb = findChild<QRadioButton*>(QStringLiteral("RadioGroupRotationItem%1").arg(i));
        if (rb && rb->isChecked()) return i;
    }
    return -1;
}

int TFormBuild2::CropToRepeat() {
    bool hasFrame = false;
    if (TFormMain* main = AppWindows.FormMain) {
        const timg* current = main->GetCurrent().img;
        hasFrame = current && current->mancropd;
    }
    Settings.CropIndex =
        CropRepeatIndex(Settings.CropIndex, SBCadre1 && SBCadre1->isChecked(), hasFrame);
    return Settings.CropIndex;
}

void TFormBuild2::LockPoints() {
    if (SBCadre1) SBCadre1->setChecked(false);
    sequencer_.LockPoints();
    // The Geometry dialog carries a Lock button of its own that follows.
    if (auto* geometry = qobject_cast<TFormGeometry*>(AppWindows.FormGeometry))
        geometry->PressLock();
}

void TFormBuild2::AlignRotation() {
    ::AlignRotation(host_);
}

tviewloader& TFormBuild2::Loader() {
    // One loader for the run, so the open dialog offers the last file's name.
    if (!loader_) loader_ = std::make_unique<tviewloader>(AppWindows.FormMain->DisplayHost);
    return *loader_;
}

void TFormBuild2::OpenFromLoadTab(bool left) {
    TFormMain* main = AppWindows.FormMain;
    if (!main) return;
    PageControl1->setCurrentIndex(TabLoad);
    SelectNoCrop();
    tviewloader& loader = Loader();
    if (left)
        loader.OpenLeft();
    else
        loader.OpenRight();
    Redraw();
}

void TFormBuild2::OpenCommand(int index) {
    TFormMain* main = AppWindows.FormMain;
    if (!main) return;
    PageControl1->setCurrentIndex(TabLoad);
    // Composite pictures are shown with the transparency of the bar when
    // the default vision mode is forced at loading.
    const bool composite = index >= 3 && index <= 7;
    if (composite && Settings.VisuLoad) {
        main->Display.Transp1 = ScrollBarTransp->value();
        main->Display.Transp2 = ScrollBarTransp2->value();
    }
    SelectNoCrop();
    tviewloader& loader = Loader();
    switch (index) {
    case 0:
        loader.OpenPair();
        break;
    case 1:
        loader.OpenLeft();
        break;
    case 2:
        loader.OpenRight();
        break;
    case 3:
        loader.OpenCrossed();
        break;
    case 4:
        loader.OpenParallel();
        break;
    case 5:
        loader.OpenVertical();
        break;
    case 6:
        loader.OpenDouble();
        break;
    case 7:
        loader.OpenAnaglyph();
        break;
    default:
        return;
    }
    Redraw();
}

void TFormBuild2::ExtractCommand(int index) {
    TFormMain* main = AppWindows.FormMain;
    if (!main) return;
    QMenu* extract = Submenu(QStringLiteral("MenuFile_Extract"));
    tviewloader& loader = Loader();
    if (index == 0) {
        auto* dialog = qobject_cast<TSeparDialog*>(AppWindows.SeparDialog);
        if (!dialog) return;
        extract->actions()[1]->setChecked(true);
        dialog->SetManualText(QString::number(Settings.OpenSepar));
        dialog->exec();
        loader.ReloadViews(main->Pair.StereoType);
        Redraw();
        return;
    }
    // Kinds of the split items, in menu order after the separation item.
    static constexpr int kKinds[] = {KindCrossed, KindParallel, KindAnaglyph, KindOverUnder,
                                     KindDouble};
    if (index < 1 || index > 5) return;
    const timg* current = main->GetCurrent().img;
    if (!current) current = &main->ImgLeft();
    QImage picture;
    const QString file = current->filename;
    if (file == QLatin1String("ClipBoard") || file == QLatin1String("ClipBoardLeft") ||
        file == QLatin1String("ClipBoardRight")) {
        picture = current->bitmap.copy();
    } else {
        int bits = 0;
        QString error;
        if (DecodePictureFile(file, picture, bits, error) != LoadStatus::Loaded) return;
    }
    if (picture.isNull()) return;
    loader.SplitByKind(kKinds[index - 1], picture, file);
    Redraw();
}

void TFormBuild2::CloseView(bool left) {
    TFormMain* main = AppWindows.FormMain;
    if (!main) return;
    gBusy = false;
    main->ClearView(left ? main->ImgLeft() : main->ImgRight());
    Redraw();
}

void TFormBuild2::CloseAll() {
    TFormMain* main = AppWindows.FormMain;
    if (!main) return;
    gBusy = false;
    main->ClearView(main->ImgLeft());
    main->ClearView(main->ImgRight());
    main->ResetViews();
    PageControl1->setCurrentIndex(TabLoad);
    Redraw();
    CurPoint = 0;
    sequencer_.LastPoint = 0;
    SelectPair(0);
}

void TFormBuild2::ConvertToGrey(bool both) {
    TFormMain* main = AppWindows.FormMain;
    if (!main) return;
    const bool anaglyph = main->Pair.StereoType == KindAnaglyph;
    auto grey = [](timg& view, std::uint32_t mask) {
        if (view.bitmap.isNull() || view.bitmap.depth() != 32) return;
        const ImageView v = WritableView(view.bitmap);
        GreyBitmap(v, v, mask);
    };
    if (both) {
        grey(main->ImgLeft(), anaglyph ? 0xFF0000u : 0xFFFFFFu);
        grey(main->ImgRight(), anaglyph ? 0x00FFFFu : 0xFFFFFFu);
    } else {
        timg* current = main->GetCurrent().img;
        if (!current) return;
        const bool isLeft = current == &main->ImgLeft();
        grey(*current, anaglyph ? (isLeft ? 0xFF0000u : 0x00FFFFu) : 0xFFFFFFu);
    }
    Redraw();
}
