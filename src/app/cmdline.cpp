// The command line: kind codes, pictures and parameter files given at
// start, read into a plan that start-up carries out.
#include "app/cmdline.h"

#include <QFileInfo>

#include <limits>

namespace {

// The folder of a file named on the command line, made absolute against the
// current folder, so that open dialogs start there later.
QString ArgumentFolder(const QString& file) {
    return QFileInfo(file).absolutePath();
}

// The extension after the last dot of the file-name part, in upper case,
// dot included; both delimiters end a folder name.
QString UpperExtension(const QString& file) {
    const qsizetype slash = std::max(file.lastIndexOf(u'/'), file.lastIndexOf(u'\\'));
    const qsizetype dot = file.lastIndexOf(u'.');
    if (dot <= slash) return QString();
    return file.mid(dot).toUpper();
}

void LoadAs(tstartplan& plan, tstartaction action, const QString& file, int stereoType,
            QString tsettings::*dir) {
    plan.action = action;
    plan.file1 = file;
    plan.stereoType = stereoType;
    plan.folders = {{dir, ArgumentFolder(file)}};
    plan.needsLoad = true;
}

void Split(tstartplan& plan, const QString& file, int kind, QString tsettings::*dir) {
    LoadAs(plan, tstartaction::Split, file, kind, dir);
    plan.splitKind = kind;
}

void LoadPair(tstartplan& plan, const QString& left, const QString& right) {
    plan.action = tstartaction::LoadPair;
    plan.file1 = left;
    plan.file2 = right;
    plan.stereoType = 1;
    plan.folders = {{&tsettings::OpenDirL, ArgumentFolder(left)},
                    {&tsettings::OpenDirR, ArgumentFolder(right)}};
    plan.needsLoad = false;
}

// One picture with a kind code in front of it.
void PlanKindAndPicture(tstartplan& plan, int kind, const QString& file, int currentStereoType) {
    switch (kind) {
    case 2:
        Split(plan, file, 2, &tsettings::OpenDirSX);
        break;
    case 3:
        Split(plan, file, 3, &tsettings::OpenDirSP);
        break;
    case 4:
        Split(plan, file, 4, &tsettings::OpenDirAna);
        break;
    case 5:
        Split(plan, file, 5, &tsettings::OpenDirSV);
        break;
    case 6:
        Split(plan, file, 6, &tsettings::OpenDirBi);
        break;
    case 7:
        // A left view joins the right one into a pair, unless a lone left
        // view is what was on screen.
        LoadAs(plan, tstartaction::LoadLeft, file, currentStereoType == 7 ? 7 : 1,
               &tsettings::OpenDirL);
        break;
    case 8:
        LoadAs(plan, tstartaction::LoadRight, file, currentStereoType == 8 ? 8 : 1,
               &tsettings::OpenDirR);
        break;
    default:
        LoadAs(plan, tstartaction::LoadLeft, file, 7, &tsettings::OpenDirL);
        break;
    }
}

} // namespace

tcmdnumber CommandLineNumber(const QString& argument) {
    tcmdnumber n;
    qsizetype i = 0;
    while (i < argument.size() && (argument[i] == u' ' || argument[i] == u'\t')) ++i;
    bool negative = false;
    if (i < argument.size() && (argument[i] == u'+' || argument[i] == u'-'))
        negative = argument[i++] == u'-';
    const qsizetype firstDigit = i;
    long long v = 0;
    bool overflow = false;
    for (; i < argument.size() && argument[i] >= u'0' && argument[i] <= u'9'; ++i) {
        v = v * 10 + (argument[i].unicode() - u'0');
        if (v > std::numeric_limits<int>::max() + (negative ? 1LL : 0LL)) {
            overflow = true;
            v = 0;
            break;
        }
    }
    n.value = static_cast<int>(negative ? -v : v);
    n.ok = !overflow && i > firstDigit && i == argument.size();
    return n;
}

tstartplan PlanCommandLine(const QStringList& args, int currentStereoType,
                           const tfileexists& exists) {
    tstartplan plan;
    const qsizetype count = args.size();
    if (count == 0) return plan;
    const auto fileExists = [&](const QString& f) {
        return exists ? exists(f) : QFileInfo::exists(f);
    };

    const tcmdnumber number = CommandLineNumber(args[0]);
    if (!number.ok) {
        if (count == 1) {
            // The no-settings marker was used up when the settings were read;
            // whatever its case, it names no file.
            const QString& file = args[0];
            if (!IsNoSettingsArgument(file) && fileExists(file)) {
                if (UpperExtension(file) == u".PRM") {
                    plan.action = tstartaction::OpenParams;
                    plan.file1 = file;
                    plan.stereoType = 10;
                    plan.refreshDisplay = true;
                } else if (UpperExtension(file) == u".MPO") {
                    // A camera's pair file holds both views.
                    LoadAs(plan, tstartaction::LoadMpo, file, 1, &tsettings::OpenDirL);
                } else {
                    LoadAs(plan, tstartaction::LoadLeft, file, 7, &tsettings::OpenDirL);
                }
            }
            plan.arrangeAtNextStart = true;
            return plan;
        }
        LoadPair(plan, args[0], args[1]);
        plan.refreshDisplay = true;
        return plan;
    }

    if (count == 1) {
        plan.arrangeAtNextStart = true;
        return plan;
    }
    int kind = number.value;
    if (kind > 100) kind %= 100;
    if (count == 2 && kind == 10) {
        // Opening a parameter file that is not there would reset the views
        // and load nothing: leave them alone instead.
        if (fileExists(args[1])) {
            plan.action = tstartaction::OpenParams;
            plan.file1 = args[1];
            plan.stereoType = 10;
        }
    } else if (count == 2) {
        PlanKindAndPicture(plan, kind, args[1], currentStereoType);
    } else if (count == 3 && kind == 1) {
        LoadPair(plan, args[1], args[2]);
    }
    plan.refreshDisplay = true;
    return plan;
}

void ApplyStartPlan(const tstartplan& plan, bool loaded, tsettings& s, int& stereoType) {
    if (plan.action != tstartaction::None && (loaded || !plan.needsLoad)) {
        if (plan.stereoType >= 0) stereoType = plan.stereoType;
        for (const tfolderupdate& f : plan.folders)
            if (f.dir) s.*(f.dir) = f.folder;
    }
    if (plan.arrangeAtNextStart) s.DesktopType = 255;
}
