// Making a test folder read-only even for the super-user (permissions, then
// the immutable attribute), and undoing it.
#pragma once

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QString>

class treadonlyfolder {
public:
    explicit treadonlyfolder(const QString& folder) : folder_(folder) {
        QFile::setPermissions(folder_, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup |
                                           QFile::ExeGroup);
        if (!Writable()) return;
        // Permissions do not stop the super-user; the immutable attribute does.
        immutable_ = QProcess::execute("chattr", {"+i", folder_}) == 0;
    }
    ~treadonlyfolder() {
        if (immutable_) QProcess::execute("chattr", {"-i", folder_});
        QFile::setPermissions(folder_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    treadonlyfolder(const treadonlyfolder&) = delete;
    treadonlyfolder& operator=(const treadonlyfolder&) = delete;

    // False when this machine would not make the folder read-only.
    bool Active() const { return !Writable(); }

private:
    bool Writable() const {
        QFile probe(QDir(folder_).filePath(".probe"));
        if (!probe.open(QIODevice::WriteOnly)) return false;
        probe.remove();
        return true;
    }
    QString folder_;
    bool immutable_ = false;
};
