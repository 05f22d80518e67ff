#pragma once

namespace tavrel {

// Where the main window was on the screen and how large, as the settings file keeps it.
struct WindowGeometry {
    int x = 0, y = 0;
    int width = 0, height = 0;  // 0: not known yet, the program chooses
    bool maximized = false;
};

// A rectangle of the screen that windows may use (without panels and docks).
struct ScreenArea {
    int x, y, width, height;
};

// The geometry moved and shrunk as little as needed to lie inside the area, so that a
// window kept from a larger or another screen opens where it can be reached; an unknown
// size becomes `preferredWidth` x `preferredHeight`, centered.
WindowGeometry FittedToScreen(WindowGeometry geometry, const ScreenArea& area, int preferredWidth,
                              int preferredHeight);

}  // namespace tavrel
