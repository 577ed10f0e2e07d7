// The text editor window.
#include "lng/tformedit.h"

#include "lng/lngfile.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QTextCursor>
#include <QVBoxLayout>

namespace {

// "Langues *.lng|*.lng|All Files *.*|*.*" → "Langues *.lng (*.lng);;All Files *.* (*.*)".
QString dialogFilter(const QString& filter) {
    const QStringList parts = filter.split(u'|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2)
        out << QStringLiteral("%1 (%2)").arg(parts[i], QString(parts[i + 1]).replace(u';', u' '));
    return out.join(QStringLiteral(";;"));
}

// A file of this program is small; a larger one is not loaded into the editor.
constexpr qint64 kMaxEditedSize = 16 * 1024 * 1024;

} // namespace

TFormEdit::TFormEdit(QWidget* parent) : QDialog(parent, Qt::Window) {
    setObjectName(QStringLiteral("FormEdit"));
    setWindowTitle(QStringLiteral("Editeur"));
    resize(600, 480);

    MainMenu1 = new QMenuBar(this);
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    auto addItem = [this](QMenu* menu, const char* name, const char* caption,
                          const QKeySequence& key, void (TFormEdit::*slot)()) {
        QAction* a = menu->addAction(QString::fromUtf8(caption));
        a->setObjectName(QString::fromUtf8(name));
        a->setShortcut(key);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    QMenu* file = MainMenu1->addMenu(QStringLiteral("Fichier"));
    file->setObjectName(QStringLiteral("Fichier1"));
    addItem(file, "Ouvrir1", "Ouvrir...", QKeySequence(), &TFormEdit::LoadClick);
    addItem(file, "Enregistrersous1", "Enregistrer sous...", QKeySequence(QStringLiteral("Ctrl+S")),
            &TFormEdit::SaveClick);
    addItem(file, "Fermer1", "Fermer", QKeySequence(QStringLiteral("Ctrl+Q")), &TFormEdit::accept);
    QMenu* edit = MainMenu1->addMenu(QStringLiteral("Editer"));
    edit->setObjectName(QStringLiteral("Editer1"));
    addItem(edit, "Rechercher1", "Rechercher...", QKeySequence(Qt::Key_F3), &TFormEdit::FindClick);

    RichEdit1 = new QPlainTextEdit(this);
    RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    RichEdit1->setLineWrapMode(QPlainTextEdit::NoWrap);
    QAction* cut = edit->addAction(QStringLiteral("Couper"), QKeySequence::Cut, RichEdit1,
                                   &QPlainTextEdit::cut);
    cut->setObjectName(QStringLiteral("Couper1"));
    QAction* copy = edit->addAction(QStringLiteral("Copier"), QKeySequence::Copy, RichEdit1,
                                    &QPlainTextEdit::copy);
    copy->setObjectName(QStringLiteral("Copier1"));
    QAction* paste = edit->addAction(QStringLiteral("Coller"), QKeySequence::Paste, RichEdit1,
                                     &QPlainTextEdit::paste);
    paste->setObjectName(QStringLiteral("Coller1"));

    auto button = [this](const char* name, const char* caption) {
        auto* b = new QPushButton(QString::fromUtf8(caption), this);
        b->setObjectName(QString::fromUtf8(name));
        b->setAutoDefault(false);
        return b;
    };
    BitBtnLoad = button("BitBtnLoad", "Lire...");
    BitBtnSave = button("BitBtnSave", "Enregistrer");
    BitBtnOk = button("BitBtnOk", "OK");
    BitBtnCancel = button("BitBtnCancel", "Annuler");
    connect(BitBtnLoad, &QPushButton::clicked, this, &TFormEdit::LoadClick);
    connect(BitBtnSave, &QPushButton::clicked, this, &TFormEdit::SaveClick);
    connect(BitBtnOk, &QPushButton::clicked, this, &TFormEdit::accept);
    connect(BitBtnCancel, &QPushButton::clicked, this, &TFormEdit::reject);

    auto* buttons = new QHBoxLayout();
    for (QPushButton* b : {BitBtnLoad, BitBtnSave}) buttons->addWidget(b);
    buttons->addStretch();
    for (QPushButton* b : {BitBtnOk, BitBtnCancel}) buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(MainMenu1);
    layout->addWidget(RichEdit1);
    layout->addLayout(buttons);
}

void TFormEdit::SetCaption() {
    setWindowTitle(EditedFile.isEmpty()
                       ? LngStrings.Edit
                       : QStringLiteral("%1 : %2").arg(LngStrings.Edit, EditedFile));
}

void TFormEdit::showEvent(QShowEvent* event) {
    SetCaption();
    QDialog::showEvent(event);
}

void TFormEdit::OpenInEditor(const QString& file, const QString& folder, const QString& filter) {
    SaveFilter = filter;
    show();
    raise();
    if (QFileInfo(file).isFile()) {
        LoadFile(file);
        return;
    }
    const QString start = QDir(folder).filePath(file.isEmpty() ? QStringLiteral("*.*") : file);
    const QString chosen = QFileDialog::getOpenFileName(
        this, QString(), start,
        dialogFilter(filter.isEmpty() ? QStringLiteral("*.*|*.*") : filter));
    if (chosen.isEmpty()) {
        EditedFile.clear();
        RichEdit1->clear();
        RichEdit1->document()->setModified(false);
        SetCaption();
    } else {
        LoadFile(chosen);
    }
}

bool TFormEdit::LoadFile(const QString& path) {
    EditedFile = path;
    SetCaption();
    QFile f(path);
    bool ok = true;
    QString text;
    if (f.exists()) {
        ok = QFileInfo(path).isFile() && f.size() <= kMaxEditedSize && f.open(QIODevice::ReadOnly);
        if (ok)
            text = DecodeText(f.readAll());
        else
            QMessageBox::warning(this, windowTitle(),
                                 QStringLiteral("Ce fichier ne peut pas être lu :\n%1").arg(path));
    }
    RichEdit1->setPlainText(text);
    RichEdit1->document()->setModified(false);
    return ok;
}

bool TFormEdit::SaveFile(const QString& path) {
    QSaveFile f(path);
    QString text = RichEdit1->toPlainText();
    if (!text.isEmpty() && !text.endsWith(u'\n')) text += u'\n';
    if (!f.open(QIODevice::WriteOnly) || f.write(text.toUtf8()) < 0 || !f.commit()) {
        QMessageBox::warning(this, windowTitle(),
                             QStringLiteral("Impossible d'écrire le fichier :\n%1").arg(path));
        return false;
    }
    EditedFile = path;
    SetCaption();
    RichEdit1->document()->setModified(false);
    return true;
}

void TFormEdit::LoadClick() {
    const QString chosen = QFileDialog::getOpenFileName(this, QString(), EditedFile,
                                                        dialogFilter(QStringLiteral("*.*|*.*")));
    if (!chosen.isEmpty()) LoadFile(chosen);
}

void TFormEdit::SaveClick() {
    const QString filter = SaveFilter.isEmpty() ? QStringLiteral("*.*|*.*") : SaveFilter;
    const QString chosen =
        QFileDialog::getSaveFileName(this, QString(), EditedFile, dialogFilter(filter));
    if (!chosen.isEmpty()) SaveFile(chosen);
}

bool TFormEdit::FindNext(const QString& text) {
    if (text.isEmpty()) return false;
    QTextCursor from = RichEdit1->textCursor();
    from.setPosition(from.hasSelection() ? from.selectionEnd() : 0);
    const QTextCursor found = RichEdit1->document()->find(text, from);
    if (found.isNull()) {
        QTextCursor start(RichEdit1->document());
        RichEdit1->setTextCursor(start);
        return false;
    }
    RichEdit1->setTextCursor(found);
    RichEdit1->setFocus();
    return true;
}

void TFormEdit::FindClick() {
    bool ok = false;
    const QString text =
        QInputDialog::getText(this, QStringLiteral("Rechercher"), QStringLiteral("Rechercher :"),
                              QLineEdit::Normal, FindText, &ok);
    if (!ok || text.isEmpty()) return;
    FindText = text;
    if (!FindNext(text)) QMessageBox::information(this, QStringLiteral("Not find!"), text);
}

void TFormEdit::done(int result) {
    if (result != QDialog::Rejected && RichEdit1->document()->isModified()) {
        const auto answer =
            QMessageBox::question(this, EditedFile, LngStrings.SaveEdit,
                                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        if (answer == QMessageBox::Cancel) return;
        if (answer == QMessageBox::Yes) {
            // A text without a file yet asks where to go; not saved, it stays.
            if (EditedFile.isEmpty())
                SaveClick();
            else
                SaveFile(EditedFile);
            if (RichEdit1->document()->isModified()) return;
        }
    }
    QDialog::done(result);
}
