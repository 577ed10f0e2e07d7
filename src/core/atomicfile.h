// Writing a file all at once: the bytes go to a temporary file beside the
// target, which then takes the target's name, replacing it only when allowed.
#pragma once

#include <QFile>
#include <QString>

class tatomicfile {
public:
    // replace: an existing file may be replaced (the user said so); without
    // it the final step fails when the target appeared meanwhile, even from
    // another process.
    tatomicfile(const QString& path, bool replace);
    ~tatomicfile(); // an uncommitted temporary file is removed
    tatomicfile(const tatomicfile&) = delete;
    tatomicfile& operator=(const tatomicfile&) = delete;

    // Creates the temporary file. False, with the cause in ErrorString(), when
    // the target is not a regular file (a folder, FIFO, device, or a link to
    // one), or cannot be written beside.
    bool Open();
    QIODevice& Device() { return temp_; }
    // Flushes and gives the file its name. False with the cause: the disk
    // full, no permission, or "exists" when a file took the name meanwhile.
    bool Commit();
    void Cancel();
    // The cause of the last failure, in a few English words.
    const QString& ErrorString() const { return error_; }

private:
    QString path_;
    QString tempPath_;
    QFile temp_;
    bool replace_;
    bool committed_ = false;
    QString error_;
};

// The text of a system error number, for the causes written after a failure:
// "disk full", "permission denied", or the system's own words.
QString ErrnoText(int err);
