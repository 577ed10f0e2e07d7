// The Montage window driven offscreen: the main menu against the captions and
// shortcuts of the design, the pair buttons and their locks, the tabs, the
// presets, the remembered submenus and their repeat, the about box.
#include "app/appwindows_ui.h"
#include "core/runflags.h"
#include "core/settings.h"
#include "display/tformmain.h"
#include "input/pictureload.h"
#include "input/tsepardialog.h"
#include "input/viewloader.h"
#include "lists/tformrepopenimg.h"
#include "montage/taboutbox.h"
#include "montage/tformbuild2.h"
#include "output/tformopjpeg.h"
#include "support/stereoscene.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct tmenurow {
    const char* caption;
    const char* shortcut;
};

// Typed from the design of the main menu, in menu order, submenu children
// right after their item; separators left out.
const tmenurow kExpectedMenu[] = {
    {"Fichier", ""},
    {"Ouvrir...  [Ctrl+F]", ""},
    {"Ouvrir une paire de vues séparées (Gauche puis Droite)... ", ""},
    {"Ouvrir la Vue Gauche...", ""},
    {"Ouvrir la Vue Droite...", ""},
    {"Ouvrir un couple pour vision Croisée...", ""},
    {"Ouvrir un couple pour vision Parallèle...", ""},
    {"Ouvrir un couple pour vision Verticale...", ""},
    {"Ouvrir un couple pour vision bi-Stéréo (GDG)...", ""},
    {"Ouvrir un  couple pour vision Anaglyphe (R/VB)....", ""},
    {"Ouvrir un fichier de Paramètres et ses Images...", ""},
    {"Appliquer un fichier de Paramètres aux vues courantes...", ""},
    {"Ouvrir une Liste d'images...", "Ctrl+L"},
    {"Passer à l'élément suivant de la liste", "Ctrl+N"},
    {"Ré-Ouvrir...", ""},
    {"Fermer...", ""},
    {"Fermer vue Gauche...", ""},
    {"Fermer vue Droite...", ""},
    {"Réinitialiser les paramètres...", "Ctrl+Z"},
    {"Fermer tout...", ""},
    {"&Echanger Vue Droite <=> Vue Gauche", "Ctrl+E"},
    {"Rotations rapides... [Ctrl+R]", ""},
    {"Rotation Couple 90° (sens horaire)", ""},
    {"Rotation Couple 180°", ""},
    {"Rotation Couple 270°", ""},
    {"Annuler Rotation Couple", ""},
    {"Rotation vue courante 90° (sens horaire)", ""},
    {"Rotation vue courante 180°", ""},
    {"Rotation vue courante 270°", ""},
    {"Miroir Horizontal de la vue courante", ""},
    {"Miroir Vertical de la vue courante", ""},
    {"Annuler Rotation ou Miroir de la vue courante", ""},
    {"Séparer Vues G et D d'un Couple Stéréo...", ""},
    {"Définir la Séparation entre les Vues ", ""},
    {"Séparer les vues d'un couple pour vision Croisée", ""},
    {"Séparer les vues d'un couple pour vision Parallèle", ""},
    {"Séparer les vues d'un couple pour vision Anaglyphe", ""},
    {"Séparer les vues d'un couple pour vision Verticale", ""},
    {"Séparer les vues d'un couple Bi-Stéréo (GDG)", ""},
    {"Prévisualiser...", ""},
    {"Enregistrer...  [Ctrl+S]", ""},
    {"Enregistrer la Vue Gauche", ""},
    {"Enregistrer la Vue Droite", ""},
    {"Enregistrer un Couple pour vision Croisée", ""},
    {"Enregistrer un Couple pour vision Parallèle", ""},
    {"Enregistrer un Couple pour vision Verticale", ""},
    {"Enregistrer un Couple pour vision Anaglyphe (R/VB)", ""},
    {"Enregistrer un Couple pour vision bi-Stéréo (GDG)", ""},
    {"Enregistrer les paramètres de calage...", "Ctrl+P"},
    {"Enregistrement multiple en une passe", "Ctrl+T"},
    {"Quitter", "Ctrl+Q"},
    {"Liste", ""},
    {"Ouvrir une Liste...", "Ctrl+L"},
    {"Suivant...", "Ctrl+N"},
    {"Précédent...", ""},
    {"Démarrer un Diaporama...", ""},
    {"Continuer...", ""},
    {"Stop", ""},
    {"Traitement par lots: Sauvegarde", ""},
    {"Edition", ""},
    {"Stop", ""},
    {"Couper Couple Stéréo", "Ctrl+X"},
    {"Copier Couple Stéréo", "Ctrl+C"},
    {"Coller Couple Stéréo", "Ctrl+V"},
    {"Couper Vue Courante", ""},
    {"Copier Vue Courante ", ""},
    {"Coller Vue Courante", ""},
    {"Voir", ""},
    {"Basculer le focus d'une vue à l'autre  [Barre d'espace]", ""},
    {"Grille et repères de montage...", ""},
    {"Montrer les repères de montage", "Ctrl+G"},
    {"Points homologues", ""},
    {"Grille de montage", ""},
    {"Lignes homologues", ""},
    {"Modes de vision...       Ctrl+U", ""},
    {"Vision Croisée", ""},
    {"Vision Parallèle", ""},
    {"Vision Verticale", ""},
    {"Vision Verticale2", ""},
    {"Vision Anaglyphe Rouge / Cyan", ""},
    {"Vision Transparence", ""},
    {"Vision Alternée", ""},
    {"Prévisualiser...", ""},
    {"Modes de découpe...   Ctrl+W", ""},
    {"Visu sans découpe", ""},
    {"Découpe automatique", ""},
    {"Découpe selon cadre manuel", ""},
    {"Découpe selon les limites de l'écran", ""},
    {"Zoom", ""},
    {"Adapter les vues à la  fenêtre", "Ctrl+A"},
    {"Taille Réelle", ""},
    {"Zoom Maxi", "Ctrl+M"},
    {"Zoom In (+)", "Ctrl+I"},
    {"Zoom Out (-)", "Ctrl+O"},
    {"Centrer les vues quand on adapte les images à la fenêtre", "Ctrl+D"},
    {"Fenêtre de Montage", "F2"},
    {"Fenêtre Image", "F3"},
    {"Fenêtre Loupe", "F4"},
    {"Fenêtre Couleurs", "F5"},
    {"Fenêtre Effets / Filtres", "F6"},
    {"Configuration automatique du bureau", "F8"},
    {"Plein écran de montage ", "F9"},
    {"Plein écran de visualisation", "F10"},
    {"Montage", ""},
    {"Montage par points homologues", ""},
    {"Calage automatique", ""},
    {"Montage par lignes de direction  (Fonction avancée)", ""},
    {"Montage manuel  (Fonction avancée)", ""},
    {"Correction de géométrie (correction de zoom)", ""},
    {"Réglage de l'effet de fenêtre stéréo", ""},
    {"Mode de calcul de la fenêtre stéréo", ""},
    {"Points homologues dans le plan de fenêtre (distance nulle)", ""},
    {"Distance des infinis: calcul selon largeur utilisateur", ""},
    {"Distance des infinis: calcul selon largeur normalisée argentique", ""},
    {"Distance des infinis: calcul selon largeur normalisée numérique", ""},
    {"Distance des infinis: calcul selon largeur image", ""},
    {"Annuler le Fenêtrage", ""},
    {"Définir la distance aux \"infinis\"...", ""},
    {"Annulations", ""},
    {"Effacer le point courant", "Del"},
    {"Annuler les déplacements des images", "Ctrl+D"},
    {"Annuler le calage par nivellement", ""},
    {"Annuler les rotations", ""},
    {"Annuler les corrections de géométrie", ""},
    {"Annuler le fenêtrage", ""},
    {"Réinitialiser les paramètres...", "Ctrl+Z"},
    {"Fermer tout...", ""},
    {"Saisir la paire de points homologues suivante", "Ctrl+H"},
    {"Editer les paramètres...", ""},
    {"Editer les points...", ""},
    {"Demo rotation homologue", ""},
    {"Couleurs", ""},
    {"Convertir Image Courante en Niveaux de Gris...", ""},
    {"Convertir Couple en Niveaux de Gris...", ""},
    {"Options", ""},
    {"Mode Expert: utiliser les fonctions de calage avancées", ""},
    {"Automatismes par défaut de la saisie des points de calage", ""},
    {"Configuration des automatismes de saisie des points de calage", ""},
    {"Pas d'AutoPoint", ""},
    {"AutoPoints : 2", ""},
    {"AutoPoints : 3", ""},
    {"Calage Automatique après la pose du 2ème point d'une paire", ""},
    {"Pas de Fenêtrage Auto", ""},
    {"Fenêtrage auto dans le plan de la fenêtre", ""},
    {"Fenêtrage auto à l'infini", ""},
    {"Réglage des paramètres de fenêtrage à l'infini", ""},
    {"Convertir puis enregistrer les bitmaps en 24 bits (32 par défaut) ", ""},
    {"Options d'enregistrement et de lecture Jpeg...", ""},
    {"Définir la Séparation entre les Vues...", ""},
    {"Redirection des Répertoires d'Images", ""},
    {"Demander avant de créer un nouveau répertoire", ""},
    {"Démarrage en mode de visualisation", ""},
    {"Forcer le mode de visualisation par défaut lors du chargement d'image", ""},
    {"Confirmer avant de Quitter", ""},
    {"Action continue des barres de défilement", ""},
    {"Inverser l'orientation des barres de défilement", ""},
    {"Modifier l'action des boutons de la souris", ""},
    {"Bouton Droit pour positionner les points - Bouton Gauche pour \"naviguer\" dans l'image", ""},
    {"Bouton Gauche pour positionner les points - Bouton Droit pour \"naviguer\" dans l'image", ""},
    {"Redéfinition de la touche rapide d'accès à la fenêtre de montage (F2 par défaut)...", ""},
    {"Récupération automatique du contenu image du presse-papier", ""},
    {"Type de stéréo (X,P,A, Bi...) à charger par  Glisser Déposer ou à partir du Presse-Papier",
     ""},
    {"Réinitialiser les paramètres de démarrage... ", ""},
    {"Aide", ""},
    {"Aide pour le calage des couples stéréos...", "F1"},
    {"Aide complémentaire...", ""},
    {"Forum aux Questions...", ""},
    {"Choisir une langue...", ""},
    {"A Propos...", ""},
};

