// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <vector>

#include "items/draw_items.h"

namespace yhb {

// A formula: the top-level items in reading order (`display`) and every item ever appended
// (`owned`), wrapped into lines of a given width when measured or drawn.
class ItemList {
public:
    explicit ItemList(int initialCapacity = 50);
    ~ItemList();
    ItemList(const ItemList&) = delete;
    ItemList& operator=(const ItemList&) = delete;

    void append(DrawItem* item);
    // Position counts from 1; null beyond the end. The item stays owned.
    DrawItem* removeAt(int position);
    // Removes the last `n` display items in order; they stay owned.
    std::vector<DrawItem*> takeLast(int n);
    int count() const { return static_cast<int>(display_.size()); }
    void clear();
    void takeFrom(ItemList& other);
    void setFontSize(int charWidth, int charHeight);
    int charCount() const;
    void setColour(Colour c) { textColour = c; }
    int measure(int width) const;
    int draw(Surface& s, int left, int top, int width, int height) const;

    DrawItem* at(int index) const { return display_[static_cast<std::size_t>(index)]; }
    const std::vector<DrawItem*>& display() const { return display_; }
    int ownedCount() const { return static_cast<int>(owned_.size()); }

    int lineGap = 4;
    Colour textColour = 0;

private:
    int fill(Surface* s, int left, int top, int width) const;
    void releaseOwned();

    int initialReserve_;
    std::vector<DrawItem*> display_;
    std::vector<DrawItem*> owned_;
};

} // namespace yhb
