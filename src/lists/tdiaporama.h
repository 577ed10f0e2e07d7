// The list of pairs walked by the slideshow and the batch: its two columns,
// the current entries, its options and the edits of the list window.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <array>

// The eight kinds a list can hold, in the order the kind choosers offer them.
constexpr std::array<int, 8> kListKinds = {0, 1, 2, 3, 4, 5, 6, 10};
// Position of a kind among kListKinds; -1 when it is not one of them.
int ListKindPosition(int kind);

enum class tcolumn { Left, Right };

class tdiaporama {
public:
    bool Ready = false;  // validated in the options window
    int Interval = 1000; // display time per entry, ms
    bool Loop = false;   // start again at the other end
    int ListKind = 0;    // stereo kind of the entries
    int IndexR = 0;
    int IndexL = 0;
    int IndexPrm = 0;
    QStringList ListL; // stereos, single pictures, left views or parameter files
    QStringList ListR; // right views, entry i pairing with ListL[i]
    QString ParamsFile;

    // Parameter files are walked on the left column itself.
    QStringList& ListPrm() { return ListL; }
    const QStringList& ListPrm() const { return ListL; }

    QStringList& Column(tcolumn c) { return c == tcolumn::Left ? ListL : ListR; }
    const QStringList& Column(tcolumn c) const { return c == tcolumn::Left ? ListL : ListR; }

    // "Effacer Tout...": empty, not ready, indexes and parameter file cleared;
    // the display time, the loop and the kind stay.
    void ClearLists();

    // Appends files to a column; the indexes go back to the first entry.
    void Append(tcolumn c, const QStringList& files);

    // ">> Split >>": the entries at odd positions of the left column (of the
    // right one when the left is empty) replace the other column. False when
    // the source has fewer than two entries.
    bool Split();
    // Copies of the selected entries right after the last selected one, in
    // the order of the selection.
    bool Duplicate(tcolumn c, QList<int> selected);
    // The selected entries of the left box (of the right box when the left
    // has none) trade places with their partners in the other column, where
    // both exist. False when the partner column is empty.
    bool Exchange(QList<int> selectedL, QList<int> selectedR);
    bool Delete(tcolumn c, QList<int> selected);
    // A drag dropped on its own box: copies of the selection at dropIndex
    // (the end when negative or past it).
    bool DropOnSame(tcolumn c, QList<int> selected, int dropIndex);
    // A drag dropped on the other box: the selection moves there, at dropIndex.
    bool DropOnOther(tcolumn from, QList<int> selected, int dropIndex);
    // Files dropped from the desktop: the right column when x lies right of
    // the middle of a window `width` wide, else the left one.
    void DropFiles(const QStringList& files, int x, int width);

private:
    void Edited();
};

// "Liste:" followed by the name of the kind.
QString ListCaption(int kind);
