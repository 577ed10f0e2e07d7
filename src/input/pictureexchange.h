// Pictures that reach the views from the clipboard or a drop: what a clipboard
// or drag content means, the paste of a pair or of one view, dropped files and
// pictures, and the copy of a view turned as the display shows it.
#pragma once

#include "input/viewloader.h"

#include <QImage>
#include <QString>
#include <QStringList>

#include <functional>

class QMimeData;

// The names a view gets when its picture came from no file.
inline constexpr const char* kNameClipboard = "ClipBoard";
inline constexpr const char* kNameClipboardLeft = "ClipBoardLeft";
inline constexpr const char* kNameClipboardRight = "ClipBoardRight";
inline constexpr const char* kNameDragDrop = "DragDrop";

// What a clipboard or a drop offers, in the order a paste tries it.
struct texchangecontent {
    QStringList files; // local files (a file list, "text/uri-list")
    QString text;      // plain text, taken as a file name
    QString fileName;  // the named 8-bit "FileName" format
    QImage picture;    // a picture in any of the image formats
    bool Empty() const {
        return files.isEmpty() && text.isEmpty() && fileName.isEmpty() && picture.isNull();
    }
};

// Reads a clipboard or drop content: local files of the URL list, the text
// (a "file:" URL becomes its local path), the "FileName" format and the image.
texchangecontent ExchangeContentOf(const QMimeData& mime);

// Which clipboard source gave the picture of a paste.
enum class texchangesource { None = -1, Files, Text, FileName, Picture };

// StereoType after a picture went into one view: the pair is complete (1)
// when the other view was already alone or paired, else the view alone (7 left,
// 8 right).
int StereoTypeAfterViewLoad(bool intoLeft, int stereoType);

// The current view turned by its rotation and scaled by its dz, as the
// display shows it: the corners turned by -rot give the bitmap's size.
QImage TurnedViewCopy(const timg& view);

class tpictureexchange {
public:
    tpictureexchange(tviewloader& loader, tdisplayhost& host) : loader_(loader), host_(host) {}

    // Shown before a single picture is installed when DragDropAsk is set;
    // false (cancelled) installs nothing. Without it the picture is installed.
    std::function<bool()> AskFileType;
    // Reads a dropped parameter file with its pictures.
    std::function<void(const QString& fileName)> OpenParamFile;

    // The pair from the clipboard content: two files fill both views, one
    // picture follows DragDropFileType. `current` is the current view.
    texchangesource PasteStereo(const texchangecontent& content, timg& current);
    // One picture or picture file from the clipboard into the current view;
    // StereoType and the folders stay. False when nothing was installed.
    bool PasteView(const texchangecontent& content, timg& current);
    // Files dropped on the display window over `target`: a parameter file,
    // one picture (after DragDropFileType) or two (a pair). False when
    // nothing changed.
    bool DropFiles(const QStringList& files, timg& target);
    // A picture dragged from another window of the program onto `target`.
    bool DropPicture(const QImage& picture, timg& target);

private:
    bool Load(const QString& name, QImage& work);
    // The single picture after DragDropFileType (a split or one view).
    void InstallSingle(const QImage& work, timg& target, const QString& name);
    bool InstallMpo(const QString& name);
    void SetFolder(bool left, const QString& name);
    void Refresh();

    tviewloader& loader_;
    tdisplayhost& host_;
};
