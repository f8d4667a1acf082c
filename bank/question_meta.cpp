// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/question_meta.h"

#include <utility>

#include "bank/natural_reader.h"
#include "bank/problem_report.h"
#include "items/item_list.h"

namespace yhb {
namespace {

bool isWordCharacter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_'; }

// A value after its keyword: the text with the spaces around it gone, and the column where it
// starts (keywords are ASCII, so bytes before it are columns).
struct Value {
    std::string_view text;
    int column;
};

bool wholeNumber(std::string_view text, int lo, int hi, int& out) {
    if (text.empty() || text.size() > 6) return false;
    int v = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        v = v * 10 + (c - '0');
    }
    if (v < lo || v > hi) return false;
    out = v;
    return true;
}

// A keyword given twice: the second is named, and its value read over the first.
void noteSecond(int& seenAt, std::string_view word, const ProblemReport& report) {
    const std::string w(word);
    if (seenAt > 0)
        report(1, "a second \"" + w + "\" line (the first is at line " + std::to_string(seenAt) + ")",
               "重复的“" + w + "”行（第一个在第 " + std::to_string(seenAt) + " 行）");
    seenAt = report.line();
}

void readType(Value v, QuestionAtLines& meta, const ProblemReport& report) {
    noteSecond(meta.typeLine, "@type", report);
    if (v.text == "选择题") meta.type = QuestionType::Choice;
    else if (v.text == "填空题") meta.type = QuestionType::Blank;
    else if (v.text == "解答题") meta.type = QuestionType::Solution;
    else
        report(v.column, "\"@type\" is followed by 选择题, 填空题 or 解答题, not \"" + std::string(v.text) + "\"",
               "“@type”后应为 选择题、填空题 或 解答题，现在是“" + std::string(v.text) + "”");
}

void readScore(Value v, QuestionAtLines& meta, const ProblemReport& report) {
    noteSecond(meta.scoreLine, "@score", report);
    if (!wholeNumber(v.text, 1, kMaxScore, meta.score))
        report(v.column, "\"@score\" is followed by whole points from 1 to 100, not \"" + std::string(v.text) + "\"",
               "“@score”后应为 1 到 100 的整数分值，现在是“" + std::string(v.text) + "”");
}

void readSpace(Value v, QuestionAtLines& meta, const ProblemReport& report) {
    noteSecond(meta.spaceLine, "@space", report);
    if (!wholeNumber(v.text, 0, kMaxSpaceLines, meta.space))
        report(v.column, "\"@space\" is followed by a number of lines from 0 to 60, not \"" + std::string(v.text) + "\"",
               "“@space”后应为 0 到 60 的行数，现在是“" + std::string(v.text) + "”");
}

void readChoiceLine(Value v, QuestionAtLines& meta, const ProblemReport& report) {
    const char expected = static_cast<char>('A' + meta.choices.size());
    const char letter = v.text.empty() ? '\0' : v.text[0];
    if (letter != expected || (v.text.size() > 1 && v.text[1] != ' ')) {
        report(v.column, std::string("options are lettered A, B, C … in order: expected \"@choice ") + expected + "\"",
               std::string("选项应按 A、B、C……的顺序给出：这里应为“@choice ") + expected + "”");
        return;
    }
    if (meta.choices.size() >= kMaxChoices) {
        report(v.column, "more than eight options", "选项超过 8 个");
        return;
    }
    ChoiceLine c;
    c.letter = letter;
    c.line = report.line();
    std::size_t start = 1;
    while (start < v.text.size() && v.text[start] == ' ') ++start;
    c.text = std::string(v.text.substr(start));
    c.column = v.column + static_cast<int>(start);
    if (c.text.empty()) report(v.column, "an option with nothing after its letter", "选项字母后没有内容");
    meta.choices.push_back(std::move(c));
}

// Each kind of line: its word after "@" and what reading its value does.
struct Entry {
    std::string_view word;
    void (*read)(Value value, QuestionAtLines& meta, const ProblemReport& report);
};

const Entry kEntries[] = {
    {"type", readType},
    {"score", readScore},
    {"choice", readChoiceLine},
    {"space", readSpace},
};

} // namespace

