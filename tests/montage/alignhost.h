// A display without a window that records what the alignment commands ask of
// it, for the montage tests.
#pragma once

#include "montage/alignment.h"

#include <QStringList>

#include <functional>
#include <vector>

class trecordinghost : public tplaindisplay {
public:
    explicit trecordinghost(tviewpair& pair) : tplaindisplay(pair) {}

    int composes = 0;
    int reloads = 0;
    int events = 0;
    tmanualframe frame;
    struct tframecall {
        const timg* view;
        double height, width, left, top;
    };
    std::vector<tframecall> frameCalls;
    QString codes[2];
    QStringList factorTexts;
    // Run on every ProcessEvents call, with its number (from 1).
    std::function<void(int)> onEvents;

    void Compose() override { ++composes; }
    void ProcessEvents() override {
        ++events;
        if (onEvents) onEvents(events);
    }
    tmanualframe ManualFrame() const override { return frame; }
    void SetManualFrame(const timg& view, double h, double w, double l, double t) override {
        frameCalls.push_back({&view, h, w, l, t});
    }
    void ShowOrientationCodes(const QString& left, const QString& right) override {
        codes[0] = left;
        codes[1] = right;
    }
    void ShowFactorText(const QString& text) override { factorTexts << text; }
};

// A pair of blank pictures with their centres reset.
inline void MakeBlankPair(tviewpair& pair, int w = 400, int h = 300) {
    pair.ImgLeft.bitmap = NewViewBitmap(w, h);
    pair.ImgRight.bitmap = NewViewBitmap(w, h);
    pair.ImgLeft.Reset();
    pair.ImgRight.Reset();
}
