// Help pages: found beside the program, either delimiter, and the two warnings.
#include "core/helpfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct Recorder {
    QStringList opened;
    QStringList warnings;
    bool openSucceeds = true;
    thelpopener opener() {
        return [this](const QString& p) {
            opened << p;
            return openSucceeds;
        };
    }
    thelpwarning warner() {
        return [this](const QString& t) { warnings << t; };
    }
};

} // namespace

TEST(HelpFile, PageBesideTheProgramOpensWithBackslashName) {
    QTemporaryDir dir;
    QDir(dir.path()).mkdir("aide");
    QFile f(dir.path() + "/aide/orvanel.html");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    Recorder r;
    EXPECT_EQ(OpenHelpFile(dir.path(), HelpMainPage, r.opener(), r.warner()), thelpresult::Opened);
    ASSERT_EQ(r.opened.size(), 1);
    EXPECT_EQ(r.opened[0], dir.path() + "/aide/orvanel.html");
    EXPECT_TRUE(r.warnings.isEmpty());

    r.openSucceeds = false;
    EXPECT_EQ(OpenHelpFile(dir.path(), "aide/orvanel.html", r.opener(), r.warner()),
              thelpresult::NotOpened);
    ASSERT_EQ(r.warnings.size(), 1);
    EXPECT_EQ(r.warnings[0], "Fichier d'aide invisible\n" + dir.path() + "/aide/orvanel.html");
}

TEST(HelpFile, MissingPageOrAFolderInItsPlaceWarnsWithoutOpening) {
    QTemporaryDir dir;
    QDir(dir.path()).mkpath("aide/faq.html"); // a folder named like the page
    Recorder r;
    EXPECT_EQ(OpenHelpFile(dir.path(), HelpThreePoints, r.opener(), r.warner()),
              thelpresult::Missing);
    EXPECT_EQ(OpenHelpFile(dir.path(), HelpQuestions, r.opener(), r.warner()),
              thelpresult::Missing);
    EXPECT_TRUE(r.opened.isEmpty());
    ASSERT_EQ(r.warnings.size(), 2);
    EXPECT_EQ(r.warnings[0], "Fichier d'aide introuvable\n" + dir.path() + "/aide/3points.html");
}

TEST(HelpFile, PagesOfTheInterfaceLanguageReplaceTheFrenchOnesWhenShipped) {
    QTemporaryDir dir;
    QDir(dir.path()).mkpath("aide/en");
    QFile f(dir.path() + "/aide/en/orvanel.html");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    struct Case {
        const char* name;
        const char* language;
        const char* expected;
    };
    const Case cases[] = {
        {"aide\\orvanel.html", "en", "aide\\en\\orvanel.html"},
        {"aide/orvanel.html", "en", "aide\\en\\orvanel.html"},
        {"aide\\orvanel.html", "fr", "aide\\orvanel.html"},
        // No English page: the French one rather than a missing page.
        {"aide\\faq.html", "en", "aide\\faq.html"},
        {"aide\\orvanel.html", "de", "aide\\orvanel.html"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LocalizedHelpName(dir.path(), c.name, c.language), c.expected)
            << c.name << " " << c.language;
}
