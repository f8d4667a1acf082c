// SPDX-License-Identifier: GPL-3.0-or-later
#include "families/textbook.h"

#include "families/family_table.h"
#include "plot/curve.h"
#include "plot/expression_table.h"

namespace yhb {

RowValues RowValues::of(const ExpressionSlot& slot) { return RowValues{slot.params, slot.exactParams}; }

math::Node caption(const TextbookName& n) {
    if (!n.defined) return n.name;
    if (n.shape == NamedShape::Point)
        return math::row({n.name, math::brackets(math::row({n.x, math::comma(), n.y}))});
    if (n.name.empty()) return n.equation;
    return math::row({n.name, math::colon(), n.equation});
}

const TextbookForm* textbookForm(Family k) {
    const FamilySpec* f = findFamily(k);
    return f ? &f->textbook : nullptr;
}

std::vector<TextbookName> namesOfRow(const ExpressionSlot& slot) {
    std::vector<TextbookName> out;
    const TextbookForm* form = textbookForm(slot.kind);
    const FamilySpec* family = findFamily(slot.kind);
    if (!form || !form->names || !family) return out;
    const RowValues values = RowValues::of(slot);
    // The form asks the records box by box in the family's order; the extras hold at most ten.
    for (const BoxSpec& box : family->boxes) {
        bool ticked = false;
        for (int i = 0; i < slot.extraCount && i < kMaxExtras; ++i) ticked = ticked || slot.extras[i].sourceControl == box.id;
        if (!ticked) continue;
        for (TextbookName& n : form->names(box.id, values))
            if (out.size() < static_cast<std::size_t>(kMaxExtras)) out.push_back(std::move(n));
    }
    return out;
}

} // namespace yhb
