// `orvanel-cli render`: options, loading of the pair (two pictures, a
// composite or parameter files), the save fields and the pass.
#include "output/rendercommand.h"

#include "input/headlesspair.h"

#include "core/jpegdefaults.h"
#include "core/paramfile.h"
#include "core/paths.h"
#include "core/regularfile.h"
#include "core/runflags.h"
#include "core/settings.h"
#include "core/stereokinds.h"
#include "core/viewops.h"
#include "core/viewpair.h"
#include "engine/transform.h"
#include "input/displayhost.h"
#include "input/pictureload.h"
#include "input/viewloader.h"
#include "output/cli_formats.h"
#include "output/cli_options.h"
#include "output/imagewrite.h"
#include "output/naming.h"
#include "output/renderbatch.h"
#include "output/renderlist.h"
#include "output/savepass.h"
#include "output/sourceframe.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>
#include <QThread>

#include <cmath>
#include <optional>

#include <unistd.h>

const char* const RenderUsage =
    "  render (--prm FILE... | --left L --right R | --composite KIND FILE | --list FILE)\n"
    "         [--params FILE] [--jobs N] [--threads N] [--quiet]\n"
    "         [--kinds LIST] [--size WxH] [--sep N] [--adapt 0|1|2]\n"
    "         [--source auto|manual] [--ratio W:H] [--no-centre]\n"
    "         [--format bmp|jpg|png|tiff] [--anaglyph colour|half|grey|dubois]\n"
    "         [--no-exif] [--bits 24|32] [--quality Q] [--out DIR] [--name BASE]\n"
    "         [--overwrite] [--band N|auto] [--settings FILE | --noini]\n"
    "      Writes the aligned pair in the chosen kinds, each into its kind folder\n"
    "      under DIR (default: the left picture's folder; . is the current one).\n"
    "      Existing files are kept unless --overwrite is given.\n"
    "      LIST: comma list of L,R,X,P,V,A,Bi,Prm,MPO,HSBS,HOU (default X,A,Prm).\n"
    "      MPO: the pair as one MPO file; HSBS, HOU: half-width side-by-side and\n"
    "      half-height over-under frames of --size (default 1920x1080).\n"
    "      KIND: X, P, V, A, Bi, the kind code 2..6, or MPO (the pair file of a\n"
    "      stereo camera).\n"
    "      JPEG and MPO outputs carry the left picture's EXIF unless --no-exif.\n"
    "      --band: the band between the views of a composite, in pixels, or auto\n"
    "      to measure it (default: as the settings' extraction choice says).\n"
    "      --params: one parameter file applied to the pictures or composites.\n"
    "      --list: a list file, one entry a line: a .prm file, LEFT<TAB>RIGHT or\n"
    "      KIND<TAB>FILE; blank lines and lines starting with # are skipped;\n"
    "      relative paths are read from the list's folder. --jobs N renders N\n"
    "      entries at a time on N cores (default: the number of cores); a\n"
    "      progress line per entry goes to standard error, --quiet keeps only\n"
    "      the failures.\n"
    "      --threads N: the threads one render decodes, draws and compresses\n"
    "      with (default: the number of cores; in a list, the --jobs cores\n"
    "      shared out between the entries at once).\n";

