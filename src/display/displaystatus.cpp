// The display's status texts and icons: the status bar panels, the zoom
// field, the pair buttons and the point icons.
#include "display/displaystate.h"

#include "core/runflags.h"
#include "core/settings.h"
#include "display/displaymath.h"

#include <climits>

QString ScrollStatusText(int sx, int sy) {
    return QString::asprintf(" Scroll = %5.4d / %5.4d", sx, sy);
}

QString RgbStatusText(int red, int green, int blue) {
    return QString::asprintf("RGB = %3.3d/%3.3d/%3.3d", red, green, blue);
}

QString PointerStatusText(double px, double py, double rx, double ry) {
    return QString::asprintf(" Img:%6.2f/%6.2f - Vue:%6.2f/%6.2f", px, py, rx, ry);
}

QString PointStatusText(const QString& caption, double x, double y) {
    return caption + QString::asprintf(" : %6.2f - %6.2f ", x, y);
}

QString ZoomFieldText(double zoom) {
    return QString::asprintf("%5.2f", 100.0 / SafeZoom(zoom));
}

tpairbutton PairButtonFor(int curPoint) {
    switch (curPoint) {
    case 1:
        return tpairbutton::Centre;
    case 2:
        return tpairbutton::A1;
    case 3:
        return tpairbutton::A2;
    case 5:
        return tpairbutton::Orient1;
    case 6:
        return tpairbutton::Orient2;
    case 7:
        return tpairbutton::D1;
    case 8:
        return tpairbutton::D2;
    case 9:
        return tpairbutton::W1;
    case 11:
        return tpairbutton::Cadre1;
    default:
        return tpairbutton::Lock;
    }
}

int PointIconImageIndex(int index) {
    switch (index) {
    case 1:
        return 32;
    case 2:
    case 5:
        return 33;
    case 3:
    case 6:
        return 98;
    case 7:
        return 95;
    case 8:
        return 96;
    case 9:
    case 10:
        return 97;
    case 11:
    case 12:
        return 110;
    default:
        return 94;
    }
}

// ---------------------------------------------------------------- status

void tdisplaystate::ShowPointIcon(int index) {
    if (!gStarted) return;
    PointIcon = PointIconImageIndex(index);
    Notify(Hooks.StatusRepaint);
}

void tdisplaystate::ShowPointerStatus(const tviewslot* slot, double px, double py, double rx,
                                      double ry) {
    const tpairbutton button = slot ? PairButtonFor(CurPoint) : tpairbutton::Lock;
    if (button == tpairbutton::Lock) CurPoint = 0;
    if (Hooks.PairButton) Hooks.PairButton(button);
    PixelColor = 0xFF000000;
    StatusText[3] = QStringLiteral("RGB");
    if (!slot) {
        StatusText[4] = PointStatusText(QString::fromUtf8(PointNames[0]), px, py);
    } else {
        StatusText[4] = PointerStatusText(px, py, rx, ry);
        const timg* v = slot->img;
        const double tx = std::trunc(px), ty = std::trunc(py);
        // Outside the picture there is no pixel to read: the colour stays black.
        if (v && v->bitmap.depth() == 32 && tx >= 0 && ty >= 0 && tx < v->Width() &&
            ty < v->Height()) {
            const unsigned p =
                reinterpret_cast<const unsigned*>(v->bitmap.constScanLine(int(ty)))[int(tx)];
            PixelColor = 0xFF000000 | p;
            StatusText[3] = RgbStatusText((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
        }
    }
    Notify(Hooks.StatusRepaint);
}

void tdisplaystate::ShowWindowFrameSize(double h, double w) {
    auto whole = [](double v) {
        if (!std::isfinite(v)) return 0;
        v = std::fabs(std::trunc(v));
        return v > INT_MAX ? INT_MAX : int(v);
    };
    if (Hooks.WindowFrameSize) Hooks.WindowFrameSize(whole(h), whole(w));
}

QString tdisplaystate::VisionCode() const {
    const int m = Settings.VisionMode;
    return (m >= 0 && m < kVisionModeCount) ? QString::fromUtf8(VisionModeCodes[m])
                                            : QStringLiteral("   ");
}
