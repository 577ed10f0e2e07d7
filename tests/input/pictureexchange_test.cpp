// Pastes, drops and the turned copy of a view, driven through a display host
// without a window and clipboard contents built by hand.
#include "input/pictureexchange.h"

#include "core/settings.h"
#include "core/stereokinds.h"
#include "input/pictureload.h"

#include "fakedisplayhost.h"
#include "inputfixtures.h"

#include <QBuffer>
#include <QMimeData>
#include <QUrl>

#include <cmath>

namespace {

class PictureExchange : public ::testing::Test {
protected:
    QTemporaryDir dir;
    tfakedisplayhost host;
    tviewloader loader{host};
    tpictureexchange x{loader, host};
    tsettings saved = Settings;
    timg& L = host.pair.ImgLeft;
    timg& R = host.pair.ImgRight;
    int& kind = host.pair.StereoType;

    void SetUp() override {
        Settings.DragDropAsk = false;
        Settings.DragDropFileType = 0;
        L.bitmap = PatternImage(8, 8);
        L.filename = "old_left.png";
        R.bitmap = PatternImage(6, 6);
        R.filename = "old_right.png";
        kind = KindPair;
    }
    void TearDown() override { Settings = saved; }
    QString Picture(const QString& name, int w, int h) {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(PatternImage(w, h).save(path));
        return path;
    }
};

TEST(StereoTypeAfterViewLoad, PairCompleteOnlyWhenTheOtherViewIsThere) {
    struct tcase {
        bool left;
        int before, after;
    } cases[] = {{true, KindPair, KindPair},
                 {true, KindRight, KindPair},
                 {true, KindLeft, KindLeft},
                 {true, KindSingle, KindLeft},
                 {true, 9, KindLeft},
                 {false, KindPair, KindPair},
                 {false, KindLeft, KindPair},
                 {false, KindRight, KindRight},
                 {false, KindCrossed, KindRight}};
    for (const tcase& c : cases)
        EXPECT_EQ(StereoTypeAfterViewLoad(c.left, c.before), c.after)
            << "left " << c.left << " from " << c.before;
}

TEST(ExchangeContent, ReadsLocalFilesTextNamedFormatAndImage) {
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile("/pics/a.jpg"), QUrl("https://example.org/b.jpg"),
                  QUrl::fromLocalFile("/pics/c.jpg")});
    mime.setText("some text");
    QByteArray raw("/pics/named.bmp");
    raw.append('\0').append("garbage");
    mime.setData("FileName", raw);
    mime.setImageData(PatternImage(4, 3));
    const texchangecontent c = ExchangeContentOf(mime);
    EXPECT_EQ(c.files, (QStringList{"/pics/a.jpg", "/pics/c.jpg"}));
    EXPECT_EQ(c.fileName, "/pics/named.bmp");
    EXPECT_EQ(c.picture.size(), QSize(4, 3));
    EXPECT_FALSE(c.Empty());
    EXPECT_TRUE(ExchangeContentOf(QMimeData()).Empty());
}

// The first clipboard source that gives a picture wins: a file list, a text
// naming a file, the "FileName" format, the picture itself.
TEST_F(PictureExchange, PasteTakesTheFirstSourceThatGivesAPicture) {
    const QString file = Picture("t.png", 12, 10);
    const QString gone = dir.filePath("gone.png");
    struct tcase {
        const char* what;
        QStringList files;
        QString text, fileName;
        bool picture;
        texchangesource source;
        QString name; // of the current view afterwards; empty: unchanged
    } cases[] = {
        {"picture beside a plain text",
         {},
         "not a file",
         "",
         true,
         texchangesource::Picture,
         "ClipBoard"},
        {"text as a file URL",
         {},
         QUrl::fromLocalFile(file).toString() + "\n",
         "",
         true,
         texchangesource::Text,
         file},
        {"named format", {}, "", file, true, texchangesource::FileName, file},
        {"unreadable file list", {gone, gone}, "", "", true, texchangesource::Picture, "ClipBoard"},
        {"nothing that is a picture", {}, "hello", gone, false, texchangesource::None, ""},
    };
    for (const tcase& c : cases) {
        SetUp();
        host.messages.clear();
        texchangecontent content{c.files, c.text, c.fileName,
                                 c.picture ? PatternImage(30, 20) : QImage()};
        EXPECT_EQ(x.PasteStereo(content, R), c.source) << c.what;
        EXPECT_EQ(R.filename, c.name.isEmpty() ? QString("old_right.png") : c.name) << c.what;
        // The left view is never touched by a single picture; a missing file says nothing.
        EXPECT_EQ(L.filename, "old_left.png") << c.what;
        EXPECT_TRUE(host.messages.isEmpty()) << c.what;
        EXPECT_EQ(host.busyDepth, 0) << c.what;
    }
    EXPECT_FALSE(x.PasteView(texchangecontent{{}, "hello", "", QImage()}, L));
    EXPECT_EQ(L.bitmap, PatternImage(8, 8));
}

