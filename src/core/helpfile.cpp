// Help page lookup beside the program and its two warnings.
#include "core/helpfile.h"

#include "core/paths.h"

#include <QFileInfo>

const char* const HelpMainPage = "aide\\orvanel.html";
const char* const HelpThreePoints = "aide\\3points.html";
const char* const HelpQuestions = "aide\\faq.html";

QString LocalizedHelpName(const QString& programFolder, const QString& name,
                          const QString& language) {
    if (language.isEmpty() || language == QLatin1String("fr")) return name;
    QString local = name;
    local.replace(u'/', u'\\');
    const int cut = local.lastIndexOf(u'\\');
    local.insert(cut + 1, language + u'\\');
    const QFileInfo info(NativePath(WithTrailingDelimiter(programFolder) + local));
    return info.isFile() ? local : name;
}

thelpresult OpenHelpFile(const QString& programFolder, const QString& name, const thelpopener& open,
                         const thelpwarning& warn) {
    const QString path = NativePath(WithTrailingDelimiter(programFolder) + name);
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile()) {
        warn(QStringLiteral("Fichier d'aide introuvable\n%1").arg(path));
        return thelpresult::Missing;
    }
    if (!open(path)) {
        warn(QStringLiteral("Fichier d'aide invisible\n%1").arg(path));
        return thelpresult::NotOpened;
    }
    return thelpresult::Opened;
}
