// Path helpers: names from files written with either folder delimiter.
#include "core/paths.h"

#include <gtest/gtest.h>

TEST(Paths, BothDelimitersBecomeNative) {
    EXPECT_EQ(NativePath(".\\l"), "./l");
    EXPECT_EQ(NativePath("D:\\Photos/2024\\a.jpg"), "D:/Photos/2024/a.jpg");
    EXPECT_EQ(NativePath("/home/u/x"), "/home/u/x");
    EXPECT_EQ(NativePath(""), "");
}

TEST(Paths, FolderAndFileNameParts) {
    EXPECT_EQ(FileFolder("D:\\Photos\\a.jpg"), "D:/Photos");
    EXPECT_EQ(FileFolder("/home/u/a.jpg"), "/home/u");
    EXPECT_EQ(FileFolder("/a.jpg"), "/");
    EXPECT_EQ(FileFolder("a.jpg"), "");
    EXPECT_EQ(FileNamePart("D:\\Photos/x\\a.jpg"), "a.jpg");
    EXPECT_EQ(FileNamePart("a.jpg"), "a.jpg");
    EXPECT_EQ(FileNamePart("dir\\"), "");
}

TEST(Paths, ExactlyOneTrailingDelimiter) {
    EXPECT_EQ(WithTrailingDelimiter("/tmp/conf"), "/tmp/conf/");
    EXPECT_EQ(WithTrailingDelimiter("/tmp/conf/"), "/tmp/conf/");
    EXPECT_EQ(WithTrailingDelimiter("/tmp/conf//"), "/tmp/conf/");
    EXPECT_EQ(WithTrailingDelimiter("D:\\x\\"), "D:/x/");
    EXPECT_EQ(WithTrailingDelimiter("/"), "/");
    EXPECT_EQ(WithTrailingDelimiter(""), "");
}
