// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "items/math_text.h"

// The formula characters of a question's text as math nodes: letters as variables, function
// names upright, digits as numbers, the super- and subscript digits as scripts, signs spaced
// as signs or as operators by where they stand.
namespace yhb::sheet {

// What belongs to a formula: Latin letters, digits and signs, Greek, the super- and
// subscript digits, arrows, mathematical operators and the school's geometry signs.
bool isMathChar(char32_t c);
// A character set upright, without spacing (a bracket, △).
math::Node upright(std::string text);
// One string of formula characters, appended to `out` as nodes.
void tokenize(std::string_view text, std::vector<math::Node>& out);

} // namespace yhb::sheet
