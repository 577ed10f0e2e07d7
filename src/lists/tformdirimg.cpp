// The directory pair sorter: its two halves, the middle bar and the handlers.
#include "lists/tformdirimg.h"

#include "core/paths.h"
#include "core/stereokinds.h"
#include "input/pictureload.h"
#include "input/userreport.h"

#include <QApplication>
#include <QDir>
#include <QDrag>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {

// The selected entry's picture, stretched over the control with its
// proportions kept; dragged onto the display window it goes into a view.
class tpicturebox : public QWidget {
public:
    QImage shown;
    QString file;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), palette().color(QPalette::Dark));
        if (shown.isNull()) return;
        QSize fit = shown.size().scaled(size(), Qt::KeepAspectRatio);
        QRect target(QPoint((width() - fit.width()) / 2, (height() - fit.height()) / 2), fit);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(target, shown);
    }
    void mousePressEvent(QMouseEvent* e) override { pressAt_ = e->position().toPoint(); }
    void mouseMoveEvent(QMouseEvent* e) override {
        if (!(e->buttons() & Qt::LeftButton) || file.isEmpty()) return;
        if ((e->position().toPoint() - pressAt_).manhattanLength() <
            QApplication::startDragDistance())
            return;
        auto* drag = new QDrag(this);
        auto* mime = new QMimeData;
        mime->setUrls({QUrl::fromLocalFile(file)});
        drag->setMimeData(mime);
        drag->exec(Qt::CopyAction);
    }

private:
    QPoint pressAt_;
};

// A side's list: a press selects the entry under the pointer, the arrows
// step, and an entry dragged from the other side's list is dropped here.
class tsortbox : public QListWidget {
public:
    const QListWidget* partner = nullptr;
    std::function<void(int row)> Select;
    std::function<void(int row)> Dropped;

protected:
    void mousePressEvent(QMouseEvent* e) override {
        QListWidget::mousePressEvent(e);
        const QModelIndex at = indexAt(e->position().toPoint());
        if (Select) Select(at.isValid() ? at.row() : -1);
    }
    void keyPressEvent(QKeyEvent* e) override {
        QListWidget::keyPressEvent(e);
        if ((e->key() == Qt::Key_Up || e->key() == Qt::Key_Down) && Select && count() > 0)
            Select(currentRow());
    }
    void dragEnterEvent(QDragEnterEvent* e) override {
        if (e->source() == partner)
            e->acceptProposedAction();
        else
            e->ignore();
    }
    void dragMoveEvent(QDragMoveEvent* e) override {
        if (e->source() == partner)
            e->acceptProposedAction();
        else
            e->ignore();
    }
    void dropEvent(QDropEvent* e) override {
        if (e->source() != partner) return;
        const QModelIndex at = indexAt(e->position().toPoint());
        // The lists are rebuilt from the sides: the view itself moves nothing.
        e->setDropAction(Qt::CopyAction);
        e->accept();
        const int row = at.isValid() ? at.row() : -1;
        // Both lists are rebuilt once the drag that started in the other one has ended.
        QTimer::singleShot(0, this, [this, row] {
            if (Dropped) Dropped(row);
        });
    }
};

QToolButton* Tool(const QString& name, const QString& text, const QString& hint) {
    auto* b = new QToolButton;
    b->setObjectName(name);
    b->setText(text);
    b->setToolTip(hint);
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return b;
}

QString SaveDialogAsFolderPicker(QWidget* parent, const QString& title, const QString& folder,
                                 const QString& name) {
    QFileDialog dialog(parent, title, folder, PipeFilterToQt(QString::fromUtf8(OpenPictureFilter)));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.selectFile(name);
    if (dialog.exec() != QDialog::Accepted) return {};
    const QStringList chosen = dialog.selectedFiles();
    // Accepted without a name: the current folder is taken.
    return chosen.isEmpty() ? QDir::currentPath() + QStringLiteral("/") : chosen.first();
}

} // namespace

