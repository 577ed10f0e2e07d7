// The JPEG options window's preview: the source part and its compressed copy.
#include "output/jpegpreview.h"

#include "core/privatetemp.h"
#include "core/qimageview.h"
#include "core/timg.h"
#include "engine/transform.h"
#include "input/pictureload.h"
#include "output/imagewrite.h"

#include <QFile>

#include <algorithm>

const char* const JpegPreviewFileName = "tmp.jpg";

namespace {

// Removes the compressed copy whichever way the preview ends.
struct tremoveonexit {
    QString path;
    ~tremoveonexit() {
        if (!path.isEmpty()) QFile::remove(path);
    }
};

} // namespace

bool ComposeJpegPreview(const timg& view, int width, int height, int scrollX, int scrollY,
                        const tjpegoptions& options, QImage& source, QImage& result) {
    const tremoveonexit tmp{PrivateTempPath(QString::fromLatin1(JpegPreviewFileName))};
    if (!tmp.path.isEmpty()) QFile::remove(tmp.path); // a leftover of an earlier run
    source = QImage(std::max(width, 1), std::max(height, 1), QImage::Format_ARGB32);
    source.fill(0xFF000000u);
    if (!view.bitmap.isNull()) {
        QImage keep = view.bitmap;
        if (!IsEngineFormat(keep.format()) || keep.depth() != 32)
            keep = keep.convertToFormat(QImage::Format_ARGB32);
        const ImageView src = ReadView(keep);
        BmpTransformSmooth(src, WritableView(source), {0, 0, src.width - 1, src.height - 1},
                           {0, 0, source.width() - 1, source.height() - 1}, view.CentreX(),
                           view.CentreY(), -scrollX, -scrollY, 0, 0, view.rot, 1, 0, 0xFFFFFF,
                           0xFFFFFF);
    }
    if (tmp.path.isEmpty() || !WriteJpegFile(ReadView(source), tmp.path, options)) return false;
    QImage back;
    int bits = 0;
    QString error;
    if (DecodePictureFile(tmp.path, back, bits, error) != LoadStatus::Loaded) return false;
    result = back;
    return true;
}
