// Picture file loading: the registered extensions, the choice of decoder by
// extension (our JPEG decoder, Qt's readers, then GraphicsMagick for the
// formats Qt does not read), conversion to the 32-bit view layout.
#include "input/pictureload.h"

#include "input/decodeahead.h"

#include "core/regularfile.h"

#include "core/jpegdefaults.h"
#include "core/viewpair.h"
#include "input/bmpinfo.h"
#include "input/jpegdecode.h"
#include "input/mpofile.h"
#include "input/picturelimits.h"
#include "input/userreport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <Magick++.h>

#include <mutex>

// No dot may appear in the descriptions: the extension test looks for
// ".EXT" anywhere in this text.
const char* const OpenPictureFilter =
    "Toutes les Images|*.bmp;*.dib;*.rle;*.ico;*.wmf;*.emf;*.jpg;*.jpeg;*.jpe;*.jfif;*.jps;"
    "*.gif;*.png;*.tif;*.tiff;*.fax;*.tga;*.win;*.vst;*.vda;*.icb;*.pcx;*.pcc;*.scr;*.psd;*.pdd;"
    "*.psp;*.sgi;*.rgb;*.rgba;*.bw;*.rla;*.rpf;*.ppm;*.pgm;*.pbm;*.cel;*.pic;*.pcd;*.cut;*.mpo"
    "|Bitmaps Windows (bmp, dib, rle)|*.bmp;*.dib;*.rle"
    "|Icônes (ico)|*.ico"
    "|Métafichiers (wmf, emf)|*.wmf;*.emf"
    "|JPEG (jpg, jpeg, jpe, jfif, jps)|*.jpg;*.jpeg;*.jpe;*.jfif;*.jps"
    "|GIF (gif)|*.gif"
    "|PNG (png)|*.png"
    "|TIFF (tif, tiff, fax)|*.tif;*.tiff;*.fax"
    "|Targa (tga, win, vst, vda, icb)|*.tga;*.win;*.vst;*.vda;*.icb"
    "|Paintbrush (pcx, pcc, scr)|*.pcx;*.pcc;*.scr"
    "|Photoshop (psd, pdd)|*.psd;*.pdd"
    "|Paintshop Pro (psp)|*.psp"
    "|SGI (sgi, rgb, rgba, bw)|*.sgi;*.rgb;*.rgba;*.bw"
    "|Alias Wavefront (rla, rpf)|*.rla;*.rpf"
    "|Portable Pixmap (ppm, pgm, pbm)|*.ppm;*.pgm;*.pbm"
    "|Autodesk (cel, pic)|*.cel;*.pic"
    "|Kodak Photo-CD (pcd)|*.pcd"
    "|Dr Halo (cut)|*.cut"
    "|MPO, appareils 3D (mpo)|*.mpo";

