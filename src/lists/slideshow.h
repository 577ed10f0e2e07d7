// Walking the list: showing an entry, stepping with or without loop for pair,
// single-file and parameter-file lists, the timed slideshow and the batch save.
#pragma once

#include "lists/tdiaporama.h"

#include <QString>

class tbatchsaver;

// What showing an entry needs of the display window; the Montage module
// implements it over the display, tests fake it.
class tlistdisplay {
public:
    virtual ~tlistdisplay() = default;
    // ImgLeft.filename, ImgRight.filename and the kind of the pair on screen.
    virtual void SetFileNames(const QString& left, const QString& right, int kind) = 0;
    // The parameter-file reader: with its images and their kind, or applied
    // to the views under their current names, which are then loaded.
    virtual void ReadParamFile(const QString& fileName, bool withImages) = 0;
    // Both views loaded from their file names as pictures of `kind`.
    virtual void LoadViews(int kind) = 0;
    virtual void Refresh() = 0;
};

// What the sequence needs of its window: the timer, the message boxes, the
// event loop between entries and the batch's progress.
class tsequencehost {
public:
    virtual ~tsequencehost() = default;
    virtual void StartTimer(int ms) = 0;
    virtual void StopTimer() = 0;
    // Pending window messages run, so "Stop" can be pressed during a load or save.
    virtual void ProcessEvents() = 0;
    // A message box with an OK button.
    virtual void ShowMessage(const QString& text, const QString& caption) = 0;
    // The batch is about to save entry `done` of `total`; done 0 when it ends.
    virtual void BatchProgress(int done, int total, const QString& file) = 0;
};

enum class tsequencestate { Idle, Slideshow, Batch };

class tslideshow {
public:
    tslideshow(tdiaporama& list, tsequencehost& host) : list_(list), host_(host) {}

    void SetDisplay(tlistdisplay* display) { display_ = display; }

    // CheckBoxApplyParams: ParamsFile applied to every picture entry.
    bool ApplyParams = false;
    // Timer ticks of the current batch.
    int BatchCount = 0;
    tsequencestate State = tsequencestate::Idle;

    bool ShowEntry(const QString& left, const QString& right, bool apply, const QString& params);
    bool ShowCurrent() { return Step(0); }
    bool NextEntry() { return Step(1); }
    bool PreviousEntry();
    void GoToEntry(int i);

    void StartSlideshow();
    void ContinueSlideshow();
    // False (and a message) when no save dialog is installed or the list is empty.
    bool StartBatch(tbatchsaver* saver);
    void StopSequence();
    // The timer fired: the slideshow's or the batch's handler.
    void Tick();

    // The file names of the entry at the current index (empty past the ends).
    QString CurrentFile() const;
    // Entries the walk can show: pairs both columns have, else the left column's.
    int EntryCount() const;
    int CurrentIndex() const;

private:
    bool Step(int s);
    bool StepPairs(int s);
    bool StepSingles(int s);
    void EndOfList();
    void SlideshowTick();
    void BatchTick();
    void FinishBatch();

    tdiaporama& list_;
    tsequencehost& host_;
    tlistdisplay* display_ = nullptr;
    tbatchsaver* saver_ = nullptr;
    // The last forward step found no further entry.
    bool reachedEnd_ = false;
    bool inTick_ = false;
};

extern const char* const EndOfListText;    // "Fin de Liste"
extern const char* const BatchDoneText;    // "Fini - %d images traitées"
extern const char* const BatchStoppedText; // "Stoppé - %d images traitées / %d prévues"
