// Caption text of the pair on screen.
#include "core/viewpair.h"

#include "core/paths.h"

const char* const NoPictureText = "Aucun Fichier Image Chargé";

QString PairCaption(const tviewpair& pair) {
    const QString kind = (pair.StereoType >= 0 && pair.StereoType < kStereoKindCount)
                             ? StereoKindNames[pair.StereoType]
                             : QString();
    return QStringLiteral("%1 - %2 : %3 - %4 - %5 - %6")
        .arg(QStringLiteral("Orvanel-3D"), QStringLiteral(ORVANEL_VERSION), kind,
             FileNamePart(pair.ImgLeft.filename), FileNamePart(pair.ImgRight.filename),
             pair.ImageInfo);
}
