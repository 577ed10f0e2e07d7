// Widths of the display window's status panels: the design widths, widened
// where a written text needs more room.
#pragma once

#include <QString>

#include <array>

class QFontMetrics;

constexpr int kStatusPanelCount = 7;
// Panel widths of the design, left to right (pixels).
constexpr std::array<int, kStatusPanelCount> kStatusPanelDesignWidths = {30,  20,  20, 150,
                                                                         250, 150, 50};
// Room beside a written text: its left inset and the panel's border.
constexpr int kStatusTextRoom = 8;

// Panels 0 to 2 are drawn and keep their widths (a click at 30 < x < 50 means
// panel 1); a written panel (3 to 5) takes max(design, text width + room).
std::array<int, kStatusPanelCount>
StatusPanelWidths(const std::array<QString, kStatusPanelCount>& texts, const QFontMetrics& metrics);
