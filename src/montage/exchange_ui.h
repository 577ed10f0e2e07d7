// The Edit menu's clipboard commands, the clipboard capture and the drops on
// the display window, over the system clipboard and the views.
#pragma once

#include <QImage>

class QMimeData;
class TFormBuild2;
class TFormMain;
class timg;

// "Copier Couple Stéréo": the pair as a parallel composite, each view at the
// left view's size. False when there was nothing to compose.
bool CopyStereo();
// "Couper Couple Stéréo": the copy, then the current view cleared.
void CutStereo();
// "Coller Couple Stéréo": the clipboard's picture or picture files into the views.
void PasteStereo();
// "Copier Vue Courante ": the current view turned as shown. False for an empty view.
bool CopyView();
// "Couper Vue Courante": the copy, then the current view cleared.
void CutView();
// "Coller Vue Courante": a picture or picture file into the current view.
void PasteView();

// The clipboard capture on or off (ClipboardHook).
void SetClipboardHook(bool on);
// What the capture does when the clipboard changed: the display window to
// the front, the paste of a pair, the clipboard emptied.
void CaptureClipboard();

// The "Glisser Déposer" dialog, shown modally. True when closed with OK.
bool AskDragDropOptions();

// Drops on the display window go to the views through the Montage window's loader.
void ConnectDrops(TFormMain& main, TFormBuild2& montage);
// What a drop carries: files from other programs, or a picture from one of
// the program's own windows.
void DropOnView(const QMimeData& data, timg& target);
