// The measuring rubber band: a rectangle held to 4:3 while it is drawn, its
// edges grabbed to move or resize it, and its width, height and diagonal.
#pragma once

#include <QChar>
#include <QLine>
#include <QString>
#include <QVector>

#include <functional>

// Where a tool draws. Lines are drawn with an inverting pen, so drawing the
// same line twice restores what was under it.
class ttoolcanvas {
public:
    virtual ~ttoolcanvas() = default;
    virtual void XorLine(int x1, int y1, int x2, int y2) = 0;
};

// A canvas that keeps what an inverting pen leaves on screen: a line drawn
// twice is gone. A window paints Lines over its picture.
class txorlines : public ttoolcanvas {
public:
    QVector<QLine> Lines;
    std::function<void()> OnChange; // the window repaints
    void XorLine(int x1, int y1, int x2, int y2) override;
};

// The pointer shape over a part of the rectangle.
enum class ttoolshape { Default, Move, SizeHorizontal, SizeVertical, SizeFDiag, SizeBDiag };

// The parts HitTest reports: inside, or near an edge (a corner sums its edges).
enum ttoolhit {
    HitNone = 0,
    HitInside = 1,
    HitLeft = 2,
    HitRight = 4,
    HitTop = 8,
    HitBottom = 16,
};

// A rectangle given by the corner where the drag started (X1, Y1) and the
// opposite one (X2, Y2), in the tool's coordinates. Angle turns its axes;
// every operation here leaves it 0.
class ttool {
public:
    explicit ttool(ttoolcanvas* canvas = nullptr);
    virtual ~ttool() = default;

    double X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
    int Tolerance = 10;
    ttoolcanvas* Canvas = nullptr;
    bool Active = false;
    bool Shown = false;
    double LastX = 0, LastY = 0;
    double Angle = 0;
    // Window → tool coordinates, and tool → window (flag: which corner); none = identity.
    std::function<void(double& x, double& y)> OnFromWindow;
    std::function<void(int flag, double& x, double& y)> OnToWindow;
    int HitFlags = HitNone;
    int MoveAxes = 3; // bit 1 horizontal, bit 2 vertical
    int RatioW = 4, RatioH = 3;

    virtual void MoveBy(double x, double y);
    virtual void ResizeTo(double x, double y);
    virtual int HitTest(double x, double y) const;
    void ResetAngle() { Angle = 0; }
    double Width() const;
    double Height() const;
    double Diagonal() const;
    // Move the second corner so that the width (height) becomes w (h), the
    // other side kept.
    void SetWidth(double w);
    void SetHeight(double h);
    void SetDiagonal(double d);
    // Another tool's settings and corners; the edges in flags (HitLeft…) are
    // offset by (dx, dy).
    void Assign(const ttool& other, int flags, double dx, double dy);
    void Reset();
    void Clear();
    virtual void Draw();
    void Erase() { Draw(); }
    virtual void MouseDown(double x, double y);
    virtual void MouseMove(double x, double y);
    virtual void MouseUp(double x, double y);
    ttoolshape CursorAt(double x, double y) const;
    // " D= 00085"; the decimal separator is the locale's.
    virtual QString Text(QChar decimal = QLatin1Char('.')) const;

protected:
    // A corner in window pixels, truncated.
    void WindowPoint(int flag, double x, double y, int& wx, int& wy) const;
    // The point in the rectangle's axes, relative to the first corner.
    void ToAxes(double x, double y, double& u, double& v) const;
    void FromWindow(double& x, double& y) const;
};

// The program's measuring cursor: four lines across the whole canvas, the
// width, height and diagonal while a drag lasts, gone at release.
class ttoolcursor : public ttool {
public:
    using ttool::ttool;
    void Draw() override;
    void MouseUp(double x, double y) override;
    // " W= 00068 / H= 00051 / D=    85.00" while dragging, else empty.
    QString Text(QChar decimal = QLatin1Char('.')) const override;
};
