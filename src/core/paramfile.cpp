// The parameter file: writing and reading the view sections, the whole file
// with its kind, the redirection of missing images and the reload.
#include "core/paramfile.h"

#include "core/inifile.h"
#include "core/paths.h"
#include "core/redirectedfile.h"
#include "core/runflags.h"
#include "core/settings.h"
#include "core/timg.h"
#include "core/viewpair.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>

#include <cmath>

QString PrmFileName;

const char* const ParamFileMissingText = "Fichier de Paramètres introuvable :\n%1";
const char* const ParamFileUnreadableText = "Fichier de Paramètres illisible :\n%1";
const char* const ParamNameLineBreakText =
    "Fichier de Paramètres non écrit : un nom d'image contient un saut de ligne";
const char* const ParamBadDzText =
    "Facteur de grandissement invalide (dz=%1) pour la vue [%2] du Fichier de Paramètres :\n%3";
const char* const ParamNoSeparatorText =
    "Séparateur décimal absent du Fichier de Paramètres :\n%1\nLes valeurs de calage n'ont pas "
    "été lues.";

namespace {

const QString kSeparator = QStringLiteral("separator");
const QString kLeft = QStringLiteral("Left");
const QString kRight = QStringLiteral("Right");

// No picture coordinate, shift or crop comes near this: pictures are limited
// to 2^28 pixels. Larger values can only come from a damaged file, and
// keeping them out keeps every later conversion to int defined.
constexpr double kMaxParamValue = 1e9;

// The magnification correction of a view stays close to 1; a factor outside
// these bounds would shrink the picture to nothing or blow it up beyond any
// memory, and 0 or below would divide by nothing.
constexpr double kMinDz = 1e-3;
constexpr double kMaxDz = 1e3;

QString PointKey(int i, char field) {
    return QStringLiteral("pt[%1].%2").arg(i).arg(QChar::fromLatin1(field));
}

double ReadReal(const tinifile& file, const QString& section, const QString& key, double def,
                QChar decimal) {
    const double v = file.ReadFloat(section, key, def, decimal);
    return std::fabs(v) <= kMaxParamValue ? v : def;
}

// Hour-glass for a scope.
class tbusy {
public:
    explicit tbusy(tparamhost& host) : host_(host) { host_.BeginBusy(); }
    ~tbusy() { host_.EndBusy(); }
    tbusy(const tbusy&) = delete;
    tbusy& operator=(const tbusy&) = delete;

private:
    tparamhost& host_;
};

// A missing image is looked for in the redirection folder of its side; when
// not found, the user is asked for the folders and the name moves there.
void RedirectView(QString& name, const QString tsettings::*ownFolder, bool leftSide,
                  tparamhost& host, tsettings& settings) {
    // A view without a file has nothing to look for.
    if (name.isEmpty()) return;
    QString lookup = name;
    if (RedirectedExists(lookup, settings.*ownFolder)) {
        name = lookup;
        return;
    }
    if (leftSide)
        host.AskRedirectFolders(FileFolder(name), settings.DirOpenImgR);
    else
        host.AskRedirectFolders(settings.DirOpenImgL, FileFolder(name));
    // With no folder to go to, the name keeps its own folder: a bare file
    // name would lose where the picture was when the parameters are saved
    // again.
    const QString folder = (settings.*ownFolder).trimmed();
    if (!folder.isEmpty()) name = NameInFolder(name, folder);
}

} // namespace

QString ParamFileFolder(const QString& fileName) {
    return QDir::toNativeSeparators(QFileInfo(NativePath(fileName)).absolutePath());
}

tseparators SystemSeparators() {
    const QLocale locale = QLocale::system();
    tseparators s;
    const QString decimal = locale.decimalPoint();
    const QString group = locale.groupSeparator();
    if (!decimal.isEmpty()) s.decimal = decimal[0];
    if (!group.isEmpty()) s.thousand = group[0];
    return s;
}

