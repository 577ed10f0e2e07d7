// The pages of the alignment steps in the Montage window, by page index: the
// display's pointer picks the first point of a sequence after the step on show.
#pragma once

// Pages of the alignment steps, by page index.
enum tmontagetab {
    TabLoad = 0,
    TabPoint = 1,
    TabOrient = 2,
    TabHand = 3,
    TabGeometry = 4,
    TabWindow = 5,
    TabSave = 6,
};
