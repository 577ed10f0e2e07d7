// The walk over the list, the slideshow and the batch save.
#include "lists/slideshow.h"

#include "core/runflags.h"
#include "lists/batchsaver.h"

#include <QFileInfo>

#include <algorithm>

const char* const EndOfListText = "Fin de Liste";
const char* const BatchDoneText = "Fini - %1 images traitées";
const char* const BatchStoppedText = "Stoppé - %1 images traitées / %2 prévues";

namespace {

const char* const ListCaptionText = "Liste";
const char* const SlideshowCaption = "Diaporama";
// The batch's ticks follow each other closely; the event loop runs between them.
constexpr int kBatchTickMs = 100;
// "Continuer..." shows its first entry almost at once.
constexpr int kContinueFirstMs = 100;

QString At(const QStringList& list, int i) {
    return i >= 0 && i < list.size() ? list[i] : QString();
}

} // namespace

bool tslideshow::ShowEntry(const QString& left, const QString& right, bool apply,
                           const QString& params) {
    if (!display_) return false;
    const int kind = list_.ListKind;
    if (kind == 10) {
        // An entry past the end of a parameter-file list shows nothing.
        if (!params.isEmpty()) display_->ReadParamFile(params, true);
    } else {
        display_->SetFileNames(left, kind == 1 ? right : left, kind);
        if (left.isEmpty() && right.isEmpty()) {
            // Nothing to load.
        } else if (apply && !params.isEmpty() && QFileInfo(params).isFile()) {
            display_->ReadParamFile(params, false);
        } else {
            display_->LoadViews(kind);
        }
    }
    display_->Refresh();
    return true;
}

QString tslideshow::CurrentFile() const {
    if (list_.ListKind == 1)
        return At(list_.ListL, list_.IndexL) + QStringLiteral("  |  ") +
               At(list_.ListR, list_.IndexR);
    return At(list_.ListL, list_.ListKind == 10 ? list_.IndexPrm : list_.IndexL);
}

int tslideshow::EntryCount() const {
    if (list_.ListKind == 1) return std::min(list_.ListL.size(), list_.ListR.size());
    return list_.ListL.size();
}

int tslideshow::CurrentIndex() const {
    return list_.ListKind == 10 ? list_.IndexPrm : list_.IndexL;
}

bool tslideshow::Step(int s) {
    return list_.ListKind == 1 ? StepPairs(s) : StepSingles(s);
}

void tslideshow::EndOfList() {
    StopSequence();
    host_.ShowMessage(QString::fromUtf8(EndOfListText), QString::fromUtf8(ListCaptionText));
}

bool tslideshow::StepPairs(int s) {
    int& l = list_.IndexL;
    int& r = list_.IndexR;
    const int nL = list_.ListL.size();
    const int nR = list_.ListR.size();
    if (std::min(nL, nR) == 0) {
        // A list without a single pair stops without a message.
        StopSequence();
        return false;
    }
    const bool possible = s < 0 ? (l + s >= 0 && r + s >= 0) : (l + s < nL && r + s < nR);
    if (possible) {
        l += s;
        r += s;
    } else if (!list_.Loop) {
        if (s > 0) reachedEnd_ = true;
        EndOfList();
        return false;
    } else if (s < 0) {
        l = r = std::min(nL, nR) - 1;
    } else {
        l = r = 0;
    }
    return ShowEntry(At(list_.ListL, l), At(list_.ListR, r), ApplyParams, list_.ParamsFile);
}

bool tslideshow::StepSingles(int s) {
    const bool params = list_.ListKind == 10;
    int& index = params ? list_.IndexPrm : list_.IndexL;
    const int count = list_.ListL.size();
    if (count == 0) {
        // An empty list stops without a message.
        index = 0;
        StopSequence();
        return false;
    }
    index += s;
    bool stop = false;
    if (list_.Loop) {
        if (index >= count) index = 0;
        if (index < 0) index = count - 1;
    } else {
        if (index >= count) {
            index = count - 1;
            stop = true;
            reachedEnd_ = true;
        }
        if (index < 0) {
            index = 0;
            stop = true;
        }
    }
    if (stop) {
        EndOfList();
        return false;
    }
    const QString entry = list_.ListL[index];
    if (params) return ShowEntry(QString(), QString(), false, entry);
    return ShowEntry(entry, QString(), ApplyParams, list_.ParamsFile);
}

