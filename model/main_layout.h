// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <vector>

#include "gfx/rect.h"

namespace yhb {

// The main window's client layout for one paint: toolbar across the top, the canvas on the
// left, and per row in use its label and its modify and delete buttons on the right.
struct MainLayout {
    struct Row {
        Rect modify;
        Rect remove;
        int labelCharWidth = 0;
        bool drawLabel = false;
        Rect label;
    };
    int q = 0;
    int canvasWidth = 0;
    int rowHeight = 0;
    int labelFontHeight = 0; // also the fraction font height
    bool fullScreen = false;
    Rect canvas;
    Rect toolbar[3];
    std::vector<Row> rows;
};

// `labelCharCounts` holds the label character count of each row in use.
MainLayout computeLayout(int width, int height, bool fullScreen, const std::vector<int>& labelCharCounts);

} // namespace yhb
