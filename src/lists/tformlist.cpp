// The list window: its controls, its commands and drag and drop.
#include "lists/tformlist.h"

#include "core/paths.h"
#include "core/settings.h"
#include "core/stereokinds.h"
#include "input/pictureload.h"
#include "lists/tformdiaporama.h"

#include <QAction>
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include <functional>

namespace {

QStringList LocalFiles(const QMimeData* mime) {
    QStringList files;
    for (const QUrl& url : mime->urls())
        if (url.isLocalFile()) files << url.toLocalFile();
    return files;
}

// One column: multi-selection, drags to and from the other column and
// files from the desktop.
class tlistbox : public QListWidget {
public:
    std::function<bool(const QObject* source)> AcceptsSource;
    std::function<void(QObject* source, int row)> DroppedFromBox;
    std::function<void(const QStringList& files, QPoint windowPos)> DroppedFiles;
    std::function<void()> Pressed;

protected:
    void mousePressEvent(QMouseEvent* event) override {
        if (Pressed) Pressed();
        QListWidget::mousePressEvent(event);
    }
    void focusInEvent(QFocusEvent* event) override {
        if (Pressed) Pressed();
        QListWidget::focusInEvent(event);
    }
    bool Acceptable(const QDropEvent* event) const {
        if (event->mimeData()->hasUrls()) return true;
        return AcceptsSource && AcceptsSource(event->source());
    }
    void dragEnterEvent(QDragEnterEvent* event) override {
        if (Acceptable(event))
            event->acceptProposedAction();
        else
            event->ignore();
    }
    void dragMoveEvent(QDragMoveEvent* event) override {
        if (Acceptable(event))
            event->acceptProposedAction();
        else
            event->ignore();
    }
    void dropEvent(QDropEvent* event) override {
        const QPoint pos = event->position().toPoint();
        if (event->mimeData()->hasUrls() && !AcceptsSource(event->source())) {
            if (DroppedFiles) DroppedFiles(LocalFiles(event->mimeData()), mapTo(window(), pos));
        } else if (Acceptable(event)) {
            const QModelIndex at = indexAt(pos);
            const int row = at.isValid() ? at.row() : -1;
            // The boxes are rebuilt once the drag that started in one of them has ended.
            QObject* source = event->source();
            QTimer::singleShot(0, this, [this, source, row] {
                if (DroppedFromBox) DroppedFromBox(source, row);
            });
        }
        // The list itself is rebuilt from the lists: the view moves nothing.
        event->setDropAction(Qt::CopyAction);
        event->accept();
    }
};

QPushButton* Button(const char* name, const char* caption, const char* hint = nullptr) {
    auto* b = new QPushButton(QString::fromUtf8(caption));
    b->setObjectName(QString::fromUtf8(name));
    if (hint) b->setToolTip(QString::fromUtf8(hint));
    return b;
}

} // namespace

