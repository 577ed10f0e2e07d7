// Output names and folders: the naming rules, the folder resolution and
// creation, the name list and the free-space status.
#include "output/naming.h"

#include "core/paths.h"
#include "core/settings.h"
#include "input/mpofile.h"
#include "input/pictureload.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>

#include <algorithm>
#include <iterator>
#include <vector>

const std::array<int, 8> NameListOrder = {KindLeft,      KindRight,    KindCrossed, KindParallel,
                                          KindOverUnder, KindAnaglyph, KindDouble,  KindParams};
const std::array<int, 8> FolderCheckOrder = {KindParams,   KindLeft,      KindRight,    KindCrossed,
                                             KindParallel, KindOverUnder, KindAnaglyph, KindDouble};

const char* const CreateFolderCaption = "Création de Dossier";
const char* const CreateFolderPrompt = "Nouveau Dossier:";
const char* const FolderExistsText = "Le Dossier existe déjà";
const char* const CannotCreateFolderText = "Impossible de créer le Dossier: '%s'";
const char* const AskCreateDirText = "Voulez-vous créer un nouveau répertoire?";
const char* const MissingDirMark = " !!Directory doesn't exist!!";
const char* const NewDirectoryText = "New Directory";
const char* const NoDiskInfoText = "Can't Get Disk Info";

namespace {

// Junk that users and old settings files leave around folder texts: the
// lead set at the start, the tail set (which adds the delimiters) at the end
// and at the start of a relative folder.
bool IsJunkLead(QChar c) {
    return c == u' ' || c == u'*' || c == u'.' || c == u'?';
}
bool IsJunkTail(QChar c) {
    return IsJunkLead(c) || c == u'\\' || c == u'/';
}
bool IsDelimiter(QChar c) {
    return c == u'\\' || c == u'/';
}

template <typename Pred> QString StripLeading(const QString& s, Pred junk) {
    qsizetype i = 0;
    while (i < s.size() && junk(s[i])) ++i;
    return s.mid(i);
}

template <typename Pred> QString StripTrailing(const QString& s, Pred junk) {
    qsizetype n = s.size();
    while (n > 0 && junk(s[n - 1])) --n;
    return s.left(n);
}

bool OnlyDelimiters(const QString& s) {
    return !s.isEmpty() && std::all_of(s.begin(), s.end(), IsDelimiter);
}

// Folder names compare as the file system does.
#ifdef Q_OS_WIN
constexpr Qt::CaseSensitivity PathCase = Qt::CaseInsensitive;
#else
constexpr Qt::CaseSensitivity PathCase = Qt::CaseSensitive;
#endif

bool DirExists(const QString& folder) {
    return !folder.isEmpty() && QFileInfo(folder).isDir();
}

QString FormatS(const char* text, const QString& arg) {
    return QString::fromUtf8(text).replace(QStringLiteral("%s"), arg);
}

QString FileStem(const QString& file) {
    const QString name = FileNamePart(file);
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot >= 0 ? name.left(dot) : name;
}

QString WithoutPictureExtension(const QString& name) {
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot < 0 || !RegisteredPictureExtensions().contains(name.mid(dot + 1), Qt::CaseInsensitive))
        return name;
    return name.left(dot);
}

QString CurrentFolder() {
    return QDir::toNativeSeparators(QDir::currentPath());
}

QString Separator() {
    return QString(QDir::separator());
}

} // namespace

QString OtherFormatExtension(const QString& text) {
    const QString t = text.trimmed().toLower();
    if (t == QLatin1String(".png") || t == QLatin1String("png")) return QStringLiteral(".png");
    if (t == QLatin1String(".tif") || t == QLatin1String(".tiff") || t == QLatin1String("tif") ||
        t == QLatin1String("tiff"))
        return QStringLiteral(".tif");
    return QString();
}

