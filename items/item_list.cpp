// SPDX-License-Identifier: GPL-3.0-or-later
#include "items/item_list.h"

#include <algorithm>

namespace yhb {

ItemList::ItemList(int initialCapacity) : initialReserve_(std::max(initialCapacity, 1)) {
    display_.reserve(static_cast<std::size_t>(initialReserve_));
    owned_.reserve(static_cast<std::size_t>(initialReserve_));
}

ItemList::~ItemList() { releaseOwned(); }

void ItemList::releaseOwned() {
    for (DrawItem* item : owned_) releaseItem(item);
    owned_.clear();
    display_.clear();
}

// The storage grows geometrically, so that a list of n items costs O(n) to build.
void ItemList::append(DrawItem* item) {
    if (!item) return;
    display_.push_back(item);
    owned_.push_back(item);
}

DrawItem* ItemList::removeAt(int position) {
    if (position < 1 || position > count()) return nullptr;
    auto it = display_.begin() + (position - 1);
    DrawItem* item = *it;
    display_.erase(it);
    return item;
}

std::vector<DrawItem*> ItemList::takeLast(int n) {
    n = std::clamp(n, 0, count());
    std::vector<DrawItem*> out(display_.end() - n, display_.end());
    display_.resize(display_.size() - static_cast<std::size_t>(n));
    return out;
}

void ItemList::clear() { releaseOwned(); }

void ItemList::takeFrom(ItemList& other) {
    if (&other == this) return;
    clear();
    lineGap = other.lineGap;
    initialReserve_ = other.initialReserve_;
    display_ = std::move(other.display_);
    owned_ = std::move(other.owned_);
    other.display_.clear();
    other.owned_.clear();
    // Room for as many items as a new list has.
    other.display_.reserve(static_cast<std::size_t>(other.initialReserve_));
    other.owned_.reserve(static_cast<std::size_t>(other.initialReserve_));
}

void ItemList::setFontSize(int charWidth, int charHeight) {
    for (DrawItem* item : display_) item->setFontSize(charHeight, charWidth);
}

int ItemList::charCount() const {
    int n = 0;
    for (const DrawItem* item : display_) n += item->charCount();
    return n;
}

int ItemList::measure(int width) const { return fill(nullptr, 0, 0, width); }

int ItemList::draw(Surface& s, int left, int top, int width, int) const {
    s.setBkMode(BkMode::Transparent);
    s.setTextColour(textColour);
    return top + fill(&s, left, top, width);
}

// The one set of line-filling rules; draws when `s` is given, else only measures.
int ItemList::fill(Surface* s, int left, int top, int W) const {
    int R = W, U = 0, L = 0;
    int lineHeight = 0;
    auto endLine = [&] {
        U += lineGap + L;
        L = 0;
        R = W;
    };
    auto takeHeight = [&](const DrawItem* item) { L = std::max(L, item->height()); };
    auto overflowMark = [&](const DrawItem* item) {
        if (!s) return;
        s->setBkMode(BkMode::Opaque);
        s->textOut(left + W - 3 * item->charWidth, top + U, "...", kSystemFont);
        s->setBkMode(BkMode::Transparent);
    };

    for (std::size_t i = 0; i < display_.size(); ++i) {
        const DrawItem* item = display_[i];
        const int w = item->width();
        if (w == 0) {
            endLine();
            continue;
        }
        if (w < R) {
            if (s)
                R -= item->draw(*s, left + (W - R), top + U, lineHeight, 0, 0);
            else
                R -= w;
            takeHeight(item);
            continue;
        }
        if (item->breakable) {
            const int chars = item->charCount();
            const int cw = item->charWidth;
            int from = 0;
            while (from < chars) {
                int n = cw > 0 ? R / cw : chars - from;
                if (item->splitCheck(from, n) == 1) n -= 1;
                if (n < chars - from) {
                    if (n >= 1) {
                        if (s) item->draw(*s, left + (W - R), top + U, lineHeight, from, from + n);
                        takeHeight(item);
                        endLine();
                    } else if (2 * cw > W) {
                        if (s) item->draw(*s, left + (W - R), top + U, lineHeight, 0, 0);
                        overflowMark(item);
                        takeHeight(item);
                        endLine();
                        break;
                    } else {
                        takeHeight(item);
                        endLine();
                    }
                } else {
                    if (s)
                        R -= item->draw(*s, left + (W - R), top + U, lineHeight, from, 0);
                    else
                        R -= (chars - from) * cw;
                    takeHeight(item);
                }
                from += std::max(n, 0);
            }
            continue;
        }
        if (w > W) {
            if (s) item->draw(*s, left + (W - R), top + U, lineHeight, 0, 0);
            overflowMark(item);
            takeHeight(item);
            endLine();
        } else if (w == W && R == W) {
            if (s) item->draw(*s, left + (W - R), top + U, lineHeight, 0, 0);
            takeHeight(item);
            endLine();
        } else {
            endLine();
            --i; // the same item again, on the new line
        }
    }
    return U + L + lineGap;
}

} // namespace yhb
