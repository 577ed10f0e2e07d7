// The save dialog driven offscreen: its outputs against `orvanel-cli render`
// on the same pair and settings, bad size fields, the preview request, the
// Montage window's items, a single kind through the size dialog, and every
// stored value read back after a settings round trip.
#include "aids/tformsize.h"
#include "core/jpegdefaults.h"
#include "core/paths.h"
#include "core/runflags.h"
#include "core/settings.h"
#include "core/stereokinds.h"
#include "display/alignsteps.h"
#include "display/tformmain.h"
#include "input/headlesspair.h"
#include "montage/programwindows_ui.h"
#include "montage/tformbuild2.h"
#include "montage/tformsave.h"
#include "output/rendercommand.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdio>
#include <tuple>

namespace {

// Answers every folder question with Yes and every overwrite with Cancel.
class tyesfolders : public tfolderquestions {
public:
    tcreateanswer AskCreateDirectory(const QString&) override { return tcreateanswer::Yes; }
    bool EditNewFolder(QString&) override { return true; }
    void ShowError(const QString&) override {}
};
class tnooverwrite : public tsavequestions {
public:
    toverwriteanswer AskOverwrite(const QString&) override { return toverwriteanswer::Cancel; }
    bool AskOtherName(int, QString&) override { return false; }
};

// Records what the dialog asks of the preview window.
class tfakepreview : public QWidget, public tpreviewwindow {
public:
    void SetRequestTarget(tpreviewsource* t) override { target = t; }
    int PreviewMode() const override { return mode; }
    void ShowWithCaption(const QString& c) override { captions << c; }
    void ShowPicture(const QImage& p, int m) override {
        picture = p;
        mode = m;
    }
    tpreviewsource* target = nullptr;
    int mode = 0;
    QStringList captions;
    QImage picture;
};

// A picture whose pixels all differ, so a misplaced pixel changes the file.
QImage Pattern(int w, int h, int seed) {
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y,
                         qRgb((x * 7 + seed) & 0xFF, (y * 5 + x * 3) & 0xFF,
                              ((x ^ y) * 11 + seed * 3) & 0xFF));
    return img;
}

QByteArray Bytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class SaveDialog : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = Settings;
        savedJpeg_ = JpegDefaults;
        Settings = tsettings();
        WinRatioW = WinRatioH = 0;
        ASSERT_TRUE(dir.isValid());
        main = new TFormMain();
        AppWindows.FormMain = main;
        size = new TFormSize();
        AppWindows.FormSize = size;
        form = new TFormSave();
        AppWindows.FormSave = form;
        form->FolderQuestions = &folders;
        form->SaveQuestions = &overwrite;
        form->ParamHost = &params;
    }
    void TearDown() override {
        delete form;
        delete size;
        delete main;
        AppWindows = tappwindows();
        Settings = saved_;
        JpegDefaults = savedJpeg_;
        QDir::setCurrent(cwd_);
    }
    // Two pictures of w x h on disk, loaded as the command line loads them,
    // the right view turned and shifted.
    void LoadPair(int w, int h) {
        leftFile = dir.filePath("left.bmp");
        rightFile = dir.filePath("right.bmp");
        ASSERT_TRUE(Pattern(w, h, 1).save(leftFile, "BMP"));
        ASSERT_TRUE(Pattern(w, h, 2).save(rightFile, "BMP"));
        QString failed;
        theadlesshost loader(main->Pair);
        ASSERT_TRUE(LoadPairHeadless({leftFile, rightFile, {}, -1}, main->Pair, loader, failed));
        timg& r = main->ImgRight();
        r.PlacePoint(PtStereo0, w / 2.0, h / 2.0);
        r.rot = 0.03;
        r.posx = 6.5;
        r.posy = -4;
    }
    // Only `kinds` ticked, outputs under `out` named "pair".
    void Choose(std::initializer_list<int> kinds, const QString& out) {
        for (int k = 0; k < kStereoKindCount; ++k)
            if (form->Rows[std::size_t(k)].tick) form->Rows[std::size_t(k)].tick->setChecked(false);
        for (int k : kinds) form->Rows[std::size_t(k)].tick->setChecked(true);
        form->CheckBoxBase->setChecked(true);
        form->EditRepBase->setText(out);
        form->CheckBoxFileName->setChecked(true);
        form->EditFileName->setText("pair");
    }
    QStringList Log() {
        QStringList lines;
        for (int i = 0; i < form->ListBoxName->count(); ++i)
            lines << form->ListBoxName->item(i)->text();
        return lines;
    }
    void Custom(int w, int h) {
        form->ComboBoxSize->setCurrentIndex(PresetCustom);
        form->EditW->setText(QString::number(w));
        form->EditH->setText(QString::number(h));
        Settings.SaveWUser = w;
        Settings.SaveHUser = h;
    }

    QTemporaryDir dir;
    TFormMain* main = nullptr;
    TFormSize* size = nullptr;
    TFormSave* form = nullptr;
    tyesfolders folders;
    tnooverwrite overwrite;
    tviewpair scratch;
    theadlesshost params{scratch};
    QString leftFile, rightFile;

