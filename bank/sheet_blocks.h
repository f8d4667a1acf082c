// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

#include "bank/sheet_lines.h"
#include "bank/sheet_question.h"
#include "gfx/surface.h"

// The blocks a 试卷 is made of, each set for a column's width: the header, a section's heading,
// a question with its options, blank, figure and answer space, an answer. Pages are filled with
// whole blocks; only a block taller than a column is cut, at one of its cuts.
namespace yhb::sheet {

struct Block {
    double height = 0;
    std::vector<Ink> ink;     // from the block's top left
    std::vector<double> cuts; // heights between its lines
    bool freshColumn = false; // starts a column (参考答案)
};

// How the blocks are set: the body size in sheet units and what the sheet is for.
struct BlockStyle {
    double size = 37;       // 10.5 pt
    double width = 1700;    // of a column
    bool answersInline = false; // 教师版: each question's answer after it, no answer space
    // Numbered as on a sheet ("1．（12 分）", "1．"), a 解答题 with its answer space; off, the
    // question alone as a window shows it.
    bool numbered = true;
};

class BlockSetter {
public:
    BlockSetter(const Surface& measure, BlockStyle style) : s_(measure), style_(style) {}

    // The baseline-to-baseline distance of body text: one line of answer space.
    double pitch() const { return 1.7 * style_.size; }

    Block header(const std::string& title, const std::string& subtitle) const;
    // "一、选择题：本题共 8 小题，每小题 5 分，共 40 分。…"
    Block section(int ordinal, QuestionType type, const std::vector<int>& scores) const;
    Block question(const SheetQuestion& q, int number) const;
    Block heading(const std::string& text) const; // 参考答案
    Block answer(const SheetQuestion& q, int number) const;

    // How many columns a question's options take: 4, 2 or 1.
    int optionColumns(const SheetQuestion& q) const;

private:
    struct Pen;
    Pen pen(Block& b, double size) const;
    Paragraph options(const SheetQuestion& q, std::size_t i) const;

    const Surface& s_;
    BlockStyle style_;
};

// 一 二 三 … for a section's place.
std::string chineseOrdinal(int n);
// The heading's sentence after "一、选择题：".
std::string sectionSentence(QuestionType type, const std::vector<int>& scores);

} // namespace yhb::sheet
