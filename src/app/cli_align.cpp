// `orvanel-cli align`: a pair loaded, points placed, alignment commands run in
// order as the Montage window runs them, the result written as a parameter file.
#include "app/cli_align.h"

#include "input/headlesspair.h"

#include "core/paramfile.h"
#include "core/runflags.h"
#include "core/settings.h"
#include "core/stereokinds.h"
#include "core/viewops.h"
#include "core/viewpair.h"
#include "input/displayhost.h"
#include "input/pictureload.h"
#include "input/viewloader.h"
#include "montage/alignment.h"
#include "montage/autoalign.h"
#include "montage/magnification.h"
#include "montage/orientation.h"
#include "montage/stereowindow.h"
#include "output/cli_options.h"

#include <QDir>
#include <QFileInfo>

#include <cmath>
#include <cstdio>
#include <iterator>
#include <vector>

const char* const AlignUsage =
    "  align (--prm FILE | --left L --right R | --composite KIND FILE)\n"
    "        [--point NAME XL,YL,XR,YR]... [--current left|right] [--do STEP]...\n"
    "        [--window-mode MODE] [--infinity-fraction F] [--ratio W:H]\n"
    "        [--band N|auto] [--settings FILE | --noini] --write-prm OUT [--overwrite]\n"
    "      Places point pairs (NAME: C, A1, A2, orient1, orient2, d1, d2, W1) at\n"
    "      picture coordinates of the left and the right view, runs each STEP in\n"
    "      order (level, rotate, orient-right, orient-left, orient-both,\n"
    "      orient-vertical, orient-horizontal, magnify, window, window-cancel,\n"
    "      auto, auto-window), prints one line per step and writes the alignment\n"
    "      as a parameter file. auto matches details between the views, fits\n"
    "      their turn, height and magnification and places C, A1 (and d1, d2)\n"
    "      so that level, magnify and rotate reproduce the fit; auto-window puts\n"
    "      W1 on the nearest matched detail and runs window in its zero mode.\n"
    "      Without a reliable fit they stop with \"no reliable matches\" (exit 1).\n"
    "      window shifts the right view so that W1 (else C, else the picture\n"
    "      centres) shows the offset of MODE: zero (the default), user-width,\n"
    "      film-height, digital-height or image-width, the last four being a\n"
    "      width times F (default 0.0417); W:H constrains the automatic window\n"
    "      the width and height modes measure. An existing OUT is only\n"
    "      replaced with --overwrite. KIND: X crossed, P parallel, V over-under,\n"
    "      A anaglyph, BI double, or the kind code 2..6.\n";