TFormDirImg::TFormDirImg(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("FormDirImg"));
    setWindowTitle(QStringLiteral("Kelvado - Version 0.1"));

    BuildSide(L, true);
    BuildSide(R, false);

    ToolButtonSwap = Tool(QStringLiteral("ToolButtonSwap"), QStringLiteral("<>"),
                          QString::fromUtf8("Echanger les listes Gauche et Droite"));
    ToolButtonOk = Tool(QStringLiteral("ToolButtonOk"), QStringLiteral("Ok"), QString());
    ToolButtonPrevM = Tool(QStringLiteral("ToolButtonPrevM"), QString::fromUtf8("◀"),
                           QString::fromUtf8("Précédent (les deux listes)"));
    ToolButtonNextM = Tool(QStringLiteral("ToolButtonNextM"), QString::fromUtf8("▶"),
                           QString::fromUtf8("Suivant (les deux listes)"));
    ToolButtonUpM = Tool(QStringLiteral("ToolButtonUpM"), QString::fromUtf8("▲"),
                         QString::fromUtf8("Monter (les deux listes)"));
    ToolButtonDownM = Tool(QStringLiteral("ToolButtonDownM"), QString::fromUtf8("▼"),
                           QString::fromUtf8("Descendre (les deux listes)"));
    ToolButtonDelM = Tool(QStringLiteral("ToolButtonDelM"), QStringLiteral("Del"),
                          QString::fromUtf8("Bouton gauche : griser ; autre bouton : supprimer"));
    ToolButtonInfo = Tool(QStringLiteral("ToolButtonInfo"), QStringLiteral("Info"),
                          QString::fromUtf8("Taille des images"));
    ToolButtonInfo->setCheckable(true);

    PanelInfo = new QFrame;
    PanelInfo->setObjectName(QStringLiteral("PanelInfo"));
    PanelInfo->setFrameShape(QFrame::StyledPanel);
    PanelInfo->setFixedHeight(24);
    L.LabelInfo = new QLabel(PanelInfo);
    L.LabelInfo->setObjectName(QStringLiteral("LabelInfoL"));
    R.LabelInfo = new QLabel(PanelInfo);
    R.LabelInfo->setObjectName(QStringLiteral("LabelInfoR"));
    PanelInfo->setVisible(false);

    auto* middle = new QHBoxLayout;
    middle->addStretch();
    for (QToolButton* b : {ToolButtonSwap, ToolButtonOk, ToolButtonPrevM, ToolButtonNextM,
                           ToolButtonUpM, ToolButtonDownM, ToolButtonDelM, ToolButtonInfo})
        middle->addWidget(b);
    middle->addStretch();
    auto* halves = new QHBoxLayout;
    halves->addWidget(L.GroupBox, 1);
    halves->addWidget(R.GroupBox, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(middle);
    layout->addWidget(PanelInfo);
    layout->addLayout(halves, 1);
    resize(1000, 640);

    PickFile = [this](const QString& title, const QString& folder, const QString& name) {
        return SaveDialogAsFolderPicker(this, title, folder, name);
    };
    Confirm = [this](const QString& text, const QString& caption) {
        return QMessageBox::question(this, caption, text, QMessageBox::Yes | QMessageBox::No) ==
               QMessageBox::Yes;
    };

    // The middle bar runs the left action, then the right one.
    auto both = [this](QToolButton* b, void (TFormDirImg::*action)(tside&)) {
        connect(b, &QToolButton::clicked, this, [this, action] {
            (this->*action)(L);
            (this->*action)(R);
        });
    };
    both(ToolButtonPrevM, &TFormDirImg::Previous);
    both(ToolButtonNextM, &TFormDirImg::Next);
    both(ToolButtonUpM, &TFormDirImg::MoveUp);
    both(ToolButtonDownM, &TFormDirImg::MoveDown);
    ToolButtonDelM->installEventFilter(this);
    connect(ToolButtonSwap, &QToolButton::clicked, this, &TFormDirImg::ToolButtonSwapClick);
    connect(ToolButtonInfo, &QToolButton::toggled, PanelInfo, &QWidget::setVisible);

    RefreshSide(L);
    RefreshSide(R);
}

