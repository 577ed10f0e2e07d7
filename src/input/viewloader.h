// Filling the views from files: installing a loaded picture, the open
// commands of the File menu, the composite splits and the reload of both
// views from their file names.
#pragma once

#include "input/displayhost.h"

#include <QImage>
#include <QString>

class tviewloader {
public:
    explicit tviewloader(tdisplayhost& host) : host_(host) {}

    // Set while ReloadViews runs: installing then keeps the views' alignment.
    bool Reloading = false;

    // Makes a freshly filled view bitmap current: reset (unless reloading),
    // stored quarter turn and mirror, scroll ranges, centre, redraw.
    void InstallViewImage(timg& View, const QString& FileName);
    // Copies Picture into Target; blanks and resets Other when given; installs Target.
    void LoadSingleView(const QImage& Picture, timg& Target, const QString& FileName, timg* Other);
    // The open dialog with Title in Folder (remembered on success), then the
    // picture into Target; Other blanked when given.
    bool OpenIntoView(timg& Target, timg* Other, const QString& Title, QString& Folder);

    bool OpenImage();
    bool OpenLeft();
    bool OpenRight();
    bool OpenPair();
    bool OpenCrossed();
    bool OpenParallel();
    bool OpenVertical();
    bool OpenDouble();
    bool OpenAnaglyph();

    // Both views from the composite Picture, installed under FileName.
    void SplitCrossed(const QImage& Picture, const QString& FileName);
    void SplitParallel(const QImage& Picture, const QString& FileName);
    void SplitVertical(const QImage& Picture, const QString& FileName);
    void SplitDouble(const QImage& Picture, const QString& FileName);
    void SplitAnaglyph(const QImage& Picture, const QString& FileName);
    // The split of a composite kind (2 crossed, 3 parallel, 4 anaglyph,
    // 5 over-under, 6 double); false for any other kind.
    bool SplitByKind(int Kind, const QImage& Picture, const QString& FileName);

    // Reads the views again from their file names after the stereo kind.
    // A view named after an MPO file takes its first picture on the left,
    // its second on the right.
    void ReloadViews(int Kind);

    // Both views from an MPO file: its first picture the left view, its
    // second the right view, both named after the file, kind 1 (a separate
    // pair). When either picture fails the loader says why and both views
    // stay as they were.
    bool LoadMpoPair(const QString& FileName);

private:
    bool AskOne(const QString& title, const QString& folder, bool multi, QStringList& files);
    bool OpenComposite(int kind, QString& folder);
    // An MPO chosen in an open dialog: the pair, the folder remembered and
    // the display recomposed. False for any other file (ok untouched).
    bool OpenedMpo(const QString& file, QString& folder, bool& ok);
    void SplitSideBySide(int kind, const QImage& picture, const QString& fileName);
    void Blank(timg& view, QSize size);

    tdisplayhost& host_;
    // The open dialog's last file: its name part is offered next time.
    QString lastDialogFile_;
};
