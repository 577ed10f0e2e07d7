// The start-up and exit sequence of the desktop program, run offscreen with
// a settings folder of its own.
#include "aids/precisbitmaps.h"
#include "app/appwindows_ui.h"
#include "app/commandline_ui.h"
#include "app/desktop_ui.h"
#include "app/exitsequence_ui.h"
#include "app/startup_ui.h"
#include "core/jpegdefaults.h"
#include "core/paramfile.h"
#include "core/runflags.h"
#include "core/settings.h"
#include "display/tformmain.h"
#include "montage/paramhost_ui.h"
#include "montage/tformbuild2.h"
#include "output/imagewrite.h"
#include "support/jpegheader.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QImage>
#include <QMessageBox>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

QTemporaryDir* configDir = nullptr;

class StartUp : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        configDir = new QTemporaryDir();
        qputenv("XDG_CONFIG_HOME", configDir->path().toUtf8());
        StartProgram({});
    }
    static void TearDownTestSuite() {
        DestroyWindows();
        delete configDir;
    }
};

// Answers the next modal message box with the given button.
void answerNextBox(QMessageBox::StandardButton button) {
    QTimer::singleShot(0, [button] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            box->button(button)->click();
    });
}

QString settingsText() {
    QFile f(SettingsFile());
    if (!f.open(QIODevice::ReadOnly)) return QString();
    return QString::fromUtf8(f.readAll());
}

} // namespace