bool KindHasOutputFields(int kind) {
    return (kind >= KindCrossed && kind <= KindRight) || kind == KindParams ||
           IsExtraOutputKind(kind);
}

QString DefaultBaseName(const QString& leftFile, const QString& rightFile) {
    const QString left = FileStem(leftFile);
    // Both views of a camera's MPO come from the one file: its name alone.
    if (leftFile == rightFile && IsMpoFileName(leftFile)) return left;
    const QString right = FileStem(rightFile);
    if (right.trimmed().isEmpty()) return left;
    return left + u'_' + right.right(2);
}

QString BuildFileName(const QString& suffix, const QString& extension, int kind,
                      tnamingfields& fields) {
    QString sfx = suffix;
    if (sfx.isEmpty() && KindHasOutputFields(kind)) sfx = fields.Suffix[kind].trimmed();

    QString base = fields.Rename ? fields.FileName.trimmed()
                                 : DefaultBaseName(fields.LeftFile, fields.RightFile);
    if (base.trimmed().isEmpty()) base = QStringLiteral("3d");
    fields.FileName = base;
    // The default base has already lost its picture's extension; a typed one
    // loses a picture extension ("vacances.jpg"). Every other dot is part of
    // the name ("2023.05.01_L_R").
    if (fields.Rename) base = WithoutPictureExtension(base);

    QString ext;
    if (kind == KindParams) {
        ext = QStringLiteral(".prm");
    } else if (kind == KindMpo) {
        // The pair file has one format of its own.
        ext = QStringLiteral(".mpo");
    } else {
        const QString other = OtherFormatExtension(fields.Format);
        ext = extension.trimmed().toLower();
        if (ext.isEmpty()) ext = other;
        if (ext.isEmpty()) ext = fields.Jpeg ? QStringLiteral(".jpg") : QStringLiteral(".bmp");
        if (ext != QLatin1String(".bmp") && ext != QLatin1String(".jpg") &&
            (other.isEmpty() || ext != other))
            ext = QStringLiteral(".bmp");
    }

    // A name never carries a folder: a delimiter typed into the base name or
    // a suffix would otherwise write the file somewhere else.
    QString name = base + sfx + ext;
    name.replace(u'\\', u'_').replace(u'/', u'_');
    return name;
}

QString ResolveFolder(const QString& base, const QString& folder, const QString& leftImage) {
    const QString text = folder.trimmed();
    const bool relative = text.startsWith(u'.');
    QString f = relative ? StripLeading(text, IsJunkTail) : StripLeading(text, IsJunkLead);
    f = StripTrailing(f, IsJunkTail);

    QString result;
    if (relative) {
        QString b = base;
        const QString stripped = StripLeading(b, IsJunkLead);
        // A base that is all junk (".") stands for the folder of the left
        // image, where the outputs land by default.
        if (!b.isEmpty() && stripped.isEmpty())
            b = FileFolder(leftImage);
        else
            b = stripped;
        const bool root = OnlyDelimiters(b);
        b = StripTrailing(b, IsJunkTail);
        if (root)
            result = Separator() + f; // the root folder itself
        else
            result = (b.isEmpty() ? CurrentFolder() : b) + Separator() + f;
    } else if (f.isEmpty() && OnlyDelimiters(text)) {
        result = Separator();
    } else {
        result = f;
    }

    if (result.isEmpty()) result = base;
    if (result.endsWith(u':')) result += u'\\';
    return NativePath(result);
}

QString KindFolder(int kind, const tnamingfields& fields) {
    if (!KindHasOutputFields(kind)) return QString();
    return ResolveFolder(fields.RepBase.trimmed(), fields.Folder[kind], fields.LeftFile);
}

bool CreateWholePath(const QString& folder) {
    if (folder.isEmpty()) return false;
    QDir().mkpath(folder);
    return DirExists(folder);
}

