// What the preview window and the window that composes its pictures ask of each other.
#pragma once

class QImage;
class QString;

// A picture composed smaller than its output, for speed, carries a device
// pixel ratio below 1 (picture pixels per output pixel) and the output's size
// in its text under this key ("4000x1500").
inline constexpr char PreviewOutputSizeKey[] = "OutputSize";

// Implemented by the window that composes previews (the save dialog): the
// preview window's presentation buttons ask it for the same pair again in
// another presentation (0 parallel, 2 crossed, 4 over-under, 8 anaglyph).
class tpreviewsource {
public:
    virtual ~tpreviewsource() = default;
    virtual void PreviewModeRequested(int mode) = 0;
};

// Implemented by the preview window.
class tpreviewwindow {
public:
    virtual ~tpreviewwindow() = default;
    // The window that receives the presentation requests; null sends them nowhere.
    virtual void SetRequestTarget(tpreviewsource* target) = 0;
    // The presentation shown now (0, 2, 4 or 8).
    virtual int PreviewMode() const = 0;
    // Sets the caption and shows the window without changing its picture.
    virtual void ShowWithCaption(const QString& caption) = 0;
    // Shows a composed picture in a presentation (see the window for the rules).
    virtual void ShowPicture(const QImage& picture, int mode) = 0;
};
