// The Montage window: its construction, the menu bar and action registry,
// pair selection, information texts, popup copies and window events.
#include "montage/tformbuild2.h"

#include "aids/tformzoom.h"
#include "core/desktoplayout.h"
#include "core/freetexts.h"
#include "core/helpfile.h"
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
#include "montage/cropcommands_ui.h"
#include "montage/flowbar_ui.h"
#include "montage/helpfile_ui.h"
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
#include "montage/tformrearwindowing.h"
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
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace {

QChar decimalPoint() {
    const QString d = QLocale::system().decimalPoint();
    return d.isEmpty() ? QLatin1Char('.') : d.at(0);
}

} // namespace

TFormBuild2::TFormBuild2()
    : QMainWindow(nullptr, Qt::Window | Qt::WindowStaysOnTopHint), sequencer_(*this) {
    setObjectName(QStringLiteral("FormBuild2"));
    setWindowTitle(QStringLiteral("Montage"));
    resize(360, 600);

    BuildMenus();
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    setCentralWidget(central);
    BuildToolBars(central);
    BuildTabs();
    layout->addWidget(PageControl1, 1);
    layout->addWidget(ToolBarInfo);
    // Read-outs this window rebuilds in the interface's language (from the
    // run-time texts): a language file carries no text of theirs.
    for (QWidget* readout :
         {static_cast<QWidget*>(LabelVisu), static_cast<QWidget*>(StaticTextRotation),
          static_cast<QWidget*>(StaticTextExtra), static_cast<QWidget*>(StaticTextdZoom),
          static_cast<QWidget*>(LabelAutoWin)})
        if (readout) readout->setProperty("lngRuntime", true);
    BindCommands();
    ConnectDisplay();

    // Key preview: every control of the window shows its keys to the window
    // before handling them itself.
    installEventFilter(this);
    for (QWidget* w : findChildren<QWidget*>()) w->installEventFilter(this);

    for (QToolButton* b : lockButtons_) b->setChecked(true);
    SelectPair(0);
    PrecisionMode = false;
    WindowPairIndex = 9;
    PageControl1->setCurrentIndex(TabLoad);
    DoMenuItem(Submenu(QStringLiteral("MenuView_Grid")), Settings.DefGridIndex);
    Redraw();
}

TFormBuild2::~TFormBuild2() {
    if (TFormMain* main = AppWindows.FormMain) {
        tdisplayhooks& h = main->Display.Hooks;
        h.CurrentChanged = nullptr;
        h.ZoomText = nullptr;
        h.WindowFrameSize = nullptr;
        h.ColorMaskChanged = nullptr;
        h.PairButton = nullptr;
        h.SmoothingButtonDown = nullptr;
        h.ReleaseSmoothingButton = nullptr;
        main->OnShowMontage = nullptr;
        main->OnPopupVisionMenu = nullptr;
    }
    for (auto it = popupCopies_.begin(); it != popupCopies_.end(); ++it) delete it.value();
}

// ---------------------------------------------------------------- registry

QAction* TFormBuild2::Action(const QString& name) const {
    return actions_.value(name, nullptr);
}

QList<QAction*> TFormBuild2::MenuBarActions() const {
    QList<QAction*> all;
    if (QWidget* menus = menuWidget())
        for (QMenuBar* bar : menus->findChildren<QMenuBar*>(Qt::FindDirectChildrenOnly))
            all += bar->actions();
    return all;
}

QMenu* TFormBuild2::Submenu(const QString& name) const {
    QAction* a = Action(name);
    return a ? a->menu() : nullptr;
}

bool TFormBuild2::RunAction(QAction* action) {
    auto it = handlers_.find(action);
    if (action == nullptr || it == handlers_.end() || !action->isEnabled()) return false;
    it.value()();
    return true;
}