TFormList::TFormList(TFormDiaporama& diaporama, QWidget* parent)
    : QWidget(parent, Qt::Window), diaporama_(diaporama), list_(diaporama.Diaporama) {
    setObjectName(QStringLiteral("FormList"));
    setAcceptDrops(true);

    SpeedButtonLeft = Button("SpeedButtonLeft", "Vues Gauches");
    SpeedButtonRight = Button("SpeedButtonRight", "Vues Droites");
    SpeedButtonStereo = Button("SpeedButtonStereo", "Stéréos");
    SpeedButtonParam = Button("SpeedButtonParam", "Paramètres");
    SpeedButtonSplit = Button("SpeedButtonSplit", ">> Split >>",
                              "Déplace un Fichier sur 2 dans la Liste de Droite");
    SpeedButtonNew = Button("SpeedButtonNew", "Effacer Tout...");
    SpeedButtonRun = Button("SpeedButtonRun", "Lancer Diaporama...");
    SpeedButtonStop = Button("SpeedButtonStop", "Stop");
    SpeedButtonOptions = Button("SpeedButtonOptions", "Options de Diaporama");

    auto makeBox = [this](const char* name) {
        auto* box = new tlistbox;
        box->setObjectName(QString::fromUtf8(name));
        box->setSelectionMode(QAbstractItemView::ExtendedSelection);
        box->setDragEnabled(true);
        box->setAcceptDrops(true);
        box->setDragDropMode(QAbstractItemView::DragDrop);
        box->setDefaultDropAction(Qt::CopyAction);
        box->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        box->setUniformItemSizes(true);
        box->setContextMenuPolicy(Qt::CustomContextMenu);
        box->AcceptsSource = [this](const QObject* s) { return s == ListBoxL || s == ListBoxR; };
        box->DroppedFromBox = [this, box](QObject* source, int row) {
            DropFromBox(static_cast<QListWidget*>(source), box, row);
        };
        box->DroppedFiles = [this](const QStringList& files, QPoint at) {
            DropFiles(files, at.x());
        };
        box->Pressed = [this, box] { focused_ = box; };
        return box;
    };
    ListBoxL = makeBox("ListBoxL");
    ListBoxR = makeBox("ListBoxR");

    PopupMenuSelection = new QMenu(this);
    PopupMenuSelection->setObjectName(QStringLiteral("PopupMenuSelection"));
    auto item = [this](const char* name, const char* caption, QKeySequence key,
                       void (TFormList::*handler)()) {
        auto* a = new QAction(QString::fromUtf8(caption), this);
        a->setObjectName(QString::fromUtf8(name));
        a->setShortcut(key);
        a->setShortcutContext(Qt::WindowShortcut);
        addAction(a);
        PopupMenuSelection->addAction(a);
        connect(a, &QAction::triggered, this, handler);
        return a;
    };
    DupliquerSelection1 =
        item("DupliquerSelection1", "Dupliquer la Sélection", QKeySequence(Qt::CTRL | Qt::Key_D),
             &TFormList::DupliquerSelection1Click);
    EchangerSelection =
        item("EchangerSelection", "Echanger les Vues de la Sélection",
             QKeySequence(Qt::CTRL | Qt::Key_S), &TFormList::EchangerSelectionClick);
    SupprimerSelection = item("SupprimerSelection", "Supprimer la Sélection",
                              QKeySequence(Qt::Key_Delete), &TFormList::SupprimerSelectionClick);
    ToutSelectionner = item("ToutSelectionner", "Tout Sélectionner",
                            QKeySequence(Qt::CTRL | Qt::Key_A), &TFormList::ToutSelectionnerClick);
    InverserSelection =
        item("InverserSelection", "Inverser la Sélection", QKeySequence(Qt::CTRL | Qt::Key_I),
             &TFormList::InverserSelectionClick);
    for (QListWidget* box : {ListBoxL, ListBoxR}) {
        connect(box, &QListWidget::customContextMenuRequested, this, [this, box](QPoint at) {
            focused_ = box;
            PopupMenuSelection->popup(box->viewport()->mapToGlobal(at));
        });
        connect(box, &QListWidget::itemDoubleClicked, this,
                [this, box](QListWidgetItem* it) { diaporama_.GoToEntry(box->row(it)); });
    }
    // The popup's commands act on the box that last had the focus, and on
    // nothing once the focus went to another control.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (!now || now == PopupMenuSelection) return;
        if (now == ListBoxL || now == ListBoxR)
            focused_ = static_cast<QListWidget*>(now);
        else if (now->window() == this)
            focused_ = nullptr;
    });

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b :
         {SpeedButtonLeft, SpeedButtonRight, SpeedButtonStereo, SpeedButtonParam, SpeedButtonSplit})
        buttons->addWidget(b);
    buttons->addStretch();
    auto* run = new QHBoxLayout;
    for (QPushButton* b : {SpeedButtonNew, SpeedButtonOptions, SpeedButtonRun, SpeedButtonStop})
        run->addWidget(b);
    run->addStretch();
    auto* columns = new QHBoxLayout;
    auto column = [columns](const char* title, QListWidget* box) {
        auto* v = new QVBoxLayout;
        v->addWidget(new QLabel(QString::fromUtf8(title)));
        v->addWidget(box);
        columns->addLayout(v);
    };
    column("Stéréos ou Vues Gauches", ListBoxL);
    column("Vues Droites d'un couple", ListBoxR);

    StatusBar1 = new QStatusBar;
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    LabelCounts = new QLabel;
    LabelCounts->setObjectName(QStringLiteral("LabelCounts"));
    LabelProgress = new QLabel;
    LabelProgress->setObjectName(QStringLiteral("LabelProgress"));
    ProgressBatch = new QProgressBar;
    ProgressBatch->setObjectName(QStringLiteral("ProgressBatch"));
    ProgressBatch->setMaximumWidth(160);
    ProgressBatch->setVisible(false);
    StatusBar1->addWidget(LabelCounts);
    StatusBar1->addWidget(LabelProgress, 1);
    StatusBar1->addPermanentWidget(ProgressBatch);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addLayout(columns, 1);
    layout->addLayout(run);
    layout->addWidget(StatusBar1);
    resize(800, 460);

    AskFiles = [this](const QString& title, const QString& folder, const QString& filter,
                      bool multi) {
        if (multi)
            return QFileDialog::getOpenFileNames(this, title, folder, PipeFilterToQt(filter));
        const QString one =
            QFileDialog::getOpenFileName(this, title, folder, PipeFilterToQt(filter));
        return one.isEmpty() ? QStringList() : QStringList{one};
    };
    AskStereoKind = [this](int current) {
        QStringList names;
        for (int kind : kListKinds) names << StereoKindNames[kind];
        bool ok = false;
        const QString chosen =
            QInputDialog::getItem(this, QString::fromUtf8("Type de Fichiers Stéréo:"),
                                  QString::fromUtf8("Type de Fichiers Stéréo:"), names,
                                  current >= 0 && current < names.size() ? current : 0, false, &ok);
        return ok ? static_cast<int>(names.indexOf(chosen)) : -1;
    };

    connect(SpeedButtonLeft, &QPushButton::clicked, this, &TFormList::SpeedButtonLeftClick);
    connect(SpeedButtonRight, &QPushButton::clicked, this, &TFormList::SpeedButtonRightClick);
    connect(SpeedButtonStereo, &QPushButton::clicked, this, &TFormList::SpeedButtonStereoClick);
    connect(SpeedButtonParam, &QPushButton::clicked, this, &TFormList::SpeedButtonParamClick);
    connect(SpeedButtonSplit, &QPushButton::clicked, this, &TFormList::SpeedButtonSplitClick);
    connect(SpeedButtonNew, &QPushButton::clicked, this, &TFormList::SpeedButtonNewClick);
    connect(SpeedButtonRun, &QPushButton::clicked, this, &TFormList::SpeedButtonRunClick);
    connect(SpeedButtonStop, &QPushButton::clicked, this, &TFormList::SpeedButtonStopClick);
    connect(SpeedButtonOptions, &QPushButton::clicked, this, &TFormList::SpeedButtonOptionsClick);

    diaporama_.OnProgress = [this](int done, int total, const QString& file) {
        ShowProgress(done, total, file);
    };
    diaporama_.OnListChanged = [this] { RefreshLists(); };
    RefreshLists();
}

