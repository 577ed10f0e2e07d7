// The paste, drop and copy rules of the views: which source of a clipboard
// wins, which view a picture goes to and what StereoType becomes.
#include "input/pictureexchange.h"

#include "input/mpofile.h"

#include "core/paths.h"
#include "core/qimageview.h"
#include "core/settings.h"
#include "core/stereokinds.h"
#include "engine/transform.h"
#include "input/pictureload.h"

#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

#include <algorithm>
#include <cmath>

namespace {

// A text is a file name only when it names an existing file: any other text
// on the clipboard is left alone without a message.
QString AsFileName(const QString& text) {
    QString name = text.section(QLatin1Char('\n'), 0, 0).trimmed();
    if (name.startsWith(QLatin1String("file:"))) name = QUrl(name).toLocalFile();
    return name;
}

bool IsFile(const QString& name) {
    return !name.isEmpty() && QFileInfo(name).isFile();
}

bool IsParamFile(const QString& name) {
    return name.toUpper().endsWith(QLatin1String(".PRM"));
}

QImage AsViewPicture(const QImage& picture) {
    return picture.format() == QImage::Format_ARGB32
               ? picture
               : picture.convertToFormat(QImage::Format_ARGB32);
}

} // namespace

texchangecontent ExchangeContentOf(const QMimeData& mime) {
    texchangecontent c;
    if (mime.hasUrls()) {
        for (const QUrl& url : mime.urls())
            if (url.isLocalFile()) c.files << url.toLocalFile();
    }
    if (mime.hasText()) c.text = mime.text();
    // The named format other programs put beside a copied file.
    for (const QString& format : mime.formats()) {
        if (format == QLatin1String("FileName") || format.endsWith(QLatin1String("\"FileName\""))) {
            const QByteArray raw = mime.data(format);
            c.fileName = QString::fromLocal8Bit(raw.left(raw.indexOf('\0')));
            break;
        }
    }
    if (mime.hasImage()) c.picture = qvariant_cast<QImage>(mime.imageData());
    return c;
}

int StereoTypeAfterViewLoad(bool intoLeft, int stereoType) {
    const int alone = intoLeft ? KindRight : KindLeft; // the other view alone
    return stereoType == KindPair || stereoType == alone ? int(KindPair)
                                                         : int(intoLeft ? KindLeft : KindRight);
}

QImage TurnedViewCopy(const timg& view) {
    const ImageView src = ReadView(view.bitmap);
    if (src.Empty()) return QImage();
    const double W = view.Width(), H = view.Height(), t = -view.rot;
    const double cs = std::cos(t), sn = std::sin(t);
    double minX = 0, maxX = 0, minY = 0, maxY = 0;
    bool first = true;
    for (const auto& [x, y] : {std::pair{0.0, 0.0}, {W - 1, 0.0}, {0.0, H - 1}, {W - 1, H - 1}}) {
        const double tx = std::trunc(x * cs - y * sn);
        const double ty = std::trunc(x * sn + y * cs);
        minX = first ? tx : std::min(minX, tx);
        maxX = first ? tx : std::max(maxX, tx);
        minY = first ? ty : std::min(minY, ty);
        maxY = first ? ty : std::max(maxY, ty);
        first = false;
    }
    const double offX = minX < 0 ? -minX : 0;
    const double offY = minY < 0 ? -minY : 0;
    EngineRect r;
    r.Left = int(std::max(minX, 0.0));
    r.Top = int(std::max(minY, 0.0));
    r.Right = int(maxX + offX);
    r.Bottom = int(maxY + offY);
    QImage out(std::abs(r.Right - r.Left) + 1, std::abs(r.Bottom - r.Top) + 1,
               QImage::Format_ARGB32);
    out.fill(0xFF000000u);
    BmpTransformSmooth(src, WritableView(out), src.Bounds(), r, 0, 0, offX, offY, 0, 0, view.rot,
                       view.dz, 0, 0xFFFFFF, 0);
    return out;
}

bool tpictureexchange::Load(const QString& name, QImage& work) {
    return LoadPictureFile(work, name, host_.Pair().ImageInfo, nullptr, &host_);
}

void tpictureexchange::Refresh() {
    host_.Recompose();
    // The kind changes after the views are installed: the caption follows it.
    host_.RefreshCaption();
}

bool tpictureexchange::InstallMpo(const QString& name) {
    // Its first picture is the left view, its second the right view; a file
    // that does not load leaves the views as they were.
    if (!loader_.LoadMpoPair(name)) return false;
    Settings.CropIndex = 0;
    Settings.OpenDirL = Settings.OpenDirR = FileFolder(name);
    host_.ShowFirstMontageTab();
    Refresh();
    return true;
}

void tpictureexchange::SetFolder(bool left, const QString& name) {
    // A pseudo name has no folder.
    const QString folder = IsFile(name) ? FileFolder(name) : QString();
    (left ? Settings.OpenDirL : Settings.OpenDirR) = folder;
}

void tpictureexchange::InstallSingle(const QImage& work, timg& target, const QString& name) {
    if (Settings.DragDropAsk && AskFileType && !AskFileType()) return;
    if (!loader_.SplitByKind(Settings.DragDropFileType, work, name)) {
        // Only the composite kinds split; any other choice is a single view.
        Settings.DragDropFileType = 0;
        loader_.LoadSingleView(work, target, name, nullptr);
    }
    host_.Pair().StereoType = Settings.DragDropFileType;
}

