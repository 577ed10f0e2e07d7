// The list shown in the display window: real pairs loaded entry by entry,
// each one without the alignment of the one before; the "Liste" menu shows
// the list window until a list is ready.
#include "montage/listcommands_ui.h"

#include "core/runflags.h"
#include "core/settings.h"
#include "core/stereokinds.h"
#include "display/tformmain.h"
#include "lists/tformdiaporama.h"
#include "lists/tformlist.h"
#include "montage/programwindows_ui.h"
#include "montage/tformbuild2.h"

#include <QAction>
#include <QDir>
#include <QImage>

#include <gtest/gtest.h>

namespace {

class ListDisplayTest : public testing::Test {
protected:
    void SetUp() override {
        saved_ = Settings;
        InitStereoKinds();
        main = new TFormMain();
        AppWindows.FormMain = main;
        montage = new TFormBuild2();
        AppWindows.FormBuild2 = montage;
        options = new TFormDiaporama();
        options->SetDisplay(&ListDisplay());
        options->MessageBox = [this](const QString& text, const QString&) { messages << text; };
        AppWindows.FormDiaporama = options;
        list = new TFormList(*options);
        AppWindows.FormList = list;
    }
    void TearDown() override {
        delete list;
        delete options;
        delete montage;
        delete main;
        AppWindows = tappwindows();
        Settings = saved_;
        gBusy = false;
    }
    static QString Photo(const char* name) {
        const QString data = qEnvironmentVariable("ORVANEL_TESTDATA");
        return data.isEmpty() ? QString() : QDir(data).filePath(QString::fromUtf8(name));
    }

    TFormMain* main = nullptr;
    TFormBuild2* montage = nullptr;
    TFormDiaporama* options = nullptr;
    TFormList* list = nullptr;
    QStringList messages;

private:
    tsettings saved_;
};

TEST_F(ListDisplayTest, PairsAreLoadedEntryByEntryWithoutTheAlignmentBefore) {
    if (Photo("aloe_L.jpg").isEmpty()) GTEST_SKIP() << "ORVANEL_TESTDATA not set";
    tdiaporama& d = options->Diaporama;
    d.ListKind = 1;
    d.ListL = {Photo("aloe_L.jpg"), Photo("backpack_L.png")};
    d.ListR = {Photo("aloe_R.jpg"), Photo("backpack_R.png")};
    ASSERT_TRUE(options->Sequence.ShowCurrent());
    tviewpair& pair = main->Pair;
    EXPECT_EQ(pair.StereoType, 1);
    EXPECT_EQ(pair.ImgLeft.filename, d.ListL[0]);
    EXPECT_EQ(pair.ImgRight.filename, d.ListR[0]);
    EXPECT_EQ(pair.ImgLeft.bitmap.size(), QImage(d.ListL[0]).size());
    pair.ImgLeft.posx = 12;
    ASSERT_TRUE(options->NextEntry());
    EXPECT_EQ(pair.ImgRight.filename, d.ListR[1]);
    EXPECT_EQ(pair.ImgRight.bitmap.size(), QImage(d.ListR[1]).size());
    EXPECT_EQ(pair.ImgLeft.posx, 0);
    // The end of the list leaves the last pair on screen.
    EXPECT_FALSE(options->NextEntry());
    EXPECT_EQ(messages, QStringList{"Fin de Liste"});
    EXPECT_EQ(pair.ImgLeft.filename, d.ListL[1]);
}

TEST_F(ListDisplayTest, AnEntryThatCannotBeReadShowsBlackNotTheLastPair) {
    if (Photo("aloe_L.jpg").isEmpty()) GTEST_SKIP() << "ORVANEL_TESTDATA not set";
    tdiaporama& d = options->Diaporama;
    d.ListKind = 1;
    d.ListL = {Photo("aloe_L.jpg"), Photo("missing_L.jpg")};
    d.ListR = {Photo("aloe_R.jpg"), Photo("missing_R.jpg")};
    ASSERT_TRUE(options->Sequence.ShowCurrent());
    ASSERT_TRUE(options->NextEntry());
    const QImage& left = main->Pair.ImgLeft.bitmap;
    ASSERT_FALSE(left.isNull());
    EXPECT_EQ(left.pixel(left.width() / 2, left.height() / 2), 0xFF000000u);
    EXPECT_EQ(main->Pair.ImgLeft.filename, d.ListL[1]);
}

TEST_F(ListDisplayTest, CompositeEntriesAreSplitByTheListKind) {
    if (Photo("aloe_L.jpg").isEmpty()) GTEST_SKIP() << "ORVANEL_TESTDATA not set";
    tdiaporama& d = options->Diaporama;
    d.ListKind = KindCrossed;
    d.ListL = {Photo("aloe_L.jpg")};
    ASSERT_TRUE(options->Sequence.ShowCurrent());
    const QSize whole = QImage(d.ListL[0]).size();
    EXPECT_EQ(main->Pair.StereoType, int(KindCrossed));
    EXPECT_LT(main->Pair.ImgLeft.bitmap.width(), whole.width());
    EXPECT_EQ(main->Pair.ImgLeft.bitmap.height(), whole.height());
}

TEST_F(ListDisplayTest, MenuShowsTheListWindowUntilAListIsReady) {
    options->Diaporama.ListL = {"/nowhere/a.jpg"};
    montage->Action(QStringLiteral("MenuList_Next"))->trigger();
    EXPECT_TRUE(list->isVisible());
    EXPECT_EQ(options->Diaporama.IndexL, 0);
    list->hide();
    options->Diaporama.Ready = true;
    options->Diaporama.ListL << "/nowhere/b.jpg";
    montage->Action(QStringLiteral("MenuFile_Next"))->trigger();
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(options->Diaporama.IndexL, 1);
}

} // namespace
