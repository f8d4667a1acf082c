// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/presentation_mode.h"

#include <algorithm>
#include <cmath>

#include "plot/qt/canvas_widget.h"

namespace yhb {

double layoutMagnification(const ViewSettings& view, int w, int h) {
    if (!view.presentation) return 1.0;
    return std::clamp(std::min({kPresentationMagnification, w / kLeastLayoutWidth, h / kLeastLayoutHeight}), 1.0, kPresentationMagnification);
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

} // namespace yhb
