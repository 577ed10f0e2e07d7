// The commands the Montage window carries out on the views itself: the
// alignment buttons, locking the points, opening, extracting, closing and
// turning views grey.
#include "montage/tformbuild2.h"

#include "core/qimageview.h"
#include "core/runflags.h"
#include "core/settings.h"
#include "display/tformmain.h"
#include "engine/bitmapops.h"
#include "input/pictureload.h"
#include "input/tsepardialog.h"
#include "input/userreport.h"
#include "input/viewloader.h"
#include "montage/autoalign.h"
#include "montage/magnification.h"
#include "montage/manualmoves.h"
#include "montage/orientation.h"
#include "montage/programwindows_ui.h"
#include "montage/tformgeometry.h"

#include <QLabel>
#include <QMenu>
#include <QRadioButton>
#include <QScrollBar>
#include <QToolButton>

void TFormBuild2::BindAlignment() {
    auto click = [this](const char* name, std::function<void()> run) {
        auto* b = findChild<QToolButton*>(QString::fromUtf8(name));
        connect(b, &QToolButton::clicked, this, [run] { run(); });
    };
    talignhost& h = host_;
    click("SBVertCalPoint", [&h] { LevelOnCentre(h); });
    click("SBVertCalOrient", [&h] { LevelOnCentre(h); });
    click("SBCalStereo2Point", [&h] { ::AlignRotation(h); });
    click("ToolButtonStereoHoraireManuel", [&h] { Rotate(h, RotateHomologous, 0); });
    click("ToolButtonStereoTrigoManuel", [&h] { Rotate(h, RotateHomologous, 2); });
    click("SBOrR", [&h] { CalOrient(h, OrientRightOnLeft); });
    click("SbOrL", [&h] { CalOrient(h, OrientLeftOnRight); });
    click("SBCalOrSym", [&h] { CalOrient(h, OrientHalfway); });
    click("SBCalOrVert", [&h] { CalOrient(h, OrientVertical); });
    click("SBCalOrHorz", [&h] { CalOrient(h, OrientHorizontal); });
    click("SBCalOrHorzManuel", [&h] { Rotate(h, RotateBoth, 0); });
    click("SBCalOrTrigoManuel", [&h] { Rotate(h, RotateBoth, 2); });
    click("SBManuUp", [&h] { ManualMove(h, MoveUp); });
    click("SBManuDown", [&h] { ManualMove(h, MoveDown); });
    click("SBManuLeft", [&h] { ManualMove(h, MoveLeft); });
    click("SBManuRight", [&h] { ManualMove(h, MoveRight); });
    click("SBManuHoraire", [this, &h] { ManualRotate(h, RotationItem(), true); });
    click("SBManuTrigo", [this, &h] { ManualRotate(h, RotationItem(), false); });
    click("ToolButtonApplyZoom", [this, &h] { ApplyZoomCorrection(h, DistanceMode()); });
    click("ToolButtonCancelZoom", [&h] { CancelZoomCorrection(h); });

    Bind("MenuRaz_Point", [&h] { ClearCurrentPoint(h); });
    Bind("MenuRaz_Scroll", [&h] { CancelDisplayMoves(h); });
    Bind("MenuRaz_Level", [&h] { CancelLevelling(h); });
    Bind("MenuRaz_Rotation", [&h] { RazRotation(h, true); });
    Bind("MenuRaz_Geometry", [&h] { CancelGeometry(h); });
    Bind("MenuRaz_RazParams", [&h] { ResetParameters(h); });
    Bind("MenuClose_RazParams", [&h] { ResetParameters(h); });
    Bind("MenuBuild_Demo", [&h] { RunRotationDemo(h); });
    Bind("MenuBuild_Auto", [this] { AutoAlignClick(); });
    click("SBAutoAlign", [this] { AutoAlignClick(); });
}

bool TFormBuild2::DistanceMode() const {
    auto* g = qobject_cast<TFormGeometry*>(AppWindows.FormGeometry);
    return g && g->DistanceMode;
}

int TFormBuild2::RotationItem() const {
    for (int i = 0; i < 3; ++i) {
        auto* rb = findChild<QRadioButton*>(QStringLiteral("RadioGroupRotationItem%1").arg(i));
        if (rb && rb->isChecked()) return i;
    }
    return -1;
}

int TFormBuild2::CropToRepeat() {
    bool hasFrame = false;
    if (TFormMain* main = AppWindows.FormMain) {
        const timg* current = main->GetCurrent().img;
        hasFrame = current && current->mancropd;
    }
    Settings.CropIndex =
        CropRepeatIndex(Settings.CropIndex, SBCadre1 && SBCadre1->isChecked(), hasFrame);
    return Settings.CropIndex;
}

void TFormBuild2::LockPoints() {
    if (SBCadre1) SBCadre1->setChecked(false);
    sequencer_.LockPoints();
    // The Geometry dialog carries a Lock button of its own that follows.
    if (auto* geometry = qobject_cast<TFormGeometry*>(AppWindows.FormGeometry))
        geometry->PressLock();
}

void TFormBuild2::AlignRotation() {
    ::AlignRotation(host_);
}

