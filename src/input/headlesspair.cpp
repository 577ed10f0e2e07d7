// The command-line commands' pair loading.
#include "input/headlesspair.h"

#include "core/regularfile.h"
#include "core/settings.h"
#include "core/viewops.h"
#include "engine/transform.h"
#include "input/decodeahead.h"
#include "input/mpofile.h"
#include "input/pictureload.h"
#include "input/userreport.h"
#include "input/viewloader.h"

#include <QFileInfo>

#include <optional>

void theadlesshost::ReduceView(timg& view, double factor) {
    ::ReduceView(view, factor);
}

void theadlesshost::ReloadViews(int stereoType) {
    // The right view decodes on another core while the loader reads the left,
    // when the render has more than one.
    std::optional<tdecodeahead> right;
    if (stereoType == KindPair && EngineThreads() > 1 && !pair_.ImgRight.filename.isEmpty() &&
        pair_.ImgRight.filename != pair_.ImgLeft.filename &&
        !IsMpoFileName(pair_.ImgRight.filename))
        right.emplace(pair_.ImgRight.filename);
    tviewloader loader(*this);
    loader.ReloadViews(stereoType);
}

void theadlesshost::ShowMessage(const QString& text) {
    ++messages_;
    lastMessage_ = text;
    UserReport().ShowMessage(text);
}

int CompositeKindOfText(const QString& text) {
    const QString t = text.trimmed().toUpper();
    if (t == "X") return KindCrossed;
    if (t == "P") return KindParallel;
    if (t == "V") return KindOverUnder;
    if (t == "A") return KindAnaglyph;
    if (t == "BI") return KindDouble;
    if (t == "MPO") return KindMpo;
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

// The views a pair of this kind is read into: both for a separate pair,
// the right one alone for kind 8, the left one (or the composite) else.
bool NeedsView(int stereoType, bool left) {
    if (stereoType == KindPair) return true;
    return left ? stereoType != KindRight : stereoType == KindRight;
}

} // namespace

QString PictureFailureText(const QString& file) {
    const tfilestate state = ProbeRegularFile(file);
    if (state == tfilestate::Missing) return QStringLiteral("picture '%1' not found").arg(file);
    if (state == tfilestate::Regular) return QStringLiteral("cannot read picture '%1'").arg(file);
    return QStringLiteral("cannot read picture '%1': %2").arg(file, FileStateText(state));
}

namespace {

// Reads `paramFile` into the pair, the pictures from the file (withImages)
// or from the pair's names, and checks that every view the kind needs came.
bool ReadParamsChecked(const QString& paramFile, bool withImages, tviewpair& pair,
                       theadlesshost& host, QString& error) {
    const int before = host.Messages();
    if (ReadParams(pair, paramFile, withImages, host, Settings) != tparamread::Read) return false;
    if (host.Messages() != before) {
        error = host.LastMessage().simplified();
        return false;
    }
    for (const bool left : {true, false}) {
        const timg& view = left ? pair.ImgLeft : pair.ImgRight;
        if (!NeedsView(pair.StereoType, left) || !view.bitmap.isNull()) continue;
        error = view.filename.isEmpty()
                    ? QStringLiteral("'%1' names no %2 picture")
                          .arg(paramFile, left ? QStringLiteral("left") : QStringLiteral("right"))
                    : PictureFailureText(view.filename);
        return false;
    }
    return true;
}

} // namespace

bool LoadParamPairHeadless(const QString& paramFile, tviewpair& pair, theadlesshost& host,
                           QString& error) {
    return ReadParamsChecked(paramFile, true, pair, host, error);
}

bool LoadPairWithParamsHeadless(const tpairsource& source, const QString& paramFile,
                                tviewpair& pair, theadlesshost& host, QString& error) {
    if (source.composite.isEmpty()) {
        pair.ImgLeft.filename = absolute(source.left);
        pair.ImgRight.filename = absolute(source.right);
        pair.StereoType = KindPair;
    } else {
        // A composite names both views; the reload splits it by its kind.
        pair.ImgLeft.filename = pair.ImgRight.filename = absolute(source.composite);
        pair.StereoType = source.compositeKind;
    }
    return ReadParamsChecked(paramFile, false, pair, host, error);
}

bool LoadPairHeadless(const tpairsource& source, tviewpair& pair, theadlesshost& host,
                      QString& failed) {
    tviewloader loader(host);
    if (!source.composite.isEmpty()) {
        const QString file = absolute(source.composite);
        if (source.compositeKind == KindMpo) {
            if (loader.LoadMpoPair(file)) return true;
            failed = source.composite;
            return false;
        }
        QImage picture;
        if (!LoadPictureFile(picture, file, pair.ImageInfo)) {
            failed = source.composite;
            return false;
        }
        return loader.SplitByKind(source.compositeKind, picture, file);
    }
    std::optional<tdecodeahead> ahead;
    if (EngineThreads() > 1 && absolute(source.right) != absolute(source.left) &&
        !IsMpoFileName(source.right))
        ahead.emplace(absolute(source.right));
    for (const auto& [view, name] : {std::pair<timg*, QString>{&pair.ImgLeft, source.left},
                                     std::pair<timg*, QString>{&pair.ImgRight, source.right}}) {
        QImage picture;
        const QString file = absolute(name);
        // The right view of an MPO is its second picture, as a reload reads it.
        const int index = view == &pair.ImgRight ? 1 : 0;
        if (!LoadPictureFile(picture, file, pair.ImageInfo, nullptr, nullptr, index)) {
            failed = name;
            return false;
        }
        view->bitmap = picture;
        loader.InstallViewImage(*view, file);
    }
    pair.StereoType = KindPair;
    return true;
}