// ---------------------------------------------------------------- filling

void TFormList::Append(tcolumn c, const QString& title, QString& folder, const QString& filter) {
    const QStringList files = AskFiles(title, folder, filter, true);
    if (files.isEmpty()) return;
    folder = FileFolder(files.first());
    list_.Append(c, files);
}

void TFormList::SpeedButtonLeftClick() {
    Append(tcolumn::Left, QStringLiteral("Ouvrir : Vue Gauche"), Settings.OpenDirL,
           QString::fromUtf8(OpenPictureFilter));
    list_.ListKind = 1;
    Edited();
}

void TFormList::SpeedButtonRightClick() {
    Append(tcolumn::Right, QStringLiteral("Ouvrir : Vue Droite"), Settings.OpenDirR,
           QString::fromUtf8(OpenPictureFilter));
    list_.ListKind = 1;
    Edited();
}

void TFormList::SpeedButtonParamClick() {
    Append(tcolumn::Left, QString::fromUtf8("Ouvrir : Fichier de Paramètres"), Settings.OpenDirPrm,
           QString::fromUtf8(ParamFileFilter));
    list_.ListKind = 10;
    Edited();
}

void TFormList::SpeedButtonStereoClick() {
    const int chosen = AskStereoKind(Settings.DragDropFileType);
    // A cancelled choice keeps the remembered one, and it is used all the same.
    if (chosen >= 0) Settings.DragDropFileType = chosen;
    const int position = Settings.DragDropFileType;
    if (position < 0 || position >= static_cast<int>(kListKinds.size())) return;
    const int kind = kListKinds[position];
    list_.ListKind = kind;
    QString* folder = nullptr;
    switch (kind) {
    case 1:
        SpeedButtonLeftClick();
        return;
    case 10:
        SpeedButtonParamClick();
        return;
    case 0:
        folder = &Settings.OpenDirImg;
        break;
    case 2:
        folder = &Settings.OpenDirSX;
        break;
    case 3:
        folder = &Settings.OpenDirSP;
        break;
    case 4:
        folder = &Settings.OpenDirAna;
        break;
    case 5:
        folder = &Settings.OpenDirSV;
        break;
    default:
        folder = &Settings.OpenDirBi;
        break;
    }
    Append(tcolumn::Left, OpenDialogTitle(kind), *folder, QString::fromUtf8(OpenPictureFilter));
    Edited();
}

