// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "bank/catalogue.h"
#include "bank/question_meta.h"
#include "io/problem.h"

namespace yhb {

constexpr std::size_t kMaxQuestionFileBytes = 16u << 20;
constexpr std::size_t kMaxLineBytes = 1999;
constexpr int kMaxGroupDepth = 10;
// Systems of equations nest as groups do; and no formula nests deeper than kMaxItemDepth
// items (a text is one). A line that would go deeper is ignored, so that a hostile file can
// neither exhaust the stack nor make each level cost as much as all those inside it.
constexpr int kMaxBraceDepth = kMaxGroupDepth;
constexpr int kMaxItemDepth = 32;

// Fills the category's header, question and answer lists from question n (0-based).
// Returns 1 when the file was read (in either format).
int readQuestion(BankCategory& category, int n);

// The markup alone: fills the two lists from the file's bytes (CP936 with CR LF, or UTF-8,
// see bankText). A file whose first line is "function" is in the postfix format, one token a
// line; any other in the natural format (natural_reader). Returns false only for a first line
// that is "function" with spaces around it. "@" lines are no text (question_meta): figures go
// to `figures` (or all they say to `meta`). With `problems`, also notes what a bank author should mend, each at its line
// (0: the whole file) and, where it helps, column, in Chinese and English, an error or a
// warning; the lists come out the same either way.
bool parseQuestion(std::string_view bytes, ItemList& question, ItemList& answer,
                   std::vector<Problem>* problems = nullptr, std::vector<FigureLine>* figures = nullptr);
bool parseQuestion(std::string_view bytes, ItemList& question, ItemList& answer, std::vector<Problem>* problems,
                   QuestionAtLines& meta);

// Reads a whole question file; false when it is not a regular file, cannot be read or is
// larger than the bound.
bool readQuestionFile(const std::string& path, std::string& bytes);

} // namespace yhb
