// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "io/problem.h"
#include "items/item_list.h"

namespace yhb {

// What a question says about itself for a 试卷, in lines the reader takes as data:
//   @type 选择题 | 填空题 | 解答题     (解答题 when absent)
//   @score N                          (points; 5, 5 or 12 by type when absent)
//   @choice A text                    (an option of a 选择题 on one line of text), or
//   @choice A                         (an option in markup: the lines after it, up to the
//                                      next "@" line or "jd")
//   @space N                          (lines of answer space a 解答题 leaves)
enum class QuestionType { Choice, Blank, Solution };

constexpr int kMaxScore = 100;
constexpr int kMaxSpaceLines = 60;

const char* questionTypeName(QuestionType type); // 选择题 …
int defaultScore(QuestionType type);
// Lines of answer space for a 解答题 of `score` points: one a point, at least four.
int defaultSpaceLines(int score);

struct QuestionMeta {
    QuestionType type = QuestionType::Solution;
    int score = 0;  // 0: by type
    int space = -1; // -1: by score
    struct Choice {
        char letter = 'A';
        std::string markup; // the option in the bank's postfix markup, lines ending CR LF
        int line = 0;       // of its "@choice", from 1
    };
    std::vector<Choice> choices;

    int points() const { return score > 0 ? score : defaultScore(type); }
    int spaceLines() const { return space >= 0 ? space : defaultSpaceLines(points()); }
};

// Takes the worksheet's lines out of a question's text (UTF-8 with CR LF, as bankText gives
// it): `meta` gets what they say, `rest` the text without them, for the question reader. With
// `problems`, notes each line a bank author should mend, with its number.
void splitQuestionMeta(std::string_view text, QuestionMeta& meta, std::string& rest,
                       std::vector<Problem>* problems = nullptr);

// A question as a sheet sets it: the reader's lists, its figure lines and what it says
// about itself.
struct SheetQuestion {
    std::string path;
    QuestionMeta meta;
    ItemList question{800};
    ItemList answer{800};
    std::vector<std::unique_ptr<ItemList>> choices; // as meta.choices, read
    std::vector<std::string> figures;               // the text after "@plot "
};

// Reads a question file for a sheet. False with the problem naming the file.
bool readSheetQuestion(const std::string& path, SheetQuestion& out, Problem& problem);

} // namespace yhb
