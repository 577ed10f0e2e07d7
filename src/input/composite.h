// Composite stereo pictures: where each view lies in a side-by-side,
// over-under, three-panel or anaglyph picture, the automatic measure of the
// band between the views, and the choice of the band width.
#pragma once

#include <QImage>
#include <QRect>
#include <QString>

// The two rectangles of a composite of kind 2, 3, 5 or 6 (crossed, parallel,
// over-under, double) of width x height with a band of `separation` pixels.
// For any other kind, both rectangles are the whole picture. Pixels beyond
// the last part are dropped; a band so wide (or negative) that a part would
// fall outside the picture or vanish counts as no band.
struct tcompositegeometry {
    QRect left;
    QRect right;
};
tcompositegeometry CompositeGeometry(int kind, int width, int height, int separation);

// Cuts a 32-bit composite into its two views, pixel for pixel. The anaglyph
// (kind 4) gives the picture ANDed with 0xFF0000 (left) and 0x00FFFF (right),
// alpha 0, whatever the separation.
void CutComposite(const QImage& picture, int kind, int separation, QImage& left, QImage& right);

// The width of the plain band between the views, measured around the centre
// of the picture (the first third for kind 6): 0 for an empty picture, never
// more than half the picture's width (height for kind 5).
int AutoSeparation(const QImage& picture, int kind);

// Stores the manual band width `OpenSepar`: values <= 0 store 0, others are
// rounded down to an even number.
void SetManualSeparation(int n);

// The integer a text field holds, 0 when it is not an integer.
int SeparationFieldValue(const QString& text);

// What DetectSeparation needs of the separation dialog (TSeparDialog in the
// desktop program). Its fields keep their text between uses.
class tseparationdialog {
public:
    virtual ~tseparationdialog() = default;
    virtual QString AutoText() const = 0; // EditSeparAuto
    virtual void SetAutoText(const QString& text) = 0;
    virtual QString ManualText() const = 0; // EditSeparManuel
    virtual void SetManualText(const QString& text) = 0;
    // Shows the dialog modally for a split; false when it was closed with Ignore.
    virtual bool AskForSplit() = 0;
    // The "Afficher cette Fenêtre:" choice and whether "Valeur Manuelle" is chosen.
    virtual int AskChoice() const = 0;
    virtual bool ManualChosen() const = 0;
};

// The dialog DetectSeparation asks; not owned. Without one (command line) a
// plain record of the two fields stands in, and "asking" takes the
// automatic width.
void SetSeparationDialog(tseparationdialog* dialog);
tseparationdialog& SeparationDialog();

// The band width to split with, after `ExtractOption`: 1 none, 2 the manual
// width, 3 the automatic width, 0 ask the user. Asking may change
// `ExtractOption`.
int DetectSeparation(const QImage& picture, int kind);
