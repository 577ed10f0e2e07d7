// The save pass over the ticked kinds, one output at a time, and the
// single-output composition of the other windows.
#include "output/savepass.h"

#include "core/paramfile.h"
#include "core/previewlink.h"
#include "core/qimageview.h"
#include "core/settings.h"
#include "core/stereokinds.h"
#include "core/viewpair.h"
#include "input/jpegdecode.h"
#include "input/picturelimits.h"
#include "input/pictureload.h"
#include "input/userreport.h"
#include "output/bandpipeline.h"
#include "output/camerawrite.h"
#include "output/composition.h"
#include "output/exifcopy.h"
#include "output/extrakinds.h"
#include "output/imagewrite.h"
#include "output/naming.h"
#include "output/shareddrawing.h"
#include "output/sourceframe.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <iterator>
#include <memory>
#include <system_error>
#include <thread>
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

namespace {

// An output whose questions are answered: what is left is drawing and
// writing it, which reads nothing the questions change.
struct tpreparedoutput {
    tsaveoutput out;
    tcommonframe frame;
    tcomposition c;
    tjpegoptions jpeg;
    int anaglyph = 0; // the anaglyph method
    // The left source picture's EXIF for a JPEG or MPO output, read on the
    // calling thread; null when the output carries none.
    std::unique_ptr<texifsource> exif;
    bool replace = false;
    QString keptCause;                  // the questions' cause for a file kept in place
    std::vector<QByteArray> compressed; // the JPEG picture made in bands, when it was
};

// The picture kinds of a pass in their order: the original ones, then the
// added camera and television kinds.
std::vector<int> PassKindOrder() {
    std::vector<int> order(SaveKindOrder.begin(), SaveKindOrder.end());
    order.insert(order.end(), std::begin(kExtraOutputKinds), std::end(kExtraOutputKinds));
    return order;
}

// The ticked picture kinds of a pass.
std::vector<int> TickedPictureKinds(const tnamingfields& fields) {
    std::vector<int> kinds;
    for (int kind : PassKindOrder())
        if (fields.Ticked[kind]) kinds.push_back(kind);
    return kinds;
}

// The first half of an output: folder, name, the overwrite questions and the
// checks. False when the output is already finished in `report` (failed or
// skipped); true when `p` is ready for ProduceOutput.
bool PrepareOutput(const tviewpair& pair, int kind, const QString& kindFolder, const QString& name,
                   tsavepass& pass, const tsaveoptions& options, tnamingfields& fields,
                   tsettings& settings, tfolderquestions& folders, tsavequestions& questions,
                   tsavereport& report, tpreparedoutput& p) {
    tsaveoutput& out = p.out;
    out.kind = kind;
    const QString base = fields.RepBase.trimmed();
    QString folder = ResolveFolder(base, kindFolder, fields.LeftFile);
    if (folder.isEmpty() || name.trimmed().isEmpty() || options.W <= 0 || options.H <= 0) {
        Fail(report, out,
             folder.isEmpty() || name.trimmed().isEmpty() ? QStringLiteral("no file name")
                                                          : QStringLiteral("no output size"));
        return false;
    }
    if (!EnsureFolder(base, folder, !QFileInfo(folder).isDir(), !options.askBeforeCreateDir,
                      fields.LeftFile, folders)) {
        Fail(report, out, QStringLiteral("folder not created"));
        return false;
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
            return false;
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
                return false;
            case toverwriteanswer::Abort:
                pass.aborted = true;
                Finish(report, out, QString::fromUtf8(SaveUserAbortText), false);
                return false;
            case toverwriteanswer::No:
                if (!questions.AskOtherName(kind, path) || path.trimmed().isEmpty()) {
                    out.cause = questions.KeptFileCause();
                    Finish(report, out, QString::fromUtf8(SaveUserAbortText), false);
                    if (!out.cause.isEmpty()) report.log << out.cause;
                    return false;
                }
                out.path = path;
                // The other name's own dialog asked about an existing file.
                replace = QFileInfo::exists(path);
                break;
            }
        }
    }
    RememberSaveDir(QFileInfo(path).absolutePath(), kind, settings);

    p.frame = ComputeSourceFrame(&pair.ImgLeft, &pair.ImgRight, options.manual, options.ratioH,
                                 options.ratioW);
    if (!p.frame.Usable()) {
        Fail(report, out, QStringLiteral("no common frame"));
        return false;
    }
    tcomposition& c = p.c;
    c.kind = kind;
    c.W = options.W;
    c.H = options.H;
    if ((kind == KindHsbs || kind == KindHou) && options.frameW > 0 && options.frameH > 0) {
        c.W = options.frameW;
        c.H = options.frameH;
    }
    c.S = options.S;
    c.m = AdaptScale(p.frame.width, p.frame.height, c.W, c.H, options.adapt);
    c.centre = options.centre;
    c.bits24 = options.bits24;

    const QSize size = AnyOutputSize(kind, c.W, c.H, c.S);
    if (!PictureSizeAllowed(size.width(), size.height())) {
        Fail(report, out,
             QStringLiteral("output of %1 x %2 pixels over the limit of %3 pixels")
                 .arg(size.width())
                 .arg(size.height())
                 .arg(kMaxPicturePixels));
        return false;
    }
    if (!OutputFileCanHold(path, size.width(), size.height(), c.bits24)) {
        Fail(report, out,
             QStringLiteral("%1 x %2 too large for the file format")
                 .arg(size.width())
                 .arg(size.height()));
        return false;
    }
    const bool mpo = kind == KindMpo;
    if (IsJpegPath(path) || mpo) ApplyJpegOptions(p.jpeg, settings);
    p.anaglyph = options.anaglyph;
    if (options.exif && (mpo || IsJpegPath(path))) {
        p.exif = std::make_unique<texifsource>();
        p.exif->Read(pair.ImgLeft.filename);
    }
    p.replace = replace;
    p.keptCause = questions.KeptFileCause();
    return true;
}

