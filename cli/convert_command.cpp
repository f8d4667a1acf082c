// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/convert_command.h"

#include <cstdio>
#include <vector>

#include "bank/natural_writer.h"
#include "bank/question_reader.h"

namespace yhb {

ExitCode convertCommand(const std::string& path, bool english) {
    std::string bytes;
    if (!readQuestionFile(path, bytes)) {
        std::fprintf(stderr, english ? "yunhuiban-cli: cannot read \"%s\"\n" : "yunhuiban-cli: 无法读取题目文件“%s”\n", path.c_str());
        return ExitCode::Failed;
    }
    ItemList question(800), answer(800);
    std::vector<Problem> problems;
    std::vector<FigureLine> figures;
    if (!parseQuestion(bytes, question, answer, &problems, &figures)) {
        const Problem& p = problems.front();
        std::fprintf(stderr, "%s:%d: %s\n", path.c_str(), p.line, (english ? p.english : p.message).c_str());
        return ExitCode::Failed;
    }
    const std::string text = toNaturalFormat(question, answer, figures);
    std::fwrite(text.data(), 1, text.size(), stdout);
    return ExitCode::Ok;
}

} // namespace yhb
