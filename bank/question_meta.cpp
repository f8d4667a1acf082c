// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/question_meta.h"

#include <utility>

namespace yhb {
namespace {

bool isWordCharacter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_'; }

// Each kind of line: its prefix (with the space after the word) and what reading it does.
struct Entry {
    std::string_view prefix;
    void (*read)(std::string_view value, int number, QuestionAtLines& meta);
};

const Entry kEntries[] = {
    {kFigurePrefix, [](std::string_view value, int number, QuestionAtLines& meta) { meta.figures.push_back({number, std::string(value)}); }},
};

} // namespace

MetaLine readMetaLine(std::string_view line, int number, QuestionFormat format, QuestionAtLines& meta,
                      std::vector<Problem>* problems) {
    if (line.empty() || line[0] != '@') return MetaLine::NotMeta;
    for (const Entry& e : kEntries)
        if (line.substr(0, e.prefix.size()) == e.prefix) {
            e.read(line.substr(e.prefix.size()), number, meta);
            return MetaLine::Taken;
        }
    std::size_t end = 1;
    while (end < line.size() && isWordCharacter(line[end])) ++end;
    if (end == 1) return MetaLine::NotMeta; // "@" before no word: an ordinary line
    if (problems) {
        const std::string word(line.substr(0, end));
        const bool postfix = format == QuestionFormat::Postfix;
        Problem p = problemAt(number, "不认识的“" + word + "”行：" + (postfix ? "会作为文字显示" : "已略去"));
        p.column = 1;
        p.english = "unknown line \"" + word + "\": " + (postfix ? "shown as text" : "left out");
        p.warning = true;
        problems->push_back(std::move(p));
    }
    return MetaLine::Unknown;
}

} // namespace yhb
