// Composition of the added output kinds and anaglyph methods: the MPO's two
// views, the half-width side-by-side and half-height over-under frames, and
// the anaglyph mixed by a method other than the colour masks.
#pragma once

#include "engine/anaglyphmix.h"
#include "output/composition.h"

// The output size of any kind: OutputBitmapSize for the kinds 2..8; W x H
// for each picture of an MPO and for the whole HSBS and HOU frames.
QSize AnyOutputSize(int kind, int W, int H, int S);

// Draws any picture kind into `out`: the anaglyph (kind 4) after `method`;
// HSBS and HOU as the left and right single-view outputs at c.W x c.H
// (fitted, black margins), then halved by averaging pairs of columns (HSBS,
// left view in the left half) or rows (HOU, left view on top); every other
// kind as ComposeKind draws it. An odd last column or row stays black.
bool ComposeOutputKind(const timg& left, const timg& right, const tcommonframe& frame,
                       const tcomposition& c, AnaglyphMethod method, EngineBitmap& out);

// The two single-view outputs (kinds 7 and 8) of c.W x c.H, as the MPO
// holds them.
bool ComposeViewPair(const timg& left, const timg& right, const tcommonframe& frame,
                     const tcomposition& c, EngineBitmap& leftOut, EngineBitmap& rightOut);
