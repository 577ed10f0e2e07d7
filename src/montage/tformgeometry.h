// The "Geometry" dialog: the magnification correction's own window, holding
// the distance mode, the factor label and the fine-step buttons.
#pragma once

#include <QWidget>

class QLabel;
class QToolButton;
class talignhost;

class TFormGeometry : public QWidget {
    Q_OBJECT
public:
    explicit TFormGeometry(QWidget* parent = nullptr);

    // false: "Différence de hauteur (dy)"; true: "Distance réelle: Sqrt(dx2+dy2) ".
    bool DistanceMode = false;

    // The display and Montage window the commands act on; the buttons do
    // nothing until it is set.
    void SetHost(talignhost* host) { host_ = host; }

    // The factor label and the Lock button, for the host's factor text and lock.
    void ShowFactorText(const QString& text);
    void PressLock();

    // "Voir", "Appliquer", "Annuler", "+", "-", "0".
    void SpeedButtondzClick();
    bool SpeedButtonApplyZoomClick();
    void SpeedButtonZCancelClick();
    void SpeedButtonZpClick();
    void SpeedButtonZmClick();
    void SpeedButtonZ0Click();

    QLabel* LabelFactor = nullptr;
    QToolButton* SpeedButtonLock = nullptr;
    QToolButton* SpeedButtondz = nullptr;
    QToolButton* SpeedButtonApplyZoom = nullptr;
    QToolButton* SpeedButtonZCancel = nullptr;
    QToolButton* SpeedButtonZp = nullptr;
    QToolButton* SpeedButtonZm = nullptr;
    QToolButton* SpeedButtonZ0 = nullptr;
    QToolButton* SpeedButtonZ1 = nullptr;
    QToolButton* SpeedButtonZ2 = nullptr;
    QToolButton* SpeedButtonLeft = nullptr;
    QToolButton* SpeedButtonRight = nullptr;
    QToolButton* BitBtnClose = nullptr;

private:
    // "Z1" and "Z2": the pair their tag names becomes current, the pointer
    // tool unchanged.
    void PointButtonClick(int tag);
    // "<*" and "*>": the slot of the left or the right view becomes current.
    void ViewButtonClick(bool left);

    talignhost* host_ = nullptr;
};
