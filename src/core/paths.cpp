// Path helpers accepting both folder delimiters.
#include "core/paths.h"

#include <QDir>

namespace {

bool IsDelimiter(QChar c) {
    return c == u'\\' || c == u'/';
}

qsizetype LastDelimiter(const QString& path) {
    for (qsizetype i = path.size() - 1; i >= 0; --i)
        if (IsDelimiter(path[i])) return i;
    return -1;
}

} // namespace

QString NativePath(const QString& path) {
    QString p = path;
    p.replace(u'\\', u'/');
    return QDir::toNativeSeparators(p);
}

QString FileFolder(const QString& path) {
    const qsizetype at = LastDelimiter(path);
    if (at < 0) return QString();
    if (at == 0) return NativePath(path.left(1));
    return NativePath(path.left(at));
}

QString FileNamePart(const QString& path) {
    return path.mid(LastDelimiter(path) + 1);
}

QString WithTrailingDelimiter(const QString& path) {
    if (path.isEmpty()) return path;
    QString p = NativePath(path);
    while (p.size() > 1 && IsDelimiter(p.back()) && IsDelimiter(p[p.size() - 2])) p.chop(1);
    if (!IsDelimiter(p.back())) p += QDir::separator();
    return p;
}
