// The pair sorter window: opening a folder, the middle bar that runs both
// sides, the confirmation of deletion on each side, greying and swapping.
#include "lists/tformdirimg.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest/QTest>

namespace {

struct Sorter : ::testing::Test {
    QTemporaryDir left, right;
    TFormDirImg form;
    QStringList confirmations;
    bool yes = true;

    void SetUp() override {
        for (const char* n : {"l1.bmp", "l2.bmp", "l3.bmp"}) Picture(left, n, 8, 6);
        for (const char* n : {"r1.bmp", "r2.bmp"}) Picture(right, n, 5, 4);
        form.Confirm = [this](const QString& text, const QString& caption) {
            confirmations << caption + ": " + text;
            return yes;
        };
    }
    static void Picture(QTemporaryDir& dir, const char* name, int w, int h) {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(Qt::gray);
        ASSERT_TRUE(image.save(dir.filePath(name), "BMP"));
    }
    void Open(TFormDirImg::tside& side, const QString& chosen) {
        form.PickFile = [chosen](const QString&, const QString&, const QString&) { return chosen; };
        form.OpenFolder(side);
    }
};

} // namespace

TEST_F(Sorter, OpeningTheRightFolderFirstSelectsTheChosenFile) {
    QStringList titles;
    form.PickFile = [&](const QString& t, const QString&, const QString& name) {
        titles << t + "|" + name;
        return right.filePath("r2.bmp");
    };
    form.OpenFolder(form.R);
    EXPECT_EQ(titles, QStringList{QString::fromUtf8("Choisissez le Répertoire Droit|Images")});
    EXPECT_EQ(form.R.Data.Count(), 2);
    EXPECT_EQ(form.R.Data.Selected, 1);
    EXPECT_EQ(form.R.CheckListBox->currentRow(), 1);
    EXPECT_EQ(form.R.StatusPosition->text(), "2/2");
    EXPECT_EQ(form.R.LabelInfo->text(), "w=5 h=4");
    EXPECT_EQ(form.L.Data.Count(), 0);
    EXPECT_EQ(form.L.LabelInfo->text(), "w=0 h=0");
}

TEST_F(Sorter, MiddleNextIsDisabledAsSoonAsOneSideIsAtItsEnd) {
    Open(form.L, left.filePath("Images"));
    Open(form.R, right.filePath("Images"));
    EXPECT_TRUE(form.ToolButtonNextM->isEnabled());
    form.ToolButtonNextM->click();
    EXPECT_EQ(form.L.Data.Selected, 1);
    EXPECT_EQ(form.R.Data.Selected, 1);
    EXPECT_FALSE(form.ToolButtonNextM->isEnabled());
    EXPECT_TRUE(form.L.ToolButtonN->isEnabled());
    form.Next(form.R); // next on the last keeps it
    EXPECT_EQ(form.R.Data.Selected, 1);
}

TEST_F(Sorter, DelPressesGreyOrDeleteOnEachSide) {
    Open(form.L, left.filePath("l3.bmp"));
    Open(form.R, right.filePath("r2.bmp"));
    // A left press greys the entry.
    QTest::mousePress(form.L.ToolButtonDel, Qt::LeftButton);
    EXPECT_FALSE(form.L.Data.Entries[2].enabled);
    EXPECT_TRUE(confirmations.isEmpty());
    // Another button on the middle Del asks on each side in turn.
    QTest::mousePress(form.ToolButtonDelM, Qt::RightButton);
    EXPECT_EQ(confirmations, (QStringList{"Delete: Ligne: 2", "Delete: Ligne: 1"}));
    EXPECT_EQ(form.L.Data.Count(), 2);
    EXPECT_EQ(form.L.Data.Selected, 1);
    EXPECT_EQ(form.R.Data.Count(), 1);
    // No: nothing goes.
    yes = false;
    form.DelPressed(form.R, false);
    EXPECT_EQ(form.R.Data.Count(), 1);
}

TEST_F(Sorter, SwapExchangesBothSidesAndTheirPictures) {
    Open(form.L, left.filePath("l2.bmp"));
    Open(form.R, right.filePath("r1.bmp"));
    form.ToolButtonSwapClick();
    EXPECT_EQ(form.L.Data.Count(), 2);
    EXPECT_EQ(form.L.Data.Selected, 0);
    EXPECT_EQ(form.R.Data.Selected, 1);
    EXPECT_EQ(form.L.LabelInfo->text(), "w=5 h=4");
    EXPECT_EQ(form.R.CheckListBox->item(1)->text(), "l2.bmp");
}

TEST_F(Sorter, AnEmptyFolderLeavesTheSideEmpty) {
    QTemporaryDir empty;
    Open(form.L, empty.filePath("Images"));
    EXPECT_EQ(form.L.Data.Count(), 0);
    EXPECT_EQ(form.L.Data.Folder, QDir::currentPath());
    EXPECT_FALSE(form.L.ToolButtonDel->isEnabled());
    EXPECT_FALSE(form.ToolButtonDelM->isEnabled());
}
