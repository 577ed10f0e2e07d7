// The Edit menu's clipboard commands, the clipboard capture, file drops on
// the display window and F10 in and out, through Qt's own clipboard and events.
#include "montage/exchange_ui.h"

#include "core/paramfile.h"
#include "core/runflags.h"
#include "core/settings.h"
#include "core/stereokinds.h"
#include "display/clipboardmonitor_ui.h"
#include "display/tformmain.h"
#include "input/tformdragdropoptions.h"
#include "montage/paramhost_ui.h"
#include "montage/programwindows_ui.h"
#include "montage/tformbuild2.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QDropEvent>
#include <QGuiApplication>
#include <QMimeData>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

QImage Filled(int w, int h, QRgb c) {
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(c);
    return img;
}

class Exchange : public testing::Test {
protected:
    void SetUp() override {
        saved_ = Settings;
        InitStereoKinds();
        Settings.DragDropAsk = false;
        Settings.DragDropFileType = 0;
        main = new TFormMain();
        AppWindows.FormMain = main;
        montage = new TFormBuild2();
        AppWindows.FormBuild2 = montage;
        options = new TFormDragDropOptions();
        AppWindows.FormDragDropOptions = options;
        QGuiApplication::clipboard()->clear();
    }
    void TearDown() override {
        SetClipboardHook(false);
        delete options;
        delete montage;
        delete main;
        AppWindows = tappwindows();
        Settings = saved_;
        CurPoint = 0;
        QGuiApplication::clipboard()->clear();
    }
    QString Picture(const QString& name, int w, int h, QRgb c) {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(Filled(w, h, c).save(path));
        return path;
    }
    void Run(const char* action) { montage->RunAction(montage->Action(QString::fromUtf8(action))); }
    void Drop(const QStringList& files, QPointF at) {
        QMimeData mime;
        QList<QUrl> urls;
        for (const QString& f : files) urls << QUrl::fromLocalFile(f);
        mime.setUrls(urls);
        // The application hands drops only to the target of a drag in progress;
        // the window's own handlers take them as a real drop would bring them.
        QObject* target = main;
        QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        target->event(&enter);
        EXPECT_TRUE(enter.isAccepted());
        QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        target->event(&drop);
        EXPECT_TRUE(drop.isAccepted());
    }

    QTemporaryDir dir;
    TFormMain* main = nullptr;
    TFormBuild2* montage = nullptr;
    TFormDragDropOptions* options = nullptr;

private:
    tsettings saved_;
};

TEST_F(Exchange, PasteOfTwoCopiedFilesMakesThePair) {
    const QString a = Picture("a.png", 40, 30, qRgb(200, 0, 0));
    const QString b = Picture("b.png", 40, 30, qRgb(0, 0, 200));
    auto* mime = new QMimeData;
    mime->setUrls({QUrl::fromLocalFile(a), QUrl::fromLocalFile(b)});
    QGuiApplication::clipboard()->setMimeData(mime);
    Run("MenuEdit_PasteStereo");
    EXPECT_EQ(main->ImgLeft().filename, a);
    EXPECT_EQ(main->ImgRight().filename, b);
    EXPECT_EQ(main->ImgRight().bitmap.pixel(5, 5), qRgb(0, 0, 200));
    EXPECT_EQ(main->Pair.StereoType, KindPair);
}

TEST_F(Exchange, CopyOfTheCurrentViewPutsItsPictureOnTheClipboard) {
    main->ImgLeft().bitmap = Filled(40, 30, qRgb(10, 200, 30));
    main->ImgRight().bitmap = Filled(20, 20, qRgb(0, 0, 0));
    main->SetCurrent(main->Display.SlotOf(&main->ImgLeft()));
    Run("MenuEdit_CopyView");
    const QImage copy = QGuiApplication::clipboard()->image();
    ASSERT_EQ(copy.size(), QSize(40, 30));
    EXPECT_EQ(copy.pixel(20, 15) & 0xFFFFFF, qRgb(10, 200, 30) & 0xFFFFFFu);
    // Cut: copied, then the view is cleared.
    Run("MenuEdit_CutView");
    EXPECT_EQ(main->Pair.StereoType, 9);
}

TEST_F(Exchange, DropOfTwoFilesFillsBothViews) {
    const QString a = Picture("l.png", 30, 20, qRgb(250, 0, 0));
    const QString b = Picture("r.png", 32, 20, qRgb(0, 250, 0));
    Drop({a, b}, QPointF(10, 10));
    EXPECT_EQ(main->ImgLeft().bitmap.size(), QSize(30, 20));
    EXPECT_EQ(main->ImgRight().bitmap.size(), QSize(32, 20));
    EXPECT_EQ(main->Pair.StereoType, KindPair);
    EXPECT_EQ(Settings.OpenDirL, dir.path());
}

TEST_F(Exchange, DropOfAParameterFileOpensItsPair) {
    const QString a = Picture("A.png", 50, 40, qRgb(1, 2, 3));
    const QString b = Picture("B.png", 50, 40, qRgb(4, 5, 6));
    tviewpair pair;
    pair.StereoType = KindPair;
    pair.ImgLeft.filename = a;
    pair.ImgRight.filename = b;
    pair.ImgRight.posx = -7.5;
    const QString prm = dir.filePath("A_B.prm");
    tsettings scratch;
    ASSERT_TRUE(WriteParams(pair, prm, false, AppParamHost(), scratch));
    Drop({prm}, QPointF(5, 5));
    EXPECT_EQ(main->ImgLeft().filename, a);
    EXPECT_EQ(main->ImgRight().Width(), 50);
    EXPECT_DOUBLE_EQ(main->ImgRight().posx, -7.5);
}

