// SPDX-License-Identifier: GPL-3.0-or-later
// Between a lesson and the document: what a document saves, and how a lesson's rows are
// entered again through the family forms.
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "dialogs/parameter_form.h"
#include "gfx/cp936.h"
#include "lesson/lesson.h"

namespace yhb {
namespace {

// A coefficient stored without typed text: the shortest text atof reads back as the same double.
std::string exactNumber(double v) {
    char buf[40];
    for (int digits = 15; digits <= 17; ++digits) {
        std::snprintf(buf, sizeof buf, "%.*g", digits, v);
        if (!std::isfinite(v) || std::atof(buf) == v) break;
    }
    return buf;
}

void clearRows(Document& doc) {
    ExpressionTable& t = doc.table;
    for (int r = 0; r < kMaxSlots; ++r) t.resetSlot(r);
    t.clearTrails();
    t.slotCount = 0;
    t.colourInUse.fill(0);
    t.editMode = 1;
    t.editRow = 0;
    // Kept, not erased: a form holds a reference to its family's state.
    for (auto& entry : doc.familyStates) entry.second = FamilyState{};
}

void centreOrigin(CanvasView& c) {
    c.dragging = false;
    if (c.canvasWidth > 0 && c.canvasHeight > 0) {
        c.originX = c.canvasWidth / 2;
        c.originY = c.canvasHeight / 2;
        c.firstSize = 0;
    } else {
        c.firstSize = 1; // centred when the canvas gets its first size
    }
}

// A row its dialog refuses, named as the dialog's caption names it. The dialog asks to type the
// values again; a file is not typed, so only the rule is said, with the values the row gives.
std::string refusedRow(const FamilySpec& f, const std::vector<std::string>& texts, std::string refusal) {
    const std::size_t again = refusal.find("！！");
    if (again != std::string::npos) refusal.resize(again);
    std::string values;
    for (std::size_t i = 0; i < f.fields.size() && i < texts.size(); ++i)
        values += (i ? "，" : "") + std::string(f.fields[i].label) + cp936::toUtf8(texts[i]); // "D=" and so on
    return "函数“" + std::string(f.title) + "”的系数不合要求：" + refusal + "，这里 " + values + "。";
}

// The rows entered in order as their dialogs would (menu, fields, boxes, 确定), then the
// colours the lesson names; rows without one take the lowest free colour, in order.
bool enterRows(Document& doc, const Lesson& lesson, Problem& problem) {
    RecordingNotifier refusals;
    for (const LessonRow& r : lesson.rows) {
        if (!r.family || !beginNew(doc, refusals)) {
            problem = problemAt(r.line, "课件中的函数多于 " + std::to_string(kMaxSlots) + " 个。");
            return false;
        }
        ParameterForm form(doc, *r.family, refusals);
        form.initialise();
        for (std::size_t i = 0; i < r.texts.size() && i < form.fieldTexts.size(); ++i) form.fieldTexts[i] = r.texts[i];
        for (int id : r.boxes) form.setBox(id, true);
        if (!form.ok()) {
            problem = problemAt(r.line, refusedRow(*r.family, form.fieldTexts,
                                                 refusals.messages.empty() ? std::string() : refusals.messages.back().text));
            return false;
        }
    }
    ExpressionTable& t = doc.table;
    t.colourInUse.fill(0);
    for (std::size_t i = 0; i < lesson.rows.size(); ++i) {
        const int c = lesson.rows[i].colourIndex;
        t.slot(static_cast<int>(i)).colourIndex = c;
        if (c >= 1 && c <= 5) t.colourInUse[static_cast<std::size_t>(c)] = 1;
    }
    for (std::size_t i = 0; i < lesson.rows.size(); ++i)
        if (lesson.rows[i].colourIndex == 0) t.slot(static_cast<int>(i)).colourIndex = t.allocateColour();
    for (std::size_t i = 0; i < lesson.rows.size(); ++i) t.slot(static_cast<int>(i)).trail = lesson.rows[i].trail;
    return true;
}

} // namespace

Lesson lessonOf(const Document& doc) {
    Lesson lesson;
    const ExpressionTable& t = doc.table;
    for (int i = 0; i < t.slotCount; ++i) {
        const ExpressionSlot& s = t.slot(i);
        const FamilySpec* f = findFamily(s.kind);
        if (!f) continue; // a row left empty: nothing a dialog could enter again
        LessonRow r;
        r.family = f;
        r.colourIndex = s.colourIndex;
        if (s.typed.size() == f->fields.size()) {
            r.texts = s.typed;
        } else {
            for (std::size_t k = 0; k < f->fields.size() && k < 10; ++k) r.texts.push_back(exactNumber(s.params[k]));
        }
        // A box is ticked when its records are there: what the modify dialog shows.
        for (const BoxSpec& b : f->boxes)
            for (int j = 0; j < s.extraCount && j < kMaxExtras; ++j)
                if (s.extras[j].sourceControl == b.id) {
                    r.boxes.push_back(b.id);
                    break;
                }
        r.trail = s.trail;
        lesson.rows.push_back(std::move(r));
    }
    LessonView& v = lesson.view;
    v.pixelsPerUnit = doc.view.pixelsPerUnit;
    v.piAxis = doc.view.piAxis;
    v.showLabels = doc.view.showLabels;
    v.fullScreen = doc.view.fullScreen;
    v.presentation = doc.view.presentation;
    v.textbook = doc.view.textbook;
    v.hasOrigin = doc.canvas.firstSize == 0;
    v.originX = doc.canvas.originX;
    v.originY = doc.canvas.originY;
    if (doc.canvas.canvasWidth > 0 && doc.canvas.canvasHeight > 0) {
        v.canvasWidth = doc.canvas.canvasWidth;
        v.canvasHeight = doc.canvas.canvasHeight;
    }
    return lesson;
}

bool checkLesson(const Lesson& lesson, const LabelMetrics& metrics, Problem& problem) {
    Document scratch;
    scratch.metrics = metrics;
    return enterRows(scratch, lesson, problem);
}

bool applyLesson(Document& doc, const Lesson& lesson, Problem& problem) {
    if (!checkLesson(lesson, doc.metrics, problem)) return false;
    clearRows(doc);
    enterRows(doc, lesson, problem); // accepted on the scratch document, so accepted here

    const LessonView& v = lesson.view;
    doc.view.pixelsPerUnit = v.pixelsPerUnit;
    doc.view.piAxis = v.piAxis;
    doc.view.showLabels = v.showLabels;
    doc.view.fullScreen = v.fullScreen;
    doc.view.presentation = v.presentation;
    doc.view.textbook = v.textbook;
    CanvasView& c = doc.canvas;
    if (!v.hasOrigin) {
        centreOrigin(c);
        return true;
    }
    c.dragging = false;
    c.originX = v.originX;
    c.originY = v.originY;
    // Another screen: the origin keeps its offset from the centre.
    if (c.canvasWidth > 0 && c.canvasHeight > 0 && v.canvasWidth > 0 && v.canvasHeight > 0) {
        c.originX += (c.canvasWidth - v.canvasWidth) / 2;
        c.originY += (c.canvasHeight - v.canvasHeight) / 2;
    }
    c.firstSize = 0;
    return true;
}

void resetDocument(Document& doc) {
    clearRows(doc);
    const ViewSettings start;
    doc.view.pixelsPerUnit = start.pixelsPerUnit;
    doc.view.showLabels = start.showLabels;
    doc.view.piAxis = start.piAxis;
    doc.view.fullScreen = start.fullScreen;
    doc.view.presentation = start.presentation;
    doc.view.textbook = start.textbook;
    centreOrigin(doc.canvas);
}

} // namespace yhb
