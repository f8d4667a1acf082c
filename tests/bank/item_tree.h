// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "items/item_list.h"
#include "items/math_items.h"

namespace yhb::test {

// A question's items written out so that two lists that draw the same compare equal: texts
// side by side are one text, and a group inside a formula (a fraction's part, a script, a row
// of a system) is its contents, as a group draws them. At the top, where a group is kept
// whole on a line, it shows as "(…)", and an item of no width (a line break) as "⏎".
inline std::string treeOf(const DrawItem* item, bool top = false) {
    if (auto* t = dynamic_cast<const TextItem*>(item)) return t->text;
    if (auto* f = dynamic_cast<const FractionItem*>(item)) return "frac(" + treeOf(f->numerator) + "," + treeOf(f->denominator) + ")";
    if (auto* s = dynamic_cast<const SuperscriptItem*>(item)) return "sup(" + treeOf(s->base) + "," + treeOf(s->exponent) + ")";
    if (auto* s = dynamic_cast<const SubscriptItem*>(item)) return "sub(" + treeOf(s->base) + "," + treeOf(s->index) + ")";
    if (auto* r = dynamic_cast<const RadicalItem*>(item))
        return (r->index ? "root[" + treeOf(r->index) + "](" : "sqrt(") + treeOf(r->child) + ")";
    if (auto* f = dynamic_cast<const FencedItem*>(item)) return std::string("fence") + f->left + treeOf(f->child) + f->right;
    if (auto* o = dynamic_cast<const OverItem*>(item))
        return (o->mark == OverItem::Mark::Arrow ? "vec(" : "bar(") + treeOf(o->child) + ")";
    if (auto* b = dynamic_cast<const BraceItem*>(item)) {
        std::string out = "cases(";
        for (std::size_t i = 0; i < b->children().size(); ++i) out += (i ? "|" : "") + treeOf(b->children()[i]);
        return out + ")";
    }
    if (auto* g = dynamic_cast<const GroupItem*>(item)) {
        std::string out;
        for (const DrawItem* ch : g->children()) out += treeOf(ch);
        return top ? "(" + out + ")" : out;
    }
    return "?";
}

inline std::string treeOf(const ItemList& list) {
    std::string out;
    for (const DrawItem* item : list.display()) out += item->width() == 0 ? std::string("⏎") : treeOf(item, true);
    return out;
}

} // namespace yhb::test