tviewloader& TFormBuild2::Loader() {
    // One loader for the run, so the open dialog offers the last file's name.
    if (!loader_) loader_ = std::make_unique<tviewloader>(AppWindows.FormMain->DisplayHost);
    return *loader_;
}

void TFormBuild2::OpenFromLoadTab(bool left) {
    TFormMain* main = AppWindows.FormMain;
    if (!main) return;
    PageControl1->setCurrentIndex(TabLoad);
    SelectNoCrop();
    tviewloader& loader = Loader();
    if (left)
        loader.OpenLeft();
    else
        loader.OpenRight();
    Redraw();
}

void TFormBuild2::OpenCommand(int index) {
    TFormMain* main = AppWindows.FormMain;
    if (!main) return;
    PageControl1->setCurrentIndex(TabLoad);
    // Composite pictures are shown with the transparency of the bar when
    // the default vision mode is forced at loading.
    const bool composite = index >= 3 && index <= 7;
    if (composite && Settings.VisuLoad) {
        main->Display.Transp1 = ScrollBarTransp->value();
        main->Display.Transp2 = ScrollBarTransp2->value();
    }
    SelectNoCrop();
    tviewloader& loader = Loader();
    switch (index) {
    case 0:
        loader.OpenPair();
        break;
    case 1:
        loader.OpenLeft();
        break;
    case 2:
        loader.OpenRight();
        break;
    case 3:
        loader.OpenCrossed();
        break;
    case 4:
        loader.OpenParallel();
        break;
    case 5:
        loader.OpenVertical();
        break;
    case 6:
        loader.OpenDouble();
        break;
    case 7:
        loader.OpenAnaglyph();
        break;
    default:
        return;
    }
    Redraw();
}

void TFormBuild2::ExtractCommand(int index) {
    TFormMain* main = AppWindows.FormMain;
    if (!main) return;
    QMenu* extract = Submenu(QStringLiteral("MenuFile_Extract"));
    tviewloader& loader = Loader();
    if (index == 0) {
        auto* dialog = qobject_cast<TSeparDialog*>(AppWindows.SeparDialog);
        if (!dialog) return;
        extract->actions()[1]->setChecked(true);
        dialog->SetManualText(QString::number(Settings.OpenSepar));
        dialog->exec();
        loader.ReloadViews(main->Pair.StereoType);
        Redraw();
        return;
    }
    // Kinds of the split items, in menu order after the separation item.
    static constexpr int kKinds[] = {KindCrossed, KindParallel, KindAnaglyph, KindOverUnder,
                                     KindDouble};
    if (index < 1 || index > 5) return;
    const timg* current = main->GetCurrent().img;
    if (!current) current = &main->ImgLeft();
    QImage picture;
    const QString file = current->filename;
    if (file == QLatin1String("ClipBoard") || file == QLatin1String("ClipBoardLeft") ||
        file == QLatin1String("ClipBoardRight")) {
        picture = current->bitmap.copy();
    } else {
        int bits = 0;
        QString error;
        if (DecodePictureFile(file, picture, bits, error) != LoadStatus::Loaded) return;
    }
    if (picture.isNull()) return;
    loader.SplitByKind(kKinds[index - 1], picture, file);
    Redraw();
}

void TFormBuild2::CloseView(bool left) {
    TFormMain* main = AppWindows.FormMain;
    if (!main) return;
    gBusy = false;
    main->ClearView(left ? main->ImgLeft() : main->ImgRight());
    Redraw();
}

void TFormBuild2::CloseAll() {
    TFormMain* main = AppWindows.FormMain;
    if (!main) return;
    gBusy = false;
    main->ClearView(main->ImgLeft());
    main->ClearView(main->ImgRight());
    main->ResetViews();
    PageControl1->setCurrentIndex(TabLoad);
    Redraw();
    CurPoint = 0;
    sequencer_.LastPoint = 0;
    SelectPair(0);
}

void TFormBuild2::ConvertToGrey(bool both) {
    TFormMain* main = AppWindows.FormMain;
    if (!main) return;
    const bool anaglyph = main->Pair.StereoType == KindAnaglyph;
    auto grey = [](timg& view, std::uint32_t mask) {
        if (view.bitmap.isNull() || view.bitmap.depth() != 32) return;
        const ImageView v = WritableView(view.bitmap);
        GreyBitmap(v, v, mask);
    };
    if (both) {
        grey(main->ImgLeft(), anaglyph ? 0xFF0000u : 0xFFFFFFu);
        grey(main->ImgRight(), anaglyph ? 0x00FFFFu : 0xFFFFFFu);
    } else {
        timg* current = main->GetCurrent().img;
        if (!current) return;
        const bool isLeft = current == &main->ImgLeft();
        grey(*current, anaglyph ? (isLeft ? 0xFF0000u : 0x00FFFFu) : 0xFFFFFFu);
    }
    Redraw();
}

void TFormBuild2::AutoAlignClick() {
    QString line;
    const bool done = RunAutoAlignCommand(host_, line);
    if (line.isEmpty()) return; // already running
    StaticTextAuto->setText(line);
    StaticTextAuto->setVisible(true);
    if (!done) UserReport().ShowMessage(line);
}
