// The help window and Qt's French texts: pages shown by the program itself,
// links between them followed inside it, Qt's buttons in French.
#include "app/qttranslation.h"
#include "montage/tformhelp.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBrowser>

#include <gtest/gtest.h>

namespace {

void writePage(const QString& path, const QByteArray& body) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("<html><body>" + body + "</body></html>");
}

TEST(HelpWindow, ShowsAPageAndFollowsItsLinksInside) {
    QTemporaryDir dir;
    QDir(dir.path()).mkdir("aide");
    writePage(dir.path() + "/aide/orvanel.html", "Accueil <a href=\"faq.html\">questions</a>");
    writePage(dir.path() + "/aide/faq.html", "Questions fréquentes");
    TFormHelp help;
    ASSERT_TRUE(help.ShowPage(dir.path() + "/aide/orvanel.html"));
    EXPECT_TRUE(help.isVisible());
    EXPECT_TRUE(help.Browser->toPlainText().contains("Accueil"));
    help.Browser->setSource(QUrl("faq.html"));
    EXPECT_TRUE(help.Browser->toPlainText().contains(QString::fromUtf8("Questions fréquentes")));
    // A page that cannot be read leaves the window as it was.
    EXPECT_FALSE(help.ShowPage(dir.path() + "/aide/absent.html"));
    EXPECT_TRUE(help.Browser->toPlainText().contains(QString::fromUtf8("Questions fréquentes")));
}

TEST(QtFrench, StandardButtonsSpeakFrench) {
    if (!QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_fr.qm"))
        GTEST_SKIP() << "Qt's French translations are not installed";
    ASSERT_TRUE(InstallQtFrench());
    QMessageBox box(QMessageBox::NoIcon, "Orvanel", "Quitter?",
                    QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), "Annuler");
}

} // namespace
