// The about box.
#include "montage/taboutbox.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {

const char* const kVersionText = "1.3";
const char* const kDateText = "14-06-09";

} // namespace

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("A propos"));
    setModal(true);
    auto* v = new QVBoxLayout(this);
    auto* name = new QLabel(QStringLiteral("Orvanel-3D"), this);
    QFont f = name->font();
    f.setPointSize(f.pointSize() + 4);
    f.setBold(true);
    name->setFont(f);
    v->addWidget(name, 0, Qt::AlignHCenter);
    Version = new QLabel(QStringLiteral("Version : ") + QString::fromLatin1(kVersionText), this);
    Version->setObjectName(QStringLiteral("Version"));
    v->addWidget(Version, 0, Qt::AlignHCenter);
    Date = new QLabel(QString::fromLatin1(kDateText), this);
    Date->setObjectName(QStringLiteral("Date"));
    v->addWidget(Date, 0, Qt::AlignHCenter);
    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    auto* h = new QHBoxLayout();
    h->addStretch();
    h->addWidget(OKButton);
    h->addStretch();
    v->addLayout(h);
    resize(320, 200);
}

void TAboutBox::showEvent(QShowEvent* event) {
    // Before the window is mapped, so a window manager shows it in place.
    if (QScreen* s = QGuiApplication::primaryScreen()) {
        // By its frame once a window manager has given it one.
        QRect r(QPoint(0, 0), frameGeometry().size());
        r.moveCenter(s->availableGeometry().center());
        move(r.topLeft());
    }
    QDialog::showEvent(event);
}
