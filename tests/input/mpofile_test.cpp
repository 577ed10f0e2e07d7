// MPO files: the index in either byte order, the fallback scan, hostile
// indexes (past the end, too many pictures), one-picture and cut files, and
// the camera files when the machine has them.
#include "input/mpofile.h"
#include "input/pictureload.h"

#include "inputfixtures.h"

#include <QtEndian>

namespace {

// A small JPEG of one flat colour.
QByteArray FlatJpeg(const QTemporaryDir& dir, QRgb colour, int w = 16, int h = 8) {
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(colour);
    const QString path = dir.filePath("flat.jpg");
    EXPECT_TRUE(EncodeJpeg(img, path));
    return ReadBytes(path);
}

struct thandmpo {
    bool little = true;
    qint64 bump = 0;      // added to the second entry's offset
    quint32 declared = 0; // NumberOfImages, 0 = the real count
    bool withIndex = true;
};

void Put(QByteArray& b, quint32 v, int bytes, bool little) {
    for (int i = 0; i < bytes; ++i) {
        const int shift = little ? 8 * i : 8 * (bytes - 1 - i);
        b.append(char((v >> shift) & 0xFF));
    }
}

// An MPO built here, independently of the program's writer: the index in
// the first picture's APP2 right after SOI, pictures one after the other.
QByteArray HandMpo(const QList<QByteArray>& pictures, const thandmpo& o = {}) {
    if (!o.withIndex) {
        QByteArray all;
        for (const QByteArray& p : pictures) all += p;
        return all;
    }
    const bool le = o.little;
    const int n = int(pictures.size());
    const quint32 entriesAt = 8 + 2 + 3 * 12 + 4;
    QByteArray tiff = le ? QByteArray("II*\0", 4) : QByteArray("MM\0*", 4);
    Put(tiff, 8, 4, le);
    Put(tiff, 3, 2, le);
    Put(tiff, 0xB000, 2, le), Put(tiff, 7, 2, le), Put(tiff, 4, 4, le), tiff.append("0100", 4);
    Put(tiff, 0xB001, 2, le), Put(tiff, 4, 2, le), Put(tiff, 1, 4, le);
    Put(tiff, o.declared ? o.declared : quint32(n), 4, le);
    Put(tiff, 0xB002, 2, le), Put(tiff, 7, 2, le), Put(tiff, quint32(16 * n), 4, le);
    Put(tiff, entriesAt, 4, le);
    Put(tiff, 0, 4, le);
    const int entries = int(tiff.size());
    tiff.append(QByteArray(16 * n, '\0'));
    QByteArray app2("\xFF\xE2", 2);
    Put(app2, quint32(2 + 4 + tiff.size()), 2, false);
    app2.append("MPF\0", 4);
    const int endianAt = 2 + int(app2.size());
    app2 += tiff;
    QByteArray file = pictures[0].left(2) + app2 + pictures[0].mid(2);
    QList<qint64> starts{0};
    for (int i = 1; i < n; ++i) {
        starts << file.size();
        file += pictures[i];
    }
    for (int i = 0; i < n; ++i) {
        const qint64 size = i == 0 ? pictures[0].size() + app2.size() : pictures[i].size();
        const qint64 offset = i == 0 ? 0 : starts[i] - endianAt + (i == 1 ? o.bump : 0);
        QByteArray e;
        Put(e, i == 0 ? 0x20020002u : 0x20002u, 4, le);
        Put(e, quint32(size), 4, le);
        Put(e, quint32(offset), 4, le);
        Put(e, 0, 4, le);
        file.replace(endianAt + entries + 16 * i, 16, e);
    }
    return file;
}

const std::uint8_t* Bytes(const QByteArray& b) {
    return reinterpret_cast<const std::uint8_t*>(b.constData());
}

class MpoFile : public ::testing::Test {
protected:
    QTemporaryDir dir;
    treportscope scope;
    QByteArray red, blue;
    void SetUp() override {
        red = FlatJpeg(dir, qRgb(220, 20, 20));
        blue = FlatJpeg(dir, qRgb(20, 20, 220), 24, 8);
    }
    QString Save(const QString& name, const QByteArray& bytes) {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(WriteBytes(path, bytes));
        return path;
    }
};

TEST_F(MpoFile, JpegStreamEndIsTheByteAfterTheEndMarker) {
    EXPECT_EQ(JpegStreamEnd(Bytes(red), std::size_t(red.size()), 0), std::size_t(red.size()));
    const QByteArray two = red + blue;
    EXPECT_EQ(JpegStreamEnd(Bytes(two), std::size_t(two.size()), std::size_t(red.size())),
              std::size_t(two.size()));
    // Cut inside the scan data: no end.
    EXPECT_EQ(JpegStreamEnd(Bytes(red), std::size_t(red.size() - 5), 0), 0u);
}

struct tindexcase {
    const char* name;
    thandmpo hand;
    tmpoindex expected;
};

class MpoIndexCases : public MpoFile, public ::testing::WithParamInterface<tindexcase> {};

TEST_P(MpoIndexCases, FindsBothPicturesWhereTheyAre) {
    const tindexcase& c = GetParam();
    const QByteArray file = HandMpo({red, blue}, c.hand);
    std::vector<tmpopicture> p;
    EXPECT_EQ(FindMpoPictures(Bytes(file), std::size_t(file.size()), p), c.expected);
    ASSERT_EQ(p.size(), 2u);
    EXPECT_EQ(p[0].offset, 0u);
    EXPECT_EQ(p[1].offset, std::size_t(file.size() - blue.size()));
    EXPECT_EQ(p[1].size, std::size_t(blue.size()));
    EXPECT_EQ(file.mid(qsizetype(p[1].offset), qsizetype(p[1].size)), blue);
}

INSTANTIATE_TEST_SUITE_P(
    Indexes, MpoIndexCases,
    ::testing::Values(tindexcase{"LittleEndian", {true}, tmpoindex::Index},
                      tindexcase{"BigEndian", {false}, tmpoindex::Index},
                      tindexcase{"PastTheEnd", {true, 1 << 20}, tmpoindex::Scan},
                      tindexcase{"OffsetInsideFirst", {false, -40}, tmpoindex::Scan},
                      tindexcase{"CountBeyondSegment", {true, 0, 60000}, tmpoindex::Scan},
                      tindexcase{"NoIndex", {true, 0, 0, false}, tmpoindex::Scan}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MpoFile, FiveHundredPicturesGiveTheFirstTwoAndStayInsideTheData) {
    QList<QByteArray> many;
    for (int i = 0; i < 500; ++i) many << (i % 2 ? blue : red);
    const QByteArray file = HandMpo(many);
    std::vector<tmpopicture> p;
    EXPECT_EQ(FindMpoPictures(Bytes(file), std::size_t(file.size()), p), tmpoindex::Index);
    ASSERT_EQ(p.size(), 2u);
    EXPECT_EQ(file.mid(qsizetype(p[1].offset), qsizetype(p[1].size)), blue);
    EXPECT_EQ(FindMpoPictures(Bytes(file), std::size_t(file.size()), p, 1000), tmpoindex::Index);
    EXPECT_EQ(p.size(), 500u);
    for (const tmpopicture& q : p) EXPECT_LE(q.offset + q.size, std::size_t(file.size()));

    const QString path = Save("many.mpo", file);
    QImage right;
    QString info;
    ASSERT_TRUE(LoadPictureFile(right, path, info, nullptr, nullptr, 1));
    EXPECT_EQ(right.width(), 24);
}

TEST_F(MpoFile, OnePictureFileHasNoRightView) {
    std::vector<tmpopicture> p;
    EXPECT_EQ(FindMpoPictures(Bytes(red), std::size_t(red.size()), p), tmpoindex::Single);
    EXPECT_EQ(p.size(), 1u);
    const QString path = Save("one.mpo", red);
    QImage image;
    QString info = "kept";
    tloadresult r;
    EXPECT_TRUE(LoadPictureFile(image, path, info, &r, nullptr, 0));
    EXPECT_FALSE(LoadPictureFile(image, path, info, &r, nullptr, 1));
    EXPECT_EQ(r.status, LoadStatus::DecoderError);
    EXPECT_TRUE(r.message.contains(QString::fromUtf8("n° 2"))) << r.message.toStdString();
}

TEST_F(MpoFile, CutSecondPictureFailsWithTheDecodersMessage) {
    const QByteArray whole = HandMpo({red, blue});
    const QString path = Save("cut.mpo", whole.left(whole.size() - blue.size() / 2));
    QImage image;
    QString info;
    tloadresult r;
    EXPECT_TRUE(LoadPictureFile(image, path, info, &r, nullptr, 0));
    EXPECT_EQ(qRed(image.pixel(3, 3)) > 200, true);
    EXPECT_FALSE(LoadPictureFile(image, path, info, &r, nullptr, 1));
    EXPECT_EQ(r.status, LoadStatus::DecoderError);
    EXPECT_EQ(scope.report.messages.size(), 1);
}

TEST_F(MpoFile, LeftAndRightPicturesDecodeApart) {
    const QString path = Save("pair.MPO", HandMpo({red, blue}, {false}));
    QImage left, right;
    QString info;
    ASSERT_TRUE(LoadPictureFile(left, path, info, nullptr, nullptr, 0));
    EXPECT_EQ(info, "  0016 *  0008 - 24 Bits");
    ASSERT_TRUE(LoadPictureFile(right, path, info, nullptr, nullptr, 1));
    EXPECT_EQ(right.size(), QSize(24, 8));
    EXPECT_GT(qRed(left.pixel(5, 5)), 200);
    EXPECT_GT(qBlue(right.pixel(5, 5)), 200);
    // Any other file has one picture, whichever is asked for.
    const QString jpg = Save("plain.jpg", red);
    ASSERT_TRUE(LoadPictureFile(right, jpg, info, nullptr, nullptr, 1));
    EXPECT_EQ(right.size(), QSize(16, 8));
}

TEST_F(MpoFile, NotAJpegIsRefused) {
    std::vector<tmpopicture> p;
    const QByteArray junk(100, 'x');
    EXPECT_EQ(FindMpoPictures(Bytes(junk), std::size_t(junk.size()), p), tmpoindex::None);
    EXPECT_TRUE(p.empty());
}

TEST(MpoCameraFiles, BothFramesReadAndDiffer) {
    const QString data = TestDataDir();
    if (data.isEmpty()) GTEST_SKIP() << "no test photographs";
    struct tcamera {
        const char* file;
        std::size_t second;
    };
    for (const tcamera c : {tcamera{"3ds_sugarshack.mpo", 60008}, {"3ds_frozenpond.mpo", 82452}}) {
        SCOPED_TRACE(c.file);
        const QString path = data + "/" + c.file;
        const QByteArray bytes = ReadBytes(path);
        std::vector<tmpopicture> p;
        EXPECT_EQ(FindMpoPictures(Bytes(bytes), std::size_t(bytes.size()), p), tmpoindex::Index);
        ASSERT_EQ(p.size(), 2u);
        EXPECT_EQ(p[1].offset, c.second);
        QImage left, right;
        QString info;
        ASSERT_TRUE(LoadPictureFile(left, path, info, nullptr, nullptr, 0));
        ASSERT_TRUE(LoadPictureFile(right, path, info, nullptr, nullptr, 1));
        EXPECT_EQ(left.size(), QSize(640, 480));
        EXPECT_EQ(right.size(), QSize(640, 480));
        EXPECT_NE(left, right);
    }
}

} // namespace
