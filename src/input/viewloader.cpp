// The open commands, the installation of loaded pictures into the views, the
// composite splits and the reload of the pair from its files.
#include "input/viewloader.h"

#include "core/paths.h"
#include "core/settings.h"
#include "core/stereokinds.h"
#include "input/composite.h"
#include "input/mpofile.h"
#include "input/picturelimits.h"
#include "input/pictureload.h"

#include <QTransform>

#include <cmath>

namespace {

constexpr quint32 kAllChannels = 0xFFFFFF;
constexpr quint32 kBlack = 0xFF000000u; // the display background, opaque

QImage AsViewBitmap(const QImage& picture) {
    return picture.format() == QImage::Format_ARGB32
               ? picture
               : picture.convertToFormat(QImage::Format_ARGB32);
}

// Quarter turns are exact pixel moves (Qt rotates multiples of 90 degrees
// without resampling); a positive angle turns clockwise on screen.
QImage Turned(const QImage& img, int degrees) {
    return img.transformed(QTransform().rotate(degrees));
}

// Runs its action when the scope ends, whichever way it ends.
template <typename F> class tfinally {
public:
    explicit tfinally(F f) : f_(std::move(f)) {}
    ~tfinally() { f_(); }
    tfinally(const tfinally&) = delete;
    tfinally& operator=(const tfinally&) = delete;

private:
    F f_;
};

} // namespace

void tviewloader::InstallViewImage(timg& View, const QString& FileName) {
    const QString name = FileName; // may be the view's own filename, cleared below
    View.filename.clear();
    if (!Reloading) {
        View.Reset();
        host_.ResetSlot(View);
    }
    View.filename = name;
    host_.MakeCurrent(View);

    View.autorot %= 360;
    if (View.autorot < 0) View.autorot += 360;
    if (!View.bitmap.isNull()) {
        switch (View.autorot / 90) {
        case 1:
            View.bitmap = Turned(View.bitmap, 90);
            break;
        case 2:
            View.bitmap = Turned(View.bitmap, 180);
            break;
        case 3:
            View.bitmap = Turned(View.bitmap, 270);
            break;
        default:
            break;
        }
        if (View.mirror == 4) View.bitmap = View.bitmap.mirrored(false, true);
        if (View.mirror == 8) View.bitmap = View.bitmap.mirrored(true, false);
    }

    const int w = View.Width();
    const int h = View.Height();
    host_.SetScrollRanges(w, h);
    const QSize area = host_.DisplayArea(View);
    if (w > area.width() && h > area.height())
        host_.CentreOnArea(View);
    else
        host_.SetDisplayCentre(View, w / 2.0, h / 2.0);
    host_.Redraw();
    host_.RefreshSaveSizes();
}

void tviewloader::Blank(timg& view, QSize size) {
    view.bitmap = QImage(size, QImage::Format_ARGB32);
    view.bitmap.fill(kBlack);
    // A black view no longer comes from its old file: keeping the name would
    // show it in the caption and write it into the parameter file.
    view.filename.clear();
}

void tviewloader::LoadSingleView(const QImage& Picture, timg& Target, const QString& FileName,
                                 timg* Other) {
    const QString name = FileName;
    host_.SetColorMask(kAllChannels);
    host_.SetTransp1(256);
    Settings.OpenSepar = 0;
    Target.bitmap = AsViewBitmap(Picture);
    if (Other != nullptr && Other != &Target) {
        Blank(*Other, Picture.size());
        Other->Reset();
    }
    InstallViewImage(Target, name);
    host_.RefreshCaption();
}

bool tviewloader::AskOne(const QString& title, const QString& folder, bool multi,
                         QStringList& files) {
    files = host_.AskOpenPictures(title, folder, FileNamePart(lastDialogFile_), multi);
    if (files.isEmpty()) return false;
    lastDialogFile_ = files.first();
    return true;
}

