// Output names and folders: base name, per-kind suffix and extension, kind
// folders relative to a base folder, folder creation and the disk status.
#pragma once

#include "core/stereokinds.h"
#include "core/viewpair.h"

#include <QString>
#include <QStringList>

#include <array>

struct tsettings;

// What the save dialog shows and the naming rules read: its name, folder,
// suffix and tick fields and the file names of the two views. The dialog
// fills one from its controls; the command line fills one from its options.
struct tnamingfields {
    QString FileName;    // EditFileName: the base name typed or in use
    bool Rename = false; // CheckBoxFileName "Renommer:": use FileName as typed
    QString RepBase;     // EditRepBase: the base folder
    // Per kind code; only the kinds with an edit (2..8, 10 and the added
    // kinds 13..15) are used.
    std::array<QString, kOutputKindCount> Folder; // EditRepL … EditRepPrm
    std::array<QString, kOutputKindCount> Suffix; // EditSufL … EditSufPrm
    std::array<bool, kOutputKindCount> Ticked{};  // CheckBoxL … CheckBoxPrm
    bool Jpeg = false;                            // CheckBoxJPEG
    // A picture format other than BMP and JPEG chosen for every picture
    // output (".png" or ".tif"); empty leaves the choice to Jpeg.
    QString Format;
    QString LeftFile;  // filename of ImgLeft
    QString RightFile; // filename of ImgRight
};

// True for the kinds that have a folder and a suffix edit (2..8, 10 and the
// added kinds 13..15).
bool KindHasOutputFields(int kind);

// The order of the name list: L, R, SX, SP, SV, Ana, Bi, parameter file.
extern const std::array<int, 8> NameListOrder;
// The order in which missing folders are asked for: parameter file first.
extern const std::array<int, 8> FolderCheckOrder;

// The program's texts of this part.
extern const char* const CreateFolderCaption;    // "Création de Dossier"
extern const char* const CreateFolderPrompt;     // "Nouveau Dossier:"
extern const char* const FolderExistsText;       // "Le Dossier existe déjà"
extern const char* const CannotCreateFolderText; // "Impossible de créer le Dossier: '%s'"
extern const char* const AskCreateDirText;       // "Voulez-vous créer un nouveau répertoire?"
extern const char* const MissingDirMark;         // " !!Directory doesn't exist!!"
extern const char* const NewDirectoryText;       // "New Directory"
extern const char* const NoDiskInfoText;         // "Can't Get Disk Info"

// The answers to the folder questions. The save dialog asks the user; the
// command line answers from its options.
enum class tcreateanswer { Yes, No, Cancel, Abort, YesToAll };

class tfolderquestions {
public:
    virtual ~tfolderquestions() = default;
    // "Voulez-vous créer un nouveau répertoire?" about a missing folder
    // (buttons Yes, No, Cancel, Abort, Yes to all).
    virtual tcreateanswer AskCreateDirectory(const QString& folder) = 0;
    // The input query "Création de Dossier" / "Nouveau Dossier:" showing the
    // folder for editing; false when cancelled.
    virtual bool EditNewFolder(QString& folder) = 0;
    // An error message with an OK button.
    virtual void ShowError(const QString& text) = 0;
};

// Fixed answers, for the command line: every question gets the same answer,
// a folder is taken as proposed, errors are kept for the caller to print.
class tfixedfolderanswers : public tfolderquestions {
public:
    explicit tfixedfolderanswers(bool create) : create_(create) {}
    tcreateanswer AskCreateDirectory(const QString&) override {
        return create_ ? tcreateanswer::Yes : tcreateanswer::No;
    }
    bool EditNewFolder(QString&) override { return create_; }
    void ShowError(const QString& text) override { Errors << text; }
    QStringList Errors;

private:
    bool create_;
};

// The base name from the two view files: "IMG_1234.JPG" and "IMG_1235.JPG"
// give "IMG_1234_35"; with no right file, the left name alone.
QString DefaultBaseName(const QString& leftFile, const QString& rightFile);

