// `orvanel-cli render --list`: entries rendered several at a time by renders
// of their own, so each keeps its own folders, settings and current folder.
#include "output/renderbatch.h"

#include "core/inifile.h"
#include "core/regularfile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QImageReader>
#include <QProcess>

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>

namespace {

const QLatin1String kPrefix("orvanel-cli render: ");

std::int64_t PicturePixels(const QString& path) {
    // Only a regular file's header is read: a FIFO would block the whole list.
    if (path.isEmpty() || ProbeRegularFile(path) != tfilestate::Regular) return 0;
    const QSize size = QImageReader(path).size();
    return size.isValid() ? std::int64_t(size.width()) * size.height() : 0;
}

// A picture a parameter file names: as given when absolute or found from the
// current folder, else from the parameter file's folder.
QString NamedPicture(const QString& name, const QString& paramFolder) {
    if (name.isEmpty() || QFileInfo(name).isAbsolute() || QFileInfo::exists(name)) return name;
    return QDir(paramFolder).absoluteFilePath(name);
}

} // namespace

QStringList EntryArguments(const trenderentry& entry, const QStringList& common,
                           const QString& params) {
    QStringList args = common;
    switch (entry.kind) {
    case trenderentry::tkind::Params:
        return args << QStringLiteral("--prm") << entry.first;
    case trenderentry::tkind::Pair:
        args << QStringLiteral("--left") << entry.first << QStringLiteral("--right")
             << entry.second;
        break;
    case trenderentry::tkind::Composite:
        args << QStringLiteral("--composite") << QString::number(entry.compositeKind)
             << entry.first;
        break;
    }
    if (!params.isEmpty()) args << QStringLiteral("--params") << params;
    return args;
}

tentryresult ReadEntryResult(int exitCode, const QByteArray& out, const QByteArray& err) {
    tentryresult r;
    r.ok = exitCode == 0;
    r.out = out;
    for (const QByteArray& line : out.split('\n')) {
        const int tab = line.indexOf('\t');
        if (tab < 0) continue;
        if (line.mid(tab + 1).startsWith("Ok - "))
            ++r.written;
        else
            ++r.failed;
    }
    for (const QByteArray& line : err.split('\n')) {
        QString text = QString::fromUtf8(line).trimmed();
        if (text.startsWith(kPrefix)) text = text.mid(kPrefix.size());
        if (!text.isEmpty()) r.causes << text;
    }
    return r;
}

QString ProgressLine(int done, int total, const QString& name, const tentryresult& r) {
    const QString head = QStringLiteral("[%1/%2] %3: ").arg(done).arg(total).arg(name);
    const QString time = QString::number(r.seconds, 'f', 1) + QStringLiteral(" s");
    if (r.ok)
        return head +
               QStringLiteral("%1 output%2, ").arg(r.written).arg(r.written == 1 ? "" : "s") + time;
    QString what = r.written > 0 || r.failed > 0
                       ? QStringLiteral("%1 written, %2 failed").arg(r.written).arg(r.failed)
                       : QStringLiteral("failed");
    const QString cause =
        r.causes.isEmpty() ? QStringLiteral("no output written") : r.causes.join("; ");
    return head + what + QStringLiteral(", ") + time + QStringLiteral(": ") + cause;
}

QString CountingLine(int written, int failed) {
    return QStringLiteral("%1 entr%2: %3 written, %4 failed")
        .arg(written + failed)
        .arg(written + failed == 1 ? "y" : "ies")
        .arg(written)
        .arg(failed);
}

std::int64_t EntryPeakBytes(std::int64_t viewPixels, std::int64_t largestView, int threads) {
    // 4 bytes a pixel: both views held, the views drawn once side by side
    // (twice a view), and the pictures of their own (the anaglyph) drawn at
    // once, one a thread.
    const std::int64_t outputs = largestView * (2 + std::max(1, threads - 1));
    // The program itself, its libraries and the encoders' buffers.
    constexpr std::int64_t kBase = std::int64_t(64) << 20;
    return kBase + 4 * (viewPixels + outputs);
}

void EntryPictures(const trenderentry& entry, QString& left, QString& right) {
    left = right = QString();
    switch (entry.kind) {
    case trenderentry::tkind::Pair:
        left = entry.first;
        right = entry.second;
        break;
    case trenderentry::tkind::Composite:
        left = right = entry.first;
        break;
    case trenderentry::tkind::Params: {
        if (ProbeRegularFile(entry.first) != tfilestate::Regular) break;
        const tinifile file(entry.first);
        const QString folder = QFileInfo(entry.first).absolutePath();
        left = NamedPicture(file.ReadString("Left", "filename", {}), folder);
        right = NamedPicture(file.ReadString("Right", "filename", {}), folder);
        break;
    }
    }
}

void EntryPixels(const trenderentry& entry, std::int64_t& viewPixels, std::int64_t& largestView) {
    QString left, right;
    EntryPictures(entry, left, right);
    if (entry.kind == trenderentry::tkind::Composite) {
        // Split in two views; the views plus the picture read.
        const std::int64_t picture = PicturePixels(entry.first);
        largestView = picture / 2 + 1;
        viewPixels = picture + largestView * 2;
        return;
    }
    const std::int64_t l = PicturePixels(left);
    const std::int64_t r = left == right ? 0 : PicturePixels(right);
    viewPixels = l + r;
    largestView = std::max(l, r);
}

