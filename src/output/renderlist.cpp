// The list file of `orvanel-cli render --list`: lines into entries.
#include "output/renderlist.h"

#include "core/regularfile.h"
#include "input/headlesspair.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

QString trenderentry::Name() const {
    return QFileInfo(first).fileName();
}

namespace {

QString FromFolder(const QString& folder, const QString& path) {
    return QDir::cleanPath(QDir(folder).absoluteFilePath(path));
}

bool IsParamFileName(const QString& path) {
    return path.endsWith(QLatin1String(".prm"), Qt::CaseInsensitive);
}

// The entry of one line that is neither blank nor a comment; false with the
// cause in `error`.
bool ParseLine(const QString& line, const QString& folder, trenderentry& entry, QString& error) {
    const QStringList fields = line.split(QLatin1Char('\t'));
    if (fields.size() > 2) {
        error = QStringLiteral("%1 fields separated by tabs; at most 2").arg(fields.size());
        return false;
    }
    for (const QString& f : fields) {
        if (f.trimmed().isEmpty()) {
            error = QStringLiteral("an empty field");
            return false;
        }
    }
    if (fields.size() == 1) {
        if (!IsParamFileName(line.trimmed())) {
            error = QStringLiteral("'%1' is not a .prm file; a pair needs LEFT<TAB>RIGHT, a "
                                   "composite KIND<TAB>FILE")
                        .arg(line.trimmed());
            return false;
        }
        entry.kind = trenderentry::tkind::Params;
        entry.first = FromFolder(folder, line.trimmed());
        return true;
    }
    const int kind = CompositeKindOfText(fields[0]);
    if (kind >= 0) {
        entry.kind = trenderentry::tkind::Composite;
        entry.compositeKind = kind;
        entry.first = FromFolder(folder, fields[1]);
        return true;
    }
    entry.kind = trenderentry::tkind::Pair;
    entry.first = FromFolder(folder, fields[0]);
    entry.second = FromFolder(folder, fields[1]);
    return true;
}

} // namespace

trenderlist ParseRenderList(const QString& text, const QString& folder) {
    trenderlist list;
    // A byte-order mark an editor put first is no part of the first path.
    const QStringList lines =
        (text.startsWith(QChar(0xFEFF)) ? text.mid(1) : text).split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        QString line = lines[i];
        // Lists written on Windows end their lines with CR LF.
        if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('#'))) continue;
        trenderentry entry;
        entry.line = i + 1;
        QString error;
        if (line.contains(QChar(0)))
            list.badLines << QStringLiteral("line %1: a NUL character").arg(i + 1);
        else if (ParseLine(line, folder, entry, error))
            list.entries.push_back(entry);
        else
            list.badLines << QStringLiteral("line %1: %2").arg(i + 1).arg(error);
    }
    return list;
}

bool ReadRenderList(const QString& path, trenderlist& list, QString& error) {
    QFile file;
    const tfilestate state = OpenRegularFile(path, file);
    if (state != tfilestate::Regular) {
        error = QStringLiteral("list file '%1': %2").arg(path, FileStateText(state));
        return false;
    }
    if (file.size() > kMaxRenderListBytes) {
        error = QStringLiteral("list file '%1': larger than %2 MiB")
                    .arg(path)
                    .arg(kMaxRenderListBytes >> 20);
        return false;
    }
    // Read one byte past the limit: a file that grows meanwhile is still refused.
    const QByteArray bytes = file.read(kMaxRenderListBytes + 1);
    if (bytes.size() > kMaxRenderListBytes) {
        error = QStringLiteral("list file '%1': larger than %2 MiB")
                    .arg(path)
                    .arg(kMaxRenderListBytes >> 20);
        return false;
    }
    list = ParseRenderList(QString::fromUtf8(bytes), QFileInfo(path).absolutePath());
    return true;
}