private:
    tsettings saved_;
    tjpegoptions savedJpeg_;
    QString cwd_ = QDir::currentPath();
};

class SaveDialogFormats : public SaveDialog, public ::testing::WithParamInterface<bool> {};

TEST_P(SaveDialogFormats, OutputsMatchTheCommandLineByteForByte) {
    const bool jpeg = GetParam();
    // The JPEG options as the command line sets them from the settings.
    JpegDefaults.quality = 90;
    JpegDefaults.hSubsampling = Settings.JpegHSampling;
    JpegDefaults.vSubsampling = Settings.JpegVSampling;
    LoadPair(240, 160);
    form->show();
    const QString gui = dir.filePath("gui");
    Choose({KindLeft, KindRight, KindCrossed, KindAnaglyph, KindParams}, gui);
    form->CheckBoxJPEG->setChecked(jpeg);
    form->ComboBoxSize->setCurrentIndex(2); // 320*240
    form->ComboBoxAdaptImage->setCurrentIndex(1);
    form->EditSepar->setText("10");
    form->SpeedButtonSaveClick();
    const QStringList log = Log();
    EXPECT_EQ(log.filter("Ok - ").size(), 5) << log.join('\n').toStdString();

    // The same pair from the parameter file the dialog wrote, the same choices.
    const QString ext = jpeg ? ".jpg" : ".bmp";
    const QString prm = gui + "/prm/pair.prm";
    ASSERT_TRUE(QFile::exists(prm));
    const QString cli = dir.filePath("cli");
    const tsettings keep = Settings;
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    const int code = RunRenderCommand(
        {"--prm", prm, "--kinds", "L,R,X,A,Prm", "--size", "320x240", "--adapt", "1", "--sep", "10",
         "--format", jpeg ? "jpg" : "bmp", "--out", cli, "--name", "pair", "--noini"},
        out, err);
    std::fclose(out);
    std::fclose(err);
    Settings = keep;
    ASSERT_EQ(code, 0);
    for (const char* file : {"/l/pair_L", "/r/pair_R", "/x/pair_X", "/ana/pair_A"}) {
        const QByteArray a = Bytes(gui + file + ext);
        ASSERT_FALSE(a.isEmpty()) << file;
        EXPECT_TRUE(a == Bytes(cli + file + ext)) << file;
    }
    EXPECT_EQ(Bytes(prm), Bytes(cli + "/prm/pair.prm"));
    // Adapt mode 1 keeps the width of 320.
    EXPECT_EQ(QImage(gui + "/x/pair_X" + ext).width(), 2 * 320 + 10);
}

INSTANTIATE_TEST_SUITE_P(BmpAndJpeg, SaveDialogFormats, ::testing::Bool());