texchangesource tpictureexchange::PasteStereo(const texchangecontent& content, timg& current) {
    tviewpair& pair = host_.Pair();
    const tbusyguard busy(host_);
    QImage work;
    QString name1, name2;
    int n = 1;
    timg* target = &current;
    texchangesource source = texchangesource::None;

    // A camera's MPO file holds the whole pair.
    if (content.files.size() == 1 && IsMpoFileName(content.files[0]))
        return InstallMpo(content.files[0]) ? texchangesource::Files : texchangesource::None;
    if (!content.files.isEmpty()) {
        const int count = int(content.files.size());
        if (Load(content.files[0], work)) {
            // Two files or more: the first goes to the left view.
            if (count > 1) target = &pair.ImgLeft;
            n = count;
            name1 = content.files[0];
            if (n > 1) name2 = content.files[1];
            source = texchangesource::Files;
        }
    }
    const QString text = AsFileName(content.text);
    if (source == texchangesource::None && IsFile(text) && Load(text, work)) {
        name1 = text;
        source = texchangesource::Text;
    }
    const QString named = AsFileName(content.fileName);
    if (source == texchangesource::None && IsFile(named) && Load(named, work)) {
        name1 = named;
        source = texchangesource::FileName;
    }
    if (source == texchangesource::None && !content.picture.isNull()) {
        work = AsViewPicture(content.picture);
        name1 = QString::fromLatin1(kNameClipboard);
        source = texchangesource::Picture;
    }
    if (source == texchangesource::None) return source;

    if (n > 1) host_.MakeCurrent(pair.ImgLeft);
    Settings.CropIndex = 0;
    const bool left = target == &pair.ImgLeft;
    pair.StereoType = StereoTypeAfterViewLoad(left, pair.StereoType);
    SetFolder(left, name1);
    if (source == texchangesource::Picture)
        pair.ImageInfo = FormatImageInfo(work.width(), work.height(), 32);

    if (n == 1) {
        InstallSingle(work, *target, name1);
    } else {
        loader_.LoadSingleView(work, pair.ImgLeft, name1, nullptr);
        pair.StereoType = StereoTypeAfterViewLoad(false, pair.StereoType);
        SetFolder(false, name2);
        QImage second;
        if (Load(name2, second)) loader_.LoadSingleView(second, pair.ImgRight, name2, nullptr);
        pair.StereoType = KindPair;
    }
    host_.ShowFirstMontageTab();
    Refresh();
    return source;
}

bool tpictureexchange::PasteView(const texchangecontent& content, timg& current) {
    tviewpair& pair = host_.Pair();
    const tbusyguard busy(host_);
    QImage work;
    for (const QString& candidate : {AsFileName(content.text), AsFileName(content.fileName)}) {
        if (IsFile(candidate) && Load(candidate, work)) {
            loader_.LoadSingleView(work, current, candidate, nullptr);
            Refresh();
            return true;
        }
    }
    if (content.picture.isNull()) return false;
    work = AsViewPicture(content.picture);
    const QString name =
        QString::fromLatin1(&current == &pair.ImgLeft ? kNameClipboardLeft : kNameClipboardRight);
    pair.ImageInfo = FormatImageInfo(work.width(), work.height(), 32);
    loader_.LoadSingleView(work, current, name, nullptr);
    Refresh();
    return true;
}

bool tpictureexchange::DropFiles(const QStringList& files, timg& target) {
    if (files.isEmpty() || (files.size() > 2 && !IsParamFile(files[0]))) return false;
    tviewpair& pair = host_.Pair();
    if (IsParamFile(files[0])) {
        if (!OpenParamFile) return false;
        OpenParamFile(files[0]);
        Refresh();
        return true;
    }
    const tbusyguard busy(host_);
    if (files.size() == 1 && IsMpoFileName(files[0])) return InstallMpo(files[0]);
    QImage work;
    if (files.size() == 1) {
        // A file that does not load leaves the views as they were.
        if (!Load(files[0], work)) return false;
        target.filename.clear();
        pair.StereoType = Settings.DragDropFileType;
        Settings.CropIndex = 0;
        SetFolder(&target == &pair.ImgLeft, files[0]);
        InstallSingle(work, target, files[0]);
        Refresh();
        return true;
    }
    Settings.CropIndex = 0;
    bool any = false;
    if (Load(files[0], work)) {
        Settings.OpenDirL = FileFolder(files[0]);
        loader_.LoadSingleView(work, pair.ImgLeft, files[0], nullptr);
        any = true;
    }
    QImage second;
    if (Load(files[1], second)) {
        Settings.OpenDirR = FileFolder(files[1]);
        loader_.LoadSingleView(second, pair.ImgRight, files[1], nullptr);
        any = true;
    }
    if (!any) return false;
    pair.StereoType = KindPair;
    Refresh();
    return true;
}

bool tpictureexchange::DropPicture(const QImage& picture, timg& target) {
    if (picture.isNull()) return false;
    tviewpair& pair = host_.Pair();
    pair.StereoType = StereoTypeAfterViewLoad(&target == &pair.ImgLeft, pair.StereoType);
    pair.ImageInfo = FormatImageInfo(picture.width(), picture.height(), 32);
    loader_.LoadSingleView(AsViewPicture(picture), target, QString::fromLatin1(kNameDragDrop),
                           nullptr);
    Refresh();
    return true;
}
