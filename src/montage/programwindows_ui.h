// The table of the program's windows in their fixed order, the display
// window first; the start-up fills it and the Montage window reaches the
// other windows through it.
#pragma once

#include <QList>
#include <QWidget>

class TFormMain;
class TFormBuild2;

struct tappwindows {
    TFormMain* FormMain = nullptr;
    TFormBuild2* FormBuild2 = nullptr;
    QWidget* FormZoom = nullptr;
    QWidget* FormSave = nullptr;
    QWidget* FormGeometry = nullptr;
    QWidget* FormPt = nullptr;
    QWidget* FormRepOpenImg = nullptr;
    QWidget* SeparDialog = nullptr;
    QWidget* AboutBox = nullptr;
    QWidget* FormDiaporama = nullptr;
    QWidget* FormList = nullptr;
    QWidget* FormRearWindowing = nullptr;
    QWidget* FormImg = nullptr;
    QWidget* FormOpJpeg = nullptr;
    QWidget* FormSize = nullptr;
    QWidget* FormDragDropOptions = nullptr;
    QWidget* FormEdit = nullptr;
    QWidget* FormView = nullptr;
    QWidget* LngForm = nullptr;
    QWidget* FormRearWinExpert = nullptr;
    QWidget* FormDirImg = nullptr;

    // Every window in creation order (the order of the settings file).
    QList<QWidget*> InOrder() const;
};

extern tappwindows AppWindows;
