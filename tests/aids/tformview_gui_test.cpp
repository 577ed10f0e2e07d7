// The preview window offscreen: its presentation buttons reach the picture's
// source, a picture presses its button, keys and the measuring drag.
#include "aids/tformview.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

#include <algorithm>
#include <vector>

namespace {

class trecordingsource : public tpreviewsource {
public:
    std::vector<int> modes;
    void PreviewModeRequested(int mode) override { modes.push_back(mode); }
};

QImage Picture(int w, int h) {
    QImage p(w, h, QImage::Format_RGB32);
    p.fill(qRgb(10, 200, 30));
    return p;
}

TEST(FormView, ButtonsAskTheSourceForTheirPresentation) {
    TFormView form;
    form.ToolButtonXview->click(); // no source yet: nothing to ask
    EXPECT_EQ(form.PreviewMode(), 2);
    trecordingsource source;
    tpreviewwindow& window = form;
    window.SetRequestTarget(&source);
    form.ToolButtonAview->click();
    form.ToolButtonVview->click();
    form.ToolButtonPview->click();
    form.ToolButtonXview->click();
    EXPECT_EQ(source.modes, (std::vector<int>{8, 4, 0, 2}));
    EXPECT_EQ(form.PreviewMode(), 2);
    window.SetRequestTarget(nullptr);
    form.ToolButtonAview->click();
    EXPECT_EQ(source.modes.size(), 4u);
}

TEST(FormView, APicturePressesTheButtonOfItsPresentation) {
    TFormView form;
    form.ShowPicture(Picture(200, 100), 2);
    EXPECT_TRUE(form.ToolButtonXview->isChecked());
    EXPECT_EQ(form.windowTitle(), QStringLiteral("View - 200 * 100 "));
    form.ShowPicture(Picture(200, 100), 9); // kept
    EXPECT_EQ(form.PreviewMode(), 2);
    EXPECT_TRUE(form.ToolButtonXview->isChecked());
    form.ShowPicture(Picture(200, 100), 3); // not a presentation: parallel
    EXPECT_EQ(form.PreviewMode(), 0);
    EXPECT_TRUE(form.ToolButtonPview->isChecked());
}

TEST(FormView, CtrlAFitsTheWholePicture) {
    TFormView form;
    form.resize(700, 500);
    form.show();
    form.ShowPicture(Picture(2000, 700), 0);
    QTest::keyClick(&form, Qt::Key_A, Qt::ControlModifier);
    const tpreviewarea a = form.ComputeArea();
    EXPECT_DOUBLE_EQ(form.View.PreviewZoom, std::min(a.Width() / 2000.0, a.Height() / 700.0));
    EXPECT_EQ(form.Panels[4]->text(), form.View.ZoomText());
    form.ToolButtonZoom100->click();
    EXPECT_EQ(form.View.PreviewZoom, 1);
}

TEST(FormView, MeasuringDragReportsItsSizeAndEndsEmpty) {
    TFormView form;
    form.resize(700, 500);
    form.show();
    form.ShowPicture(Picture(600, 400), 0);
    const tpreviewarea a = form.ComputeArea();
    const QPoint start(a.Left + 100, a.Top + 100);
    QTest::mousePress(&form, Qt::LeftButton, Qt::NoModifier, start);
    QMouseEvent move(QEvent::MouseMove, QPointF(a.Left + 160, a.Top + 150),
                     QPointF(form.mapToGlobal(QPoint(a.Left + 160, a.Top + 150))), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&form, &move);
    EXPECT_TRUE(form.Panels[5]->text().startsWith(QStringLiteral(" W=  ")));
    EXPECT_TRUE(form.View.Measure.Active);
    QTest::mouseRelease(&form, Qt::LeftButton, Qt::NoModifier, QPoint(a.Left + 160, a.Top + 150));
    EXPECT_TRUE(form.Panels[5]->text().isEmpty());
    EXPECT_FALSE(form.View.Measure.Shown);
}

TEST(FormView, SpaceAfterAClickSwapsHalves) {
    TFormView form;
    form.resize(700, 500);
    form.show();
    form.ShowPicture(Picture(400, 100), 2);
    const tpreviewarea a = form.ComputeArea();
    QTest::mouseClick(&form, Qt::MiddleButton, Qt::NoModifier, QPoint(a.Left + 50, a.Top + 20));
    ASSERT_EQ(form.View.ClickHalf, 0);
    QTest::keyClick(&form, Qt::Key_Space);
    EXPECT_EQ(form.View.ClickHalf, 1);
    EXPECT_DOUBLE_EQ(form.View.ClickX, 250);
    EXPECT_EQ(form.ScrollBarX->value(), 200);
}

} // namespace