void TFormDirImg::BuildSide(tside& s, bool left) {
    const QString x = left ? QStringLiteral("L") : QStringLiteral("R");
    s.GroupBox = new QGroupBox(left ? QStringLiteral("Left") : QStringLiteral("Right:"));
    s.GroupBox->setObjectName(QStringLiteral("GroupBox") + x);
    auto* box = new tsortbox;
    box->setObjectName(QStringLiteral("CheckListBox") + x);
    box->setDragEnabled(true);
    box->setAcceptDrops(true);
    box->setDragDropMode(QAbstractItemView::DragDrop);
    box->setSelectionMode(QAbstractItemView::SingleSelection);
    box->Select = [this, &s](int row) { SelectRow(s, row); };
    box->Dropped = [this, &s](int row) { DropAcross(Other(s), s, row); };
    s.CheckListBox = box;
    connect(box, &QListWidget::itemChanged, this, [this, &s](QListWidgetItem* it) {
        const int row = s.CheckListBox->row(it);
        if (row >= 0 && row < s.Data.Count())
            s.Data.Entries[row].checked = it->checkState() == Qt::Checked;
    });
    auto* picture = new tpicturebox;
    picture->setObjectName(QStringLiteral("Image") + x);
    picture->setMinimumSize(160, 120);
    s.Image = picture;
    s.StatusBar = new QStatusBar;
    s.StatusBar->setObjectName(QStringLiteral("StatusBar") + x);
    s.StatusBar->setSizeGripEnabled(false);
    s.StatusFolder = new QLabel;
    s.StatusPosition = new QLabel;
    s.StatusBar->addWidget(s.StatusFolder);
    s.StatusBar->addWidget(s.StatusPosition);

    const QString side = left ? QStringLiteral("Gauche") : QStringLiteral("Droite");
    s.ToolButtonOpen = Tool(QStringLiteral("ToolButtonOpen") + x, QStringLiteral("Ouvrir"),
                            QString::fromUtf8("Choisir le répertoire ") + side);
    s.ToolButtonP = Tool(QStringLiteral("ToolButtonP") + x, QString::fromUtf8("◀"),
                         QString::fromUtf8("Précédent"));
    s.ToolButtonN =
        Tool(QStringLiteral("ToolButtonN") + x, QString::fromUtf8("▶"), QStringLiteral("Suivant"));
    s.ToolButtonUp =
        Tool(QStringLiteral("ToolButtonUp") + x, QString::fromUtf8("▲"), QStringLiteral("Monter"));
    s.ToolButtonDown = Tool(QStringLiteral("ToolButtonDown") + x, QString::fromUtf8("▼"),
                            QStringLiteral("Descendre"));
    s.ToolButtonAdd =
        Tool(QStringLiteral("ToolButtonAdd") + x, QStringLiteral("+"), QStringLiteral("Dupliquer"));
    s.ToolButtonDel = Tool(QStringLiteral("ToolButtonDel") + x, QStringLiteral("Del"),
                           QString::fromUtf8("Bouton gauche : griser ; autre bouton : supprimer"));
    s.ToolButtonDel->installEventFilter(this);

    auto* tools = new QHBoxLayout;
    for (QToolButton* b : {s.ToolButtonOpen, s.ToolButtonP, s.ToolButtonN, s.ToolButtonUp,
                           s.ToolButtonDown, s.ToolButtonAdd, s.ToolButtonDel})
        tools->addWidget(b);
    tools->addStretch();
    auto* content = new QHBoxLayout;
    content->addWidget(box, 2);
    content->addWidget(picture, 3);
    auto* v = new QVBoxLayout(s.GroupBox);
    v->addLayout(tools);
    v->addLayout(content, 1);
    v->addWidget(s.StatusBar);

    connect(s.ToolButtonOpen, &QToolButton::clicked, this, [this, &s] { OpenFolder(s); });
    connect(s.ToolButtonP, &QToolButton::clicked, this, [this, &s] { Previous(s); });
    connect(s.ToolButtonN, &QToolButton::clicked, this, [this, &s] { Next(s); });
    connect(s.ToolButtonUp, &QToolButton::clicked, this, [this, &s] { MoveUp(s); });
    connect(s.ToolButtonDown, &QToolButton::clicked, this, [this, &s] { MoveDown(s); });
    connect(s.ToolButtonAdd, &QToolButton::clicked, this, [this, &s] { Add(s); });
}

bool TFormDirImg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::MouseButtonPress) return QWidget::eventFilter(watched, event);
    auto* button = qobject_cast<QToolButton*>(watched);
    if (!button || !button->isEnabled()) return QWidget::eventFilter(watched, event);
    const bool leftButton = static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
    if (watched == L.ToolButtonDel)
        DelPressed(L, leftButton);
    else if (watched == R.ToolButtonDel)
        DelPressed(R, leftButton);
    else if (watched == ToolButtonDelM) {
        DelPressed(L, leftButton);
        DelPressed(R, leftButton);
    } else {
        return QWidget::eventFilter(watched, event);
    }
    return true;
}

// ---------------------------------------------------------------- commands

void TFormDirImg::OpenFolder(tside& s) {
    const bool left = &s == &L;
    const QString title = left ? QString::fromUtf8("Choisissez le Répertoire Gauche")
                               : QString::fromUtf8("Choisissez le Répertoire Droit");
    const QString chosen = PickFile(title, s.Data.Folder, QStringLiteral("Images"));
    if (chosen.isEmpty()) return;
    const QFileInfo info(chosen);
    const QString folder = chosen.endsWith(QLatin1Char('/')) ? chosen : info.absolutePath();
    s.Data.Fill(folder, PictureFilesIn(folder), info.fileName(), QDir::currentPath());
    RefillBox(s);
    ShowPicture(s);
    RefreshSide(s);
}

void TFormDirImg::Previous(tside& s) {
    s.Data.Previous();
    ShowPicture(s);
    RefreshSide(s);
}

void TFormDirImg::Next(tside& s) {
    s.Data.Next();
    ShowPicture(s);
    RefreshSide(s);
}

void TFormDirImg::MoveUp(tside& s) {
    s.Data.MoveUp();
    RefillBox(s);
    RefreshSide(s);
}

