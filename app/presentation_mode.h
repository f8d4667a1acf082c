// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "model/main_layout.h"
#include "model/document.h"

namespace yhb {

class CanvasWidget;

// 演示模式: the canvas and the label panel magnified, smoothed and in the presentation
// palette. The window lays itself out as on a screen whose ratio is the magnification larger,
// but never as one smaller than 400 x 400: below that height five rows leave each label a
// band too thin for a fraction, and the equations, which the class must read, would shrink
// while the buttons grew (a 1920 x 1080 screen at a ratio of 2 is 960 x 540 already).
constexpr double kLeastLayoutWidth = 400, kLeastLayoutHeight = 400;
double layoutMagnification(const ViewSettings& view, int clientWidth, int clientHeight);

// A layout rectangle on the widget, at the magnification.
Rect magnified(const Rect& r, double magnification);

// Switches the mode and has the canvas take it up; the caller lays out and repaints the rest.
void togglePresentation(Document& doc, CanvasWidget& canvas);

} // namespace yhb