TEST_F(StartUp, CreatesTheWindowsOnceInTheirOrderWithTheirSectionNames) {
    const QStringList expected = {
        "FormMain",     "FormBuild2",    "FormZoom",       "FormSave",
        "FormGeometry", "FormPt",        "FormRepOpenImg", "SeparDialog",
        "AboutBox",     "FormDiaporama", "FormList",       "FormRearWindowing",
        "FormImg",      "FormOpJpeg",    "FormSize",       "FormDragDropOptions",
        "FormEdit",     "FormView",      "LngForm",        "FormRearWinExpert",
        "FormDirImg"};
    QStringList names;
    for (QWidget* w : AppWindows.InOrder()) {
        ASSERT_NE(w, nullptr);
        EXPECT_TRUE(w->isWindow());
        names << w->objectName();
    }
    EXPECT_EQ(names, expected);
    EXPECT_EQ(AppWindows.FormBuild2->windowTitle(), "Montage");
    EXPECT_TRUE(AppWindows.FormBuild2->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(AppWindows.FormMain->windowTitle().startsWith("Orvanel-3D - 1.3 : "));
}

// The JPEG options window starts from its defaults: the first JPEG written
// after start-up has quality 100, whose quantisation tables are all ones
// (the record's own initial 90 would give values up to 25 or so).
TEST_F(StartUp, FirstJpegAfterStartUpIsWrittenAtQuality100) {
    EngineBitmap b;
    b.Resize(16, 16, PixelFormat::Bgra32);
    tjpegoptions options;
    ApplyJpegOptions(options, Settings);
    QTemporaryDir dir;
    const QString path = dir.filePath("first.jpg");
    ASSERT_TRUE(WriteJpegFile(b.View(), path, options));
    const JpegHeader header = ReadJpegHeader(path);
    int notOne = 0;
    for (int t = 0; t < 2; ++t)
        for (int i = 0; i < DCTSIZE2; ++i)
            if (header.hasQuant[t] && header.quant[t][i] != 1) ++notOne;
    EXPECT_EQ(notOne, 0);
}

TEST_F(StartUp, FirstRunArrangesTheDisplayAndMontageWindows) {
    EXPECT_TRUE(gStarted);
    EXPECT_EQ(Settings.DesktopType, 0);
    EXPECT_TRUE(AppWindows.FormMain->isVisible());
    EXPECT_TRUE(AppWindows.FormBuild2->isVisible());
    EXPECT_FALSE(AppWindows.FormSave->isVisible());
    // The Montage window stands at the right of the display window.
    EXPECT_GT(AppWindows.FormBuild2->x(), AppWindows.FormMain->x());
}

TEST_F(StartUp, ArrangementPlacesTheColumnsAndLaysTheMagnifierOutAgain) {
    Settings.ZoomVisible = true;
    Settings.ZoomSize = 300;
    Settings.DesktopType = 0;
    ArrangeDesktop();
    const QSize screen = QGuiApplication::primaryScreen()->size();
    QWidget* montage = AppWindows.FormBuild2;
    EXPECT_GE(montage->width(), 290);
    EXPECT_EQ(montage->x() + montage->width(), screen.width());
    // Placed by its frame's corner, sized by its inside.
    EXPECT_EQ(AppWindows.FormMain->frameGeometry().topLeft(), QPoint(0, 0));
    EXPECT_EQ(AppWindows.FormMain->size(),
              QSize(screen.width() - montage->width(), screen.height() - 35));
    // The magnifier at its smallest picture: 150 + 15 by 150 + 55.
    EXPECT_EQ(Settings.ZoomSize, 150);
    EXPECT_EQ(AppWindows.FormZoom->size(), QSize(165, 205));
    EXPECT_TRUE(AppWindows.FormZoom->isVisible());
    AppWindows.FormZoom->hide();
    Settings.ZoomVisible = false;
}

TEST_F(StartUp, PrecisionBitmapsAreDrawnBeforeAnyWindow) {
    ASSERT_EQ(BmpPrecisB.size(), QSize(32, 32));
    EXPECT_EQ(BmpPrecisB.pixel(6, 7), qRgb(255, 255, 255));
    EXPECT_EQ(BmpPrecisB.pixel(15, 15), qRgb(0, 0, 0));
    EXPECT_EQ(BmpPrecisN.pixel(24, 27), qRgb(0, 0, 0));
    EXPECT_EQ(BmpPrecisN.pixel(15, 9), qRgb(255, 255, 255));
    EXPECT_EQ(BmpPrecisN.pixel(15, 8), qRgb(0, 0, 0));
}

TEST_F(StartUp, CancelledQuitSavesNothingAndConfirmedQuitWritesTheSettings) {
    QFile::remove(SettingsFile());
    Settings.AskQuit = true;
    answerNextBox(QMessageBox::Cancel);
    EXPECT_FALSE(MainCloseQuery(AppWindows.FormMain));
    EXPECT_FALSE(QFile::exists(SettingsFile()));

    answerNextBox(QMessageBox::Ok);
    EXPECT_TRUE(MainCloseQuery(AppWindows.FormBuild2));
    const QString text = settingsText();
    ASSERT_FALSE(text.isEmpty());
    // Sections follow the file's order: header, screen, desktop, then the
    // windows in their creation order, then the options.
    const int version = text.indexOf("[Orvanel-3D]");
    const int desktop = text.indexOf("[Desktop]");
    const int formMain = text.indexOf("[FormMain]");
    const int formDirImg = text.indexOf("[FormDirImg]");
    const int lng = text.indexOf("[Lng]");
    EXPECT_EQ(version, 0);
    EXPECT_LT(version, desktop);
    EXPECT_LT(desktop, formMain);
    EXPECT_LT(formMain, formDirImg);
    EXPECT_LT(formDirImg, lng);
    EXPECT_TRUE(text.contains("[Quit]\nchecked=1"));
}

TEST_F(StartUp, CommandLinePairAppearsInTheDisplayWindowAndItsCaption) {
    QTemporaryDir dir;
    QImage img(120, 80, QImage::Format_RGB32);
    img.fill(qRgb(250, 10, 10));
    ASSERT_TRUE(img.save(dir.path() + "/IMG_1.png"));
    img.fill(qRgb(10, 10, 250));
    ASSERT_TRUE(img.save(dir.path() + "/IMG_2.png"));
    ProcessCommandLine({"1", dir.path() + "/IMG_1.png", dir.path() + "/IMG_2.png"});
    TFormMain& main = *AppWindows.FormMain;
    EXPECT_EQ(main.Pair.StereoType, 1);
    EXPECT_EQ(main.Pair.ImgLeft.Width(), 120);
    EXPECT_EQ(qRed(main.Pair.ImgLeft.bitmap.pixel(5, 5)), 250);
    EXPECT_EQ(qBlue(main.Pair.ImgRight.bitmap.pixel(5, 5)), 250);
    EXPECT_TRUE(main.windowTitle().contains("IMG_1.png - IMG_2.png"))
        << main.windowTitle().toStdString();
}

TEST_F(StartUp, ParameterFileFromTheCommandLineReloadsItsPairWithItsAlignment) {
    QTemporaryDir dir;
    QImage img(100, 60, QImage::Format_RGB32);
    img.fill(qRgb(200, 100, 0));
    ASSERT_TRUE(img.save(dir.path() + "/A.png"));
    ASSERT_TRUE(img.save(dir.path() + "/B.png"));
    tviewpair pair;
    pair.StereoType = 1;
    pair.ImgLeft.filename = dir.path() + "/A.png";
    pair.ImgRight.filename = dir.path() + "/B.png";
    pair.ImgRight.posx = -12.5;
    pair.ImgRight.SetRot(0.25);
    pair.ImgRight.PlacePoint(1, 40, 30);
    const QString prm = dir.path() + "/A_B.prm";
    tsettings scratch;
    ASSERT_TRUE(WriteParams(pair, prm, false, AppParamHost(), scratch));

    ProcessCommandLine({"10", prm});
    TFormMain& main = *AppWindows.FormMain;
    EXPECT_EQ(main.Pair.ImgLeft.filename, dir.path() + "/A.png");
    EXPECT_EQ(main.Pair.ImgRight.Width(), 100);
    EXPECT_DOUBLE_EQ(main.Pair.ImgRight.posx, -12.5);
    EXPECT_DOUBLE_EQ(main.Pair.ImgRight.rot, 0.25);
    EXPECT_TRUE(main.Pair.ImgRight.pt[1].d);
    EXPECT_EQ(main.Pair.StereoType, 10);
}

TEST_F(StartUp, SavingTheParametersFromTheMenuWritesThemBesideTheLeftPicture) {
    QTemporaryDir dir;
    QImage img(80, 60, QImage::Format_RGB32);
    img.fill(qRgb(5, 90, 200));
    ASSERT_TRUE(img.save(dir.path() + "/IMG_1234.png"));
    ASSERT_TRUE(img.save(dir.path() + "/IMG_1235.png"));
    ProcessCommandLine({dir.path() + "/IMG_1234.png", dir.path() + "/IMG_1235.png"});
    AppWindows.FormMain->Pair.ImgRight.posy = 3.5;
    Settings.AskBeforeCreateDir = false;
    Settings.DirBase.clear();
    // The save dialog proposes the default name; accept it as it stands.
    QTimer::singleShot(0, [] {
        if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            d->done(QDialog::Accepted);
    });
    ASSERT_TRUE(SaveParamsFromMenu());
    const QString prm = dir.path() + "/prm/IMG_1234_35.prm";
    ASSERT_TRUE(QFile::exists(prm)) << prm.toStdString() << " " << PrmFileName.toStdString();
    QFile f(prm);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(f.readAll());
    EXPECT_TRUE(text.contains("posy=3.5")) << text.toStdString();
}
