// Information texts and colour-mask buttons of the Montage window.
#include "montage/infotexts.h"

#include "core/freetexts.h"

#include <cmath>

namespace {

constexpr double kDegreesPerRadian = 180.0 / 3.14159265358979323846;

QString withDecimal(QString text, QChar decimal) {
    if (decimal != QLatin1Char('.')) text.replace(QLatin1Char('.'), decimal);
    return text;
}

// Sizes come from picture geometry; anything not finite is shown as 0 rather
// than handed to an integer conversion.
long long truncated(double v) {
    if (!std::isfinite(v)) return 0;
    if (v > 1e15) return 999999999999999LL;
    if (v < -1e15) return -999999999999999LL;
    return static_cast<long long>(std::trunc(v));
}

} // namespace

QString AngleInfoText(double leftRot, double rightRot, QChar decimal) {
    return FreeText("AngleInfo") +
           withDecimal(QString::asprintf(" L %6.2f °/ R %6.2f °", leftRot * kDegreesPerRadian,
                                         rightRot * kDegreesPerRadian),
                       decimal);
}

QString ShiftInfoText(double dx, double dy, QChar decimal) {
    return FreeText("ShiftInfo") + withDecimal(QString::asprintf(" %6.2f %6.2f", dx, dy), decimal);
}

QString ZoomInfoText(double leftDz, double rightDz, QChar decimal) {
    return FreeText("ZoomInfo") +
           withDecimal(QString::asprintf(" L %6.3f / R %6.3f", leftDz, rightDz), decimal);
}

QString AutoWindowText(double width, double height) {
    return FreeText("AutoWindow") +
           QString::asprintf(" %4.4lld * %4.4lld", truncated(width), truncated(height));
}

QString VisuLabelText(const QString& modeName, const QString& modeCode) {
    return QStringLiteral("%1 %2 - %3").arg(FreeText("Vision"), modeName, modeCode);
}

tmaskbuttons MaskButtons(int mask) {
    tmaskbuttons b;
    b.red = (mask & 0xFF0000) == 0xFF0000;
    b.green = (mask & 0x00FF00) == 0x00FF00;
    b.blue = (mask & 0x0000FF) == 0x0000FF;
    b.cyanRed = mask == 0x00FFFF;
    return b;
}

int MaskWithChannel(int mask, int tag, bool down) {
    return down ? (mask | tag) : (mask & ~tag);
}

int MaskForCyanRed(bool down) {
    return down ? 0x00FFFF : 0xFF0000;
}

int InvertedMask(int mask) {
    return mask ^ 0xFFFFFF;
}

int TransparencyToApply(int checkedTag, int storedTag) {
    if (checkedTag < 0 || checkedTag == storedTag) return 0;
    return checkedTag;
}
