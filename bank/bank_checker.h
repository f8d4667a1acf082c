// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>
#include <string_view>
#include <string>
#include <vector>

#include "bank/catalogue.h"
#include "io/problem.h"

namespace yhb {

// True for a figure line (given in UTF-8) the program can draw; else false with what is wrong.
using FigureCheck = std::function<bool(const std::string& figureLine, Problem& problem)>;

// True for a character the program's fonts can draw.
using GlyphCheck = std::function<bool(char32_t)>;

// Without the fonts at hand (the core has none): the ranges the CJK and Latin faces the
// program draws with cover, Chinese, Latin, Greek, punctuation, arrows, mathematical operators
// and letterlike symbols among them; emoji and rarer scripts are not.
bool inKnownFontRanges(char32_t c);

// Everything the checker reports on the bank below `dir`, whose catalogue is `catalogue`:
// each question file once (reader problems with their line and column, figure lines,
// characters `glyph` says no font draws), files in category folders that are not questions,
// base names repeated in two categories of one top-level category, and numbers without
// leading zeros that sort out of numeric order. Each names its file as the catalogue holds it,
// in Chinese and English; an error is a question that shows wrongly, a warning what reads but
// is likely a slip.
std::vector<Problem> checkBank(const Catalogue& catalogue, const std::string& dir, const FigureCheck& figure,
                               const GlyphCheck& glyph = inKnownFontRanges);

// The characters of a question's text (UTF-8 with CR LF) that `glyph` rejects, each once per
// line, named with its line and column.
std::vector<Problem> undrawableCharacters(std::string_view text, const GlyphCheck& glyph);

// The line that ends the report: the questions checked (each file once), errors and warnings,
// as "共 N 题，E 个错误，W 个警告" or in English.
std::string checkSummary(const Catalogue& catalogue, const std::vector<Problem>& findings, bool english);

} // namespace yhb
