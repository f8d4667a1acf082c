// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/sheet_question.h"

#include <cstdlib>

#include "bank/bank_text.h"
#include "bank/question_reader.h"

namespace yhb {
namespace {

constexpr std::string_view kType = "@type", kScore = "@score", kChoice = "@choice", kSpace = "@space";

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

// The keyword a worksheet line starts with, followed by a space or the line's end; empty for
// any other line.
std::string_view keywordOf(std::string_view line) {
    for (std::string_view k : {kType, kScore, kChoice, kSpace})
        if (line.substr(0, k.size()) == k && (line.size() == k.size() || line[k.size()] == ' ')) return k;
    return {};
}

// A worksheet keyword however mistyped: upper case, or run into its value.
bool looksLikeMeta(std::string_view line) {
    for (std::string_view k : {kType, kScore, kChoice, kSpace}) {
        if (line.size() < k.size()) continue;
        bool same = true;
        for (std::size_t i = 0; i < k.size() && same; ++i)
            same = (line[i] | 0x20) == (k[i] | 0x20) || line[i] == k[i];
        if (same) return true;
    }
    return false;
}

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

void splitQuestionMeta(std::string_view text, QuestionMeta& meta, std::string& rest, std::vector<Problem>* problems) {
    meta = QuestionMeta{};
    rest.clear();
    auto report = [problems](int line, std::string english, std::string chinese, bool warning = false) {
        if (!problems) return;
        Problem p = problemAt(line, std::move(chinese));
        p.english = std::move(english);
        p.warning = warning;
        problems->push_back(std::move(p));
    };
    bool typed = false, scored = false, spaced = false, inAnswer = false;
    int typeLine = 0;
    QuestionMeta::Choice* open = nullptr; // an option in markup, taking the lines that follow
    int number = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find("\r\n", pos);
        const std::size_t next = end == std::string_view::npos ? text.size() : end + 2;
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = text.substr(pos, end - pos);
        pos = next;
        ++number;
        const std::string_view key = keywordOf(line);
        if (key.empty()) {
            if (open && (line == "jd" || line == "tm" || (!line.empty() && line[0] == '@'))) open = nullptr;
            if (line == "jd") inAnswer = true;
            else if (line == "tm") inAnswer = false;
            if (open) {
                open->markup.append(line);
                open->markup += "\r\n";
                continue;
            }
            if (number > 1 && looksLikeMeta(line))
                report(number, "not a worksheet line (the keyword must be lower case and followed by one space): shown to students as text",
                       "不是试卷数据行（关键字须小写并后跟一个空格）：会作为文字显示给学生", true);
            rest.append(line);
            if (pos <= text.size() && end < text.size()) rest += "\r\n";
            continue;
        }
        open = nullptr;
        const std::string_view value = trimmed(line.substr(key.size()));
        const std::string k(key);
        if (inAnswer) {
            report(number, "\"" + k + "\" belongs to the question, before \"jd\"", "“" + k + "”应写在题目部分（“jd”之前）");
            continue;
        }
        if (key == kType) {
            if (typed) report(number, "a second \"@type\" line", "重复的“@type”行");
            typed = true;
            typeLine = number;
            if (value == "选择题") meta.type = QuestionType::Choice;
            else if (value == "填空题") meta.type = QuestionType::Blank;
            else if (value == "解答题") meta.type = QuestionType::Solution;
            else
                report(number, "\"@type\" is followed by 选择题, 填空题 or 解答题", "“@type”后应为 选择题、填空题 或 解答题，现在是“" + std::string(value) + "”");
        } else if (key == kScore) {
            if (scored) report(number, "a second \"@score\" line", "重复的“@score”行");
            scored = true;
            if (!wholeNumber(value, 1, kMaxScore, meta.score))
                report(number, "\"@score\" is followed by whole points from 1 to 100", "“@score”后应为 1 到 100 的整数分值，现在是“" + std::string(value) + "”");
        } else if (key == kSpace) {
            if (spaced) report(number, "a second \"@space\" line", "重复的“@space”行");
            spaced = true;
            if (!wholeNumber(value, 0, kMaxSpaceLines, meta.space))
                report(number, "\"@space\" is followed by a number of lines from 0 to 60", "“@space”后应为 0 到 60 的行数，现在是“" + std::string(value) + "”");
        } else { // @choice
            const char expected = static_cast<char>('A' + meta.choices.size());
            const char letter = value.empty() ? '\0' : value[0];
            if (letter != expected || (value.size() > 1 && value[1] != ' ')) {
                report(number, std::string("options are lettered A, B, C … in order: expected \"@choice ") + expected + "\"",
                       std::string("选项应按 A、B、C……的顺序给出：这里应为“@choice ") + expected + "”");
                continue;
            }
            if (meta.choices.size() >= 8) {
                report(number, "more than eight options", "选项超过 8 个");
                continue;
            }
            QuestionMeta::Choice c;
            c.letter = letter;
            c.line = number;
            const std::string_view body = trimmed(value.substr(1));
            meta.choices.push_back(c);
            if (body.empty())
                open = &meta.choices.back();
            else
                meta.choices.back().markup = std::string(body) + "\r\n";
        }
    }
    for (const auto& c : meta.choices)
        if (c.markup.empty()) report(c.line, "an option with nothing in it", "选项没有内容");
    if (!meta.choices.empty() && meta.type != QuestionType::Choice)
        report(meta.choices.front().line, "options in a question that is no 选择题 (\"@type 选择题\")",
               std::string("“@choice”只用于选择题，本题是") + questionTypeName(meta.type));
    if (meta.type == QuestionType::Choice && meta.choices.size() < 2)
        report(typeLine, "a 选择题 needs at least two \"@choice\" lines", "选择题至少需要两个“@choice”选项");
    if (meta.type != QuestionType::Solution && spaced)
        report(typeLine, "\"@space\" only applies to a 解答题", "“@space”只用于解答题", true);
}

bool readSheetQuestion(const std::string& path, SheetQuestion& out, Problem& problem) {
    auto refuse = [&](const std::string& before, const std::string& after) {
        problem = problemAt(0, before + path + after);
        problem.file = path;
        return false;
    };
    std::string bytes;
    if (!readQuestionFile(path, bytes)) return refuse("无法读取题目文件“", "”");
    std::string rest;
    splitQuestionMeta(bankText(bytes), out.meta, rest);
    std::vector<FigureLine> figures;
    out.question.clear();
    out.answer.clear();
    std::vector<Problem> why;
    if (!parseQuestion(rest, out.question, out.answer, &why, &figures)) {
        for (const Problem& p : why)
            if (!p.warning) return refuse("题目文件“", "”：" + p.message);
        return refuse("题目文件“", "”不是题目");
    }
    out.path = path;
    out.figures.clear();
    for (const FigureLine& f : figures) out.figures.push_back(f.text);
    out.choices.clear();
    for (const auto& c : out.meta.choices) {
        auto list = std::make_unique<ItemList>(50);
        ItemList ignored(4);
        // Marked as UTF-8: a short option such as "π" would read as CP936.
        parseQuestion("\xEF\xBB\xBF" "function\r\ntm\r\n" + c.markup, *list, ignored);
        out.choices.push_back(std::move(list));
    }
    return true;
}

} // namespace yhb
