// Walking the list: stepping with and without loop for pairs, single files
// and parameter files, what an entry shows, the slideshow's timer and the
// batch with its final messages, through a fake display, window and saver.
#include "lists/slideshow.h"

#include "core/runflags.h"
#include "lists/batchsaver.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <functional>

namespace {

struct FakeDisplay : tlistdisplay {
    QStringList calls;
    QString names;
    void SetFileNames(const QString& l, const QString& r, int kind) override {
        names = l + "|" + r;
        calls << QStringLiteral("names %1 %2").arg(names).arg(kind);
    }
    void ReadParamFile(const QString& f, bool withImages) override {
        calls << QStringLiteral("prm %1 %2").arg(f).arg(withImages ? 1 : 0);
    }
    void LoadViews(int kind) override {
        calls << QStringLiteral("load %1 %2").arg(names).arg(kind);
    }
    void Refresh() override {}
};

struct FakeHost : tsequencehost {
    bool running = false;
    int interval = -1;
    QStringList messages; // "caption: text"
    QStringList progress;
    std::function<void()> onEvents;
    void StartTimer(int ms) override {
        running = true;
        interval = ms;
    }
    void StopTimer() override { running = false; }
    void ProcessEvents() override {
        if (onEvents) onEvents();
    }
    void ShowMessage(const QString& text, const QString& caption) override {
        messages << caption + ": " + text;
    }
    void BatchProgress(int done, int total, const QString& file) override {
        progress << QStringLiteral("%1/%2 %3").arg(done).arg(total).arg(file);
    }
};

struct FakeSaver : tbatchsaver {
    int saves = 0;
    std::function<bool(int)> onSave; // called with the save's number, 1 first
    bool AskSaveOptions() override { return true; }
    bool SaveCurrentPair(QStringList* log) override {
        ++saves;
        if (log) *log << "Ok - 1 Ko";
        return onSave ? onSave(saves) : true;
    }
};

struct Walk : ::testing::Test {
    tdiaporama list;
    FakeHost host;
    FakeDisplay display;
    tslideshow seq{list, host};
    void SetUp() override {
        gBusy = false;
        seq.SetDisplay(&display);
    }
    void TearDown() override { gBusy = false; }

