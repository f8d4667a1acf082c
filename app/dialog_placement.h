// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QRect>

class QWidget;

namespace yhb {

class CanvasWidget;

// Where a dialog of `size` (its frame included) goes so that the curves stay in sight, all
// in screen coordinates: outside the window beside the canvas where the screen has room,
// else over the label panel, else outside on the left, level with the canvas's top. Where
// none of these has room (a maximised window and a wide dialog), in the screen's corner that
// covers the least of `figure`, the part of the canvas the curves take.
QPoint besideCanvas(QSize size, const QRect& canvas, const QRect& window, const QRect& screen, const QRect& figure);

// The part of the canvas the scene takes, in screen coordinates.
QRect figureOnScreen(CanvasWidget& canvas);

// Moves a dialog that is about to be shown beside the canvas.
void placeBesideCanvas(QWidget& dialog, CanvasWidget& canvas);

} // namespace yhb
