// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/parameter_form.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "families/labels.h"
#include "gfx/cp936.h"
#include "res/strings.h"

namespace yhb {

NumberReading readFieldNumber(const std::string& text) {
    return parseExact(cp936::foldNumberText(text).substr(0, ParameterForm::kFieldLimit), TextEncoding::Cp936);
}

double readField(const std::string& text) { return readFieldNumber(text).value; }

bool readWholeNumber(const std::string& cp936Text, double& out) {
    const std::string text = cp936::foldNumberText(cp936Text);
    const char* begin = text.c_str();
    char* end = nullptr;
    out = std::strtod(begin, &end);
    if (end == begin) return false;
    while (*end == ' ' || *end == '\t') ++end;
    return *end == '\0' && std::isfinite(out);
}

namespace {

bool readsOnlyExactly(const std::string& typed, double value) {
    const NumberReading r = readFieldNumber(typed);
    return r.isNumber && r.value == value &&
           std::atof(cp936::foldNumberText(typed).substr(0, ParameterForm::kFieldLimit).c_str()) != value;
}

} // namespace

ParameterForm::ParameterForm(Document& doc, const FamilySpec& family, Notifier& notifier)
    : fieldTexts(family.fields.size()), boxes(family.boxes.size(), false), doc_(doc), family_(family),
      state_(doc.familyState(family.kind)), notifier_(notifier) {}

void ParameterForm::initialise() {
    ExpressionTable& t = doc_.table;
    state_.targetRow = t.editMode == 1 ? t.slotCount : t.editRow;
    if (state_.targetRow < 0 || state_.targetRow >= kMaxSlots) state_.targetRow = 0;
    const ExpressionSlot& row = t.slot(state_.targetRow);
    for (std::size_t i = 0; i < family_.fields.size(); ++i) {
        fieldTexts[i] = formatNumber(t.editMode == 1 ? family_.fields[i].defaultValue : row.params[i]);
        // A form only the exact reader reads reopens as typed ("√3", "1/2"): the rounding to one
        // decimal that decimals reopen with would change it.
        if (t.editMode != 1 && i < row.typed.size() && readsOnlyExactly(row.typed[i], row.params[i]))
            fieldTexts[i] = row.typed[i];
    }
    std::fill(boxes.begin(), boxes.end(), false);
    if (!family_.boxes.empty())
        for (int j = 0; j < row.extraCount && j < kMaxExtras; ++j) setBox(row.extras[j].sourceControl, true);
}

bool ParameterForm::boxChecked(int id) const {
    for (std::size_t i = 0; i < family_.boxes.size(); ++i)
        if (family_.boxes[i].id == id) return boxes[i];
    return false;
}

void ParameterForm::setBox(int id, bool checked) {
    for (std::size_t i = 0; i < family_.boxes.size(); ++i)
        if (family_.boxes[i].id == id) boxes[i] = checked;
}

std::string ParameterForm::refusal() const {
    for (std::size_t i = 0; i < fieldTexts.size(); ++i) {
        const NumberReading r = readFieldNumber(fieldTexts[i]);
        if (r.finite) continue;
        std::string name = family_.fields[i].label;
        if (!name.empty() && name.back() == '=') name.pop_back();
        return name + "：" + r.message;
    }
    if (!family_.validatesCircle) return {};
    const double d = readField(fieldTexts[0]), e = readField(fieldTexts[1]), f = readField(fieldTexts[2]);
    const double v = d * d + e * e - 4 * f;
    return std::isfinite(v) && v > 0 ? std::string() : utf8String(StringId::CircleRefused);
}

bool ParameterForm::apply() {
    double p[10] = {};
    std::optional<ExactValue> exact[10];
    for (std::size_t i = 0; i < family_.fields.size() && i < 10; ++i) {
        NumberReading r = readFieldNumber(fieldTexts[i]);
        p[i] = r.value;
        exact[i] = std::move(r.exact);
    }

    // Checked before the row is touched, so a refused modification keeps the expression.
    const std::string refused = refusal();
    if (!refused.empty()) {
        notifier_.message(appTitleUtf8(), refused, messageOwner);
        return false;
    }

    ExpressionTable& t = doc_.table;
    const int r = state_.targetRow;
    // The trail is of the row, not of one set of coefficients: it outlives the rewrite.
    RowTrail trail = std::move(t.slot(r).trail);
    t.resetSlot(r);
    ExpressionSlot& row = t.slot(r);
    row.trail = std::move(trail);
    row.kind = family_.kind;
    row.colourIndex = t.allocateColour();
    for (int i = 0; i < 10; ++i) {
        row.params[i] = p[i];
        row.exactParams[i] = exact[i];
    }
    row.twoBranches = family_.twoBranches;
    for (std::size_t i = 0; i < family_.boxes.size(); ++i) {
        if (!boxes[i] || !family_.records) continue;
        RecordSink sink(row, family_.boxes[i].id);
        family_.records(family_.boxes[i].id, p, sink);
    }
    family_.label(p, row.labels, doc_.metrics);
    row.typed = fieldTexts;

    if (t.editMode == 1 && state_.claimPending == 1) {
        state_.claimPending = 0;
        state_.targetRow = t.slotCount;
        ++t.slotCount;
    }
    if (repaintCanvas) repaintCanvas();
    return true;
}

bool ParameterForm::ok() {
    if (!apply()) return false; // the dialog stays open on its message
    state_.claimPending = 1;
    return true;
}

void ParameterForm::cancel() { state_.claimPending = 1; }

} // namespace yhb