// ".png" or ".tif" for a format text naming PNG or TIFF (with or without
// the dot, "tiff" too, any case); empty for anything else.
QString OtherFormatExtension(const QString& text);

// base + suffix + extension, without folder. The MPO kind always ends in
// ".mpo"; the other picture kinds take the given extension, else
// fields.Format, else ".jpg" or ".bmp" after fields.Jpeg. suffix and extension override
// the kind's fields when not empty. Sets fields.FileName to the base in use.
QString BuildFileName(const QString& suffix, const QString& extension, int kind,
                      tnamingfields& fields);

// The folder a kind folder text stands for: relative texts (starting with
// '.') hang under the base folder, "." as the base means the left image's
// folder. Both '\' and '/' are accepted; the result is native.
QString ResolveFolder(const QString& base, const QString& folder, const QString& leftImage);

// ResolveFolder(trimmed base field, the kind's folder field); empty for a
// kind without a folder field.
QString KindFolder(int kind, const tnamingfields& fields);

// Creates a folder with all missing levels; false when it does not exist
// afterwards.
bool CreateWholePath(const QString& folder);

// Resolves folder (in/out) against base and makes sure it exists: with
// create, a missing folder is created at once when silent, else after
// AskCreateFolder; without create, a missing folder is created only when
// silent. True when the folder is there.
bool EnsureFolder(const QString& base, QString& folder, bool create, bool silent,
                  const QString& leftImage, tfolderquestions& questions);

// Asks before creating a missing folder, letting the user edit it (in/out).
bool AskCreateFolder(QString& folder, tfolderquestions& questions);

// Before a save of several outputs: asks about each missing folder of the
// ticked kinds and creates the accepted ones. False when the user aborted.
bool CheckOutputFolders(const tnamingfields& fields, tfolderquestions& questions);

// The full path of the parameter file in its folder, the folder created when
// needed. False when the folder could not be obtained (path untouched).
// The current directory becomes the folder, as for every output written.
bool ParamFilePath(tnamingfields& fields, bool askBeforeCreateDir, tfolderquestions& questions,
                   QString& path);

// The last folder written for a kind, kept in the settings.
void RememberSaveDir(const QString& folder, int kind, tsettings& settings);
// The settings variable holding a kind's output sub-folder (DirL … DirPrm),
// nullptr for a kind without one.
QString tsettings::*KindFolderSetting(int kind);
// The settings variable holding a kind's file-name suffix (SuffixL …
// SuffixPrm), nullptr for a kind without one.
QString tsettings::*KindSuffixSetting(int kind);
// The settings variable holding a kind's tick in the save dialog (SaveL …
// SavePrm), nullptr for a kind without one.
bool tsettings::*KindTickSetting(int kind);

// The save fields as the save dialog first shows them: the base folder
// (DirBase when forced, else the left picture's folder), the base name, kind
// folders, suffixes, ticks and the JPEG choice, with the pair's file names.
tnamingfields NamingFieldsFromSettings(const tsettings& settings, const tviewpair& pair);

// The lines of the name list: folder + name per ticked kind, each missing
// folder marked on the line after it.
QStringList OutputNameList(tnamingfields& fields);

// "Défaut": the base name from the view files (or "3d"), "Renommer:" off.
void DefaultFileNameField(tnamingfields& fields);
// Every kind folder field rewritten relative to the base folder.
void MakeFoldersRelative(tnamingfields& fields);

// The folder text cleaned of junk at both ends, with one trailing
// delimiter ("" gives the root delimiter).
QString NormalizeFolder(const QString& text);
// folder as ".\rest" when it lies under base, else folder normalised.
QString MakeRelativeFolder(const QString& folder, const QString& base);

// The drive (or mount point) a path lies on.
QString DriveOf(const QString& path);
// "New Directory", the free space line, or "Can't Get Disk Info".
QString DiskSpaceText(const QString& folder);
// The free space line from the two byte counts.
QString FormatDiskSpace(const QString& drive, qint64 totalBytes, qint64 availableBytes);

// Size of a file in bytes; 0 when it cannot be opened.
qint64 FileSizeBytes(const QString& path);
