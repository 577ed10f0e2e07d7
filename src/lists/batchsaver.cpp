// The installed save dialog of the batch.
#include "lists/batchsaver.h"

namespace {
tbatchsaver* installed = nullptr;
} // namespace

const char* const BatchSaverMissingText =
    "Traitement par lots impossible : la fenêtre de sauvegarde n'est pas disponible";

tbatchsaver* BatchSaver() {
    return installed;
}

void SetBatchSaver(tbatchsaver* saver) {
    installed = saver;
}