bool tviewloader::LoadMpoPair(const QString& FileName) {
    const QString name = FileName;
    tviewpair& pair = host_.Pair();
    QImage left, right;
    QString info = pair.ImageInfo;
    if (!LoadPictureFile(left, name, info, nullptr, &host_, 0) ||
        !LoadPictureFile(right, name, info, nullptr, &host_, 1))
        return false;
    pair.ImageInfo = info;
    host_.SetColorMask(kAllChannels);
    host_.SetTransp1(128);
    Settings.OpenSepar = 0;
    pair.ImgLeft.bitmap = AsViewBitmap(left);
    pair.ImgRight.bitmap = AsViewBitmap(right);
    pair.StereoType = KindPair;
    InstallViewImage(pair.ImgLeft, name);
    InstallViewImage(pair.ImgRight, name);
    host_.RefreshCaption();
    return true;
}

bool tviewloader::OpenedMpo(const QString& file, QString& folder, bool& ok) {
    if (!IsMpoFileName(file)) return false;
    ok = LoadMpoPair(file);
    if (ok) {
        folder = FileFolder(file);
        host_.Recompose();
    }
    host_.Redraw();
    return true;
}

bool tviewloader::OpenIntoView(timg& Target, timg* Other, const QString& Title, QString& Folder) {
    QStringList files;
    if (!AskOne(Title, Folder, true, files)) return false;
    // An MPO holds the whole pair, whichever view was asked for.
    bool mpo = false;
    if (OpenedMpo(files.first(), Folder, mpo)) return mpo;
    QImage work;
    if (!LoadPictureFile(work, files.first(), host_.Pair().ImageInfo, nullptr, &host_))
        return false;
    Folder = FileFolder(files.first());
    LoadSingleView(work, Target, files.first(), Other);
    return true;
}

bool tviewloader::OpenImage() {
    Settings.CropIndex = 0;
    tviewpair& pair = host_.Pair();
    if (!OpenIntoView(pair.ImgLeft, &pair.ImgRight, OpenDialogTitle(KindSingle),
                      Settings.OpenDirImg))
        return false;
    if (pair.StereoType == KindPair && IsMpoFileName(pair.ImgLeft.filename)) return true;
    pair.StereoType = KindLeft;
    host_.RefreshCaption();
    host_.Recompose();
    return true;
}

bool tviewloader::OpenLeft() {
    Settings.CropIndex = 0;
    tviewpair& pair = host_.Pair();
    bool ok = false;
    QStringList files;
    QImage work;
    bool mpo = false;
    const bool asked = AskOne(OpenDialogTitle(KindPair), Settings.OpenDirL, true, files);
    if (asked && OpenedMpo(files[0], Settings.OpenDirL, mpo)) return mpo;
    if (asked && LoadPictureFile(work, files[0], pair.ImageInfo, nullptr, &host_)) {
        Settings.OpenDirL = FileFolder(files[0]);
        LoadSingleView(work, pair.ImgLeft, files[0], nullptr);
        int& st = pair.StereoType;
        st = (st == KindPair || st == KindRight)                 ? KindPair
             : (st == KindPairOpening || st == KindRightOpening) ? KindPairOpening
                                                                 : KindLeft;
        ok = true;
        if (files.size() >= 2) {
            QImage second;
            if (LoadPictureFile(second, files[1], pair.ImageInfo, nullptr, &host_)) {
                Settings.OpenDirR = FileFolder(files[1]);
                LoadSingleView(second, pair.ImgRight, files[1], nullptr);
                st = (st == KindPair || st == KindLeft || st == KindPairOpening) ? KindPair
                                                                                 : KindRight;
            } else {
                ok = false;
            }
        }
        host_.RefreshCaption();
        host_.Recompose();
    }
    host_.Redraw();
    return ok;
}

bool tviewloader::OpenRight() {
    Settings.CropIndex = 0;
    tviewpair& pair = host_.Pair();
    if (!OpenIntoView(pair.ImgRight, nullptr, OpenDialogTitle(KindRight), Settings.OpenDirR))
        return false;
    pair.StereoType =
        (pair.StereoType == KindLeft || pair.StereoType == KindPair) ? KindPair : KindRight;
    if (IsMpoFileName(pair.ImgRight.filename) && pair.ImgLeft.filename == pair.ImgRight.filename)
        pair.StereoType = KindPair;
    host_.RefreshCaption();
    host_.Recompose();
    return true;
}

