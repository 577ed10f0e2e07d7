// The expert calculator: shooting data give the deviation at infinity, and
// "Appliquer" makes it the fraction of the image-width mode.
#include "montage/tformrearwinexpert.h"

#include "alignhost.h"
#include "core/runflags.h"
#include "core/settings.h"
#include "montage/stereowindow.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

TEST(RearWinExpertDialog, ShootingDataAndApplySetTheImageWidthMode) {
    InfinityFraction = 0.0417;
    tviewpair pair;
    MakeBlankPair(pair, 1200, 100);
    trecordinghost host(pair);
    TFormRearWinExpert form;
    EXPECT_EQ(form.windowTitle(), "Distance  entre Points Homologues à l'infini (MAOFD)");
    EXPECT_EQ(form.RadioGroup2->checkedId(), trearwinexpert::ChoicePixels);
    EXPECT_EQ(form.RadioGroup1->checkedId(), trearwinexpert::UnknownE);
    form.SetHost(&host);
    form.show();
    EXPECT_EQ(form.EditImageSize->text(), "1200");

    form.EditInfini->setText("9");
    form.ButtonShooting->click();
    // 64.5 x 50 / (2200 - 50).
    EXPECT_EQ(form.EditInfini->text(), "1.500000");
    EXPECT_EQ(form.RadioGroup2->checkedId(), trearwinexpert::ChoiceShooting);
    EXPECT_EQ(form.Editmaofdpixel->text(), "50.000000"); // 1.5 / 36 x 1200
    EXPECT_EQ(form.LabelResultat->text(),
              "50.000000 Pixels soit 4.166667 °/o de la largeur de l'image");

    // Typing pixels chooses them: 60 / 1200.
    QFocusEvent enter(QEvent::FocusIn);
    QApplication::sendEvent(form.Editmaofdpixel, &enter);
    EXPECT_EQ(form.RadioGroup2->checkedId(), trearwinexpert::ChoicePixels);
    form.Editmaofdpixel->selectAll();
    QTest::keyClicks(form.Editmaofdpixel, "60");
    EXPECT_EQ(form.RadioGroup2->checkedId(), trearwinexpert::ChoicePixels);
    EXPECT_EQ(form.EditRapport->text(), "0.0500");

    Settings.DefCalcIndex = CalcAtWindow;
    form.ButtonApply->click();
    EXPECT_DOUBLE_EQ(InfinityFraction, 0.05);
    EXPECT_EQ(Settings.DefCalcIndex, CalcImageWidth);
    EXPECT_NEAR(pair.ImgRight.posx, 60, 1e-9);
    InfinityFraction = 0.0417;
}
