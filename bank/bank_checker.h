// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "bank/catalogue.h"
#include "io/problem.h"

namespace yhb {

// True for a figure line (given in UTF-8) the program can draw; else false with what is wrong.
using FigureCheck = std::function<bool(const std::string& figureLine, Problem& problem)>;

// Everything the checker reports on the bank below `dir`, whose catalogue is `catalogue`:
// each question file once (reader problems and figure lines), files in category folders that
// are not questions, base names repeated in two categories of one top-level category, and
// numbers without leading zeros that sort out of numeric order. Each names its file as the
// catalogue holds it, in Chinese and English; an error is a question that shows wrongly, a
// warning what reads but is likely a slip.
std::vector<Problem> checkBank(const Catalogue& catalogue, const std::string& dir, const FigureCheck& figure);

// The line that ends the report: the questions checked (each file once), errors and warnings,
// as "共 N 题，E 个错误，W 个警告" or in English.
std::string checkSummary(const Catalogue& catalogue, const std::vector<Problem>& findings, bool english);

} // namespace yhb
