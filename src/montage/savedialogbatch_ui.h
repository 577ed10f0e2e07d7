// The batch's saver over the save dialog: shown modal once, then its pass for every entry.
#pragma once

#include "lists/batchsaver.h"

class TFormSave;

class tsavedialogbatch : public tbatchsaver {
public:
    // The dialog is not owned; it outlives the batch.
    explicit tsavedialogbatch(TFormSave* dialog) : dialog_(dialog) {}
    bool AskSaveOptions() override;
    bool SaveCurrentPair(QStringList* log) override;

private:
    TFormSave* dialog_;
};
