// The save dialog's values without the window: its fields, the defaults and
// the current values, storing them into the settings, and the size
// calculator (presets, the frame's real size, adapt modes, view and
// composite sizes that follow each other through the frame's ratio).
#pragma once

#include "output/naming.h"
#include "output/savepass.h"

#include <QSize>
#include <QString>

class timg;
class tviewpair;
struct tsettings;

// ComboBoxSize: "Taille Personalisée", "Taille Réelle", then fixed sizes.
enum tsizepreset { PresetCustom = 0, PresetReal = 1 };
constexpr int kSizePresetCount = 8;
extern const char* const SizePresetNames[kSizePresetCount];
// The view size of a fixed preset (2..7); an empty size for the others.
QSize PresetSize(int preset);

// RadioGroupCouple: how the view size relates to the composite's.
enum tcouplelayout { CoupleV = 0, CoupleXP = 1, CoupleBi = 2 };

// Every value the dialog shows, as its controls hold them.
struct tsavevalues {
    tnamingfields naming;
    bool ForceBase = false; // CheckBoxBase "Déplacer vers:"
    QString EditW, EditH;   // one view
    QString EditWt, EditHt; // the whole composite
    QString EditSepar;
    int SizePreset = PresetReal; // ComboBoxSize
    int Adapt = 0;               // ComboBoxAdaptImage
    int Source = 0;              // ComboBoxSource: 0 auto frame, 1 manual frame
    bool Centre = true;          // CheckBoxCentre
    bool KeepRatio = true;       // CheckBoxRatio
    bool CoupleSize = false;     // "Couple" chosen rather than "Vue"
    bool CoupleEnabled = true;   // "Couple" can be chosen
    int Couple = CoupleXP;       // RadioGroupCouple
    double FrameRatio = 1;       // width / height of the source frame
};

// What the size calculator reads besides the fields: the pair, the view
// whose manual crop is meant, and the window-ratio constraint.
struct tsizesource {
    tviewpair* pair = nullptr;
    timg* current = nullptr; // the current view; null means the left one
    int ratioW = 0;
    int ratioH = 0;
};

// A number as the size fields show it: right-aligned in 7 characters, at
// least two digits.
QString SizeText(int value);
// A size field's value: a whole number of at least 0, spaces around it
// allowed. False for anything else.
bool ReadSizeField(const QString& text, int& value);

// A manual crop drawn from right to left or bottom to top becomes the same
// rectangle with a positive width and height.
void NormalizeManualCrop(timg& view);

// The frame width and height the size fields start from: the current view's
// manual crop (normalised first in both views) or the automatic frame under
// the ratio constraint.
QSize SourceFrameSize(const tsizesource& src, int source);

// FrameRatio from the frame without ratio constraint (1 when its height is 0).
void RecomputeFrameRatio(tsavevalues& v, const tsizesource& src);

// ComboBoxSizeChange: the view and composite fields from the preset, the
// frame and the adapt mode.
void SizeComboChange(tsavevalues& v, const tsizesource& src, const tsettings& settings);

enum tsizefield { FieldW, FieldH, FieldWt, FieldHt };
// A size typed into one of the four fields: the preset becomes "Taille
// Personalisée" and the other fields follow. A value that is not a size
// changes nothing.
void SizeFieldTyped(tsavevalues& v, tsizefield field, tsettings& settings);

// The pass moves the current folder into each output folder, so relative
// picture names and a relative base folder are made absolute against the
// current folder first. A base that starts with '.' keeps its own meaning.
void AnchorRelativePaths(tnamingfields& fields);

// "Paramètres par Défaut": the built-in values.
void ShowDefaultValues(tsavevalues& v, const tsettings& settings, const QString& programFolder,
                       const tviewpair& pair);
// "Paramètres Courants": the values of the settings, then the size fields.
void ShowCurrentValues(tsavevalues& v, tsettings& settings, const tsizesource& src);
// The window caption: the left picture's folder, its name, the right name.
QString SaveDialogCaption(const tviewpair& pair);

// Copies the fields into their settings; a size field that is not a size is
// rewritten from its setting.
void StoreDialogValues(tsavevalues& v, tsettings& settings);

// The pass's options from the fields (sizes that are not sizes fall back on
// their settings) and the program's settings.
tsaveoptions SaveOptionsFromValues(const tsavevalues& v, const tsettings& settings, int ratioW,
                                   int ratioH);

// The frame size of the export to the image program: the automatic frame
// under the ratio constraint, or the current view's manual crop.
QSize ExportFrameSize(const tsizesource& src, bool useAuto);