TEST_F(PictureExchange, PastedPictureIsASingleImageWithItsDescription) {
    texchangecontent c;
    c.picture = PatternImage(30, 20);
    kind = KindRight;
    Settings.OpenDirL = "/old";
    EXPECT_EQ(x.PasteStereo(c, L), texchangesource::Picture);
    EXPECT_EQ(L.bitmap, PatternImage(30, 20));
    EXPECT_EQ(kind, KindSingle);
    EXPECT_EQ(host.pair.ImageInfo, FormatImageInfo(30, 20, 32));
    EXPECT_TRUE(Settings.OpenDirL.isEmpty()); // a pseudo name has no folder
    EXPECT_EQ(host.firstTabs, 1);
}

TEST_F(PictureExchange, TwoCopiedFilesMakeAPairWhateverView) {
    const QString a = Picture("a.png", 20, 10), b = Picture("b.png", 22, 11);
    texchangecontent c;
    c.files = {a, b};
    kind = 9;
    EXPECT_EQ(x.PasteStereo(c, R), texchangesource::Files);
    EXPECT_EQ(host.current, &R); // the last view installed
    EXPECT_EQ(L.bitmap, PatternImage(20, 10));
    EXPECT_EQ(R.bitmap, PatternImage(22, 11));
    EXPECT_EQ(L.filename, a);
    EXPECT_EQ(R.filename, b);
    EXPECT_EQ(kind, KindPair);
    EXPECT_EQ(Settings.OpenDirL, dir.path());
    EXPECT_EQ(Settings.OpenDirR, dir.path());
}

// A single picture follows DragDropFileType: the composite kinds split it.
struct tkindcase {
    int fileType;
    int kindAfter;
    int fileTypeAfter;
    bool split;
};

class SinglePictureKind : public PictureExchange,
                          public ::testing::WithParamInterface<tkindcase> {};