bool EnsureFolder(const QString& base, QString& folder, bool create, bool silent,
                  const QString& leftImage, tfolderquestions& questions) {
    QString resolved = ResolveFolder(base, folder, leftImage);
    bool ok = DirExists(resolved);
    if (!ok) {
        if (create)
            ok = silent ? CreateWholePath(resolved) : AskCreateFolder(resolved, questions);
        else if (silent && !resolved.isEmpty())
            ok = CreateWholePath(resolved);
    }
    folder = resolved;
    return ok;
}

bool AskCreateFolder(QString& folder, tfolderquestions& questions) {
    if (DirExists(folder)) return true;
    QString answer = folder;
    if (!questions.EditNewFolder(answer)) return false;
    answer = answer.trimmed();
    if (answer.isEmpty()) return false;
    answer = NativePath(answer);
    folder = answer;
    if (DirExists(answer)) {
        questions.ShowError(QString::fromUtf8(FolderExistsText));
        return true;
    }
    if (!CreateWholePath(answer)) {
        questions.ShowError(FormatS(CannotCreateFolderText, answer));
        return false;
    }
    return true;
}

bool CheckOutputFolders(const tnamingfields& fields, tfolderquestions& questions) {
    bool ask = true;
    std::vector<int> order(FolderCheckOrder.begin(), FolderCheckOrder.end());
    order.insert(order.end(), std::begin(kExtraOutputKinds), std::end(kExtraOutputKinds));
    for (const int kind : order) {
        if (!fields.Ticked[kind]) continue;
        const QString folder = ResolveFolder(fields.RepBase, fields.Folder[kind], fields.LeftFile);
        // Nothing to create for an empty folder; the save pass reports it.
        if (folder.isEmpty() || DirExists(folder)) continue;
        const tcreateanswer answer =
            ask ? questions.AskCreateDirectory(folder) : tcreateanswer::Yes;
        switch (answer) {
        case tcreateanswer::YesToAll:
            ask = false;
            [[fallthrough]];
        case tcreateanswer::Yes:
            // Told here rather than only as a failed output later, so the
            // user knows which folder is the trouble.
            if (!CreateWholePath(folder))
                questions.ShowError(FormatS(CannotCreateFolderText, folder));
            break;
        case tcreateanswer::Abort:
            return false;
        case tcreateanswer::No:
        case tcreateanswer::Cancel:
            break;
        }
    }
    return true;
}

bool ParamFilePath(tnamingfields& fields, bool askBeforeCreateDir, tfolderquestions& questions,
                   QString& path) {
    const QString name = BuildFileName(fields.Suffix[KindParams], QString(), KindParams, fields);
    const bool exists =
        DirExists(ResolveFolder(fields.RepBase, fields.Folder[KindParams], fields.LeftFile));
    QString folder = fields.Folder[KindParams];
    if (!EnsureFolder(fields.RepBase, folder, !exists, !askBeforeCreateDir, fields.LeftFile,
                      questions))
        return false;
    QDir::setCurrent(folder);
    path = WithTrailingDelimiter(folder) + name;
    if (path.trimmed().isEmpty()) path = QStringLiteral("current.prm");
    return true;
}

void RememberSaveDir(const QString& folder, int kind, tsettings& settings) {
    switch (kind) {
    case KindCrossed:
        settings.SaveDirSX = folder;
        break;
    case KindParallel:
        settings.SaveDirSP = folder;
        break;
    case KindAnaglyph:
        settings.SaveDirAna = folder;
        break;
    case KindOverUnder:
        settings.SaveDirSV = folder;
        break;
    case KindDouble:
        settings.SaveDirBi = folder;
        break;
    case KindLeft:
        settings.SaveDirL = folder;
        break;
    case KindRight:
        settings.SaveDirR = folder;
        break;
    case KindParams:
        settings.SaveDirPrm = folder;
        break;
    default:
        settings.SaveDirImg = folder;
        break;
    }
}

