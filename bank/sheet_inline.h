// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "gfx/surface.h"
#include "items/item_list.h"
#include "items/math_layout.h"

// A question's items as print sets them: Chinese text a character at a time, every stretch of
// mathematics (letters, digits, signs, and the fractions, roots and scripts between them) one
// formula typeset as a textbook prints it, Latin variables italic. The line breaker takes the
// pieces in order.
namespace yhb::sheet {

struct Atom {
    enum class Kind { Text, Formula, Blank };
    Kind kind = Kind::Text;
    std::string text;    // Text: one character
    math::Layout layout; // Formula
    TextStyle style;     // Text
    double width = 0, ascent = 0, descent = 0;
    double gapBefore = 0; // space owed to what comes before, dropped at a line's start
    bool noStart = false; // may not begin a line: closing marks and ，。、；：？！
    bool noEnd = false;   // may not end one: opening marks
    bool stretch = false; // a line set full width may widen the space before it
};
using Paragraph = std::vector<Atom>;

// How wide a blank to fill in is, in ems.
constexpr double kBlankEms = 6.0;

// The list's items as paragraphs (an empty line ends one), measured through `s` at `size`.
// A formula wider than `lineWidth` is cut after its signs = < > and the like, so that it can
// go on over lines.
std::vector<Paragraph> paragraphsOf(const ItemList& list, const Surface& s, double size, double lineWidth);
// A line of plain text (headings, options written as text), its formulas set as above.
Paragraph textParagraph(std::string_view utf8, const Surface& s, double size, double lineWidth = 1e9);
// A blank to fill in, as wide as `ems` at `size`.
Atom blankAtom(const Surface& s, double size, double ems = kBlankEms);
// A run of upright text as one piece that is never cut (a label such as "A．").
Atom wordAtom(std::string_view utf8, const Surface& s, double size);

// Characters that may not start, or end, a line.
bool closingMark(char32_t c);
bool openingMark(char32_t c);

} // namespace yhb::sheet
