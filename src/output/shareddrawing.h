// The two views of a save pass drawn once, side by side, for every output
// that shows them at the same size and scale.
#pragma once

#include "engine/anaglyphmix.h"
#include "engine/imageview.h"
#include "output/composition.h"

#include <memory>
#include <mutex>
#include <vector>

class timg;

// The picture an output writes: `first` (and `second`, the right view of an
// MPO) are windows either on the shared drawing or on `own`.
struct toutputpicture {
    ImageView first;
    ImageView second;
    EngineBitmap own;
    EngineBitmap ownSecond;
};

// Single views, the side-by-side pairs and the double stereo are windows on
// one drawing of the views; the anaglyph, the over-under pair, the MPO and
// the halved frames are made from its two views. Each picture is the one
// ComposeOutputKind (ComposeViewPair for the MPO) draws, byte for byte: the
// drawing maps every view from its own cell's corner. Outputs of another
// size or scale, and a pass with a single picture kind, draw on their own.
// Several threads may ask at once: the first draws, the others wait.
class tshareddrawing {
public:
    // `kinds`: the picture kinds of the pass, which decide the drawing's
    // layout (left and right, right and left, or left, right and left).
    explicit tshareddrawing(const std::vector<int>& kinds);

    // The picture of c.kind (the anaglyph after `method`). False when there
    // is nothing to draw or no memory for it.
    bool Draw(const timg& left, const timg& right, const tcommonframe& frame, const tcomposition& c,
              AnaglyphMethod method, toutputpicture& out);

    // The layout kind of the shared drawing (crossed, parallel or double);
    // 0 when the pass draws every output on its own.
    int Layout() const { return layout_; }

private:
    struct tdrawn;
    bool Shared(const timg& left, const timg& right, const tcommonframe& frame,
                const tcomposition& c, const tdrawn*& drawn);

    int layout_ = 0;
    bool otherSizes_ = false; // kinds besides the halved frames share the drawing
    std::mutex mutex_;
    std::shared_ptr<tdrawn> drawn_;
    bool failed_ = false;
};