bool tslideshow::PreviousEntry() {
    StopSequence();
    return Step(-1);
}

void tslideshow::GoToEntry(int i) {
    StopSequence();
    switch (list_.ListKind) {
    case 1:
        list_.IndexL = list_.IndexR = i;
        ShowEntry(At(list_.ListL, i), At(list_.ListR, i), ApplyParams, list_.ParamsFile);
        break;
    case 10:
        list_.IndexPrm = i >= 0 && i < list_.ListL.size() ? i : -1;
        ShowEntry(QString(), QString(), false, At(list_.ListL, list_.IndexPrm));
        break;
    default:
        list_.IndexL = i >= 0 && i < list_.ListL.size() ? i : -1;
        ShowEntry(At(list_.ListL, list_.IndexL), QString(), ApplyParams, list_.ParamsFile);
        break;
    }
}

void tslideshow::StartSlideshow() {
    list_.IndexL = list_.IndexR = list_.IndexPrm = 0;
    State = tsequencestate::Slideshow;
    gBusy = true;
    ShowCurrent();
    host_.ProcessEvents();
    if (gBusy)
        host_.StartTimer(list_.Interval);
    else
        StopSequence();
}

void tslideshow::ContinueSlideshow() {
    State = tsequencestate::Slideshow;
    gBusy = true;
    ShowCurrent();
    host_.ProcessEvents();
    if (gBusy)
        host_.StartTimer(kContinueFirstMs);
    else
        StopSequence();
}

bool tslideshow::StartBatch(tbatchsaver* saver) {
    if (!saver) {
        host_.ShowMessage(QString::fromUtf8(BatchSaverMissingText),
                          QString::fromUtf8(SlideshowCaption));
        return false;
    }
    StopSequence();
    if (EntryCount() == 0) return false; // an empty list stops without a message
    saver_ = saver;
    list_.Loop = false;
    list_.IndexL = list_.IndexR = list_.IndexPrm = 0;
    reachedEnd_ = false;
    State = tsequencestate::Batch;
    gBusy = true;
    BatchCount = 0;
    ShowCurrent();
    host_.StartTimer(kBatchTickMs);
    return true;
}

void tslideshow::StopSequence() {
    gBusy = false;
    host_.StopTimer();
    if (State == tsequencestate::Batch && !inTick_) {
        // Stopped between two ticks: no tick will come to say so.
        State = tsequencestate::Idle;
        FinishBatch();
        return;
    }
    if (!inTick_) State = tsequencestate::Idle;
}

void tslideshow::Tick() {
    if (inTick_) return;
    inTick_ = true;
    host_.StopTimer();
    if (State == tsequencestate::Batch)
        BatchTick();
    else if (State == tsequencestate::Slideshow)
        SlideshowTick();
    inTick_ = false;
    if (!gBusy) State = tsequencestate::Idle;
}

void tslideshow::SlideshowTick() {
    NextEntry();
    host_.ProcessEvents();
    if (gBusy)
        host_.StartTimer(list_.Interval);
    else
        StopSequence();
}

void tslideshow::BatchTick() {
    ++BatchCount;
    if (gBusy) {
        host_.BatchProgress(BatchCount, list_.ListL.size(), CurrentFile());
        QStringList log;
        if (!saver_ || !saver_->SaveCurrentPair(&log)) {
            // The user abandoned the save: the batch ends here, silently.
            gBusy = false;
            host_.BatchProgress(0, list_.ListL.size(), QString());
            return;
        }
        host_.ProcessEvents();
        // Stopped during the save of the last entry: the whole list was saved.
        if (!gBusy && EntryCount() > 0 && CurrentIndex() == EntryCount() - 1) reachedEnd_ = true;
        if (gBusy) {
            NextEntry();
            host_.ProcessEvents();
            if (gBusy) {
                host_.StartTimer(kBatchTickMs);
                return;
            }
        }
    }
    FinishBatch();
}

void tslideshow::FinishBatch() {
    gBusy = false;
    host_.StopTimer();
    const int total = list_.ListL.size();
    host_.BatchProgress(0, total, QString());
    const QString text = reachedEnd_
                             ? QString::fromUtf8(BatchDoneText).arg(BatchCount)
                             : QString::fromUtf8(BatchStoppedText).arg(BatchCount).arg(total);
    host_.ShowMessage(text, QString::fromUtf8(SlideshowCaption));
}
