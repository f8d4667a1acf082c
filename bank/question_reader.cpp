// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/question_reader.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <utility>
#include <vector>

#include "bank/bank_file.h"
#include "bank/bank_text.h"
#include "bank/natural_reader.h"
#include "gfx/cp936.h"

namespace yhb {
namespace {

std::string format(const std::string& fmt, const std::string& name, int a, int b = 0) {
    int len = std::snprintf(nullptr, 0, fmt.c_str(), name.c_str(), a, b);
    std::string out(static_cast<std::size_t>(len > 0 ? len : 0) + 1, '\0');
    std::snprintf(out.data(), out.size(), fmt.c_str(), name.c_str(), a, b);
    out.pop_back();
    return out;
}

// Splits on CR LF only; a longer line than the buffer holds is cut. Lengths are counted in
// cells (CP936 bytes), as the buffer of old counted them, so that a line is cut where it was.
class LineSplitter {
public:
    explicit LineSplitter(std::string_view text) : text_(text) {}
    bool next(std::string_view& line) {
        if (pos_ >= text_.size()) return false;
        std::size_t end = pos_;
        for (;;) {
            end = text_.find('\r', end);
            if (end == std::string_view::npos || end + 1 >= text_.size()) {
                end = text_.size();
                break;
            }
            if (text_[end + 1] == '\n') break;
            ++end;
        }
        line = text_.substr(pos_, end - pos_);
        // Only a line that may be too long is counted.
        fullLength = line.size() > kMaxLineBytes ? static_cast<std::size_t>(cp936::cp936Width(line)) : line.size();
        if (fullLength > kMaxLineBytes) line = line.substr(0, cp936::byteAtCell(line, static_cast<int>(kMaxLineBytes)));
        pos_ = end < text_.size() ? end + 2 : text_.size();
        ++number;
        return true;
    }

    std::size_t fullLength = 0; // of the last line, before cutting
    int number = 0;             // of the last line, from 1

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

template <class T>
T* sized(T* item) {
    item->setFontSize(10, 6);
    return item;
}

template <class T>
T* operatorItem(T* item) {
    item->setFontSize(10, 6);
    item->setColour(0);
    return item;
}

} // namespace

bool readQuestionFile(const std::string& path, std::string& bytes) {
    return readRegularFile(path, kMaxQuestionFileBytes, bytes);
}

namespace {

bool isKeyword(std::string_view line) {
    for (std::string_view k : {"function", "jd", "tm", "{{", "}}", "{", "}", "fs", "gh", "zs", "xb"})
        if (line == k) return true;
    return false;
}

// Lines ignored for one reason: the first of them and how many, to be noted once.
struct IgnoredLines {
    int first = 0;
    int count = 0;
    void note(int line) {
        if (count++ == 0) first = line;
    }
};

// The largest value among the items of a list from a position to its end, in logarithmic
// time, for a list that changes only at its end and where an item that replaces others is at
// least as large as each of them (a formula is as deep as its parts and one more): a stack of
// the items that no later item outranks. A removed item's entry goes when the item replacing
// it comes, and that item outranks whatever the removed one had outranked.
class SuffixMaximum {
public:
    void appended(int position, int value) {
        while (!stack_.empty() && (stack_.back().first >= position || stack_.back().second <= value)) stack_.pop_back();
        stack_.emplace_back(position, value);
    }
    // 0 when no item is at `from` or after it.
    int from(int from) const {
        auto it = std::lower_bound(stack_.begin(), stack_.end(), from,
                                   [](const std::pair<int, int>& e, int f) { return e.first < f; });
        return it == stack_.end() ? 0 : it->second;
    }

private:
    std::vector<std::pair<int, int>> stack_; // (position, value), positions rising, values falling
};

// A list being filled, and how deep its items are from any position on: a hostile file may
// close a million systems of equations over a million items, each checked without a scan.
struct Filling {
    explicit Filling(ItemList& l) : list(l) {}
    void append(DrawItem* item) {
        list.append(item);
        depth.appended(list.count() - 1, item->depth);
        braces.appended(list.count() - 1, item->braceDepth);
    }
    // How deep a group (or an operator) over the last `n` items would be, and how many
    // braces deep.
    std::pair<int, int> over(int n, bool brace) const {
        const int from = list.count() - std::max(n, 0);
        return {depth.from(from) + 1, braces.from(from) + (brace ? 1 : 0)};
    }

