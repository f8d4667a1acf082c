// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdio>
#include <string>
#include <vector>

#include "dialogs/parameter_form.h"
#include "gfx/cp936.h"
#include "items/draw_items.h"
#include "items/math_items.h"

namespace yhb::test {

// A form of `kind` on `doc`, opened the way the menu (new) or a modify button opens it.
struct OpenForm {
    OpenForm(Document& doc, Family kind, RecordingNotifier& n) : form(doc, *findFamily(kind), n) { form.initialise(); }
    ParameterForm form;
};

// A form of `kind` opened on the row begun, these texts typed and boxes ticked, then 确定.
inline bool typeAndOk(Document& doc, RecordingNotifier& n, Family kind, const std::vector<std::string>& fields,
                      const std::vector<int>& boxes) {
    ParameterForm form(doc, *findFamily(kind), n);
    form.initialise();
    for (std::size_t i = 0; i < fields.size(); ++i) form.fieldTexts[i] = fields[i];
    for (int b : boxes) form.setBox(b, true);
    return form.ok();
}

inline bool enter(Document& doc, RecordingNotifier& n, Family kind, const std::vector<std::string>& fields,
                  const std::vector<int>& boxes = {}) {
    return beginNew(doc, n) && typeAndOk(doc, n, kind, fields, boxes);
}

// The label's top-level texts (and the parts of composites), flattened for reading.
inline std::string readLabel(const DrawItem* item) {
    if (auto* t = dynamic_cast<const TextItem*>(item)) return t->text;
    if (auto* f = dynamic_cast<const FractionItem*>(item)) return "[" + readLabel(f->numerator) + "/" + readLabel(f->denominator) + "]";
    if (auto* s = dynamic_cast<const SuperscriptItem*>(item)) return readLabel(s->base) + "^" + readLabel(s->exponent);
    if (auto* s = dynamic_cast<const SubscriptItem*>(item)) return readLabel(s->base) + "_" + readLabel(s->index);
    if (auto* r = dynamic_cast<const RadicalItem*>(item))
        return (r->index ? "root[" + readLabel(r->index) + "](" : "sqrt(") + readLabel(r->child) + ")";
    if (auto* f = dynamic_cast<const FencedItem*>(item))
        return std::string("left") + f->left + readLabel(f->child) + "right" + f->right;
    if (auto* o = dynamic_cast<const OverItem*>(item))
        return (o->mark == OverItem::Mark::Arrow ? "vec(" : "bar(") + readLabel(o->child) + ")";
    if (auto* g = dynamic_cast<const GroupItem*>(item)) {
        std::string out = dynamic_cast<const BraceItem*>(item) ? "{{" : "(";
        for (std::size_t i = 0; i < g->children().size(); ++i) out += (i ? "|" : "") + readLabel(g->children()[i]);
        return out + (dynamic_cast<const BraceItem*>(item) ? "}}" : ")");
    }
    return "?";
}

inline std::string readLabel(const ItemList& list) {
    std::string out;
    for (int i = 0; i < list.count(); ++i) out += readLabel(list.at(i));
    return out;
}

// What a user sees of a row: its values, its points and lines, its label and its colour.
inline std::string rowSeen(const Document& doc, int r) {
    const ExpressionSlot& s = doc.table.slot(r);
    std::string out = std::to_string(familyId(s.kind)) + " colour " + std::to_string(s.colourIndex) + " p";
    char buf[64];
    for (double v : s.params) {
        std::snprintf(buf, sizeof buf, " %.17g", v);
        out += buf;
    }
    for (int j = 0; j < s.extraCount; ++j) {
        const ExtraPlot& e = s.extras[j];
        std::snprintf(buf, sizeof buf, " | %d %d %.17g %.17g", e.sourceControl, static_cast<int>(e.plotOp), e.params[0], e.params[1]);
        out += buf;
    }
    return out + " label " + readLabel(s.labels) + " items " + std::to_string(s.labels.count()) + " " +
           std::to_string(s.labels.charCount());
}

} // namespace yhb::test