void collect(const QList<QAction*>& actions, std::vector<QAction*>& out) {
    for (QAction* a : actions) {
        if (a->isSeparator()) continue;
        out.push_back(a);
        if (a->menu()) collect(a->menu()->actions(), out);
    }
}

// Records the keys and wheel turns that reach the display window.
class inputspy : public QObject {
public:
    QList<int> keys;
    int wheels = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::KeyPress) keys << static_cast<QKeyEvent*>(e)->key();
        if (e->type() == QEvent::Wheel) ++wheels;
        return false;
    }
};

class MontageWindow : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = Settings;
        Settings = tsettings();
        CurPoint = 0;
        PointsLocked = false;
        gStarted = false;
        AppWindows.FormMain = new TFormMain();
        form = new TFormBuild2();
        AppWindows.FormBuild2 = form;
        gStarted = true;
    }
    void TearDown() override {
        delete form;
        delete AppWindows.FormMain;
        AppWindows = tappwindows();
        Settings = saved_;
        CurPoint = 0;
        PointsLocked = false;
        gStarted = false;
    }
    QAction* act(const char* name) { return form->Action(QString::fromUtf8(name)); }
    timg& left() { return AppWindows.FormMain->ImgLeft(); }
    timg& right() { return AppWindows.FormMain->ImgRight(); }
    void placePair(int index) {
        left().PlacePoint(index, 10, 10);
        right().PlacePoint(index, 12, 10);
    }
    std::vector<QToolButton*> lockButtons() {
        return {form->SBLockPoint, form->ToolButtonLockWindow, form->SBLockOrient,
                form->SBLockManual, form->ToolButtonLockGeometry};
    }

    TFormBuild2* form = nullptr;

