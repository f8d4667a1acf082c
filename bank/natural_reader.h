// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string_view>
#include <vector>

#include "bank/question_meta.h"
#include "io/problem.h"
#include "items/item_list.h"

// A question written the way teachers write mathematics: plain text with formulas between
// dollars in the LaTeX of school mathematics.
//
//   已知椭圆 $C:\frac{x^2}{a^2}+\frac{y^2}{b^2}=1$ 的离心率为 $\frac{\sqrt{3}}{2}$。
//   @plot ellipse-x:2,1
//   ## 解答
//   …
//
// Each line is a paragraph and a blank line a gap between paragraphs; "## 解答" starts the
// answer; "@" lines are read as in the postfix format (question_meta). "\$" is a dollar sign in
// the text, "$$…$$" a formula too.
namespace yhb {

// The line that starts the answer.
constexpr std::string_view kAnswerHeading = "## 解答";

// Reads `text` (UTF-8 with CR LF, as bankText gives it) into the two lists, items made as the
// postfix reader makes them. With `problems`, names each thing an author should mend by its
// line and column (a formula the reader does not know is shown as written, and is an error).
void parseNaturalQuestion(std::string_view text, ItemList& question, ItemList& answer, QuestionAtLines& meta,
                          std::vector<Problem>* problems);

// Characters (code points) in `line` before byte `offset`, plus one: the column an editor shows.
int columnAt(std::string_view line, std::size_t offset);

} // namespace yhb
