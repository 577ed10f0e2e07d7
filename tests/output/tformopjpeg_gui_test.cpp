// The JPEG options window offscreen: its quality field and buttons, "Défaut",
// and its options reaching the files the program writes.
#include "output/tformopjpeg.h"

#include "core/settings.h"
#include "core/viewpair.h"
#include "output/outputfixtures.h"
#include "output/savepass.h"
#include "support/jpegheader.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

namespace {

class FormOpJpeg : public ::testing::Test {
protected:
    void SetUp() override {
        Settings = tsettings();
        JpegDefaults = tjpegoptions();
        MakePatternView(pair.ImgLeft, 64, 48, 1);
        MakePatternView(pair.ImgRight, 64, 48, 2);
        ASSERT_TRUE(dir.isValid());
    }
    void TearDown() override {
        Settings = tsettings();
        JpegDefaults = tjpegoptions();
    }
    // The crossed pair written as a JPEG with the options in force.
    JpegHeader WriteCrossed(const char* name) {
        const QString path = dir.filePath(QString::fromLatin1(name));
        EXPECT_TRUE(RenderKind(pair, path, KindCrossed, 0, 0, 0, 0, false));
        return ReadJpegHeader(path);
    }
    tviewpair pair;
    QTemporaryDir dir;
};

TEST_F(FormOpJpeg, StartsFromTheResetOptions) {
    TFormOpJpeg form(&pair);
    EXPECT_EQ(form.EditCompressionQuality->text(), QStringLiteral("100"));
    EXPECT_EQ(JpegDefaults.quality, 100);
    // The settings' subsampling flags are off by default: both boxes ticked.
    EXPECT_TRUE(form.CheckBoxDisableHorzSubSampling->isChecked());
    EXPECT_TRUE(form.CheckBoxDisableVertSubSampling->isChecked());
    EXPECT_FALSE(form.ComboBoxScale->isEnabled());
    EXPECT_TRUE(form.CheckBoxSmoothing->isChecked());
}

TEST_F(FormOpJpeg, QualityFieldKeepsItsRulesWhileTyping) {
    TFormOpJpeg form(&pair);
    QLineEdit* edit = form.EditCompressionQuality;
    edit->clear();
    EXPECT_EQ(edit->text(), QStringLiteral("5"));
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("7a"));
    EXPECT_EQ(edit->text(), QStringLiteral("7"));
    edit->setText(QStringLiteral("150"));
    EXPECT_EQ(edit->text(), QStringLiteral("100"));
    edit->setText(QStringLiteral("95"));
    form.SpeedButtonDown->click();
    EXPECT_EQ(edit->text(), QStringLiteral("85"));
    edit->setText(QStringLiteral("95"));
    form.SpeedButtonUp->click();
    EXPECT_EQ(edit->text(), QStringLiteral("100"));
    edit->setText(QStringLiteral("12"));
    form.SpeedButtonDown->click();
    EXPECT_EQ(edit->text(), QStringLiteral("5"));
    form.SpeedButtonDown->click();
    EXPECT_EQ(edit->text(), QStringLiteral("5"));
}

TEST_F(FormOpJpeg, BothDisableBoxesWriteEveryComponentAtFullResolution) {
    TFormOpJpeg form(&pair);
    form.CheckBoxDisableHorzSubSampling->setChecked(true);
    form.CheckBoxDisableVertSubSampling->setChecked(true);
    form.StoreJpegOptions();
    const JpegHeader full = WriteCrossed("full.jpg");
    ASSERT_EQ(full.components, 3);
    for (int c = 0; c < 3; ++c) {
        EXPECT_EQ(full.h[c], 1) << c;
        EXPECT_EQ(full.v[c], 1) << c;
    }
    EXPECT_FALSE(Settings.JpegHSampling);
    EXPECT_FALSE(Settings.JpegVSampling);

    // Only the horizontal box: the luminance is sampled twice vertically.
    form.CheckBoxDisableVertSubSampling->setChecked(false);
    form.StoreJpegOptions();
    const JpegHeader vert = WriteCrossed("vert.jpg");
    EXPECT_EQ(vert.h[0], 1);
    EXPECT_EQ(vert.v[0], 2);
    EXPECT_TRUE(Settings.JpegVSampling);
}

TEST_F(FormOpJpeg, GreyAndProgressiveReachTheWrittenFile) {
    TFormOpJpeg form(&pair);
    form.CheckBoxGrayScale->setChecked(true);
    form.CheckBoxProgressiveEncoding->setChecked(true);
    form.StoreJpegOptions();
    const JpegHeader h = WriteCrossed("grey.jpg");
    EXPECT_EQ(h.components, 1);
    EXPECT_TRUE(h.progressive);
}

TEST_F(FormOpJpeg, DefaultTakesTheSubsamplingFromTheSettings) {
    TFormOpJpeg form(&pair);
    form.EditCompressionQuality->setText(QStringLiteral("40"));
    form.CheckBoxGrayScale->setChecked(true);
    form.ComboBoxPerformance->setCurrentIndex(1);
    Settings.JpegHSampling = true;
    Settings.JpegVSampling = false;
    form.ResetJpegOptions();
    EXPECT_EQ(form.EditCompressionQuality->text(), QStringLiteral("100"));
    EXPECT_FALSE(form.CheckBoxGrayScale->isChecked());
    EXPECT_EQ(form.ComboBoxPerformance->currentIndex(), 0);
    EXPECT_FALSE(form.CheckBoxDisableHorzSubSampling->isChecked());
    EXPECT_TRUE(form.CheckBoxDisableVertSubSampling->isChecked());
    EXPECT_TRUE(JpegDefaults.hSubsampling);
    EXPECT_FALSE(JpegDefaults.vSubsampling);
}

TEST_F(FormOpJpeg, PreviewShowsTheLeftViewAndItsCompressedCopy) {
    TFormOpJpeg form(&pair);
    form.show();
    ASSERT_FALSE(form.PreviewSource.isNull());
    ASSERT_FALSE(form.PreviewResult.isNull());
    EXPECT_EQ(form.PreviewResult.size(), form.PreviewSource.size());
    EXPECT_EQ(form.ScrollBarH->minimum(), -64);
    EXPECT_EQ(form.ScrollBarV->maximum(), 48);
    form.close();
}

} // namespace