TEST_F(Exchange, TheWatcherTakesAPictureAndEmptiesTheClipboard) {
    SetClipboardHook(true);
    EXPECT_TRUE(Settings.ClipboardHook);
    auto* text = new QMimeData;
    text->setText("just words");
    QGuiApplication::clipboard()->setMimeData(text);
    EXPECT_TRUE(main->ImgLeft().bitmap.isNull());
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "just words");

    auto* picture = new QMimeData;
    picture->setImageData(Filled(24, 16, qRgb(9, 99, 199)));
    QGuiApplication::clipboard()->setMimeData(picture);
    EXPECT_EQ(main->ImgLeft().bitmap.size(), QSize(24, 16));
    EXPECT_EQ(main->ImgLeft().filename, "ClipBoard");
    EXPECT_TRUE(QGuiApplication::clipboard()->image().isNull());

    // The program's own copy is not taken back.
    main->SetCurrent(main->Display.SlotOf(&main->ImgRight()));
    main->ImgRight().bitmap = Filled(10, 6, qRgb(7, 7, 7));
    Run("MenuEdit_CopyView");
    EXPECT_EQ(QGuiApplication::clipboard()->image().size(), QSize(10, 6));
    EXPECT_EQ(main->ImgLeft().bitmap.size(), QSize(24, 16));

    // Off, a new picture stays where it is.
    SetClipboardHook(false);
    QGuiApplication::clipboard()->setImage(Filled(8, 8, qRgb(1, 1, 1)));
    EXPECT_EQ(main->ImgLeft().bitmap.size(), QSize(24, 16));
}

TEST_F(Exchange, F10InAndOutRestoresTheExactBounds) {
    // On the last screen: run with two screens, the window covers its own one.
    const QRect last = QGuiApplication::screens().last()->geometry();
    const QRect bounds(last.topLeft() + QPoint(60, 40), QSize(700, 500));
    main->setGeometry(bounds);
    main->show();
    montage->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(main));
    for (timg* v : {&main->ImgLeft(), &main->ImgRight()}) {
        v->bitmap = Filled(1200, 800, qRgb(90, 90, 90));
        v->Reset();
    }
    main->FitAndCompose();
    QTest::keyClick(main, Qt::Key_F10);
    EXPECT_TRUE(main->Display.FullScreen);
    // Refitted: the whole picture in the wider area, so fewer picture pixels per screen pixel.
    const tscreenrect area = main->Display.Slot1.Area;
    EXPECT_NEAR(main->Display.Zoom, std::max(1200.0 / area.Width(), 800.0 / area.Height()), 1e-9);
    EXPECT_TRUE(main->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(main->geometry(), last);
    EXPECT_FALSE(montage->isVisible());
    EXPECT_FALSE(main->ScrollBarX->isVisible());
    EXPECT_FALSE(main->StatusBar1->isVisible());
    EXPECT_FALSE(Settings.ShowGrid);

    QTest::keyClick(main, Qt::Key_F10);
    EXPECT_FALSE(main->Display.FullScreen);
    EXPECT_FALSE(main->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(main->geometry(), bounds);
    EXPECT_TRUE(montage->isVisible());
    EXPECT_TRUE(main->ScrollBarX->isVisible());
    EXPECT_TRUE(main->StatusBar1->isVisible());
    EXPECT_TRUE(Settings.ShowGrid);
}

TEST_F(Exchange, F12GivesTheLayoutAloneAndRemembersTheFirstBounds) {
    const QRect bounds(30, 20, 600, 400);
    main->setGeometry(bounds);
    main->show();
    Settings.ShowGrid = true;
    QTest::keyClick(main, Qt::Key_F12);
    EXPECT_TRUE(main->Display.FullScreen);
    EXPECT_TRUE(Settings.ShowGrid); // the layout alone leaves the marks
    QTest::keyClick(main, Qt::Key_F12);
    ASSERT_TRUE(main->NormalBounds.has_value());
    EXPECT_EQ(*main->NormalBounds, bounds);
}

TEST_F(Exchange, OptionsDialogStoresTheChoiceOnlyWithOk) {
    Settings.DragDropFileType = 3;
    Settings.DragDropAsk = true;
    options->FormShow();
    EXPECT_TRUE(options->FileTypeButtons->button(3)->isChecked());
    EXPECT_FALSE(options->CheckBoxShow->isChecked());
    options->FileTypeButtons->button(5)->setChecked(true);
    options->CheckBoxShow->setChecked(true);
    options->BitBtn1Click();
    EXPECT_EQ(Settings.DragDropFileType, 3);
    options->BitBtnOkClick();
    EXPECT_EQ(Settings.DragDropFileType, 5);
    EXPECT_FALSE(Settings.DragDropAsk);
    EXPECT_EQ(options->FileTypeButtons->button(7)->text(), "Fichier Paramètres de Calage");
}

} // namespace
