// Composite geometry, the automatic band measure and the band-width choice.
#include "input/composite.h"

#include "core/settings.h"
#include "core/stereokinds.h"

namespace {

// Grey level of a 32-bit pixel: (R + G + B) div 3.
inline int Grey(quint32 p) {
    return int(((p >> 16) & 255) + ((p >> 8) & 255) + (p & 255)) / 3;
}

inline quint32 PixelAt(const QImage& img, int x, int y) {
    return reinterpret_cast<const quint32*>(img.constScanLine(y))[x];
}

tcompositegeometry GeometryFor(int kind, int W, int H, int s) {
    tcompositegeometry g;
    switch (kind) {
    case KindCrossed: {
        const int w = (W - s) / 2;
        g.left = QRect(w + s, 0, w, H);
        g.right = QRect(0, 0, w, H);
        break;
    }
    case KindParallel: {
        const int w = (W - s) / 2;
        g.left = QRect(0, 0, w, H);
        g.right = QRect(w + s, 0, w, H);
        break;
    }
    case KindOverUnder: {
        const int h = (H - s) / 2;
        g.left = QRect(0, 0, W, h);
        g.right = QRect(0, h + s, W, h);
        break;
    }
    case KindDouble: {
        // Left, right, left: the third panel is not read.
        const int w = (W - 2 * s) / 3;
        g.left = QRect(0, 0, w, H);
        g.right = QRect(w + s, 0, w, H);
        break;
    }
    default:
        g.left = g.right = QRect(0, 0, W, H);
        break;
    }
    return g;
}

bool Inside(const QRect& r, int W, int H) {
    return r.width() > 0 && r.height() > 0 && r.left() >= 0 && r.top() >= 0 &&
           r.left() + r.width() <= W && r.top() + r.height() <= H;
}

// Stands in for the dialog where there is no window.
class tplainseparationfields : public tseparationdialog {
public:
    QString AutoText() const override { return auto_; }
    void SetAutoText(const QString& text) override { auto_ = text; }
    // Nobody can type into this field: it always shows the stored manual width.
    QString ManualText() const override { return QString::number(Settings.OpenSepar); }
    void SetManualText(const QString&) override {}
    bool AskForSplit() override { return true; }
    int AskChoice() const override { return Settings.ExtractOption; }
    bool ManualChosen() const override { return false; }

private:
    QString auto_ = QStringLiteral("0");
};

tplainseparationfields gPlainFields;
tseparationdialog* gDialog = nullptr;

} // namespace

tcompositegeometry CompositeGeometry(int kind, int width, int height, int separation) {
    tcompositegeometry g = GeometryFor(kind, width, height, separation);
    // A manual width is used as typed; one that would put a part outside the
    // picture or leave it empty would read memory that is not there.
    if (separation != 0 && (!Inside(g.left, width, height) || !Inside(g.right, width, height)))
        g = GeometryFor(kind, width, height, 0);
    return g;
}

void CutComposite(const QImage& picture, int kind, int separation, QImage& left, QImage& right) {
    const QImage src = picture.format() == QImage::Format_ARGB32
                           ? picture
                           : picture.convertToFormat(QImage::Format_ARGB32);
    if (kind == KindAnaglyph) {
        left = QImage(src.size(), QImage::Format_ARGB32);
        right = QImage(src.size(), QImage::Format_ARGB32);
        for (int y = 0; y < src.height(); ++y) {
            const auto* s = reinterpret_cast<const quint32*>(src.constScanLine(y));
            auto* l = reinterpret_cast<quint32*>(left.scanLine(y));
            auto* r = reinterpret_cast<quint32*>(right.scanLine(y));
            for (int x = 0; x < src.width(); ++x) {
                l[x] = s[x] & 0xFF0000u;
                r[x] = s[x] & 0x00FFFFu;
            }
        }
        return;
    }
    const tcompositegeometry g = CompositeGeometry(kind, src.width(), src.height(), separation);
    // Parts of an empty or one-pixel picture are empty pictures.
    left = g.left.isEmpty() ? QImage() : src.copy(g.left);
    right = g.right.isEmpty() ? QImage() : src.copy(g.right);
}

int AutoSeparation(const QImage& picture, int kind) {
    const int W = picture.width();
    const int H = picture.height();
    if (picture.isNull() || W == 0 || H == 0) return 0;
    const QImage img =
        picture.format() == QImage::Format_ARGB32 || picture.format() == QImage::Format_RGB32
            ? picture
            : picture.convertToFormat(QImage::Format_ARGB32);
    const int xc = kind == KindDouble ? W / 3 : W / 2;
    const int yc = H / 2;
    const int g = Grey(PixelAt(img, xc, yc));
    auto matches = [&](int x, int y) {
        const int v = Grey(PixelAt(img, x, y));
        return g - 5 < v && v < g + 5;
    };

    if (kind == KindOverUnder) {
        // The band is horizontal: walk down probed columns.
        int step = W / 16, count = 16;
        if (W / 16 < 2) {
            step = 2;
            count = W / 2;
        }
        int best = H / 4 < 1 ? 1 : H / 4;
        auto probe = [&](int x) {
            if (x < 0 || x >= W) return;
            int run = 0;
            while (yc + run < H && run < best && matches(x, yc + run)) ++run;
            if (run < best) best = run;
        };
        probe(xc);
        for (int k = 1; k <= count / 4 - 2; ++k) {
            probe(xc + k * step);
            probe(xc - k * step);
        }
        return 2 * best;
    }

    // The band is vertical: walk right along probed rows.
    int step = H / 16, count = 16;
    if (H / 16 < 2) {
        step = 2;
        count = H / 2;
    }
    int best = W / 4 < 1 ? 1 : W / 4;
    auto probe = [&](int y) {
        if (y < 0 || y >= H) return;
        int run = 0;
        while (xc + run < W && run < best && matches(xc + run, y)) ++run;
        if (run < best) best = run;
    };
    probe(yc);
    for (int k = 1; k <= count / 4 - 2; ++k) {
        probe(yc + k * step);
        probe(yc - k * step);
    }
    return 2 * best;
}

void SetManualSeparation(int n) {
    Settings.OpenSepar = n <= 0 ? 0 : n - n % 2;
}

int SeparationFieldValue(const QString& text) {
    bool ok = false;
    const int v = text.trimmed().toInt(&ok, 10);
    return ok ? v : 0;
}

void SetSeparationDialog(tseparationdialog* dialog) {
    gDialog = dialog;
}

tseparationdialog& SeparationDialog() {
    return gDialog ? *gDialog : gPlainFields;
}

int DetectSeparation(const QImage& picture, int kind) {
    tseparationdialog& dialog = SeparationDialog();
    if (Settings.ExtractOption == 1) return 0;
    if (Settings.ExtractOption == 2) return SeparationFieldValue(dialog.ManualText());
    if (picture.isNull() || picture.width() == 0 || picture.height() == 0) return 0;

    const int automatic = AutoSeparation(picture, kind);
    dialog.SetAutoText(QString::number(automatic));
    dialog.SetManualText(QString::number(Settings.OpenSepar));
    if (Settings.ExtractOption == 3) return automatic;

    if (!dialog.AskForSplit()) return 0;
    Settings.ExtractOption = dialog.AskChoice();
    return dialog.ManualChosen() ? SeparationFieldValue(dialog.ManualText())
                                 : SeparationFieldValue(dialog.AutoText());
}