void TFormList::SpeedButtonSplitClick() {
    if (list_.Split()) Edited();
}

void TFormList::SpeedButtonNewClick() {
    list_.ClearLists();
    Edited();
}

void TFormList::SpeedButtonRunClick() {
    if (!list_.Ready) diaporama_.ExecOptions();
    if (list_.Ready) diaporama_.StartSlideshow();
}

void TFormList::SpeedButtonStopClick() {
    diaporama_.StopSequence();
}

void TFormList::SpeedButtonOptionsClick() {
    diaporama_.ExecOptions();
    RefreshLists();
}

// ---------------------------------------------------------------- selection

QListWidget* TFormList::FocusedBox() const {
    return focused_;
}

QList<int> TFormList::SelectedRows(QListWidget* box) const {
    QList<int> rows;
    if (!box) return rows;
    for (const QModelIndex& i : box->selectionModel()->selectedRows()) rows << i.row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

tcolumn TFormList::ColumnOf(const QListWidget* box) const {
    return box == ListBoxR ? tcolumn::Right : tcolumn::Left;
}

void TFormList::DupliquerSelection1Click() {
    QListWidget* box = FocusedBox();
    if (box && list_.Duplicate(ColumnOf(box), SelectedRows(box))) Edited();
}

void TFormList::EchangerSelectionClick() {
    if (!FocusedBox()) return;
    if (list_.Exchange(SelectedRows(ListBoxL), SelectedRows(ListBoxR))) Edited();
}

void TFormList::SupprimerSelectionClick() {
    QListWidget* box = FocusedBox();
    if (box && list_.Delete(ColumnOf(box), SelectedRows(box))) Edited();
}

void TFormList::ToutSelectionnerClick() {
    if (QListWidget* box = FocusedBox()) box->selectAll();
}

void TFormList::InverserSelectionClick() {
    QListWidget* box = FocusedBox();
    if (!box) return;
    for (int i = 0; i < box->count(); ++i) box->item(i)->setSelected(!box->item(i)->isSelected());
}

void TFormList::DropFromBox(QListWidget* source, QListWidget* target, int row) {
    if (source != ListBoxL && source != ListBoxR) return;
    const QList<int> rows = SelectedRows(source);
    const bool changed = source == target ? list_.DropOnSame(ColumnOf(source), rows, row)
                                          : list_.DropOnOther(ColumnOf(source), rows, row);
    if (changed) Edited();
}

void TFormList::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void TFormList::dropEvent(QDropEvent* event) {
    const QStringList files = LocalFiles(event->mimeData());
    if (files.isEmpty()) return;
    DropFiles(files, event->position().toPoint().x());
    event->acceptProposedAction();
}

void TFormList::DropFiles(const QStringList& files, int x) {
    list_.DropFiles(files, x, width());
    RefreshLists();
}

// ---------------------------------------------------------------- display

void TFormList::Edited() {
    // Every edit starts the walk again at the first entry.
    list_.IndexL = 0;
    list_.IndexR = 0;
    RefreshLists();
}

void TFormList::RefreshLists() {
    auto fill = [](QListWidget* box, const QStringList& entries) {
        if (box->count() == entries.size()) {
            bool same = true;
            for (int i = 0; i < entries.size() && same; ++i)
                same = box->item(i)->text() == entries[i];
            if (same) return;
        }
        box->clear();
        box->addItems(entries);
    };
    fill(ListBoxL, list_.ListL);
    fill(ListBoxR, list_.ListR);
    setWindowTitle(ListCaption(list_.ListKind));
    LabelCounts->setText(QString::fromUtf8("Gauche : %1   Droite : %2")
                             .arg(list_.ListL.size())
                             .arg(list_.ListR.size()));
}

void TFormList::ShowProgress(int done, int total, const QString& file) {
    if (done <= 0) {
        LabelProgress->clear();
        ProgressBatch->setVisible(false);
        return;
    }
    LabelProgress->setText(QStringLiteral("%1 / %2  %3").arg(done).arg(total).arg(file));
    ProgressBatch->setRange(0, total);
    ProgressBatch->setValue(done);
    ProgressBatch->setVisible(true);
}
