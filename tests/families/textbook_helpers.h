// SPDX-License-Identifier: GPL-3.0-or-later
// A row as a teacher types it, and its textbook equation and names as text.
#pragma once
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "families/textbook.h"
#include "numbers/exact_value.h"

namespace yhb::test {

struct TypedRow {
    Family kind = Family::None;
    double p[10] = {};
    std::optional<ExactValue> exact[10];

    TypedRow(Family k, std::initializer_list<const char*> typed) : kind(k) {
        int i = 0;
        for (const char* t : typed) {
            NumberReading r = parseExact(t);
            p[i] = r.value;
            exact[i++] = r.exact;
        }
    }
    RowValues values() const { return RowValues{p, exact}; }

    math::Node equationTree() const { return textbookForm(kind)->equation(values()); }
    std::string equation(bool vulgar = false) const { return math::toUnicode(equationTree(), math::UnicodeStyle{vulgar}); }

    std::vector<TextbookName> namesOf(int box) const { return textbookForm(kind)->names(box, values()); }
    // The captions of one box, joined by spaces: "A₁(−2,0) A₂(2,0)".
    std::string names(int box, bool vulgar = false) const {
        std::string out;
        for (const TextbookName& n : namesOf(box)) out += (out.empty() ? "" : " ") + math::toUnicode(caption(n), math::UnicodeStyle{vulgar});
        return out;
    }
};

} // namespace yhb::test
