// The "Geometry" dialog: its buttons run the magnification commands on the
// host and show the factor in the dialog's label.
#include "montage/tformgeometry.h"

#include "alignhost.h"
#include "core/runflags.h"

#include <QLabel>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

// The host as the Montage window will be: factor text and lock in the dialog.
class tdialoghost : public trecordinghost {
public:
    tdialoghost(tviewpair& pair, TFormGeometry& form) : trecordinghost(pair), form_(form) {}
    void ShowFactorText(const QString& text) override { form_.ShowFactorText(text); }
    void LockPoints() override {
        trecordinghost::LockPoints();
        form_.PressLock();
    }

private:
    TFormGeometry& form_;
};

} // namespace

TEST(GeometryDialog, ButtonsDoNothingWithoutHost) {
    TFormGeometry form;
    EXPECT_EQ(form.objectName(), "FormGeometry");
    EXPECT_EQ(form.windowTitle(), "Geometry");
    EXPECT_FALSE(form.DistanceMode);
    for (QToolButton* b : {form.SpeedButtondz, form.SpeedButtonApplyZoom, form.SpeedButtonZCancel,
                           form.SpeedButtonZp, form.SpeedButtonZm, form.SpeedButtonZ0,
                           form.SpeedButtonLeft, form.SpeedButtonRight})
        b->click();
    EXPECT_EQ(form.LabelFactor->text(), "100.00");
}

TEST(GeometryDialog, ViewShowsFactorAndViewButtonsChooseTheView) {
    tviewpair pair;
    MakeBlankPair(pair);
    pair.ImgLeft.PlacePoint(PtDz1, 10, 10);
    pair.ImgLeft.PlacePoint(PtDz2, 10, 260);
    pair.ImgRight.PlacePoint(PtDz1, 10, 10);
    pair.ImgRight.PlacePoint(PtDz2, 10, 210);
    TFormGeometry form;
    tdialoghost host(pair, form);
    form.SetHost(&host);

    form.SpeedButtonLock->setChecked(false);
    form.SpeedButtonZ2->click();
    EXPECT_EQ(CurPoint, PtDz2);
    form.SpeedButtondz->click(); // left current: 250 / 200
    EXPECT_EQ(form.LabelFactor->text(), "80.00");
    EXPECT_TRUE(form.SpeedButtonLock->isChecked());
    EXPECT_EQ(CurPoint, 0);

    form.SpeedButtonRight->click();
    EXPECT_FALSE(host.LeftCurrent);
    EXPECT_EQ(form.LabelFactor->text(), "100.00");
    form.SpeedButtonZp->click();
    EXPECT_DOUBLE_EQ(pair.ImgRight.scale, 0.999);
    form.SpeedButtonLeft->click();
    EXPECT_TRUE(host.LeftCurrent);
    EXPECT_EQ(form.LabelFactor->text(), "80.00");
}
