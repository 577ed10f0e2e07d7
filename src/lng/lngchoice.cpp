// The language chooser's OK and Cancel.
#include "lng/lngchoice.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

bool copyOver(const QString& from, const QString& to) {
    QDir().mkpath(QFileInfo(to).absolutePath());
    const QString temp = to + QStringLiteral(".new");
    QFile::remove(temp);
    if (!QFile::copy(from, temp)) return false;
    // The copy of a shipped file keeps its read-only mark: current.lng must
    // stay writable for the next choice.
    QFile::setPermissions(temp, QFile::permissions(temp) | QFileDevice::WriteOwner);
    QFile::remove(to);
    if (QFile::rename(temp, to)) return true;
    QFile::remove(temp);
    return false;
}

void ensureCurrent(const QString& current, const tlngactions& actions) {
    if (!QFileInfo(current).isFile() && actions.save) actions.save(current);
}

} // namespace

QString ChooseLanguageOk(const tlngfolders& folders, const QString& selection,
                         const QString& selectedName, const tlngactions& actions) {
    const QString current = CurrentLngPath(folders);
    const QString chosen = LngFilePath(folders, selection);
    QString name = selectedName;
    if (QFileInfo(chosen) != QFileInfo(current) && QFileInfo(chosen).isFile()) {
        if (copyOver(chosen, current)) name = QFileInfo(chosen).fileName();
    } else if (QFileInfo(chosen) == QFileInfo(current)) {
        name = QFileInfo(current).fileName();
    }
    ensureCurrent(current, actions);
    if (actions.apply) actions.apply(current);
    return name;
}

QString ChooseLanguageCancel(const tlngfolders& folders, const tlngactions& actions) {
    const QString current = CurrentLngPath(folders);
    ensureCurrent(current, actions);
    if (actions.apply) actions.apply(current);
    return QFileInfo(current).fileName();
}
