// Widths of the display window's status panels.
#include "display/statuspanels.h"

#include <QFontMetrics>

#include <algorithm>

std::array<int, kStatusPanelCount>
StatusPanelWidths(const std::array<QString, kStatusPanelCount>& texts,
                  const QFontMetrics& metrics) {
    std::array<int, kStatusPanelCount> widths = kStatusPanelDesignWidths;
    for (int i = 3; i <= 5; ++i)
        widths[i] = std::max(widths[i], metrics.horizontalAdvance(texts[i]) + kStatusTextRoom);
    return widths;
}