// The second half: the output drawn and written, its result in `report`.
// Touches no global state, so several run at once on their own reports.
void ProduceOutput(const tviewpair& pair, tpreparedoutput& p, tshareddrawing& shared,
                   tsavereport& report) {
    if (!p.compressed.empty()) {
        const QSize size = AnyOutputSize(p.c.kind, p.c.W, p.c.H, p.c.S);
        QString cause;
        if (!WriteCompressedPicture(std::move(p.compressed), size.width(), size.height(),
                                    p.out.path, p.exif.get(), &cause, p.replace)) {
            if (cause == QLatin1String("exists")) cause = p.keptCause;
            Fail(report, p.out, cause.isEmpty() ? QStringLiteral("exists") : cause);
            return;
        }
        Finish(report, p.out, SaveOkLine(FileSizeBytes(p.out.path)), true);
        return;
    }
    toutputpicture picture;
    const bool mpo = p.c.kind == KindMpo;
    if (!shared.Draw(pair.ImgLeft, pair.ImgRight, p.frame, p.c, AnaglyphMethodOf(p.anaglyph),
                     picture)) {
        Fail(report, p.out, QStringLiteral("nothing to draw or not enough memory"));
        return;
    }
    QString cause;
    const bool written = mpo ? WriteMpoFile(picture.first, picture.second, p.out.path, p.jpeg,
                                            p.exif.get(), &cause, p.replace)
                             : WritePictureOutput(picture.first, p.out.path, p.jpeg, p.exif.get(),
                                                  &cause, p.replace);
    if (!written) {
        if (cause == QLatin1String("exists")) cause = p.keptCause;
        Fail(report, p.out, cause.isEmpty() ? QStringLiteral("exists") : cause);
        return;
    }
    Finish(report, p.out, SaveOkLine(FileSizeBytes(p.out.path)), true);
}

// The JPEG outputs of a batch that can be made in bands (those drawn like
// the first of them), made before the pool writes them; the others, or all
// when the bands fail, are drawn whole. With a progress callback the calling
// thread keeps calling it meanwhile.
template <class Slot>
void CompressInBands(const tviewpair& pair, const std::vector<Slot*>& work, int threads,
                     const tsaveprogress& progress, const tsavereport& report) {
    std::vector<tpreparedoutput*> chosen;
    std::vector<tbandoutput> outputs;
    for (Slot* s : work) {
        tpreparedoutput& p = s->p;
        if (!IsJpegPath(p.out.path) || !BandsCanMake(p.c, p.jpeg)) continue;
        if (!chosen.empty() &&
            (!SameCells(p.c, chosen.front()->c) || !SameFrame(p.frame, chosen.front()->frame)))
            continue;
        chosen.push_back(&p);
        tbandoutput o;
        o.c = p.c;
        o.method = AnaglyphMethodOf(p.anaglyph);
        o.jpeg = p.jpeg;
        outputs.push_back(std::move(o));
    }
    if (chosen.empty()) return;
    const auto encode = [&] {
        EncodeOutputsInBands(pair.ImgLeft, pair.ImgRight, chosen.front()->frame, outputs, threads);
    };
    if (progress) {
        std::atomic<bool> finished{false};
        try {
            std::thread worker([&] {
                encode();
                finished = true;
            });
            while (!finished) {
                progress(report);
                std::this_thread::sleep_for(std::chrono::milliseconds(15));
            }
            worker.join();
        } catch (const std::system_error&) {
            encode(); // no thread to be had: made here
        }
    } else {
        encode();
    }
    for (std::size_t i = 0; i < chosen.size(); ++i)
        chosen[i]->compressed = std::move(outputs[i].bands);
}