private:
    tsettings saved_;
};

TEST_F(MontageWindow, MenuCaptionsAndShortcutsFollowTheDesignInMenuOrder) {
    std::vector<QAction*> all;
    collect(form->MenuBarActions(), all);
    const size_t expected = sizeof(kExpectedMenu) / sizeof(kExpectedMenu[0]);
    ASSERT_EQ(all.size(), expected);
    for (size_t i = 0; i < expected; ++i) {
        EXPECT_EQ(all[i]->text(), QString::fromUtf8(kExpectedMenu[i].caption)) << "item " << i;
        EXPECT_EQ(all[i]->shortcut().toString(QKeySequence::PortableText),
                  QString::fromLatin1(kExpectedMenu[i].shortcut))
            << kExpectedMenu[i].caption;
    }
}

// A key given to two items runs the first one, once, and never the second:
// Ctrl+D centres (and leaves the scrolls alone), Ctrl+Z resets the
// parameters once.
TEST_F(MontageWindow, AShortcutDeclaredTwiceRunsOnlyTheFirstItem) {
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form));
    Settings.AdaptAndCenter = true;
    left().posx = 12;
    const struct {
        Qt::Key key;
        const char *first, *second;
    } keys[] = {{Qt::Key_D, "MenuView_AdaptAndCenter", "MenuRaz_Scroll"},
                {Qt::Key_Z, "MenuClose_RazParams", "MenuRaz_RazParams"}};
    for (const auto& k : keys) {
        int first = 0, second = 0;
        auto c1 = QObject::connect(act(k.first), &QAction::triggered, [&] { ++first; });
        auto c2 = QObject::connect(act(k.second), &QAction::triggered, [&] { ++second; });
        QTest::keyClick(form, k.key, Qt::ControlModifier);
        EXPECT_EQ(first, 1) << k.first;
        EXPECT_EQ(second, 0) << k.second;
        QObject::disconnect(c1);
        QObject::disconnect(c2);
    }
    EXPECT_FALSE(Settings.AdaptAndCenter) << "Ctrl+D turned the centring off";
    EXPECT_DOUBLE_EQ(left().posx, 0) << "Ctrl+Z reset the parameters";
    form->hide();
}