namespace {

// Our JPEG decoder; Qt's bitmap reader after our header checks; the
// libraries' readers named in the table.
// MPO: our JPEG decoder on one picture of the file.
enum class Decoder { Jpeg, Bmp, Library, Mpo };

struct tformat {
    const char* ext;
    Decoder decoder;
    const char* qt;     // Qt reader, or nullptr
    const char* magick; // GraphicsMagick coder tried when Qt has none or fails, or nullptr
};

// Decoders per registered extension. Formats that no library here reads keep
// both readers empty and end with a decoder error. PostScript is not among
// them: reading a picture never runs a program held in the file.
const tformat kFormats[] = {
    {"bmp", Decoder::Bmp, "bmp", nullptr},       {"dib", Decoder::Bmp, "bmp", nullptr},
    {"rle", Decoder::Bmp, "bmp", nullptr},       {"ico", Decoder::Library, "ico", "ICO"},
    {"wmf", Decoder::Library, nullptr, "WMF"},   {"emf", Decoder::Library, nullptr, nullptr},
    {"jpg", Decoder::Jpeg, nullptr, nullptr},    {"jpeg", Decoder::Jpeg, nullptr, nullptr},
    {"jpe", Decoder::Jpeg, nullptr, nullptr},    {"jfif", Decoder::Jpeg, nullptr, nullptr},
    {"jps", Decoder::Jpeg, nullptr, nullptr},    {"gif", Decoder::Library, "gif", "GIF"},
    {"png", Decoder::Library, "png", nullptr},   {"tif", Decoder::Library, "tiff", "TIFF"},
    {"tiff", Decoder::Library, "tiff", "TIFF"},  {"fax", Decoder::Library, "tiff", "FAX"},
    {"tga", Decoder::Library, "tga", "TGA"},     {"win", Decoder::Library, "tga", "TGA"},
    {"vst", Decoder::Library, "tga", "TGA"},     {"vda", Decoder::Library, "tga", "TGA"},
    {"icb", Decoder::Library, "tga", "TGA"},     {"pcx", Decoder::Library, nullptr, "PCX"},
    {"pcc", Decoder::Library, nullptr, "PCX"},   {"scr", Decoder::Library, nullptr, "PCX"},
    {"psd", Decoder::Library, nullptr, "PSD"},   {"pdd", Decoder::Library, nullptr, "PSD"},
    {"psp", Decoder::Library, nullptr, nullptr}, {"sgi", Decoder::Library, nullptr, "SGI"},
    {"rgb", Decoder::Library, nullptr, "SGI"},   {"rgba", Decoder::Library, nullptr, "SGI"},
    {"bw", Decoder::Library, nullptr, "SGI"},    {"rla", Decoder::Library, nullptr, "RLA"},
    {"rpf", Decoder::Library, nullptr, "RLA"},   {"ppm", Decoder::Library, "ppm", "PPM"},
    {"pgm", Decoder::Library, "pgm", "PGM"},     {"pbm", Decoder::Library, "pbm", "PBM"},
    {"cel", Decoder::Library, nullptr, nullptr}, {"pic", Decoder::Library, nullptr, nullptr},
    {"pcd", Decoder::Library, nullptr, "PCD"},   {"cut", Decoder::Library, nullptr, "CUT"},
    {"mpo", Decoder::Mpo, nullptr, nullptr},
};

const tformat* FindFormat(const QString& lowerExt) {
    for (const tformat& f : kFormats)
        if (lowerExt == QLatin1String(f.ext)) return &f;
    return nullptr;
}

} // namespace

void InitPictureDecoders() {
    static std::once_flag once;
    std::call_once(once, [] {
        // Qt refuses any single image above this many megabytes.
        QImageReader::setAllocationLimit(int((kMaxPicturePixels * 4) >> 20));
        // Without the library's signal handlers: stopping the program (Ctrl+C,
        // SIGTERM) is the program's business and stays quiet.
        MagickLib::ExceptionInfo error;
        MagickLib::GetExceptionInfo(&error);
        MagickLib::InitializeMagickEx(nullptr, MAGICK_OPT_NO_SIGNAL_HANDER, &error);
        MagickLib::DestroyExceptionInfo(&error);
        Magick::InitializeMagick(nullptr);
        MagickLib::SetMagickResourceLimit(MagickLib::PixelsResource, kMaxPicturePixels);
    });
}

namespace {

// Composites a picture with transparency over black, as drawing it onto a
// fresh black bitmap would, and leaves every pixel opaque.
QImage ToViewPicture(const QImage& src) {
    if (src.format() == QImage::Format_RGB32) {
        QImage same = src;
        same.reinterpretAsFormat(QImage::Format_ARGB32);
        return same;
    }
    if (!src.hasAlphaChannel()) return src.convertToFormat(QImage::Format_ARGB32);
    // Premultiplied colour is the colour over black.
    QImage out = src.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (out.isNull()) return out;
    out.reinterpretAsFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* row = reinterpret_cast<quint32*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) row[x] |= 0xFF000000u;
    }
    return out;
}

// Bits per pixel of a picture as Qt's reader delivers it.
int QtBits(const QImage& image) {
    switch (image.format()) {
    case QImage::Format_RGB32:
    case QImage::Format_RGB888:
    case QImage::Format_BGR888:
        return 24;
    default:
        return image.depth();
    }
}

LoadStatus ReadWithQt(const QString& fileName, const char* format, QImage& image, int& bits,
                      QString& error) {
    QImageReader reader(fileName, format);
    reader.setAutoDetectImageFormat(false);
    reader.setAutoTransform(false);
    const QSize size = reader.size();
    if (size.isValid() && !PictureSizeAllowed(size.width(), size.height())) {
        error = QStringLiteral("Image trop grande : %1 x %2 pixels")
                    .arg(size.width())
                    .arg(size.height());
        return LoadStatus::DecoderError;
    }
    QImage read;
    if (!reader.read(&read) || read.isNull()) {
        error = reader.errorString();
        return LoadStatus::DecoderError;
    }
    bits = QtBits(read);
    image = ToViewPicture(read);
    if (image.isNull()) {
        error = QStringLiteral("Mémoire insuffisante");
        return LoadStatus::DecoderError;
    }
    return LoadStatus::Loaded;
}

