// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "bank/question_meta.h"
#include "io/problem.h"
#include "items/item_list.h"

namespace yhb {

// A question as a sheet sets it: the reader's lists, its figure lines and what its "@" lines
// say about it (question_meta: type, score, options, answer space).
struct SheetQuestion {
    std::string path;
    QuestionAtLines meta;
    ItemList question{800};
    ItemList answer{800};
    std::vector<std::unique_ptr<ItemList>> choices; // as meta.choices, read
    std::vector<std::string> figures;               // the text after "@plot "
};

// Reads a question file for a sheet. False with the problem naming the file.
bool readSheetQuestion(const std::string& path, SheetQuestion& out, Problem& problem);

} // namespace yhb
