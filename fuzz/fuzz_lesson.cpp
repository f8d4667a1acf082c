// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary bytes as a lesson file: read, entered through the family forms, repainted, and
// saved again, which must read back as the same lesson.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "gfx/recording_surface.h"
#include "lesson/lesson.h"

using namespace yhb;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    Lesson lesson;
    Problem problem;
    if (!parseLesson(bytes, lesson, problem)) {
        if (problem.message.empty()) __builtin_trap(); // a refusal always says why
        return 0;
    }
    // Written as read, it reads back the same.
    const std::string asRead = writeLesson(lesson);
    Lesson reread;
    if (!parseLesson(asRead, reread, problem) || writeLesson(reread) != asRead) __builtin_trap();
    Document doc;
    doc.canvas.resize(600, 400);
    if (!applyLesson(doc, lesson, problem)) {
        if (doc.table.slotCount != 0 || problem.line <= 0) __builtin_trap(); // nothing half-loaded
        return 0;
    }
    NullSurface canvas;
    paintDocument(canvas, doc);
    RecordingSurface labels;
    for (int r = 0; r < doc.table.slotCount; ++r) {
        doc.table.slot(r).labels.setFontSize(8, 30);
        doc.table.slot(r).labels.draw(labels, 0, 0, 200, 100);
    }
    const std::string saved = writeLesson(lessonOf(doc));
    Lesson again;
    if (!parseLesson(saved, again, problem) || writeLesson(again) != saved) __builtin_trap();
    return 0;
}