TEST_F(SaveDialog, CameraKindsAndAnaglyphMethodMatchTheCommandLine) {
    JpegDefaults.quality = 90;
    JpegDefaults.hSubsampling = Settings.JpegHSampling;
    JpegDefaults.vSubsampling = Settings.JpegVSampling;
    LoadPair(240, 160);
    form->show();
    const QString gui = dir.filePath("gui");
    Choose({KindMpo, KindHsbs, KindHou, KindAnaglyph, KindParams}, gui);
    form->CheckBoxJPEG->setChecked(true);
    form->ComboBoxSize->setCurrentIndex(2); // 320*240
    form->ComboBoxAnaglyph->setCurrentIndex(3);
    EXPECT_EQ(Settings.AnaglyphMethod, 3);
    form->SpeedButtonSaveClick();
    const QStringList log = Log();
    EXPECT_EQ(log.filter("Ok - ").size(), 5) << log.join('\n').toStdString();

    const QString cli = dir.filePath("cli");
    const tsettings keep = Settings;
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    const int code = RunRenderCommand(
        {"--prm", gui + "/prm/pair.prm", "--kinds", "MPO,HSBS,HOU,A", "--size", "320x240",
         "--anaglyph", "dubois", "--format", "jpg", "--out", cli, "--name", "pair", "--noini"},
        out, err);
    std::fclose(out);
    std::fclose(err);
    Settings = keep;
    ASSERT_EQ(code, 0);
    for (const char* file : {"/mpo/pair_MPO.mpo", "/hsbs/pair_HSBS.jpg", "/hou/pair_HOU.jpg",
                             "/ana/pair_A.jpg"}) {
        const QByteArray a = Bytes(gui + file);
        ASSERT_FALSE(a.isEmpty()) << file;
        EXPECT_TRUE(a == Bytes(cli + file)) << file;
    }
    // The half-width frame is the dialog's whole size.
    EXPECT_EQ(QImage(gui + "/hsbs/pair_HSBS.jpg").size(), QSize(320, 240));
}

TEST_F(SaveDialog, BadSizeFieldsFallBackOrFailWithACause) {
    LoadPair(120, 80);
    const QString out = dir.filePath("bad");
    Choose({KindCrossed}, out);
    Custom(200, 100);
    form->EditW->setText("2OO");
    form->EditSepar->setText("-4");
    form->SpeedButtonSaveClick();
    // The letters fall back on the stored user width, the band on its own.
    EXPECT_EQ(form->EditW->text(), "    200");
    EXPECT_EQ(QImage(out + "/x/pair_X.bmp").size(), QSize(400, 100));

    Custom(200000, 100000);
    Choose({KindAnaglyph}, out);
    form->SpeedButtonSaveClick();
    const QStringList log = Log();
    ASSERT_GE(log.size(), 3);
    EXPECT_EQ(log[1], "Error!!! - File not Save");
    EXPECT_TRUE(log[2].contains("over the limit")) << log[2].toStdString();
    EXPECT_FALSE(QFile::exists(out + "/ana/pair_A.bmp"));

    Custom(0, 100);
    form->SpeedButtonSaveClick();
    EXPECT_TRUE(Log().contains("Error!!! - File not Save"));
    EXPECT_FALSE(QFile::exists(out + "/ana/pair_A.bmp"));
}

TEST_F(SaveDialog, ReturnSavesAndCloseGivesTheResult) {
    EXPECT_TRUE(form->SpeedButtonSave->isDefault());
    EXPECT_EQ(form->windowTitle(), "Sauvegarde");
    form->show();
    int saves = 0;
    QObject::connect(form->SpeedButtonSave, &QPushButton::clicked, [&] { ++saves; });
    form->EditFileName->setFocus();
    QTest::keyClick(form->EditFileName, Qt::Key_Return);
    EXPECT_EQ(saves, 1);
    form->SpeedButtonCancel->click();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->result(), QDialog::Rejected);
    form->show();
    form->close();
    EXPECT_EQ(form->result(), QDialog::Accepted);
}

