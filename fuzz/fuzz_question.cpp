// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary bytes as a question file, up to a megabyte: the reader with its notes for bank
// authors, then measuring and drawing at a few widths. Checks that every note names a line
// of the file (or the whole file), that a line over the limit is noted as cut, and that a
// line is called invalid CP936 only when its bytes are, and that no formula nests deeper than
// the reader's bounds, which keep drawing off the stack's end. Inputs past 64 KB are read as the
// window reads them, without notes: they are here for lists of a million items.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "bank/bank_text.h"
#include "bank/question_reader.h"
#include "gfx/cp936.h"
#include "gfx/recording_surface.h"

using namespace yhb;

namespace {

// The lines of the reader's text: split at CR LF, numbered from 1.
std::vector<std::string_view> linesOf(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find("\r\n", pos);
        if (end == std::string_view::npos) end = text.size();
        lines.push_back(text.substr(pos, end - pos));
        pos = end + 2;
    }
    return lines;
}

void checkProblems(std::string_view bytes, bool read, const std::vector<Problem>& problems) {
    std::vector<int> bad;
    const std::string text = bankText(bytes, &bad); // what the reader splits: UTF-8, CR LF
    const std::vector<std::string_view> lines = linesOf(text);
    const int last = std::max<int>(static_cast<int>(lines.size()), 1);
    std::vector<int> cut, invalid;
    for (const Problem& p : problems) {
        if (p.line < 0 || p.line > last || p.english.empty() || p.message.empty()) __builtin_trap();
        if (p.english.find("longer than 1999") != std::string::npos) cut.push_back(p.line);
        if (p.english.find("not valid CP936") != std::string::npos) invalid.push_back(p.line);
    }
    if (!read) return;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        if (lines[i].substr(0, kFigurePrefix.size()) == kFigurePrefix) continue; // a figure, not text
        const int number = static_cast<int>(i) + 1;
        const bool noted = std::find(cut.begin(), cut.end(), number) != cut.end();
        if ((static_cast<std::size_t>(cp936::cp936Width(lines[i])) > kMaxLineBytes) != noted) __builtin_trap();
    }
    for (int number : invalid)
        if (std::find(bad.begin(), bad.end(), number) == bad.end()) __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // Small files get the notes checked and are drawn at every size onto a recording surface;
    // large ones, here for the lists' growth, are read and laid out as the window does.
    const bool small = size <= (64u << 10);
    ItemList question(800), answer(800);
    if (small) {
        std::vector<Problem> problems;
        const bool read = parseQuestion(bytes, question, answer, &problems);
        checkProblems(bytes, read, problems);
    } else {
        parseQuestion(bytes, question, answer);
    }

    for (const ItemList* list : {&question, &answer})
        for (const DrawItem* item : list->display())
            if (item->depth > kMaxItemDepth || item->braceDepth > kMaxBraceDepth) __builtin_trap();

    for (int cell : {1, 8, 20, 65}) {
        if (!small && cell != 8 && cell != 20) continue;
        question.setFontSize(cell, cell * 2);
        answer.setFontSize(cell, cell * 2);
        for (int width : {1, 17, 300, 800}) {
            if (!small && width != 17 && width != 800) continue;
            const int h = question.measure(width);
            if (h < question.lineGap) __builtin_trap();
            if (small) {
                RecordingSurface s;
                answer.draw(s, 0, question.draw(s, 0, 0, width, 100), width, 100);
            } else {
                NullSurface s;
                answer.draw(s, 0, question.draw(s, 0, 0, width, 100), width, 100);
            }
        }
    }
    return 0;
}
