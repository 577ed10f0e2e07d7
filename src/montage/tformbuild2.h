// The "Montage" window: the floating control window that stays on top of the
// display and carries the main menu, the tool bars and the alignment steps.
#pragma once

#include "montage/montagehost_ui.h"
#include "montage/sequencing.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <memory>

class QAbstractButton;
class QAction;
class QActionGroup;
class QButtonGroup;
class QLabel;
class QLineEdit;
class QMenu;
class QRadioButton;
class QScrollBar;
class QTabWidget;
class QToolButton;
class tflowbar;
class timg;
class tcropcommands;
class tdisplaystate;
class tviewloader;

class TFormBuild2 : public QMainWindow, private tpairhooks {
    Q_OBJECT
public:
    TFormBuild2();
    ~TFormBuild2() override;

    // The one registry of commands: every menu item by its component name.
    // Tool buttons and popup copies show these same actions, so a caption,
    // shortcut, check mark and enabled state live in one place.
    QAction* Action(const QString& name) const;
    // The menus of the menu bar, in menu order.
    QList<QAction*> MenuBarActions() const;
    // The submenu carried by a menu item, or null.
    QMenu* Submenu(const QString& name) const;
    // Runs an item's command as a click would, without touching its check
    // mark; false when the item has no command (yet).
    bool RunAction(QAction* action);

    // Point pairs.
    void SelectPair(int index);
    void NextPair();
    void AdvanceAfterPair();
    void PlaceCurrentPoint(timg& view, double x, double y);
    // The pair buttons of every tab follow CurPoint (shown pressed only).
    void ShowSelectedPair();
    void PressLockButtons() override;
    void PressCentreButtons();
    int LastPoint() const { return sequencer_.LastPoint; }
    void ForgetLastPoint() { sequencer_.LastPoint = 0; }
    // What every Lock button does: the frame button released, the points
    // locked, pair 0.
    void LockPoints();
    // The alignment commands' view of the display and of this window.
    talignhost& AlignHost() { return host_; }
    // The open commands' loader; only while the display window exists.
    tviewloader& Loader();
    // The crop modes and the window tab's frame controls.
    tcropcommands& Crop() { return *crop_; }

    // Information texts.
    void ShowAngleInfo();
    void ShowShiftInfo();
    void ShowZoomInfo();
    void ShowAutoWindowSize(double& width, double& height);
    void WriteLabelVisu();
    void ShowFocusButtons(const timg* view);
    void ShowColorMaskButtons(int mask);

    // Remembered submenu items.
    int DoMenuItem(QMenu* item, int index);
    int DoMenuItemChecked(QMenu* item, int index);
    void PopupSubmenu(QMenu* item, int x, int y);
    void PopupVisionMenu(int x, int y);
    void PopupCropMenu(int x, int y);
    void MenuFile_OpenCurrentMenu();
    void MenuFile_RotationsCurrentMenu();
    void MenuFile_SaveCurrentMenu();

    // Save commands: one kind through its file dialog and the size dialog,
    // the save dialog shown modeless, its preview.
    void PopupMenuSave(int kind);
    // The size dialog for `file`, then that kind written; false when
    // cancelled or not written.
    bool SaveKindWithSize(int kind, const QString& file);
    void ShowSaveDialog();
    void PreviewFromMenu();
    // The popup copy last made of a submenu, or null.
    QMenu* PopupCopy(QMenu* item) const;

    bool PrecisionMode = false;
    int WindowPairIndex = 9;