TEST_F(SaveDialog, PreviewComposesTheAskedPresentation) {
    tfakepreview view;
    AppWindows.FormView = &view;
    form->MsgPreview(2);
    EXPECT_EQ(view.captions, QStringList{"Image vide!"});

    LoadPair(120, 80);
    main->ImgRight().rot = 0;
    main->ImgRight().posx = main->ImgRight().posy = 0;
    form->ComboBoxSize->setCurrentIndex(PresetReal);
    form->EditSepar->setText("6");
    form->MsgPreview(2);
    EXPECT_EQ(view.target, form);
    EXPECT_EQ(view.captions.last(), "Préparation de l'image en cours...");
    EXPECT_EQ(view.picture.size(), QSize(2 * 120 + 6, 80));
    EXPECT_EQ(view.mode, 2);

    // Asked again by the preview window, in its over-under presentation.
    view.target->PreviewModeRequested(4);
    EXPECT_EQ(view.picture.size(), QSize(120, 2 * 80 + 6));
    view.picture = QImage();
    form->MsgPreview(5);
    EXPECT_TRUE(view.picture.isNull());
    AppWindows.FormView = nullptr;
}

TEST_F(SaveDialog, SingleKindThroughTheSizeDialog) {
    LoadPair(300, 200);
    auto* montage = new TFormBuild2();
    AppWindows.FormBuild2 = montage;
    const QString file = dir.filePath("one_P.bmp");
    Settings.AutoCrop = true;
    QTimer::singleShot(0, size, [this] {
        size->ComboBox1->setCurrentIndex(2); // 640*480
        size->Edit1->setValue(12);
        size->BitBtnOk->click();
    });
    EXPECT_TRUE(montage->SaveKindWithSize(KindParallel, file));
    EXPECT_EQ(size->windowTitle(), file);
    EXPECT_EQ(size->SizeSource, 0);
    // The frame fits inside 640 x 480, centred.
    EXPECT_EQ(QImage(file).size(), QSize(2 * 640 + 12, 480));

    const QString automatic = dir.filePath("auto_L.bmp");
    QTimer::singleShot(0, size, [this] {
        size->ComboBox1->setCurrentIndex(0);
        size->BitBtnOk->click();
    });
    EXPECT_TRUE(montage->SaveKindWithSize(KindLeft, automatic));
    // The automatic window of the turned and shifted pair.
    double w = 0, h = 0;
    montage->ShowAutoWindowSize(w, h);
    EXPECT_EQ(QImage(automatic).size(), QSize(qRound(w), qRound(h)));

    QTimer::singleShot(0, size, [this] { size->BitBtnCancel->click(); });
    EXPECT_FALSE(montage->SaveKindWithSize(KindLeft, dir.filePath("never.bmp")));
    EXPECT_FALSE(QFile::exists(dir.filePath("never.bmp")));
    delete montage;
    AppWindows.FormBuild2 = nullptr;
}

TEST_F(SaveDialog, MontageItemsShowTheDialogAndItsPreview) {
    LoadPair(120, 80);
    tfakepreview view;
    AppWindows.FormView = &view;
    auto* montage = new TFormBuild2();
    AppWindows.FormBuild2 = montage;
    QAction* multi = montage->Action("MenuSave_Multi");
    ASSERT_TRUE(multi->isEnabled());
    EXPECT_EQ(multi->shortcut(), QKeySequence("Ctrl+T"));
    multi->trigger();
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(montage->PageControl1->currentIndex(), int(TabSave));
    EXPECT_EQ(Settings.DefSaveIndex, 8);

    // Ctrl+S repeats the remembered item: the dialog again, on the save tab.
    form->hide();
    montage->PageControl1->setCurrentIndex(0);
    montage->MenuFile_SaveCurrentMenu();
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(montage->PageControl1->currentIndex(), int(TabSave));

    view.mode = 8;
    montage->Action("MenuFile_Preview")->trigger();
    EXPECT_EQ(view.target, form);
    EXPECT_EQ(view.mode, 8);
    EXPECT_FALSE(view.picture.isNull());
    delete montage;
    AppWindows.FormBuild2 = nullptr;
    AppWindows.FormView = nullptr;
}

