// The rules of the JPEG quality field: what typing leaves in it and what the
// "+" and "-" buttons make of it.
#pragma once

#include <QString>

// The field's limits and the buttons' step.
constexpr int JpegQualityMin = 5;
constexpr int JpegQualityMax = 100;
constexpr int JpegQualityStep = 10;

// The field after a change: a text that is not an integer is cut before its
// first invalid character ("5" when nothing remains); then a value above 100
// becomes "100" and one below 5 becomes "5". A valid text comes back as it was.
QString CleanJpegQualityText(const QString& text);

// "+" (step > 0) or "-" (step < 0): an integer v becomes v + step, held to
// 100 going up and to 5 going down; a text that is not an integer is only cut
// before its first invalid character.
QString StepJpegQualityText(const QString& text, int step);

// The quality a clean field holds (the stored option).
int JpegQualityOf(const QString& text);
