// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <string_view>

#include "items/item_list.h"

// The part of LaTeX that school mathematics is written in, read into question items: \frac,
// \dfrac, ^, _, \sqrt and \sqrt[n], \vec, \overrightarrow, \overline, \left…\right with ( ) [ ]
// | \{ \} and '.', \{ \}, \begin{cases}…\end{cases}, Greek letters, relations, arrows and
// operators as their Unicode characters, \mathbb{R} …, \text{}, spaces. Spaces typed in the
// formula are not shown, as in LaTeX; ordinary characters (x, 2, +, 中, ≤ pasted) are text.
namespace yhb {

// The first thing the reader does not know.
struct LatexError {
    std::size_t offset = 0; // bytes into the formula where it starts
    std::string what;       // the command or character, as written
    std::string message;    // Chinese, naming `what`
    std::string english;
};

// Appends the formula's items to `list` (text sized as the question reader sizes it, a group
// in braces as one row). False with `error` on anything outside the subset: then nothing is
// appended.
bool appendLatex(std::string_view formula, ItemList& list, LatexError& error);

// The character a symbol command stands for ("alpha" -> "α", "leqslant" -> "⩽"); empty for a
// name that is no symbol. The table is what AUTHORING.md lists.
std::string_view latexSymbol(std::string_view name);

} // namespace yhb
