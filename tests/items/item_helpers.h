// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "gfx/cp936.h"
#include "items/item_list.h"

namespace yhb::test {

// A TextItem of `text` (UTF-8) at the given size, appended to `list`.
inline TextItem* text(ItemList& list, const std::string& utf8, int h = 10, int w = 6) {
    auto* t = newItem<TextItem>(utf8);
    t->setFontSize(h, w);
    list.append(t);
    return t;
}

} // namespace yhb::test
