// Closing the program from either main window: the confirmation, the stop of
// the alternating display and the saving of the settings.
#pragma once

#include "core/programhooks.h"

class QWidget;

// Asks whether the program may close ("Quitter?" when the setting asks for
// it); when it may, stops what runs and saves the settings. Once the program
// is quitting every further call answers yes without asking again.
bool RunExitSequence(QWidget* parent);

// Ends the event loop after an allowed close.
void EndEventLoop();
