// The Montage window's tool bars and the tabs of the alignment steps, with
// their numbered instructions and controls.
#include "montage/tformbuild2.h"

#include "aids/tformzoom.h"
#include "core/desktoplayout.h"
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
#include "montage/flowbar_ui.h"
#include "montage/helpfile_ui.h"
#include "montage/imagehandoff.h"
#include "montage/infotexts.h"
#include "montage/magnification.h"
#include "montage/mainmenu.h"
#include "montage/manualmoves.h"
#include "montage/narrowtabs_ui.h"
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

// A row of controls that wraps where the window's width ends.
tflowlayout* row(QVBoxLayout* into) {
    auto* h = new tflowlayout(nullptr, 2);
    into->addLayout(h);
    return h;
}

} // namespace

void TFormBuild2::BuildToolBars(QWidget* host) {
    auto* layout = static_cast<QVBoxLayout*>(host->layout());
    auto bar = [&](const char* name) {
        auto* t = new tflowbar(host);
        t->setObjectName(QString::fromUtf8(name));
        layout->addWidget(t);
        return t;
    };
    auto button = [&](tflowbar* t, const char* actionName, const QString& text,
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

    ToolBarInfo = new tflowbar(host);
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
    StaticTextAuto = new QLabel(info);
    StaticTextAuto->setObjectName(QStringLiteral("StaticTextAuto"));
    StaticTextAuto->setVisible(false);
    for (QLabel* l : {StaticTextRotation, StaticTextdZoom, StaticTextExtra, StaticTextAuto})
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
    PageControl1 = new tnarrowtabs(this);
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
        tflowlayout* r = row(v);
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
        ToolBarFile = new tflowbar(w);
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
        tflowlayout* r = row(v);
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
        r->addWidget(plainButton(w, "SBAutoAlign", QStringLiteral("Calage automatique"),
                                 QStringLiteral("Calage automatique")));
        r->addStretch();
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
        tflowlayout* r = row(v);
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
        tflowlayout* r = row(v);
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
        auto* bl = new tflowlayout(box, 6);
        bl->setContentsMargins(4, 4, 4, 4);
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
        tflowlayout* r = row(v);
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
        tflowlayout* r = row(v);
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
