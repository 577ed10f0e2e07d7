// The folder redirection dialog: its texts, what it shows, the folder
// buttons and what OK and Cancel keep.
#include "lists/tformrepopenimg.h"

#include "core/runflags.h"
#include "core/settings.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

struct RedirectDialog : ::testing::Test {
    tsettings saved = Settings;
    bool savedRedirect = RedirectOpen;
    TFormRepOpenImg form;
    QStringList picked; // title | folder | file name of each picker call
    QString answer;

    void SetUp() override {
        form.PickFile = [this](const QString& t, const QString& f, const QString& n) {
            picked << t + "|" + f + "|" + n;
            return answer;
        };
    }
    void TearDown() override {
        Settings = saved;
        RedirectOpen = savedRedirect;
    }
};

} // namespace

TEST_F(RedirectDialog, ControlsCarryTheirTexts) {
    EXPECT_EQ(form.objectName(), "FormRepOpenImg");
    EXPECT_EQ(form.windowTitle(), QString::fromUtf8("Redirection des Chemins d'accès aux Images"));
    EXPECT_EQ(form.CheckBoxForceDir->text(),
              QString::fromUtf8("Redirection des Chemins d'accès aux Images"));
    QStringList labels;
    for (QLabel* l : form.findChildren<QLabel*>()) labels << l->text();
    EXPECT_TRUE(labels.contains(QString::fromUtf8("Répertoire de recherche des vues Gauche:")));
    EXPECT_TRUE(labels.contains(QString::fromUtf8("Répertoire de recherche des vues Droites:")));
    for (const char* name : {"EditRepL", "EditRepR", "SpeedButtonRepL", "SpeedButtonRepR",
                             "CheckBoxForceDir", "BitBtnOk", "BitBtnCancel"})
        EXPECT_NE(form.findChild<QWidget*>(name), nullptr) << name;
}

TEST_F(RedirectDialog, ShowTakesTheStoredFoldersAndSwitch) {
    Settings.DirOpenImgL = "/photos/left";
    Settings.DirOpenImgR = "/photos/right";
    RedirectOpen = true;
    form.SetRedirectFields("/elsewhere/a", "/elsewhere/b");
    form.FormShow();
    EXPECT_EQ(form.EditRepL->text(), "/photos/left");
    EXPECT_EQ(form.EditRepR->text(), "/photos/right");
    EXPECT_TRUE(form.CheckBoxForceDir->isChecked());
}

TEST_F(RedirectDialog, ShowWithoutARightFolderEmptiesOrFillsTheRightField) {
    Settings.DirOpenImgL = "/photos/left";
    Settings.DirOpenImgR.clear();
    RedirectOpen = false;
    form.EditRepR->setText("/old");
    form.FormShow();
    EXPECT_EQ(form.EditRepR->text(), "");
    form.FormShow();
    EXPECT_EQ(form.EditRepR->text(), "/photos/left");
    EXPECT_FALSE(form.CheckBoxForceDir->isChecked());
}

TEST_F(RedirectDialog, FolderButtonsTakeTheChosenFilesFolderAndTickTheSwitch) {
    Settings.DirOpenImgL = "/start/l";
    Settings.DirOpenImgR = "/start/r";
    form.CheckBoxForceDir->setChecked(false);
    answer = "/new/left/Left_Folder";
    form.SpeedButtonRepL->click();
    EXPECT_EQ(form.EditRepL->text(), "/new/left");
    EXPECT_TRUE(form.CheckBoxForceDir->isChecked());
    answer = "/new/right/Right_Folder";
    form.SpeedButtonRepR->click();
    EXPECT_EQ(form.EditRepR->text(), "/new/right");
    EXPECT_EQ(
        picked,
        QStringList(
            {QString::fromUtf8("Choisir Répertoire des Vues Gauches|/start/l|Left_Folder"),
             QString::fromUtf8("Choisir Répertoire des Vues Droites|/start/r|Right_Folder")}));
    // Cancelling the picker changes nothing.
    form.CheckBoxForceDir->setChecked(false);
    answer.clear();
    form.SpeedButtonRepL->click();
    EXPECT_EQ(form.EditRepL->text(), "/new/left");
    EXPECT_FALSE(form.CheckBoxForceDir->isChecked());
}

TEST_F(RedirectDialog, OkStoresAndAnEmptyRightFolderCopiesTheLeft) {
    form.EditRepL->setText("  /a/left  ");
    form.EditRepR->setText("   ");
    form.CheckBoxForceDir->setChecked(true);
    RedirectOpen = false;
    form.BitBtnOk->click();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_TRUE(RedirectOpen);
    EXPECT_EQ(Settings.DirOpenImgL, "/a/left");
    EXPECT_EQ(Settings.DirOpenImgR, "/a/left");
}

TEST_F(RedirectDialog, CancelKeepsEverything) {
    Settings.DirOpenImgL = "/keep/l";
    Settings.DirOpenImgR = "/keep/r";
    RedirectOpen = false;
    form.EditRepL->setText("/changed");
    form.CheckBoxForceDir->setChecked(true);
    form.BitBtnCancel->click();
    EXPECT_EQ(form.result(), QDialog::Rejected);
    EXPECT_FALSE(RedirectOpen);
    EXPECT_EQ(Settings.DirOpenImgL, "/keep/l");
    EXPECT_EQ(Settings.DirOpenImgR, "/keep/r");
}
