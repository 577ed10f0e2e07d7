// The rear-windowing dialog: its defaults, a typed ratio undone at once, and
// "Appliquer" placing the window by the distance shown.
#include "montage/tformrearwindowing.h"

#include "alignhost.h"
#include "core/runflags.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class tcrophost : public trecordinghost {
public:
    using trecordinghost::trecordinghost;
    int autoCrops = 0;
    void SetAutomaticCrop() override { ++autoCrops; }
};

} // namespace

TEST(RearWindowingDialog, FieldsFollowTheRulesAndApplyPlacesTheWindow) {
    WinRatioW = WinRatioH = 0;
    tviewpair pair;
    MakeBlankPair(pair, 2000, 100);
    pair.ImgLeft.PlacePoint(PtWin1, 400, 50);
    pair.ImgRight.PlacePoint(PtWin1, 380, 50);
    tcrophost host(pair);
    TFormRearWindowing form;
    EXPECT_EQ(form.windowTitle(), "Fenêtrage Stéréo: Distance entre Points Homologues");
    EXPECT_TRUE(form.RadioButtonInf->isChecked());
    EXPECT_EQ(form.EditDist->text(), "43.008000");
    form.SetHost(&host);
    form.show();
    // Shown on "Cadre Auto": the crop becomes automatic, the window is 2000 x 100.
    EXPECT_EQ(host.autoCrops, 1);
    EXPECT_EQ(form.EditLargeurImage->text(), "2000");
    EXPECT_EQ(form.LabelHeight->text(), "Hauteur Image: 100");
    EXPECT_EQ(form.EditDist->text(), "84.000000");

    form.EditRapport->selectAll();
    QTest::keyClicks(form.EditRapport, "0,5");
    EXPECT_EQ(form.EditRapport->text(), "0.042");
    EXPECT_EQ(form.EditDist->text(), "84.000000");

    // A key in the width field makes it a typed width.
    form.EditLargeurImage->selectAll();
    QTest::keyClicks(form.EditLargeurImage, "1000");
    EXPECT_EQ(form.ComboBoxSize->currentIndex(), trearwindowing::SizeTyped);
    EXPECT_EQ(form.EditDist->text(), "42.000000");

    form.ButtonApply->click();
    // W1 400 / 380 and 42 pixels at infinity.
    EXPECT_DOUBLE_EQ(pair.ImgLeft.posx, 0);
    EXPECT_DOUBLE_EQ(pair.ImgRight.posx, 62);
    EXPECT_DOUBLE_EQ(form.Fields.AppliedDistance, 42);

    form.RadioButtonWin->click();
    EXPECT_EQ(form.EditRapport->text(), "0.0");
    EXPECT_EQ(form.EditDist->text(), "0.000000");
    form.BitBtnOk->click();
    EXPECT_DOUBLE_EQ(pair.ImgRight.posx, 20);
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_FALSE(form.isVisible());
}
