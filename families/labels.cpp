// SPDX-License-Identifier: GPL-3.0-or-later
#include "families/labels.h"

#include <cstdio>

#include "res/strings.h"

namespace yhb {

std::string formatNumber(double v) {
    v = unsignedZero(v, 1);
    char buf[512];
    int n = std::snprintf(buf, sizeof buf, "%.1f", v);
    if (n < 0 || n > 24) n = std::snprintf(buf, sizeof buf, "%.6g", v);
    return std::string(buf, static_cast<std::size_t>(n > 0 ? n : 0));
}

TextItem* labelText(ItemList& labels, const std::string& text, int height, int width) {
    auto* t = newItem<TextItem>(text);
    t->setFontSize(height, width);
    labels.append(t);
    return t;
}

TextItem* partText(ItemList& labels, const std::string& text) { return labelText(labels, text, 10, 6); }

SuperscriptItem* power(ItemList& labels, const std::string& base, const std::string& exponent) {
    partText(labels, base);
    partText(labels, exponent);
    auto parts = labels.takeLast(2);
    auto* s = newItem<SuperscriptItem>(parts[0], parts[1]);
    s->setFontSize(10, 6);
    s->setColour(0);
    labels.append(s);
    return s;
}

SuperscriptItem* square(ItemList& labels, const std::string& base) { return power(labels, base, "2"); }

FractionItem* fractionOfLastTwo(ItemList& labels, int height, int width) {
    if (labels.count() < 2) return nullptr;
    auto parts = labels.takeLast(2);
    auto* f = newItem<FractionItem>(parts[0], parts[1]);
    f->setFontSize(height, width);
    f->setColour(0);
    labels.append(f);
    return f;
}

} // namespace yhb
