// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/sheet_question.h"

#include "bank/question_reader.h"

namespace yhb {

bool readSheetQuestion(const std::string& path, SheetQuestion& out, Problem& problem) {
    auto refuse = [&](const std::string& before, const std::string& after) {
        problem = problemAt(0, before + path + after);
        problem.file = path;
        return false;
    };
    std::string bytes;
    if (!readQuestionFile(path, bytes)) return refuse("无法读取题目文件“", "”");
    out.question.clear();
    out.answer.clear();
    std::vector<Problem> why;
    if (!parseQuestion(bytes, out.question, out.answer, &why, out.meta)) {
        for (const Problem& p : why)
            if (!p.warning) return refuse("题目文件“", "”：" + p.message);
        return refuse("题目文件“", "”不是题目");
    }
    out.path = path;
    out.figures.clear();
    for (const FigureLine& f : out.meta.figures) out.figures.push_back(f.text);
    out.choices.clear();
    for (const ChoiceLine& c : out.meta.choices) {
        auto list = std::make_unique<ItemList>(50);
        readChoice(c, *list);
        out.choices.push_back(std::move(list));
    }
    return true;
}

} // namespace yhb