namespace {

struct trenderargs {
    QStringList prmFiles;
    QString left, right;
    int compositeKind = -1;
    QString composite;
    std::array<bool, kOutputKindCount> kinds{};
    tcliformats formats;
    std::optional<QSize> size;
    int sep = 0;
    int adapt = 0;
    bool manual = false;
    int ratioW = 0, ratioH = 0;
    bool centre = true;
    bool jpeg = false;
    bool bits24 = false;
    int quality = 90;
    QString out; // empty: the left picture's folder
    std::optional<QString> name;
    bool overwrite = false;
    tbandoption band;
    QString settingsFile;
    bool noIni = false;
    QString list;
    QString params;
    int jobs = 0;    // 0: the number of cores
    int threads = 0; // 0: the number of cores
    bool quiet = false;
    QStringList common; // the options every entry of a list gets
};

// Kind letters of --kinds and --composite, as the default suffixes name them.
int KindOfLetter(const QString& text) {
    const QString t = text.trimmed().toUpper();
    if (t == "L") return KindLeft;
    if (t == "R") return KindRight;
    if (t == "X") return KindCrossed;
    if (t == "P") return KindParallel;
    if (t == "V") return KindOverUnder;
    if (t == "A") return KindAnaglyph;
    if (t == "BI") return KindDouble;
    if (t == "PRM") return KindParams;
    return ExtraKindOfLetter(t);
}

bool ParseInt(const QString& text, int& value, int low, int high) {
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    if (!ok || v < low || v > high) return false;
    value = v;
    return true;
}

bool ParsePairOfInts(const QString& text, QChar sep, int& a, int& b, int low) {
    const QStringList parts = text.split(sep);
    return parts.size() == 2 && ParseInt(parts[0], a, low, 1 << 20) &&
           ParseInt(parts[1], b, low, 1 << 20);
}

// Fills `a` from the arguments; a message in `error` on a usage error.
bool ParseArgs(const QStringList& args, trenderargs& a, QString& error) {
    a.kinds[KindCrossed] = a.kinds[KindAnaglyph] = a.kinds[KindParams] = true;
    auto value = [&](int& i, QString& v) {
        if (i + 1 >= args.size()) {
            error = QString("option %1 needs a value").arg(args[i]);
            return false;
        }
        v = args[++i];
        return true;
    };
    for (int i = 0; i < args.size(); ++i) {
        const QString& o = args[i];
        const int first = i;
        QString v;
        // Every option but the list's own and the source goes to each entry.
        auto shared = qScopeGuard([&] {
            static const QStringList own = {"--prm",       "--left",  "--right",
                                            "--composite", "--list",  "--params",
                                            "--jobs",      "--quiet", "--threads"};
            if (error.isEmpty() && !own.contains(o)) a.common << args.mid(first, i - first + 1);
        });
        bool handled = false;
        if (!ParseFormatsOption(args, i, a.formats, handled, error)) return false;
        if (handled) continue;
        if (o == "--prm") {
            while (i + 1 < args.size() && !args[i + 1].startsWith("--")) a.prmFiles << args[++i];
            if (a.prmFiles.isEmpty()) {
                error = "option --prm needs at least one file";
                return false;
            }
        } else if (o == "--left") {
            if (!value(i, a.left)) return false;
        } else if (o == "--right") {
            if (!value(i, a.right)) return false;
        } else if (o == "--composite") {
            if (!value(i, v)) return false;
            const int code = CompositeKindOfText(v);
            if (code < 0) {
                error = QString("unknown composite kind '%1'").arg(v);
                return false;
            }
            a.compositeKind = code;
            if (!value(i, a.composite)) return false;
        } else if (o == "--kinds") {
            if (!value(i, v)) return false;
            a.kinds = {};
            for (const QString& k : v.split(',', Qt::SkipEmptyParts)) {
                const int code = KindOfLetter(k);
                if (code < 0) {
                    error = QString("unknown kind '%1' in --kinds").arg(k);
                    return false;
                }
                a.kinds[code] = true;
            }
        } else if (o == "--size") {
            int w = 0, h = 0;
            if (!value(i, v)) return false;
            if (!ParsePairOfInts(v.toLower(), 'x', w, h, 1)) {
                error = QString("bad size '%1' (expected WxH)").arg(v);
                return false;
            }
            a.size = QSize(w, h);
        } else if (o == "--sep") {
            if (!value(i, v)) return false;
            if (!ParseInt(v, a.sep, 0, 1 << 20)) {
                error = QString("bad separation '%1'").arg(v);
                return false;
            }
        } else if (o == "--adapt") {
            if (!value(i, v)) return false;
            if (!ParseInt(v, a.adapt, 0, 2)) {
                error = QString("bad adapt mode '%1' (0, 1 or 2)").arg(v);
                return false;
            }
        } else if (o == "--source") {
            if (!value(i, v)) return false;
            if (v != "auto" && v != "manual") {
                error = QString("bad source '%1' (auto or manual)").arg(v);
                return false;
            }
            a.manual = v == "manual";
        } else if (o == "--ratio") {
            if (!value(i, v)) return false;
            if (!ParseRatioOption(v, a.ratioW, a.ratioH, error)) return false;
        } else if (o == "--no-centre") {
            a.centre = false;
        } else if (o == "--format") {
            if (!value(i, v)) return false;
            if (v != "bmp" && v != "jpg") {
                error = QString("bad format '%1' (bmp, jpg, png or tiff)").arg(v);
                return false;
            }
            a.jpeg = v == "jpg";
            a.formats.format.clear();
        } else if (o == "--bits") {
            if (!value(i, v)) return false;
            if (v != "24" && v != "32") {
                error = QString("bad bit depth '%1' (24 or 32)").arg(v);
                return false;
            }
            a.bits24 = v == "24";
        } else if (o == "--quality") {
            if (!value(i, v)) return false;
            if (!ParseInt(v, a.quality, 1, 100)) {
                error = QString("bad quality '%1' (1 to 100)").arg(v);
                return false;
            }
        } else if (o == "--out") {
            if (!value(i, a.out)) return false;
        } else if (o == "--name") {
            if (!value(i, v)) return false;
            a.name = v;
        } else if (o == "--overwrite") {
            a.overwrite = true;
        } else if (o == "--band") {
            if (!value(i, v) || !ParseBandOption(v, a.band, error)) return false;
        } else if (o == "--settings") {
            if (!value(i, a.settingsFile)) return false;
        } else if (o == "--noini") {
            a.noIni = true;
        } else if (o == "--list") {
            if (!value(i, a.list)) return false;
        } else if (o == "--params") {
            if (!value(i, a.params)) return false;
        } else if (o == "--jobs") {
            if (!value(i, v)) return false;
            if (!ParseInt(v, a.jobs, 1, 256)) {
                error = QString("bad number of jobs '%1' (1 to 256)").arg(v);
                return false;
            }
        } else if (o == "--quiet") {
            a.quiet = true;
        } else if (o == "--threads") {
            if (!value(i, v)) return false;
            if (!ParseInt(v, a.threads, 1, 64)) {
                error = QString("bad number of threads '%1' (1 to 64)").arg(v);
                return false;
            }
        } else {
            error = QString("unknown option '%1'").arg(o);
            return false;
        }
    }
    if (!a.list.isEmpty()) {
        if (!a.prmFiles.isEmpty() || !a.left.isEmpty() || !a.right.isEmpty() ||
            !a.composite.isEmpty()) {
            error = "--list goes without --prm, --left/--right or --composite";
            return false;
        }
    } else if (!CheckPairSourceOptions(!a.prmFiles.isEmpty(),
                                       {a.left, a.right, a.composite, a.compositeKind}, error)) {
        return false;
    } else if (a.jobs > 0) {
        error = "--jobs goes with --list";
        return false;
    } else if (!a.params.isEmpty() && !a.prmFiles.isEmpty()) {
        error = "--params applies to pictures or composites, not to --prm";
        return false;
    }
    if (!a.params.isEmpty()) {
        const tfilestate state = ProbeRegularFile(a.params);
        if (state != tfilestate::Regular) {
            error = QString("parameter file '%1': %2").arg(a.params, FileStateText(state));
            return false;
        }
    }
    if (!CheckSettingsOptions(a.settingsFile, a.noIni, error)) return false;
    if (std::none_of(a.kinds.begin(), a.kinds.end(), [](bool b) { return b; })) {
        error = "--kinds names no kind";
        return false;
    }
    for (QString* path :
         {&a.left, &a.right, &a.composite, &a.out, &a.settingsFile, &a.list, &a.params})
        *path = AbsolutePath(*path);
    for (QString& prm : a.prmFiles) prm = AbsolutePath(prm);
    return true;
}

// Overwriting answered by --overwrite: yes to all, or no with the other
// name refused, which leaves the file alone and fails the output.
class tclioverwrite : public tsavequestions {
public:
    explicit tclioverwrite(bool overwrite) : overwrite_(overwrite) {}
    toverwriteanswer AskOverwrite(const QString&) override {
        return overwrite_ ? toverwriteanswer::YesToAll : toverwriteanswer::No;
    }
    bool AskOtherName(int, QString&) override { return false; }
    QString KeptFileCause() const override {
        return QStringLiteral("exists; use --overwrite to replace it");
    }

private:
    bool overwrite_;
};

// One view's size as the dialog's size fields make it: the given size, or
// the frame's own ("Taille Réelle"); adapt modes 1 and 2 then make the height
// or the width follow the frame's shape.
QSize ViewSize(const tviewpair& pair, const tsaveoptions& o, const std::optional<QSize>& given) {
    const timg& l = pair.ImgLeft;
    const timg& r = pair.ImgRight;
    // Without a crop in both views the manual source falls back to the
    // automatic frame, and so does its size.
    const bool manual = o.manual && l.mancropd && r.mancropd;
    int c = 0, b = 0;
    if (given) {
        c = given->width();
        b = given->height();
    } else if (manual) {
        c = std::abs(int(std::trunc(l.mancropw)));
        b = std::abs(int(std::trunc(l.mancroph)));
    } else {
        const tcommonframe f = ComputeSourceFrame(&l, &r, false, o.ratioH, o.ratioW);
        c = int(std::trunc(f.width));
        b = int(std::trunc(f.height));
    }
    const tcommonframe plain = ComputeSourceFrame(&l, &r, manual, 0, 0);
    const double a = std::trunc(plain.width);
    const double h = std::trunc(plain.height);
    const double ratio = h == 0 ? 1 : a / h;
    if (ratio > 0 && o.adapt == 1) b = int(std::trunc(c / ratio));
    if (o.adapt == 2) c = int(std::trunc(b * ratio));
    return {std::max(c, 0), std::max(b, 0)};
}

// The threads one render draws with: --threads, else every core.
int Threads(const trenderargs& a) {
    return a.threads > 0 ? a.threads : std::max(1, QThread::idealThreadCount());
}

// The save fields from the settings and the options.
tnamingfields FieldsFor(const trenderargs& a, const tviewpair& pair) {
    // Kind folders and suffixes as the settings have them; the base folder,
    // name, format and ticks from the options.
    tnamingfields f = NamingFieldsFromSettings(Settings, pair);
    const QString& source =
        pair.ImgLeft.filename.isEmpty() ? pair.ImgRight.filename : pair.ImgLeft.filename;
    f.RepBase = a.out.isEmpty() ? FileFolder(source) : a.out;
    f.Rename = a.name.has_value();
    f.FileName = a.name.value_or(QString());
    f.Jpeg = a.jpeg;
    f.Format = a.formats.format;
    f.Ticked = a.kinds;
    return f;
}

// One pass over the pair loaded in `pair`; prints its outputs.
bool RenderPair(const trenderargs& a, tviewpair& pair, theadlesshost& host, std::FILE* out,
                std::FILE* err) {
    tsaveoptions o;
    o.S = a.sep;
    o.adapt = a.adapt;
    o.manual = a.manual;
    o.centre = a.centre;
    o.bits24 = a.bits24;
    o.askBeforeCreateDir = false; // missing kind folders are created
    o.ratioW = a.ratioW;
    o.ratioH = a.ratioH;
    // The kinds are drawn and written on every core; the files are the same.
    o.threads = Threads(a);
    o.askFirst = true;
    const QSize size = ViewSize(pair, o, a.size);
    o.W = size.width();
    o.H = size.height();
    ApplyFormatsOptions(a.formats, Settings, a.size.has_value(), a.size.value_or(QSize()).width(),
                        a.size.value_or(QSize()).height(), o);

    tnamingfields fields = FieldsFor(a, pair);
    tfixedfolderanswers folders(true);
    tclioverwrite overwrite(a.overwrite);
    const tsavereport report =
        SaveSelectedKinds(pair, fields, o, Settings, folders, overwrite, host);
    for (const QString& e : folders.Errors) std::fprintf(err, "%s\n", qPrintable(e));
    if (report.abandoned) std::fprintf(out, "%s\n", SaveErrorText);
    for (const tsaveoutput& r : report.outputs) {
        const QString where = r.path.isEmpty() ? OutputKindName(r.kind) : r.path;
        std::fprintf(out, "%s\t%s\n", qPrintable(where), qPrintable(r.text));
        if (!r.cause.isEmpty())
            std::fprintf(err, "orvanel-cli render: %s: %s\n", qPrintable(where),
                         qPrintable(r.cause));
    }
    std::fflush(out);
    return report.AllWritten();
}

// `--list`: the entries rendered `--jobs` at a time, fewer when that many
// of the largest would not fit in memory together.
int RenderList(const trenderargs& a, std::FILE* out, std::FILE* err) {
    trenderlist list;
    QString error;
    if (!ReadRenderList(a.list, list, error)) {
        std::fprintf(err, "orvanel-cli render: %s\n", qPrintable(error));
        return 1;
    }
    tbatchoptions b;
    b.program = QCoreApplication::applicationFilePath();
    b.common = QStringList{QStringLiteral("render")} + a.common;
    b.params = a.params;
    b.quiet = a.quiet;
    int jobs = 1, threads = 1;
    ShareOutCores(a.jobs, a.threads, int(list.entries.size()), QThread::idealThreadCount(), jobs,
                  threads);
    b.common << QStringLiteral("--threads") << QString::number(threads);
    std::int64_t largest = 0;
    for (const trenderentry& e : list.entries) {
        std::int64_t views = 0, view = 0;
        EntryPixels(e, views, view);
        largest = std::max(largest, EntryPeakBytes(views, view, threads));
    }
    b.jobs = jobs;
    const int fit = JobsWithinBudget(b.jobs, largest);
    if (fit < b.jobs)
        std::fprintf(err,
                     "orvanel-cli render: %d entries at a time instead of %d: the largest "
                     "needs about %lld MiB, %d of them fit in %lld MiB\n",
                     fit, b.jobs, static_cast<long long>(largest >> 20), fit,
                     static_cast<long long>(kBatchMemoryBudget >> 20));
    b.jobs = fit;
    return RunRenderBatch(list, b, out, err);
}

} // namespace

