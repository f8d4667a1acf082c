// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "io/problem.h"

namespace yhb {
class ItemList;
}

// The lines beginning with "@" that say something about a question rather than show it, one
// place for both question formats:
//   @plot EXPR                         a figure
//   @type 选择题 | 填空题 | 解答题      (解答题 when absent)
//   @score N                           points (5, 5 or 12 by type when absent)
//   @choice A text                     an option of a 选择题, one line of text with $…$ formulas
//   @space N                           lines of answer space a 解答题 leaves
// A new kind of line is one entry in the table in question_meta.cpp and a field where it is kept.
namespace yhb {

// A question's figure: the text after "@plot " of each such line (ASCII expressions).
constexpr std::string_view kFigurePrefix = "@plot ";
struct FigureLine {
    int line; // from 1
    std::string text;
};

enum class QuestionType { Choice, Blank, Solution };

constexpr int kMaxScore = 100;
constexpr int kMaxSpaceLines = 60;
constexpr std::size_t kMaxChoices = 8;

const char* questionTypeName(QuestionType type); // 选择题 …
int defaultScore(QuestionType type);
// Lines of answer space for a 解答题 of `score` points: one a point, at least four.
int defaultSpaceLines(int score);

// An option of a 选择题 as written: its text is read as a natural-format line when the
// question is set (readChoice).
struct ChoiceLine {
    char letter = 'A';
    std::string text;
    int line = 0;   // of its "@choice", from 1
    int column = 0; // where the text starts, from 1
};

// What the "@" lines of one question said.
struct QuestionAtLines {
    std::vector<FigureLine> figures;
    QuestionType type = QuestionType::Solution;
    int score = 0;  // 0: by type
    int space = -1; // -1: by score
    std::vector<ChoiceLine> choices;
    // Where each line was, for what the lines say together; 0 when absent.
    int typeLine = 0, scoreLine = 0, spaceLine = 0;

    int points() const { return score > 0 ? score : defaultScore(type); }
    int spaceLines() const { return space >= 0 ? space : defaultSpaceLines(points()); }
};

enum class QuestionFormat { Postfix, Natural };

enum class MetaLine {
    NotMeta, // a line to show
    Taken,   // read into the meta
    Unknown, // "@word …" with a word no entry knows
};

// Reads line `number` (from 1) if it is an "@" line: a known one goes into `meta` (a value it
// cannot take is named to `problems` with its line and column), an unknown one is named to
// `problems` (a warning with the word, the line and column 1): in the postfix format it is
// still shown as text, as it always was, in the natural format it is left out.
MetaLine readMetaLine(std::string_view line, int number, QuestionFormat format, QuestionAtLines& meta,
                      std::vector<Problem>* problems);

// After the last line: names what the lines say wrongly together (options in a question that
// is no 选择题, a 选择题 with fewer than two, "@space" beside a short answer).
void checkMetaLines(const QuestionAtLines& meta, std::vector<Problem>* problems);

// An option's text as items appended to `list`; with `problems`, what the reader cannot read in it, at
// its line and column in the question file.
void readChoice(const ChoiceLine& choice, ItemList& list, std::vector<Problem>* problems = nullptr);

} // namespace yhb
