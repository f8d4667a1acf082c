// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/notation.h"

#include <QAction>

#include <algorithm>
#include <vector>

#include "families/textbook.h"
#include "items/math_layout.h"

namespace yhb {
namespace {

// Laid out at this size first; the labels' size then scales from it.
constexpr double kReferenceSize = 20.0;

math::Layout equationOf(const ExpressionSlot& slot, const Surface& measure, double size) {
    const TextbookForm* form = textbookForm(slot.kind);
    if (!form) return {};
    return math::layout(form->equation(RowValues::of(slot)), measure, size);
}

Colour rowColour(const ExpressionSlot& slot) {
    return SlotColours[static_cast<std::size_t>(slot.colourIndex >= 1 && slot.colourIndex <= 5 ? slot.colourIndex : 0)];
}

class ClassicLabels : public LabelPainter {
public:
    explicit ClassicLabels(int fontHeight) : fontHeight_(fontHeight) {}
    void draw(Surface& s, ExpressionSlot& slot, int, const MainLayout::Row& place) override {
        slot.labels.setFontSize(place.labelCharWidth, fontHeight_);
        slot.labels.setColour(SlotColours[static_cast<std::size_t>(slot.colourIndex)]);
        slot.labels.draw(s, place.label.x, place.label.y, place.label.width, place.label.height);
    }

private:
    int fontHeight_;
};

class TextbookLabels : public LabelPainter {
public:
    TextbookLabels(const ExpressionTable& table, const MainLayout& layout, const Surface& measure)
        : band_(layout.labelFontHeight) {
        const double size = textbookLabelSize(table, layout, measure);
        for (int r = 0; r < table.slotCount; ++r) layouts_.push_back(equationOf(table.slot(r), measure, size));
    }
    void draw(Surface& s, ExpressionSlot& slot, int row, const MainLayout::Row& place) override {
        if (row < 0 || static_cast<std::size_t>(row) >= layouts_.size()) return;
        const math::Layout& l = layouts_[static_cast<std::size_t>(row)];
        s.setTextColour(rowColour(slot));
        // Left-aligned, centred in the band between this row's buttons and the next row's.
        const double top = place.label.y + (band_ - l.height()) / 2;
        l.draw(s, place.label.x + 2, top + l.ascent);
        s.flush();
    }

private:
    int band_;
    std::vector<math::Layout> layouts_;
};

} // namespace

void toggleTextbook(ViewSettings& view) {
    if (view.presentation) return; // held on
    view.textbook = !view.textbook;
}

void showNotation(QAction& item, const ViewSettings& view) {
    item.setChecked(view.textbookNotation());
    item.setEnabled(!view.presentation);
}

double textbookLabelSize(const ExpressionTable& table, const MainLayout& layout, const Surface& measure) {
    // Widths and heights grow with the size: scale the reference layout to the tightest fit,
    // and no larger than the classic labels' own cells allow a line of text.
    double size = 0;
    bool any = false;
    for (int r = 0; r < table.slotCount && static_cast<std::size_t>(r) < layout.rows.size(); ++r) {
        const MainLayout::Row& place = layout.rows[static_cast<std::size_t>(r)];
        if (!place.drawLabel) continue;
        const math::Layout l = equationOf(table.slot(r), measure, kReferenceSize);
        if (l.width <= 0 || l.height() <= 0) continue;
        // A label's rectangle runs to the panel's foot; its own band is one classic line high.
        const double fit = std::min((place.label.width - 4) / l.width, layout.labelFontHeight / l.height()) * kReferenceSize;
        size = any ? std::min(size, fit) : fit;
        any = true;
    }
    if (!any) return 0;
    const double largest = std::max(layout.labelFontHeight, 8);
    return std::clamp(size, 6.0, largest);
}

std::unique_ptr<LabelPainter> labelPainterFor(const ViewSettings& view, const ExpressionTable& table,
                                              const MainLayout& layout, const Surface& measure) {
    if (view.textbookNotation()) return std::make_unique<TextbookLabels>(table, layout, measure);
    return std::make_unique<ClassicLabels>(layout.labelFontHeight);
}

} // namespace yhb
