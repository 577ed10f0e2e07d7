// The view record: one view of the stereo pair, its picture, its alignment
// parameters and its 14 named points.
#pragma once

#include <QImage>
#include <QString>

#include <array>

// One named point of a view, in picture pixels of the view's current bitmap.
// (-1, -1) and d false when unset; a point with d false carries no meaning.
struct trealpoint {
    double x = -1;
    double y = -1;
    bool d = false;
    QString c;
};

constexpr int kPointCount = 14;

// Point roles by index.
enum PointIndex {
    PtCurrent = 0,
    PtStereo0 = 1, // first homologous point, also the centre of rotation
    PtStereo1 = 2,
    PtStereo2 = 3,
    PtReserve4 = 4,
    PtOrient1 = 5,
    PtOrient2 = 6,
    PtDz1 = 7,
    PtDz2 = 8,
    PtWin1 = 9,
    PtWin2 = 10,
    PtCadre1 = 11,
    PtCadre2 = 12,
    PtReserve13 = 13,
};

// The caption each point takes on reset.
extern const std::array<const char*, kPointCount> PointNames;

// Inclusive integer rectangle (left, top, right, bottom).
struct tbounds {
    int left = 0;
    int top = 0;
    int right = -1;
    int bottom = -1;
};

// Two pi as the angle normalisation uses it.
constexpr double kTwoPi = 6.283185307179586477;

class timg {
public:
    timg() { Create(); }

    std::array<trealpoint, kPointCount> pt;
    double posx = 0;
    double posy = 0;
    tbounds bounds;
    double scale = 1.0; // magnification being tried, not yet applied
    double dz = 1.0;    // magnification applied to the bitmap
    double rot = 0;     // radians, kept in [0, 2 pi)
    double mancropl = 0, mancropt = 0, mancropw = 0, mancroph = 0;
    bool mancropd = false;
    int autorot = 0; // quarter turns applied to the bitmap, in degrees
    int mirror = 0;  // 4 rows reversed, 8 columns reversed
    QImage bitmap;   // 32 bits per pixel, B,G,R,A in memory
    QString filename;

    void Create();
    void Reset();
    void ResetPoint(int i);
    void SetPoint(int i, const trealpoint& p);
    trealpoint GetPoint(int i) const;
    void PlacePoint(int i, double x, double y);
    void SetPointDefined(int i, bool flag);

    double CentreX() const { return pt[PtStereo0].x; }
    double CentreY() const { return pt[PtStereo0].y; }
    void SetCentreX(double v) { pt[PtStereo0].x = v; }
    void SetCentreY(double v) { pt[PtStereo0].y = v; }

    void SetRot(double a);
    void SetRotation(double a, double cy, double cx);
    void SetPos(double py, double px);
    tbounds GetBounds();

    int Width() const { return bitmap.width(); }
    int Height() const { return bitmap.height(); }
};

// An empty 32-bit view bitmap of the given size, in the format every view uses.
QImage NewViewBitmap(int width, int height);
