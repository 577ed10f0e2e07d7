// The fuzz targets over the readers: bytes in, any result, never a crash, a
// hang or an allocation past the picture budget.
#include "targets.h"

#include "core/inifile.h"
#include "core/paramfile.h"
#include "core/settings.h"
#include "core/viewpair.h"
#include "input/composite.h"
#include "input/jpegdecode.h"
#include "input/mpofile.h"
#include "input/pictureload.h"
#include "lng/lngfile.h"
#include "output/renderlist.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <cstdlib>
#include <vector>

namespace {

// One private folder for the files the readers want by name.
const QTemporaryDir& Scratch() {
    static QTemporaryDir dir;
    return dir;
}

QString WriteScratch(const QString& name, const std::uint8_t* data, std::size_t size) {
    const QString path = Scratch().filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
    f.write(reinterpret_cast<const char*>(data), qint64(size));
    return path;
}

class tquietparams : public tparamhost {
public:
    bool AskSaveParamName(QString&) override { return false; }
    QString AskOpenParamName(const QString&, const QString&) override { return {}; }
    void AskRedirectFolders(const QString&, const QString&) override {}
    void ReloadViews(int) override {}
    void ShowMessage(const QString&) override {}
};

} // namespace

int FuzzJpeg(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    tjpegoptions options;
    options.scale = data[0] & 3;
    options.smoothing = data[0] & 4;
    options.performance = (data[0] >> 3) & 1;
    options.pixelFormat = (data[0] >> 4) & 1;
    options.progressiveDisplay = data[0] & 32;
    tjpegpicture picture;
    QString error;
    DecodeJpeg(data + 1, size - 1, options, picture, error,
               options.progressiveDisplay ? tjpegpasscallback([](const QImage&) {})
                                          : tjpegpasscallback());
    return 0;
}

int FuzzPicture(const std::uint8_t* data, std::size_t size) {
    // A length byte, then the extension, then the file.
    if (size < 1 || data[0] > 8 || size < 1u + data[0]) return 0;
    const std::size_t n = data[0];
    QString extension = QString::fromLatin1(reinterpret_cast<const char*>(data + 1), qsizetype(n));
    for (QChar& c : extension)
        if (!c.isLetterOrNumber()) c = u'x';
    const QString path = WriteScratch("fuzz." + extension, data + 1 + n, size - 1 - n);
    QImage image;
    int bits = 0;
    QString error;
    DecodePictureFile(path, image, bits, error);
    QFile::remove(path);
    return 0;
}

int FuzzParams(const std::uint8_t* data, std::size_t size) {
    const QString path = WriteScratch("fuzz.prm", data, size);
    tviewpair pair;
    tsettings settings;
    tquietparams host;
    const bool withImages = size > 0 && (data[0] & 1);
    ReadParams(pair, path, withImages, host, settings);
    return 0;
}

