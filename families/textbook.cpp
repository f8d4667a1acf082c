// SPDX-License-Identifier: GPL-3.0-or-later
#include "families/textbook.h"

#include "families/family_table.h"
#include "families/textbook_forms.h"
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

const TextbookForm* textbookForm(int k) {
    using namespace textbook;
    struct Entry {
        int kind;
        TextbookForm form;
    };
    static const Entry table[] = {
        {kind::SlopeIntercept, {slopeInterceptEquation, nullptr}},
        {kind::PointSlope, {pointSlopeEquation, pointSlopeNames}},
        {kind::TwoPoint, {twoPointEquation, twoPointNames}},
        {kind::Intercept, {interceptEquation, nullptr}},
        {kind::GeneralLine, {generalLineEquation, nullptr}},
        {kind::Sin, {sinEquation, nullptr}},
        {kind::Cos, {cosEquation, nullptr}},
        {kind::Tan, {tanEquation, nullptr}},
        {kind::EllipseX, {ellipseXEquation, ellipseXNames}},
        {kind::EllipseY, {ellipseYEquation, ellipseYNames}},
        {kind::HyperbolaX, {hyperbolaXEquation, hyperbolaXNames}},
        {kind::HyperbolaY, {hyperbolaYEquation, hyperbolaYNames}},
        {kind::ParabolaRight, {parabolaRightEquation, parabolaRightNames}},
        {kind::ParabolaLeft, {parabolaLeftEquation, parabolaLeftNames}},
        {kind::ParabolaUp, {parabolaUpEquation, parabolaUpNames}},
        {kind::ParabolaDown, {parabolaDownEquation, parabolaDownNames}},
        {kind::ParabolaGeneral, {parabolaGeneralEquation, nullptr}},
        {kind::CircleOrigin, {circleOriginEquation, nullptr}},
        {kind::CircleCentre, {circleCentreEquation, circleCentreNames}},
        {kind::CircleGeneral, {circleGeneralEquation, circleGeneralNames}},
        {kind::Exponential, {exponentialEquation, nullptr}},
        {kind::Logarithm, {logarithmEquation, nullptr}},
    };
    for (const Entry& e : table)
        if (e.kind == k) return &e.form;
    return nullptr;
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