TEST_F(MontageWindow, LaterCommandsArePresentAndDisabledLiveOnesEnabled) {
    for (const char* n : {"MenuView_Colors", "MenuView_Filters", "MenuMode_V2"})
        EXPECT_FALSE(act(n)->isEnabled()) << n;
    for (const char* n : {"MenuHelp_About", "MenuOptions_Visu", "MenuBuild_NextPoint",
                          "MenuView_GridPoints", "MenuEdit_Stop", "MenuMode_P", "MenuFile_Swap",
                          "MenuFile_OpenParams", "MenuFile_ApplyParams", "MenuSave_Params",
                          "MenuSave_Multi", "MenuSave_X", "MenuFile_Preview", "MenuList_Open",
                          "MenuList_Stop", "MenuList_SaveBatch", "MenuFile_Next", "Langue1"})
        EXPECT_TRUE(act(n)->isEnabled()) << n;
}

TEST_F(MontageWindow, LockKeepsMarksAndSendsClicksToPointZero) {
    form->PageControl1->setCurrentIndex(TabPoint);
    form->SBA1->click();
    ASSERT_EQ(CurPoint, 2);
    form->SBLockPoint->click();
    EXPECT_EQ(CurPoint, 0);
    EXPECT_TRUE(PointsLocked);
    EXPECT_NE(Settings.MouseTool, 0);
    EXPECT_TRUE(Settings.ShowGrid);
    for (QToolButton* b : lockButtons()) EXPECT_TRUE(b->isChecked());
    EXPECT_FALSE(form->SBA1->isChecked());
}

TEST_F(MontageWindow, CompletedPairsFollowTheAutomaticSequence) {
    Settings.MaxPtsIndex = 2;
    form->PageControl1->setCurrentIndex(TabPoint);
    ASSERT_EQ(CurPoint, 1);
    placePair(1);
    form->AdvanceAfterPair();
    EXPECT_EQ(CurPoint, 2);
    placePair(2);
    form->AdvanceAfterPair();
    EXPECT_EQ(CurPoint, 0);
    EXPECT_TRUE(PointsLocked);
}

TEST_F(MontageWindow, TabsSelectTheirPairs) {
    form->PageControl1->setCurrentIndex(TabGeometry);
    EXPECT_EQ(CurPoint, 7);
    EXPECT_TRUE(form->ToolButtonD1->isChecked());
    form->PageControl1->setCurrentIndex(TabWindow);
    EXPECT_EQ(CurPoint, 9);
    EXPECT_TRUE(form->ToolButtonW1->isChecked());
    EXPECT_EQ(form->WindowPairIndex, 9);
    form->PageControl1->setCurrentIndex(TabPoint);
    EXPECT_EQ(CurPoint, 1);
    EXPECT_TRUE(form->SBCPoint->isChecked());
    form->PageControl1->setCurrentIndex(TabLoad);
    EXPECT_EQ(Settings.DefPageControlIndex, TabLoad);
}

TEST_F(MontageWindow, ExpertModeShowsTheLinesAndManualTabs) {
    form->show();
    EXPECT_FALSE(form->PageControl1->isTabVisible(TabOrient));
    EXPECT_FALSE(form->PageControl1->isTabVisible(TabHand));
    QMenu* build = form->Submenu(QStringLiteral("MenuBuild"));
    Q_EMIT build->aboutToShow();
    EXPECT_FALSE(act("MenuBuild_Line")->isEnabled());
    act("MenuView_Expert")->trigger();
    EXPECT_TRUE(Settings.ExpertMode);
    EXPECT_TRUE(form->PageControl1->isTabVisible(TabOrient));
    EXPECT_TRUE(form->PageControl1->isTabVisible(TabHand));
    Q_EMIT build->aboutToShow();
    act("MenuBuild_Line")->trigger();
    EXPECT_EQ(form->PageControl1->currentIndex(), TabOrient);
    form->hide();
}

TEST_F(MontageWindow, PresetsConfigureTheSequencing) {
    form->SpeedButtonAutomat->click();
    EXPECT_TRUE(Settings.CalAuto);
    EXPECT_EQ(Settings.MaxPtsIndex, 2);
    EXPECT_EQ(Settings.DefStereoWindow, 1);
    EXPECT_EQ(Settings.CropIndex, 0);
    EXPECT_TRUE(act("MenuView_NoCrop")->isChecked());
    EXPECT_EQ(form->PageControl1->currentIndex(), TabPoint);
    EXPECT_EQ(CurPoint, 1);
    EXPECT_TRUE(act("MenuOptions_AutoPoints2")->isChecked());
    EXPECT_TRUE(act("MenuOptions_AutoWindowPlane")->isChecked());

    // The default-automatisms item runs the other preset.
    act("MenuOptions_Automat")->trigger();
    EXPECT_FALSE(Settings.CalAuto);
    EXPECT_EQ(Settings.MaxPtsIndex, 0);
    EXPECT_EQ(Settings.DefStereoWindow, 0);
    EXPECT_TRUE(act("MenuOptions_NoAutoPoint")->isChecked());
}

