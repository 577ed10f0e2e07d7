// `orvanel-cli pair-dirs`: the pictures of two folders paired in name order,
// written as a list file for `render --list`.
#pragma once

#include <QString>
#include <QStringList>

#include <cstdio>

// The lines of the command's help, appended to the program's usage text.
extern const char* const PairDirsUsage;

// The pictures of the registered formats in `folder` (any case of their
// extension, hidden ones too, never a folder), as absolute paths in name
// order: case aside first, then by case.
QStringList FolderPictures(const QString& folder);

// The pairing: the i-th left picture with the i-th right one. `text` holds
// one LEFT<TAB>RIGHT line a pair; the pictures beyond the shorter folder, and
// those whose names a list line cannot hold (a tab or a line break), are
// left out and named in `unpaired`.
struct tfolderpairing {
    QString text;
    int pairs = 0;
    QStringList unpaired; // "left: NAME" or "right: NAME"
};
tfolderpairing PairFolderPictures(const QStringList& left, const QStringList& right);

// Runs `pair-dirs` with the arguments after the command name: the list on
// `out`, what is left unpaired and errors on `err`. Returns 0, 1 when a
// folder cannot be read, 2 on a usage error.
int RunPairDirsCommand(const QStringList& args, std::FILE* out, std::FILE* err);
