// The display window's pointer and commands answered by the Montage window.
#pragma once

class TFormMain;
class TFormBuild2;

// Routes the display's pair selection, point placing, tab changes, rotations
// and commands to `montage` for as long as it exists; afterwards the display
// acts alone again (its pointer's empty hooks).
void LinkDisplayToMontage(TFormMain& main, TFormBuild2& montage);