    ItemList& list;
    SuffixMaximum depth, braces;
};

// How many items an operator line combines; 0 for any other line.
int operands(std::string_view line) {
    if (line == "fs" || line == "zs" || line == "xb") return 2;
    return line == "gh" ? 1 : 0;
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

// "@plot" however written: what an author meant as a figure line and mistyped.
bool looksLikeFigure(std::string_view line) {
    line = trimmed(line);
    if (line.size() < kFigurePrefix.size() - 1) return false;
    for (std::size_t i = 0; i + 1 < kFigurePrefix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(line[i])) != kFigurePrefix[i]) return false;
    return true;
}

} // namespace

bool parseQuestion(std::string_view raw, ItemList& question, ItemList& answer, std::vector<Problem>* problems,
                   std::vector<FigureLine>* figures) {
    QuestionAtLines meta;
    const bool ok = parseQuestion(raw, question, answer, problems, meta);
    if (figures) figures->insert(figures->end(), meta.figures.begin(), meta.figures.end());
    return ok;
}

bool parseQuestion(std::string_view raw, ItemList& question, ItemList& answer, std::vector<Problem>* problems,
                   QuestionAtLines& meta) {
    auto report = [problems](int line, std::string english, std::string chinese, bool warning = false) {
        if (!problems) return;
        Problem p = problemAt(line, std::move(chinese));
        p.column = line > 0 ? 1 : 0; // a token is a whole line
        p.english = std::move(english);
        p.warning = warning;
        problems->push_back(std::move(p));
    };
    std::vector<int> bad;
    const std::string text = bankText(raw, problems ? &bad : nullptr);
    std::size_t nextBad = 0;
    LineSplitter lines(text);
    std::string_view line;
    meta = QuestionAtLines{};
    if (!lines.next(line) || line != "function") {
        if (trimmed(line) == "function") {
            report(1, "the first line is \"function\" with spaces around it", "第一行应为“function”，不能带空格");
            return false;
        }
        parseNaturalQuestion(text, question, answer, meta, problems);
        checkMetaLines(meta, problems);
        return true;
    }

    Filling questionFill(question), answerFill(answer);
    Filling* current = &questionFill;
    std::vector<int> groups;
    int ignoredGroups = 0; // "{" beyond the nesting limit, matched by their "}"
    int mark = 0;
    int markLine = 0; // of an open "{{"
    IgnoredLines groupsTooDeep, bracesTooDeep, tooDeep;
    std::vector<int> groupLines;
    while (lines.next(line)) {
        ItemList& list = current->list;
        const int count = list.count();
        // A mistyped "@plot" is named below, once.
        if (readMetaLine(line, lines.number, QuestionFormat::Postfix, meta, looksLikeFigure(line) ? nullptr : problems) ==
            MetaLine::Taken)
            continue;
        if (problems) {
            const std::string l(line);
            if (lines.fullLength > kMaxLineBytes)
                report(lines.number, "line longer than 1999 bytes (cut)", "行长超过 1999 字节（已截断）");
            while (nextBad < bad.size() && bad[nextBad] < lines.number) ++nextBad;
            if (nextBad < bad.size() && bad[nextBad] == lines.number)
                report(lines.number, "bytes that are not valid CP936", "含有不是有效 CP936 的字节");
            if (line == "{") groupLines.push_back(lines.number);
            else if (line == "}" && !groupLines.empty()) groupLines.pop_back();
            else if (line == "{{") markLine = lines.number;
            else if (line == "}}") markLine = 0;
            else if ((line == "fs" || line == "zs" || line == "xb") && count < 2)
                report(lines.number, "\"" + l + "\" needs two items before it", "“" + l + "”前面需要两项");
            else if (line == "gh" && count < 1) report(lines.number, "\"gh\" needs an item before it", "“gh”前面需要一项");
            else if (looksLikeFigure(line))
                report(lines.number, "not a figure line (\"@plot\" must begin the line, followed by one space): shown to students as text",
                       "不是图形行（“@plot”须在行首并后跟一个空格）：会作为文字显示给学生", true);
            else if (!isKeyword(line) && isKeyword(trimmed(line))) {
                const std::string k(trimmed(line));
                report(lines.number, "keyword \"" + k + "\" with spaces around it is shown as text",
                       "关键字“" + k + "”带有空格，会当作文字显示", true);
            }
        }
        const int combined = operands(line);
        if (line == "jd") {
            current = &answerFill;
        } else if (line == "tm") {
            current = &questionFill;
        } else if (line == "{{") {
            mark = count;
        } else if (line == "}}") {
            const int taken = count - mark;
            const auto [depth, braces] = current->over(taken, true);
            if (braces > kMaxBraceDepth || depth > kMaxItemDepth) {
                (braces > kMaxBraceDepth ? bracesTooDeep : tooDeep).note(lines.number);
                continue;
            }
            auto* brace = newItem<BraceItem>(std::max(taken, 0));
            if (taken > 0)
                for (DrawItem* row : list.takeLast(taken)) brace->add(row);
            current->append(brace);
        } else if (line == "{") {
            if (static_cast<int>(groups.size()) < kMaxGroupDepth) {
                groups.push_back(count);
            } else {
                ++ignoredGroups;
                groupsTooDeep.note(lines.number);
            }
        } else if (line == "}") {
            if (ignoredGroups > 0) {
                --ignoredGroups;
            } else if (!groups.empty()) {
                const int taken = count - groups.back();
                groups.pop_back();
                if (current->over(taken, false).first > kMaxItemDepth) {
                    tooDeep.note(lines.number);
                    continue;
                }
                auto* row = newItem<RowItem>(std::max(taken, 0));
                if (taken > 0)
                    for (DrawItem* child : list.takeLast(taken)) row->add(child);
                current->append(row);
            }
        } else if (combined > 0) {
            if (count < combined) continue; // too few items: the line is ignored
            if (current->over(combined, false).first > kMaxItemDepth) {
                tooDeep.note(lines.number);
                continue;
            }
            DrawItem* last = list.removeAt(count);
            DrawItem* before = combined == 2 ? list.removeAt(count - 1) : nullptr;
            if (line == "fs")
                current->append(operatorItem(newItem<FractionItem>(before, last)));
            else if (line == "gh")
                current->append(operatorItem(newItem<RadicalItem>(last)));
            else if (line == "zs")
                current->append(operatorItem(newItem<SuperscriptItem>(before, last)));
            else
                current->append(operatorItem(newItem<SubscriptItem>(before, last)));
        } else {
            current->append(sized(newItem<TextItem>(std::string(line))));
        }
    }
    checkMetaLines(meta, problems);
    for (int l : groupLines) report(l, "\"{\" is never closed", "“{”没有对应的“}”");
    if (markLine > 0) report(markLine, "\"{{\" is never closed", "“{{”没有对应的“}}”");
    // Once for each reason, at the first line: a hostile file may hold a million of them.
    const auto n = [](const IgnoredLines& l) { return std::to_string(l.count); };
    const std::string groupLimit = std::to_string(kMaxGroupDepth), braceLimit = std::to_string(kMaxBraceDepth),
                      itemLimit = std::to_string(kMaxItemDepth);
    if (groupsTooDeep.count)
        report(groupsTooDeep.first, "\"{\" nested deeper than " + groupLimit + ": " + n(groupsTooDeep) + " ignored with their \"}\"",
               "“{”嵌套超过 " + groupLimit + " 层：忽略了 " + n(groupsTooDeep) + " 个“{”及其对应的“}”");
    if (bracesTooDeep.count)
        report(bracesTooDeep.first, "systems of equations nested deeper than " + braceLimit + ": " + n(bracesTooDeep) + " \"}}\" ignored",
               "方程组嵌套超过 " + braceLimit + " 层：忽略了 " + n(bracesTooDeep) + " 个“}}”");
    if (tooDeep.count)
        report(tooDeep.first, "formula nested deeper than " + itemLimit + " levels: " + n(tooDeep) + (tooDeep.count == 1 ? " line" : " lines") + " ignored",
               "公式嵌套超过 " + itemLimit + " 层：忽略了 " + n(tooDeep) + " 行");
    return true;
}

int readQuestion(BankCategory& c, int n) {
    c.headerList.clear();
    c.figures.clear();
    auto* status = newItem<TextItem>(
        format("当前<<%s>>题库内总的题目数为●%d●,当前题号为〓■%d号■〓", c.name, c.questionCount(), n + 1));
    status->setFontSize(18, 10);
    c.headerList.append(status);
    c.headerList.setColour(rgb(0, 0, 255));

    std::string bytes;
    if (n < 0 || n >= c.questionCount() || !readQuestionFile(c.questionPaths[static_cast<std::size_t>(n)], bytes)) {
        auto* error = newItem<TextItem>(format("sorry!!!读<<%s>>题库内第%d号题目出错!!!!", c.name, n + 1));
        error->setFontSize(20, 10);
        c.headerList.append(error);
        c.headerList.setColour(rgb(255, 0, 255));
        return 0;
    }
    c.questionList.clear();
    c.answerList.clear();
    QuestionAtLines meta;
    const bool ok = parseQuestion(bytes, c.questionList, c.answerList, nullptr, meta);
    for (const FigureLine& f : meta.figures) c.figures.push_back(f.text);
    // A 选择题's options under its text, one a line, as a student reads them.
    for (const ChoiceLine& choice : meta.choices) {
        c.questionList.append(sized(newItem<TextItem>(std::string())));
        c.questionList.append(sized(newItem<TextItem>(std::string(1, choice.letter) + "．")));
        readChoice(choice, c.questionList);
    }
    return ok ? 1 : 0;
}

} // namespace yhb