void TFormBuild2::BuildMenus() {
    // Only the first item in menu order that declares a shortcut receives the
    // key; a later item declaring the same one shows it without taking it.
    QHash<QString, bool> taken;
    const std::vector<tmenuentry>& entries = MainMenuEntries();
    QMenu* top = nullptr;
    QMenu* sub = nullptr;
    // One bar per menu, so that the menus wrap onto a further row in the
    // narrow column of the desktop arrangement instead of hiding.
    auto* menus = new tflowbar(this);
    menus->setObjectName(QStringLiteral("MenuBars"));
    menus->Layout()->setSpacing(0);
    setMenuWidget(menus);
    for (size_t i = 0; i < entries.size(); ++i) {
        const tmenuentry& e = entries[i];
        if (IsMenuSeparator(e)) {
            (e.depth == 2 && sub ? sub : top)->addSeparator();
            continue;
        }
        const QString name = QString::fromUtf8(e.name);
        const QString caption = QString::fromUtf8(e.caption);
        const bool hasChildren = i + 1 < entries.size() && entries[i + 1].depth > e.depth;
        QAction* action = nullptr;
        if (e.depth == 0) {
            auto* bar = new QMenuBar(menus);
            bar->setNativeMenuBar(false);
            menus->addWidget(bar);
            top = bar->addMenu(caption);
            top->setObjectName(name);
            action = top->menuAction();
            sub = nullptr;
        } else if (e.depth == 1 && hasChildren) {
            sub = top->addMenu(caption);
            sub->setObjectName(name);
            action = sub->menuAction();
        } else if (e.depth == 1) {
            action = top->addAction(caption);
            sub = nullptr;
        } else {
            action = sub->addAction(caption);
        }
        action->setObjectName(name);
        if (e.shortcut[0] != '\0') {
            const QKeySequence key(QString::fromLatin1(e.shortcut));
            action->setShortcut(key);
            if (taken.contains(key.toString())) action->setShortcutContext(Qt::WidgetShortcut);
            taken.insert(key.toString(), true);
        }
        actions_.insert(name, action);
    }
}

void TFormBuild2::Bind(const char* name, std::function<void()> handler) {
    QAction* a = Action(QString::fromUtf8(name));
    if (!a) return;
    handlers_.insert(a, std::move(handler));
    connect(a, &QAction::triggered, this, [this, a] { RunAction(a); });
}

// ---------------------------------------------------------------- tool bars

QToolButton* TFormBuild2::SubmenuButton(const char* menuName, const QString& text,
                                        const QString& hint, std::function<int()> repeatIndex) {
    QMenu* menu = Submenu(QString::fromUtf8(menuName));
    auto* b = new QToolButton(this);
    b->setText(text);
    b->setToolTip(hint);
    b->setMenu(menu);
    b->setPopupMode(QToolButton::InstantPopup);
    b->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(b, &QToolButton::customContextMenuRequested, this,
            [this, b, menu, repeatIndex] { RepeatSubmenu(b, menu, repeatIndex()); });
    return b;
}

void TFormBuild2::RepeatSubmenu(QToolButton* button, QMenu* menu, int index) {
    // The pressed look is painted before the command runs, which may take long.
    button->setDown(true);
    QCoreApplication::processEvents();
    DoMenuItem(menu, index);
    button->setDown(false);
}

// ---------------------------------------------------------------- pairs

void TFormBuild2::SelectPair(int index) {
    sequencer_.SelectPair(index);
}

void TFormBuild2::NextPair() {
    sequencer_.NextPair();
}

void TFormBuild2::AdvanceAfterPair() {
    sequencer_.AdvanceAfterPair();
}

void TFormBuild2::PlaceCurrentPoint(timg& view, double x, double y) {
    view.PlacePoint(CurPoint, x, y);
    if (tdisplaystate* d = Display()) d->ShowPointIcon(CurPoint);
}

void TFormBuild2::PressLockButtons() {
    for (QToolButton* b : lockButtons_) b->setChecked(true);
}

void TFormBuild2::PressCentreButtons() {
    CurPoint = 1;
    for (QToolButton* b : centreButtons_) b->setChecked(true);
}

void TFormBuild2::ShowSelectedPair() {
    switch (CurPoint) {
    case 1:
        for (QToolButton* b : centreButtons_) b->setChecked(true);
        break;
    case 2:
        SBA1->setChecked(true);
        SpeedButton11->setChecked(true);
        break;
    case 3:
        SBA2->setChecked(true);
        SpeedButton10->setChecked(true);
        break;
    case 5:
        SBOrient1->setChecked(true);
        break;
    case 6:
        SBOrient2->setChecked(true);
        break;
    case 7:
        ToolButtonD1->setChecked(true);
        break;
    case 8:
        ToolButtonD2->setChecked(true);
        break;
    case 9:
        ToolButtonW1->setChecked(true);
        break;
    case 11:
        SBCadre1->setChecked(true);
        break;
    default:
        PressLockButtons();
        CurPoint = 0;
        break;
    }
}

void TFormBuild2::LeaveFrameDrawing() {
    if (AppWindows.FormMain) AppWindows.FormMain->LeaveFrameDrawing();
}

void TFormBuild2::PairSelected(int index) {
    TFormMain* main = AppWindows.FormMain;
    if (!main) return;
    const tviewslot current = main->GetCurrent();
    if (current.img && index >= 0 && index < kPointCount) {
        const trealpoint& p = current.img->pt[index];
        main->Display.StatusText[4] = PointStatusText(p.c, p.x, p.y);
        main->Display.ShowPointIcon(index);
    }
    // Setting the current view again makes the display lay out around it.
    main->SetCurrent(current);
    Redraw();
}

