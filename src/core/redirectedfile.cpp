// The redirection lookup of image files by file name.
#include "core/redirectedfile.h"

#include "core/paths.h"

#include <QFileInfo>

QString NameInFolder(const QString& name, const QString& folder) {
    return WithTrailingDelimiter(folder) + FileNamePart(name);
}

bool RedirectedExists(QString& name, const QString& folder, bool redirect) {
    if (redirect && !folder.trimmed().isEmpty()) name = NameInFolder(name, folder.trimmed());
    return !name.isEmpty() && QFileInfo(name).isFile();
}
