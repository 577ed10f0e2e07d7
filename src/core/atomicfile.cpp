// The temporary file, its flush and the rename that may or may not replace.
#include "core/atomicfile.h"

#include "core/regularfile.h"

#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The permissions a newly created file gets from the umask: read and write
// for whom the umask allows.
mode_t NewFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// rename() that fails with EEXIST when the target exists: renameat2 with
// RENAME_NOREPLACE, or link + unlink on a file system without it.
int RenameNoReplace(const char* from, const char* to) {
#ifdef RENAME_NOREPLACE
    if (::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) == 0) return 0;
    if (errno != EINVAL && errno != ENOSYS) return -1;
#endif
    if (::link(from, to) != 0) return -1;
    ::unlink(from);
    return 0;
}

} // namespace

QString ErrnoText(int err) {
    switch (err) {
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("disk full");
    case EACCES:
    case EPERM:
    case EROFS:
        return QStringLiteral("permission denied");
    case EEXIST:
        return QStringLiteral("exists");
    case ENOENT:
        return QStringLiteral("folder missing");
    default:
        return QString::fromLocal8Bit(std::strerror(err));
    }
}

tatomicfile::tatomicfile(const QString& path, bool replace) : path_(path), replace_(replace) {}

tatomicfile::~tatomicfile() {
    if (!committed_) Cancel();
}

bool tatomicfile::Open() {
    if (!WritableTarget(path_)) {
        error_ = path_.endsWith(u'/') ? QStringLiteral("not a file name")
                                      : QStringLiteral("not a regular file");
        return false;
    }
    // A link to a regular file is written through: the file behind it gets
    // the new text and the link stays (settings kept in a dotfile folder).
    if (QFileInfo(path_).isSymLink()) path_ = QFileInfo(path_).canonicalFilePath();
    const QFileInfo info(path_);
    const QByteArray folder = QFile::encodeName(info.absolutePath());
    QByteArray pattern = folder + "/." + QFile::encodeName(info.fileName()) + ".XXXXXX";
    // mkstemp: a new name no other process can have made.
    const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0) {
        error_ = ErrnoText(errno);
        return false;
    }
    ::fchmod(fd, NewFileMode());
    tempPath_ = QFile::decodeName(pattern);
    // Unbuffered: a failed write reports its own errno at once.
    if (!temp_.open(fd, QIODevice::WriteOnly | QIODevice::Unbuffered,
                    QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        ::unlink(pattern.constData());
        tempPath_.clear();
        error_ = temp_.errorString();
        return false;
    }
    return true;
}

bool tatomicfile::Commit() {
    if (!temp_.isOpen()) return false;
    const bool flushed = temp_.flush() && ::fsync(temp_.handle()) == 0;
    const int flushErr = errno;
    temp_.close();
    if (!flushed) {
        error_ = ErrnoText(flushErr);
        Cancel();
        return false;
    }
    const QByteArray from = QFile::encodeName(tempPath_);
    const QByteArray to = QFile::encodeName(path_);
    // What stands at the name may have changed since Open.
    const bool allowed = WritableTarget(path_);
    const int rc = !allowed   ? -1
                   : replace_ ? ::rename(from.constData(), to.constData())
                              : RenameNoReplace(from.constData(), to.constData());
    if (rc != 0) {
        error_ = allowed ? ErrnoText(errno) : QStringLiteral("not a regular file");
        Cancel();
        return false;
    }
    committed_ = true;
    tempPath_.clear();
    return true;
}

void tatomicfile::Cancel() {
    if (temp_.isOpen()) temp_.close();
    if (!tempPath_.isEmpty()) ::unlink(QFile::encodeName(tempPath_).constData());
    tempPath_.clear();
}
