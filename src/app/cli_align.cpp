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
#include "montage/magnification.h"
#include "montage/orientation.h"

#include <QFileInfo>

#include <cmath>
#include <cstdio>
#include <vector>

const char* const AlignUsage =
    "  align (--prm FILE | --left L --right R | --composite KIND FILE)\n"
    "        [--point NAME XL,YL,XR,YR]... [--current left|right] [--do STEP]...\n"
    "        --write-prm OUT\n"
    "      Places point pairs (NAME: C, A1, A2, orient1, orient2, d1, d2, W1) at\n"
    "      picture coordinates of the left and the right view, runs each STEP in\n"
    "      order (level, rotate, orient-right, orient-left, orient-both,\n"
    "      orient-vertical, orient-horizontal, magnify) and writes the alignment\n"
    "      as a parameter file. KIND: X crossed, P parallel, V over-under,\n"
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
};

int PointOfName(const QString& name) {
    static const struct {
        const char* name;
        int index;
    } names[] = {{"C", PtStereo0},       {"A1", PtStereo1},      {"A2", PtStereo2},
                 {"orient1", PtOrient1}, {"orient2", PtOrient2}, {"d1", PtDz1},
                 {"d2", PtDz2},          {"W1", PtWin1}};
    for (const auto& n : names)
        if (name.compare(QLatin1String(n.name), Qt::CaseInsensitive) == 0) return n.index;
    return -1;
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
    static const struct {
        const char* name;
        tstep step;
    } steps[] = {{"level", tstep::Level},
                 {"rotate", tstep::Rotate},
                 {"orient-right", tstep::OrientRight},
                 {"orient-left", tstep::OrientLeft},
                 {"orient-both", tstep::OrientBoth},
                 {"orient-vertical", tstep::OrientVertical},
                 {"orient-horizontal", tstep::OrientHorizontal},
                 {"magnify", tstep::Magnify}};
    for (const auto& s : steps) {
        if (name == QLatin1String(s.name)) {
            step = s.step;
            return true;
        }
    }
    if (name == "window")
        error = "step 'window' (the stereo window) is not available from the command line yet";
    else
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
        } else if (o == "--write-prm") {
            if (!value(i, a.out)) return false;
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
    return true;
}

QString Absolute(const QString& path) {
    return QFileInfo(path).absoluteFilePath();
}

bool LoadPair(const talignargs& a, tviewpair& pair, theadlesshost& host) {
    if (!a.prm.isEmpty()) {
        const tparamread read = ReadParams(pair, Absolute(a.prm), true, host, Settings);
        return read != tparamread::Refused && !pair.ImgLeft.bitmap.isNull();
    }
    QString failed;
    return LoadPairHeadless({a.left, a.right, a.composite, a.compositeKind}, pair, host, failed);
}

} // namespace

int RunAlignCommand(const QStringList& args) {
    talignargs a;
    QString error;
    if (!ParseArgs(args, a, error)) {
        std::fprintf(stderr, "orvanel-cli align: %s\n%s", qPrintable(error), AlignUsage);
        return 2;
    }

    tviewpair pair;
    theadlesshost loadHost(pair, true);
    if (!LoadPair(a, pair, loadHost)) {
        std::fprintf(stderr, "orvanel-cli align: the pair could not be read\n");
        return 1;
    }

    for (const tpointarg& p : a.points) {
        pair.ImgLeft.PlacePoint(p.index, p.xl, p.yl);
        pair.ImgRight.PlacePoint(p.index, p.xr, p.yr);
    }

    // The Montage window's logic over a display at zoom 1 without scroll.
    tplaindisplay display(pair);
    display.LeftCurrent = a.leftCurrent;
    display.Reload = [&loadHost, &pair] { loadHost.ReloadViews(pair.StereoType); };
    CurPoint = 0;
    gBusy = false;

    for (tstep step : a.steps) {
        switch (step) {
        case tstep::Level:
            LevelOnCentre(display);
            break;
        case tstep::Rotate:
            AlignRotation(display);
            break;
        case tstep::OrientRight:
            CalOrient(display, OrientRightOnLeft);
            break;
        case tstep::OrientLeft:
            CalOrient(display, OrientLeftOnRight);
            break;
        case tstep::OrientBoth:
            CalOrient(display, OrientHalfway);
            break;
        case tstep::OrientVertical:
            CalOrient(display, OrientVertical);
            break;
        case tstep::OrientHorizontal:
            CalOrient(display, OrientHorizontal);
            break;
        case tstep::Magnify:
            if (!ApplyZoomCorrection(display, false)) {
                std::fprintf(stderr, "orvanel-cli align: magnify refused: the d1-d2 factor is not "
                                     "positive or gives a picture that cannot be held\n");
                return 1;
            }
            break;
        }
    }

    if (!WriteParams(pair, Absolute(a.out), false, loadHost, Settings)) {
        std::fprintf(stderr, "orvanel-cli align: cannot write '%s'\n", qPrintable(a.out));
        return 1;
    }
    return 0;
}
