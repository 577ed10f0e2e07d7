// The directory pair sorter's lists: one side's entries (name, folder, check
// mark, enabled state) with its selection, the moves, copies, deletions and
// the exchange of both sides. It never touches the files themselves.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

struct tsortentry {
    QString name;   // the bare file name, the entry's text
    QString folder; // with a trailing delimiter
    bool checked = false;
    bool enabled = true;
    QString FullPath() const { return folder + name; }
};

class tsortside {
public:
    QList<tsortentry> Entries;
    int Selected = -1; // -1: nothing selected
    QString Folder;    // the folder last opened on this side

    int Count() const { return Entries.size(); }
    bool HasSelection() const { return Selected >= 0 && Selected < Count(); }
    const tsortentry* Current() const { return HasSelection() ? &Entries[Selected] : nullptr; }

    // What the side's buttons may do.
    bool CanPrevious() const { return Selected > 0; }
    bool CanNext() const { return Selected < Count() - 1; }
    bool CanUp() const { return Selected > 0 && Selected < Count(); }
    bool CanDown() const { return Selected >= 0 && Selected < Count() - 1; }
    bool CanEdit() const { return HasSelection(); } // Add and Del

    void Previous();
    void Next();
    // The selected entry trades places with its neighbour; the selection stays
    // at the same position.
    void MoveUp();
    void MoveDown();
    // A copy right after the selected entry, selected.
    void Duplicate();
    // The selected entry greyed or back.
    void ToggleEnabled();
    // The selected entry goes; the selection stays at its index or the new last.
    void DeleteSelected();
    // A press in the box: the entry under the pointer, the last when below the list.
    void SelectAt(int index);

    // A folder opened: `folder` is the chosen file's folder, `names` the
    // pictures found there; the chosen file is selected, else the first. An
    // empty list takes `currentDir` as its folder and selects nothing.
    void Fill(const QString& folder, const QStringList& names, const QString& chosenName,
              const QString& currentDir);

    // Status panel 0: the selected entry's folder, else the side's folder.
    QString StatusFolder() const;
    // Status panel 1: "%d/%d", position and count.
    QString StatusPosition() const;
};

// The pictures of a folder by registered extension, in the format list's
// order, each extension's files in name order; regular files only.
QStringList PictureFilesIn(const QString& folder);

// Both sides trade their lists, folders of entries, marks and selections.
void SwapSides(tsortside& a, tsortside& b);

// A drag from one box dropped on the other: the source's selected entry is
// inserted at dropIndex (the end when negative or past it) and selected; the
// source keeps its selection index or its new last. False when the source
// has no selected entry.
bool MoveAcross(tsortside& from, tsortside& to, int dropIndex);

// "w=%d h=%d".
QString PictureSizeText(int width, int height);
