// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/worksheet_command.h"

#include <QDate>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bank/catalogue.h"
#include "bank/worksheet.h"
#include "bank/qt/worksheet_writer.h"
#include "cli/arguments.h"
#include "io/saving.h"
#include "res/strings.h"

namespace yhb {
namespace {

ExitCode refuse(const std::string& utf8) {
    std::fprintf(stderr, "yunhuiban-cli worksheet: %s\n", utf8.c_str());
    return ExitCode::Usage;
}

std::string todayTitle(const std::vector<std::string>& names) {
    const QDate d = QDate::currentDate();
    return defaultSheetTitle(names, d.year(), d.month(), d.day());
}

} // namespace

ExitCode worksheetCommand(int argc, char** argv) {
    std::string dir, out, title, subtitle;
    bool given = false, titled = false, answers = false, force = false, subtitled = false;
    SheetLayout layout = SheetLayout::A4;
    SheetEdition edition = SheetEdition::Student;
    std::vector<int> categories;
    std::vector<std::string> files;
    long long count = 0, seed = -1;
    double points = kSheetDefaultPoints;
    for (int i = 0; i < argc; ++i) {
        const std::string a = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        auto takes = [&] { // the option's value, consumed
            if (!value) return false;
            ++i;
            return true;
        };
        long long n = 0;
        if (a == "--category") {
            if (!takes() || !wholeNumber(value, 0, 1000000, n)) return refuse("--category 后面应是分类编号（见 yunhuiban-cli bank --list）");
            categories.push_back(static_cast<int>(n));
        } else if (a == "--file") {
            if (!takes()) return refuse("--file 后面应是题目文件");
            files.push_back(value);
        } else if (a == "--count") {
            if (!takes() || !wholeNumber(value, 1, 100000, count)) return refuse("--count 后面应是正整数题数");
        } else if (a == "--seed") {
            if (!takes() || !wholeNumber(value, 0, 4294967295LL, seed)) return refuse("--seed 后面应是 0 到 4294967295 的整数");
        } else if (a == "--answers") {
            answers = true;
        } else if (a == "--force") {
            force = true;
        } else if (a == "--title") {
            if (!takes()) return refuse("--title 后面应是标题");
            title = value;
            titled = true;
        } else if (a == "--layout") {
            if (!takes() || (std::string(value) != "a4" && std::string(value) != "a3"))
                return refuse("--layout 后面应是 a4（A4 纵向单栏）或 a3（A3 横向双栏）");
            layout = std::string(value) == "a3" ? SheetLayout::A3 : SheetLayout::A4;
        } else if (a == "--edition") {
            if (!takes() || (std::string(value) != "student" && std::string(value) != "teacher"))
                return refuse("--edition 后面应是 student（学生版）或 teacher（教师版）");
            edition = std::string(value) == "teacher" ? SheetEdition::Teacher : SheetEdition::Student;
        } else if (a == "--subtitle") {
            if (!takes()) return refuse("--subtitle 后面应是副标题（可为空）");
            subtitle = value;
            subtitled = true;
        } else if (a == "--font-size") {
            char* end = nullptr;
            if (!takes() || (points = std::strtod(value, &end), *end) || end == value)
                return refuse("--font-size 后面应是字号（磅），如 10.5、12、14");
        } else if (a == "-o") {
            if (!takes()) return refuse("-o 后面应是 PDF 文件名");
            out = value;
        } else if (!a.empty() && a[0] == '-') {
            return refuse("不认识的选项 " + a);
        } else if (!given) {
            dir = a;
            given = true;
        } else {
            return refuse("只能给一个题库目录，多出了 " + a);
        }
    }
    if (!given) return refuse("需要题库目录 DIR");
    if (categories.empty() == files.empty()) return refuse("请用 --category 选择分类，或用 --file 选择题目文件（二者取其一）");
    if (out.empty()) return refuse("需要 -o 输出的 PDF 文件");
    if (out.size() < 4 || (out.substr(out.size() - 4) != ".pdf" && out.substr(out.size() - 4) != ".PDF"))
        return refuse("输出文件应以 .pdf 结尾：" + out);
    if (seed >= 0 && count == 0) return refuse("--seed 要与 --count 一起用：随机抽取 N 道题");
    if (!files.empty() && count > 0) return refuse("--count 只用于 --category 选出的题目");

    std::vector<std::string> paths, names;
    Problem problem;
    if (!categories.empty()) {
        Catalogue catalogue;
        catalogue.load(dir);
        if (catalogue.categoryCount() == 0) return refuse("“" + dir + "”下没有题库（tm 目录）");
        for (int index : categories) {
            const BankCategory* c = catalogue.category(index);
            if (!c)
                return refuse("没有编号为 " + std::to_string(index) + " 的分类（编号 0 到 " +
                              std::to_string(catalogue.categoryCount() - 1) + "，见 yunhuiban-cli bank " + dir + " --list）");
            names.push_back(c->name);
        }
        const SheetPick pick = count == 0 ? SheetPick::All : seed >= 0 ? SheetPick::Random : SheetPick::First;
        if (!pickSheetQuestions(sheetCandidates(catalogue, categories), pick, static_cast<int>(count),
                                static_cast<std::uint32_t>(seed < 0 ? 0 : seed), paths, problem))
            return refuse(problem.message);
    } else {
        paths = files;
        for (const std::string& f : files) {
            const std::string name = categoryNameForFile(f);
            if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
        }
    }

    Worksheet sheet;
    if (!sheet.load(paths, problem)) return refuse(problem.message);
    SheetStyle style;
    style.title = titled ? title : todayTitle(names);
    style.answers = answers;
    style.points = points;
    style.layout = layout;
    style.edition = edition;
    style.ownSubtitle = subtitled;
    style.subtitle = subtitle;
    if (!layoutSheet(sheet, style, problem)) return refuse(problem.message);
    const QByteArray pdf = worksheetPdf(sheet);
    const ExitCode status = saveForTool(out, force, std::string_view(pdf.constData(), pdf.size()));
    if (status != ExitCode::Ok) return status;
    std::printf("%d 道题，%d 页：%s\n", sheet.questionCount(), sheet.pageCount(), out.c_str());
    return ExitCode::Ok;
}

} // namespace yhb