int FuzzLng(const std::uint8_t* data, std::size_t size) {
    tinifile ini;
    ini.LoadFromBytes(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    tlngstrings strings;
    ReadLngStrings(ini, strings);
    tlngwindow w;
    w.name = QStringLiteral("FormSave");
    const std::pair<tlngkind, const char*> controls[] = {{tlngkind::Combo, "ComboBox1"},
                                                         {tlngkind::Tabs, "PageControl1"},
                                                         {tlngkind::Button, "Button1"}};
    for (const auto& [kind, name] : controls) {
        tlngcontrol c;
        c.kind = kind;
        c.name = QString::fromLatin1(name);
        c.items = QStringList{QStringLiteral("a"), QStringLiteral("b")};
        c.itemIndex = 1;
        w.controls.push_back(c);
    }
    ReadLngWindow(ini, w);
    for (const tlngcontrol& c : w.controls) {
        if (c.items.size() > LngMaxItems) std::abort();
        if (c.kind == tlngkind::Combo && (c.itemIndex < -1 || c.itemIndex >= c.items.size()))
            std::abort();
    }
    // Written again, the window reads back the same texts.
    tinifile out;
    WriteLngWindow(out, w);
    tlngwindow again = w;
    ReadLngWindow(out, again);
    for (size_t i = 0; i < w.controls.size(); ++i)
        if (again.controls[i].items != w.controls[i].items) std::abort();
    return 0;
}

int FuzzIni(const std::uint8_t* data, std::size_t size) {
    tinifile ini;
    ini.LoadFromBytes(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    for (const QString& section : ini.Sections())
        for (const QString& key : ini.Keys(section)) {
            ini.ReadFloat(section, key, 0, u',');
            ini.ReadInteger(section, key, 0);
        }
    // What is written reads back to the same text.
    const QByteArray text = ini.ToText();
    tinifile again;
    again.LoadFromBytes(text);
    if (again.ToText() != text) std::abort();
    return 0;
}

int FuzzComposite(const std::uint8_t* data, std::size_t size) {
    if (size < 4) return 0;
    const int w = 1 + data[0] % 96;
    const int h = 1 + data[1] % 64;
    const int kind = 2 + data[2] % 5; // crossed, parallel, anaglyph, over-under, double
    const int separation = int(std::int8_t(data[3])) * 2;
    QImage picture(w, h, QImage::Format_ARGB32);
    std::size_t at = 4;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x, at += 3)
            picture.setPixel(
                x, y, at + 2 < size ? qRgb(data[at], data[at + 1], data[at + 2]) : qRgb(0, 0, 0));
    const int band = AutoSeparation(picture, kind);
    if (band < 0) std::abort();
    const tcompositegeometry g = CompositeGeometry(kind, w, h, separation);
    const QRect whole(0, 0, w, h);
    if (!whole.contains(g.left) || !whole.contains(g.right)) std::abort();
    QImage left, right;
    CutComposite(picture, kind, band, left, right);
    CutComposite(picture, kind, separation, left, right);
    return 0;
}

int FuzzRenderList(const std::uint8_t* data, std::size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const trenderlist list = ParseRenderList(text, QStringLiteral("/lists"));
    // Every line is an entry, a bad line or skipped, once, in the file's order.
    const qsizetype lines = text.count(QLatin1Char('\n')) + 1;
    if (qsizetype(list.entries.size()) + list.badLines.size() > lines) std::abort();
    int previous = 0;
    for (const trenderentry& e : list.entries) {
        if (e.line <= previous || e.line > lines || e.first.isEmpty()) std::abort();
        if (!QDir::isAbsolutePath(e.first)) std::abort();
        if ((e.kind == trenderentry::tkind::Pair) == e.second.isEmpty()) std::abort();
        previous = e.line;
    }
    return 0;
}

int FuzzMpo(const std::uint8_t* data, std::size_t size) {
    // The index reader and the scan, then the two views decoded.
    std::vector<tmpopicture> pictures;
    FindMpoPictures(data, size, pictures, 2);
    if (pictures.size() > 2) std::abort();
    for (const tmpopicture& p : pictures) {
        if (p.size == 0 || p.offset >= size || size - p.offset < p.size) std::abort();
        if (data[p.offset] != 0xFF || data[p.offset + 1] != 0xD8) std::abort();
        tjpegpicture picture;
        QString error;
        DecodeJpeg(data + p.offset, p.size, tjpegoptions(), picture, error);
    }
    // Many pictures asked for: still bounded by the data.
    FindMpoPictures(data, size, pictures, 1000);
    for (const tmpopicture& p : pictures)
        if (p.offset >= size || size - p.offset < p.size) std::abort();
    return 0;
}

const tfuzztarget FuzzTargets[8] = {
    {"jpeg", FuzzJpeg},
    {"picture", FuzzPicture},
    {"params", FuzzParams},
    {"ini", FuzzIni},
    {"composite", FuzzComposite},
    {"renderlist", FuzzRenderList},
    {"mpo", FuzzMpo},
    {"lng", FuzzLng},
};
