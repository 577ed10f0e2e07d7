// The list of pairs and the list window's edits on it.
#include "lists/tdiaporama.h"

#include "core/stereokinds.h"

#include <algorithm>

namespace {

// The selection in increasing order, without repeats or indexes outside the list.
QList<int> Clean(QList<int> selected, int count) {
    std::sort(selected.begin(), selected.end());
    selected.erase(std::unique(selected.begin(), selected.end()), selected.end());
    selected.erase(std::remove_if(selected.begin(), selected.end(),
                                  [count](int i) { return i < 0 || i >= count; }),
                   selected.end());
    return selected;
}

int DropPosition(int dropIndex, int count) {
    return dropIndex < 0 || dropIndex > count ? count : dropIndex;
}

} // namespace

int ListKindPosition(int kind) {
    for (int i = 0; i < static_cast<int>(kListKinds.size()); ++i)
        if (kListKinds[i] == kind) return i;
    return -1;
}

QString ListCaption(int kind) {
    const QString name = kind >= 0 && kind < kStereoKindCount ? StereoKindNames[kind] : QString();
    return QStringLiteral("Liste:") + name;
}

void tdiaporama::Edited() {
    IndexL = 0;
    IndexR = 0;
}

void tdiaporama::ClearLists() {
    Ready = false;
    ListL.clear();
    ListR.clear();
    IndexL = IndexR = IndexPrm = 0;
    ParamsFile.clear();
}

void tdiaporama::Append(tcolumn c, const QStringList& files) {
    if (files.isEmpty()) return;
    Column(c) += files;
    Edited();
}

bool tdiaporama::Split() {
    QStringList& source = ListL.isEmpty() ? ListR : ListL;
    QStringList& target = ListL.isEmpty() ? ListL : ListR;
    if (source.size() < 2) return false;
    target.clear();
    QStringList kept;
    for (int i = 0; i < source.size(); ++i) (i % 2 ? target : kept) << source[i];
    source = kept;
    Edited();
    return true;
}

bool tdiaporama::Duplicate(tcolumn c, QList<int> selected) {
    QStringList& list = Column(c);
    selected = Clean(selected, list.size());
    if (selected.isEmpty()) return false;
    // Every copy goes to the same place; inserting from the last selected
    // down to the first leaves them in the order of the selection.
    const int p = selected.last() + 1;
    for (int k = selected.size() - 1; k >= 0; --k) list.insert(p, list[selected[k]]);
    Edited();
    return true;
}

bool tdiaporama::Exchange(QList<int> selectedL, QList<int> selectedR) {
    selectedL = Clean(selectedL, ListL.size());
    selectedR = Clean(selectedR, ListR.size());
    const bool fromLeft = !selectedL.isEmpty();
    const QList<int>& selected = fromLeft ? selectedL : selectedR;
    const QStringList& partner = fromLeft ? ListR : ListL;
    if (selected.isEmpty() || partner.isEmpty()) return false;
    bool changed = false;
    for (int i : selected) {
        if (i >= ListL.size() || i >= ListR.size()) continue;
        std::swap(ListL[i], ListR[i]);
        changed = true;
    }
    if (changed) Edited();
    return changed;
}

bool tdiaporama::Delete(tcolumn c, QList<int> selected) {
    QStringList& list = Column(c);
    selected = Clean(selected, list.size());
    if (selected.isEmpty()) return false;
    for (int k = selected.size() - 1; k >= 0; --k) list.removeAt(selected[k]);
    Edited();
    return true;
}

bool tdiaporama::DropOnSame(tcolumn c, QList<int> selected, int dropIndex) {
    QStringList& list = Column(c);
    selected = Clean(selected, list.size());
    if (selected.isEmpty()) return false;
    QStringList copies;
    for (int i : selected) copies << list[i];
    const int p = DropPosition(dropIndex, list.size());
    for (int k = 0; k < copies.size(); ++k) list.insert(p + k, copies[k]);
    Edited();
    return true;
}

bool tdiaporama::DropOnOther(tcolumn from, QList<int> selected, int dropIndex) {
    QStringList& source = Column(from);
    QStringList& target = Column(from == tcolumn::Left ? tcolumn::Right : tcolumn::Left);
    selected = Clean(selected, source.size());
    if (selected.isEmpty()) return false;
    const int p = DropPosition(dropIndex, target.size());
    for (int k = 0; k < selected.size(); ++k) target.insert(p + k, source[selected[k]]);
    for (int k = selected.size() - 1; k >= 0; --k) source.removeAt(selected[k]);
    Edited();
    return true;
}

void tdiaporama::DropFiles(const QStringList& files, int x, int width) {
    Append(x > width / 2 ? tcolumn::Right : tcolumn::Left, files);
}
