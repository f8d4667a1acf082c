// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/sheet_figure.h"

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

bool figureDocument(const std::string& line, Document& doc) {
    doc.canvas.resize(kFigurePixelWidth, kFigurePixelHeight);
    if (!enterFigure(doc, line)) return false;
    doc.view.textbook = true;
    fitToCanvas(doc.table, doc.canvas, doc.view);
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
