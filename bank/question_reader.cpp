// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/question_reader.h"

#include <cstdio>
#include <vector>

#include "bank/bank_file.h"
#include "bank/bank_text.h"
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

// Splits on CR LF only; a longer line than the buffer holds is cut.
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
        fullLength = end - pos_;
        line = text_.substr(pos_, std::min(fullLength, kMaxLineBytes));
        if (fullLength > kMaxLineBytes) line = wholeCharacters(text_.substr(pos_, fullLength), line.size());
        pos_ = end < text_.size() ? end + 2 : text_.size();
        ++number;
        return true;
    }

    std::size_t fullLength = 0; // of the last line, before cutting
    int number = 0;             // of the last line, from 1

private:
    // The first `n` bytes of `full`, one less when the cut would split a double-byte character.
    static std::string_view wholeCharacters(std::string_view full, std::size_t n) {
        std::size_t i = 0;
        while (i < n) i += cp936::isDoubleByteAt(full, i) ? 2 : 1;
        return full.substr(0, i > n ? n - 1 : n);
    }

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

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

} // namespace

bool parseQuestion(std::string_view raw, ItemList& question, ItemList& answer, std::vector<QuestionProblem>* problems,
                   std::vector<FigureLine>* figures) {
    auto report = [problems](int line, std::string message, std::string chinese, bool warning = false) {
        if (problems) problems->push_back({line, std::move(message), std::move(chinese), warning});
    };
    std::vector<int> lossy;
    const std::string text = bankText(raw, problems ? &lossy : nullptr);
    for (int l : lossy)
        report(l, "characters CP936 cannot hold (shown as \"?\")", "含有 CP936 无法表示的字符（显示为“?”）", true);
    LineSplitter lines(text);
    std::string_view line;
    if (!lines.next(line) || line != "function") {
        if (trimmed(line) == "function")
            report(1, "the first line is \"function\" with spaces around it", "第一行应为“function”，不能带空格");
        else
            report(1, "the first line is not \"function\"", "第一行不是“function”");
        return false;
    }

    ItemList* current = &question;
    std::vector<int> groups;
    int ignoredGroups = 0; // "{" beyond the nesting limit, matched by their "}"
    int mark = 0;
    int markLine = 0; // of an open "{{"
    std::vector<int> groupLines;
    while (lines.next(line)) {
        const int count = current->count();
        if (line.substr(0, kFigurePrefix.size()) == kFigurePrefix) {
            if (figures) figures->push_back({lines.number, std::string(line.substr(kFigurePrefix.size()))});
            continue;
        }
        if (problems) {
            const std::string l(line);
            if (lines.fullLength > kMaxLineBytes)
                report(lines.number, "line longer than 1999 bytes (cut)", "行长超过 1999 字节（已截断）");
            if (cp936::firstInvalid(line) != std::string_view::npos)
                report(lines.number, "bytes that are not valid CP936", "含有不是有效 CP936 的字节");
            if (line == "{") groupLines.push_back(lines.number);
            else if (line == "}" && !groupLines.empty()) groupLines.pop_back();
            else if (line == "{{") markLine = lines.number;
            else if (line == "}}") markLine = 0;
            else if ((line == "fs" || line == "zs" || line == "xb") && count < 2)
                report(lines.number, "\"" + l + "\" needs two items before it", "“" + l + "”前面需要两项");
            else if (line == "gh" && count < 1) report(lines.number, "\"gh\" needs an item before it", "“gh”前面需要一项");
            else if (!isKeyword(line) && isKeyword(trimmed(line))) {
                const std::string k(trimmed(line));
                report(lines.number, "keyword \"" + k + "\" with spaces around it is shown as text",
                       "关键字“" + k + "”带有空格，会当作文字显示", true);
            }
        }
        if (line == "jd") {
            current = &answer;
        } else if (line == "tm") {
            current = &question;
        } else if (line == "{{") {
            mark = count;
        } else if (line == "}}") {
            int taken = count - mark;
            auto* brace = newItem<BraceItem>(std::max(taken, 0));
            if (taken > 0)
                for (DrawItem* row : current->takeLast(taken)) brace->add(row);
            current->append(brace);
        } else if (line == "{") {
            if (static_cast<int>(groups.size()) < kMaxGroupDepth)
                groups.push_back(count);
            else
                ++ignoredGroups;
        } else if (line == "}") {
            if (ignoredGroups > 0) {
                --ignoredGroups;
            } else if (!groups.empty()) {
                int taken = count - groups.back();
                groups.pop_back();
                auto* row = newItem<RowItem>(std::max(taken, 0));
                if (taken > 0)
                    for (DrawItem* child : current->takeLast(taken)) row->add(child);
                current->append(row);
            }
        } else if (line == "fs") {
            if (count < 2) continue; // too few items: the line is ignored
            DrawItem* den = current->removeAt(count);
            DrawItem* num = current->removeAt(count - 1);
            current->append(operatorItem(newItem<FractionItem>(num, den)));
        } else if (line == "gh") {
            if (count < 1) continue;
            DrawItem* radicand = current->removeAt(count);
            current->append(operatorItem(newItem<RadicalItem>(radicand)));
        } else if (line == "zs" || line == "xb") {
            if (count < 2) continue;
            DrawItem* second = current->removeAt(count);
            DrawItem* base = current->removeAt(count - 1);
            if (line == "zs")
                current->append(operatorItem(newItem<SuperscriptItem>(base, second)));
            else
                current->append(operatorItem(newItem<SubscriptItem>(base, second)));
        } else {
            current->append(sized(newItem<TextItem>(std::string(line))));
        }
    }
    for (int l : groupLines) report(l, "\"{\" is never closed", "“{”没有对应的“}”");
    if (markLine > 0) report(markLine, "\"{{\" is never closed", "“{{”没有对应的“}}”");
    return true;
}

int readQuestion(BankCategory& c, int n) {
    c.headerList.clear();
    c.figures.clear();
    auto* status = newItem<TextItem>(
        format("当前<<%s>>题库内总的题目数为●%d●,当前题号为〓■%d号■〓"_gb, c.name, c.questionCount(), n + 1));
    status->setFontSize(18, 10);
    c.headerList.append(status);
    c.headerList.setColour(rgb(0, 0, 255));

    std::string bytes;
    if (n < 0 || n >= c.questionCount() || !readQuestionFile(c.questionPaths[static_cast<std::size_t>(n)], bytes)) {
        auto* error = newItem<TextItem>(format("sorry!!!读<<%s>>题库内第%d号题目出错!!!!"_gb, c.name, n + 1));
        error->setFontSize(20, 10);
        c.headerList.append(error);
        c.headerList.setColour(rgb(255, 0, 255));
        return 0;
    }
    c.questionList.clear();
    c.answerList.clear();
    std::vector<FigureLine> figures;
    const bool ok = parseQuestion(bytes, c.questionList, c.answerList, nullptr, &figures);
    for (FigureLine& f : figures) c.figures.push_back(std::move(f.text));
    return ok ? 1 : 0;
}

} // namespace yhb