// The picture kinds of a pass with every question asked first, in the order
// of the pass, then drawn and written `threads` at a time. Each output keeps
// its own lines, joined in order afterwards, so the report reads as the
// sequential pass's. An output whose path an earlier one of the batch takes
// waits until that one is written: its existence question sees the file.
void SaveKindsConcurrently(tviewpair& pair, tnamingfields& fields, const tsaveoptions& options,
                           tsettings& settings, tfolderquestions& folders,
                           tsavequestions& questions, tsavereport& report,
                           const tsaveprogress& progress) {
    struct tslot {
        tsavereport part;
        tpreparedoutput p;
        bool ready = false;
    };
    std::vector<tslot> batch;
    tshareddrawing shared(TickedPictureKinds(fields));
    auto flush = [&] {
        std::vector<tslot*> work;
        for (tslot& s : batch)
            if (s.ready) work.push_back(&s);
        // The widest outputs first, so that no thread is left with one
        // side-by-side picture while the others are done.
        auto pixels = [](const tslot* s) {
            const QSize size = AnyOutputSize(s->p.c.kind, s->p.c.W, s->p.c.H, s->p.c.S);
            return std::int64_t(size.width()) * size.height();
        };
        std::stable_sort(work.begin(), work.end(),
                         [&](const tslot* a, const tslot* b) { return pixels(a) > pixels(b); });
        CompressInBands(pair, work, options.threads, progress, report);
        // Finished flags by batch slot, set by the thread that wrote it.
        std::unique_ptr<std::atomic<bool>[]> done(new std::atomic<bool>[batch.size()]);
        for (std::size_t i = 0; i < batch.size(); ++i) done[i] = !batch[i].ready;
        std::size_t joined = 0; // slots whose lines are in the report
        auto join = [&] {
            for (; joined < batch.size() && done[joined].load(); ++joined) {
                report.log << batch[joined].part.log;
                report.outputs.insert(report.outputs.end(), batch[joined].part.outputs.begin(),
                                      batch[joined].part.outputs.end());
            }
        };
        {
            tbusyguard busy(UserReport());
            std::atomic<std::size_t> next{0};
            auto run = [&] {
                for (std::size_t i = next++; i < work.size(); i = next++) {
                    ProduceOutput(pair, work[i]->p, shared, work[i]->part);
                    done[std::size_t(work[i] - batch.data())] = true;
                }
            };
            std::vector<std::thread> pool;
            const std::size_t total =
                std::min<std::size_t>(std::size_t(std::max(options.threads, 1)), work.size());
            // With a progress callback the calling thread only watches, so a
            // window can show each output's lines as they come and repaint.
            for (std::size_t t = progress ? 0 : 1; t < total; ++t) {
                try {
                    pool.emplace_back(run);
                } catch (...) {
                    break; // the calling thread draws what the others could not
                }
            }
            if (!progress || pool.empty()) run();
            while (joined < batch.size()) {
                const std::size_t before = joined;
                join();
                if (progress) progress(report);
                if (joined == before && joined < batch.size())
                    std::this_thread::sleep_for(std::chrono::milliseconds(15));
            }
            for (std::thread& t : pool) t.join();
        }
        batch.clear();
    };
    tsavepass pass;
    for (int kind : PassKindOrder()) {
        if (!fields.Ticked[kind]) continue;
        const QString name = BuildFileName(fields.Suffix[kind], QString(), kind, fields);
        const QString planned =
            ResolveFolder(fields.RepBase.trimmed(), fields.Folder[kind], fields.LeftFile);
        const QString path = QDir(planned).filePath(name);
        for (const tslot& s : batch)
            if (s.ready && QDir::cleanPath(s.p.out.path) == QDir::cleanPath(path)) {
                flush();
                break;
            }
        batch.emplace_back();
        tslot& s = batch.back();
        s.ready = PrepareOutput(pair, kind, fields.Folder[kind], name, pass, options, fields,
                                settings, folders, questions, s.part, s.p);
        // A name the user gave instead may also be an earlier output's: that
        // one is written first.
        for (std::size_t i = 0; s.ready && i + 1 < batch.size(); ++i)
            if (batch[i].ready &&
                QDir::cleanPath(batch[i].p.out.path) == QDir::cleanPath(s.p.out.path)) {
                tslot later = std::move(s);
                batch.pop_back();
                flush();
                batch.push_back(std::move(later));
                break;
            }
    }
    flush();
}

} // namespace

