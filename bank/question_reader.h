#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "bank/catalogue.h"

namespace yhb {

constexpr std::size_t kMaxQuestionFileBytes = 16u << 20;
constexpr std::size_t kMaxLineBytes = 1999;
constexpr int kMaxGroupDepth = 10;

// Fills the category's header, question and answer lists from question n (0-based).
// Returns 1 when the file was read and began with "function".
int readQuestion(BankCategory& category, int n);

struct QuestionProblem {
    int line; // from 1
    std::string message;
};

// The markup alone: fills the two lists from the file's bytes (CP936, or UTF-8 behind a
// byte-order mark). Returns false when the first line is not "function". With `problems`,
// also notes what a bank author should mend; the lists come out the same either way.
bool parseQuestion(std::string_view bytes, ItemList& question, ItemList& answer,
                   std::vector<QuestionProblem>* problems = nullptr);

// Reads a whole question file; false when it is not a regular file, cannot be read or is
// larger than the bound.
bool readQuestionFile(const std::string& path, std::string& bytes);

} // namespace yhb