QString tsettings::*KindSuffixSetting(int kind) {
    switch (kind) {
    case KindCrossed:
        return &tsettings::SuffixSX;
    case KindParallel:
        return &tsettings::SuffixSP;
    case KindAnaglyph:
        return &tsettings::SuffixAna;
    case KindOverUnder:
        return &tsettings::SuffixSV;
    case KindDouble:
        return &tsettings::SuffixBi;
    case KindLeft:
        return &tsettings::SuffixL;
    case KindRight:
        return &tsettings::SuffixR;
    case KindParams:
        return &tsettings::SuffixPrm;
    case KindMpo:
        return &tsettings::SuffixMPO;
    case KindHsbs:
        return &tsettings::SuffixHSBS;
    case KindHou:
        return &tsettings::SuffixHOU;
    default:
        return nullptr;
    }
}

bool tsettings::*KindTickSetting(int kind) {
    switch (kind) {
    case KindCrossed:
        return &tsettings::SaveSX;
    case KindParallel:
        return &tsettings::SaveSP;
    case KindAnaglyph:
        return &tsettings::SaveAna;
    case KindOverUnder:
        return &tsettings::SaveSV;
    case KindDouble:
        return &tsettings::SaveBi;
    case KindLeft:
        return &tsettings::SaveL;
    case KindRight:
        return &tsettings::SaveR;
    case KindParams:
        return &tsettings::SavePrm;
    case KindMpo:
        return &tsettings::SaveMPO;
    case KindHsbs:
        return &tsettings::SaveHSBS;
    case KindHou:
        return &tsettings::SaveHOU;
    default:
        return nullptr;
    }
}

tnamingfields NamingFieldsFromSettings(const tsettings& settings, const tviewpair& pair) {
    tnamingfields f;
    // As the save dialog shows its current values: the forced base folder, or
    // the left picture's own folder, or the current directory.
    if (settings.ForceRepBase)
        f.RepBase = settings.DirBase;
    else if (!pair.ImgLeft.filename.isEmpty())
        f.RepBase = FileFolder(pair.ImgLeft.filename);
    else
        f.RepBase = QDir::currentPath();
    f.Rename = settings.ForceFileName;
    f.FileName = settings.DirFileName;
    f.Jpeg = settings.SaveJpeg;
    f.LeftFile = pair.ImgLeft.filename;
    f.RightFile = pair.ImgRight.filename;
    for (int kind = 0; kind < kOutputKindCount; ++kind) {
        if (!KindHasOutputFields(kind)) continue;
        f.Folder[kind] = settings.*KindFolderSetting(kind);
        f.Suffix[kind] = settings.*KindSuffixSetting(kind);
        f.Ticked[kind] = settings.*KindTickSetting(kind);
    }
    return f;
}

QString tsettings::*KindFolderSetting(int kind) {
    switch (kind) {
    case KindCrossed:
        return &tsettings::DirSX;
    case KindParallel:
        return &tsettings::DirSP;
    case KindAnaglyph:
        return &tsettings::DirAna;
    case KindOverUnder:
        return &tsettings::DirSV;
    case KindDouble:
        return &tsettings::DirBi;
    case KindLeft:
        return &tsettings::DirL;
    case KindRight:
        return &tsettings::DirR;
    case KindParams:
        return &tsettings::DirPrm;
    case KindMpo:
        return &tsettings::DirMPO;
    case KindHsbs:
        return &tsettings::DirHSBS;
    case KindHou:
        return &tsettings::DirHOU;
    default:
        return nullptr;
    }
}

QStringList OutputNameList(tnamingfields& fields) {
    QStringList lines;
    // The added kinds come after the parameter file, the last of the list.
    std::vector<int> order(NameListOrder.begin(), NameListOrder.end());
    order.insert(order.end(), std::begin(kExtraOutputKinds), std::end(kExtraOutputKinds));
    for (const int kind : order) {
        if (!fields.Ticked[kind]) continue;
        const QString ext = kind == KindParams ? QStringLiteral(".prm") : QString();
        const QString name = BuildFileName(fields.Suffix[kind], ext, kind, fields);
        const QString folder = ResolveFolder(fields.RepBase, fields.Folder[kind], fields.LeftFile);
        lines << (folder.isEmpty() ? name : WithTrailingDelimiter(folder) + name);
        if (!DirExists(folder)) lines << QString::fromUtf8(MissingDirMark);
    }
    return lines;
}

