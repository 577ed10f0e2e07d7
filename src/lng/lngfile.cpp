// Language files: folders, names, the free strings, reading and writing.
#include "lng/lngfile.h"

#include "core/freetexts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <algorithm>

tlngstrings LngStrings;

namespace {

const QString kExt = QStringLiteral(".lng");

struct tstringkey {
    const char* section;
    const char* key;
    QString tlngstrings::*value;
};

const tstringkey kStringKeys[] = {
    {"Strings", "lngemptyimgname", &tlngstrings::emptyimgname},
    {"Strings", "lngClipBoardImgName", &tlngstrings::ClipBoardImgName},
    {"Messages", "lngquit", &tlngstrings::quit},
    {"Lng", "lngListFilter", &tlngstrings::ListFilter},
    {"Lng", "lngFilter", &tlngstrings::Filter},
    {"Lng", "lngSaveLng", &tlngstrings::SaveLng},
    {"Lng", "lngOpenLng", &tlngstrings::OpenLng},
    {"Lng", "lngEdit", &tlngstrings::Edit},
    {"Lng", "lngSaveEdit", &tlngstrings::SaveEdit},
};

QString inFolder(const QString& folder, const QString& file) {
    return QDir(folder).filePath(file);
}

} // namespace

QString UserLngFolder() {
    QString data = qEnvironmentVariable("XDG_DATA_HOME");
    if (data.isEmpty() || QDir::isRelativePath(data)) {
        const QString home = qEnvironmentVariable("HOME");
        if (home.isEmpty()) return QString();
        data = home + QStringLiteral("/.local/share");
    }
    return QDir::cleanPath(data + QStringLiteral("/kvtq/lng"));
}

tlngfolders DefaultLngFolders() {
    tlngfolders f;
    if (QCoreApplication::instance())
        f.program = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("lng"));
    f.user = UserLngFolder();
    return f;
}

QString CurrentLngPath(const tlngfolders& folders) {
    return inFolder(folders.user, QStringLiteral("current") + kExt);
}

QString NewLngPath(const tlngfolders& folders) {
    return inFolder(folders.user, QStringLiteral("new") + kExt);
}

QString LngFilePath(const tlngfolders& folders, const QString& name) {
    // Names from old settings files may carry either delimiter.
    QString file = name;
    file.replace(u'\\', u'/');
    file = file.mid(file.lastIndexOf(u'/') + 1);
    if (file.isEmpty()) return CurrentLngPath(folders);
    const int dot = file.lastIndexOf(u'.');
    if (dot > 0) file.truncate(dot);
    file += kExt;
    const QString user = inFolder(folders.user, file);
    if (QFileInfo(user).isFile()) return user;
    const QString program = inFolder(folders.program, file);
    if (!folders.program.isEmpty() && QFileInfo(program).isFile()) return program;
    return user;
}

QStringList ListLanguageFiles(const tlngfolders& folders) {
    QStringList names;
    for (const QString& folder : {folders.program, folders.user}) {
        if (folder.isEmpty()) continue;
        const QDir dir(folder);
        const auto files = dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::System);
        for (const QFileInfo& f : files)
            if (f.fileName().endsWith(kExt, Qt::CaseInsensitive)) names << f.fileName();
    }
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    auto same = [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseInsensitive) == 0;
    };
    names.erase(std::unique(names.begin(), names.end(), same), names.end());
    return names;
}

void WriteLngStrings(tinifile& ini, const tlngstrings& strings) {
    for (const tstringkey& k : kStringKeys)
        ini.WriteString(QLatin1String(k.section), QLatin1String(k.key), strings.*(k.value));
    for (const QString& key : FreeTextKeys())
        ini.WriteString(QStringLiteral("Texts"), key, FreeText(key.toLatin1().constData()));
}

void ReadLngStrings(const tinifile& ini, tlngstrings& strings) {
    for (const tstringkey& k : kStringKeys) {
        const QString v = ini.ReadString(QLatin1String(k.section), QLatin1String(k.key), QString());
        if (!v.isEmpty()) strings.*(k.value) = v;
    }
    for (const QString& key : FreeTextKeys())
        SetFreeText(key, ini.ReadString(QStringLiteral("Texts"), key, QString()));
    const QString lang =
        ini.ReadString(QStringLiteral("File"), QStringLiteral("Language"), QString());
    if (!lang.trimmed().isEmpty()) strings.Language = lang.trimmed().toLower();
}

bool ReadLanguageFile(const QString& path, tinifile& ini, QString* message) {
    auto fail = [&](const QString& cause) {
        ini.Clear();
        if (message)
            *message = QStringLiteral("Fichier langue non appliqué : %1\n%2").arg(path, cause);
        return false;
    };
    switch (ini.Load(path)) {
    case tiniload::Missing:
        return fail(QStringLiteral("le fichier n'existe pas."));
    case tiniload::NotRegular:
        return fail(QStringLiteral("ce n'est pas un fichier ordinaire."));
    case tiniload::Unreadable:
        return fail(QStringLiteral("le fichier ne peut pas être lu."));
    case tiniload::TooLarge:
        return fail(QStringLiteral("le fichier est trop grand pour un fichier langue."));
    case tiniload::Ok:
        break;
    }
    const QStringList sections = ini.Sections();
    const bool named = std::any_of(sections.begin(), sections.end(),
                                   [](const QString& s) { return !s.trimmed().isEmpty(); });
    if (!named) return fail(QStringLiteral("aucune section [ ] : ce n'est pas un fichier langue."));
    if (message) message->clear();
    return true;
}

bool WriteLanguageFile(const QString& path, const tlngstrings& strings,
                       const std::vector<tlngwindow>& windows, QString* message) {
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder)) {
        if (message) *message = QStringLiteral("Impossible de créer le dossier %1").arg(folder);
        return false;
    }
    tinifile ini;
    ini.SetFileName(path);
    ini.WriteString(QStringLiteral("File"), QStringLiteral("Name"), path);
    ini.WriteString(QStringLiteral("File"), QStringLiteral("Language"), strings.Language);
    WriteLngStrings(ini, strings);
    for (const tlngwindow& w : windows) WriteLngWindow(ini, w);
    if (!ini.Save()) {
        if (message)
            *message = QStringLiteral("Impossible d'écrire le fichier langue %1").arg(path);
        return false;
    }
    if (message) message->clear();
    return true;
}
