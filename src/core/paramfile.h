// The parameter file (.prm): the alignment of a pair written to and read
// from an INI file, each view in its own section.
#pragma once

#include <QChar>
#include <QString>

class timg;
class tinifile;
class tviewpair;
struct tsettings;

// The separators of the real numbers. The writer records its own in the
// file; the reader takes the file's, so a file written where the decimal
// separator is a comma reads the same anywhere. Nothing process-wide changes.
struct tseparators {
    QChar decimal = u'.';
    QChar thousand = u',';
};

// The separators of the system's locale.
tseparators SystemSeparators();

// The last parameter file written or read; empty at start.
extern QString PrmFileName;

// The folder fileName lies in, absolute and with the system's delimiters:
// what OpenDirPrm keeps after a read or a dialog.
QString ParamFileFolder(const QString& fileName);

// What the parameter file needs from the rest of the program: the desktop
// program implements it over its windows, tests fake it.
class tparamhost {
public:
    virtual ~tparamhost() = default;
    // The display side of resetting both views before a read: the current
    // zoom applied again and the crop display switched off.
    virtual void ViewsReset() {}
    // The save dialog "Enregistrer les Paramètres de Rotation": the user
    // confirms or changes fileName; false when cancelled.
    virtual bool AskSaveParamName(QString& fileName) = 0;
    // The open dialog "Lire les Paramètres de Rotation" starting in
    // startFolder with proposedName; the chosen file, empty when cancelled.
    virtual QString AskOpenParamName(const QString& startFolder, const QString& proposedName) = 0;
    // The folder redirection dialog, shown modally with its two fields
    // pre-filled; on OK it stores the folders and the redirection switch.
    virtual void AskRedirectFolders(const QString& leftFolder, const QString& rightFolder) = 0;
    // Reads both views again from their file names according to the kind,
    // reducing each by its dz.
    virtual void ReloadViews(int stereoType) = 0;
    // A message box with an OK button.
    virtual void ShowMessage(const QString& text) = 0;
    // Hour-glass cursor on and off.
    virtual void BeginBusy() {}
    virtual void EndBusy() {}
};

// One view's section: the separators, the file name, the alignment
// parameters and the 14 points, x and y multiplied by dz so that they refer
// to the image file itself. False when the section could not be written.
bool WriteSection(const timg& view, tinifile& file, const QString& section,
                  const tseparators& separators = SystemSeparators());

// Reads one view's section; missing or unreadable values take their
// defaults, points are stored as read (still multiplied by dz). The file name
// is read only with withFileName. False when the file's separators are
// unusable (an empty "decimal"): the fields stay as they were.
bool ReadSection(timg& view, const tinifile& file, const QString& section, bool withFileName,
                 const tseparators& current = SystemSeparators());

// "Fichier de Paramètres non écrit : un nom d'image contient un saut de ligne"
extern const char* const ParamNameLineBreakText;
// False when a picture name holds a line break (or a NUL), which a parameter
// file cannot hold: such a file is never written.
bool ParamFileCanHoldNames(const tviewpair& pair);

// Writes the pair to fileName, after the save dialog when withDialog; the
// folder is created when missing. On success PrmFileName and OpenDirPrm
// follow the file. False when cancelled or nothing could be written.
bool WriteParams(const tviewpair& pair, const QString& fileName, bool withDialog, tparamhost& host,
                 tsettings& settings, const tseparators& separators = SystemSeparators());

enum class tparamread {
    Read,    // read and applied
    Partial, // applied, but a section's numbers could not be read (the user is told)
    Refused, // not applied: missing or unreadable file, or a dz that is not positive
};

// Reads a parameter file into the pair. withImages: the kind and the image
// files come from the file; otherwise the parameters apply to the current
// images. Missing images are looked up through the redirection folders, then
// the views are reloaded. A refused file leaves the pair untouched.
tparamread ReadParams(tviewpair& pair, const QString& fileName, bool withImages, tparamhost& host,
                      tsettings& settings, const tseparators& current = SystemSeparators());

// Messages of the reader.
extern const char* const ParamFileMissingText;    // the file does not exist
extern const char* const ParamFileUnreadableText; // cannot be read or far too large
extern const char* const ParamBadDzText;          // dz not positive
extern const char* const ParamNoSeparatorText;    // empty "decimal"