namespace {

struct tpointarg {
    int index = 0;
    double xl = 0, yl = 0, xr = 0, yr = 0;
};

enum class tstep {
    Level,
    Rotate,
    OrientRight,
    OrientLeft,
    OrientBoth,
    OrientVertical,
    OrientHorizontal,
    Magnify,
    Window,
    WindowCancel,
    Auto,
    AutoWindow,
};

struct talignargs {
    QString prm;
    QString left;
    QString right;
    int compositeKind = -1;
    QString composite;
    std::vector<tpointarg> points;
    bool leftCurrent = true;
    std::vector<tstep> steps;
    QString out;
    bool overwrite = false;
    tbandoption band;
    QString settingsFile;
    bool noIni = false;
    int windowMode = CalcAtWindow;
    double infinityFraction = 0.0417;
    int ratioW = 0, ratioH = 0;
};

const struct {
    const char* name;
    int index;
} kPointNames[] = {{"C", PtStereo0},       {"A1", PtStereo1},      {"A2", PtStereo2},
                   {"orient1", PtOrient1}, {"orient2", PtOrient2}, {"d1", PtDz1},
                   {"d2", PtDz2},          {"W1", PtWin1}};

const struct {
    const char* name;
    tstep step;
} kStepNames[] = {{"level", tstep::Level},
                  {"rotate", tstep::Rotate},
                  {"orient-right", tstep::OrientRight},
                  {"orient-left", tstep::OrientLeft},
                  {"orient-both", tstep::OrientBoth},
                  {"orient-vertical", tstep::OrientVertical},
                  {"orient-horizontal", tstep::OrientHorizontal},
                  {"magnify", tstep::Magnify},
                  {"window", tstep::Window},
                  {"window-cancel", tstep::WindowCancel},
                  {"auto", tstep::Auto},
                  {"auto-window", tstep::AutoWindow}};

// --window-mode names in the order of the calculation modes.
const char* const kWindowModes[] = {"zero", "user-width", "film-height", "digital-height",
                                    "image-width"};

// The closest an A1 point may stand to C for the turn to be measured.
constexpr double kMinRotationArm = 2.0;

int PointOfName(const QString& name) {
    for (const auto& n : kPointNames)
        if (name.compare(QLatin1String(n.name), Qt::CaseInsensitive) == 0) return n.index;
    return -1;
}

QString NameOfPoint(int index) {
    for (const auto& n : kPointNames)
        if (n.index == index) return QLatin1String(n.name);
    return QString::number(index);
}

QString NameOfStep(tstep step) {
    for (const auto& s : kStepNames)
        if (s.step == step) return QLatin1String(s.name);
    return {};
}

bool ParseCoordinates(const QString& text, tpointarg& p) {
    const QStringList parts = text.split(',');
    if (parts.size() != 4) return false;
    double v[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        v[i] = parts[i].trimmed().toDouble(&ok);
        if (!ok || !std::isfinite(v[i])) return false;
    }
    p.xl = v[0];
    p.yl = v[1];
    p.xr = v[2];
    p.yr = v[3];
    return true;
}

bool StepOfName(const QString& name, tstep& step, QString& error) {
    for (const auto& s : kStepNames) {
        if (name == QLatin1String(s.name)) {
            step = s.step;
            return true;
        }
    }
    error = QString("unknown step '%1'").arg(name);
    return false;
}

bool ParseArgs(const QStringList& args, talignargs& a, QString& error) {
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
        if (o == "--prm") {
            if (!value(i, a.prm)) return false;
        } else if (o == "--left") {
            if (!value(i, a.left)) return false;
        } else if (o == "--right") {
            if (!value(i, a.right)) return false;
        } else if (o == "--composite") {
            QString kind;
            if (!value(i, kind)) return false;
            a.compositeKind = CompositeKindOfText(kind);
            if (a.compositeKind < 0) {
                error = QString("unknown composite kind '%1'").arg(kind);
                return false;
            }
            if (!value(i, a.composite)) return false;
        } else if (o == "--point") {
            QString name, coordinates;
            if (!value(i, name) || !value(i, coordinates)) {
                error = "option --point needs a name and XL,YL,XR,YR";
                return false;
            }
            tpointarg p;
            p.index = PointOfName(name);
            if (p.index < 0) {
                error = QString("unknown point '%1'").arg(name);
                return false;
            }
            if (!ParseCoordinates(coordinates, p)) {
                error = QString("point %1: '%2' is not four numbers XL,YL,XR,YR")
                            .arg(name, coordinates);
                return false;
            }
            a.points.push_back(p);
        } else if (o == "--current") {
            QString which;
            if (!value(i, which)) return false;
            if (which != "left" && which != "right") {
                error = QString("--current takes left or right, not '%1'").arg(which);
                return false;
            }
            a.leftCurrent = which == "left";
        } else if (o == "--do") {
            QString name;
            if (!value(i, name)) return false;
            tstep step;
            if (!StepOfName(name, step, error)) return false;
            a.steps.push_back(step);
        } else if (o == "--window-mode") {
            QString mode;
            if (!value(i, mode)) return false;
            a.windowMode = -1;
            for (int m = 0; m < int(std::size(kWindowModes)); ++m)
                if (mode == QLatin1String(kWindowModes[m])) a.windowMode = m;
            if (a.windowMode < 0) {
                error = QString("unknown window mode '%1' (zero, user-width, film-height, "
                                "digital-height or image-width)")
                            .arg(mode);
                return false;
            }
        } else if (o == "--infinity-fraction") {
            QString v;
            if (!value(i, v)) return false;
            bool ok = false;
            a.infinityFraction = v.trimmed().toDouble(&ok);
            if (!ok || !std::isfinite(a.infinityFraction) || a.infinityFraction < 0) {
                error =
                    QString("--infinity-fraction takes a number of at least 0, not '%1'").arg(v);
                return false;
            }
        } else if (o == "--ratio") {
            QString v;
            if (!value(i, v) || !ParseRatioOption(v, a.ratioW, a.ratioH, error)) return false;
        } else if (o == "--write-prm") {
            if (!value(i, a.out)) return false;
        } else if (o == "--overwrite") {
            a.overwrite = true;
        } else if (o == "--band") {
            QString v;
            if (!value(i, v) || !ParseBandOption(v, a.band, error)) return false;
        } else if (o == "--settings") {
            if (!value(i, a.settingsFile)) return false;
        } else if (o == "--noini") {
            a.noIni = true;
        } else {
            error = QString("unknown option '%1'").arg(o);
            return false;
        }
    }
    if (!CheckPairSourceOptions(!a.prm.isEmpty(), {a.left, a.right, a.composite, a.compositeKind},
                                error))
        return false;
    if (a.out.isEmpty()) {
        error = "--write-prm OUT is required";
        return false;
    }
    if (a.out.endsWith('/') || a.out.endsWith(QDir::separator())) {
        error = QString("--write-prm '%1' names a folder, not a file").arg(a.out);
        return false;
    }
    if (!CheckSettingsOptions(a.settingsFile, a.noIni, error)) return false;
    for (QString* path : {&a.prm, &a.left, &a.right, &a.composite, &a.out, &a.settingsFile})
        *path = AbsolutePath(*path);
    return true;
}

