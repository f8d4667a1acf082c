// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "io/problem.h"
#include "model/document.h"
#include "families/family_table.h"

namespace yhb {

// A lesson: the rows of the table as they were typed, and the view. Its file is UTF-8 text,
// one line each (docs/LESSONS.md): the format line, the view, then the rows in table order.
constexpr int kLessonMajor = 1;
constexpr int kLessonMinor = 0;
constexpr const char* kLessonMagic = "yunhuiban-lesson";
constexpr std::size_t kLessonMaxBytes = 1024 * 1024;
constexpr std::size_t kLessonTextLimit = 99; // characters, as many as a dialog field takes

struct LessonRow {
    int line = 0; // where the row stands in its file, for messages
    const FamilySpec* family = nullptr;
    std::vector<std::string> texts; // CP936, as typed, in field order; missing ones keep the default
    std::vector<int> boxes;
    int colourIndex = 0; // 1..5; 0: the lowest free colour, as a dialog would give
    RowTrail trail;      // written only when there is one, so a lesson without trails reads as before
};

struct LessonView {
    int pixelsPerUnit = 20;
    bool hasOrigin = false;
    int originX = 0, originY = 0;
    int canvasWidth = 0, canvasHeight = 0; // the canvas the origin belongs to; 0: not known
    bool piAxis = false;
    bool showLabels = true;
    bool fullScreen = false;
    bool presentation = false;
    bool textbook = false; // 教材记法; written only when on, so older files read the same
};

struct Lesson {
    LessonView view;
    std::vector<LessonRow> rows;
};

// The file's bytes for a lesson: always a file parseLesson reads. A view past what it takes is
// written at the nearest value it does, a text at the 99 characters a field holds.
std::string writeLesson(const Lesson& lesson);

// Reads a lesson file's bytes; false with the first problem when it is not a lesson this
// version can open. Rows are only read here: whether a dialog accepts them is checked when
// they are entered.
bool parseLesson(std::string_view bytes, Lesson& out, Problem& problem);

// The lesson of a document: its rows in table order with what was typed, and its view.
Lesson lessonOf(const Document& doc);

// Enters the rows on a scratch document as their dialogs would; false with the refused row's
// line and the dialog's reason. Nothing changes.
bool checkLesson(const Lesson& lesson, const LabelMetrics& metrics, Problem& problem);

// Replaces the document's rows and view with the lesson's, through the family forms. When a
// row is refused nothing at all changes. The origin keeps its place relative to the canvas
// centre when the canvas is not as large as the one it was saved from.
bool applyLesson(Document& doc, const Lesson& lesson, Problem& problem);

// The view and rows of a fresh start: no rows, the initial view, the origin centred.
void resetDocument(Document& doc);

} // namespace yhb
