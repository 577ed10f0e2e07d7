// Reading any registered picture file into a 32-bit view picture (B, G, R, A),
// with the one-line description the display window shows in its caption.
#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

// The open-picture dialog's filter, in the pipe form ("text|*.a;*.b|..."):
// every registered extension appears in it.
extern const char* const OpenPictureFilter;

// The registered extensions, lower case without the dot.
const QStringList& RegisteredPictureExtensions();

// Format(" %5.4d * %5.4d - %2.2d Bits", [width, height, bits]).
QString FormatImageInfo(int width, int height, int bits);

enum class LoadStatus {
    Loaded,
    Missing,      // no such file: no message
    UnknownType,  // extension not in the filter: "Type de Fichier Image Inconnu : %s"
    DecoderError, // the decoder refused the file: its message, naming the file
    Empty,        // the picture has no pixel: no message
};

struct tloadresult {
    LoadStatus status = LoadStatus::Missing;
    int bits = 0;    // bits per pixel as the description shows them
    QString message; // what the user was told, empty when nothing
};

class tuserreport;

// Reads FileName into Bitmap (32-bit ARGB, alpha 255) and sets Info, the
// picture description (`ImageInfo` of the pair on screen). Messages, the
// hour-glass shown while decoding and progressive passes go to `report`
// (UserReport() when null). On any failure Bitmap is left as it was; Info
// changes only for a loaded or empty picture. `picture` chooses the picture
// of a file that holds several (an MPO: 0 the left view, 1 the right view);
// other files have one and ignore it.
bool LoadPictureFile(QImage& Bitmap, const QString& FileName, QString& Info,
                     tloadresult* result = nullptr, tuserreport* report = nullptr, int picture = 0);

// Sets up the decoders once (GraphicsMagick, the size limits of Qt's
// readers). Loading calls it; code that uses GraphicsMagick on its own
// calls it first.
void InitPictureDecoders();

// The decoding step alone, without messages or description: used by the loader
// and by tests. Fills `image` (32-bit) and `bits`, or returns the decoder's
// message in `error`.
LoadStatus DecodePictureFile(const QString& fileName, QImage& image, int& bits, QString& error,
                             tuserreport* report = nullptr, int picture = 0);
