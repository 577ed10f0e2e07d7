// The save pass over the ticked kinds, one output at a time, and the
// single-output composition of the other windows.
#include "output/savepass.h"

#include "core/paramfile.h"
#include "core/privatetemp.h"
#include "core/qimageview.h"
#include "core/settings.h"
#include "core/stereokinds.h"
#include "core/viewpair.h"
#include "input/picturelimits.h"
#include "input/pictureload.h"
#include "input/userreport.h"
#include "output/camerawrite.h"
#include "output/composition.h"
#include "output/exifcopy.h"
#include "output/extrakinds.h"
#include "output/imagewrite.h"
#include "output/naming.h"
#include "output/sourceframe.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cmath>
#include <iterator>
#include <vector>

const char* const SaveOkText = "Ok - %d Ko";
const char* const SaveErrorText = "Error!!! - File not Save";
const char* const SaveUserAbortText = "User Abort!!! - File not Save";
const char* const OverwriteQuestion = "Voulez vous écraser le Fichier %s ?";
const char* const OverwriteRenameTitle =
    "%s Existe : Ok pour Ecraser ou Donner un autre nom ou Annuler";

const std::array<int, 7> SaveKindOrder = {KindLeft,      KindRight,    KindCrossed, KindParallel,
                                          KindOverUnder, KindAnaglyph, KindDouble};

QString SaveOkLine(qint64 bytes) {
    return QString::fromUtf8(SaveOkText).replace("%d", QString::number(bytes / 1024));
}

bool tsavereport::AllWritten() const {
    if (abandoned) return false;
    for (const tsaveoutput& o : outputs)
        if (!o.ok) return false;
    return true;
}

namespace {

// Adds an output's result to the report: the text as a log line, the output
// as one entry.
void Finish(tsavereport& report, tsaveoutput& out, const QString& text, bool ok) {
    out.text = text;
    out.ok = ok;
    if (!text.isEmpty()) report.log << text;
    report.outputs.push_back(out);
}

// "Error!!! - File not Save", then the cause on a line of its own.
void Fail(tsavereport& report, tsaveoutput& out, const QString& cause) {
    out.cause = cause;
    Finish(report, out, QString::fromUtf8(SaveErrorText), false);
    if (!cause.isEmpty()) report.log << cause;
}

} // namespace

