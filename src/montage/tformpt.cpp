// The points table window: the grid, its buttons and the row drags.
#include "montage/tformpt.h"

#include "core/runflags.h"
#include "display/tformmain.h"
#include "montage/programwindows_ui.h"
#include "montage/tformbuild2.h"

#include <QApplication>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMouseEvent>
#include <QScreen>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QToolButton* Button(QWidget* parent, const char* name, const char* caption) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setText(QString::fromUtf8(caption));
    return b;
}

bool Editable(int column) {
    return column >= ColLeftFlag;
}

} // namespace

TFormPt::TFormPt(QWidget* parent) : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("FormPt"));
    setWindowTitle(QStringLiteral("FormPt"));

    StringGrid1 = new QTableWidget(kTablePoints + 1, kTableColumns, this);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    // The header is the grid's own fixed first row, as the cells are.
    StringGrid1->horizontalHeader()->hide();
    StringGrid1->verticalHeader()->hide();
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    for (int col = 0; col < kTableColumns; ++col) {
        auto* head = new QTableWidgetItem(QString::fromLatin1(PointTableHeaders[col]));
        head->setFlags(Qt::ItemIsEnabled);
        QFont bold = head->font();
        bold.setBold(true);
        head->setFont(bold);
        StringGrid1->setItem(0, col, head);
        for (int row = 1; row <= kTablePoints; ++row) {
            auto* cell = new QTableWidgetItem;
            Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
            if (Editable(col)) flags |= Qt::ItemIsEditable;
            cell->setFlags(flags);
            StringGrid1->setItem(row, col, cell);
        }
        StringGrid1->setColumnWidth(col, col == ColName ? 70 : 56);
    }
    WriteGrid();
    StringGrid1->viewport()->installEventFilter(this);

    SpeedButtonOk = Button(this, "SpeedButtonOk", "Ok");
    SpeedButtonApply = Button(this, "SpeedButtonApply", "Appliquer");
    SpeedButtonCancel = Button(this, "SpeedButtonCancel", "Annuler");
    SpeedButtonEdit = Button(this, "SpeedButtonEdit", "Editer...");
    SpeedButtonEdit->setCheckable(true);
    // A button takes the focus when pressed, so a cell being typed is
    // committed before the grid is read.
    for (QToolButton* b : {SpeedButtonOk, SpeedButtonApply, SpeedButtonCancel, SpeedButtonEdit})
        b->setFocusPolicy(Qt::StrongFocus);

    auto* buttons = new QHBoxLayout;
    for (QToolButton* b : {SpeedButtonEdit, SpeedButtonCancel, SpeedButtonApply, SpeedButtonOk})
        buttons->addWidget(b);
    buttons->insertStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(StringGrid1, 1);
    layout->addLayout(buttons);

    connect(SpeedButtonOk, &QToolButton::clicked, this, [this] { SpeedButtonOkClick(); });
    connect(SpeedButtonApply, &QToolButton::clicked, this, [this] { SpeedButtonApplyClick(); });
    connect(SpeedButtonCancel, &QToolButton::clicked, this, [this] { SpeedButtonGetClick(); });
    connect(SpeedButtonEdit, &QToolButton::clicked, this, [this] { SpeedButtonEditClick(); });
    resize(520, 380);
}

void TFormPt::ShowFromMenu() {
    show();
    raise();
    activateWindow();
}

void TFormPt::FormShow() {
    if (TFormMain* main = AppWindows.FormMain) {
        table_.Fill(main->Pair);
        WriteGrid();
    }
    SpeedButtonEdit->setChecked(StringGrid1->editTriggers() != QAbstractItemView::NoEditTriggers);
}

void TFormPt::SpeedButtonOkClick() {
    SpeedButtonApplyClick();
    close();
}

void TFormPt::SpeedButtonApplyClick() {
    ReadGrid();
    ApplyToViews();
}

void TFormPt::SpeedButtonGetClick() {
    table_.Restore();
    WriteGrid();
    ApplyToViews();
}

void TFormPt::SpeedButtonEditClick() {
    StringGrid1->setEditTriggers(SpeedButtonEdit->isChecked()
                                     ? QAbstractItemView::DoubleClicked |
                                           QAbstractItemView::EditKeyPressed |
                                           QAbstractItemView::AnyKeyPressed
                                     : QAbstractItemView::NoEditTriggers);
}