bool WriteSection(const timg& view, tinifile& file, const QString& section,
                  const tseparators& separators) {
    const QChar dec = separators.decimal;
    file.WriteString(kSeparator, QStringLiteral("decimal"), QString(dec));
    file.WriteString(kSeparator, QStringLiteral("thousand"), QString(separators.thousand));
    file.WriteString(section, QStringLiteral("filename"), view.filename);
    file.WriteFloat(section, QStringLiteral("posx"), view.posx, dec);
    file.WriteFloat(section, QStringLiteral("posy"), view.posy, dec);
    file.WriteFloat(section, QStringLiteral("rot"), view.rot, dec);
    file.WriteInteger(section, QStringLiteral("autorot"), view.autorot);
    file.WriteInteger(section, QStringLiteral("mirror"), view.mirror);
    file.WriteFloat(section, QStringLiteral("dz"), view.dz, dec);
    file.WriteBool(section, QStringLiteral("mancropd"), view.mancropd);
    file.WriteFloat(section, QStringLiteral("mancropl"), view.mancropl, dec);
    file.WriteFloat(section, QStringLiteral("mancropt"), view.mancropt, dec);
    file.WriteFloat(section, QStringLiteral("mancropw"), view.mancropw, dec);
    file.WriteFloat(section, QStringLiteral("mancroph"), view.mancroph, dec);
    // The points refer to the bitmap, which is the image file reduced by dz;
    // in the file they refer to the image file itself.
    for (int i = 0; i < kPointCount; ++i) {
        file.WriteString(section, PointKey(i, 'c'), view.pt[i].c);
        file.WriteFloat(section, PointKey(i, 'x'), view.pt[i].x * view.dz, dec);
        file.WriteFloat(section, PointKey(i, 'y'), view.pt[i].y * view.dz, dec);
        file.WriteBool(section, PointKey(i, 'd'), view.pt[i].d);
    }
    return true;
}

bool ReadSection(timg& view, const tinifile& file, const QString& section, bool withFileName,
                 const tseparators& current) {
    // The thousands separator is recorded but never needed: no number is
    // written with one. A writer whose separator is a space leaves it empty
    // once the line is trimmed, which must not spoil the file.
    const QString decimal =
        file.ReadString(kSeparator, QStringLiteral("decimal"), QString(current.decimal));
    if (decimal.isEmpty()) return false;
    const QChar dec = decimal[0];

    if (withFileName) view.filename = file.ReadString(section, QStringLiteral("filename"), {});
    view.posx = ReadReal(file, section, QStringLiteral("posx"), 0, dec);
    view.posy = ReadReal(file, section, QStringLiteral("posy"), 0, dec);
    view.SetRot(ReadReal(file, section, QStringLiteral("rot"), 0, dec));
    view.autorot = file.ReadInteger(section, QStringLiteral("autorot"), 0);
    view.mirror = file.ReadInteger(section, QStringLiteral("mirror"), 0);
    // dz is checked whole by the reader, which refuses a factor out of range.
    view.dz = file.ReadFloat(section, QStringLiteral("dz"), 1, dec);
    view.scale = 1.0;
    view.mancropd = file.ReadBool(section, QStringLiteral("mancropd"), false);
    view.mancropl = ReadReal(file, section, QStringLiteral("mancropl"), 0, dec);
    view.mancropt = ReadReal(file, section, QStringLiteral("mancropt"), 0, dec);
    view.mancropw = ReadReal(file, section, QStringLiteral("mancropw"), 0, dec);
    view.mancroph = ReadReal(file, section, QStringLiteral("mancroph"), 0, dec);
    for (int i = 0; i < kPointCount; ++i) {
        view.pt[i].c = file.ReadString(section, PointKey(i, 'c'), {});
        view.pt[i].x = ReadReal(file, section, PointKey(i, 'x'), -1, dec);
        view.pt[i].y = ReadReal(file, section, PointKey(i, 'y'), -1, dec);
        view.pt[i].d = file.ReadBool(section, PointKey(i, 'd'), false);
    }
    return true;
}

bool ParamFileCanHoldNames(const tviewpair& pair) {
    for (const timg* v : {&pair.ImgLeft, &pair.ImgRight})
        for (const QChar c : v->filename)
            if (c == u'\n' || c == u'\r' || c.isNull()) return false;
    return true;
}

