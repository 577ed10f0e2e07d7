// The preview window's picture arithmetic: zoom rules, the clicked point,
// the halves of a side-by-side picture and the render of the visible part.
#include "aids/previewview.h"

#include "core/previewlink.h"
#include "core/qimageview.h"
#include "engine/transform.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

tpreviewview::tpreviewview() {
    PreviewRender = QImage(1, 1, QImage::Format_RGB32);
}

double tpreviewview::Ratio() const {
    const double r = PreviewPicture.devicePixelRatio();
    return r > 0 ? r : 1;
}

double tpreviewview::PictureWidth() const {
    return PreviewPicture.width() / Ratio();
}

double tpreviewview::PictureHeight() const {
    return PreviewPicture.height() / Ratio();
}

double tpreviewview::Z() {
    if (PreviewZoom == 0) PreviewZoom = 1;
    return PreviewZoom;
}

void tpreviewview::ShowPicture(const QImage& picture, int mode) {
    PreviewPicture =
        picture.format() == QImage::Format_RGB32 || picture.format() == QImage::Format_ARGB32
            ? picture
            : picture.convertToFormat(QImage::Format_RGB32);
    PreviewPicture.setDevicePixelRatio(picture.devicePixelRatio());
    if (mode >= 0 && mode <= 8) PreviewMode = mode;
    if (PreviewMode != 0 && PreviewMode != 2 && PreviewMode != 4 && PreviewMode != 8)
        PreviewMode = 0;
    ClickX = ClickY = 0;
    ClickHalf = 0;
    Measure.Reset();
    SetZoom(PreviewZoom);
}

QString tpreviewview::Caption() const {
    long w = std::lround(PictureWidth()), h = std::lround(PictureHeight());
    // A smaller picture knows its output's exact size.
    const QStringList out =
        PreviewPicture.text(QString::fromLatin1(PreviewOutputSizeKey)).split(QLatin1Char('x'));
    if (out.size() == 2 && out[0].toInt() > 0 && out[1].toInt() > 0) {
        w = out[0].toInt();
        h = out[1].toInt();
    }
    return QStringLiteral("View - %1 * %2 ").arg(w).arg(h);
}

void tpreviewview::WindowToPicture(double x, double y, double& px, double& py) {
    const double z = Z();
    px = (x - Area.Left - ScrollX * z) / z;
    py = (y - Area.Top - ScrollY * z) / z;
}

void tpreviewview::PictureToWindow(double px, double py, double& x, double& y) {
    const double z = Z();
    x = px * z + Area.Left + ScrollX * z;
    y = py * z + Area.Top + ScrollY * z;
}

int tpreviewview::HalfAt(double x, double y) {
    if (x < Area.Left || x > Area.Right || y < Area.Top || y > Area.Bottom) return HalfOutside;
    const double z = Z();
    return x - Area.Left - ScrollX * z >= z * PictureWidth() / 2 ? 1 : 0;
}

void tpreviewview::SetZoom(double v) {
    if (std::abs(v) <= MinZoom) v = MinZoom;
    double bx, by, ax, ay;
    PictureToWindow(ClickX, ClickY, bx, by);
    PreviewZoom = std::min(std::abs(v), MaxZoom);
    PictureToWindow(ClickX, ClickY, ax, ay);
    ScrollX += (bx - ax) / PreviewZoom;
    ScrollY += (by - ay) / PreviewZoom;
}

bool tpreviewview::WheelDown() {
    const double v = std::max(PreviewZoom / 1.1, MinZoom);
    if (v == PreviewZoom) return false;
    SetZoom(v);
    return true;
}

bool tpreviewview::WheelUp() {
    const double v = std::min(PreviewZoom * 1.1, MaxZoom);
    if (v == PreviewZoom) return false;
    SetZoom(v);
    return true;
}

void tpreviewview::FitZoom() {
    double v = 1;
    const double w = PictureWidth(), h = PictureHeight();
    if (w > 0 && h > 0)
        v = std::min(std::max(std::abs(Area.Width() / w), 1e-8),
                     std::max(std::abs(Area.Height() / h), 1e-8));
    SetZoom(v);
    ScrollX = ScrollY = 0;
}

void tpreviewview::DoubleClickZoom() {
    if (PreviewZoom == 4)
        FitZoom();
    else
        SetZoom(4);
}

void tpreviewview::SwapHalves() {
    const double half = PictureWidth() / 2;
    if (ClickHalf == 0) {
        ClickX += half;
        ScrollX -= half;
        ClickHalf = 1;
    } else if (ClickHalf == 1) {
        ClickX -= half;
        ScrollX += half;
        ClickHalf = 0;
    }
}