// The parameter file replaces nothing without --overwrite, and only ever a
// regular file: never a folder, a device or a link to one.
bool CheckOutputPath(const QString& path, bool overwrite, QString& error) {
    const QFileInfo info(path);
    if (info.isSymLink() || (info.exists() && !info.isFile())) {
        error = QString("'%1' exists and is not a regular file").arg(path);
        return false;
    }
    if (info.exists() && !overwrite) {
        error = QString("'%1' exists (--overwrite replaces it)").arg(path);
        return false;
    }
    return true;
}

bool LoadPair(const talignargs& a, tviewpair& pair, theadlesshost& host, QString& error) {
    if (!a.prm.isEmpty()) return LoadParamPairHeadless(a.prm, pair, host, error);
    QString failed;
    if (LoadPairHeadless({a.left, a.right, a.composite, a.compositeKind}, pair, host, failed))
        return true;
    if (!failed.isEmpty()) error = PictureFailureText(failed);
    return false;
}

bool Inside(const timg& view, double x, double y) {
    return x >= 0 && y >= 0 && x < view.Width() && y < view.Height();
}

// A given point that lies outside its picture, as a message; empty when none.
QString PointOutside(const tviewpair& pair, const tpointarg& p) {
    for (const bool left : {true, false}) {
        const timg& view = left ? pair.ImgLeft : pair.ImgRight;
        const double x = left ? p.xl : p.xr, y = left ? p.yl : p.yr;
        if (Inside(view, x, y)) continue;
        return QString("point %1 (%2, %3) lies outside the %4 picture (%5 x %6)")
            .arg(NameOfPoint(p.index))
            .arg(x)
            .arg(y)
            .arg(left ? "left" : "right")
            .arg(view.Width())
            .arg(view.Height());
    }
    return {};
}