bool WriteParams(const tviewpair& pair, const QString& fileName, bool withDialog, tparamhost& host,
                 tsettings& settings, const tseparators& separators) {
    // A name that cannot be read back would make a file that opens nothing.
    if (!ParamFileCanHoldNames(pair)) {
        host.ShowMessage(QString::fromUtf8(ParamNameLineBreakText));
        return false;
    }
    QString name = fileName;
    if (withDialog && !host.AskSaveParamName(name)) return false;
    name = NativePath(name.trimmed());
    if (name.isEmpty() || QFileInfo(name).isDir()) return false;
    const QString folder = ParamFileFolder(name);
    if (!QFileInfo(folder).isDir()) {
        QDir().mkpath(folder);
        if (!QFileInfo(folder).isDir()) return false;
    }

    tbusy busy(host);
    tinifile file;
    file.WriteString(QStringLiteral("Orvanel-3D"), QStringLiteral("version"),
                     QStringLiteral("1.3"));
    file.WriteString(QStringLiteral("Orvanel-3D"), QStringLiteral("fichier"),
                     QStringLiteral("Parametres"));
    file.WriteInteger(QStringLiteral("Stereo"), QStringLiteral("type"), pair.StereoType);
    if (!WriteSection(pair.ImgLeft, file, kLeft, separators)) return false;
    if (!WriteSection(pair.ImgRight, file, kRight, separators)) return false;
    if (!file.SaveAs(name)) return false;
    PrmFileName = name;
    settings.OpenDirPrm = folder;
    return true;
}

tparamread ReadParams(tviewpair& pair, const QString& fileName, bool withImages, tparamhost& host,
                      tsettings& settings, const tseparators& current) {
    timg left = pair.ImgLeft; // the pictures are shared, not copied
    timg right = pair.ImgRight;
    int stereoType = pair.StereoType;
    bool sectionsRead = true;
    {
        tbusy busy(host);
        const QString name = NativePath(fileName);
        tinifile file;
        const tiniload load = file.Load(name);
        if (load != tiniload::Ok) {
            const char* text =
                load == tiniload::Missing ? ParamFileMissingText : ParamFileUnreadableText;
            QString message = QString::fromUtf8(text).arg(fileName);
            // The cause, where the text alone does not give it.
            if (load == tiniload::TooLarge)
                message += QStringLiteral("\n(fichier trop grand)");
            else if (load != tiniload::Missing)
                message += "\n(" + FileStateTextFr(file.FileState()) + ")";
            host.ShowMessage(message);
            return tparamread::Refused;
        }

        // Read into copies first, so that a refused file leaves the pair as
        // it was. "version" and "fichier" are not looked at: any INI file
        // is accepted.
        left.Reset();
        right.Reset();
        if (withImages)
            stereoType = file.ReadInteger(QStringLiteral("Stereo"), QStringLiteral("type"), 0);
        sectionsRead = ReadSection(left, file, kLeft, withImages, current);
        sectionsRead = ReadSection(right, file, kRight, withImages, current) && sectionsRead;

        for (const auto& [view, section] : {std::pair{&left, kLeft}, std::pair{&right, kRight}}) {
            if (view->dz >= kMinDz && view->dz <= kMaxDz) continue;
            host.ShowMessage(
                QString::fromUtf8(ParamBadDzText)
                    .arg(file.ReadString(section, QStringLiteral("dz"), {}), section, fileName));
            return tparamread::Refused;
        }
    }

    // Nothing of the previous alignment survives a read.
    CurPoint = 0;
    PointsLocked = false;
    settings.VisuCurrent = true;
    pair.ImgLeft.Reset();
    pair.ImgRight.Reset();
    host.ViewsReset();
    // The parameters travel; the pictures stay those of the views.
    left.bitmap = pair.ImgLeft.bitmap;
    right.bitmap = pair.ImgRight.bitmap;
    pair.ImgLeft = std::move(left);
    pair.ImgRight = std::move(right);

    if (withImages) {
        pair.StereoType = stereoType;
        settings.CropIndex = 0;
        settings.OpenDirL = FileFolder(pair.ImgLeft.filename);
        settings.OpenDirR = FileFolder(pair.ImgRight.filename);
    }

    RedirectView(pair.ImgLeft.filename, &tsettings::DirOpenImgL, true, host, settings);
    RedirectView(pair.ImgRight.filename, &tsettings::DirOpenImgR, false, host, settings);

    PrmFileName = fileName;
    settings.OpenDirPrm = ParamFileFolder(fileName);

    if (!sectionsRead) host.ShowMessage(QString::fromUtf8(ParamNoSeparatorText).arg(fileName));
    host.ReloadViews(pair.StereoType);
    return sectionsRead ? tparamread::Read : tparamread::Partial;
}