void tpreviewview::Click(double x, double y) {
    WindowToPicture(x, y, ClickX, ClickY);
    ClickHalf = HalfAt(x, y);
}

void tpreviewview::Pan(double dx, double dy) {
    const double z = Z();
    ScrollX += dx / z;
    ScrollY += dy / z;
}

void tpreviewview::Layout(const tpreviewarea& area) {
    Area = area;
    const int w = std::max(Area.Width() + 1, 1), h = std::max(Area.Height() + 1, 1);
    if (PreviewRender.width() != w || PreviewRender.height() != h)
        PreviewRender = QImage(w, h, QImage::Format_RGB32);
    Render();
}

namespace {

// One axis of the visible part: where it starts in the area, how many window
// pixels it covers and where it starts in the picture (output pixels).
struct tspan {
    double start = 0, size = 0, source = 0;
};

tspan VisibleSpan(double pictureSize, double scroll, double z, double avail) {
    tspan s;
    s.size = std::abs(pictureSize * z);
    if (scroll >= 0) {
        s.start = std::nearbyint(z * scroll);
        s.size = std::min(s.size, avail - s.start);
    } else {
        s.size -= std::abs(z * scroll);
        s.source = std::abs(scroll);
    }
    s.size = std::max(0.0, std::min(s.size, avail));
    return s;
}

} // namespace

void tpreviewview::Render() {
    Block = QRect();
    if (PreviewPicture.isNull() || PreviewRender.isNull()) return;
    const double z = Z();
    const double r = Ratio();
    const tspan sx = VisibleSpan(PictureWidth(), ScrollX, z, PreviewRender.width());
    const tspan sy = VisibleSpan(PictureHeight(), ScrollY, z, PreviewRender.height());
    const int bw = int(std::nearbyint(sx.size)), bh = int(std::nearbyint(sy.size));
    if (bw <= 0 || bh <= 0) return;
    Block = QRect(Area.Left + int(sx.start), Area.Top + int(sy.start), bw, bh);
    // The resampling keeps what was under the picture's last row and column
    // (it ors the edge pixels in): the block starts black.
    PreviewRender.fill(0xFF000000u);
    // A picture smaller than its output is read at r picture pixels per
    // output pixel; with r = 1 these are the output's own pixels.
    const EngineRect src{int(std::trunc(sx.source * r)), int(std::trunc(sy.source * r)),
                         int(std::nearbyint((sx.source + sx.size / z - 1) * r)),
                         int(std::nearbyint((sy.source + sy.size / z - 1) * r))};
    BmpScaleBilinear(ReadView(PreviewPicture), WritableView(PreviewRender), src,
                     {0, 0, bw - 1, bh - 1}, 0, 0, std::min(ScrollX, 0.0) * r,
                     std::min(ScrollY, 0.0) * r, 0, 0, 0, r / z, 0, 0xFFFFFF, 0xFFFFFF, 0, 8);
}

QString tpreviewview::ZoomText() const {
    return QString::asprintf("Zoom = %3.3d", int(std::trunc(100 * PreviewZoom)));
}

QString tpreviewview::ScrollText() const {
    return QString::asprintf("ScrollX = %6.5d - ScrollY = %6.5d", int(std::trunc(ScrollX)),
                             int(std::trunc(ScrollY)));
}

QString tpreviewview::PositionText(double x, double y) {
    double px, py;
    WindowToPicture(x, y, px, py);
    return QString::asprintf("X= %6.5d / Y=%6.5d", int(std::trunc(px)), int(std::trunc(py)));
}

unsigned tpreviewview::ColourAt(double x, double y) {
    double px, py;
    WindowToPicture(x, y, px, py);
    const double r = Ratio();
    const double qx = std::floor(px * r), qy = std::floor(py * r);
    if (PreviewPicture.isNull() || qx < 0 || qy < 0 || qx >= PreviewPicture.width() ||
        qy >= PreviewPicture.height())
        return 0xFFFFFFFFu;
    return PreviewPicture.pixel(int(qx), int(qy));
}

QString tpreviewview::ColourText(unsigned c) {
    return QString::asprintf("RVB = %3.3d-%3.3d-%3.3d", int((c >> 16) & 0xFF), int((c >> 8) & 0xFF),
                             int(c & 0xFF));
}

int tpreviewview::ScrollRangeX() const {
    return int(std::lround(PictureWidth()));
}

int tpreviewview::ScrollRangeY() const {
    return int(std::lround(PictureHeight()));
}
