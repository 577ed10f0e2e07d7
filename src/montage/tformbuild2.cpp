// The Montage window: menu bar and action registry, tool bars, the tabs of the
// alignment steps and the routing of every command.
#include "montage/tformbuild2.h"

#include "app/paramhost_ui.h"

#include "aids/tformzoom.h"
#include "app/appwindows_ui.h"
#include "app/desktop_ui.h"
#include "app/desktoplayout.h"
#include "app/exitsequence_ui.h"
#include "app/helpfile.h"
#include "app/helpfile_ui.h"
#include "app/paramhost_ui.h"
#include "app/runflags.h"
#include "app/settings.h"
#include "app/windowlist_ui.h"
#include "core/qimageview.h"
#include "display/displaystate.h"
#include "display/tformmain.h"
#include "engine/bitmapops.h"
#include "input/pictureload.h"
#include "input/tsepardialog.h"
#include "input/viewloader.h"
#include "lists/tformrepopenimg.h"
#include "montage/imagehandoff.h"
#include "montage/infotexts.h"
#include "montage/magnification.h"
#include "montage/mainmenu.h"
#include "montage/manualmoves.h"
#include "montage/orientation.h"
#include "montage/taboutbox.h"
#include "montage/tformgeometry.h"
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

namespace {

// The transparency operators of the drop-down, with the tags the display
// uses for them.
struct ttranspop {
    const char* caption;
    int tag;
};
constexpr ttranspop kTranspOps[] = {{"Add", 0},  {"Sub", 1},  {"Xor", 2},  {"Neg", 3},  {"NSub", 4},
                                    {"Gray", 5}, {"GSub", 6}, {"GXor", 7}, {"Fast", 30}};

QChar decimalPoint() {
    const QString d = QLocale::system().decimalPoint();
    return d.isEmpty() ? QLatin1Char('.') : d.at(0);
}

QLabel* instruction(QWidget* parent, const char* text) {
    auto* l = new QLabel(QString::fromUtf8(text), parent);
    l->setWordWrap(true);
    return l;
}

QToolButton* plainButton(QWidget* parent, const char* name, const QString& text,
                         const QString& hint, bool checkable = false) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromUtf8(name));
    b->setText(text);
    b->setToolTip(hint);
    b->setCheckable(checkable);
    b->setAutoRaise(false);
    return b;
}

// A button whose command comes later stays visible and disabled.
QToolButton* laterButton(QWidget* parent, const char* name, const QString& text,
                         const QString& hint) {
    QToolButton* b = plainButton(parent, name, text, hint);
    b->setEnabled(false);
    return b;
}

// A button showing a menu item's action under a short text of its own: the
// shared action would otherwise put its menu caption back on every change.
QToolButton* actionButton(QWidget* parent, QAction* a, const QString& text, const QString& hint) {
    auto* b = new QToolButton(parent);
    b->setDefaultAction(a);
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    b->setText(text);
    b->setToolTip(hint);
    QObject::connect(a, &QAction::changed, b, [b, text, hint] {
        b->setText(text);
        b->setToolTip(hint);
    });
    return b;
}