bool tviewloader::OpenPair() {
    tviewpair& pair = host_.Pair();
    int& st = pair.StereoType;
    // Mark the pair as being opened, so OpenLeft tells a new left view from
    // the completion of a pair already on screen.
    if (st == KindPair) st = KindPairOpening;
    if (st == KindRight) st = KindRightOpening;
    OpenLeft();
    if (st == KindPair && IsMpoFileName(pair.ImgLeft.filename) &&
        pair.ImgLeft.filename == pair.ImgRight.filename) {
        // The MPO gave the whole pair: no right view to ask for.
        return true;
    }
    if (st == KindPair || st == KindRight) {
        host_.Redraw();
        return false;
    }
    Settings.CropIndex = 0;
    bool ok = false;
    if (OpenIntoView(pair.ImgRight, nullptr, OpenDialogTitle(KindRight), Settings.OpenDirR)) {
        st = (st == KindLeft || st == KindPairOpening) ? KindPair : KindRight;
        if (IsMpoFileName(pair.ImgRight.filename) &&
            pair.ImgLeft.filename == pair.ImgRight.filename)
            st = KindPair;
        host_.RefreshCaption();
        host_.Recompose();
        ok = true;
    }
    host_.Redraw();
    return ok;
}

bool tviewloader::OpenComposite(int kind, QString& folder) {
    Settings.CropIndex = 0;
    tviewpair& pair = host_.Pair();
    QStringList files;
    if (!AskOne(OpenDialogTitle(kind), folder, true, files)) return false;
    bool mpo = false;
    if (OpenedMpo(files.first(), folder, mpo)) return mpo;
    pair.ImgLeft.filename.clear();
    pair.ImgRight.filename.clear();
    pair.StereoType = KindNone;
    QImage work;
    if (!LoadPictureFile(work, files.first(), pair.ImageInfo, nullptr, &host_)) {
        host_.RefreshCaption();
        return false;
    }
    folder = FileFolder(files.first());
    SplitByKind(kind, work, files.first());
    host_.Recompose();
    return true;
}

bool tviewloader::OpenCrossed() {
    return OpenComposite(KindCrossed, Settings.OpenDirSX);
}
bool tviewloader::OpenParallel() {
    return OpenComposite(KindParallel, Settings.OpenDirSP);
}
bool tviewloader::OpenVertical() {
    return OpenComposite(KindOverUnder, Settings.OpenDirSV);
}
bool tviewloader::OpenDouble() {
    return OpenComposite(KindDouble, Settings.OpenDirBi);
}
bool tviewloader::OpenAnaglyph() {
    return OpenComposite(KindAnaglyph, Settings.OpenDirAna);
}

void tviewloader::SplitSideBySide(int kind, const QImage& picture, const QString& fileName) {
    const QString name = fileName;
    host_.SetColorMask(kAllChannels);
    host_.SetTransp1(128);
    const int s = DetectSeparation(picture, kind);
    tviewpair& pair = host_.Pair();
    CutComposite(picture, kind, s, pair.ImgLeft.bitmap, pair.ImgRight.bitmap);
    pair.StereoType = kind;
    InstallViewImage(pair.ImgLeft, name);
    InstallViewImage(pair.ImgRight, name);
    host_.RefreshCaption();
}

void tviewloader::SplitCrossed(const QImage& Picture, const QString& FileName) {
    SplitSideBySide(KindCrossed, Picture, FileName);
}
void tviewloader::SplitParallel(const QImage& Picture, const QString& FileName) {
    SplitSideBySide(KindParallel, Picture, FileName);
}
void tviewloader::SplitVertical(const QImage& Picture, const QString& FileName) {
    SplitSideBySide(KindOverUnder, Picture, FileName);
}
void tviewloader::SplitDouble(const QImage& Picture, const QString& FileName) {
    SplitSideBySide(KindDouble, Picture, FileName);
}

