// `orvanel-cli render --list`: the entries of a list rendered several at a
// time, each by a render command of its own, with progress and a summary.
#pragma once

#include "output/renderlist.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <cstdio>
#include <vector>

// What one entry's render gave.
struct tentryresult {
    bool ok = false;    // every output written
    int written = 0;    // outputs written
    int failed = 0;     // outputs that failed
    QByteArray out;     // the entry's lines of standard output, as one block
    QStringList causes; // its messages, without the command's prefix
    double seconds = 0;
};

// The arguments of one entry's own render: `common` (the options every entry
// shares) and its source; `params` applies to pictures and composites.
QStringList EntryArguments(const trenderentry& entry, const QStringList& common,
                           const QString& params);

// Reads an entry's render: its output lines ("path<TAB>text") give the
// outputs written and failed, its error lines the causes.
tentryresult ReadEntryResult(int exitCode, const QByteArray& out, const QByteArray& err);

// "[12/240] name: 4 outputs, 1.3 s", or with the failure and its cause.
QString ProgressLine(int done, int total, const QString& name, const tentryresult& r);

// The last line: the entries written and failed, over the whole list.
QString CountingLine(int written, int failed);

// The memory one entry's render holds at its peak, from the pixels of the
// pictures it reads (`viewPixels`, both views) and of its largest view, with
// `threads` outputs drawn at once.
std::int64_t EntryPeakBytes(std::int64_t viewPixels, std::int64_t largestView, int threads);

// The pixels an entry reads, from the pictures' headers (a parameter file's
// pictures are taken from it): both views and the largest. Zero when they
// cannot be told.
void EntryPixels(const trenderentry& entry, std::int64_t& viewPixels, std::int64_t& largestView);

// The pictures an entry reads (a parameter file's are taken from it; a
// composite is both); empty when they cannot be told.
void EntryPictures(const trenderentry& entry, QString& left, QString& right);

// What the names of an entry's outputs are made of: its pictures' file names.
// Two entries with the same key may write the same files.
QString OutputNameKey(const trenderentry& entry);

// The memory all renders at once may hold.
constexpr std::int64_t kBatchMemoryBudget = std::int64_t(1900) << 20;

// The number of renders at once, at most `jobs`, that keeps `jobs` of the
// largest entries within the budget (never below 1).
int JobsWithinBudget(int jobs, std::int64_t largestEntryBytes,
                     std::int64_t budget = kBatchMemoryBudget);

// The renders at once and the threads each draws with, for a list of
// `entries` rendered with --jobs `asked` (0: `cores`) and --threads
// `threads` (0: unset): --jobs N keeps N cores busy, shared out between the
// renders at once, so --jobs 1 renders one entry at a time on one core and a
// list of one entry gets all N.
void ShareOutCores(int asked, int threads, int entries, int cores, int& jobs, int& perJob);

struct tbatchoptions {
    QString program;    // the command line program run for each entry
    QStringList common; // the options every entry's render gets
    QString params;     // --params, applied to pictures and composites
    int jobs = 1;
    bool quiet = false; // no progress line for an entry written in full
};

// Renders every entry, `jobs` at a time. Each entry's output lines go to
// `out` together, in the list's order; one progress line per finished entry
// on `err`, with the bad lines of the list first and the counting line last.
// Returns 0 when every entry was written, 1 otherwise.
int RunRenderBatch(const trenderlist& list, const tbatchoptions& options, std::FILE* out,
                   std::FILE* err);