QString OutputNameKey(const trenderentry& entry) {
    QString left, right;
    EntryPictures(entry, left, right);
    return QFileInfo(left).fileName().toLower() + QLatin1Char('\t') +
           QFileInfo(right).fileName().toLower();
}

int JobsWithinBudget(int jobs, std::int64_t largestEntryBytes, std::int64_t budget) {
    if (jobs <= 1 || largestEntryBytes <= 0) return std::max(jobs, 1);
    const std::int64_t fit = budget / largestEntryBytes;
    return int(std::clamp<std::int64_t>(fit, 1, jobs));
}

void ShareOutCores(int asked, int threads, int entries, int cores, int& jobs, int& perJob) {
    const int budget = asked > 0 ? asked : std::max(1, cores);
    jobs = std::min(budget, std::max(1, entries));
    perJob = threads > 0 ? threads : std::max(1, budget / jobs);
}

int RunRenderBatch(const trenderlist& list, const tbatchoptions& options, std::FILE* out,
                   std::FILE* err) {
    for (const QString& bad : list.badLines)
        std::fprintf(err, "orvanel-cli render: %s\n", qPrintable(bad));
    const int n = int(list.entries.size());
    const int total = n + int(list.badLines.size());
    int written = 0;
    int failed = int(list.badLines.size());

    std::vector<std::optional<tentryresult>> results(std::size_t(n), std::nullopt);
    std::vector<std::unique_ptr<QProcess>> processes(static_cast<std::size_t>(n));
    std::vector<QElapsedTimer> timers(static_cast<std::size_t>(n));
    int next = 0, running = 0, done = 0, shown = 0;
    QEventLoop loop;

    std::function<void()> startMore;
    auto complete = [&](int i, int exitCode) {
        QProcess& p = *processes[std::size_t(i)];
        if (results[std::size_t(i)]) return;
        tentryresult r =
            ReadEntryResult(exitCode, p.readAllStandardOutput(), p.readAllStandardError());
        if (p.error() == QProcess::FailedToStart)
            r.causes << QStringLiteral("could not start %1").arg(options.program);
        else if (p.exitStatus() == QProcess::CrashExit)
            r.causes << QStringLiteral("the render stopped on a signal");
        r.seconds = double(timers[std::size_t(i)].elapsed()) / 1000;
        ++done;
        --running;
        (r.ok ? written : failed)++;
        if (!r.ok || !options.quiet) {
            const QString line = ProgressLine(done + int(list.badLines.size()), total,
                                              list.entries[std::size_t(i)].Name(), r);
            std::fprintf(err, "%s\n", qPrintable(line));
            std::fflush(err);
        }
        results[std::size_t(i)] = std::move(r);
        // The outputs' lines in the list's order, each entry's together.
        while (shown < n && results[std::size_t(shown)]) {
            const QByteArray& block = results[std::size_t(shown)]->out;
            std::fwrite(block.constData(), 1, std::size_t(block.size()), out);
            results[std::size_t(shown)]->out.clear();
            ++shown;
        }
        std::fflush(out);
        processes[std::size_t(i)].release()->deleteLater();
        startMore();
        if (done == n) loop.quit();
    };
    // Entries whose outputs may take the same names never run at once, and
    // keep the list's order: the later one finds the earlier one's files as
    // it would with one job.
    std::vector<QString> keys;
    for (const trenderentry& e : list.entries) keys.push_back(OutputNameKey(e));
    auto clashes = [&](int i) {
        for (int j = 0; j < i; ++j)
            if (processes[std::size_t(j)] && !results[std::size_t(j)] &&
                keys[std::size_t(j)] == keys[std::size_t(i)])
                return true;
        return false;
    };
    startMore = [&] {
        while (running < options.jobs && next < n && !clashes(next)) {
            const int i = next++;
            auto p = std::make_unique<QProcess>();
            p->setProgram(options.program);
            p->setArguments(
                EntryArguments(list.entries[std::size_t(i)], options.common, options.params));
            p->setStandardInputFile(QProcess::nullDevice());
            QProcess* raw = p.get();
            QObject::connect(raw, &QProcess::finished, &loop,
                             [&complete, i](int code, QProcess::ExitStatus) { complete(i, code); });
            QObject::connect(raw, &QProcess::errorOccurred, &loop,
                             [&complete, i](QProcess::ProcessError e) {
                                 if (e == QProcess::FailedToStart) complete(i, -1);
                             });
            processes[std::size_t(i)] = std::move(p);
            ++running;
            timers[std::size_t(i)].start();
            raw->start();
        }
    };
    if (n > 0) {
        startMore();
        if (done < n) loop.exec();
    }
    std::fprintf(err, "%s\n", qPrintable(CountingLine(written, failed)));
    return failed == 0 ? 0 : 1;
}
