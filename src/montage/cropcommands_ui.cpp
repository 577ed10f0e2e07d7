// The crop modes and the window tab's frame controls over the Montage window.
#include "montage/cropcommands_ui.h"

#include "core/settings.h"
#include "display/tformmain.h"
#include "montage/programwindows_ui.h"
#include "montage/tformbuild2.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSignalBlocker>
#include <QTimer>
#include <QToolButton>

namespace {

QLineEdit* Field(const TFormBuild2& form, const char* name) {
    return form.findChild<QLineEdit*>(QString::fromLatin1(name));
}

} // namespace

void tcropcommands::Connect() {
    auto* ratio = form_.findChild<QComboBox*>(QStringLiteral("ComboBoxWinSize"));
    {
        const QSignalBlocker quiet(ratio);
        ratio->clear();
        for (const tratioitem& item : kRatioItems) ratio->addItem(QString::fromUtf8(item.caption));
        ratio->setCurrentIndex(0);
    }
    ratio->setEnabled(true);
    // Only the user's choice runs the change; the box shown back stays quiet.
    QObject::connect(ratio, &QComboBox::activated, &form_, [this, ratio](int index) {
        const int shown = ChooseRatio(*this, index);
        const QSignalBlocker quiet(ratio);
        ratio->setCurrentIndex(shown);
    });

    QToolButton* frame = form_.SBCadre1;
    frame->setEnabled(true);
    // The size fields follow the button however it moves (pair buttons, Lock, W1).
    QObject::connect(frame, &QToolButton::toggled, &form_, [this](bool down) {
        for (const char* n : {"EditWinW", "EditWinH"}) Field(form_, n)->setEnabled(down);
    });
    QObject::connect(frame, &QToolButton::clicked, &form_,
                     [this](bool down) { FrameButtonClick(*this, down); });

    const std::pair<const char*, void (*)(tcropcontrols&)> buttons[] = {
        {"ToolButtonGetAutoCropSize", FrameFromAutoWindow},
        {"ToolButtonGetCropSize", FrameFromPage},
        {"ToolButtonSetCropSize", FrameFromFields},
    };
    for (const auto& [name, run] : buttons) {
        auto* b = form_.findChild<QToolButton*>(QString::fromLatin1(name));
        b->setEnabled(true);
        QObject::connect(b, &QToolButton::clicked, &form_, [this, run = run] { run(*this); });
    }
}

void tcropcommands::Rerun() {
    form_.DoMenuItem(form_.Submenu(QStringLiteral("MenuView_Crop")), Settings.CropIndex);
}

void tcropcommands::SetAutomatic() {
    form_.RunAction(form_.Action(QStringLiteral("MenuView_ApplyAutoCrop")));
}

void tcropcommands::Popup(int x, int y) {
    QMenu* crop = form_.Submenu(QStringLiteral("MenuView_Crop"));
    form_.PopupSubmenu(crop, x, y);
    QMenu* copy = form_.PopupCopy(crop);
    if (!copy) return;
    // The chosen mode runs first; the typed size then applies to the frame.
    QObject::connect(copy, &QMenu::aboutToHide, &form_,
                     [this] { QTimer::singleShot(0, &form_, [this] { FrameFromFields(*this); }); });
}

tdisplaystate* tcropcommands::Display() {
    return AppWindows.FormMain ? &AppWindows.FormMain->Display : nullptr;
}

void tcropcommands::ShowAutoWindowText(const QString& text) {
    form_.LabelAutoWin->setText(text);
}

void tcropcommands::ShowFrameSizeFields(const QString& width, const QString& height) {
    Field(form_, "EditWinW")->setText(width);
    Field(form_, "EditWinH")->setText(height);
}

QString tcropcommands::FrameWidthField() const {
    return Field(form_, "EditWinW")->text();
}

QString tcropcommands::FrameHeightField() const {
    return Field(form_, "EditWinH")->text();
}

void tcropcommands::ShowFrameButton(bool down) {
    form_.SBCadre1->setChecked(down);
}

void tcropcommands::PressSmoothingButton() {
    form_.ToolButtonLissage->setChecked(true);
}

void tcropcommands::ToggleMarkers() {
    form_.RunAction(form_.Action(QStringLiteral("MenuView_GridNone")));
}

void tcropcommands::SelectPair(int index) {
    form_.SelectPair(index);
}

void tcropcommands::PressLockButtons() {
    form_.PressLockButtons();
}

void tcropcommands::Compose() {
    if (AppWindows.FormMain) AppWindows.FormMain->Compose();
}