    // Components the other windows and the tests reach by name.
    QTabWidget* PageControl1 = nullptr;
    tflowbar* ToolBarFile = nullptr;
    tflowbar* ToolBarGeometry = nullptr;
    tflowbar* ToolBar1 = nullptr;
    tflowbar* ToolBar3 = nullptr;
    tflowbar* ToolBarTransparence = nullptr;
    tflowbar* ToolBar5 = nullptr;
    tflowbar* ToolBarInfo = nullptr;
    QLabel* LabelVisu = nullptr;
    QLabel* LabelAutoWin = nullptr;
    QLabel* StaticTextRotation = nullptr;
    QLabel* StaticTextdZoom = nullptr;
    QLabel* StaticTextExtra = nullptr;
    // The result line of "Calage automatique", hidden until it runs.
    QLabel* StaticTextAuto = nullptr;
    QLabel* LabelCyan = nullptr;
    QLabel* LabelRed = nullptr;
    QLineEdit* EditZoom = nullptr;
    QScrollBar* ScrollBarTransp = nullptr;
    QScrollBar* ScrollBarTransp2 = nullptr;
    QScrollBar* ScrollBar1 = nullptr;
    QToolButton *SBCPoint = nullptr, *SBA1 = nullptr, *SBA2 = nullptr, *SBLockPoint = nullptr;
    QToolButton *SBCOrient = nullptr, *SBOrient1 = nullptr, *SBOrient2 = nullptr,
                *SBLockOrient = nullptr;
    QToolButton *SBCManual = nullptr, *SpeedButton11 = nullptr, *SpeedButton10 = nullptr,
                *SBLockManual = nullptr;
    QToolButton *ToolButtonD1 = nullptr, *ToolButtonD2 = nullptr, *ToolButtonLockGeometry = nullptr;
    QToolButton *ToolButtonW1 = nullptr, *ToolButtonLockWindow = nullptr, *SBCadre1 = nullptr;
    QToolButton *ToolButtonLeft = nullptr, *ToolButtonRight = nullptr;
    QToolButton *ToolButtonR = nullptr, *ToolButtonG = nullptr, *ToolButtonB = nullptr,
                *ToolButtonCyanRed = nullptr, *ToolButtonInvMask = nullptr;
    QToolButton *ToolButtonLissage = nullptr, *ToolButtonPrecision = nullptr,
                *ToolButtonBlackWhiteGrid = nullptr, *ToolButtonTransp = nullptr;
    QToolButton *ToolButtonFile = nullptr, *ToolButtonRotations = nullptr,
                *ToolButtonExtract = nullptr, *ToolButtonGrid = nullptr, *ToolButtonView = nullptr,
                *ToolButtonCrop = nullptr, *ToolButtonCrop2 = nullptr,
                *ToolButtonFrontWin = nullptr, *ToolButtonRaz = nullptr, *ToolButtonTTMT = nullptr;
    QToolButton *SpeedButton1 = nullptr, *SpeedButton2 = nullptr;
    QToolButton *SpeedButtonStepByStep = nullptr, *SpeedButtonAutomat = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // tpairhooks
    void LeaveFrameDrawing() override;
    void PairSelected(int index) override;
    bool PairPlaced(int index) const override;
    int ActiveTab() const override;
    void AlignRotation() override;
    void RunWindowCalculation() override;
    void ShowRearWindowing() override;

    void BuildMenus();
    void BuildToolBars(QWidget* host);
    void BuildTabs();
    void BindCommands();
    void Bind(const char* name, std::function<void()> handler);
    // A tool button bound to a remembered submenu: drop-down on a left
    // click, the remembered child again on a right click.
    QToolButton* SubmenuButton(const char* menuName, const QString& text, const QString& hint,
                               std::function<int()> repeatIndex);
    void RepeatSubmenu(QToolButton* button, QMenu* menu, int index);
    void CheckRemembered(QMenu* menu, int index, bool bound);
    void RefreshOptionChecks();
    void RefreshViewChecks();
    void ApplyToolButtonStates();
    void ExpertModeChanged();
    void SelectNoCrop();
    void RunPreset(bool automatic);
    void PageControlChange(int index);
    void SetGrid(int gridIndex);
    void ToggleGrid();
    void ToggleMontageWindow();
    void ToggleDisplayWindow();
    void ToggleMagnifier();
    void ResetStartupSettings();
    void HandOffToImageProgram();
    void Redraw();
    tdisplaystate* Display() const;
    void ConnectDisplay();
    void SetVision(int mode);
    void ApplyTransparency(QAction* op, bool check);
    void SetMask(int mask);
    void OpenFromLoadTab(bool left);
    void OpenCommand(int index);
    void ExtractCommand(int index);
    void CloseView(bool left);
    void CloseAll();
    void ConvertToGrey(bool both);
    void BindAlignment();
    // "Calage automatique" from the menu or the points tab.
    void AutoAlignClick();
    void BindStereoWindow();
    void BindSave();
    void SaveCommand(int index);
    void ShowWindowExpert();
    bool DistanceMode() const;
    int RotationItem() const;
    // The crop mode a right click on a crop button repeats.
    int CropToRepeat();
    QToolButton* PairButton(QWidget* parent, const QString& text, const QString& hint, int pair);
    QToolButton* LockButton(QWidget* parent);

    tpairsequencer sequencer_;
    tmontagehost host_{*this};
    std::unique_ptr<tviewloader> loader_;
    std::unique_ptr<tcropcommands> crop_;
    QHash<QString, QAction*> actions_;
    QHash<QAction*, std::function<void()>> handlers_;
    QHash<QMenu*, QPointer<QMenu>> popupCopies_;
    QList<QToolButton*> lockButtons_;
    QList<QToolButton*> centreButtons_;
    QList<QButtonGroup*> pairGroups_;
    bool filtering_ = false;
};