bool MagickCanRead(const char* coder) {
    try {
        return Magick::CoderInfo(coder).isReadable();
    } catch (const std::exception&) {
        return false;
    }
}

LoadStatus ReadWithMagick(const QString& fileName, const char* coder, QImage& image, int& bits,
                          QString& error) {
    if (!MagickCanRead(coder)) {
        error = QStringLiteral("Aucun décodeur disponible pour le format %1").arg(coder);
        return LoadStatus::DecoderError;
    }
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return LoadStatus::DecoderError;
    }
    // The whole file goes to the decoder in memory: no picture the program
    // accepts needs more than its raw pixels plus headers.
    if (file.size() > kMaxPicturePixels * 4 + (std::int64_t(1) << 20)) {
        error = QStringLiteral("Fichier trop grand");
        return LoadStatus::DecoderError;
    }
    const QByteArray bytes = file.readAll();
    try {
        // The coder is named, never guessed from the content: a file only
        // reaches the decoder of its extension.
        Magick::Blob blob(bytes.constData(), std::size_t(bytes.size()));
        Magick::Image picture;
        picture.magick(coder);
        try {
            picture.read(blob);
        } catch (const Magick::Warning&) {
            // A warning still leaves a picture.
        }
        const std::int64_t w = picture.columns(), h = picture.rows();
        if (w == 0 || h == 0) {
            error = QStringLiteral("Image vide");
            return LoadStatus::DecoderError;
        }
        if (!PictureSizeAllowed(w, h)) {
            error = QStringLiteral("Image trop grande : %1 x %2 pixels").arg(w).arg(h);
            return LoadStatus::DecoderError;
        }
        QImage out(int(w), int(h), QImage::Format_ARGB32);
        if (out.isNull()) {
            error = QStringLiteral("Mémoire insuffisante");
            return LoadStatus::DecoderError;
        }
        const bool matte = picture.matte();
        // ARGB32 rows are packed (four bytes a pixel), so one dispatch fills them all.
        picture.write(0, 0, unsigned(w), unsigned(h), "BGRA", Magick::CharPixel, out.bits());
        if (matte) {
            out = ToViewPicture(out);
        } else {
            // Without a matte channel the alpha bytes carry nothing: make them opaque.
            for (int y = 0; y < out.height(); ++y) {
                auto* row = reinterpret_cast<quint32*>(out.scanLine(y));
                for (int x = 0; x < out.width(); ++x) row[x] |= 0xFF000000u;
            }
        }
        bits = int(picture.depth()) * (matte ? 4 : 3);
        image = std::move(out);
        return LoadStatus::Loaded;
    } catch (const std::exception& e) {
        error = QString::fromLocal8Bit(e.what());
        return LoadStatus::DecoderError;
    }
}

} // namespace

const QStringList& RegisteredPictureExtensions() {
    static const QStringList list = [] {
        QStringList l;
        for (const tformat& f : kFormats) l << QLatin1String(f.ext);
        return l;
    }();
    return list;
}

QString FormatImageInfo(int width, int height, int bits) {
    return QString::asprintf(" %5.4d * %5.4d - %2.2d Bits", width, height, bits);
}