void ComposeAndWrite(const tviewpair& pair, int kind, const QString& kindFolder,
                     const QString& name, tsavepass& pass, const tsaveoptions& options,
                     tnamingfields& fields, tsettings& settings, tfolderquestions& folders,
                     tsavequestions& questions, tsavereport& report) {
    tpreparedoutput p;
    if (!PrepareOutput(pair, kind, kindFolder, name, pass, options, fields, settings, folders,
                       questions, report, p))
        return;
    tbusyguard busy(UserReport());
    tshareddrawing alone({kind});
    ProduceOutput(pair, p, pass.shared ? *pass.shared : alone, report);
}

tsavereport SaveSelectedKinds(tviewpair& pair, tnamingfields& fields, const tsaveoptions& options,
                              tsettings& settings, tfolderquestions& folders,
                              tsavequestions& questions, tparamhost& params,
                              const tsaveprogress& progress) {
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
        if (progress) progress(report);
    }
    if (options.threads > 1 || options.askFirst) {
        SaveKindsConcurrently(pair, fields, options, settings, folders, questions, report,
                              progress);
        return report;
    }
    tsavepass pass;
    tshareddrawing shared(TickedPictureKinds(fields));
    pass.shared = &shared;
    for (int kind : PassKindOrder()) {
        if (!fields.Ticked[kind]) continue;
        const QString name = BuildFileName(fields.Suffix[kind], QString(), kind, fields);
        ComposeAndWrite(pair, kind, fields.Folder[kind], name, pass, options, fields, settings,
                        folders, questions, report);
        if (progress) progress(report);
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

namespace {

// The most output pixels a preview composes. A 24-megapixel pair at its own
// size is a 48-megapixel crossed picture: composed whole it takes seconds.
// Two and a half megapixels still hold more than a screen shows of the whole
// picture, and compose and go through JPEG and back in about 100 ms.
constexpr double kPreviewPixels = 2.5e6;

// The composition shrunk to the preview's budget: view, band and scale all
// divided alike. Returns picture pixels per output pixel (1 when unchanged).
double FitPreviewBudget(tcomposition& c) {
    const QSize full = OutputBitmapSize(c.kind, c.W, c.H, c.S);
    const double pixels = double(full.width()) * double(full.height());
    if (!(pixels > kPreviewPixels)) return 1;
    const double k = std::sqrt(pixels / kPreviewPixels);
    const int w = std::max(1, int(std::lround(c.W / k)));
    // The width decides the scale, so the views fill their cells as at full size.
    const double step = double(c.W) / w;
    c.H = std::max(1, int(std::lround(c.H / step)));
    c.S = std::max(0, int(std::lround(c.S / step)));
    c.W = w;
    c.m *= step;
    return double(OutputBitmapSize(c.kind, c.W, c.H, c.S).width()) / full.width();
}

} // namespace

bool RenderKindPreview(const tviewpair& pair, const QString& fileName, int kind, int manual,
                       int separation, int height, int width, QImage& picture) {
    if (PreviewModeOfKind(kind) < 0) return false;
    tbusyguard busy(UserReport());
    tcommonframe frame;
    tcomposition c;
    if (!RenderSetup(pair, kind, manual, separation, height, width, false, frame, c)) return false;
    const tcomposition c0 = c;
    const double ratio = FitPreviewBudget(c);
    EngineBitmap bitmap;
    if (!ComposeOutputKind(pair.ImgLeft, pair.ImgRight, frame, c,
                           AnaglyphMethodOf(Settings.AnaglyphMethod), bitmap))
        return false;
    picture = ToQImage(bitmap);
    // Outside the views the bitmap is black with alpha 0; the preview shows it opaque.
    picture.reinterpretAsFormat(QImage::Format_RGB32);
    if (IsJpegPath(fileName)) {
        // Compressed and read back in memory: no file of the user's, nor of
        // the program's, is touched, and nothing waits for a disk.
        QByteArray jpeg;
        tjpegpicture back;
        QString error;
        if (EncodeJpeg(bitmap.View(), JpegDefaults, jpeg) &&
            DecodeJpeg(reinterpret_cast<const unsigned char*>(jpeg.constData()),
                       std::size_t(jpeg.size()), JpegDefaults, back, error))
            picture = back.image;
    }
    // The preview counts in output pixels: a smaller picture says how much
    // smaller, and the output's exact size for the caption.
    picture.setDevicePixelRatio(ratio);
    if (ratio != 1) {
        const QSize out = OutputBitmapSize(kind, c0.W, c0.H, c0.S);
        picture.setText(QString::fromLatin1(PreviewOutputSizeKey),
                        QStringLiteral("%1x%2").arg(out.width()).arg(out.height()));
    }
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
