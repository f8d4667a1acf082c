// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "model/main_layout.h"
#include "model/document.h"

namespace yhb {

class CanvasWidget;

// 演示模式: the canvas and the label panel magnified, smoothed and in the presentation
// palette. The window lays itself out as on a screen whose ratio is the magnification larger,
// but never as one smaller than the client's least size (400 x 300), where the layout of the
// labels would break down.
double layoutMagnification(const ViewSettings& view, int clientWidth, int clientHeight);

// A layout rectangle on the widget, at the magnification.
Rect magnified(const Rect& r, double magnification);

// Switches the mode and has the canvas take it up; the caller lays out and repaints the rest.
void togglePresentation(Document& doc, CanvasWidget& canvas);

} // namespace yhb
