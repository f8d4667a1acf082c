// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

#include "bank/sheet_blocks.h"
#include "bank/sheet_question.h"
#include "gfx/surface.h"

// 教材记法 in the question window: the shown question (its options, and its answer while shown)
// set as a 试卷 sets it — italic variables, fractions at 80 %, Chinese line breaking — but
// without a number or score, for a given width and body size.
namespace yhb {

struct TypesetQuestion {
    std::vector<sheet::Ink> ink; // from the top left of the text
    double height = 0;
    double size = 0; // of the body
};

// The body size, in logical pixels, for the window's cell height (放大/缩小 change it).
double textbookBodySize(int cellHeight);
// Space kept clear left and right of the text.
double textbookMargin(double size);

// `q` set `width` wide at `size`, followed by its answer when `withAnswer`. Figures are set as
// a sheet places them; the window drops them first.
TypesetQuestion typesetQuestion(const SheetQuestion& q, bool withAnswer, const Surface& measure, double width,
                                double size);

// Draws the text and rules black with (left, top) as the text's top left.
void drawTypeset(Surface& s, const TypesetQuestion& t, double left, double top);

} // namespace yhb