TEST_F(MontageWindow, OptionsMenuShowsAndWritesTheSettings) {
    Settings.ScrollSpeed = false;
    Settings.ScrollDir = -1;
    Settings.MouseSwap = true;
    Settings.AskQuit = false;
    Q_EMIT form->Submenu(QStringLiteral("MenuOptions"))->aboutToShow();
    EXPECT_TRUE(act("MenuOptions_QuickScroll")->isChecked());
    EXPECT_FALSE(act("MenuOptions_InverseScrollDirection")->isChecked());
    EXPECT_TRUE(act("MenuOptions_InvMouse")->isChecked());
    EXPECT_FALSE(act("MenuOptions_AskbeforeQuit")->isChecked());

    act("MenuOptions_QuickScroll")->trigger();
    EXPECT_TRUE(Settings.ScrollSpeed);
    act("MenuOptions_InverseScrollDirection")->trigger();
    EXPECT_EQ(Settings.ScrollDir, 1);
    act("MenuOptions_AskbeforeQuit")->trigger();
    EXPECT_TRUE(Settings.AskQuit);
    act("MenuOptions_DefaultMouse")->trigger();
    EXPECT_FALSE(Settings.MouseSwap);
    act("MenuOptions_AutoPoints3")->trigger();
    EXPECT_EQ(Settings.MaxPtsIndex, 3);
}

TEST_F(MontageWindow, RightClickOnACropButtonNeverRepeatsTheUncroppedView) {
    Settings.CropIndex = 0;
    for (QToolButton* b : {form->ToolButtonCrop, form->ToolButtonCrop2}) {
        Settings.CropIndex = 0;
        QContextMenuEvent e(QContextMenuEvent::Mouse, QPoint(2, 2));
        QApplication::sendEvent(b, &e);
        EXPECT_EQ(Settings.CropIndex, 1);
        EXPECT_FALSE(b->isDown()) << "the button is released after the repeat";
    }
    // With the frame button down and a manual frame on the current view the
    // manual-frame crop is repeated instead.
    form->SBCadre1->setChecked(true);
    left().mancropd = true;
    Settings.CropIndex = 0;
    QContextMenuEvent e(QContextMenuEvent::Mouse, QPoint(2, 2));
    QApplication::sendEvent(form->ToolButtonCrop, &e);
    EXPECT_EQ(Settings.CropIndex, 2);
}

TEST_F(MontageWindow, RightClickOnTheViewButtonRepeatsTheRememberedMode) {
    Settings.DefShowIndex = 4;
    QContextMenuEvent e(QContextMenuEvent::Mouse, QPoint(2, 2));
    QApplication::sendEvent(form->ToolButtonView, &e);
    EXPECT_EQ(Settings.VisionMode, 4);
    EXPECT_TRUE(act("MenuMode_Ana")->isChecked());
    EXPECT_EQ(form->LabelVisu->text(), QStringLiteral("Vision Anaglyphe -  A "));
}

TEST_F(MontageWindow, RememberedIndexOutsideTheSubmenuRunsTheFirstChild) {
    QMenu* modes = form->Submenu(QStringLiteral("MenuView_Mode"));
    EXPECT_EQ(form->DoMenuItem(modes, 42), 0);
    EXPECT_EQ(Settings.VisionMode, 0);
    EXPECT_EQ(form->DoMenuItem(modes, -3), 0);
    EXPECT_EQ(form->DoMenuItem(form->Submenu(QStringLiteral("MenuHelp_About")), 0), -1);

    // A damaged settings file may leave any number here; opening the quick
    // rotations still checks an item of the submenu.
    Settings.DefRotationsIndex = 99;
    QMenu* rotations = form->Submenu(QStringLiteral("MenuFile_Rotations"));
    Q_EMIT rotations->aboutToShow();
    EXPECT_TRUE(rotations->actions().first()->isChecked());
}

TEST_F(MontageWindow, DoMenuItemCheckedRunsTheCheckedMode) {
    QMenu* modes = form->Submenu(QStringLiteral("MenuView_Mode"));
    act("MenuMode_Transp")->setChecked(true);
    EXPECT_EQ(form->DoMenuItemChecked(modes, 0), 5);
    EXPECT_EQ(Settings.VisionMode, 5);
    EXPECT_EQ(form->LabelVisu->text(), QStringLiteral("Vision Transparence -  T "));
}

