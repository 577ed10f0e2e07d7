// Questions about existing output files, asked of the user.
#include "output/savequestions_ui.h"

#include "core/stereokinds.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

QString PictureSaveFilters() {
    return PipeFilterToQt(QString::fromUtf8(PictureSaveFilter));
}

QString PictureSaveFilterChoice(bool jpeg) {
    const QStringList filters = PictureSaveFilters().split(QStringLiteral(";;"));
    const int index = jpeg ? 1 : 0;
    return index < filters.size() ? filters[index] : QString();
}

toverwriteanswer tformsavequestions::AskOverwrite(const QString& path) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Orvanel-3D"),
                    QString::fromUtf8(OverwriteQuestion).replace(QStringLiteral("%s"), path),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel | QMessageBox::Abort |
                        QMessageBox::YesToAll,
                    parent_);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return toverwriteanswer::Yes;
    case QMessageBox::No:
        return toverwriteanswer::No;
    case QMessageBox::Abort:
        return toverwriteanswer::Abort;
    case QMessageBox::YesToAll:
        return toverwriteanswer::YesToAll;
    default:
        return toverwriteanswer::Cancel;
    }
}

bool tformsavequestions::AskOtherName(int kind, QString& path) {
    const QString name = kind >= 0 && kind < kStereoKindCount ? StereoKindNames[kind] : QString();
    const QString title =
        QString::fromUtf8(OverwriteRenameTitle).replace(QStringLiteral("%s"), name);
    const QFileInfo info(path);
    QFileDialog dialog(parent_, title, info.absolutePath(), PictureSaveFilters());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    dialog.setOption(QFileDialog::ReadOnly, false);
    const QString suffix = info.suffix().toLower();
    const bool jpeg = suffix == u"jpg" || suffix == u"jpeg" || suffix == u"jps";
    dialog.selectNameFilter(PictureSaveFilterChoice(jpeg));
    dialog.setDefaultSuffix(info.suffix());
    dialog.selectFile(path);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    path = dialog.selectedFiles().first();
    return true;
}
