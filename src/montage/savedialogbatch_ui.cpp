// The batch's saver over the save dialog.
#include "montage/savedialogbatch_ui.h"

#include "montage/tformsave.h"

bool tsavedialogbatch::AskSaveOptions() {
    return dialog_ && dialog_->ExecuteForBatch();
}

bool tsavedialogbatch::SaveCurrentPair(QStringList* log) {
    if (!dialog_) return false;
    dialog_->SpeedButtonSaveClick();
    const tsavereport& report = dialog_->LastReport();
    if (log) *log += report.log;
    return !report.abandoned;
}