// The vision popup lists the modes with the current one checked, its items
// run their modes, and a second popup replaces the first on the screen.
TEST_F(MontageWindow, VisionPopupShowsTheModesAndOnlyTheLatestStaysOpen) {
    act("MenuMode_Ana")->trigger();
    form->PopupVisionMenu(10, 10);
    auto* shown = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_TRUE(shown);
    QStringList captions, checked;
    for (QAction* a : shown->actions()) {
        if (a->isSeparator()) continue;
        captions << a->text();
        if (a->isChecked()) checked << a->text();
    }
    EXPECT_EQ(captions, QStringList({QString::fromUtf8("Vision Croisée"),
                                     QString::fromUtf8("Vision Parallèle"), "Vision Verticale",
                                     "Vision Verticale2", "Vision Anaglyphe Rouge / Cyan",
                                     "Vision Transparence", QString::fromUtf8("Vision Alternée"),
                                     QString::fromUtf8("Prévisualiser...")}));
    EXPECT_EQ(checked, QStringList{"Vision Anaglyphe Rouge / Cyan"});
    form->PopupVisionMenu(20, 20);
    int open = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<QMenu*>(w) && w->isVisible()) ++open;
    EXPECT_EQ(open, 1);
    auto* second = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_TRUE(second);
    for (QAction* a : second->actions())
        if (a->text() == QString::fromUtf8("Vision Parallèle")) a->trigger();
    EXPECT_EQ(Settings.VisionMode, VisionParallel);
    second->hide();
}

TEST_F(MontageWindow, GridItemsSetTheMarks) {
    act("MenuView_GridLine")->trigger();
    EXPECT_EQ(Settings.DefGridIndex, 3);
    EXPECT_EQ(Settings.GridIndex, 3);
    EXPECT_TRUE(Settings.ShowGrid);
    act("MenuView_GridNone")->trigger();
    EXPECT_FALSE(Settings.ShowGrid);
    EXPECT_EQ(Settings.GridIndex, 0);
    EXPECT_EQ(Settings.MouseTool, 0) << "markers hidden";
    EXPECT_TRUE(Settings.VisuCurrent);
    act("MenuView_GridNone")->trigger();
    EXPECT_TRUE(Settings.ShowGrid);
    EXPECT_EQ(Settings.GridIndex, 3);
}

TEST_F(MontageWindow, AngleTextOfAViewTurnedBackOneDegree) {
    left().SetRot(-M_PI / 180);
    form->ShowAngleInfo();
    EXPECT_TRUE(form->StaticTextRotation->text().contains(QStringLiteral("L 359")))
        << form->StaticTextRotation->text().toStdString();
}

TEST_F(MontageWindow, KeysAndWheelGoToTheDisplayWindow) {
    inputspy spy;
    AppWindows.FormMain->installEventFilter(&spy);
    QTest::keyClick(form, Qt::Key_PageDown);
    EXPECT_EQ(spy.keys, QList<int>{Qt::Key_PageDown});
    QWheelEvent wheel(QPointF(5, 5), form->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, 120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(form, &wheel);
    EXPECT_EQ(spy.wheels, 1);
    gStarted = false;
    QApplication::sendEvent(form, &wheel);
    EXPECT_EQ(spy.wheels, 1) << "not before start-up has finished";
    AppWindows.FormMain->removeEventFilter(&spy);
}

TEST_F(MontageWindow, ColourButtonsFollowTheMask) {
    form->ShowColorMaskButtons(0x00FFFF);
    EXPECT_FALSE(form->ToolButtonR->isChecked());
    EXPECT_TRUE(form->ToolButtonG->isChecked());
    EXPECT_TRUE(form->ToolButtonCyanRed->isChecked());
    form->ToolButtonR->click();
    EXPECT_EQ(AppWindows.FormMain->Display.ColorMask, 0xFFFFFF);
    form->ToolButtonInvMask->click();
    EXPECT_EQ(AppWindows.FormMain->Display.ColorMask, 0x000000);
}

TEST(AboutBox, ShowsVersionAndDateAndOkCloses) {
    TAboutBox box;
    EXPECT_EQ(box.windowTitle(), QStringLiteral("A propos"));
    EXPECT_EQ(box.Version->text(), QStringLiteral("Version : 1.3"));
    EXPECT_EQ(box.Date->text(), QStringLiteral("14-06-09"));
    // Shown in the middle of the screen.
    box.show();
    const QPoint screenCentre = QGuiApplication::primaryScreen()->availableGeometry().center();
    EXPECT_LE((box.frameGeometry().center() - screenCentre).manhattanLength(), 2);
    box.hide();
    QTimer::singleShot(0, [&box] { box.OKButton->click(); });
    EXPECT_EQ(box.exec(), QDialog::Accepted);
}

} // namespace

namespace {

TEST_F(MontageWindow, FitsTheColumnOfTheDesktopArrangement) {
    // The arrangements give the Montage window 290 pixels of the screen's width.
    form->show();
    for (int tab = 0; tab < form->PageControl1->count(); ++tab) {
        form->PageControl1->setCurrentIndex(tab);
        form->resize(290, 900);
        QApplication::processEvents();
        EXPECT_EQ(form->width(), 290) << "tab " << tab;
    }
    form->hide();
}

} // namespace

