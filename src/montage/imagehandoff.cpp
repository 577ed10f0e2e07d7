// The hand-off to the external image-processing program.
#include "montage/imagehandoff.h"

#include <QDir>
#include <QFileInfo>

const char* const ImageProgramName = "tralfe.exe";

namespace {

QString withDelimiter(const QString& folder) {
    if (folder.isEmpty() || folder.endsWith(QLatin1Char('/')) || folder.endsWith(QLatin1Char('\\')))
        return folder;
    return folder + QLatin1Char('/');
}

} // namespace

thandoffpaths HandOffPaths(const QString& programFolder, const QString& settingsFolder) {
    thandoffpaths p;
    const QString own = withDelimiter(programFolder);
    const QString temp = withDelimiter(settingsFolder);
    p.exe = own + QString::fromLatin1(ImageProgramName);
    p.left = temp + QStringLiteral("tmpL.bmp");
    p.right = temp + QStringLiteral("tmpR.bmp");
    // Three separate arguments rather than one line split at spaces, so a
    // folder with a space in its name reaches the program whole.
    p.arguments = {p.left, p.right, own + QStringLiteral("standard.flt")};
    return p;
}

thandoffresult RunImageHandOff(const timagehandoff& h) {
    if (h.writeParams) h.writeParams();
    const thandoffpaths p = HandOffPaths(h.programFolder, h.settingsFolder);
    if (!QFileInfo(p.exe).isFile()) {
        if (h.warn)
            h.warn(QStringLiteral("Programme de traitement d'image introuvable\n%1").arg(p.exe));
        return thandoffresult::Missing;
    }
    // Starting the program on stale or missing bitmaps would show it some
    // other pair: without fresh bitmaps it does not start.
    const bool written = h.writeViews && h.writeViews(p.left, p.right);
    const bool started = written && h.launch && h.launch(p.exe, p.arguments, h.settingsFolder);
    if (!started) {
        if (h.warn)
            h.warn(QStringLiteral("Programme de traitement d'image injouable\n%1").arg(p.exe));
        return thandoffresult::NotStarted;
    }
    return thandoffresult::Launched;
}