TEST_P(SinglePictureKind, FollowsTheDropType) {
    const tkindcase& k = GetParam();
    Settings.DragDropFileType = k.fileType;
    Settings.ExtractOption = 1; // split without a band, without asking
    const QString file = Picture("sbs.png", 80, 30);
    ASSERT_TRUE(x.DropFiles({file}, R));
    EXPECT_EQ(kind, k.kindAfter);
    EXPECT_EQ(Settings.DragDropFileType, k.fileTypeAfter);
    if (k.split) {
        EXPECT_LT(L.Width(), 80);
        EXPECT_LT(R.Width(), 80);
        EXPECT_EQ(L.filename, file);
    } else {
        EXPECT_EQ(R.bitmap, PatternImage(80, 30));
        EXPECT_EQ(L.filename, "old_left.png");
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, SinglePictureKind,
                         ::testing::Values(tkindcase{0, KindSingle, 0, false},
                                           tkindcase{1, KindSingle, 0, false},
                                           tkindcase{2, KindCrossed, 2, true},
                                           tkindcase{3, KindParallel, 3, true},
                                           tkindcase{7, KindSingle, 0, false}));

TEST_F(PictureExchange, CancelledOptionsInstallNothing) {
    Settings.DragDropAsk = true;
    int asked = 0;
    x.AskFileType = [&] {
        ++asked;
        return false;
    };
    texchangecontent c;
    c.picture = PatternImage(30, 20);
    kind = KindRight;
    EXPECT_EQ(x.PasteStereo(c, L), texchangesource::Picture);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(L.bitmap, PatternImage(8, 8));
    EXPECT_EQ(kind, KindPair); // the view rule ran before the question
}

TEST_F(PictureExchange, UnreadableOrTooManyDroppedFilesLeaveTheViews) {
    const QString bad = dir.filePath("broken.jpg");
    ASSERT_TRUE(WriteBytes(bad, QByteArray("not a jpeg")));
    const QString a = Picture("a.png", 9, 9);
    EXPECT_FALSE(x.DropFiles({bad}, L));
    EXPECT_EQ(host.messages.size(), 1);
    EXPECT_FALSE(x.DropFiles({a, a, a}, L));
    EXPECT_FALSE(x.DropFiles({}, L));
    EXPECT_EQ(L.filename, "old_left.png");
    EXPECT_EQ(L.bitmap, PatternImage(8, 8));
    EXPECT_EQ(R.bitmap, PatternImage(6, 6));
    EXPECT_EQ(kind, KindPair);
}

TEST_F(PictureExchange, DroppedOrPastedMpoIsThePairAndADamagedOneChangesNothing) {
    // Two JPEG pictures one after the other: the reader finds the second by
    // its start-of-image marker.
    auto jpeg = [](int w, int h) {
        QByteArray bytes;
        QBuffer b(&bytes);
        b.open(QIODevice::WriteOnly);
        EXPECT_TRUE(PatternImage(w, h).save(&b, "JPG"));
        return bytes;
    };
    const QByteArray first = jpeg(20, 10);
    const QString mpo = dir.filePath("camera.MPO");
    ASSERT_TRUE(WriteBytes(mpo, first + jpeg(24, 12)));
    const QString cut = dir.filePath("cut.mpo");
    ASSERT_TRUE(WriteBytes(cut, first + jpeg(24, 12).left(40)));

    EXPECT_FALSE(x.DropFiles({cut}, R));
    EXPECT_EQ(L.filename, "old_left.png");
    EXPECT_EQ(R.bitmap, PatternImage(6, 6));

    ASSERT_TRUE(x.DropFiles({mpo}, R));
    EXPECT_EQ(L.Width(), 20);
    EXPECT_EQ(R.Width(), 24);
    EXPECT_EQ(L.filename, mpo);
    EXPECT_EQ(R.filename, mpo);
    EXPECT_EQ(kind, KindPair);

    L.bitmap = PatternImage(8, 8);
    texchangecontent c;
    c.files = {mpo};
    EXPECT_EQ(x.PasteStereo(c, R), texchangesource::Files);
    EXPECT_EQ(L.Width(), 20);
    EXPECT_EQ(R.Width(), 24);
}

TEST_F(PictureExchange, DroppedParameterFileOpensItsPair) {
    QStringList opened;
    x.OpenParamFile = [&](const QString& f) { opened << f; };
    EXPECT_TRUE(x.DropFiles({"/x/pair.PrM", "/x/other.jpg", "/x/third.jpg"}, R));
    EXPECT_EQ(opened, QStringList{"/x/pair.PrM"});
}

TEST_F(PictureExchange, PastedViewKeepsTheKindAndNamesItsSide) {
    texchangecontent c;
    c.picture = PatternImage(5, 4);
    kind = KindCrossed;
    ASSERT_TRUE(x.PasteView(c, R));
    EXPECT_EQ(R.filename, "ClipBoardRight");
    EXPECT_EQ(R.bitmap, PatternImage(5, 4));
    EXPECT_EQ(kind, KindCrossed);
    ASSERT_TRUE(x.DropPicture(PatternImage(3, 3), L));
    EXPECT_EQ(L.filename, "DragDrop");
    EXPECT_EQ(kind, KindLeft);
}

// Quadrants of distinct colours survive the smoothing away from their edges.
QImage Quadrants(int w, int h) {
    QImage img(w, h, QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y,
                         x < w / 2 ? (y < h / 2 ? 0xFFFF0000u : 0xFF00FF00u)
                                   : (y < h / 2 ? 0xFF0000FFu : 0xFFFFFFFFu));
    return img;
}

TEST(TurnedViewCopy, ViewIsCopiedTurnedAsTheDisplayShowsIt) {
    timg v;
    v.bitmap = Quadrants(100, 50);
    const QImage same = TurnedViewCopy(v);
    ASSERT_EQ(same.size(), QSize(100, 50));
    EXPECT_EQ(same.pixel(10, 10), 0xFFFF0000u);
    EXPECT_EQ(same.pixel(90, 40), 0xFFFFFFFFu);
    v.rot = M_PI / 2;
    const QImage c = TurnedViewCopy(v);
    // The corners turned by -90 degrees span 0..49 by 0..99.
    ASSERT_EQ(c.size(), QSize(50, 100));
    // The top-right corner (blue) comes to the top-left, the top-left (red)
    // to the bottom-left.
    EXPECT_EQ(c.pixel(10, 10), 0xFF0000FFu);
    EXPECT_EQ(c.pixel(10, 90), 0xFFFF0000u);
    EXPECT_EQ(c.pixel(40, 10), 0xFFFFFFFFu);
    EXPECT_TRUE(TurnedViewCopy(timg()).isNull());
}

} // namespace