void ComposeAndWrite(const tviewpair& pair, int kind, const QString& kindFolder,
                     const QString& name, tsavepass& pass, const tsaveoptions& options,
                     tnamingfields& fields, tsettings& settings, tfolderquestions& folders,
                     tsavequestions& questions, tsavereport& report) {
    tsaveoutput out;
    out.kind = kind;
    const QString base = fields.RepBase.trimmed();
    QString folder = ResolveFolder(base, kindFolder, fields.LeftFile);
    if (folder.isEmpty() || name.trimmed().isEmpty() || options.W <= 0 || options.H <= 0) {
        Fail(report, out,
             folder.isEmpty() || name.trimmed().isEmpty() ? QStringLiteral("no file name")
                                                          : QStringLiteral("no output size"));
        return;
    }
    if (!EnsureFolder(base, folder, !QFileInfo(folder).isDir(), !options.askBeforeCreateDir,
                      fields.LeftFile, folders)) {
        Fail(report, out, QStringLiteral("folder not created"));
        return;
    }
    QDir::setCurrent(folder);
    QString path = QDir(folder).filePath(name);
    out.path = path;
    report.log << path;

    // Only a file the user agreed to replace is replaced; any other that
    // appears meanwhile makes the write fail.
    bool replace = false;
    if (QFileInfo::exists(path)) {
        replace = true;
        if (pass.aborted) {
            // After "Abort" no existing file of this pass is replaced.
            Finish(report, out, QString::fromUtf8(SaveUserAbortText), false);
            return;
        }
        if (pass.askOverwrite) {
            switch (questions.AskOverwrite(path)) {
            case toverwriteanswer::Yes:
                break;
            case toverwriteanswer::YesToAll:
                pass.askOverwrite = false;
                break;
            case toverwriteanswer::Cancel:
                Finish(report, out, QString(), false);
                return;
            case toverwriteanswer::Abort:
                pass.aborted = true;
                Finish(report, out, QString::fromUtf8(SaveUserAbortText), false);
                return;
            case toverwriteanswer::No:
                if (!questions.AskOtherName(kind, path) || path.trimmed().isEmpty()) {
                    out.cause = questions.KeptFileCause();
                    Finish(report, out, QString::fromUtf8(SaveUserAbortText), false);
                    if (!out.cause.isEmpty()) report.log << out.cause;
                    return;
                }
                out.path = path;
                // The other name's own dialog asked about an existing file.
                replace = QFileInfo::exists(path);
                break;
            }
        }
    }
    RememberSaveDir(QFileInfo(path).absolutePath(), kind, settings);

    const tcommonframe frame = ComputeSourceFrame(&pair.ImgLeft, &pair.ImgRight, options.manual,
                                                  options.ratioH, options.ratioW);
    if (!frame.Usable()) {
        Fail(report, out, QStringLiteral("no common frame"));
        return;
    }
    tcomposition c;
    c.kind = kind;
    c.W = options.W;
    c.H = options.H;
    if ((kind == KindHsbs || kind == KindHou) && options.frameW > 0 && options.frameH > 0) {
        c.W = options.frameW;
        c.H = options.frameH;
    }
    c.S = options.S;
    c.m = AdaptScale(frame.width, frame.height, c.W, c.H, options.adapt);
    c.centre = options.centre;
    c.bits24 = options.bits24;

    const QSize size = AnyOutputSize(kind, c.W, c.H, c.S);
    if (!PictureSizeAllowed(size.width(), size.height())) {
        Fail(report, out,
             QStringLiteral("output of %1 x %2 pixels over the limit of %3 pixels")
                 .arg(size.width())
                 .arg(size.height())
                 .arg(kMaxPicturePixels));
        return;
    }
    if (!OutputFileCanHold(path, size.width(), size.height(), c.bits24)) {
        Fail(report, out,
             QStringLiteral("%1 x %2 too large for the file format")
                 .arg(size.width())
                 .arg(size.height()));
        return;
    }
    tbusyguard busy(UserReport());
    EngineBitmap bitmap, second;
    tjpegoptions jpeg;
    const bool mpo = kind == KindMpo;
    if (IsJpegPath(path) || mpo) ApplyJpegOptions(jpeg, settings);
    const bool drawn = mpo ? ComposeViewPair(pair.ImgLeft, pair.ImgRight, frame, c, bitmap, second)
                           : ComposeOutputKind(pair.ImgLeft, pair.ImgRight, frame, c,
                                               AnaglyphMethodOf(options.anaglyph), bitmap);
    if (!drawn) {
        Fail(report, out, QStringLiteral("nothing to draw or not enough memory"));
        return;
    }
    texifsource exif;
    if (options.exif && (mpo || IsJpegPath(path))) exif.Read(pair.ImgLeft.filename);
    QString cause;
    const bool written =
        mpo ? WriteMpoFile(bitmap.View(), second.View(), path, jpeg, &exif, &cause, replace)
            : WritePictureOutput(bitmap.View(), path, jpeg, &exif, &cause, replace);
    if (!written) {
        if (cause == QLatin1String("exists")) cause = questions.KeptFileCause();
        Fail(report, out, cause.isEmpty() ? QStringLiteral("exists") : cause);
        return;
    }
    Finish(report, out, SaveOkLine(FileSizeBytes(path)), true);
}

tsavereport SaveSelectedKinds(tviewpair& pair, tnamingfields& fields, const tsaveoptions& options,
                              tsettings& settings, tfolderquestions& folders,
                              tsavequestions& questions, tparamhost& params) {
    tsavereport report;
    if (!CheckOutputFolders(fields, folders)) {
        report.abandoned = true;
        return report;
    }
    if (fields.Ticked[KindParams]) {
        tsaveoutput out;
        out.kind = KindParams;
        QString path;
        ParamFilePath(fields, options.askBeforeCreateDir, folders, path);
        out.path = path;
        report.log << path;
        // An existing parameter file is only replaced once its save dialog
        // has been confirmed.
        if (!path.trimmed().isEmpty() &&
            WriteParams(pair, path, QFileInfo::exists(path), params, settings)) {
            out.path = PrmFileName.isEmpty() ? path : PrmFileName;
            Finish(report, out, SaveOkLine(FileSizeBytes(out.path)), true);
        } else {
            Fail(report, out,
                 !ParamFileCanHoldNames(pair) ? QStringLiteral("a picture name holds a line break")
                 : path.trimmed().isEmpty()   ? QStringLiteral("no file name")
                                              : QStringLiteral("not written"));
        }
    }
    tsavepass pass;
    std::vector<int> order(SaveKindOrder.begin(), SaveKindOrder.end());
    order.insert(order.end(), std::begin(kExtraOutputKinds), std::end(kExtraOutputKinds));
    for (int kind : order) {
        if (!fields.Ticked[kind]) continue;
        const QString name = BuildFileName(fields.Suffix[kind], QString(), kind, fields);
        ComposeAndWrite(pair, kind, fields.Folder[kind], name, pass, options, fields, settings,
                        folders, questions, report);
    }
    return report;
}

