// `orvanel-cli pair-dirs`: two folders of views paired in name order.
#include "output/folderpairs.h"

#include "input/pictureload.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

const char* const PairDirsUsage =
    "  pair-dirs LEFT_DIR RIGHT_DIR\n"
    "      Writes a list file for render --list on standard output: the pictures\n"
    "      of both folders in name order, the first left one with the first right\n"
    "      one and so on; what is left unpaired is said on standard error.\n";

QStringList FolderPictures(const QString& folder) {
    const QStringList& extensions = RegisteredPictureExtensions();
    QStringList names;
    const QDir dir(folder);
    for (const QFileInfo& f : dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (extensions.contains(f.suffix().toLower())) names << f.fileName();
    }
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int folded = a.compare(b, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a.compare(b, Qt::CaseSensitive) < 0;
    });
    QStringList paths;
    for (const QString& n : names) paths << QDir::cleanPath(dir.absoluteFilePath(n));
    return paths;
}

namespace {

// A list line splits at tabs and ends at a line break.
bool ListCanHold(const QString& path) {
    return !path.contains(QLatin1Char('\t')) && !path.contains(QLatin1Char('\n')) &&
           !path.contains(QLatin1Char('\r'));
}

} // namespace

tfolderpairing PairFolderPictures(const QStringList& left, const QStringList& right) {
    tfolderpairing r;
    QStringList l, rr;
    for (const QString& p : left)
        if (ListCanHold(p))
            l << p;
        else
            r.unpaired << QStringLiteral("left: %1 (a tab or line break in its name)").arg(p);
    for (const QString& p : right)
        if (ListCanHold(p))
            rr << p;
        else
            r.unpaired << QStringLiteral("right: %1 (a tab or line break in its name)").arg(p);
    const int n = int(std::min(l.size(), rr.size()));
    for (int i = 0; i < n; ++i) r.text += l[i] + QLatin1Char('\t') + rr[i] + QLatin1Char('\n');
    r.pairs = n;
    for (int i = n; i < l.size(); ++i) r.unpaired << QStringLiteral("left: %1").arg(l[i]);
    for (int i = n; i < rr.size(); ++i) r.unpaired << QStringLiteral("right: %1").arg(rr[i]);
    return r;
}

int RunPairDirsCommand(const QStringList& args, std::FILE* out, std::FILE* err) {
    if (args.size() != 2 || args[0].startsWith("--") || args[1].startsWith("--")) {
        std::fprintf(err, "orvanel-cli pair-dirs: give two folders, LEFT_DIR RIGHT_DIR\n");
        return 2;
    }
    for (const QString& folder : args) {
        const QFileInfo info(folder);
        if (!info.isDir() || !info.isReadable()) {
            std::fprintf(err, "orvanel-cli pair-dirs: '%s' is not a folder that can be read\n",
                         qPrintable(folder));
            return 1;
        }
    }
    const tfolderpairing p = PairFolderPictures(FolderPictures(args[0]), FolderPictures(args[1]));
    const QByteArray text = p.text.toUtf8();
    std::fwrite(text.constData(), 1, std::size_t(text.size()), out);
    std::fflush(out);
    for (const QString& u : p.unpaired)
        std::fprintf(err, "orvanel-cli pair-dirs: unpaired %s\n", qPrintable(u));
    std::fprintf(err, "orvanel-cli pair-dirs: %d pair%s, %d picture%s unpaired\n", p.pairs,
                 p.pairs == 1 ? "" : "s", int(p.unpaired.size()),
                 p.unpaired.size() == 1 ? "" : "s");
    return 0;
}