void TFormDirImg::MoveDown(tside& s) {
    s.Data.MoveDown();
    RefillBox(s);
    RefreshSide(s);
}

void TFormDirImg::Add(tside& s) {
    s.Data.Duplicate();
    RefillBox(s);
    RefreshSide(s);
}

void TFormDirImg::DelPressed(tside& s, bool leftButton) {
    if (!s.Data.HasSelection()) return;
    if (leftButton) {
        s.Data.ToggleEnabled();
        RefillBox(s);
        RefreshSide(s);
        return;
    }
    if (!Confirm(QStringLiteral("Ligne: %1").arg(s.Data.Selected), QStringLiteral("Delete")))
        return;
    s.Data.DeleteSelected();
    RefillBox(s);
    ShowPicture(s);
    RefreshSide(s);
}

void TFormDirImg::SelectRow(tside& s, int row) {
    s.Data.SelectAt(row);
    ShowPicture(s);
    RefreshSide(s);
}

void TFormDirImg::ToolButtonSwapClick() {
    SwapSides(L.Data, R.Data);
    for (tside* s : {&L, &R}) {
        RefillBox(*s);
        ShowPicture(*s);
        RefreshSide(*s);
    }
}

void TFormDirImg::DropAcross(tside& from, tside& to, int row) {
    if (!MoveAcross(from.Data, to.Data, row)) return;
    for (tside* s : {&L, &R}) {
        RefillBox(*s);
        ShowPicture(*s);
        RefreshSide(*s);
    }
}

// ---------------------------------------------------------------- display

void TFormDirImg::ShowPicture(tside& s) {
    auto* box = static_cast<tpicturebox*>(s.Image);
    s.Picture = QImage();
    box->file.clear();
    if (const tsortentry* e = s.Data.Current()) {
        tuserreport& report = UserReport();
        tbusyguard busy(report);
        QString info;
        if (LoadPictureFile(s.Picture, e->FullPath(), info, nullptr, &report))
            box->file = e->FullPath();
    }
    // What is painted is at most the screen's size: large photographs stay light.
    box->shown = s.Picture.width() > 1600 || s.Picture.height() > 1600
                     ? s.Picture.scaled(1600, 1600, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                     : s.Picture;
    box->update();
}

void TFormDirImg::RefillBox(tside& s) {
    QListWidget* box = s.CheckListBox;
    const QSignalBlocker quiet(box);
    box->clear();
    for (const tsortentry& e : s.Data.Entries) {
        auto* it = new QListWidgetItem(e.name, box);
        it->setFlags(it->flags() | Qt::ItemIsUserCheckable);
        it->setCheckState(e.checked ? Qt::Checked : Qt::Unchecked);
        // A disabled entry is greyed but can still be selected and moved.
        if (!e.enabled) it->setForeground(box->palette().color(QPalette::Disabled, QPalette::Text));
    }
}

void TFormDirImg::RefreshSide(tside& s) {
    const tsortside& d = s.Data;
    if (s.CheckListBox->count() != d.Count()) RefillBox(s);
    {
        const QSignalBlocker quiet(s.CheckListBox);
        s.CheckListBox->setCurrentRow(d.HasSelection() ? d.Selected : -1);
        if (!d.HasSelection()) s.CheckListBox->clearSelection();
    }
    s.ToolButtonUp->setEnabled(d.CanUp());
    s.ToolButtonDown->setEnabled(d.CanDown());
    s.ToolButtonDel->setEnabled(d.CanEdit());
    s.ToolButtonAdd->setEnabled(d.CanEdit());
    s.ToolButtonP->setEnabled(d.CanPrevious());
    s.ToolButtonN->setEnabled(d.CanNext());
    s.StatusFolder->setText(d.StatusFolder());
    s.StatusPosition->setText(d.StatusPosition());
    s.LabelInfo->setText(PictureSizeText(s.Picture.width(), s.Picture.height()));
    RefreshMiddle();
}

void TFormDirImg::RefreshMiddle() {
    auto pair = [](QToolButton* middle, QToolButton* left, QToolButton* right) {
        middle->setEnabled(left->isEnabled() && right->isEnabled());
    };
    pair(ToolButtonPrevM, L.ToolButtonP, R.ToolButtonP);
    pair(ToolButtonNextM, L.ToolButtonN, R.ToolButtonN);
    pair(ToolButtonUpM, L.ToolButtonUp, R.ToolButtonUp);
    pair(ToolButtonDownM, L.ToolButtonDown, R.ToolButtonDown);
    pair(ToolButtonDelM, L.ToolButtonDel, R.ToolButtonDel);
}

void TFormDirImg::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int half = width() / 2;
    for (tside* s : {&L, &R}) s->StatusFolder->setFixedWidth(std::max(0, half - 100));
    L.LabelInfo->move(10, 4);
    R.LabelInfo->move(half + 10, 4);
}
