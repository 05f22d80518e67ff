#include "io/window_geometry.h"

#include <algorithm>

namespace tavrel {

WindowGeometry FittedToScreen(WindowGeometry g, const ScreenArea& area, int preferredWidth, int preferredHeight) {
    if (g.width <= 0 || g.height <= 0) {
        g.width = preferredWidth;
        g.height = preferredHeight;
        g.width = std::min(g.width, area.width);
        g.height = std::min(g.height, area.height);
        g.x = area.x + (area.width - g.width) / 2;
        g.y = area.y + (area.height - g.height) / 2;
        return g;
    }
    g.width = std::min(g.width, area.width);
    g.height = std::min(g.height, area.height);
    g.x = std::clamp(g.x, area.x, area.x + area.width - g.width);
    g.y = std::clamp(g.y, area.y, area.y + area.height - g.height);
    return g;
}

}  // namespace tavrel
