// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "bank/catalogue.h"

namespace yhb {

// One thing a bank author should know: an error (a question that shows wrongly) or a
// warning (what reads, but is likely a slip).
struct BankFinding {
    std::string path; // as the catalogue holds it
    int line = 0;     // from 1; 0 for the whole file
    std::string english;
    std::string chinese; // UTF-8
    bool warning = false;
};

// Returns the problem with a figure line, given in UTF-8 (empty when it is a figure the
// program can draw).
using FigureCheck = std::function<std::string(const std::string& figureLine)>;

// Everything the checker reports on the bank below `dir`, whose catalogue is `catalogue`:
// each question file once (reader problems and figure lines), files in category folders that
// are not questions, base names repeated in two categories of one top-level category, and
// numbers without leading zeros that sort out of numeric order.
std::vector<BankFinding> checkBank(const Catalogue& catalogue, const std::string& dir, const FigureCheck& figure);

// The line that ends the report: the questions checked (each file once), errors and warnings,
// as "共 N 题，E 个错误，W 个警告" or in English.
std::string checkSummary(const Catalogue& catalogue, const std::vector<BankFinding>& findings, bool english);

} // namespace yhb
