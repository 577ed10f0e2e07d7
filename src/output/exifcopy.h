// The camera's EXIF carried over to the outputs: read from the left source
// picture (the first picture of an MPO) and written into JPEG bytes with
// exiv2, the orientation set to 1, the pixel size set to the output's and
// the thumbnail removed.
#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

// The EXIF of one source picture, read once for every output of a pass.
class texifsource {
public:
    texifsource();
    ~texifsource();
    texifsource(const texifsource&) = delete;
    texifsource& operator=(const texifsource&) = delete;

    // Reads the EXIF of `file`; false when it has none or cannot be read
    // (the outputs then carry none).
    bool Read(const QString& file);
    bool Empty() const;

    // Puts the EXIF into the JPEG bytes for a picture of width x height;
    // false, leaving the bytes as they were, when there is none or exiv2
    // refuses (the reason in `error` when given).
    bool AddTo(QByteArray& jpeg, int width, int height, QString* error = nullptr) const;

private:
    struct tdata;
    std::unique_ptr<tdata> data_;
};

// What the tests and the outputs' readers look at: the tags of a JPEG's
// EXIF by their exiv2 key ("Exif.Image.Orientation"), empty when absent.
QString ExifTagText(const QByteArray& jpeg, const char* key);
// The JPEG holds an EXIF thumbnail.
bool ExifHasThumbnail(const QByteArray& jpeg);
