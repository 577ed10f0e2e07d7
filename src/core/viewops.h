// View-level quarter turns, mirrors and reduction: a view's picture and its
// named points move together.
#pragma once

#include "core/timg.h"

// Codes of TurnPair and TurnCurrent: quarter turns clockwise (1, 2, 3) and the
// mirror bits (4 rows reversed, 8 columns reversed); other codes undo the
// view's turns and mirrors.
enum TurnCode {
    TurnQuarterCW = 1,
    TurnHalf = 2,
    TurnQuarterCCW = 3,
    MirrorRows = 4,
    MirrorColumns = 8
};

// The picture alone: quarter turns clockwise (1, 2, 3; the picture becomes
// H x W for odd counts) and mirror bits (4 rows, 8 columns, 12 both = a half
// turn), in place. Pictures in another format are first made 32-bit. False,
// with the picture unchanged, when the turned picture cannot be allocated.
bool TurnPicture(QImage& picture, int quarters);
bool MirrorPicture(QImage& picture, int bits);

// The view primitives. Each works on the picture and the placed points 0..12 of one
// view (point 13 never moves) with W x H the picture size before the move, and
// returns false, changing nothing, when the turned picture cannot be allocated.
// Quarter turns clockwise: 1 (x, y) -> (H - y, x); 2 (W - x, H - y);
// 3 (y, W - x), the picture turned counter-clockwise. `autorot` is not touched.
bool TurnView(timg& view, int quarters);
// Mirror bits 4 (y -> H - y, rows reversed) and 8 (x -> W - x, columns
// reversed); both together are a half turn of the picture. `mirror` is not touched.
bool MirrorView(timg& view, int bits);

// Both views a quarter, half or three-quarter turn clockwise (codes 1, 2, 3);
// any other code restores both views' orientation.
void TurnPair(timg& left, timg& right, int code);

// The current view only: codes 1, 2, 3 as TurnPair, 4 and 8 the mirrors (a
// second mirror of the same kind undoes the first; both kinds make a half
// turn); any other code restores its orientation.
void TurnCurrent(timg& current, int code);

// Undoes the view's mirrors, then its quarter turns; `mirror` and `autorot`
// end at 0.
void RestoreOrientation(timg& view);

// Replaces the picture by its reduction by f (Trunc(W / f) x Trunc(H / f),
// smoothed) and divides all 14 points, placed or not, by f. Returns false and
// changes nothing when f is not a positive finite number or the new picture
// cannot be allocated.
bool ReduceView(timg& view, double f);