void DefaultFileNameField(tnamingfields& fields) {
    fields.FileName = DefaultBaseName(fields.LeftFile, fields.RightFile);
    if (fields.FileName.trimmed().isEmpty()) fields.FileName = QStringLiteral("3d");
    fields.Rename = false;
}

void MakeFoldersRelative(tnamingfields& fields) {
    for (const int kind : NameListOrder)
        fields.Folder[kind] = MakeRelativeFolder(fields.Folder[kind], fields.RepBase);
    for (const int kind : kExtraOutputKinds)
        fields.Folder[kind] = MakeRelativeFolder(fields.Folder[kind], fields.RepBase);
}

QString NormalizeFolder(const QString& text) {
    const QString f = StripLeading(StripTrailing(text, IsJunkTail), IsJunkLead);
    return NativePath(f) + Separator();
}

QString MakeRelativeFolder(const QString& folder, const QString& base) {
    const QString b = NormalizeFolder(base);
    QString f = folder;
    while (!f.isEmpty() && f.front() <= u' ') f.remove(0, 1);
    while (!f.isEmpty() && f.back() <= u' ') f.chop(1);
    if (f.isEmpty()) f = b;
    if (f.size() >= 2 && f[0] == u'.' && IsDelimiter(f[1])) return f;
    f = NormalizeFolder(f);
    if (!f.startsWith(b, PathCase)) return f;
    QString rest = NormalizeFolder(f.mid(b.size()));
    while (!rest.isEmpty() && IsDelimiter(rest.front())) rest.remove(0, 1);
    return u'.' + Separator() + rest;
}

QString DriveOf(const QString& path) {
    if (path.size() >= 2 && path[1] == u':' && path[0].isLetter()) return path.left(2);
    // The mount point of the nearest folder that exists.
    QFileInfo info(path.isEmpty() ? QDir::currentPath() : NativePath(path));
    QString at = info.absoluteFilePath();
    while (!at.isEmpty() && !QFileInfo::exists(at)) {
        const QString up = QFileInfo(at).absolutePath();
        if (up == at) break;
        at = up;
    }
    const QStorageInfo storage(at);
    return storage.isValid() ? QDir::toNativeSeparators(storage.rootPath()) : QString();
}

QString FormatDiskSpace(const QString& drive, qint64 totalBytes, qint64 availableBytes) {
    const qint64 totalMo = totalBytes / 1024 / 1024;
    const qint64 freeMo = availableBytes / 1024 / 1024;
    const qint64 pct = totalMo == 0 ? 0 : freeMo * 100 / totalMo;
    return QStringLiteral("%1 - Espace: %2 Mo / Libre: %3 Mo  soit %4 %")
        .arg(drive, QString::number(totalMo), QString::number(freeMo), QString::number(pct));
}

QString DiskSpaceText(const QString& folder) {
    const QString path = folder.isEmpty() ? CurrentFolder() : NativePath(folder);
    if (!DirExists(path)) return QString::fromUtf8(NewDirectoryText);
    const QStorageInfo storage(path);
    if (!storage.isValid() || !storage.isReady() || storage.bytesTotal() < 0 ||
        storage.bytesAvailable() < 0)
        return QString::fromUtf8(NoDiskInfoText);
    return FormatDiskSpace(DriveOf(path), storage.bytesTotal(), storage.bytesAvailable());
}

qint64 FileSizeBytes(const QString& path) {
    if (!QFileInfo(path).isFile()) return 0;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return 0;
    return file.size();
}
