// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/bank_checker.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <system_error>
#include <utility>

#include "bank/bank_text.h"
#include "bank/question_reader.h"
#include "gfx/cp936.h"

namespace fs = std::filesystem;

namespace yhb {
namespace {

Problem finding(const std::string& path, int line, std::string english, std::string chinese, bool warning) {
    Problem p = problemAt(line, std::move(chinese));
    p.file = path;
    p.english = std::move(english);
    p.warning = warning;
    return p;
}

// "q10.txt" -> ("q", 10, true); a name without a number before its extension -> false.
bool numbered(const std::string& name, std::string& prefix, unsigned long long& number) {
    const std::size_t dot = name.rfind('.');
    const std::string stem = name.substr(0, dot);
    std::size_t start = stem.size();
    while (start > 0 && stem[start - 1] >= '0' && stem[start - 1] <= '9') --start;
    if (start == stem.size() || stem.size() - start > 18) return false;
    prefix = stem.substr(0, start) + "|" + (dot == std::string::npos ? "" : name.substr(dot));
    number = std::stoull(stem.substr(start));
    return true;
}

std::string codePoint(char32_t c) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "U+%04X", static_cast<unsigned>(c));
    return buf;
}

void checkQuestions(const Catalogue& c, const FigureCheck& figure, const GlyphCheck& glyph, std::vector<Problem>& out) {
    for (const CategoryPtr& k : c.categories) {
        if (k->aggregate) continue; // aggregates only repeat the loaded categories' files
        for (const std::string& path : k->questionPaths) {
            std::string bytes;
            if (!readQuestionFile(path, bytes)) {
                out.push_back(finding(path, 0, "cannot be read", "无法读取", false));
                continue;
            }
            ItemList question(800), answers(800);
            std::vector<Problem> problems;
            QuestionAtLines meta;
            parseQuestion(bytes, question, answers, &problems, meta);
            for (const ChoiceLine& choice : meta.choices) {
                ItemList option(50);
                readChoice(choice, option, &problems);
            }
            const std::vector<FigureLine>& figures = meta.figures;
            if (glyph)
                for (Problem& p : undrawableCharacters(bankText(bytes), glyph)) problems.push_back(std::move(p));
            for (Problem& p : problems) {
                p.file = path;
                out.push_back(std::move(p));
            }
            if (!figure) continue;
            for (const FigureLine& f : figures) {
                Problem why;
                if (!figure(f.text, why)) {
                    out.push_back(finding(path, f.line, "figure line: " + why.message, why.message, false));
                    out.back().column = static_cast<int>(kFigurePrefix.size()) + 1; // where the expression starts
                }
            }
        }
    }
}

void checkNames(const Catalogue& c, std::vector<Problem>& out) {
    // The aggregate keeps the first of two files with one base name.
    std::map<std::pair<int, std::string>, std::string> first;
    for (const CategoryPtr& k : c.categories) {
        if (k->aggregate) continue;
        std::string prevPrefix;
        unsigned long long prevNumber = 0;
        std::string prevName;
        for (const std::string& path : k->questionPaths) {
            const std::string name = baseName(path);
            if (k->parent >= 0) {
                auto [it, fresh] = first.emplace(std::make_pair(k->parent, name), k->name);
                if (!fresh) {
                    const std::string& other = it->second;
                    out.push_back(finding(path, 0, "same name as a file of category " + other + ": the aggregate keeps only that one",
                                          "与分类“" + other + "”中的文件同名：汇总分类只保留那一个", true));
                }
            }
            std::string prefix;
            unsigned long long number = 0;
            if (numbered(name, prefix, number)) {
                if (prefix == prevPrefix && number < prevNumber)
                    out.push_back(finding(path, 0, "numbered without leading zeros: sorts after " + prevName,
                                          "编号没有前导零，排在 " + prevName + " 之后", true));
                prevPrefix = prefix;
                prevNumber = number;
                prevName = name;
            }
        }
    }
}

