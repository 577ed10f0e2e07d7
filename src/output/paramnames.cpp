// The parameter file's default name from the save fields, and the commands
// that use it.
#include "output/paramnames.h"

#include "core/settings.h"
#include "output/naming.h"

QString DefaultParamName(tnamingfields& fields, const tsettings& settings,
                         tfolderquestions& questions) {
    QString path;
    if (!ParamFilePath(fields, settings.AskBeforeCreateDir, questions, path) ||
        path.trimmed().isEmpty())
        path = QStringLiteral("current.prm");
    PrmFileName = path;
    return path;
}

bool SaveParams(const tviewpair& pair, tnamingfields& fields, tparamhost& host, tsettings& settings,
                tfolderquestions& questions) {
    return WriteParams(pair, DefaultParamName(fields, settings, questions), true, host, settings);
}

tparamread OpenParamsDialog(tviewpair& pair, bool withImages, tnamingfields& fields,
                            tparamhost& host, tsettings& settings, tfolderquestions& questions) {
    const QString proposed = DefaultParamName(fields, settings, questions);
    const QString chosen = host.AskOpenParamName(settings.OpenDirPrm, proposed);
    if (chosen.isEmpty()) return tparamread::Refused;
    settings.OpenDirPrm = ParamFileFolder(chosen);
    return ReadParams(pair, chosen, withImages, host, settings);
}
