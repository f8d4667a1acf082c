// SPDX-License-Identifier: GPL-3.0-or-later
#include "items/draw_items.h"

#include <algorithm>

#include "gfx/cp936.h"

namespace yhb {

DrawItem::DrawItem(bool isBreakable) : breakable(isBreakable) {}

int DrawItem::splitCheck(int, int) const { return 0; }

void releaseItem(DrawItem* item) {
    if (!item) return;
    std::size_t size = item->allocSize;
    item->~DrawItem();
    itemPool().deallocate(item, size, alignof(std::max_align_t));
}

// ---- TextItem --------------------------------------------------------------

TextItem::TextItem(std::string utf8) : DrawItem(true), text(std::move(utf8)), cells_(cp936::cp936Width(text)) {}

// Whether the cells [from, from + n) hold an odd number of cells of two-cell characters, as
// the high bytes of CP936 text were counted.
int TextItem::splitCheck(int from, int n) const {
    const int start = std::max(from, 0), end = std::min<int>(start + n, charCount());
    int cell = 0, halves = 0;
    for (std::size_t i = 0, len = 1; i < text.size() && cell < end; i += len) {
        const int w = cp936::cellsOf(cp936::decodeAt(text, i, len));
        if (w == 2) halves += std::max(0, std::min(cell + 2, end) - std::max(cell, start));
        cell += w;
    }
    return halves % 2;
}

int TextItem::draw(Surface& s, int x, int y, int& lineHeight, int from, int to) const {
    int len = charCount();
    int end = to == 0 ? len : std::min(to, len);
    int start = std::clamp(from, 0, len);
    int n = std::max(end - start, 0);
    if (n > 0) {
        const std::size_t a = cp936::byteAtCell(text, start), b = cp936::byteAtCell(text, end);
        s.textOut(x, y, std::string_view(text).substr(a, b - a), CellFont{charHeight, charWidth});
    }
    lineHeight = charHeight + linePad;
    return advancePad + charWidth * n;
}

// ---- groups ------------------------------------------------------------------

GroupItem::GroupItem(int capacity, bool brace) : DrawItem(false), brace_(brace) {
    children_.reserve(static_cast<std::size_t>(std::max(capacity, 0)));
    if (brace) braceDepth = 1;
}

void takeDepthOf(DrawItem& parent, const DrawItem* child, bool brace) {
    if (!child) return;
    constexpr int kMost = INT16_MAX - 1;
    parent.depth = static_cast<std::int16_t>(std::max<int>(parent.depth, std::min<int>(child->depth, kMost) + 1));
    parent.braceDepth =
        static_cast<std::int16_t>(std::max<int>(parent.braceDepth, std::min<int>(child->braceDepth, kMost) + (brace ? 1 : 0)));
}

void GroupItem::add(DrawItem* child) {
    if (!child) return;
    children_.push_back(child);
    takeDepthOf(*this, child, brace_);
    grow(child);
}
void GroupItem::setColour(Colour c) {
    for (DrawItem* ch : children_) ch->setColour(c);
}
void GroupItem::setFontSize(int h, int w) {
    width_ = height_ = 0;
    for (DrawItem* ch : children_) {
        ch->setFontSize(h, w);
        grow(ch);
    }
}
int GroupItem::charCount() const {
    int n = 0;
    for (const DrawItem* ch : children_) n += ch->charCount();
    return n;
}

void RowItem::grow(const DrawItem* child) {
    height_ = std::max(height_, child->height());
    width_ += child->width();
}
int RowItem::draw(Surface& s, int x, int y, int& lineHeight, int from, int to) const {
    int cx = x;
    for (const DrawItem* ch : children_) cx += ch->draw(s, cx, y, lineHeight, from, to);
    return width();
}

void BraceItem::grow(const DrawItem* child) {
    height_ += child->height() + rowGap;
    width_ = std::max(width_, child->width());
}
int BraceItem::width() const {
    if (children_.empty()) return 0; // nothing to brace: acts as a line break
    return width_ + 8 * charWidth;
}
int BraceItem::draw(Surface& s, int x, int y, int& lineHeight, int from, int to) const {
    s.textOut(x, y, "｛", CellFont{height(), 4 * charWidth});
    // Each row goes below the rows before it, so rows of unequal height never overlap.
    int rowTop = y + rowGap;
    for (const DrawItem* ch : children_) {
        ch->draw(s, x + 8 * charWidth, rowTop, lineHeight, from, to);
        rowTop += ch->height();
    }
    return width();
}

// ---- FractionItem ------------------------------------------------------------

FractionItem::FractionItem(DrawItem* num, DrawItem* den) : DrawItem(false), numerator(num), denominator(den) {
    takeDepthOf(*this, num);
    takeDepthOf(*this, den);
}

int FractionItem::height() const { return numerator->height() + denominator->height(); }
void FractionItem::setColour(Colour c) {
    numerator->setColour(c);
    denominator->setColour(c);
    colour = c;
}
void FractionItem::setFontSize(int h, int w) {
    numerator->setFontSize(h / 2, w);
    denominator->setFontSize(h / 2, w);
    charWidth = w;
    charHeight = h;
}
int FractionItem::charCount() const { return std::max(numerator->charCount(), denominator->charCount()); }
int FractionItem::width() const { return std::max(numerator->width(), denominator->width()) + hMargin; }
int FractionItem::draw(Surface& s, int x, int y, int& lineHeight, int, int) const {
    int wf = width();
    int hn = numerator->height();
    int ignored = 0;
    numerator->draw(s, x + wf / 2 - numerator->width() / 2, y - vGap, ignored, 0, 0);
    s.moveTo(x, y + hn);
    s.lineTo(x + wf, y + hn);
    denominator->draw(s, x + wf / 2 - denominator->width() / 2, y + hn + vGap, ignored, 0, 0);
    lineHeight = charHeight + 2 * vGap;
    return wf;
}

// ---- RadicalItem -------------------------------------------------------------

RadicalItem::RadicalItem(DrawItem* c, DrawItem* i) : DrawItem(false), child(c), index(i) {
    takeDepthOf(*this, c);
    takeDepthOf(*this, i);
}

void RadicalItem::setColour(Colour c) {
    child->setColour(c);
    if (index) index->setColour(c);
    colour = c;
}
void RadicalItem::setFontSize(int h, int w) {
    child->setFontSize(h - topPad, w);
    if (index) index->setFontSize(h / 2, w / 2);
    charWidth = w;
    charHeight = h;
    childHeight = child->height();
}
int RadicalItem::charCount() const { return child->charCount(); }
int RadicalItem::width() const { return child->width() + rightPad + signWidth + indexRoom(); }
int RadicalItem::draw(Surface& s, int x, int y, int& lineHeight, int, int) const {
    int wc = child->width();
    int hc = childHeight;
    int ignored = 0;
    if (index) {
        index->draw(s, x, y + std::max(0, hc / 2 - index->height()), ignored, 0, 0);
        x += indexRoom();
    }
    const Point sign[5] = {{x, y + hc},
                           {x + signWidth / 3, y + 3 * (hc / 4)},
                           {x + signWidth / 2, y + hc},
                           {x + signWidth, y},
                           {x + signWidth + wc, y}};
    s.polyline(sign, 5);
    child->draw(s, x + signWidth, y + topPad, ignored, 0, 0);
    lineHeight = childHeight;
    return width();
}

// ---- scripts -----------------------------------------------------------------

SuperscriptItem::SuperscriptItem(DrawItem* b, DrawItem* e) : DrawItem(false), base(b), exponent(e) {
    takeDepthOf(*this, b);
    takeDepthOf(*this, e);
}

void SuperscriptItem::setColour(Colour c) {
    base->setColour(c);
    exponent->setColour(c);
    colour = c;
}
void SuperscriptItem::setFontSize(int h, int w) {
    base->setFontSize(h - shift, w);
    exponent->setFontSize((h / 3) * 2, (w / 3) * 2);
    charWidth = w;
    charHeight = h;
}
int SuperscriptItem::charCount() const { return base->charCount() + exponent->charCount(); }
int SuperscriptItem::width() const { return base->width() + exponent->width() + gap; }
int SuperscriptItem::draw(Surface& s, int x, int y, int& lineHeight, int, int) const {
    int wb = base->width();
    int ignored = 0;
    base->draw(s, x, y + shift, ignored, 0, 0);
    exponent->draw(s, x + wb + gap, y - shift, ignored, 0, 0);
    lineHeight = charHeight + shift;
    return width();
}

SubscriptItem::SubscriptItem(DrawItem* b, DrawItem* i) : DrawItem(false), base(b), index(i) {
    takeDepthOf(*this, b);
    takeDepthOf(*this, i);
}

void SubscriptItem::setColour(Colour c) {
    base->setColour(c);
    index->setColour(c);
    colour = c;
}
void SubscriptItem::setFontSize(int h, int w) {
    base->setFontSize(h - shift, w);
    index->setFontSize(h / 2, w / 2);
    charWidth = w;
    charHeight = h;
}
int SubscriptItem::charCount() const { return base->charCount() + index->charCount(); }
int SubscriptItem::width() const { return base->width() + index->width() + gap; }
int SubscriptItem::draw(Surface& s, int x, int y, int& lineHeight, int, int) const {
    int wb = base->width();
    int ignored = 0;
    base->draw(s, x, y, ignored, 0, 0);
    index->draw(s, x + wb + gap, y + charHeight / 2, ignored, 0, 0);
    lineHeight = shift + charHeight;
    return width();
}

} // namespace yhb
