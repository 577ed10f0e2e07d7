// The list file of `orvanel-cli render --list`: one entry a line, a parameter
// file, a pair of pictures or a composite; read into entries and bad lines.
#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// One entry of a render list, its paths already made absolute.
struct trenderentry {
    enum class tkind { Params, Pair, Composite };
    tkind kind = tkind::Params;
    int line = 0;           // where it stands in the list file, from 1
    QString first;          // the parameter file, the left picture or the composite
    QString second;         // the right picture of a pair
    int compositeKind = -1; // the composite's stereo kind, 2..6

    // The short name progress lines give it: the file name of `first`.
    QString Name() const;
};

struct trenderlist {
    std::vector<trenderentry> entries;
    QStringList badLines; // "line N: cause", in the order of the file
};

// Reads the text of a list file. Each line is a .prm path, LEFT<TAB>RIGHT or
// KIND<TAB>FILE (KIND as for --composite); blank lines and lines whose first
// non-blank character is '#' are skipped; a relative path is taken from
// `folder`. A line that fits none of these is reported with its number and
// the others are kept.
trenderlist ParseRenderList(const QString& text, const QString& folder);

// The largest list file read: far beyond any folder of pairs, small enough
// to hold at once.
constexpr qint64 kMaxRenderListBytes = qint64(16) << 20;

// Reads the list file `path` (a regular file of at most kMaxRenderListBytes,
// UTF-8); relative paths are taken from its folder. False with the cause in
// `error` when the file cannot be read.
bool ReadRenderList(const QString& path, trenderlist& list, QString& error);
