// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/natural_reader.h"

#include <string>
#include <utility>

#include "bank/problem_report.h"
#include "bank/question_reader.h"
#include "gfx/cp936.h"
#include "items/latex_math.h"

namespace yhb {
namespace {

// Names a problem at a line and column, when anyone asked.
class Reporter {
public:
    explicit Reporter(std::vector<Problem>* problems) : problems_(problems) {}
    void operator()(int line, int column, std::string english, std::string chinese, bool warning = false) const {
        ProblemReport(problems_, line)(column, std::move(english), std::move(chinese), warning);
    }

private:
    std::vector<Problem>* problems_;
};

TextItem* textItem(std::string text) {
    auto* t = newItem<TextItem>(std::move(text));
    t->setFontSize(10, 6);
    return t;
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

// The byte of the "$" (or "$$") that closes a formula opened before `from`, skipping escaped
// characters; npos when there is none.
std::size_t closingDollar(std::string_view line, std::size_t from, bool twice) {
    for (std::size_t i = from; i < line.size(); ++i) {
        if (line[i] == '\\') {
            ++i;
            continue;
        }
        if (line[i] == '$' && (!twice || (i + 1 < line.size() && line[i + 1] == '$'))) return i;
    }
    return std::string_view::npos;
}

// One line's text and formulas, appended to `list`.
void readParagraph(std::string_view line, int number, ItemList& list, const Reporter& report) {
    std::string prose;
    auto flushProse = [&] {
        if (!prose.empty()) list.append(textItem(std::move(prose)));
        prose.clear();
    };
    std::size_t i = 0;
    while (i < line.size()) {
        const char c = line[i];
        if (c == '\\' && i + 1 < line.size() && line[i + 1] == '$') {
            prose += '$';
            i += 2;
            continue;
        }
        if (c != '$') {
            prose += c;
            ++i;
            continue;
        }
        const bool twice = i + 1 < line.size() && line[i + 1] == '$';
        const std::size_t open = i, start = i + (twice ? 2 : 1);
        const std::size_t close = closingDollar(line, start, twice);
        if (close == std::string_view::npos) {
            report(number, columnAt(line, open), "\"$\" opens a formula that no \"$\" closes: shown as written",
                   "“$”开始的公式没有结束的“$”：按原样显示");
            prose += line.substr(open);
            break;
        }
        const std::string_view formula = line.substr(start, close - start);
        const std::size_t end = close + (twice ? 2 : 1);
        flushProse();
        LatexError error;
        if (!appendLatex(formula, list, error)) {
            report(number, columnAt(line, start + error.offset), error.english + ": the formula is shown as written",
                   error.message + "：公式按原样显示");
            prose += line.substr(open, end - open);
        }
        i = end;
    }
    flushProse();
}

} // namespace

int columnAt(std::string_view line, std::size_t offset) {
    int column = 1;
    for (std::size_t i = 0, n = 1; i < line.size() && i < offset; i += n, ++column) cp936::decodeAt(line, i, n);
    return column;
}

void parseNaturalQuestion(std::string_view text, ItemList& question, ItemList& answer, QuestionAtLines& meta,
                          std::vector<Problem>* problems) {
    const Reporter report(problems);
    ItemList* current = &question;
    bool firstInSection = true;
    int headingLine = 0;
    int number = 0;
    for (std::size_t pos = 0; pos < text.size();) {
        std::size_t end = text.find("\r\n", pos);
        const std::size_t next = end == std::string_view::npos ? text.size() : end + 2;
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        pos = next;
        ++number;
        if (readMetaLine(line, number, QuestionFormat::Natural, meta, problems) != MetaLine::NotMeta) continue;
        if (trimmed(line) == kAnswerHeading || trimmed(line) == "##解答") {
            if (headingLine > 0) {
                report(number, 1, "a second \"## 解答\": the answer began at line " + std::to_string(headingLine),
                       "重复的“## 解答”：解答已从第 " + std::to_string(headingLine) + " 行开始", true);
                continue;
            }
            headingLine = number;
            current = &answer;
            firstInSection = true;
            continue;
        }
        if (static_cast<std::size_t>(cp936::cp936Width(line)) > kMaxLineBytes) {
            report(number, 1, "line longer than 1999 bytes (cut)", "行长超过 1999 字节（已截断）");
            line = line.substr(0, cp936::byteAtCell(line, static_cast<int>(kMaxLineBytes)));
        }
        // A line break between lines; a blank line is a paragraph with nothing in it, so that
        // it leaves a gap.
        if (!firstInSection) current->append(textItem(std::string()));
        firstInSection = false;
        if (!trimmed(line).empty()) readParagraph(line, number, *current, report);
    }
}

} // namespace yhb