bool TFormBuild2::PairPlaced(int index) const {
    if (!AppWindows.FormMain || index < 0 || index >= kPointCount) return false;
    return AppWindows.FormMain->ImgLeft().pt[index].d &&
           AppWindows.FormMain->ImgRight().pt[index].d;
}

int TFormBuild2::ActiveTab() const {
    return PageControl1 ? PageControl1->currentIndex() : TabLoad;
}

// ---------------------------------------------------------------- info texts

void TFormBuild2::ShowAngleInfo() {
    if (!gStarted || !AppWindows.FormMain) return;
    StaticTextRotation->setText(AngleInfoText(AppWindows.FormMain->ImgLeft().rot,
                                              AppWindows.FormMain->ImgRight().rot, decimalPoint()));
    ShowShiftInfo();
    ShowZoomInfo();
}

void TFormBuild2::ShowShiftInfo() {
    if (!gStarted || !AppWindows.FormMain) return;
    TFormMain* main = AppWindows.FormMain;
    const timg* current = main->GetCurrent().img;
    if (!current) current = &main->ImgLeft();
    const timg& other = current == &main->ImgLeft() ? main->ImgRight() : main->ImgLeft();
    StaticTextExtra->setText(
        ShiftInfoText(current->posx - other.posx, current->posy - other.posy, decimalPoint()));
}

void TFormBuild2::ShowZoomInfo() {
    if (!AppWindows.FormMain) return;
    StaticTextdZoom->setText(ZoomInfoText(AppWindows.FormMain->ImgLeft().dz,
                                          AppWindows.FormMain->ImgRight().dz, decimalPoint()));
}

void TFormBuild2::ShowAutoWindowSize(double& width, double& height) {
    width = 0;
    height = 0;
    TFormMain* main = AppWindows.FormMain;
    if (!main) return;
    // The automatic window: the views' common frame under the ratio
    // constraint, without the manual frame.
    const tcommonframe f =
        ComputeSourceFrame(&main->ImgLeft(), &main->ImgRight(), false, WinRatioH, WinRatioW);
    if (f.valid) {
        width = f.width;
        height = f.height;
    }
    LabelAutoWin->setText(AutoWindowText(width, height));
}

void TFormBuild2::WriteLabelVisu() {
    const int mode = Settings.VisionMode;
    if (mode < 0 || mode >= kVisionModeCount) return;
    const QByteArray name = "VisionMode" + QByteArray::number(mode);
    LabelVisu->setText(
        VisuLabelText(FreeText(name.constData()), QString::fromUtf8(VisionModeCodes[mode])));
}

void TFormBuild2::ShowFocusButtons(const timg* view) {
    if (!AppWindows.FormMain) return;
    ToolButtonLeft->setChecked(view == &AppWindows.FormMain->ImgLeft());
    ToolButtonRight->setChecked(view == &AppWindows.FormMain->ImgRight());
}

void TFormBuild2::ShowColorMaskButtons(int mask) {
    const tmaskbuttons b = MaskButtons(mask);
    ToolButtonR->setChecked(b.red);
    ToolButtonG->setChecked(b.green);
    ToolButtonB->setChecked(b.blue);
    ToolButtonCyanRed->setChecked(b.cyanRed);
}

// ---------------------------------------------------------------- submenus

int TFormBuild2::DoMenuItem(QMenu* item, int index) {
    if (!item) return -1;
    const QList<QAction*> children = item->actions();
    const int i = MenuItemToRun(static_cast<int>(children.size()), index);
    if (i < 0) return -1;
    RunAction(children[i]);
    return i;
}

int TFormBuild2::DoMenuItemChecked(QMenu* item, int index) {
    if (!item) return -1;
    const QList<QAction*> children = item->actions();
    std::vector<tchildstate> states;
    for (int i = 0; i < children.size(); ++i) {
        children[i]->setProperty("tag", i);
        states.push_back({handlers_.contains(children[i]), children[i]->isChecked()});
    }
    const int i = CheckedChildToRun(states, index);
    if (i < 0) return -1;
    if (children[i]->isCheckable()) children[i]->setChecked(true);
    RunAction(children[i]);
    return i;
}

void TFormBuild2::PopupSubmenu(QMenu* item, int x, int y) {
    if (!item) return;
    delete popupCopies_.value(item);
    // The copy shows the very same actions, so it carries the captions,
    // check marks, enabled states and commands of the submenu.
    Q_EMIT item->aboutToShow();
    auto* copy = new QMenu(this);
    copy->addActions(item->actions());
    popupCopies_.insert(item, copy);
    copy->popup(QPoint(x, y));
}