int RunRenderCommand(const QStringList& args, std::FILE* out, std::FILE* err) {
    trenderargs a;
    QString error;
    if (!ParseArgs(args, a, error)) {
        std::fprintf(err, "orvanel-cli render: %s\n", qPrintable(error));
        return 2;
    }
    InitStereoKinds();
    LoadCommandSettings(Settings, a.settingsFile, a.noIni);
    ApplyBandOption(a.band, Settings);
    WinRatioW = a.ratioW;
    WinRatioH = a.ratioH;
    JpegDefaults.quality = a.quality;
    JpegDefaults.hSubsampling = Settings.JpegHSampling;
    JpegDefaults.vSubsampling = Settings.JpegVSampling;
    // The rendering does not depend on the number of threads drawing it.
    SetEngineThreads(Threads(a));

    if (!a.list.isEmpty()) return RenderList(a, out, err);
    if (a.prmFiles.isEmpty() && !a.params.isEmpty()) {
        tviewpair pair;
        theadlesshost host(pair, a.overwrite);
        QString error;
        if (!LoadPairWithParamsHeadless({a.left, a.right, a.composite, a.compositeKind}, a.params,
                                        pair, host, error)) {
            std::fprintf(err, "orvanel-cli render: %s\n",
                         qPrintable(error.isEmpty()
                                        ? QString("parameter file '%1' not applied").arg(a.params)
                                        : error));
            return 1;
        }
        return RenderPair(a, pair, host, out, err) ? 0 : 1;
    }
    if (a.prmFiles.isEmpty()) {
        tviewpair pair;
        theadlesshost host(pair, a.overwrite);
        QString failed;
        if (!LoadPairHeadless({a.left, a.right, a.composite, a.compositeKind}, pair, host,
                              failed)) {
            if (!failed.isEmpty())
                std::fprintf(err, "orvanel-cli render: %s\n",
                             qPrintable(PictureFailureText(failed)));
            return 1;
        }
        return RenderPair(a, pair, host, out, err) ? 0 : 1;
    }
    // The save pass moves the current folder into the output folders: every
    // pair, and the caller afterwards, starts again from the folder the
    // command started in, against which a parameter file's relative picture
    // names are read.
    struct tstartfolder {
        QString path = QDir::currentPath();
        ~tstartfolder() { QDir::setCurrent(path); }
    } start;
    const bool progress = !a.quiet && isatty(fileno(err));
    bool all = true;
    for (int i = 0; i < a.prmFiles.size(); ++i) {
        const QString& file = a.prmFiles[i];
        QDir::setCurrent(start.path);
        if (progress)
            std::fprintf(err, "[%d/%d] %s\n", i + 1, int(a.prmFiles.size()), qPrintable(file));
        tviewpair pair;
        theadlesshost host(pair, a.overwrite);
        QString error;
        if (!LoadParamPairHeadless(file, pair, host, error)) {
            if (!error.isEmpty())
                std::fprintf(err, "orvanel-cli render: %s: %s\n", qPrintable(file),
                             qPrintable(error));
            std::fprintf(out, "%s\t%s\n", qPrintable(file), SaveErrorText);
            all = false;
            continue;
        }
        if (!RenderPair(a, pair, host, out, err)) all = false;
    }
    return all ? 0 : 1;
}
