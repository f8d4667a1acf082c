// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

#include "bank/question_meta.h"
#include "items/item_list.h"

namespace yhb {

// A question as the natural format writes it (natural_reader): the text of each list in lines,
// its formulas in the LaTeX subset between dollars, with the ASCII around a formula ("=1",
// "c=") taken into it; the figure lines after the question; "## 解答" and the answer. Read
// back, it gives the same items, drawn the same: that is what lets a teacher move a question
// over from the postfix format (yunhuiban-cli bank --convert).
std::string toNaturalFormat(const ItemList& question, const ItemList& answer, const std::vector<FigureLine>& figures);

// One item as a formula of the subset, without the dollars.
std::string toLatex(const DrawItem& item);

} // namespace yhb
