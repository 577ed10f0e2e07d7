// Non-blocking open and fstat of the files the program reads, and the check
// of what a writer may replace.
#include "core/regularfile.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

tfilestate FromErrno(int err) {
    switch (err) {
    case ENOENT:
    case ENOTDIR:
        return tfilestate::Missing;
    case EACCES:
    case EPERM:
        return tfilestate::Denied;
    case ELOOP:
        return tfilestate::LinkLoop;
    case EISDIR:
    case ENXIO: // a FIFO without a writer, a device without its driver
    case ENODEV:
        return tfilestate::NotRegular;
    default:
        return tfilestate::Unreadable;
    }
}

// The descriptor of a regular file at `path`, or -1 with the reason.
int OpenRegularDescriptor(const QString& path, tfilestate& state) {
    if (path.isEmpty()) {
        state = tfilestate::Missing;
        return -1;
    }
    const QByteArray native = QFile::encodeName(path);
    // O_NONBLOCK: opening a FIFO with no writer must not wait for one.
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        state = FromErrno(errno);
        return -1;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        state = S_ISREG(st.st_mode) ? tfilestate::Unreadable : tfilestate::NotRegular;
        ::close(fd);
        return -1;
    }
    // Reads of a regular file never block; the flag goes for plain reads.
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    state = tfilestate::Regular;
    return fd;
}

} // namespace

tfilestate OpenRegularFile(const QString& path, QFile& file) {
    tfilestate state;
    const int fd = OpenRegularDescriptor(path, state);
    if (fd < 0) return state;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return tfilestate::Unreadable;
    }
    return tfilestate::Regular;
}

tfilestate ProbeRegularFile(const QString& path) {
    tfilestate state;
    const int fd = OpenRegularDescriptor(path, state);
    if (fd >= 0) ::close(fd);
    return state;
}

QString FileStateText(tfilestate state) {
    switch (state) {
    case tfilestate::Regular:
        return QString();
    case tfilestate::Missing:
        return QStringLiteral("missing");
    case tfilestate::NotRegular:
        return QStringLiteral("not a regular file");
    case tfilestate::Denied:
        return QStringLiteral("permission denied");
    case tfilestate::LinkLoop:
        return QStringLiteral("too many levels of symbolic links");
    case tfilestate::Unreadable:
        break;
    }
    return QStringLiteral("unreadable");
}

QString FileStateTextFr(tfilestate state) {
    switch (state) {
    case tfilestate::Regular:
        return QString();
    case tfilestate::Missing:
        return QStringLiteral("fichier absent");
    case tfilestate::NotRegular:
        return QStringLiteral("pas un fichier ordinaire");
    case tfilestate::Denied:
        return QStringLiteral("permission refusée");
    case tfilestate::LinkLoop:
        return QStringLiteral("trop de liens symboliques");
    case tfilestate::Unreadable:
        break;
    }
    return QStringLiteral("illisible");
}

bool WritableTarget(const QString& path) {
    if (path.isEmpty() || path.endsWith(u'/')) return false;
    struct stat st {};
    const QByteArray native = QFile::encodeName(path);
    if (::stat(native.constData(), &st) == 0) return S_ISREG(st.st_mode);
    // Nothing behind the name; a dangling link is not followed into
    // creating its target somewhere else.
    struct stat link {};
    return errno == ENOENT && ::lstat(native.constData(), &link) != 0;
}
