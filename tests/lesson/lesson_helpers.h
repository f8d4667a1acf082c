// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

#include "dialogs/form_helpers.h"
#include "gfx/recording_surface.h"
#include "lesson/lesson.h"

namespace yhb::test {

// Everything a user sees of a document: the canvas's drawing, and per row its label, its
// colour and its records.
inline std::string picture(Document& doc) {
    RecordingSurface s;
    paintDocument(s, doc);
    std::string out = s.trace();
    for (int r = 0; r < doc.table.slotCount; ++r) {
        const ExpressionSlot& row = doc.table.slot(r);
        out += "row " + std::to_string(r) + " colour " + std::to_string(row.colourIndex) + " extras " +
               std::to_string(row.extraCount) + " label " + readLabel(row.labels) + "\n";
    }
    return out;
}

// A document with a sized canvas, as the window and the tool have one.
struct SizedDocument {
    SizedDocument(int w = 600, int h = 400) { doc.canvas.resize(w, h); }
    Document doc;
};

// Saves `doc` and opens the text on a fresh document of the same canvas size.
inline bool reopen(Document& doc, Document& into, Problem& problem) {
    Lesson lesson;
    if (!parseLesson(writeLesson(lessonOf(doc)), lesson, problem)) return false;
    return applyLesson(into, lesson, problem);
}

// Modifies row `row` through its form with these texts (the modify button, then 确定).
inline bool modify(Document& doc, RecordingNotifier& n, int row, const std::vector<std::string>& fields,
                   const std::vector<int>& boxes = {}) {
    beginModify(doc, row);
    return typeAndOk(doc, n, doc.table.slot(row).kind, fields, boxes);
}

} // namespace yhb::test
