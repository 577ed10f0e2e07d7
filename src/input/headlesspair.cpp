// The command-line commands' pair loading.
#include "input/headlesspair.h"

#include "core/settings.h"
#include "core/viewops.h"
#include "input/pictureload.h"
#include "input/userreport.h"
#include "input/viewloader.h"

#include <QFileInfo>

void theadlesshost::ReduceView(timg& view, double factor) {
    ::ReduceView(view, factor);
}

void theadlesshost::ReloadViews(int stereoType) {
    tviewloader loader(*this);
    loader.ReloadViews(stereoType);
}

void theadlesshost::ShowMessage(const QString& text) {
    UserReport().ShowMessage(text);
}

int CompositeKindOfText(const QString& text) {
    const QString t = text.trimmed().toUpper();
    if (t == "X") return KindCrossed;
    if (t == "P") return KindParallel;
    if (t == "V") return KindOverUnder;
    if (t == "A") return KindAnaglyph;
    if (t == "BI") return KindDouble;
    bool ok = false;
    const int code = t.toInt(&ok);
    if (ok && code >= KindCrossed && code <= KindDouble) return code;
    return -1;
}

bool CheckPairSourceOptions(bool hasParamFile, const tpairsource& source, QString& error) {
    const bool pictures = !source.left.isEmpty() || !source.right.isEmpty();
    const int sources =
        (hasParamFile ? 1 : 0) + (pictures ? 1 : 0) + (source.composite.isEmpty() ? 0 : 1);
    if (sources != 1) {
        error = QStringLiteral("give exactly one of --prm, --left/--right or --composite");
        return false;
    }
    if (pictures && (source.left.isEmpty() || source.right.isEmpty())) {
        error = QStringLiteral("--left and --right go together");
        return false;
    }
    return true;
}

namespace {

QString absolute(const QString& path) {
    return path.isEmpty() ? path : QFileInfo(path).absoluteFilePath();
}

} // namespace

bool LoadPairHeadless(const tpairsource& source, tviewpair& pair, theadlesshost& host,
                      QString& failed) {
    tviewloader loader(host);
    if (!source.composite.isEmpty()) {
        const QString file = absolute(source.composite);
        QImage picture;
        if (!LoadPictureFile(picture, file, pair.ImageInfo)) {
            failed = source.composite;
            return false;
        }
        Settings.ExtractOption = 1;
        return loader.SplitByKind(source.compositeKind, picture, file);
    }
    for (const auto& [view, name] : {std::pair<timg*, QString>{&pair.ImgLeft, source.left},
                                     std::pair<timg*, QString>{&pair.ImgRight, source.right}}) {
        QImage picture;
        const QString file = absolute(name);
        if (!LoadPictureFile(picture, file, pair.ImageInfo)) {
            failed = name;
            return false;
        }
        view->bitmap = picture;
        loader.InstallViewImage(*view, file);
    }
    pair.StereoType = KindPair;
    return true;
}