    // What one command showed: "!" for "Fin de Liste", "-" for nothing, else
    // the last entry loaded ("a", "l0|r0") or parameter file read.
    QString Run(char op) {
        display.calls.clear();
        const int before = host.messages.size();
        switch (op) {
        case 'C':
            seq.ShowCurrent();
            break;
        case 'N':
            seq.NextEntry();
            break;
        case 'P':
            seq.PreviousEntry();
            break;
        }
        if (host.messages.size() > before) return QStringLiteral("!");
        for (int i = display.calls.size() - 1; i >= 0; --i) {
            const QStringList w = display.calls[i].split(' ');
            if (w[0] == "load") return list.ListKind == 1 ? w[1] : w[1].section('|', 0, 0);
            if (w[0] == "prm") return w[1];
        }
        return QStringLiteral("-");
    }
    // Runs the timer until it stops, at most `limit` ticks.
    int RunTimer(int limit = 50) {
        int ticks = 0;
        while (host.running && ticks < limit) {
            seq.Tick();
            ++ticks;
        }
        return ticks;
    }
};

QStringList Words(const char* text) {
    return QString::fromUtf8(text).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

struct StepCase {
    const char* name;
    int kind;
    const char* left;
    const char* right;
    bool loop;
    const char* ops;
    const char* shown;
};

class Stepping : public Walk, public ::testing::WithParamInterface<StepCase> {};

TEST_P(Stepping, ShowsTheExpectedEntries) {
    const StepCase& c = GetParam();
    list.ListKind = c.kind;
    list.ListL = Words(c.left);
    list.ListR = Words(c.right);
    list.Loop = c.loop;
    QStringList shown;
    for (const char* op = c.ops; *op; ++op)
        if (*op != ' ') shown << Run(*op);
    EXPECT_EQ(shown.join(' '), QString::fromUtf8(c.shown)) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Stepping,
    ::testing::Values(
        StepCase{"single files, loop", 0, "a b c", "", true, "C N N N N P P", "a b c a b a c"},
        StepCase{"single files, no loop", 2, "a b c", "", false, "C N N N P P P", "a b c ! b a !"},
        StepCase{"single file list that is empty", 3, "", "", false, "C N P", "- - -"},
        StepCase{"pairs, no loop: four left, three right", 1, "l0 l1 l2 l3", "r0 r1 r2", false,
                 "C N N N P", "l0|r0 l1|r1 l2|r2 ! l1|r1"},
        StepCase{"pairs, loop: previous on the first", 1, "l0 l1 l2 l3", "r0 r1 r2", true, "C P N",
                 "l0|r0 l2|r2 l0|r0"},
        StepCase{"pairs, no loop: previous on the first", 1, "l0 l1", "r0 r1", false, "C P",
                 "l0|r0 !"},
        StepCase{"pairs without a right column", 1, "l0 l1", "", false, "C N", "- -"},
        StepCase{"parameter files, no loop", 10, "p q", "", false, "C N N P", "p q ! p"},
        StepCase{"parameter files, loop", 10, "p q", "", true, "C N N P P", "p q p q p"}));

TEST_F(Walk, ParameterFilesAreReadWithTheirImagesAndTheirOwnIndex) {
    list.ListKind = 10;
    list.ListL = Words("/a.prm /b.prm");
    list.ParamsFile = "/ignored.prm";
    seq.ApplyParams = true;
    seq.NextEntry();
    EXPECT_EQ(display.calls, QStringList{"prm /b.prm 1"});
    EXPECT_EQ(list.IndexPrm, 1);
    EXPECT_EQ(list.IndexL, 0);
}

struct ApplyCase {
    const char* name;
    int kind;
    bool apply;
    bool paramsExist;
    const char* calls; // with P for the parameter file's path
};

class ApplyParams : public Walk, public ::testing::WithParamInterface<ApplyCase> {};

TEST_P(ApplyParams, TheParameterFileIsAppliedOnlyWhenAskedAndPresent) {
    const ApplyCase& c = GetParam();
    QTemporaryDir dir;
    const QString params = dir.filePath("all.prm");
    if (c.paramsExist) {
        QFile f(params);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    list.ListKind = c.kind;
    list.ListL = Words("/v/a.jpg");
    list.ListR = Words("/v/b.jpg");
    list.ParamsFile = params;
    seq.ApplyParams = c.apply;
    seq.ShowCurrent();
    EXPECT_EQ(display.calls.join(';'), QString::fromUtf8(c.calls).replace("P", params)) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ApplyParams,
    ::testing::Values(
        ApplyCase{"composite, applied", 2, true, true, "names /v/a.jpg|/v/a.jpg 2;prm P 0"},
        ApplyCase{"composite, file missing", 2, true, false,
                  "names /v/a.jpg|/v/a.jpg 2;load /v/a.jpg|/v/a.jpg 2"},
        ApplyCase{"pair, not asked", 1, false, true,
                  "names /v/a.jpg|/v/b.jpg 1;load /v/a.jpg|/v/b.jpg 1"},
        ApplyCase{"pair, applied", 1, true, true, "names /v/a.jpg|/v/b.jpg 1;prm P 0"}));

TEST_F(Walk, GoToEntryStopsAndShowsThatEntryOrNothingPastTheEnd) {
    list.ListKind = 1;
    list.ListL = Words("l0 l1 l2");
    list.ListR = Words("r0 r1");
    gBusy = true;
    host.running = true;
    seq.GoToEntry(2);
    EXPECT_FALSE(gBusy);
    EXPECT_FALSE(host.running);
    EXPECT_EQ(display.calls.last(), "load l2| 1");
    list.ListKind = 10;
    display.calls.clear();
    seq.GoToEntry(7);
    EXPECT_EQ(list.IndexPrm, -1);
    EXPECT_TRUE(display.calls.isEmpty());
}

TEST_F(Walk, SlideshowWithLoopGoesRoundUntilStopped) {
    list.ListL = Words("a b c");
    list.Loop = true;
    list.Interval = 750;
    list.IndexL = 2;
    seq.StartSlideshow();
    EXPECT_TRUE(gBusy);
    EXPECT_TRUE(host.running);
    EXPECT_EQ(host.interval, 750);
    QStringList shown{display.calls.last().section(' ', 1, 1).section('|', 0, 0)};
    for (int i = 0; i < 4; ++i) {
        seq.Tick();
        EXPECT_TRUE(host.running);
        shown << display.calls.last().section(' ', 1, 1).section('|', 0, 0);
    }
    EXPECT_EQ(shown.join(' '), "a b c a b");
    seq.StopSequence();
    EXPECT_FALSE(gBusy);
    EXPECT_FALSE(host.running);
    EXPECT_TRUE(host.messages.isEmpty());
}

TEST_F(Walk, SlideshowWithoutLoopEndsOnTheLastEntry) {
    list.ListL = Words("a b c");
    seq.StartSlideshow();
    EXPECT_EQ(RunTimer(), 3);
    EXPECT_FALSE(host.running);
    EXPECT_FALSE(gBusy);
    EXPECT_EQ(host.messages, QStringList{"Liste: Fin de Liste"});
    EXPECT_EQ(display.calls.last(), "load c|c 0");
}

TEST_F(Walk, ContinueKeepsThePlaceAndStartsSoon) {
    list.ListL = Words("a b c");
    list.IndexL = 1;
    seq.ContinueSlideshow();
    EXPECT_EQ(display.calls.last(), "load b|b 0");
    EXPECT_EQ(host.interval, 100);
}

TEST_F(Walk, TheEditStopCommandEndsTheSlideshowAtTheNextTick) {
    list.ListL = Words("a b c");
    list.Loop = true;
    seq.StartSlideshow();
    gBusy = false; // "Stop" of the Edit menu
    seq.Tick();
    EXPECT_FALSE(host.running);
    EXPECT_EQ(seq.State, tsequencestate::Idle);
}

struct Batch : Walk {
    FakeSaver saver;
    void SetUp() override {
        Walk::SetUp();
        list.ListL = Words("e0 e1 e2 e3 e4");
        list.Loop = true; // the batch never loops
    }
};

TEST_F(Batch, FiveEntriesEndWithEndOfListThenTheCount) {
    ASSERT_TRUE(seq.StartBatch(&saver));
    EXPECT_EQ(host.interval, 100);
    RunTimer();
    EXPECT_EQ(saver.saves, 5);
    EXPECT_EQ(host.messages,
              (QStringList{"Liste: Fin de Liste",
                           QString::fromUtf8("Diaporama: Fini - 5 images traitées")}));
    EXPECT_FALSE(gBusy);
    EXPECT_FALSE(list.Loop);
    EXPECT_EQ(seq.State, tsequencestate::Idle);
}

TEST_F(Batch, StoppedDuringTheSecondSave) {
    saver.onSave = [this](int n) {
        if (n == 2) seq.StopSequence(); // "Stop" pressed while the events run
        return true;
    };
    seq.StartBatch(&saver);
    RunTimer();
    EXPECT_EQ(saver.saves, 2);
    EXPECT_EQ(host.messages,
              QStringList{QString::fromUtf8("Diaporama: Stoppé - 2 images traitées / 5 prévues")});
    EXPECT_FALSE(host.running);
}

TEST_F(Batch, StoppedDuringTheLastSaveCountsAsDone) {
    saver.onSave = [this](int n) {
        if (n == 5) gBusy = false;
        return true;
    };
    seq.StartBatch(&saver);
    RunTimer();
    EXPECT_EQ(host.messages, QStringList{QString::fromUtf8("Diaporama: Fini - 5 images traitées")});
}

TEST_F(Batch, StoppedBetweenTwoEntriesStillSaysSo) {
    seq.StartBatch(&saver);
    seq.Tick();
    seq.Tick();
    seq.StopSequence(); // the list window's "Stop" while the timer waits
    EXPECT_FALSE(host.running);
    EXPECT_EQ(host.messages,
              QStringList{QString::fromUtf8("Diaporama: Stoppé - 2 images traitées / 5 prévues")});
}

TEST_F(Batch, AnAbandonedSaveEndsTheBatchWithoutItsMessage) {
    saver.onSave = [](int n) { return n != 3; };
    seq.StartBatch(&saver);
    RunTimer();
    EXPECT_EQ(saver.saves, 3);
    EXPECT_TRUE(host.messages.isEmpty());
    EXPECT_FALSE(host.running);
    EXPECT_FALSE(gBusy);
}

TEST_F(Batch, ProgressNamesTheEntryAndTheCount) {
    seq.StartBatch(&saver);
    seq.Tick();
    seq.Tick();
    ASSERT_EQ(host.progress.size(), 2);
    EXPECT_EQ(host.progress[0], "1/5 e0");
    EXPECT_EQ(host.progress[1], "2/5 e1");
    RunTimer();
    EXPECT_EQ(host.progress.last(), "0/5 ");
}

TEST_F(Batch, WithoutTheSaveDialogNothingIsSaved) {
    EXPECT_FALSE(seq.StartBatch(nullptr));
    EXPECT_FALSE(gBusy);
    EXPECT_FALSE(host.running);
    EXPECT_EQ(host.messages, QStringList{QStringLiteral("Diaporama: ") +
                                         QString::fromUtf8(BatchSaverMissingText)});
}

TEST_F(Batch, AnEmptyListStartsNothingAndSaysNothing) {
    list.ListL.clear();
    EXPECT_FALSE(seq.StartBatch(&saver));
    EXPECT_FALSE(host.running);
    EXPECT_TRUE(host.messages.isEmpty());
    EXPECT_EQ(saver.saves, 0);
}

TEST_F(Batch, APairListStopsAfterTheLastPairBothColumnsHave) {
    list.ListKind = 1;
    list.ListR = Words("r0 r1 r2");
    seq.StartBatch(&saver);
    RunTimer();
    EXPECT_EQ(saver.saves, 3);
    EXPECT_EQ(host.messages.last(), QString::fromUtf8("Diaporama: Fini - 3 images traitées"));
}

} // namespace