// Why a step cannot run on the points in place; empty when it can.
QString StepRefusal(tstep step, const tviewpair& pair) {
    std::vector<int> needs;
    switch (step) {
    case tstep::Level:
        needs = {PtStereo0};
        break;
    case tstep::Rotate:
        needs = {PtStereo0, PtStereo1};
        break;
    case tstep::Magnify:
        needs = {PtDz1, PtDz2};
        break;
    case tstep::Window:
    case tstep::WindowCancel:
        // The reference pair falls back to C, then to the picture centres.
    case tstep::Auto:
    case tstep::AutoWindow:
        // The points come from the matched details.
        return {};
    default:
        needs = {PtOrient1, PtOrient2};
        break;
    }
    QStringList missing;
    for (int index : needs)
        if (!PairUsable(pair, index)) missing << NameOfPoint(index);
    const QString name = NameOfStep(step);
    if (!missing.isEmpty())
        return QString("step '%1' needs %2 in both views").arg(name, missing.join(" and "));
    if (step != tstep::Rotate) return {};
    for (const bool left : {true, false}) {
        const timg& v = left ? pair.ImgLeft : pair.ImgRight;
        const double arm =
            std::hypot(v.pt[PtStereo1].x - v.CentreX(), v.pt[PtStereo1].y - v.CentreY());
        if (arm < kMinRotationArm)
            return QString("step 'rotate': A1 lies closer than 2 px to C in the %1 view")
                .arg(left ? "left" : "right");
    }
    return {};
}

// Two decimals, without a minus sign on a value that prints as zero.
QString Fixed(double v) {
    const QString text = QString::number(v, 'f', 2);
    return text == "-0.00" ? QStringLiteral("0.00") : text;
}

// A view's turn in degrees, within (-180, 180].
QString Degrees(double rot) {
    double deg = rot * 180.0 / M_PI;
    deg = std::remainder(deg, 360.0);
    if (deg <= -180.0) deg += 360.0;
    return Fixed(deg) + QString::fromUtf8("°");
}

QString ViewName(bool left) {
    return left ? QStringLiteral("left view") : QStringLiteral("right view");
}

// Runs one step; false with `error` when it refused (the exit status in `status`).
bool RunStep(tstep step, int windowMode, tplaindisplay& display, tautoresult& matched,
             QString& line, QString& error, int& status) {
    tviewpair& pair = display.Pair();
    error = StepRefusal(step, pair);
    if (!error.isEmpty()) {
        status = 2;
        return false;
    }
    const QString name = NameOfStep(step) + ": ";
    auto turn = [&](bool left) {
        return ViewName(left) + ' ' + Degrees(left ? pair.ImgLeft.rot : pair.ImgRight.rot);
    };
    switch (step) {
    case tstep::Level: {
        // The current view stays; the other one moves onto it.
        const bool movedLeft = !display.LeftCurrent;
        LevelOnCentre(display);
        const timg& v = movedLeft ? pair.ImgLeft : pair.ImgRight;
        line = name + ViewName(movedLeft) + " posx " + Fixed(v.posx) + " posy " + Fixed(v.posy);
        return true;
    }
    case tstep::Rotate:
        AlignRotation(display);
        // The view with the shorter C-A1 vector is current and kept.
        line = name + turn(!display.LeftCurrent);
        return true;
    case tstep::OrientRight:
        CalOrient(display, OrientRightOnLeft);
        line = name + turn(false);
        return true;
    case tstep::OrientLeft:
        CalOrient(display, OrientLeftOnRight);
        line = name + turn(true);
        return true;
    case tstep::OrientBoth:
    case tstep::OrientVertical:
    case tstep::OrientHorizontal:
        CalOrient(display, step == tstep::OrientBoth       ? OrientHalfway
                           : step == tstep::OrientVertical ? OrientVertical
                                                           : OrientHorizontal);
        line = name + turn(true) + ", " + turn(false);
        return true;
    case tstep::Window:
    case tstep::WindowCancel: {
        const int mode = step == tstep::Window ? windowMode : int(CalcCancel);
        const double offset = WindowModeOffset(pair, mode);
        RunWindowMode(display, mode);
        line = name + "offset " + Fixed(offset) + ", right view posx " + Fixed(pair.ImgRight.posx);
        return true;
    }
    case tstep::Auto:
        if (!AutoAlign(display, matched, error)) {
            status = 1;
            return false;
        }
        line = AutoResultLine(matched);
        return true;
    case tstep::AutoWindow: {
        if (!AutoWindow(display, matched, error)) {
            status = 1;
            return false;
        }
        const trealpoint& l = pair.ImgLeft.pt[PtWin1];
        const trealpoint& r = pair.ImgRight.pt[PtWin1];
        line = name + "W1 " + Fixed(l.x) + "," + Fixed(l.y) + "," + Fixed(r.x) + "," + Fixed(r.y) +
               ", right view posx " + Fixed(pair.ImgRight.posx);
        return true;
    }
    case tstep::Magnify: {
        const bool currentLeft = display.LeftCurrent;
        if (!ApplyZoomCorrection(display, false)) {
            error = "magnify refused: the d1-d2 factor is not positive or gives a picture that "
                    "cannot be held";
            status = 1;
            return false;
        }
        // The view that was current is the one reduced.
        const timg& v = currentLeft ? pair.ImgLeft : pair.ImgRight;
        line = name + ViewName(currentLeft) + " dz " + QString::number(v.dz, 'f', 4);
        return true;
    }
    }
    return true;
}

} // namespace

