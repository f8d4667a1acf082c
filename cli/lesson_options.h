// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "io/exit_code.h"
#include "model/document.h"
#include "lesson/lesson.h"

namespace yhb {

class MainWindow;

// The plot command's lesson options: --lesson FILE draws a lesson (its view gives the other
// options their defaults, so that those given still win), --save-lesson FILE writes what the
// window would save, --unit-cm N sets the scale of PDF output (-o x.pdf).
class PlotLessonOptions {
public:
    // Reads our options from the arguments, ahead of the others, and opens the lesson. Ok, or
    // the exit status when an option or the lesson is refused (said on stderr).
    ExitCode read(int argc, char** argv);
    // True for our options; their value follows them.
    static bool owns(const std::string& arg);
    // The lesson's view as the defaults of --scale, --pi-axis, --no-labels, --presentation and
    // --textbook.
    void preset(int& scale, bool& pi, bool& noLabels, bool& presentation, bool& textbook) const;

    bool hasLesson() const { return !lessonPath_.empty(); }
    bool saving() const { return !savePath_.empty(); }

    // The lesson's rows and view on a canvas of width x height: the origin keeps its offset
    // from the centre. False when a row is refused (said on stderr).
    bool enter(Document& doc, int width, int height) const;
    // The same through the window's 打开课件.
    bool enter(MainWindow& window) const;
    // Writes the document as a lesson to the --save-lesson file; the exit status. A
    // write-protected file is replaced only with `force`.
    ExitCode save(const Document& doc, bool force) const;
    // The printable page as PDF at --unit-cm; the exit status.
    ExitCode writePdf(Document& doc, const std::string& path, bool force) const;

private:
    std::string lessonPath_, savePath_;
    double unitCm_ = 1.0;
    Lesson lesson_;
};

} // namespace yhb
