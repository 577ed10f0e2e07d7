// Language files: where they are, their names, the free strings and the
// file as a whole (reading with its checks, writing).
#pragma once

#include "core/inifile.h"
#include "lng/lngtexts.h"

#include <QString>
#include <QStringList>

#include <vector>

// Language files are read from the program's own "lng" folder (shipped,
// read-only once installed) and from the user's folder; everything the
// program writes goes to the user's folder.
struct tlngfolders {
    QString program; // <program folder>/lng
    QString user;    // $XDG_DATA_HOME/kvtq/lng, default ~/.local/share/kvtq/lng
};

// The folders of the running program and user, without trailing delimiter.
tlngfolders DefaultLngFolders();
// The user's folder from the environment: XDG_DATA_HOME when absolute, else
// HOME + "/.local/share"; "" when neither is known.
QString UserLngFolder();

// The file-name part of name with its extension replaced by ".lng", in the
// user's folder when it is there, else in the program's folder when it is
// there, else in the user's folder. An empty name gives CurrentLngPath.
QString LngFilePath(const tlngfolders& folders, const QString& name);
// The working copy of the active language and the name proposed for a new
// file, both in the user's folder.
QString CurrentLngPath(const tlngfolders& folders);
QString NewLngPath(const tlngfolders& folders);

// The bare names of the ".lng" files (any case) of both folders, sorted
// without regard to case, without duplicates; folders and other files left
// out.
QStringList ListLanguageFiles(const tlngfolders& folders);

// The free strings, with their built-in French values until a language file
// replaces them.
struct tlngstrings {
    QString emptyimgname = QStringLiteral("Vide");
    QString ClipBoardImgName = QStringLiteral("PressePapier");
    QString quit = QStringLiteral("Quitter?");
    QString ListFilter = QStringLiteral("Liste *.lst|*.lst|Tous Fichiers *.*|*.*");
    QString Filter = QStringLiteral("Langues *.lng|*.lng|All Files *.*|*.*");
    QString SaveLng = QStringLiteral("Enregistrer un Fichier Langue");
    QString OpenLng = QStringLiteral("Lire un Fichier Langue");
    QString Edit = QStringLiteral("Editer");
    QString SaveEdit = QStringLiteral("Voulez-vous enregistrer les  modifications ?");
    // The language of the interface ([File] Language): Qt's own texts and
    // the help pages follow it.
    QString Language = QStringLiteral("fr");
};
extern tlngstrings LngStrings;

// The free strings, then the run-time texts as they stand ([Texts]).
void WriteLngStrings(tinifile& ini, const tlngstrings& strings);
// Each string whose key is present with a non-empty value takes it; so do
// the run-time texts of the [Texts] section (core/freetexts).
void ReadLngStrings(const tinifile& ini, tlngstrings& strings);

// Reads path into ini. False, with a message naming the file and the cause,
// when the file is missing, is not a regular file, cannot be read, is too
// large or holds no section at all; ini is then empty, so applying it
// changes nothing.
bool ReadLanguageFile(const QString& path, tinifile& ini, QString* message);

// Writes the free strings and every window to path, creating its folder.
// False with a message when the folder or the file cannot be written; an
// existing file is replaced only by a complete new one.
bool WriteLanguageFile(const QString& path, const tlngstrings& strings,
                       const std::vector<tlngwindow>& windows, QString* message);
