// JPEG and MPO outputs with EXIF: encoded in memory, the EXIF put in by
// exiv2, the pictures joined, and the bytes written in one go.
#include "output/camerawrite.h"

#include "core/atomicfile.h"
#include "output/exifcopy.h"
#include "output/imagewrite.h"
#include "output/jpegbands.h"
#include "output/mpowrite.h"

#include <QFileInfo>

#include <cerrno>

namespace {

bool WritePieces(const std::vector<tjpegpiece>& pieces, const QString& path, QString* error,
                 bool replace) {
    tatomicfile file(path, replace);
    if (!file.Open()) {
        if (error) *error = file.ErrorString();
        return false;
    }
    if (!WriteJpegPieces(file.Device(), pieces)) {
        if (error) *error = ErrnoText(errno);
        return false;
    }
    if (!file.Commit()) {
        if (error) *error = file.ErrorString();
        return false;
    }
    return true;
}

bool WriteBytes(const QByteArray& bytes, const QString& path, QString* error, bool replace) {
    return WritePieces({{bytes.constData(), bytes.size()}}, path, error, replace);
}

// One JPEG with the EXIF when there is one; a refused EXIF leaves the
// picture without it rather than failing the output.
bool EncodeWithExif(const ImageView& bitmap, const tjpegoptions& options, const texifsource* exif,
                    QByteArray& out, QString* error) {
    if (!EncodeJpeg(bitmap, options, out, error)) return false;
    if (exif != nullptr && !exif->Empty()) exif->AddTo(out, bitmap.width, bitmap.height);
    return true;
}

} // namespace

bool IsMpoPath(const QString& path) {
    return QFileInfo(path).suffix().toUpper() == QLatin1String("MPO");
}

bool WritePictureOutput(const ImageView& bitmap, const QString& path, const tjpegoptions& options,
                        const texifsource* exif, QString* error, bool replace) {
    if (!IsJpegPath(path) || exif == nullptr || exif->Empty())
        return WriteOutputFile(bitmap, path, options, error, replace);
    QByteArray bytes;
    return EncodeWithExif(bitmap, options, exif, bytes, error) &&
           WriteBytes(bytes, path, error, replace);
}

bool WriteCompressedPicture(std::vector<QByteArray> bands, int width, int height,
                            const QString& path, const texifsource* exif, QString* error,
                            bool replace) {
    std::vector<tjpegpiece> pieces;
    if (!JpegBandPieces(bands, height, pieces)) {
        if (error) *error = QStringLiteral("bands not joined");
        return false;
    }
    // The EXIF goes into the headers alone: exiv2 rewrites the segments up to
    // the start of scan and copies what follows as it is, so the headers with
    // an end marker in place of the data come back as the whole file's would.
    QByteArray head;
    const int data = JpegScanDataStart(bands[0]);
    if (exif != nullptr && !exif->Empty() && data > 0) {
        head = bands[0].left(data);
        head.append(char(0xFF)).append(char(0xD9));
        if (exif->AddTo(head, width, height) && head.endsWith("\xFF\xD9")) {
            pieces[0] = {head.constData(), head.size() - 2};
            pieces.insert(pieces.begin() + 1,
                          tjpegpiece{bands[0].constData() + data, bands[0].size() - 2 - data});
        }
    }
    return WritePieces(pieces, path, error, replace);
}

bool EncodeMpo(const ImageView& left, const ImageView& right, const tjpegoptions& options,
               const texifsource* exif, QByteArray& out, QString* error) {
    QByteArray l, r;
    return EncodeWithExif(left, options, exif, l, error) &&
           EncodeWithExif(right, options, exif, r, error) && AssembleMpo(l, r, out, error);
}

bool WriteMpoFile(const ImageView& left, const ImageView& right, const QString& path,
                  const tjpegoptions& options, const texifsource* exif, QString* error,
                  bool replace) {
    QByteArray bytes;
    return EncodeMpo(left, right, options, exif, bytes, error) &&
           WriteBytes(bytes, path, error, replace);
}
