// The redirection lookup: names kept or moved to the redirection folder by
// their file part, and what counts as found.
#include "lists/redirect.h"

#include "core/redirectedfile.h"
#include "core/settings.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

QString Touch(const QString& path) {
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write("jpeg");
    return QDir::toNativeSeparators(path);
}

} // namespace

TEST(Redirection, OffKeepsTheNameAndTellsWhetherTheFileIsThere) {
    QTemporaryDir dir;
    const QString present = Touch(dir.filePath("img1.jpg"));
    QString name = present;
    EXPECT_TRUE(RedirectedExists(name, dir.filePath("elsewhere"), false));
    EXPECT_EQ(name, present);

    name = "D:\\old\\img1.jpg";
    EXPECT_FALSE(RedirectedExists(name, dir.path(), false));
    EXPECT_EQ(name, "D:\\old\\img1.jpg");
}

TEST(Redirection, OnLooksUpTheFilePartInTheFolder) {
    QTemporaryDir dir;
    const QString moved = Touch(dir.filePath("img1.jpg"));
    const QString folder = QDir::toNativeSeparators(dir.path());

    QString name = "D:\\old\\img1.jpg"; // written on another system
    EXPECT_TRUE(RedirectedExists(name, folder, true));
    EXPECT_EQ(name, moved);

    name = "/mnt/old/img1.jpg";
    EXPECT_TRUE(RedirectedExists(name, folder + QDir::separator(), true)); // one delimiter only
    EXPECT_EQ(name, moved);

    // Not there either: the name has moved all the same.
    name = "D:\\old\\img2.jpg";
    EXPECT_FALSE(RedirectedExists(name, folder, true));
    EXPECT_EQ(name, folder + QDir::separator() + "img2.jpg");
}

TEST(Redirection, OnWithoutFolderKeepsTheName) {
    QTemporaryDir dir;
    const QString present = Touch(dir.filePath("a.jpg"));
    QString name = present;
    EXPECT_TRUE(RedirectedExists(name, "", true));
    EXPECT_EQ(name, present);
    name = "D:\\x\\b.jpg";
    EXPECT_FALSE(RedirectedExists(name, "   ", true));
    EXPECT_EQ(name, "D:\\x\\b.jpg");
}

TEST(Redirection, AFolderOrAnEmptyNameIsNotAnImage) {
    QTemporaryDir dir;
    QDir(dir.path()).mkdir("photo.jpg");
    QString name = dir.filePath("photo.jpg");
    EXPECT_FALSE(RedirectedExists(name, "", false));
    name = "";
    EXPECT_FALSE(RedirectedExists(name, "", false));
}

TEST(Redirection, FollowsTheProgramSwitchByDefault) {
    QTemporaryDir dir;
    Touch(dir.filePath("c.jpg"));
    const bool saved = RedirectOpen;
    QString name = "D:\\old\\c.jpg";
    RedirectOpen = false;
    EXPECT_FALSE(RedirectedExists(name, dir.path()));
    RedirectOpen = true;
    EXPECT_TRUE(RedirectedExists(name, dir.path()));
    RedirectOpen = saved;
}

TEST(RedirectionDialog, OpensWithTheStoredFoldersAndSwitch) {
    tsettings s;
    s.DirOpenImgL = "/photos/left";
    s.DirOpenImgR = "/photos/right";
    tredirectfields f{"typed", "typed", false};
    ShowRedirectFields(f, s, true);
    EXPECT_EQ(f.left, "/photos/left");
    EXPECT_EQ(f.right, "/photos/right");
    EXPECT_TRUE(f.force);

    // No stored right folder: a right field with text is emptied, an empty
    // one receives the left folder.
    s.DirOpenImgR.clear();
    ShowRedirectFields(f, s, false);
    EXPECT_EQ(f.right, "");
    EXPECT_FALSE(f.force);
    ShowRedirectFields(f, s, false);
    EXPECT_EQ(f.right, "/photos/left");
}

TEST(RedirectionDialog, ChoosingAFolderTicksTheSwitch) {
    tredirectfields f;
    ChooseRedirectFolder(f, true, "/a");
    EXPECT_EQ(f.left, "/a");
    EXPECT_TRUE(f.force);
    f.force = false;
    ChooseRedirectFolder(f, false, "/b");
    EXPECT_EQ(f.right, "/b");
    EXPECT_EQ(f.left, "/a");
    EXPECT_TRUE(f.force);
}

TEST(RedirectionDialog, OkStoresTrimmedFoldersAndCopiesLeftIntoAnEmptyRight) {
    tsettings s;
    bool redirect = false;
    AcceptRedirectFields({"  /photos/left ", "   ", true}, s, redirect);
    EXPECT_TRUE(redirect);
    EXPECT_EQ(s.DirOpenImgL, "/photos/left");
    EXPECT_EQ(s.DirOpenImgR, "/photos/left");
    AcceptRedirectFields({"", " /r ", false}, s, redirect);
    EXPECT_FALSE(redirect);
    EXPECT_EQ(s.DirOpenImgL, "");
    EXPECT_EQ(s.DirOpenImgR, "/r");
}