namespace {

// The single output's frame and composition: no ratio constraint, a size of
// 0 taking the frame's own, always centred, the views at the output scale.
bool RenderSetup(const tviewpair& pair, int kind, int manual, int separation, int height, int width,
                 bool bits24, tcommonframe& frame, tcomposition& c) {
    const bool manualFrame = manual == 1 && pair.ImgLeft.mancropd && pair.ImgRight.mancropd;
    frame = ComputeSourceFrame(&pair.ImgLeft, &pair.ImgRight, manualFrame, 0, 0);
    if (!frame.Usable() || width < 0 || height < 0) return false;
    double rW = 1, rH = 1;
    if (width == 0)
        width = int(std::trunc(frame.width));
    else
        rW = frame.width / width;
    if (height == 0)
        height = int(std::trunc(frame.height));
    else
        rH = frame.height / height;
    double m = rW >= rH ? rW : rH;
    if (m == 0) m = 1;
    c.kind = kind;
    c.W = width;
    c.H = height;
    c.S = separation;
    c.m = m;
    c.centre = true;
    c.bits24 = bits24;
    return true;
}

} // namespace

bool RenderKindBitmap(const tviewpair& pair, int kind, int manual, int separation, int height,
                      int width, bool bits24, EngineBitmap& out) {
    out = EngineBitmap();
    tcommonframe frame;
    tcomposition c;
    return RenderSetup(pair, kind, manual, separation, height, width, bits24, frame, c) &&
           ComposeOutputKind(pair.ImgLeft, pair.ImgRight, frame, c,
                             AnaglyphMethodOf(Settings.AnaglyphMethod), out);
}

bool RenderKind(const tviewpair& pair, const QString& fileName, int kind, int manual,
                int separation, int height, int width, bool save24bit) {
    tbusyguard busy(UserReport());
    tcommonframe frame;
    tcomposition c;
    if (!RenderSetup(pair, kind, manual, separation, height, width, save24bit, frame, c))
        return false;
    const QSize size = AnyOutputSize(kind, c.W, c.H, c.S);
    if (!OutputFileCanHold(fileName, size.width(), size.height(), save24bit)) return false;
    EngineBitmap bitmap;
    if (!ComposeOutputKind(pair.ImgLeft, pair.ImgRight, frame, c,
                           AnaglyphMethodOf(Settings.AnaglyphMethod), bitmap))
        return false;
    texifsource exif;
    if (Settings.KeepExif && IsJpegPath(fileName)) exif.Read(pair.ImgLeft.filename);
    return WritePictureOutput(bitmap.View(), fileName, JpegDefaults, &exif);
}

bool RenderKindPreview(const tviewpair& pair, const QString& fileName, int kind, int manual,
                       int separation, int height, int width, QImage& picture) {
    if (PreviewModeOfKind(kind) < 0) return false;
    tbusyguard busy(UserReport());
    EngineBitmap bitmap;
    if (!RenderKindBitmap(pair, kind, manual, separation, height, width, false, bitmap))
        return false;
    picture = ToQImage(bitmap);
    // Outside the views the bitmap is black with alpha 0; the preview shows it opaque.
    picture.reinterpretAsFormat(QImage::Format_RGB32);
    if (!IsJpegPath(fileName)) return true;
    // In the program's own folder: a user's "tmp.jpg" is none of its business.
    const QString tmp = PrivateTempPath(QStringLiteral("tmp.jpg"));
    if (!tmp.isEmpty() && WriteJpegFile(bitmap.View(), tmp, JpegDefaults)) {
        QImage back;
        int bits = 0;
        QString error;
        if (DecodePictureFile(tmp, back, bits, error) == LoadStatus::Loaded) picture = back;
    }
    QFile::remove(tmp);
    return true;
}

int PreviewModeOfKind(int kind) {
    switch (kind) {
    case KindCrossed:
        return 2;
    case KindParallel:
        return 0;
    case KindAnaglyph:
        return 8;
    case KindOverUnder:
        return 4;
    default:
        return -1;
    }
}

int KindOfPreviewMode(int mode) {
    switch (mode) {
    case 0:
        return KindParallel;
    case 2:
        return KindCrossed;
    case 4:
        return KindOverUnder;
    case 8:
        return KindAnaglyph;
    default:
        return -1;
    }
}
