// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

#include "bank/sheet_inline.h"
#include "gfx/surface.h"

// Lines from paragraphs, as Chinese print breaks them: between any two characters, never
// before a closing mark or ，。、；：？！, never after an opening mark, never inside a formula;
// lines but the last set full width. What is drawn is kept as ink, in sheet units.
namespace yhb::sheet {

struct Ink {
    enum class Kind { Text, Rule, Figure };
    Kind kind = Kind::Text;
    double x = 0, y = 0;              // Text: the left end of its baseline; Rule: one end; Figure: top left
    double x1 = 0, y1 = 0, width = 0; // Rule: the other end and its width; Figure: bottom right
    std::string text;
    TextStyle style;
    int figure = -1; // Figure: which of the sheet's
};

// Draws a text or a rule moved by (dx, dy), in the surface's text colour; a figure is left to
// the caller, which knows how the sheet draws it.
void drawInk(Surface& s, const Ink& ink, double dx, double dy);

struct Line {
    std::size_t from = 0, to = 0; // atoms [from, to) of the paragraph
    std::vector<double> x;        // each atom's left end
    double width = 0, ascent = 0, descent = 0;
};

// Breaks `p` into lines `width` wide (the first `firstWidth`, for a hanging label). An atom
// wider than a line stands alone on one.
std::vector<Line> breakLines(const Paragraph& p, double width, double firstWidth, bool justify = true);

// True where a line may end before atom `i` (0 < i < size).
bool breakAllowed(const Paragraph& p, std::size_t i);

// Makes a run one piece that no line ends inside: a 选择题's （　　） would otherwise break
// between its spaces, leaving （ at the end of a line and ） alone on the next.
Paragraph keptTogether(Paragraph run);

// The line's atoms as ink, the left end of its baseline at (x, baseline).
void inkLine(const Paragraph& p, const Line& line, double x, double baseline, std::vector<Ink>& ink);
// An atom's ink at (x, baseline).
void inkAtom(const Atom& a, double x, double baseline, std::vector<Ink>& ink);

} // namespace yhb::sheet
