// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/question_typeset.h"

#include <algorithm>

namespace yhb {

double textbookBodySize(int cellHeight) { return std::max(8.0, 0.75 * cellHeight); }

double textbookMargin(double size) { return std::max(8.0, 0.6 * size); }

TypesetQuestion typesetQuestion(const SheetQuestion& q, bool withAnswer, const Surface& measure, double width,
                                double size) {
    sheet::BlockStyle style;
    style.size = size;
    style.width = std::max(width, 4 * size); // a line holds a few characters however narrow the window
    style.numbered = false;
    const sheet::BlockSetter setter(measure, style);
    TypesetQuestion out;
    out.size = size;
    sheet::Block b = setter.question(q, 0);
    out.ink = std::move(b.ink);
    out.height = b.height;
    if (withAnswer) {
        sheet::Block a = setter.answer(q, 0);
        for (sheet::Ink& i : a.ink) {
            i.y += out.height;
            i.y1 += out.height;
            out.ink.push_back(std::move(i));
        }
        out.height += a.height;
    }
    return out;
}

void drawTypeset(Surface& s, const TypesetQuestion& t, double left, double top) {
    s.setBkMode(BkMode::Transparent);
    s.setTextColour(kBlack);
    for (const sheet::Ink& i : t.ink) sheet::drawInk(s, i, left, top);
}

} // namespace yhb
