// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/bank_checker.h"

#include <filesystem>
#include <map>
#include <system_error>
#include <utility>

#include "bank/question_reader.h"

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

void checkQuestions(const Catalogue& c, const FigureCheck& figure, std::vector<Problem>& out) {
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
            std::vector<FigureLine> figures;
            parseQuestion(bytes, question, answers, &problems, &figures);
            for (Problem& p : problems) {
                p.file = path;
                out.push_back(std::move(p));
            }
            if (!figure) continue;
            for (const FigureLine& f : figures) {
                Problem why;
                if (!figure(f.text, why))
                    out.push_back(finding(path, f.line, "figure line: " + why.message, why.message, false));
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

std::vector<Problem> checkBank(const Catalogue& catalogue, const std::string& dir, const FigureCheck& figure) {
    std::vector<Problem> out;
    checkQuestions(catalogue, figure, out);
    checkNames(catalogue, out);
    checkStrayFiles(dir, out);
    return out;
}

} // namespace yhb
