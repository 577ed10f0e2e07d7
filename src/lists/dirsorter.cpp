// The directory pair sorter's list operations.
#include "lists/dirsorter.h"

#include "input/pictureload.h"

#include <QDir>

#include <utility>

void tsortside::Previous() {
    if (CanPrevious()) --Selected;
}

void tsortside::Next() {
    if (CanNext()) ++Selected;
}

void tsortside::MoveUp() {
    if (CanUp()) Entries.swapItemsAt(Selected, Selected - 1);
}

void tsortside::MoveDown() {
    if (CanDown()) Entries.swapItemsAt(Selected, Selected + 1);
}

void tsortside::Duplicate() {
    if (!HasSelection()) return;
    const tsortentry copy = Entries[Selected];
    Entries.insert(Selected + 1, copy);
    ++Selected;
}

void tsortside::ToggleEnabled() {
    if (HasSelection()) Entries[Selected].enabled = !Entries[Selected].enabled;
}

void tsortside::DeleteSelected() {
    if (!HasSelection()) return;
    Entries.removeAt(Selected);
    if (Selected >= Count()) Selected = Count() - 1;
}

void tsortside::SelectAt(int index) {
    if (Entries.isEmpty()) {
        Selected = -1;
        return;
    }
    Selected = index < 0 || index >= Count() ? Count() - 1 : index;
}

void tsortside::Fill(const QString& folder, const QStringList& names, const QString& chosenName,
                     const QString& currentDir) {
    Entries.clear();
    Selected = -1;
    QString withDelimiter = folder;
    if (!withDelimiter.isEmpty() && !withDelimiter.endsWith(QLatin1Char('/')))
        withDelimiter += QLatin1Char('/');
    Folder = withDelimiter;
    for (const QString& n : names) Entries.append({n, withDelimiter});
    if (Entries.isEmpty()) {
        Folder = currentDir;
        return;
    }
    Selected = 0;
    for (int i = 0; i < Count(); ++i)
        if (Entries[i].name == chosenName) {
            Selected = i;
            break;
        }
}

QString tsortside::StatusFolder() const {
    return HasSelection() ? Entries[Selected].folder : Folder;
}

QString tsortside::StatusPosition() const {
    return QStringLiteral("%1/%2").arg(Selected + 1).arg(Count());
}

QStringList PictureFilesIn(const QString& folder) {
    QStringList files;
    if (folder.isEmpty()) return files;
    QDir dir(folder);
    if (!dir.exists()) return files;
    for (const QString& ext : RegisteredPictureExtensions()) {
        const QStringList found =
            dir.entryList({QStringLiteral("*.") + ext},
                          QDir::Files | QDir::Hidden | QDir::System | QDir::Readable,
                          QDir::Name | QDir::IgnoreCase);
        for (const QString& f : found)
            if (!files.contains(f)) files << f;
    }
    return files;
}

void SwapSides(tsortside& a, tsortside& b) {
    std::swap(a.Entries, b.Entries);
    std::swap(a.Selected, b.Selected);
}

bool MoveAcross(tsortside& from, tsortside& to, int dropIndex) {
    if (!from.HasSelection()) return false;
    const tsortentry moved = from.Entries[from.Selected];
    const int at = dropIndex < 0 || dropIndex > to.Count() ? to.Count() : dropIndex;
    to.Entries.insert(at, moved);
    to.Selected = at;
    from.Entries.removeAt(from.Selected);
    if (from.Selected >= from.Count()) from.Selected = from.Count() - 1;
    return true;
}

QString PictureSizeText(int width, int height) {
    return QStringLiteral("w=%1 h=%2").arg(width).arg(height);
}