QMenu* TFormBuild2::PopupCopy(QMenu* item) const {
    return popupCopies_.value(item);
}

void TFormBuild2::PopupVisionMenu(int x, int y) {
    PopupSubmenu(Submenu(QStringLiteral("MenuView_Mode")), x, y);
}

void TFormBuild2::PopupCropMenu(int x, int y) {
    crop_->Popup(x, y);
}

void TFormBuild2::MenuFile_OpenCurrentMenu() {
    DoMenuItem(Submenu(QStringLiteral("MenuFile_Open")), Settings.DefStereoIndex);
}

void TFormBuild2::MenuFile_RotationsCurrentMenu() {
    DoMenuItem(Submenu(QStringLiteral("MenuFile_Rotations")), Settings.DefRotationsIndex);
}

void TFormBuild2::MenuFile_SaveCurrentMenu() {
    DoMenuItem(Submenu(QStringLiteral("MenuFile_Save")), Settings.DefSaveIndex);
}

// ---------------------------------------------------------------- events

void TFormBuild2::ApplyToolButtonStates() {
    ToolButtonLissage->setChecked(Settings.Smoothing);
    ToolButtonPrecision->setChecked(PrecisionMode);
    if (tdisplaystate* d = Display()) {
        ToolButtonBlackWhiteGrid->setChecked(d->MarkerColor == 0x000000);
        ShowColorMaskButtons(d->ColorMask);
    }
}

void TFormBuild2::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // The Geometry dialog is created after this window and acts through it.
    if (auto* g = qobject_cast<TFormGeometry*>(AppWindows.FormGeometry)) g->SetHost(&host_);
    if (auto* r = qobject_cast<TFormRearWindowing*>(AppWindows.FormRearWindowing))
        r->SetHost(&host_);
    // The display's status bar comes back to the scratch point: Lock pressed,
    // its caption and two zero values.
    if (TFormMain* main = AppWindows.FormMain) main->Display.ShowPointerStatus(nullptr, 0, 0, 0, 0);
    if (auto* transpMenu = findChild<QMenu*>(QStringLiteral("PopupMenu_Transparence")))
        transpMenu->actions().first()->setChecked(true);
    WriteLabelVisu();
    Action(QStringLiteral("MenuView_Expert"))->setChecked(Settings.ExpertMode);
    ExpertModeChanged();
    ApplyToolButtonStates();
}

void TFormBuild2::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) ApplyToolButtonStates();
    // The read-outs are rebuilt in the new language.
    if (event->type() == QEvent::LanguageChange && LabelVisu) {
        WriteLabelVisu();
        ShowAngleInfo();
        ShowZoomInfo();
        if (gStarted) {
            double width = 0, height = 0;
            ShowAutoWindowSize(width, height);
        }
    }
    QMainWindow::changeEvent(event);
}

bool TFormBuild2::eventFilter(QObject* watched, QEvent* event) {
    // Keys reach the focused control first and then climb to its parents;
    // only that first delivery is shown to the display.
    if (event->type() == QEvent::KeyPress && !filtering_ && AppWindows.FormMain &&
        (watched == QApplication::focusWidget() ||
         (watched == this && QApplication::focusWidget() == nullptr))) {
        auto* key = static_cast<QKeyEvent*>(event);
        // The display window's key handler sees the key first; a key it
        // takes goes no further.
        QKeyEvent copy(QEvent::KeyPress, key->key(), key->modifiers(), key->text(),
                       key->isAutoRepeat(), key->count());
        copy.setAccepted(false);
        filtering_ = true;
        QCoreApplication::sendEvent(AppWindows.FormMain, &copy);
        filtering_ = false;
        if (copy.isAccepted()) return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TFormBuild2::wheelEvent(QWheelEvent* event) {
    if (gStarted && AppWindows.FormMain) {
        QWheelEvent copy(AppWindows.FormMain->mapFromGlobal(event->globalPosition()),
                         event->globalPosition(), event->pixelDelta(), event->angleDelta(),
                         event->buttons(), event->modifiers(), event->phase(), event->inverted());
        QCoreApplication::sendEvent(AppWindows.FormMain, &copy);
        event->accept();
        return;
    }
    QMainWindow::wheelEvent(event);
}

void TFormBuild2::closeEvent(QCloseEvent* event) {
    // Closing the control window closes the program: the display window is
    // asked first, exactly as when it is closed itself.
    if (!MainCloseQuery(this)) {
        event->ignore();
        return;
    }
    event->accept();
    QuitApplication();
}
