// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/sheet_figure.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "dialogs/expr_parser.h"
#include "gfx/forwarding_surface.h"
#include "model/document.h"
#include "plot/view_fit.h"

namespace yhb {
namespace {

// Every stroke and letter black on the paper's white: a sheet is printed in one ink, so the
// canvas's grey ground is left out.
class InkSurface : public ForwardingSurface {
public:
    explicit InkSurface(Surface& target) : ForwardingSurface(target) {}
    void setPen(Colour) override { s_.setPen(kBlack); }
    void setTextColour(Colour) override { s_.setTextColour(kBlack); }
    void fillRect(int, int, int, int, Colour) override {}
};

// The figure's own fit: any whole scale, not only the zoom buttons' steps, and a margin just
// wide enough for a name and the axes' arrows, so that the curves fill the little canvas.
void fitFigure(Document& doc) {
    constexpr int kMargin = 20;
    const PlaneBox box = sceneExtent(doc.table);
    const double across = (kFigurePixelWidth - 2 * kMargin) / std::max(box.width(), 1e-9),
                 down = (kFigurePixelHeight - 2 * kMargin) / std::max(box.height(), 1e-9);
    const int ppu = static_cast<int>(std::clamp(std::floor(std::min(across, down)), 1.0, double(kGreatestScale)));
    doc.view.pixelsPerUnit = ppu;
    doc.canvas.originX = static_cast<int>(std::lround(kFigurePixelWidth / 2.0 - (box.left + box.right) / 2 * ppu));
    doc.canvas.originY = static_cast<int>(std::lround(kFigurePixelHeight / 2.0 + (box.bottom + box.top) / 2 * ppu));
}

bool figureDocument(const std::string& line, Document& doc) {
    doc.canvas.resize(kFigurePixelWidth, kFigurePixelHeight);
    if (!enterFigure(doc, line)) return false;
    doc.view.textbook = true;
    doc.view.figure = true;
    fitFigure(doc);
    return true;
}

} // namespace

bool drawableFigure(const std::string& line) {
    auto doc = std::make_unique<Document>();
    return figureDocument(line, *doc);
}

void drawFigure(Surface& s, const std::string& line) {
    auto doc = std::make_unique<Document>();
    if (!figureDocument(line, *doc)) return;
    InkSurface ink(s);
    paintDocument(ink, *doc);
}

} // namespace yhb