int RunAlignCommand(const QStringList& args, std::FILE* out, std::FILE* err) {
    talignargs a;
    QString error;
    auto fail = [&](int status) {
        std::fprintf(err, "orvanel-cli align: %s\n", error.toUtf8().constData());
        return status;
    };
    if (!ParseArgs(args, a, error)) {
        std::fprintf(err, "orvanel-cli align: %s\n%s", qPrintable(error), AlignUsage);
        return 2;
    }
    if (!CheckOutputPath(a.out, a.overwrite, error)) return fail(2);

    LoadCommandSettings(Settings, a.settingsFile, a.noIni);
    ApplyBandOption(a.band, Settings);
    tviewpair pair;
    theadlesshost loadHost(pair, true);
    if (!LoadPair(a, pair, loadHost, error)) {
        if (error.isEmpty()) error = "the pair could not be read";
        return fail(1);
    }

    for (const tpointarg& p : a.points) {
        error = PointOutside(pair, p);
        if (!error.isEmpty()) return fail(2);
        pair.ImgLeft.PlacePoint(p.index, p.xl, p.yl);
        pair.ImgRight.PlacePoint(p.index, p.xr, p.yr);
    }

    // The Montage window's logic over a display at zoom 1 without scroll.
    tplaindisplay display(pair);
    display.LeftCurrent = a.leftCurrent;
    display.Reload = [&loadHost, &pair] { loadHost.ReloadViews(pair.StereoType); };
    CurPoint = 0;
    gBusy = false;
    InfinityFraction = a.infinityFraction;
    WinRatioW = a.ratioW;
    WinRatioH = a.ratioH;

    tautoresult matched;
    for (tstep step : a.steps) {
        QString line;
        int status = 0;
        if (!RunStep(step, a.windowMode, display, matched, line, error, status))
            return fail(status);
        std::fprintf(out, "%s\n", line.toUtf8().constData());
    }
    std::fflush(out);

    // Checked again: the file may have appeared while the steps ran.
    if (!CheckOutputPath(a.out, a.overwrite, error)) return fail(2);
    if (!WriteParams(pair, a.out, false, loadHost, Settings)) {
        error = QString("cannot write '%1'").arg(a.out);
        return fail(1);
    }
    return 0;
}
