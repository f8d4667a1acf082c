// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "gfx/surface.h"

namespace yhb {

// The view settings the canvas owns and the plotter, the buttons and the menus read.
struct ViewSettings {
    int pixelsPerUnit = 20;
    int tickLength = 5;
    bool showLabels = true;
    bool piAxis = false;
    bool fullScreen = false;
    // Drawn for a projector: magnified, smoothed, in the presentation palette, captions kept
    // apart. Only the surfaces look at it; positions and pixels of the plane stay as they are.
    bool presentation = false;
    // 教材记法: labels and captions written as a textbook prints them. On whenever
    // presentation is; the classic notation otherwise.
    bool textbook = false;
    bool textbookNotation() const { return textbook || presentation; }
    // A figure printed beside a question: axes as a textbook draws them (arrows, x, y and O,
    // no ticks or numbers) and points and lines named without the values the question may
    // ask for (F, not F(2,0)). Only with the textbook notation.
    bool figure = false;
    // Consecutive equal points (ten samples per pixel give many) are not handed to the
    // surface; the pixels drawn are the same either way.
    bool dedupePoints = true;
};

// The canvas font: 9 pixels high, 5 wide.
constexpr CellFont kCanvasFont{9, 5};

} // namespace yhb
