// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/lesson_options.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include <QFile>

#include "app/main_window.h"
#include "app/print_page.h"
#include "cli/arguments.h"
#include "io/saving.h"
#include "lesson/lesson_file.h"
#include "res/strings.h"

namespace yhb {

bool PlotLessonOptions::owns(const std::string& arg) {
    return arg == "--lesson" || arg == "--save-lesson" || arg == "--unit-cm";
}

ExitCode PlotLessonOptions::read(int argc, char** argv) {
    for (int i = 0; i < argc; ++i) {
        const std::string a = argv[i];
        if (!owns(a)) continue;
        if (i + 1 >= argc) return usageError(a + " needs a value");
        const std::string v = argv[++i];
        if (a == "--lesson") {
            lessonPath_ = v;
        } else if (a == "--save-lesson") {
            savePath_ = v;
        } else {
            unitCm_ = v == "0.5" ? 0.5 : v == "1" ? 1.0 : v == "2" ? 2.0 : 0;
            if (unitCm_ == 0) return usageError("--unit-cm takes 0.5, 1 or 2");
        }
    }
    if (lessonPath_.empty()) return ExitCode::Ok;
    Problem problem;
    if (!loadLesson(lessonPath_, lesson_, problem)) {
        std::fprintf(stderr, "%s\n", openFailureText(lessonPath_, problem).c_str());
        return ExitCode::Usage;
    }
    return ExitCode::Ok;
}

void PlotLessonOptions::preset(int& scale, bool& pi, bool& noLabels, bool& presentation, bool& textbook) const {
    if (!hasLesson()) return;
    scale = lesson_.view.pixelsPerUnit;
    pi = lesson_.view.piAxis;
    noLabels = !lesson_.view.showLabels;
    presentation = lesson_.view.presentation;
    textbook = lesson_.view.textbook;
}

bool PlotLessonOptions::enter(Document& doc, int width, int height) const {
    if (!hasLesson()) return true;
    doc.canvas.resize(width, height);
    Problem problem;
    if (applyLesson(doc, lesson_, problem)) return true;
    std::fprintf(stderr, "%s\n", openFailureText(lessonPath_, problem).c_str());
    return false;
}

bool PlotLessonOptions::enter(MainWindow& window) const {
    return !hasLesson() || window.lessons().openFile(QFile::decodeName(lessonPath_.c_str()));
}

ExitCode PlotLessonOptions::save(const Document& doc, bool force) const {
    return saveForTool(savePath_, force, writeLesson(lessonOf(doc)), saveFailureText);
}

ExitCode PlotLessonOptions::writePdf(Document& doc, const std::string& path, bool force) const {
    const std::string title = hasLesson() ? std::filesystem::path(lessonPath_).stem().string() : "云绘板";
    const QByteArray pdf = printPdf(doc, unitCm_, QString::fromStdString(title));
    return saveForTool(path, force, std::string_view(pdf.constData(), pdf.size()));
}

} // namespace yhb
