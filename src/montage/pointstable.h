// The points table without its window: points 0 to 12 of both views as the
// text cells of a grid, read back, applied to the views, restored from a
// backup and exchanged or copied row onto row.
#pragma once

#include "core/viewpair.h"

#include <QString>

#include <array>

// Points 0 to 12 are listed; point 13 is not.
constexpr int kTablePoints = 13;

// Columns: caption, index, then flag, x, y of the left view ("g") and of the
// right view ("d").
enum tpointcolumn {
    ColName = 0,
    ColIndex,
    ColLeftFlag,
    ColLeftX,
    ColLeftY,
    ColRightFlag,
    ColRightX,
    ColRightY,
    kTableColumns
};
extern const std::array<const char*, kTableColumns> PointTableHeaders;

// "T" or "F".
QString PointFlagText(bool placed);
// Fixed notation, two decimals, at least five characters (" 1.50", "-1.00").
QString PointCoordText(double v);
// Placed when the first character, upper-cased, is "T".
bool ReadPointFlag(const QString& text);
// Trimmed, the point as decimal separator; anything else counts as 0.
double ReadPointCoord(const QString& text);
// The pair a press on a row makes current: its "Index" cell, or 1 when that
// is not an integer (the header row).
int PairForIndexCell(const QString& text);

using tpointrow = std::array<QString, kTableColumns>;

class tpointstable {
public:
    // Every row with its caption, its index and "F", "0", "0", "F", "0", "0".
    tpointstable();

    // Row i lists point i.
    std::array<tpointrow, kTablePoints> Rows;

    // The rows from both views' points, then the backup read back from them.
    void Fill(const tviewpair& pair);
    // Every row written into the views' points; their captions stay.
    void Apply(tviewpair& pair) const;
    // The rows rewritten from the backup.
    void Restore();
    // A row dragged onto another: the target takes the source's six values;
    // the source takes the target's old ones unless `copy`. Caption and index
    // never move; rows outside the table change nothing.
    void Drop(int from, int to, bool copy);

private:
    std::array<trealpoint, kTablePoints> backupLeft_;
    std::array<trealpoint, kTablePoints> backupRight_;
};
