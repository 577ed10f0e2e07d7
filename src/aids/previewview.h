// What the preview window shows and how: the picture and its presentation,
// zoom, scroll, the clicked point, the coordinate conversions and the render
// of the visible part into the drawing area.
#pragma once

#include "aids/toolcursor.h"

#include <QImage>
#include <QRect>
#include <QString>

// The drawing area's edges, window pixels; its width is Right - Left.
struct tpreviewarea {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
};

class tpreviewview {
public:
    tpreviewview();

    static constexpr double MinZoom = 0.05;
    static constexpr double MaxZoom = 8;
    // ClickHalf of a point outside the drawing area.
    static constexpr int HalfOutside = 255;

    // The picture shown (32-bit) and the rendered drawing area.
    QImage PreviewPicture;
    QImage PreviewRender;
    int PreviewMode = 0; // 0 parallel, 2 crossed, 4 over-under, 8 anaglyph
    double PreviewZoom = 1;
    double ScrollX = 0, ScrollY = 0;
    double ClickX = 0, ClickY = 0;
    int ClickHalf = HalfOutside;
    tpreviewarea Area;
    ttoolcursor Measure;

    // The picture's size in output pixels. A picture composed smaller than
    // its output for speed carries a device pixel ratio below 1, and its
    // size here is the output's (pixels / ratio); everything but the render
    // counts in these pixels.
    double PictureWidth() const;
    double PictureHeight() const;

    // Takes a picture in a presentation: modes 0..8 replace the mode, and a
    // mode other than 0, 2, 4, 8 becomes 0; anything else keeps it. The click
    // point and the measuring cursor start again; the zoom stays.
    void ShowPicture(const QImage& picture, int mode);
    // "View - 2000 * 700 ".
    QString Caption() const;

    // Window ↔ picture coordinates.
    void WindowToPicture(double x, double y, double& px, double& py);
    void PictureToWindow(double px, double py, double& x, double& y);
    // 255 outside the drawing area (its edges belong to it), else the half of
    // a side-by-side picture: 0 left, 1 right.
    int HalfAt(double x, double y);

    // The zoom kept in 0.05 … 8 with the clicked point staying in place.
    void SetZoom(double v);
    // Each returns true when the zoom changed.
    bool WheelDown();
    bool WheelUp();
    // The whole picture in the area, scrolled to its top-left corner.
    void FitZoom();
    // A double click: 4, or the fit when already 4.
    void DoubleClickZoom();
    // The same detail in the other half of a side-by-side picture, kept in place.
    void SwapHalves();
    // A mouse press at a window point inside the area: the clicked point.
    void Click(double x, double y);
    // Panning by a window step.
    void Pan(double dx, double dy);

    // Sets the area and renders (PreviewRender is one pixel larger each way).
    void Layout(const tpreviewarea& area);
    // Draws the visible part of the picture into PreviewRender's top-left;
    // Block is where it goes in the window.
    void Render();
    QRect Block;

    // The status texts.
    QString ZoomText() const;   // "Zoom = 040"
    QString ScrollText() const; // "ScrollX = 00000 - ScrollY = 00000"
    // The picture point under a window point and its colour (all bits set
    // outside the picture), red in bits 16..23.
    QString PositionText(double x, double y);
    unsigned ColourAt(double x, double y);
    static QString ColourText(unsigned colour); // "RVB = 255-000-010"
    // The scroll bars' range and positions.
    int ScrollRangeX() const;
    int ScrollRangeY() const;

private:
    double Ratio() const; // picture pixels per output pixel, 1 for a full-size picture
    double Z();           // a zero zoom is first set to 1
};
