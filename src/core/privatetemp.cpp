// The private temporary folder, made once and removed at exit.
#include "core/privatetemp.h"

#include <QTemporaryDir>

QString PrivateTempPath(const QString& name) {
    // A function-local static: destroyed, and so removed, at exit.
    static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/orvanel-XXXXXX"));
    return dir.isValid() ? dir.filePath(name) : QString();
}
