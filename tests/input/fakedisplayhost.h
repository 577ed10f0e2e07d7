// A display host without a window: records what loading asked of the display
// and answers the open dialog from a script.
#pragma once

#include "input/displayhost.h"

#include <QList>
#include <QStringList>

#include <cmath>

class tfakedisplayhost : public tdisplayhost {
public:
    tviewpair pair;
    // Answers of the open dialog, one list of files per call (empty = cancel).
    QList<QStringList> answers;
    struct tasked {
        QString title, folder, fileName;
        bool multi;
    };
    QList<tasked> asked;
    QStringList messages;
    quint32 colorMask = 0;
    int transp1 = 0;
    const timg* current = nullptr;
    int scrollW = -1, scrollH = -1;
    QSize area{400, 300};
    int centredOnArea = 0;
    double centreX = -1, centreY = -1;
    int redraws = 0, recomposes = 0, captions = 0, saveRefreshes = 0, firstTabs = 0;
    int slotResets = 0, paramReads = 0;
    int busyDepth = 0;
    int busyCalls = 0;
    QList<double> reductions;

    tviewpair& Pair() override { return pair; }
    void ShowMessage(const QString& text) override { messages << text; }
    void BeginBusy() override {
        ++busyDepth;
        ++busyCalls;
    }
    void EndBusy() override { --busyDepth; }
    void SetColorMask(quint32 mask) override { colorMask = mask; }
    void SetTransp1(int value) override { transp1 = value; }
    void ResetSlot(const timg&) override { ++slotResets; }
    void MakeCurrent(const timg& view) override { current = &view; }
    void SetScrollRanges(int w, int h) override {
        scrollW = w;
        scrollH = h;
    }
    QSize DisplayArea(const timg&) const override { return area; }
    void CentreOnArea(const timg&) override { ++centredOnArea; }
    void SetDisplayCentre(const timg&, double x, double y) override {
        centreX = x;
        centreY = y;
    }
    void Redraw() override { ++redraws; }
    void Recompose() override { ++recomposes; }
    void RefreshCaption() override { ++captions; }
    void RefreshSaveSizes() override { ++saveRefreshes; }
    void ShowFirstMontageTab() override { ++firstTabs; }
    QStringList AskOpenPictures(const QString& title, const QString& folder,
                                const QString& fileName, bool multi) override {
        asked.append({title, folder, fileName, multi});
        return answers.isEmpty() ? QStringList() : answers.takeFirst();
    }
    // Stands in for the engine's smoothed reduction: the size and the points only.
    void ReduceView(timg& view, double factor) override {
        reductions << factor;
        const int w = int(std::trunc(view.Width() / factor));
        const int h = int(std::trunc(view.Height() / factor));
        view.bitmap = view.bitmap.scaled(w, h);
        for (auto& p : view.pt) {
            p.x /= factor;
            p.y /= factor;
        }
    }
    void ReadParameterFile() override { ++paramReads; }
};