// "Enregistrer la Vue Gauche" asks for both views' files; cancelling the
// first still asks for the second, which the size dialog then writes.
TEST_F(SaveDialog, LeftViewItemAsksForBothFiles) {
    InitStereoKinds();
    LoadPair(90, 60);
    main->ImgRight().rot = 0;
    main->ImgRight().posx = main->ImgRight().posy = 0;
    auto* montage = new TFormBuild2();
    AppWindows.FormBuild2 = montage;
    const QString right = dir.filePath("right_R.bmp");
    QStringList titles;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* files = qobject_cast<QFileDialog*>(modal)) {
            titles << files->windowTitle();
            if (titles.size() == 1) {
                files->reject();
            } else {
                // selectFile leaves a focused name field as it is: type the name.
                if (auto* name = files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
                    name->setText(right);
                else
                    files->selectFile(right);
                static_cast<QDialog*>(files)->accept();
            }
        } else if (modal == size) {
            size->BitBtnOk->click();
        }
    });
    answer.start(10);
    montage->Action("MenuSave_L")->trigger();
    answer.stop();
    EXPECT_EQ(titles, QStringList({"Enregistrer Vue Gauche", "Enregistrer Vue Droite"}));
    EXPECT_EQ(QImage(right).size(), QSize(90, 60));
    EXPECT_EQ(Settings.DefSaveIndex, 0);
    EXPECT_FALSE(Settings.SaveJpeg);
    delete montage;
    AppWindows.FormBuild2 = nullptr;
}

// A settings writer over no windows.
class tnowindows : public twindowlist {
public:
    int WindowCount() const override { return 0; }
    QString WindowName(int) const override { return {}; }
    bool WindowVisible(int) const override { return false; }
    QRect WindowBounds(int) const override { return {}; }
    void ApplyWindow(int, bool, const QRect*) override {}
    void SetWindowMarker(int, int) override {}
};

TEST_F(SaveDialog, StoredValuesReadBackAfterTheSettingsFile) {
    LoadPair(120, 80);
    form->show();
    Choose({KindLeft, KindParallel, KindDouble}, dir.filePath("base"));
    form->EditFileName->setText("holiday");
    form->Rows[KindParallel].folder->setText("E:\\stereo\\p");
    form->Rows[KindDouble].suffix->setText("_GDG");
    form->CheckBoxJPEG->setChecked(true);
    form->CheckBoxCentre->setChecked(false);
    form->CheckBoxRatio->setChecked(false);
    form->ComboBoxAdaptImage->setCurrentIndex(2);
    form->ComboBoxSource->setCurrentIndex(1);
    Custom(700, 500);
    form->EditSepar->setText("12");
    form->StoreDialogValues();
    const tsavevalues before = form->Values();
    const tsettings stored = Settings;

    const tsettingsenv env{dir.filePath("kvtq/orvanel.ini"), QSize(1920, 1080), ".", ",", QRect()};
    tnowindows windows;
    ASSERT_TRUE(SaveSettings(Settings, windows, env));
    Settings = tsettings();
    LoadSettings(Settings, windows, env);

    delete form;
    form = new TFormSave();
    AppWindows.FormSave = form;
    form->show();
    const tsavevalues after = form->Values();
    EXPECT_EQ(after.naming.Ticked, before.naming.Ticked);
    EXPECT_EQ(after.naming.Folder, before.naming.Folder);
    EXPECT_EQ(after.naming.Suffix, before.naming.Suffix);
    EXPECT_EQ(std::tie(after.naming.RepBase, after.naming.FileName, after.naming.Rename,
                       after.ForceBase, after.naming.Jpeg),
              std::tie(before.naming.RepBase, before.naming.FileName, before.naming.Rename,
                       before.ForceBase, before.naming.Jpeg));
    EXPECT_EQ(std::tie(after.Centre, after.KeepRatio, after.Adapt, after.Source),
              std::tie(before.Centre, before.KeepRatio, before.Adapt, before.Source));
    // Storing the fresh dialog changes no setting.
    form->StoreDialogValues();
    EXPECT_EQ(std::tie(Settings.SaveWUser, Settings.SaveHUser, Settings.SaveSUser,
                       Settings.DirFileName, Settings.DirBase, Settings.AutoCrop),
              std::tie(stored.SaveWUser, stored.SaveHUser, stored.SaveSUser, stored.DirFileName,
                       stored.DirBase, stored.AutoCrop));
}

} // namespace