const char* questionTypeName(QuestionType type) {
    switch (type) {
    case QuestionType::Choice: return "选择题";
    case QuestionType::Blank: return "填空题";
    case QuestionType::Solution: return "解答题";
    }
    return "";
}

int defaultScore(QuestionType type) { return type == QuestionType::Solution ? 12 : 5; }

int defaultSpaceLines(int score) { return score < 4 ? 4 : (score > kMaxSpaceLines ? kMaxSpaceLines : score); }

MetaLine readMetaLine(std::string_view line, int number, QuestionFormat format, QuestionAtLines& meta,
                      std::vector<Problem>* problems) {
    if (line.empty() || line[0] != '@') return MetaLine::NotMeta;
    // A figure's expression is taken as written, spaces and all.
    if (line.substr(0, kFigurePrefix.size()) == kFigurePrefix) {
        meta.figures.push_back({number, std::string(line.substr(kFigurePrefix.size()))});
        return MetaLine::Taken;
    }
    std::size_t end = 1;
    while (end < line.size() && isWordCharacter(line[end])) ++end;
    if (end == 1) return MetaLine::NotMeta; // "@" before no word: an ordinary line
    const std::string_view word = line.substr(1, end - 1);
    if (end == line.size() || line[end] == ' ')
        for (const Entry& e : kEntries)
            if (e.word == word) {
                std::size_t from = end, to = line.size();
                while (from < to && (line[from] == ' ' || line[from] == '\t')) ++from;
                while (to > from && (line[to - 1] == ' ' || line[to - 1] == '\t')) --to;
                e.read({line.substr(from, to - from), columnAt(line, from)}, meta, ProblemReport(problems, number));
                return MetaLine::Taken;
            }
    if (problems) {
        const std::string at(line.substr(0, end));
        const bool postfix = format == QuestionFormat::Postfix;
        Problem p = problemAt(number, "不认识的“" + at + "”行：" + (postfix ? "会作为文字显示" : "已略去"));
        p.column = 1;
        p.english = "unknown line \"" + at + "\": " + (postfix ? "shown as text" : "left out");
        p.warning = true;
        problems->push_back(std::move(p));
    }
    return MetaLine::Unknown;
}

void checkMetaLines(const QuestionAtLines& meta, std::vector<Problem>* problems) {
    if (!meta.choices.empty() && meta.type != QuestionType::Choice)
        ProblemReport(problems, meta.choices.front().line)(1, "options in a question that is no 选择题 (\"@type 选择题\")",
                                                    std::string("“@choice”只用于选择题，本题是") + questionTypeName(meta.type));
    if (meta.type == QuestionType::Choice && meta.choices.size() < 2)
        ProblemReport(problems, meta.typeLine)(1, "a 选择题 needs at least two \"@choice\" lines", "选择题至少需要两个“@choice”选项");
    if (meta.type != QuestionType::Solution && meta.spaceLine > 0)
        ProblemReport(problems, meta.spaceLine)(1, "\"@space\" only applies to a 解答题", "“@space”只用于解答题", true);
}

void readChoice(const ChoiceLine& choice, ItemList& list, std::vector<Problem>* problems) {
    ItemList none(4);
    QuestionAtLines ignored;
    std::vector<Problem> found;
    parseNaturalQuestion(choice.text, list, none, ignored, problems ? &found : nullptr);
    // The option is the question file's line from its text's column on.
    for (Problem& p : found) {
        p.line = choice.line;
        p.column = p.column > 0 ? p.column + choice.column - 1 : choice.column;
        problems->push_back(std::move(p));
    }
}

} // namespace yhb