namespace {

TEST_F(MontageWindow, LevelButtonBringsTheCentrePointsTogether) {
    left().PlacePoint(1, 100, 50);
    right().PlacePoint(1, 110, 60);
    form->PageControl1->setCurrentIndex(TabPoint);
    form->findChild<QToolButton*>(QStringLiteral("SBVertCalPoint"))->click();
    // The left view is current and stays put; the right view's C point is
    // shifted onto the left one: (100 - 110, 50 - 60).
    EXPECT_DOUBLE_EQ(left().posx, 0);
    EXPECT_DOUBLE_EQ(left().posy, 0);
    EXPECT_DOUBLE_EQ(right().posx, -10);
    EXPECT_DOUBLE_EQ(right().posy, -10);
}

TEST_F(MontageWindow, CompletingCWithAutomaticAlignmentLevelsThePair) {
    Settings.CalAuto = true;
    Settings.MaxPtsIndex = 2;
    form->PageControl1->setCurrentIndex(TabPoint);
    left().PlacePoint(1, 40, 30);
    right().PlacePoint(1, 45, 20);
    form->AdvanceAfterPair();
    EXPECT_DOUBLE_EQ(right().posx, -5);
    EXPECT_DOUBLE_EQ(right().posy, 10);
    EXPECT_EQ(CurPoint, 2);
}

TEST_F(MontageWindow, QuickRotationMenuTurnsThePairAndShowsTheCodes) {
    left().bitmap = NewViewBitmap(8, 4);
    right().bitmap = NewViewBitmap(8, 4);
    QMenu* rotations = form->Submenu(QStringLiteral("MenuFile_Rotations"));
    EXPECT_EQ(form->DoMenuItem(rotations, 0), 0);
    EXPECT_EQ(left().bitmap.width(), 4);
    EXPECT_EQ(form->SpeedButton1->text(), QStringLiteral("90"));
    EXPECT_EQ(form->SpeedButton2->text(), QStringLiteral("90"));
    EXPECT_EQ(Settings.DefRotationsIndex, 0);
    // Ctrl+R in the display repeats it.
    form->MenuFile_RotationsCurrentMenu();
    EXPECT_EQ(form->SpeedButton1->text(), QStringLiteral("180"));
}

TEST_F(MontageWindow, ResetParametersLocksAndForgetsThePairs) {
    form->PageControl1->setCurrentIndex(TabPoint);
    form->SBA1->click();
    left().posx = 12;
    act("MenuClose_RazParams")->trigger();
    EXPECT_DOUBLE_EQ(left().posx, 0);
    EXPECT_EQ(form->LastPoint(), 0);
    EXPECT_EQ(Settings.GridIndex, 0);
    for (QToolButton* b : lockButtons()) EXPECT_TRUE(b->isChecked());
}

} // namespace

namespace {

TEST_F(MontageWindow, WindowTabShowsTheAutomaticWindowSize) {
    left().bitmap = NewViewBitmap(640, 480);
    right().bitmap = NewViewBitmap(640, 480);
    right().posx = 40; // the views overlap on 600 columns
    form->PageControl1->setCurrentIndex(TabWindow);
    EXPECT_EQ(form->LabelAutoWin->text(), QString::fromUtf8("Fenêtre Auto: 0600 * 0480"));
}

} // namespace

namespace {

TEST_F(MontageWindow, ImageProcessingButtonWarnsWhenTheProgramIsMissing) {
    QString text;
    QTimer::singleShot(0, [&text] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            text = box->text();
            box->button(QMessageBox::Ok)->click();
        }
    });
    form->ToolButtonTTMT->click();
    EXPECT_EQ(text, QStringLiteral("Programme de traitement d'image introuvable\n") +
                        QCoreApplication::applicationDirPath() + QStringLiteral("/tralfe.exe"));
}

} // namespace

namespace {} // namespace

namespace {

TEST_F(MontageWindow, FocusButtonsMakeTheirViewCurrent) {
    ASSERT_TRUE(form->ToolButtonRight->isEnabled());
    form->ToolButtonRight->click();
    EXPECT_EQ(AppWindows.FormMain->GetCurrent().img, &right());
    EXPECT_TRUE(form->ToolButtonRight->isChecked());
    EXPECT_FALSE(form->ToolButtonLeft->isChecked());
    act("MenuEdit_Focus")->trigger();
    EXPECT_EQ(AppWindows.FormMain->GetCurrent().img, &left());
    EXPECT_TRUE(form->ToolButtonLeft->isChecked());
}

} // namespace

