// Loading a pair without a display, for the command-line commands: a host
// that draws nothing and asks nothing, and the pair read from two pictures
// or from a composite split at its middle.
#pragma once

#include "core/paramfile.h"
#include "input/displayhost.h"

#include <QString>

class theadlesshost : public tdisplayhost, public tparamhost {
public:
    // replaceParamFile answers the parameter file's "replace it?" question.
    explicit theadlesshost(tviewpair& pair, bool replaceParamFile = false)
        : pair_(pair), replaceParamFile_(replaceParamFile) {}

    tviewpair& Pair() override { return pair_; }
    void SetColorMask(quint32) override {}
    void SetTransp1(int) override {}
    void ResetSlot(const timg&) override {}
    void MakeCurrent(const timg&) override {}
    void SetScrollRanges(int, int) override {}
    QSize DisplayArea(const timg&) const override { return {}; }
    void CentreOnArea(const timg&) override {}
    void SetDisplayCentre(const timg&, double, double) override {}
    void Redraw() override {}
    void Recompose() override {}
    void RefreshCaption() override {}
    void RefreshSaveSizes() override {}
    void ShowFirstMontageTab() override {}
    QStringList AskOpenPictures(const QString&, const QString&, const QString&, bool) override {
        return {};
    }
    void ReduceView(timg& view, double factor) override;
    void ReadParameterFile() override {}

    bool AskSaveParamName(QString&) override { return replaceParamFile_; }
    QString AskOpenParamName(const QString&, const QString&) override { return {}; }
    void AskRedirectFolders(const QString&, const QString&) override {}
    void ReloadViews(int stereoType) override;
    void ShowMessage(const QString& text) override;
    // The messages shown so far and the last one: a message while a pair
    // loads means it did not load as asked.
    int Messages() const { return messages_; }
    const QString& LastMessage() const { return lastMessage_; }

private:
    tviewpair& pair_;
    bool replaceParamFile_;
    int messages_ = 0;
    QString lastMessage_;
};

// Where a command takes its pair from: two pictures, or a composite of a
// kind 2..6.
struct tpairsource {
    QString left;
    QString right;
    QString composite;
    int compositeKind = -1;
};

// The commands' rule for where the pair comes from: exactly one of a
// parameter file (hasParamFile), the two pictures together, or a composite.
// False with the usage message in `error`.
bool CheckPairSourceOptions(bool hasParamFile, const tpairsource& source, QString& error);

// The composite kind of a command-line word: X, P, V, A, Bi (any case) or the
// codes 2..6, or MPO (KindMpo: the pair file of a stereo camera); -1 for
// anything else.
int CompositeKindOfText(const QString& text);

// Reads the pair (absolute file names); false with the file that could not
// be read in `failed`. A composite is split after the settings'
// `ExtractOption`, as a reload of a parameter file written from it splits
// it, so both give the same views.
bool LoadPairHeadless(const tpairsource& source, tviewpair& pair, theadlesshost& host,
                      QString& failed);

// Why a picture the pair needs is not there: "picture '…' not found" or
// "cannot read picture '…'".
QString PictureFailureText(const QString& file);

// Reads a parameter file (absolute name) and the pictures it names. False
// when the file was refused or its alignment not read (the reader has told
// the user), or when a picture its kind needs did not load: then `error`
// names that picture.
bool LoadParamPairHeadless(const QString& paramFile, tviewpair& pair, theadlesshost& host,
                           QString& error);

// Reads the pair of `source` (absolute names) with the alignment of the
// parameter file `paramFile` applied to it, as a batch applies one file to
// every entry: the pictures from the source, the rest from the file. False
// as LoadParamPairHeadless.
bool LoadPairWithParamsHeadless(const tpairsource& source, const QString& paramFile,
                                tviewpair& pair, theadlesshost& host, QString& error);