LoadStatus DecodePictureFile(const QString& fileName, QImage& image, int& bits, QString& error,
                             tuserreport* report, int picture) {
    InitPictureDecoders();
    const QFileInfo info(fileName);
    // Checked without blocking: a FIFO or a device is refused, never opened.
    const tfilestate state = ProbeRegularFile(fileName);
    if (state == tfilestate::Missing) return LoadStatus::Missing;
    if (state != tfilestate::Regular) {
        error =
            QStringLiteral("Ce n'est pas un fichier ordinaire (%1)").arg(FileStateTextFr(state));
        return LoadStatus::DecoderError;
    }
    if (info.size() == 0) {
        error = QStringLiteral("Fichier vide");
        return LoadStatus::DecoderError;
    }
    const QString ext = info.suffix().toLower();
    const tformat* format = FindFormat(ext);
    if (format == nullptr) {
        error = QStringLiteral("Extension de fichier image inconnue (.%1)").arg(ext);
        return LoadStatus::DecoderError;
    }

    // A picture decoded ahead is the file's first picture: never an MPO's view.
    if (format->decoder != Decoder::Mpo) {
        LoadStatus ahead;
        if (TakeDecodedAhead(fileName, image, bits, error, ahead)) return ahead;
    }

    if (format->decoder == Decoder::Mpo) {
        tjpegpicture decoded;
        if (!DecodeMpoPicture(fileName, picture, JpegDefaults, decoded, error))
            return LoadStatus::DecoderError;
        image = std::move(decoded.image);
        bits = decoded.bits;
        return LoadStatus::Loaded;
    }

    if (format->decoder == Decoder::Jpeg) {
        tjpegpicture picture;
        tuserreport& passes = report ? *report : UserReport();
        const tjpegpasscallback onPass = [&passes](const QImage& pass) {
            passes.PicturePass(pass);
        };
        if (!DecodeJpegFile(fileName, JpegDefaults, picture, error,
                            JpegDefaults.progressiveDisplay ? onPass : tjpegpasscallback()))
            return LoadStatus::DecoderError;
        image = std::move(picture.image);
        bits = picture.bits;
        return LoadStatus::Loaded;
    }

    int headerBits = 0;
    if (format->decoder == Decoder::Bmp) {
        QFile file(fileName);
        if (!file.open(QIODevice::ReadOnly)) {
            error = file.errorString();
            return LoadStatus::DecoderError;
        }
        tbmpinfo bmp;
        if (!ReadBmpInfo(file.read(256), file.size(), bmp, error)) return LoadStatus::DecoderError;
        headerBits = bmp.bits;
    }

    LoadStatus status = LoadStatus::DecoderError;
    if (format->qt != nullptr) status = ReadWithQt(fileName, format->qt, image, bits, error);
    if (status != LoadStatus::Loaded && format->magick != nullptr) {
        QString magickError;
        status = ReadWithMagick(fileName, format->magick, image, bits, magickError);
        // Qt's message speaks of the file when Qt was the decoder of choice.
        if (format->qt == nullptr || error.isEmpty()) error = magickError;
    }
    if (status != LoadStatus::Loaded) {
        if (format->qt == nullptr && format->magick == nullptr)
            error = QStringLiteral("Aucun décodeur disponible pour le format .%1").arg(ext);
        return LoadStatus::DecoderError;
    }
    if (headerBits != 0) bits = headerBits;
    return LoadStatus::Loaded;
}

bool LoadPictureFile(QImage& Bitmap, const QString& FileName, QString& Info, tloadresult* result,
                     tuserreport* report, int picture) {
    tuserreport& user = report ? *report : UserReport();
    tloadresult local;
    tloadresult& r = result ? *result : local;
    r = tloadresult();

    const QFileInfo info(FileName);
    if (!info.exists()) {
        r.status = LoadStatus::Missing;
        return false;
    }
    // The test the open dialog's own filter makes: ".EXT" anywhere in it.
    const QString ext = info.suffix().isEmpty() ? QString() : "." + info.suffix().toUpper();
    if (ext.isEmpty() || !QString::fromUtf8(OpenPictureFilter).toUpper().contains(ext)) {
        r.status = LoadStatus::UnknownType;
        r.message = QStringLiteral("Type de Fichier Image Inconnu : %1").arg(ext);
        user.ShowMessage(r.message);
        return false;
    }

    QImage decoded;
    int bits = 0;
    QString error;
    LoadStatus status;
    {
        tbusyguard busy(user);
        status = DecodePictureFile(FileName, decoded, bits, error, &user, picture);
    }
    if (status == LoadStatus::Missing) {
        r.status = status;
        return false;
    }
    if (status != LoadStatus::Loaded) {
        r.status = LoadStatus::DecoderError;
        r.message = QDir::toNativeSeparators(FileName) + "\n" + error;
        user.ShowMessage(r.message);
        return false;
    }
    if (decoded.isNull() || decoded.width() == 0 || decoded.height() == 0) {
        Info = QString::fromUtf8(NoPictureText);
        r.status = LoadStatus::Empty;
        return false;
    }
    Info = FormatImageInfo(decoded.width(), decoded.height(), bits);
    r.status = LoadStatus::Loaded;
    r.bits = bits;
    Bitmap = std::move(decoded);
    return true;
}