// Files the catalogue passes over in category folders.
void checkStrayFiles(const std::string& dir, std::vector<Problem>& out) {
    std::error_code ec;
    fs::recursive_directory_iterator it(dir, fs::directory_options::skip_permission_denied, ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        if (it.depth() > Catalogue::kMaxDepth) {
            it.disable_recursion_pending();
            continue;
        }
        std::error_code sec;
        if (!it->is_regular_file(sec) || sec) continue;
        const std::string name = it->path().filename().string();
        if (name == "funcName.fun" || name == "funcMenu.fun") continue;
        if (!fs::exists(it->path().parent_path() / "funcName.fun", sec)) continue;
        if (!isQuestionFileName(name))
            out.push_back(finding(it->path().string(), 0, "not a question file: ignored", "不是题目文件，已忽略", true));
        else if (!holdsQuestion(it->path().string()))
            out.push_back(finding(it->path().string(), 1,
                                  "not a question file (its first line is not \"function\", nor does its name end in \".tm\"): ignored",
                                  "不是题目文件（第一行不是“function”，文件名也不以“.tm”结尾），已忽略", true));
    }
}

} // namespace

std::string checkSummary(const Catalogue& catalogue, const std::vector<Problem>& findings, bool english) {
    int questions = 0, errors = 0, warnings = 0;
    for (const CategoryPtr& k : catalogue.categories)
        if (!k->aggregate) questions += k->questionCount();
    for (const Problem& f : findings) (f.warning ? warnings : errors) += 1;
    const auto plural = [](int n, const char* what) { return std::to_string(n) + " " + what + (n == 1 ? "" : "s"); };
    if (english) return plural(questions, "question") + ", " + plural(errors, "error") + ", " + plural(warnings, "warning");
    return "共 " + std::to_string(questions) + " 题，" + std::to_string(errors) + " 个错误，" + std::to_string(warnings) +
           " 个警告";
}

bool inKnownFontRanges(char32_t c) {
    static const std::pair<char32_t, char32_t> ranges[] = {
        {0x20, 0x7E},     {0xA0, 0x24F},    {0x2B0, 0x2FF},   {0x370, 0x3FF},   {0x400, 0x4FF},   {0x2000, 0x206F},
        {0x2070, 0x209F}, {0x20A0, 0x20CF}, {0x20D0, 0x20FF}, {0x2100, 0x218F}, {0x2190, 0x23FF}, {0x2460, 0x27BF},
        {0x27C0, 0x27FF}, {0x2980, 0x2AFF}, {0x2E80, 0x2FDF}, {0x3000, 0x33FF}, {0x3400, 0x4DBF}, {0x4E00, 0x9FFF},
        {0xF900, 0xFAFF}, {0xFE30, 0xFE4F}, {0xFF00, 0xFFEF}, {0x1D400, 0x1D7FF},
    };
    for (const auto& [from, to] : ranges)
        if (c >= from && c <= to) return true;
    return false;
}

std::vector<Problem> undrawableCharacters(std::string_view text, const GlyphCheck& glyph) {
    std::vector<Problem> out;
    int number = 1;
    std::vector<char32_t> named; // on this line
    int column = 1;
    for (std::size_t i = 0, n = 1; i < text.size(); i += n, ++column) {
        if (text.compare(i, 2, "\r\n") == 0) {
            n = 2;
            ++number;
            column = 0;
            named.clear();
            continue;
        }
        const char32_t c = cp936::decodeAt(text, i, n);
        // Control characters draw as nothing, as they always did; a byte no encoding holds
        // is the reader's to name.
        if (c < 0x80 || c == 0xFFFD || glyph(c) || std::find(named.begin(), named.end(), c) != named.end()) continue;
        named.push_back(c);
        const std::string ch(text.substr(i, n));
        Problem p = problemAt(number, "字符“" + ch + "”（" + codePoint(c) + "）没有字体能显示");
        p.column = column;
        p.english = "no font draws the character \"" + ch + "\" (" + codePoint(c) + ")";
        out.push_back(std::move(p));
    }
    return out;
}

std::vector<Problem> checkBank(const Catalogue& catalogue, const std::string& dir, const FigureCheck& figure,
                               const GlyphCheck& glyph) {
    std::vector<Problem> out;
    checkQuestions(catalogue, figure, glyph, out);
    checkNames(catalogue, out);
    checkStrayFiles(dir, out);
    return out;
}

} // namespace yhb
