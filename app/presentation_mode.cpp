// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/presentation_mode.h"

#include <QPainter>
#include <QWidget>

#include <algorithm>
#include <cmath>

#include "plot/qt/canvas_widget.h"
#include "plot/palette.h"

namespace yhb {

double layoutMagnification(const ViewSettings& view, int w, int h) {
    if (!view.presentation) return 1.0;
    return std::clamp(std::min({kPresentationMagnification, w / 400.0, h / 300.0}), 1.0, kPresentationMagnification);
}

Rect magnified(const Rect& r, double m) {
    if (m == 1.0) return r;
    auto at = [m](int v) { return static_cast<int>(std::lround(v * m)); };
    return {at(r.x), at(r.y), at(r.x + r.width) - at(r.x), at(r.y + r.height) - at(r.y)};
}

void togglePresentation(Document& doc, CanvasWidget& canvas) {
    doc.view.presentation = !doc.view.presentation;
    canvas.restyle();
}

PanelCanvas::PanelCanvas(const ViewSettings& view, const QWidget& widget, QColor ground, double magnification)
    : dpr_(widget.devicePixelRatioF()) {
    const double dpr = dpr_;
    image_ = QImage(std::max(1, static_cast<int>(std::lround(widget.width() * dpr))),
                    std::max(1, static_cast<int>(std::lround(widget.height() * dpr))), QImage::Format_RGB32);
    image_.fill(view.presentation ? QColor(Qt::white) : ground);
    qt_.setTarget(&image_);
    qt_.setStyle(view.presentation ? RenderStyle{dpr * magnification, true, kPresentationPenWidth} : normalStyle(dpr));
    if (view.presentation) presented_ = std::make_unique<PresentationSurface>(qt_, presentationColourMap());
}

Surface& PanelCanvas::surface() {
    if (presented_) return *presented_;
    return qt_;
}

void PanelCanvas::paint(QPainter& painter) {
    image_.setDevicePixelRatio(dpr_);
    painter.drawImage(0, 0, image_);
}

} // namespace yhb