void TFormPt::StringGrid1MouseDown(int row, int column, bool shift) {
    dragRow_ = row;
    dragShift_ = shift;
    TFormMain* main = AppWindows.FormMain;
    if (main) {
        // A coordinate column names its view.
        if (column == ColLeftX || column == ColLeftY)
            main->SetCurrent(main->Display.SlotOf(&main->ImgLeft()));
        else if (column == ColRightX || column == ColRightY)
            main->SetCurrent(main->Display.SlotOf(&main->ImgRight()));
    }
    const QTableWidgetItem* index = StringGrid1->item(row, ColIndex);
    CurPoint = PairForIndexCell(index ? index->text() : QString());
    if (TFormBuild2* montage = AppWindows.FormBuild2) montage->ShowSelectedPair();
    if (!main) return;
    const tviewslot current = main->GetCurrent();
    if (current.img && CurPoint >= 0 && CurPoint < kPointCount) {
        const trealpoint& p = current.img->pt[CurPoint];
        main->Display.StatusText[4] = PointStatusText(p.c, p.x, p.y);
        main->Display.ShowPointIcon(CurPoint);
    }
    main->Compose();
    main->Display.UpdateMagnifier();
}

void TFormPt::StringGrid1EndDrag(int row) {
    // Only the grid changes; "Appliquer" or "Ok" writes it into the views.
    if (dragRow_ >= 1 && row >= 1) {
        ReadGrid();
        table_.Drop(dragRow_ - 1, row - 1, dragShift_);
        WriteGrid();
    }
    StringGrid1->viewport()->update();
}

void TFormPt::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Unless the settings file placed it, the first showing opens centred on
    // the screen; later ones where it was left.
    if (!testAttribute(Qt::WA_Moved)) {
        if (QScreen* screen = QGuiApplication::primaryScreen()) {
            QRect r = frameGeometry();
            r.moveCenter(screen->availableGeometry().center());
            move(r.topLeft());
        }
    }
    FormShow();
}

void TFormPt::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) FormActivate();
    QWidget::changeEvent(event);
}

bool TFormPt::eventFilter(QObject* watched, QEvent* event) {
    if (watched != StringGrid1->viewport()) return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* e = static_cast<QMouseEvent*>(event);
        const QModelIndex cell = StringGrid1->indexAt(e->position().toPoint());
        if (e->button() != Qt::LeftButton || !cell.isValid()) break;
        StringGrid1MouseDown(cell.row(), cell.column(), e->modifiers() & Qt::ShiftModifier);
        pressed_ = true;
        dragging_ = false;
        pressPos_ = e->position().toPoint();
        break;
    }
    case QEvent::MouseMove: {
        auto* e = static_cast<QMouseEvent*>(event);
        // The drag starts once the pointer has gone the platform's distance.
        if (pressed_ && !dragging_ &&
            (e->position().toPoint() - pressPos_).manhattanLength() >=
                QApplication::startDragDistance())
            dragging_ = true;
        break;
    }
    case QEvent::MouseButtonRelease: {
        auto* e = static_cast<QMouseEvent*>(event);
        if (pressed_ && dragging_) {
            const QPoint at = e->position().toPoint();
            const QModelIndex cell = StringGrid1->viewport()->rect().contains(at)
                                         ? StringGrid1->indexAt(at)
                                         : QModelIndex();
            StringGrid1EndDrag(cell.isValid() ? cell.row() : -1);
        }
        pressed_ = dragging_ = false;
        break;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void TFormPt::ReadGrid() {
    for (int i = 0; i < kTablePoints; ++i)
        for (int col = 0; col < kTableColumns; ++col)
            table_.Rows[i][col] = StringGrid1->item(i + 1, col)->text();
}

void TFormPt::WriteGrid() {
    for (int i = 0; i < kTablePoints; ++i)
        for (int col = 0; col < kTableColumns; ++col)
            StringGrid1->item(i + 1, col)->setText(table_.Rows[i][col]);
}

void TFormPt::ApplyToViews() {
    TFormMain* main = AppWindows.FormMain;
    if (!main) return;
    table_.Apply(main->Pair);
    main->Compose();
    main->Display.UpdateMagnifier();
}
