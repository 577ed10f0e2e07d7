// The pair on screen: the two view records, the stereo kind of what was
// opened and the picture description shown in the caption. The display
// window owns one; loading, alignment, output and the command line work on it
// without a window.
#pragma once

#include "core/stereokinds.h"
#include "core/timg.h"

#include <QString>

class tviewpair {
public:
    timg ImgLeft;
    timg ImgRight;
    int StereoType = KindNone;
    QString ImageInfo;
};

// "Aucun Fichier Image Chargé": the description of an empty picture.
extern const char* const NoPictureText;

// The display window's caption for the pair:
// "Orvanel-3D - 1.3 : <kind name> - <left file> - <right file> - <ImageInfo>",
// file names without their folder.
QString PairCaption(const tviewpair& pair);
