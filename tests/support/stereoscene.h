// Generated stereo scenes for the automatic alignment's tests: a textured
// background and a nearer textured panel, each with its own horizontal
// disparity, the right view then turned, magnified and raised by a known
// amount; and a slow measure of the vertical disparity between two pictures.
#pragma once

#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

// Blobs, bars and specks of many sizes and colours: details at every scale.
// With `place`, every shape is drawn through it: the same scene seen moved,
// stretched or turned, exactly and without resampling.
inline QImage TexturedPicture(int w, int h, quint32 seed, const QTransform& place = {}) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(QColor(120, 120, 120));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setTransform(place);
    p.setPen(Qt::NoPen);
    QRandomGenerator rng(seed);
    const int count = w * h / 250;
    for (int i = 0; i < count; ++i) {
        const QPointF c(rng.bounded(w), rng.bounded(h));
        const double r = 2 + rng.bounded(i < count / 10 ? 40.0 : 9.0);
        p.setBrush(QColor(rng.bounded(256), rng.bounded(256), rng.bounded(256)));
        if (i % 3 == 0)
            p.drawRect(QRectF(c.x(), c.y(), r * 1.7, r * 0.6));
        else
            p.drawEllipse(c, r, r * (0.5 + rng.bounded(1.0)));
    }
    return img;
}

struct tstereoscene {
    QImage left;
    QImage right;
};

// The right view sees the background `far` pixels and the panel (a third of
// the picture, in its middle) `near` pixels further left than the left view.
inline tstereoscene DepthScene(int w, int h, quint32 seed, int far = 8, int near = 30) {
    const QImage back = TexturedPicture(w + 2 * near, h, seed);
    const QImage panel = TexturedPicture(w / 3, h / 3, seed + 101);
    tstereoscene s{QImage(w, h, QImage::Format_RGB32), QImage(w, h, QImage::Format_RGB32)};
    for (int view = 0; view < 2; ++view) {
        QPainter p(view == 0 ? &s.left : &s.right);
        p.drawImage(-near - (view ? far : 0), 0, back);
        p.drawImage(w / 3 - (view ? near : 0), h / 3, panel);
    }
    return s;
}

// The picture turned `degrees` counter-clockwise on the screen about its
// centre, magnified by `scale` and moved `down` pixels down; black outside.
inline QImage TurnedView(const QImage& img, double degrees, double scale, double down) {
    const double cx = img.width() / 2.0, cy = img.height() / 2.0;
    QTransform t;
    t.translate(cx, cy + down);
    t.rotate(-degrees);
    t.scale(scale, scale);
    t.translate(-cx, -cy);
    QImage out(img.size(), QImage::Format_RGB32);
    out.fill(Qt::black);
    QPainter p(&out);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.setTransform(t);
    p.drawImage(0, 0, img);
    return out;
}

// Vertical disparities between two pictures of one size, measured on a grid
// of 31 x 31 windows by an exhaustive search of the smallest sum of squared
// grey differences (horizontal shifts up to `reach`, vertical up to 4) and a
// parabola through the vertical neighbours. Windows without texture, at an
// occlusion or at the border are left out.
inline std::vector<double> VerticalDisparities(const QImage& a, const QImage& b, int reach = 60,
                                               int step = 40) {
    const int w = a.width(), h = a.height();
    auto grey = [](const QImage& img) {
        const QImage g = img.convertToFormat(QImage::Format_RGB32);
        std::vector<double> v(size_t(g.width()) * g.height());
        for (int y = 0; y < g.height(); ++y) {
            const QRgb* row = reinterpret_cast<const QRgb*>(g.constScanLine(y));
            for (int x = 0; x < g.width(); ++x) v[size_t(y) * g.width() + x] = qGray(row[x]);
        }
        return v;
    };
    const std::vector<double> ga = grey(a), gb = grey(b);
    const int r = 15, dyMax = 4;
    std::vector<double> out;
    for (int y = r + dyMax + 1; y + r + dyMax + 1 < h; y += step) {
        for (int x = r + reach; x + r + reach < w; x += step) {
            double mean = 0, var = 0;
            for (int j = -r; j <= r; ++j)
                for (int i = -r; i <= r; ++i) mean += ga[size_t(y + j) * w + x + i];
            mean /= (2 * r + 1) * (2 * r + 1);
            for (int j = -r; j <= r; ++j)
                for (int i = -r; i <= r; ++i) {
                    const double d = ga[size_t(y + j) * w + x + i] - mean;
                    var += d * d;
                }
            var /= (2 * r + 1) * (2 * r + 1);
            if (var < 100) continue;
            auto ssd = [&](int dx, int dy) {
                double s = 0;
                for (int j = -r; j <= r; ++j)
                    for (int i = -r; i <= r; ++i) {
                        const double d =
                            ga[size_t(y + j) * w + x + i] - gb[size_t(y + j + dy) * w + x + i + dx];
                        s += d * d;
                    }
                return s;
            };
            double best = std::numeric_limits<double>::max();
            int bx = 0, by = 0;
            std::vector<double> column(size_t(2 * reach + 1), std::numeric_limits<double>::max());
            for (int dy = -dyMax; dy <= dyMax; ++dy)
                for (int dx = -reach; dx <= reach; ++dx) {
                    const double s = ssd(dx, dy);
                    column[size_t(dx + reach)] = std::min(column[size_t(dx + reach)], s);
                    if (s < best) {
                        best = s;
                        bx = dx;
                        by = dy;
                    }
                }
            if (by <= -dyMax || by >= dyMax) continue;
            // A clean match leaves little of the window's variance, and no
            // other horizontal shift comes close to it.
            if (best / ((2 * r + 1) * (2 * r + 1)) > 0.05 * var) continue;
            double other = std::numeric_limits<double>::max();
            for (int dx = -reach; dx <= reach; ++dx)
                if (std::abs(dx - bx) > 2) other = std::min(other, column[size_t(dx + reach)]);
            if (other < 3 * best) continue;
            const double up = ssd(bx, by - 1), down = ssd(bx, by + 1);
            const double curve = up - 2 * best + down;
            if (!(curve > 0)) continue;
            out.push_back(by + 0.5 * (up - down) / curve);
        }
    }
    return out;
}

inline double Rms(const std::vector<double>& v) {
    double s = 0;
    for (double x : v) s += x * x;
    return v.empty() ? 0 : std::sqrt(s / v.size());
}