QHBoxLayout* row(QVBoxLayout* into) {
    auto* h = new QHBoxLayout();
    h->setSpacing(2);
    into->addLayout(h);
    return h;
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
            top = menuBar()->addMenu(caption);
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

void TFormBuild2::BuildToolBars(QWidget* host) {
    auto* layout = static_cast<QVBoxLayout*>(host->layout());
    auto bar = [&](const char* name) {
        auto* t = new QToolBar(host);
        t->setObjectName(QString::fromUtf8(name));
        t->setIconSize(QSize(16, 16));
        t->setToolButtonStyle(Qt::ToolButtonTextOnly);
        layout->addWidget(t);
        return t;
    };
    auto button = [&](QToolBar* t, const char* actionName, const QString& text,
                      const QString& hint) {
        QToolButton* b = actionButton(t, Action(QString::fromUtf8(actionName)), text, hint);
        t->addWidget(b);
        return b;
    };

    ToolBarGeometry = bar("ToolBarGeometry");
    button(ToolBarGeometry, "MenuView_AutoZoom", QStringLiteral("Fit"),
           QString::fromUtf8("Adapter les vues à la  fenêtre"));
    button(ToolBarGeometry, "MenuView_Zoom1", QStringLiteral("1:1"),
           QString::fromUtf8("Taille Réelle"));
    button(ToolBarGeometry, "MenuView_ZoomMax", QStringLiteral("Max"), QStringLiteral("Zoom Maxi"));
    EditZoom = new QLineEdit(QStringLiteral("100.00"), ToolBarGeometry);
    EditZoom->setObjectName(QStringLiteral("EditZoom"));
    EditZoom->setReadOnly(true);
    EditZoom->setMaximumWidth(60);
    ToolBarGeometry->addWidget(EditZoom);
    button(ToolBarGeometry, "MenuView_ZoomOut", QStringLiteral("-"),
           QStringLiteral("Zoom Out (-)"));
    button(ToolBarGeometry, "MenuView_ZoomIn", QStringLiteral("+"), QStringLiteral("Zoom In (+)"));

    ToolBar1 = bar("ToolBar1");
    ToolButtonLeft = plainButton(ToolBar1, "ToolButtonLeft", QStringLiteral("G"),
                                 QStringLiteral("Focus vue gauche"), true);
    // The focus and marker buttons work on the display; they come alive with it.
    ToolButtonLeft->setEnabled(false);
    ToolBar1->addWidget(ToolButtonLeft);
    button(ToolBar1, "MenuFile_Swap", QStringLiteral("<>"),
           QStringLiteral("Echanger Vue Droite <=> Vue Gauche"))
        ->setObjectName(QStringLiteral("ToolButtonSwap2"));
    ToolButtonRight = plainButton(ToolBar1, "ToolButtonRight", QStringLiteral("D"),
                                  QStringLiteral("Focus vue droite"), true);
    ToolButtonRight->setEnabled(false);
    ToolBar1->addWidget(ToolButtonRight);
    ToolButtonGrid = SubmenuButton("MenuView_Grid", QStringLiteral("#"),
                                   QString::fromUtf8("Grille et repères de montage..."),
                                   [] { return Settings.DefGridIndex; });
    ToolButtonGrid->setObjectName(QStringLiteral("ToolButtonGrid"));
    ToolBar1->addWidget(ToolButtonGrid);
    ToolButtonView = SubmenuButton("MenuView_Mode", QStringLiteral("Vis"),
                                   QStringLiteral("Modes de vision...       Ctrl+U"),
                                   [] { return Settings.DefShowIndex; });
    ToolButtonView->setObjectName(QStringLiteral("ToolButtonView"));
    ToolBar1->addWidget(ToolButtonView);
    ToolButtonCrop = SubmenuButton("MenuView_Crop", QStringLiteral("Crop"),
                                   QString::fromUtf8("Modes de découpe...   Ctrl+W"),
                                   [this] { return CropToRepeat(); });
    ToolButtonCrop->setObjectName(QStringLiteral("ToolButtonCrop"));
    ToolBar1->addWidget(ToolButtonCrop);
    button(ToolBar1, "MenuEdit_Stop", QStringLiteral("Stop"),
           QStringLiteral("Stopper la fonction en cours "))
        ->setObjectName(QStringLiteral("ToolButtonStop"));
    ToolButtonRaz = SubmenuButton("MenuBuild_Raz", QStringLiteral("Annul"),
                                  QStringLiteral("Annulations"), [] { return 0; });
    ToolButtonRaz->setObjectName(QStringLiteral("ToolButtonRaz"));
    ToolButtonRaz->setContextMenuPolicy(Qt::DefaultContextMenu);
    ToolBar1->addWidget(ToolButtonRaz);

    ToolBar3 = bar("ToolBar3");
    ToolButtonBlackWhiteGrid =
        plainButton(ToolBar3, "ToolButtonBlackWhiteGrid", QStringLiteral("N/B"),
                    QStringLiteral("Repères noirs ou blancs"), true);
    ToolButtonBlackWhiteGrid->setEnabled(false);
    ToolBar3->addWidget(ToolButtonBlackWhiteGrid);
    ToolButtonLissage = plainButton(ToolBar3, "ToolButtonLissage", QStringLiteral("Liss"),
                                    QStringLiteral("Lissage"), true);
    ToolBar3->addWidget(ToolButtonLissage);
    ToolButtonPrecision = plainButton(ToolBar3, "ToolButtonPrecision", QStringLiteral("Préc"),
                                      QString::fromUtf8("Pas fins"), true);
    ToolBar3->addWidget(ToolButtonPrecision);
    ToolButtonTransp = plainButton(ToolBar3, "ToolButtonTransp", QStringLiteral("Transp"),
                                   QStringLiteral("Transparence"), true);
    ToolBar3->addWidget(ToolButtonTransp);

    ToolBarTransparence = bar("ToolBarTransparence");
    auto* transpMenu = new QMenu(this);
    transpMenu->setObjectName(QStringLiteral("PopupMenu_Transparence"));
    auto* transpGroup = new QActionGroup(transpMenu);
    for (const ttranspop& op : kTranspOps) {
        QAction* a = transpMenu->addAction(QString::fromLatin1(op.caption));
        a->setCheckable(true);
        a->setData(op.tag);
        a->setEnabled(false);
        transpGroup->addAction(a);
    }
    auto* transparence =
        plainButton(ToolBarTransparence, "ToolButtonTransparence", QStringLiteral("Transparence"),
                    QStringLiteral("Transparence"));
    transparence->setMenu(transpMenu);
    transparence->setPopupMode(QToolButton::MenuButtonPopup);
    transparence->setEnabled(false);
    ToolBarTransparence->addWidget(transparence);
    ToolButtonR = plainButton(ToolBarTransparence, "ToolButtonR", QStringLiteral("R"),
                              QStringLiteral("Rouge"), true);
    ToolButtonG = plainButton(ToolBarTransparence, "ToolButtonG", QStringLiteral("V"),
                              QStringLiteral("Vert"), true);
    ToolButtonB = plainButton(ToolBarTransparence, "ToolButtonB", QStringLiteral("B"),
                              QStringLiteral("Bleu"), true);
    ToolButtonCyanRed = plainButton(ToolBarTransparence, "ToolButtonCyanRed", QStringLiteral("C/R"),
                                    QStringLiteral("Cyan / Rouge"), true);
    ToolButtonInvMask = plainButton(ToolBarTransparence, "ToolButtonInvMask", QStringLiteral("Inv"),
                                    QStringLiteral("Inverser le masque"));
    ToolButtonR->setProperty("tag", 0xFF0000);
    ToolButtonG->setProperty("tag", 0x00FF00);
    ToolButtonB->setProperty("tag", 0x0000FF);
    ToolButtonCyanRed->setProperty("tag", 0x00FFFF);
    for (QToolButton* b :
         {ToolButtonR, ToolButtonG, ToolButtonB, ToolButtonCyanRed, ToolButtonInvMask}) {
        b->setEnabled(false);
        ToolBarTransparence->addWidget(b);
    }
    ScrollBarTransp = new QScrollBar(Qt::Horizontal, ToolBarTransparence);
    ScrollBarTransp->setObjectName(QStringLiteral("ScrollBarTransp"));
    ScrollBarTransp->setToolTip(QStringLiteral("Transparence Vue Droite "));
    ScrollBarTransp2 = new QScrollBar(Qt::Horizontal, ToolBarTransparence);
    ScrollBarTransp2->setObjectName(QStringLiteral("ScrollBarTransp2"));
    ScrollBarTransp2->setToolTip(
        QString::fromUtf8("Transparence Vue Gauche (Corrélée avec Vue Droite)"));
    LabelCyan = new QLabel(QStringLiteral("128"), ToolBarTransparence);
    LabelCyan->setObjectName(QStringLiteral("LabelCyan"));
    LabelRed = new QLabel(QStringLiteral("128"), ToolBarTransparence);
    LabelRed->setObjectName(QStringLiteral("LabelRed"));
    for (QScrollBar* s : {ScrollBarTransp, ScrollBarTransp2}) {
        s->setRange(0, 256);
        s->setValue(128);
        s->setMinimumWidth(60);
    }
    ToolBarTransparence->addWidget(ScrollBarTransp);
    ToolBarTransparence->addWidget(LabelCyan);
    ToolBarTransparence->addWidget(ScrollBarTransp2);
    ToolBarTransparence->addWidget(LabelRed);
    connect(ScrollBarTransp, &QScrollBar::sliderMoved, this,
            [this](int v) { LabelCyan->setText(QString::asprintf("%3.3u", unsigned(v))); });
    connect(ScrollBarTransp2, &QScrollBar::sliderMoved, this, [this](int v) {
        const QString t = QString::asprintf("%3.3u", unsigned(v));
        LabelCyan->setText(t);
        LabelRed->setText(t);
    });
    ToolBarTransparence->hide();

    ToolBar5 = bar("ToolBar5");
    LabelVisu = new QLabel(QStringLiteral("Mode Vision"), ToolBar5);
    LabelVisu->setObjectName(QStringLiteral("LabelVisu"));
    LabelVisu->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(LabelVisu, &QLabel::customContextMenuRequested, this, [this] {
        const QPoint p = LabelVisu->mapToGlobal(QPoint(0, 0));
        PopupVisionMenu(p.x(), p.y());
    });
    ToolBar5->addWidget(LabelVisu);

    ToolBarInfo = new QToolBar(host);
    ToolBarInfo->setObjectName(QStringLiteral("ToolBarInfo"));
    auto* info = new QWidget(ToolBarInfo);
    auto* infoLayout = new QVBoxLayout(info);
    infoLayout->setContentsMargins(2, 0, 2, 0);
    infoLayout->setSpacing(0);
    StaticTextRotation = new QLabel(QString::fromUtf8("Angle: L 000.00° / R 000.00°"), info);
    StaticTextRotation->setObjectName(QStringLiteral("StaticTextRotation"));
    StaticTextdZoom = new QLabel(QStringLiteral("Corr.  Zoom: L 1.00 / R 1.00"), info);
    StaticTextdZoom->setObjectName(QStringLiteral("StaticTextdZoom"));
    StaticTextExtra = new QLabel(QStringLiteral("Depla: L 000.00 / R 000.00"), info);
    StaticTextExtra->setObjectName(QStringLiteral("StaticTextExtra"));
    for (QLabel* l : {StaticTextRotation, StaticTextdZoom, StaticTextExtra})
        infoLayout->addWidget(l);
    ToolBarInfo->addWidget(info);
}

// ---------------------------------------------------------------- tabs

QToolButton* TFormBuild2::PairButton(QWidget* parent, const QString& text, const QString& hint,
                                     int pair) {
    auto* b = new QToolButton(parent);
    b->setText(text);
    b->setToolTip(hint);
    b->setCheckable(true);
    b->setMinimumWidth(36);
    connect(b, &QToolButton::clicked, this, [this, pair] { SelectPair(pair); });
    return b;
}

QToolButton* TFormBuild2::LockButton(QWidget* parent) {
    auto* b = new QToolButton(parent);
    b->setText(QStringLiteral("Lock"));
    b->setToolTip(QString::fromUtf8("Protéger les points posés"));
    b->setCheckable(true);
    b->setMinimumWidth(36);
    connect(b, &QToolButton::clicked, this, [this] { LockPoints(); });
    lockButtons_.append(b);
    return b;
}

void TFormBuild2::BuildTabs() {
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    auto page = [this](const char* name, const char* tab, const char* hint) {
        auto* w = new QWidget(PageControl1);
        w->setObjectName(QString::fromUtf8(name));
        auto* v = new QVBoxLayout(w);
        v->setContentsMargins(4, 4, 4, 4);
        v->setSpacing(3);
        const int i = PageControl1->addTab(w, QString::fromUtf8(tab));
        if (hint) PageControl1->setTabToolTip(i, QString::fromUtf8(hint));
        return v;
    };
    auto group = [this](std::initializer_list<QToolButton*> buttons) {
        auto* g = new QButtonGroup(this);
        g->setExclusive(true);
        for (QToolButton* b : buttons) g->addButton(b);
        pairGroups_.append(g);
    };

    // Load.
    {
        QVBoxLayout* v = page("TabSheetLoad", "Charger", nullptr);
        QWidget* w = v->parentWidget();
        v->addWidget(instruction(w, "Chargez les images"));
        QHBoxLayout* r = row(v);
        auto* openLeft =
            plainButton(w, "SpeedButtonOpenLeft", QStringLiteral("Ouvrir la Vue Gauche"),
                        QStringLiteral("Ouvrir la Vue Gauche"));
        auto* openRight =
            plainButton(w, "SpeedButtonOpenRight", QStringLiteral("Ouvrir la Vue Droite"),
                        QStringLiteral("Ouvrir la Vue Droite"));
        openLeft->setEnabled(AppWindows.FormMain != nullptr);
        openRight->setEnabled(AppWindows.FormMain != nullptr);
        connect(openLeft, &QToolButton::clicked, this, [this] { OpenFromLoadTab(true); });
        connect(openRight, &QToolButton::clicked, this, [this] { OpenFromLoadTab(false); });
        r->addWidget(openLeft);
        r->addStretch();
        r = row(v);
        r->addWidget(openRight);
        r->addStretch();
        r = row(v);
        SpeedButton1 = plainButton(w, "SpeedButton1", QStringLiteral("0"),
                                   QStringLiteral("Rotation de la Vue Gauche"));
        SpeedButton2 = plainButton(w, "SpeedButton2", QStringLiteral("0"),
                                   QStringLiteral("Rotation de la Vue Droite"));
        auto* sorter = laterButton(w, "SpeedButton3", QStringLiteral("Tri..."),
                                   QString::fromUtf8("Trier les paires d'un répertoire"));
        r->addWidget(SpeedButton1);
        r->addWidget(SpeedButton2);
        r->addWidget(sorter);
        r->addStretch();
        ToolBarFile = new QToolBar(w);
        ToolBarFile->setObjectName(QStringLiteral("ToolBarFile"));
        ToolButtonFile = SubmenuButton("MenuFile_Open", QStringLiteral("Ouvrir"),
                                       QStringLiteral("Ouvrir...  [Ctrl+F]"),
                                       [] { return Settings.DefStereoIndex; });
        ToolButtonFile->setObjectName(QStringLiteral("ToolButtonFile"));
        ToolBarFile->addWidget(ToolButtonFile);
        QToolButton* swap =
            actionButton(ToolBarFile, Action(QStringLiteral("MenuFile_Swap")), QStringLiteral("<>"),
                         QStringLiteral("Echanger Vue Droite <=> Vue Gauche"));
        swap->setObjectName(QStringLiteral("ToolButtonSwap"));
        ToolBarFile->addWidget(swap);
        ToolButtonRotations = SubmenuButton("MenuFile_Rotations", QStringLiteral("Rot"),
                                            QStringLiteral("Rotations rapides... [Ctrl+R]"),
                                            [] { return Settings.DefRotationsIndex; });
        ToolButtonRotations->setObjectName(QStringLiteral("ToolButtonRotations"));
        ToolBarFile->addWidget(ToolButtonRotations);
        ToolButtonExtract =
            SubmenuButton("MenuFile_Extract", QStringLiteral("Sép"),
                          QString::fromUtf8("Séparer Vues G et D d'un Couple Stéréo..."),
                          [] { return Settings.DefExtractIndex; });
        ToolButtonExtract->setObjectName(QStringLiteral("ToolButtonExtract"));
        ToolBarFile->addWidget(ToolButtonExtract);
        v->addWidget(ToolBarFile);
        v->addWidget(instruction(w, "Passez au calage"));
        r = row(v);
        SpeedButtonStepByStep =
            plainButton(w, "SpeedButtonStepByStep", QStringLiteral("Enchainement manuel"),
                        QStringLiteral("Enchainement manuel de la saisie des points de calage"));
        SpeedButtonAutomat =
            plainButton(w, "SpeedButtonAutomat", QStringLiteral("Enchainement automatique"),
                        QStringLiteral("Enchainement automatique"));
        connect(SpeedButtonStepByStep, &QToolButton::clicked, this, [this] { RunPreset(false); });
        connect(SpeedButtonAutomat, &QToolButton::clicked, this, [this] { RunPreset(true); });
        r->addWidget(SpeedButtonStepByStep);
        r->addStretch();
        r = row(v);
        r->addWidget(SpeedButtonAutomat);
        r->addStretch();
        v->addStretch();
    }

    // Points.
    {
        QVBoxLayout* v = page("TabSheetPoint", "Points", "Dédinir les paires de points homologues");
        QWidget* w = v->parentWidget();
        v->addWidget(instruction(w, "1 - Définissez 2 ou 3 paires de points homologues."));
        QHBoxLayout* r = row(v);
        SBCPoint = PairButton(w, QStringLiteral("C"), QStringLiteral("Centre de rotation"), 1);
        SBA1 = PairButton(w, QStringLiteral("A1"), QStringLiteral("Paire de rotation"), 2);
        SBA2 = PairButton(w, QStringLiteral("A2"), QStringLiteral("Paire d'affinage"), 3);
        SBLockPoint = LockButton(w);
        for (QToolButton* b : {SBCPoint, SBA1, SBA2, SBLockPoint}) r->addWidget(b);
        r->addStretch();
        group({SBCPoint, SBA1, SBA2, SBLockPoint});
        v->addWidget(instruction(w, "2 - Nivelez et Calez vos Images en Rotation:"));
        r = row(v);
        r->addWidget(plainButton(w, "SBVertCalPoint", QStringLiteral("Niveller "),
                                 QStringLiteral("Niveller ")));
        r->addWidget(plainButton(w, "SBCalStereo2Point", QStringLiteral("Caler en Rotation"),
                                 QStringLiteral("Caler en Rotation")));
        r = row(v);
        r->addWidget(plainButton(w, "ToolButtonStereoTrigoManuel", QStringLiteral("↺"),
                                 QString::fromUtf8("Rotation Manuelle Homologue à gauche")));
        r->addWidget(plainButton(w, "ToolButtonStereoHoraireManuel", QStringLiteral("↻"),
                                 QString::fromUtf8("Rotation Manuelle Homologue à droite")));
        r->addStretch();
        v->addWidget(instruction(
            w, "3 - Cliquez sur l'onglet \"Fenêtre\" pour Positionner la Fenêtre Stéréo"));
        v->addWidget(instruction(w, "Utilisez le Bouton Droit de la souris pour poser un point;  "
                                    "Position précise avec Maj+Flèches de Déplacement."));
        v->addStretch();
    }

    // Lines.
    {
        QVBoxLayout* v = page("TabSheetOrient", "Lignes", "Calage par lignes orientées");
        QWidget* w = v->parentWidget();
        v->addWidget(instruction(w, "1 - Tracez une Ligne d'Orientation dans chaque image: "
                                    "Position Précise avec Maj+Flèches de Déplacement"));
        QHBoxLayout* r = row(v);
        SBCOrient = PairButton(
            w, QStringLiteral("C"),
            QStringLiteral("Paire de Points pour le nivellement et centre de rotation"), 1);
        SBOrient1 = PairButton(w, QStringLiteral("O1"),
                               QStringLiteral("Paire de Points pour le calage en rotation"), 5);
        SBOrient2 = PairButton(w, QStringLiteral("O2"),
                               QStringLiteral("Paire de Points pour le calage en rotation"), 6);
        SBLockOrient = LockButton(w);
        SBLockOrient->setToolTip(QStringLiteral("Fixer les points"));
        for (QToolButton* b : {SBCOrient, SBOrient1, SBOrient2, SBLockOrient}) r->addWidget(b);
        r->addStretch();
        group({SBCOrient, SBOrient1, SBOrient2, SBLockOrient});
        v->addWidget(instruction(w, "2 - Nivelez et Orientez vos Images"));
        r = row(v);
        r->addWidget(plainButton(w, "SBVertCalOrient", QStringLiteral("Niveller "),
                                 QStringLiteral("Niveller ")));
        r->addStretch();
        r = row(v);
        r->addWidget(
            plainButton(w, "SBOrR", QStringLiteral("D/G"),
                        QString::fromUtf8("Orienter Image Droite par rapport à Image Gauche")));
        r->addWidget(
            plainButton(w, "SbOrL", QStringLiteral("G/D"),
                        QString::fromUtf8("Orienter Image Gauche par rapport à Image Droite")));
        r->addWidget(plainButton(w, "SBCalOrSym", QStringLiteral("G+D"),
                                 QStringLiteral("Orienter Image Gauche et Image Droite")));
        r->addWidget(plainButton(w, "SBCalOrVert", QStringLiteral("|"),
                                 QStringLiteral("Orienter sur Verticale")));
        r->addWidget(plainButton(w, "SBCalOrHorz", QStringLiteral("—"),
                                 QStringLiteral("Orienter sur Horizontale")));
        r->addWidget(plainButton(w, "SBCalOrHorzManuel", QStringLiteral("↻"),
                                 QStringLiteral("Rotation Manuelle")));
        r->addWidget(plainButton(w, "SBCalOrTrigoManuel", QStringLiteral("↺"),
                                 QStringLiteral("Rotation Manuelle")));
        r->addStretch();
        v->addWidget(instruction(
            w, "3 - Cliquez sur l'onglet \"Fenêtre\" pour Positionner la Fenêtre Stéréo"));
        v->addStretch();
    }

    // Manual.
    {
        QVBoxLayout* v = page("TabSheetHand", "Manuel", "Calage manuel");
        QWidget* w = v->parentWidget();
        v->addWidget(instruction(w, "1 - Fixez le Centre de Rotation (et autres points)"));
        QHBoxLayout* r = row(v);
        SBCManual = PairButton(w, QStringLiteral("C"), QStringLiteral("Centre de rotation"), 1);
        SBLockManual = LockButton(w);
        SpeedButton11 = PairButton(w, QStringLiteral("A1"), QStringLiteral("Paire de rotation"), 2);
        SpeedButton10 = PairButton(w, QStringLiteral("A2"), QStringLiteral("Paire d'affinage"), 3);
        for (QToolButton* b : {SBCManual, SBLockManual, SpeedButton11, SpeedButton10})
            r->addWidget(b);
        r->addStretch();
        group({SBCManual, SBLockManual, SpeedButton11, SpeedButton10});
        v->addWidget(instruction(w, "2 - Déplacez et Orientez vos Images"));
        r = row(v);
        r->addWidget(plainButton(w, "SBManuUp", QStringLiteral("^"), QStringLiteral("Haut")));
        r->addWidget(plainButton(w, "SBManuDown", QStringLiteral("v"), QStringLiteral("Bas")));
        r->addWidget(plainButton(w, "SBManuLeft", QStringLiteral("<"), QStringLiteral("Gauche")));
        r->addWidget(plainButton(w, "SBManuRight", QStringLiteral(">"), QStringLiteral("Droite")));
        r->addWidget(plainButton(w, "SBManuHoraire", QStringLiteral("↻"),
                                 QStringLiteral("Rotation Manuelle")));
        r->addWidget(plainButton(w, "SBManuTrigo", QStringLiteral("↺"),
                                 QStringLiteral("Rotation Manuelle")));
        r->addStretch();
        auto* box = new QGroupBox(QStringLiteral("Rotation:"), w);
        box->setObjectName(QStringLiteral("RadioGroupRotation"));
        auto* bl = new QHBoxLayout(box);
        int item = 0;
        for (const char* t : {"Simple", "Double", "Homologue"}) {
            auto* rb = new QRadioButton(QString::fromLatin1(t), box);
            rb->setObjectName(QStringLiteral("RadioGroupRotationItem%1").arg(item++));
            rb->setChecked(t[0] == 'S');
            bl->addWidget(rb);
        }
        v->addWidget(box);
        v->addStretch();
    }

    // Geometry.
    {
        QVBoxLayout* v = page("TabSheetGeometry", "Zoom", "Correction de grandissement");
        QWidget* w = v->parentWidget();
        v->addWidget(instruction(w, "1 - Définissez 2 paires de points Homologues pour corriger "
                                    "la différence de grandissement"));
        auto* box = new QGroupBox(QString::fromUtf8("Calcul de distance entre les points:"), w);
        box->setObjectName(QStringLiteral("RadioGroup1"));
        auto* bl = new QVBoxLayout(box);
        auto* first = new QRadioButton(QString::fromUtf8("Différence de hauteur (dy)"), box);
        first->setObjectName(QStringLiteral("RadioGroup1Item0"));
        first->setChecked(true);
        bl->addWidget(first);
        auto* second = new QRadioButton(QStringLiteral("Distance réelle: Sqrt(dx2+dy2) "), box);
        second->setObjectName(QStringLiteral("RadioGroup1Item1"));
        bl->addWidget(second);
        // The distance mode belongs to the Geometry dialog.
        connect(second, &QRadioButton::toggled, this, [](bool on) {
            if (auto* g = qobject_cast<TFormGeometry*>(AppWindows.FormGeometry))
                g->DistanceMode = on;
        });
        v->addWidget(box);
        QHBoxLayout* r = row(v);
        ToolButtonD1 = PairButton(
            w, QStringLiteral("d1"),
            QStringLiteral("Première paire de points pour calculer erreur de grandissement"), 7);
        ToolButtonD2 = PairButton(
            w, QString::fromUtf8("d2"),
            QString::fromUtf8("Deuxième paire de points pour calculer erreur de grandissement"), 8);
        ToolButtonLockGeometry = LockButton(w);
        ToolButtonLockGeometry->setToolTip(QString::fromUtf8("Protéger les points posés"));
        for (QToolButton* b : {ToolButtonD1, ToolButtonD2, ToolButtonLockGeometry}) r->addWidget(b);
        r->addStretch();
        group({ToolButtonD1, ToolButtonD2, ToolButtonLockGeometry});
        v->addWidget(instruction(w, "2 - Appliquez / Annulez la Correction"));
        r = row(v);
        r->addWidget(plainButton(w, "ToolButtonApplyZoom", QStringLiteral("Appliquer"),
                                 QStringLiteral("Appliquer correction de grandissement")));
        r->addWidget(plainButton(w, "ToolButtonCancelZoom", QStringLiteral("Annuler"),
                                 QStringLiteral("Annuler correction de grandissement")));
        r->addStretch();
        v->addStretch();
    }

    // Window.
    {
        QVBoxLayout* v = page("TabSheetWindow", "Fenêtre", "Réglage de la fenêtre stéréo");
        QWidget* w = v->parentWidget();
        v->addWidget(instruction(w, "1 - Placez une Paire de Points Homologues dans le plan de "
                                    "fenêtre ou à \"l'infini\""));
        QHBoxLayout* r = row(v);
        ToolButtonW1 =
            PairButton(w, QStringLiteral("W1"),
                       QStringLiteral("Définir la paire de points homologue de fenêtre"), 9);
        // W1 does more than select its pair: disconnect the plain selection.
        ToolButtonW1->disconnect(this);
        connect(ToolButtonW1, &QToolButton::clicked, this, [this] {
            timg* left = AppWindows.FormMain ? &AppWindows.FormMain->ImgLeft() : nullptr;
            const int width = left ? std::abs(left->Width()) : 200;
            ScrollBar1->setRange(-width, width);
            WindowPairIndex = 9;
            SBCadre1->setChecked(false);
            ToolButtonW1->setChecked(true);
            SelectPair(9);
        });
        ToolButtonLockWindow = LockButton(w);
        r->addWidget(ToolButtonW1);
        r->addWidget(ToolButtonLockWindow);
        group({ToolButtonW1, ToolButtonLockWindow});
        ToolButtonFrontWin = SubmenuButton("MenuBuild_CalcWindow", QStringLiteral("Calc"),
                                           QString::fromUtf8("Mode de calcul de la fenêtre stéréo"),
                                           [] { return Settings.DefCalcIndex; });
        ToolButtonFrontWin->setObjectName(QStringLiteral("ToolButtonFrontWin"));
        r->addWidget(ToolButtonFrontWin);
        r->addWidget(laterButton(w, "ToolButtonRearWin", QStringLiteral("Inf"),
                                 QString::fromUtf8("Définir la distance aux \"infinis\"...")));
        r->addStretch();
        ScrollBar1 = new QScrollBar(Qt::Horizontal, w);
        ScrollBar1->setObjectName(QStringLiteral("ScrollBar1"));
        ScrollBar1->setRange(-200, 200);
        ScrollBar1->setEnabled(false);
        v->addWidget(ScrollBar1);
        v->addWidget(instruction(w, "2 - Positionnez et découpez la Fenêtre:"));
        r = row(v);
        ToolButtonCrop2 = SubmenuButton("MenuView_Crop", QStringLiteral("Crop"),
                                        QString::fromUtf8("Modes de découpe...   Ctrl+W"),
                                        [this] { return CropToRepeat(); });
        ToolButtonCrop2->setObjectName(QStringLiteral("ToolButtonCrop2"));
        r->addWidget(ToolButtonCrop2);
        auto* ratio = new QComboBox(w);
        ratio->setObjectName(QStringLiteral("ComboBoxWinSize"));
        ratio->setToolTip(QStringLiteral("Contrainte pour la taille de la fenêtre stéréo"));
        ratio->setEnabled(false);
        r->addWidget(ratio);
        r->addStretch();
        LabelAutoWin = instruction(w, "3 -Taille de la fenêtre auto: 0 * 0");
        LabelAutoWin->setObjectName(QStringLiteral("LabelAutoWin"));
        v->addWidget(LabelAutoWin);
        v->addWidget(instruction(w, "4 - Fenêtre stéréo manuelle"));
        r = row(v);
        SBCadre1 = plainButton(w, "SBCadre1", QStringLiteral("Cadre"),
                               QStringLiteral("Dessiner la fenêtre manuelle avec la souris"), true);
        SBCadre1->setEnabled(false);
        r->addWidget(SBCadre1);
        r->addStretch();
        r = row(v);
        for (const char* n : {"EditWinW", "EditWinH"}) {
            auto* e = new QLineEdit(QStringLiteral("0000"), w);
            e->setObjectName(QString::fromLatin1(n));
            e->setMaximumWidth(48);
            e->setEnabled(false);
            r->addWidget(e);
        }
        r->addWidget(laterButton(w, "ToolButtonGetAutoCropSize", QStringLiteral("Auto"),
                                 QStringLiteral("Donner à la fenêtre manuelle -  La taiile de la "
                                                "fenêtre automatique")));
        r->addWidget(laterButton(
            w, "ToolButtonGetCropSize", QStringLiteral("Page"),
            QStringLiteral("Donner à la fenêtre manuelle - La taille de la page affichée")));
        r->addWidget(
            laterButton(w, "ToolButtonSetCropSize", QStringLiteral("="),
                        QStringLiteral("Donner à la fenêtre manuelle - La taille saisie")));
        r->addStretch();
        v->addStretch();
    }

    // Save.
    {
        QVBoxLayout* v = page("TabSheetSave", "Enregistrer", "Enregistrer");
        QWidget* w = v->parentWidget();
        v->addWidget(instruction(w, "Enregistrement"));
        auto* save = SubmenuButton("MenuFile_Save", QStringLiteral("Enregistrer...  [Ctrl+S]"),
                                   QStringLiteral("Enregistrer...  [Ctrl+S]"),
                                   [] { return Settings.DefSaveIndex; });
        save->setObjectName(QStringLiteral("ToolButtonSave"));
        v->addWidget(save);
        QToolButton* expert = actionButton(w, Action(QStringLiteral("MenuSave_Multi")),
                                           QStringLiteral("Enregistrer Expert [Ctrl T]"),
                                           QStringLiteral("Enregistrer Expert [Ctrl T]"));
        expert->setObjectName(QStringLiteral("ToolButtonSaveExpert"));
        v->addWidget(expert);
        auto* preview = new QToolButton(w);
        preview->setObjectName(QStringLiteral("ToolButtonPreview"));
        preview->setDefaultAction(Action(QStringLiteral("MenuFile_Preview")));
        v->addWidget(preview);
        ToolButtonTTMT = plainButton(w, "ToolButtonTTMT", QStringLiteral("Traitement d'Image"),
                                     QStringLiteral("Traitement d'Image"));
        connect(ToolButtonTTMT, &QToolButton::clicked, this, [this] { HandOffToImageProgram(); });
        v->addWidget(ToolButtonTTMT);
        v->addStretch();
    }

    centreButtons_ = {SBCPoint, SBCOrient, SBCManual};
    connect(PageControl1, &QTabWidget::currentChanged, this,
            [this](int index) { PageControlChange(index); });
}

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
    LabelVisu->setText(VisuLabelText(QString::fromUtf8(VisionModeNames[mode]),
                                     QString::fromUtf8(VisionModeCodes[mode])));
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
    PopupSubmenu(Submenu(QStringLiteral("MenuView_Crop")), x, y);
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
    if (TFormMain* main = AppWindows.FormMain) main->StatusBar1->update();
    if (auto* transpMenu = findChild<QMenu*>(QStringLiteral("PopupMenu_Transparence")))
        transpMenu->actions().first()->setChecked(true);
    WriteLabelVisu();
    Action(QStringLiteral("MenuView_Expert"))->setChecked(Settings.ExpertMode);
    ExpertModeChanged();
    ApplyToolButtonStates();
}

void TFormBuild2::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) ApplyToolButtonStates();
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
