// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "gfx/surface.h"

namespace yhb {

// A question's figure on a sheet: its "@plot" line drawn as the canvas draws it in 教材记法,
// fitted to a small canvas, black on white. The canvas is counted in pixels; the sheet gives a
// pixel kFigureUnitsPerPixel of its units (0.22 mm), so that captions print at about 8 pt.
constexpr int kFigurePixelWidth = 200, kFigurePixelHeight = 160;
constexpr double kFigureUnitsPerPixel = 2.2;
constexpr double kFigureWidth = kFigurePixelWidth * kFigureUnitsPerPixel;
constexpr double kFigureHeight = kFigurePixelHeight * kFigureUnitsPerPixel;

// True for a line the figure can draw (as the question window's 显示图形 would).
bool drawableFigure(const std::string& line);

// Draws the figure on `s` in canvas pixels, its top left corner at the surface's (0, 0).
// Nothing for a line that is no figure.
void drawFigure(Surface& s, const std::string& line);

} // namespace yhb