namespace {

TEST_F(MontageWindow, OptionsOpenTheSeparationAndRedirectionDialogs) {
    QMenu* options = form->Submenu(QStringLiteral("MenuOptions"));
    Q_EMIT options->aboutToShow();
    EXPECT_FALSE(act("MenuOptions_MakeStereo")->isEnabled()) << "no dialog yet";

    TSeparDialog separ;
    TFormRepOpenImg redirect;
    AppWindows.SeparDialog = &separ;
    AppWindows.FormRepOpenImg = &redirect;
    Q_EMIT options->aboutToShow();
    ASSERT_TRUE(act("MenuOptions_MakeStereo")->isEnabled());
    ASSERT_TRUE(act("MenuOptions_ImageDirectory")->isEnabled());

    Settings.OpenSepar = 24;
    Settings.ExtractOption = 2; // the dialog keeps the manual width for this choice
    act("MenuOptions_MakeStereo")->trigger();
    EXPECT_TRUE(separ.isVisible());
    EXPECT_EQ(separ.EditSeparManuel->text(), QStringLiteral("24"));
    separ.hide();

    bool wasModal = false;
    QTimer::singleShot(0, [&] {
        wasModal = QApplication::activeModalWidget() == &redirect;
        redirect.reject();
    });
    act("MenuOptions_ImageDirectory")->trigger();
    EXPECT_TRUE(wasModal);
    AppWindows.SeparDialog = nullptr;
    AppWindows.FormRepOpenImg = nullptr;
}

TEST_F(MontageWindow, OptionsShowTheJpegOptionsWindow) {
    TFormOpJpeg jpeg(nullptr);
    AppWindows.FormOpJpeg = &jpeg;
    ASSERT_TRUE(act("MenuOptions_Jpeg")->isEnabled());
    act("MenuOptions_Jpeg")->trigger();
    EXPECT_TRUE(jpeg.isVisible());
    jpeg.hide();
    AppWindows.FormOpJpeg = nullptr;
}

} // namespace

namespace {

TEST_F(MontageWindow, AutomaticSequenceAlignsARealPair) {
    const QByteArray folder = qgetenv("ORVANEL_TESTDATA");
    if (folder.isEmpty()) GTEST_SKIP() << "ORVANEL_TESTDATA not set";
    const QString l = QString::fromLocal8Bit(folder) + QStringLiteral("/aloe_L.jpg");
    const QString r = QString::fromLocal8Bit(folder) + QStringLiteral("/aloe_R.jpg");
    QImage pl, pr;
    QString info;
    ASSERT_TRUE(LoadPictureFile(pl, l, info));
    ASSERT_TRUE(LoadPictureFile(pr, r, info));
    form->Loader().LoadSingleView(pl, left(), l, nullptr);
    form->Loader().LoadSingleView(pr, right(), r, nullptr);
    form->show();

    form->SpeedButtonAutomat->click();
    ASSERT_EQ(CurPoint, 1);
    left().PlacePoint(1, 100, 100);
    right().PlacePoint(1, 120, 90);
    form->AdvanceAfterPair();
    ASSERT_EQ(CurPoint, 2);
    // A1 lies 500 pixels right of C in both views, 20 pixels lower in the
    // right one: that view turns by atan(20 / 500) = 2.29 degrees.
    left().PlacePoint(2, 600, 100);
    right().PlacePoint(2, 620, 110);
    form->AdvanceAfterPair();
    EXPECT_TRUE(PointsLocked);
    EXPECT_EQ(CurPoint, 0);
    EXPECT_NEAR(right().rot, std::atan(20.0 / 500.0), 1e-9);
    EXPECT_DOUBLE_EQ(left().rot, 0);
    EXPECT_TRUE(form->StaticTextRotation->text().endsWith(QString::fromUtf8("R   2.29 °")))
        << form->StaticTextRotation->text().toStdString();
    form->hide();
}

TEST_F(MontageWindow, AutomaticAlignmentTurnsTheRightViewAndShowsItsLine) {
    // The right view turned 2 degrees counter-clockwise and raised 6 px.
    const tstereoscene scene = DepthScene(720, 480, 51);
    form->Loader().LoadSingleView(scene.left, left(), QStringLiteral("l.bmp"), nullptr);
    form->Loader().LoadSingleView(TurnedView(scene.right, 2.0, 1.0, -6), right(),
                                  QStringLiteral("r.bmp"), nullptr);
    ASSERT_TRUE(act("MenuBuild_Auto")->isEnabled());
    form->findChild<QToolButton*>(QStringLiteral("SBAutoAlign"))->click();
    EXPECT_TRUE(form->StaticTextAuto->text().startsWith(QStringLiteral("auto: ")));
    EXPECT_FALSE(form->StaticTextAuto->isHidden());
    EXPECT_NEAR(std::remainder(right().rot - left().rot, 2 * M_PI), -2.0 * M_PI / 180, 1e-3);
    EXPECT_TRUE(right().pt[9].d);
    // A pair with nothing to match says so and leaves the views alone.
    QImage black(720, 480, QImage::Format_RGB32);
    black.fill(Qt::black);
    form->Loader().LoadSingleView(black, right(), QStringLiteral("b.bmp"), nullptr);
    const double rot = right().rot;
    act("MenuBuild_Auto")->trigger();
    EXPECT_EQ(form->StaticTextAuto->text(), QStringLiteral("auto: no reliable matches"));
    EXPECT_EQ(right().rot, rot);
}

} // namespace
