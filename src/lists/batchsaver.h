// What the batch asks of the save dialog, and the one place where the
// program installs it.
#pragma once

#include <QStringList>

class tbatchsaver {
public:
    virtual ~tbatchsaver() = default;
    // The save dialog shown modal, so the user checks what each entry is
    // saved as; true when it closes with OK.
    virtual bool AskSaveOptions() = 0;
    // The save dialog's "Enregistrer..." pass over the pair on screen, every
    // ticked output written; its log lines go to `log`. False when the user
    // abandoned the save (Abort to a folder question): the batch then ends
    // without its final message.
    virtual bool SaveCurrentPair(QStringList* log) = 0;
};

// The save dialog's saver (not owned); null until the program installs one,
// and then the batch refuses to start with BatchSaverMissingText.
tbatchsaver* BatchSaver();
void SetBatchSaver(tbatchsaver* saver);

extern const char* const BatchSaverMissingText;
