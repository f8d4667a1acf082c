// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <memory>

#include <QColor>
#include <QImage>

#include "model/main_layout.h"
#include "model/document.h"
#include "gfx/presentation_surface.h"
#include "gfx/qt/qt_surface.h"

class QPainter;
class QWidget;

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

// The label panel's picture for one paint: device pixels at the widget's ratio, drawn in the
// layout's coordinates, and in presentation mode magnified, on white, in the presentation
// palette.
class PanelCanvas {
public:
    PanelCanvas(const ViewSettings& view, const QWidget& widget, QColor ground, double magnification);
    Surface& surface();
    void paint(QPainter& painter);

private:
    double dpr_;
    QImage image_;
    QtSurface qt_;
    std::unique_ptr<PresentationSurface> presented_;
};

} // namespace yhb