void tviewloader::SplitAnaglyph(const QImage& Picture, const QString& FileName) {
    const QString name = FileName;
    SetManualSeparation(0);
    host_.SetColorMask(kAllChannels);
    host_.SetTransp1(128);
    tviewpair& pair = host_.Pair();
    CutComposite(Picture, KindAnaglyph, 0, pair.ImgLeft.bitmap, pair.ImgRight.bitmap);
    pair.StereoType = KindAnaglyph;
    InstallViewImage(pair.ImgLeft, name);
    InstallViewImage(pair.ImgRight, name);
    host_.RefreshCaption();
}

bool tviewloader::SplitByKind(int Kind, const QImage& Picture, const QString& FileName) {
    switch (Kind) {
    case KindCrossed:
        SplitCrossed(Picture, FileName);
        return true;
    case KindParallel:
        SplitParallel(Picture, FileName);
        return true;
    case KindAnaglyph:
        SplitAnaglyph(Picture, FileName);
        return true;
    case KindOverUnder:
        SplitVertical(Picture, FileName);
        return true;
    case KindDouble:
        SplitDouble(Picture, FileName);
        return true;
    default:
        return false;
    }
}

void tviewloader::ReloadViews(int Kind) {
    tviewpair& pair = host_.Pair();
    timg& left = pair.ImgLeft;
    timg& right = pair.ImgRight;
    Reloading = true;
    QImage work;
    tfinally done([&] {
        Settings.CropIndex = 0;
        pair.ImageInfo = work.isNull() ? QString::fromUtf8(NoPictureText)
                                       : FormatImageInfo(work.width(), work.height(), work.depth());
        host_.ShowFirstMontageTab();
        Reloading = false;
        host_.RefreshSaveSizes();
    });

    const QString leftName = left.filename;
    const QString rightName = right.filename;
    switch (Kind) {
    case KindPair:
        pair.StereoType = KindPair;
        if (LoadPictureFile(work, leftName, pair.ImageInfo, nullptr, &host_)) {
            left.bitmap = work;
            InstallViewImage(left, leftName);
        }
        if (LoadPictureFile(work, rightName, pair.ImageInfo, nullptr, &host_, 1)) {
            right.bitmap = work;
            InstallViewImage(right, rightName);
        }
        break;
    case KindCrossed:
    case KindParallel:
    case KindAnaglyph:
    case KindOverUnder:
    case KindDouble:
        if (LoadPictureFile(work, leftName, pair.ImageInfo, nullptr, &host_))
            SplitByKind(Kind, work, leftName);
        break;
    case KindRight:
        if (LoadPictureFile(work, rightName, pair.ImageInfo, nullptr, &host_, 1)) {
            LoadSingleView(work, right, rightName, &left);
            pair.StereoType = KindRight;
        }
        break;
    case KindParams:
        host_.ReadParameterFile();
        break;
    case KindLeft:
    default:
        if (LoadPictureFile(work, leftName, pair.ImageInfo, nullptr, &host_)) {
            LoadSingleView(work, left, leftName, &right);
            pair.StereoType = KindLeft;
        }
        break;
    }

    for (timg* view : {&left, &right}) {
        if (view->dz == 1.0) continue;
        view->scale = 1.0;
        // A factor read from a damaged parameter file must not divide by
        // zero or blow the picture up beyond what can be held.
        const double f = view->dz;
        if (!std::isfinite(f) || f <= 0) continue;
        const double w = std::trunc(view->Width() / f), h = std::trunc(view->Height() / f);
        if (w < 1 || h < 1 || w > double(kMaxPicturePixels) || h > double(kMaxPicturePixels) ||
            !PictureSizeAllowed(std::int64_t(w), std::int64_t(h))) {
            // The view stays as read, its points with it: the record says so.
            view->dz = 1.0;
            host_.ShowMessage(QStringLiteral("Correction de grandissement refusée pour %1 :\n"
                                             "%2 x %3 pixels, au-delà de la limite de %4 pixels")
                                  .arg(view->filename)
                                  .arg(w, 0, 'f', 0)
                                  .arg(h, 0, 'f', 0)
                                  .arg(kMaxPicturePixels));
            continue;
        }
        host_.ReduceView(*view, f);
    }
}
