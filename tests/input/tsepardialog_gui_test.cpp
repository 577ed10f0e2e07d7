// The separation dialog: its texts, what it shows for each ExtractOption,
// and its answers to DetectSeparation.
#include "input/tsepardialog.h"

#include "core/settings.h"
#include "core/stereokinds.h"
#include "core/viewpair.h"

#include "guiapp.h"
#include "inputfixtures.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace {

class SeparDialog : public ::testing::Test {
protected:
    void SetUp() override {
        GuiApp();
        dialog = new TSeparDialog;
        SetSeparationDialog(dialog);
    }
    void TearDown() override {
        SetSeparationDialog(nullptr);
        delete dialog;
        Settings = saved;
    }
    // Runs `action` once the modal loop has started.
    void WhenShown(std::function<void()> action) {
        QTimer::singleShot(0, dialog, [this, action] {
            ASSERT_TRUE(dialog->isVisible());
            action();
        });
    }
    QImage BandPicture() {
        QImage pic = PatternImage(200, 100);
        for (int y = 0; y < 100; ++y)
            for (int x = 95; x < 105; ++x) pic.setPixel(x, y, qRgb(0, 0, 0));
        return pic;
    }
    TSeparDialog* dialog = nullptr;
    tsettings saved = Settings;
};

TEST_F(SeparDialog, ShowsItsTextsExactly) {
    EXPECT_EQ(dialog->windowTitle(), "Extraction des Vues Stéréo");
    EXPECT_EQ(dialog->findChild<QGroupBox*>("RadioGroup1")->title(),
              "Taille de la Séparation entre les Vues (en pixels):");
    EXPECT_EQ(dialog->findChild<QGroupBox*>("RadioGroupDemander")->title(),
              "Afficher cette Fenêtre:");
    EXPECT_EQ(dialog->RadioGroup1->button(0)->text(), "Valeur Automatique");
    EXPECT_EQ(dialog->RadioGroup1->button(1)->text(), "Valeur Manuelle");
    const char* items[] = {"Toujours", "Jamais,  Prendre Séparation Nulle",
                           "Jamais,  Prendre Valeur Manuelle",
                           "Jamais,  Prendre Valeur Automatique"};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(dialog->RadioGroupDemander->button(i)->text(), QString::fromUtf8(items[i]));
    EXPECT_FALSE(dialog->EditSeparAuto->isEnabled());
    EXPECT_EQ(dialog->EditSeparAuto->text(), "0");
    EXPECT_EQ(dialog->EditSeparManuel->text(), "0");
    EXPECT_EQ(dialog->RadioGroup1->checkedId(), 0);
}

TEST_F(SeparDialog, OpeningFollowsTheStoredChoice) {
    Settings.OpenSepar = 14;
    struct tcase {
        int option;
        int sizeChoice;
        const char* manual;
    };
    // Option 0 leaves the size choice as it was: set it to manual first.
    const tcase cases[] = {{1, 1, "0"}, {2, 1, "14"}, {3, 0, "14"}, {0, 0, "14"}};
    for (const tcase& c : cases) {
        Settings.ExtractOption = c.option;
        dialog->show();
        EXPECT_EQ(dialog->RadioGroupDemander->checkedId(), c.option);
        EXPECT_EQ(dialog->RadioGroup1->checkedId(), c.sizeChoice) << c.option;
        EXPECT_EQ(dialog->EditSeparManuel->text(), c.manual) << c.option;
        dialog->hide();
    }
}

TEST_F(SeparDialog, IgnoreSplitsWithoutABandAndChangesNoSetting) {
    Settings.ExtractOption = 0;
    Settings.OpenSepar = 6;
    WhenShown([this] {
        dialog->RadioGroupDemander->button(3)->setChecked(true);
        dialog->BitBtnIgnore->click();
    });
    EXPECT_EQ(DetectSeparation(BandPicture(), KindCrossed), 0);
    EXPECT_EQ(Settings.ExtractOption, 0);
    EXPECT_EQ(Settings.OpenSepar, 6);
    EXPECT_EQ(dialog->EditSeparAuto->text(), "0");
}

TEST_F(SeparDialog, OkWithTheMeasuredWidth) {
    Settings.ExtractOption = 0;
    WhenShown([this] {
        EXPECT_EQ(dialog->EditSeparAuto->text(), "10");
        EXPECT_TRUE(dialog->BitBtnIgnore->hasFocus() || !QApplication::focusWidget());
        dialog->RadioGroupDemander->button(3)->setChecked(true);
        dialog->BitBtnOk->click();
    });
    EXPECT_EQ(DetectSeparation(BandPicture(), KindParallel), 10);
    EXPECT_EQ(Settings.ExtractOption, 3);
}

TEST_F(SeparDialog, OkWithATypedWidthStoresItAsTyped) {
    Settings.ExtractOption = 0;
    WhenShown([this] {
        dialog->RadioGroup1->button(1)->setChecked(true);
        dialog->EditSeparManuel->setText("17");
        dialog->RadioGroupDemander->button(2)->setChecked(true);
        dialog->BitBtnOk->click();
    });
    EXPECT_EQ(DetectSeparation(BandPicture(), KindParallel), 17);
    EXPECT_EQ(Settings.OpenSepar, 17);
    EXPECT_EQ(Settings.ExtractOption, 2);
}

TEST_F(SeparDialog, ClosingTheWindowCountsAsAnAnswer) {
    Settings.ExtractOption = 0;
    Settings.OpenSepar = 4;
    WhenShown([this] {
        dialog->RadioGroup1->button(1)->setChecked(true);
        dialog->EditSeparManuel->setText("douze");
        dialog->RadioGroupDemander->button(0)->setChecked(true);
        dialog->reject();
    });
    // Not an integer: 0. The manual width setting is only written by OK.
    EXPECT_EQ(DetectSeparation(BandPicture(), KindParallel), 0);
    EXPECT_EQ(Settings.ExtractOption, 0);
    EXPECT_EQ(Settings.OpenSepar, 4);
}

TEST_F(SeparDialog, MenuOpeningMeasuresTheLeftView) {
    tviewpair pair;
    pair.ImgLeft.bitmap = BandPicture();
    pair.StereoType = KindCrossed;
    Settings.ExtractOption = 3;
    dialog->ShowFromMenu(pair);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(dialog->isModal());
    EXPECT_EQ(dialog->EditSeparAuto->text(), "10");
    dialog->hide();
}

} // namespace
