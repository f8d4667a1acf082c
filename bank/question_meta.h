// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "io/problem.h"

// The lines beginning with "@" that say something about a question rather than show it, one
// place for both question formats: "@plot EXPR" (a figure) today. A new kind of line is one
// entry in the table in question_meta.cpp and a field where it is kept.
namespace yhb {

// A question's figure: the text after "@plot " of each such line (ASCII expressions).
constexpr std::string_view kFigurePrefix = "@plot ";
struct FigureLine {
    int line; // from 1
    std::string text;
};

// What the "@" lines of one question said.
struct QuestionAtLines {
    std::vector<FigureLine> figures;
};

enum class QuestionFormat { Postfix, Natural };

enum class MetaLine {
    NotMeta, // a line to show
    Taken,   // read into the meta
    Unknown, // "@word …" with a word no entry knows
};

// Reads line `number` (from 1) if it is an "@" line: a known one goes into `meta`, an unknown
// one is named to `problems` (a warning with the word, the line and column 1): in the postfix
// format it is still shown as text, as it always was, in the natural format it is left out.
MetaLine readMetaLine(std::string_view line, int number, QuestionFormat format, QuestionAtLines& meta,
                      std::vector<Problem>* problems);

} // namespace yhb
