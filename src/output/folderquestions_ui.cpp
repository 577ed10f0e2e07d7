// Folder questions of the save commands, asked of the user.
#include "output/folderquestions_ui.h"

#include <QInputDialog>
#include <QMessageBox>

tcreateanswer tformfolderquestions::AskCreateDirectory(const QString& folder) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Orvanel-3D"),
                    QString::fromUtf8(AskCreateDirText) + QStringLiteral("\n") + folder,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel | QMessageBox::Abort |
                        QMessageBox::YesToAll,
                    parent_);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return tcreateanswer::Yes;
    case QMessageBox::No:
        return tcreateanswer::No;
    case QMessageBox::Abort:
        return tcreateanswer::Abort;
    case QMessageBox::YesToAll:
        return tcreateanswer::YesToAll;
    default:
        return tcreateanswer::Cancel;
    }
}

bool tformfolderquestions::EditNewFolder(QString& folder) {
    bool ok = false;
    const QString text = QInputDialog::getText(parent_, QString::fromUtf8(CreateFolderCaption),
                                               QString::fromUtf8(CreateFolderPrompt),
                                               QLineEdit::Normal, folder, &ok);
    if (ok) folder = text;
    return ok;
}

void tformfolderquestions::ShowError(const QString& text) {
    QMessageBox::critical(parent_, QStringLiteral("Orvanel-3D"), text, QMessageBox::Ok);
}
