// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "gfx/surface.h"
#include "items/memory_pool.h"

namespace yhb {

class DrawItem {
public:
    explicit DrawItem(bool breakable);
    virtual ~DrawItem() = default;
    DrawItem(const DrawItem&) = delete;
    DrawItem& operator=(const DrawItem&) = delete;

    virtual int height() const { return charHeight; }
    // 1 when cutting after n cells from `from` would split a two-cell character.
    virtual int splitCheck(int from, int n) const;
    virtual void setColour(Colour c) = 0;
    virtual void setFontSize(int height, int width) = 0;
    virtual int charCount() const = 0;
    virtual int width() const = 0;
    // Draws with the top-left corner at (x, y); returns the horizontal advance. `from` and
    // `to` select cells of a text (0, 0: all of it).
    virtual int draw(Surface& s, int x, int y, int& lineHeight, int from, int to) const = 0;

    const bool breakable;
    int charWidth = 6;
    int charHeight = 10;
    Colour colour = 0;
    // Levels of items down to the deepest text (1 for a text), and of braces on that way: the
    // reader keeps both bounded, so drawing and sizing never recurse without end.
    std::int16_t depth = 1;
    std::int16_t braceDepth = 0;

    std::size_t allocSize = 0; // set by newItem
};

// A run of text in UTF-8; its "characters" are cells, as many as the text's CP936 bytes.
class TextItem final : public DrawItem {
public:
    explicit TextItem(std::string utf8);
    int splitCheck(int from, int n) const override;
    void setColour(Colour c) override { colour = c; }
    void setFontSize(int h, int w) override { charHeight = h; charWidth = w; }
    int charCount() const override { return cells_; }
    int width() const override { return charCount() * charWidth; }
    int draw(Surface& s, int x, int y, int& lineHeight, int from, int to) const override;

    const std::string text;
    int advancePad = 0;
    int linePad = 0;

private:
    int cells_;
};

// Children are referred to, never owned: the ItemList they were appended to owns them.
// A group's width and height are kept as its children are added and sized, so that measuring
// a group costs the same however much it holds: a child's size changes only through
// setFontSize, which reaches it through its group.
class GroupItem : public DrawItem {
public:
    GroupItem(int capacity, bool brace);
    void add(DrawItem* child);
    void setColour(Colour c) override;
    void setFontSize(int h, int w) override;
    int charCount() const override;
    int height() const override { return height_; }
    const std::vector<DrawItem*>& children() const { return children_; }

protected:
    // Takes one more child's size into the group's.
    virtual void grow(const DrawItem* child) = 0;

    std::vector<DrawItem*> children_;
    int width_ = 0;
    int height_ = 0;

private:
    const bool brace_;
};

class RowItem final : public GroupItem {
public:
    explicit RowItem(int capacity) : GroupItem(capacity, false) {}
    int width() const override { return width_; }
    int draw(Surface& s, int x, int y, int& lineHeight, int from, int to) const override;

private:
    void grow(const DrawItem* child) override;
};

// A tall left brace with its rows stacked: a system of equations.
class BraceItem final : public GroupItem {
public:
    explicit BraceItem(int capacity) : GroupItem(capacity, true) {}
    int width() const override;
    int draw(Surface& s, int x, int y, int& lineHeight, int from, int to) const override;
    static constexpr int rowGap = 4;

private:
    void grow(const DrawItem* child) override;
};

// Depth of an item over `child`, never past what the fields hold.
void takeDepthOf(DrawItem& parent, const DrawItem* child, bool brace = false);

class FractionItem final : public DrawItem {
public:
    FractionItem(DrawItem* numerator, DrawItem* denominator);
    int height() const override;
    void setColour(Colour c) override;
    void setFontSize(int h, int w) override;
    int charCount() const override;
    int width() const override;
    int draw(Surface& s, int x, int y, int& lineHeight, int from, int to) const override;

    DrawItem* numerator;
    DrawItem* denominator;
    int hMargin = 2;
    int vGap = 1;
};

// A square root, or with an index (³√x) an n-th root: the index sits small in the sign's hook.
class RadicalItem final : public DrawItem {
public:
    explicit RadicalItem(DrawItem* child, DrawItem* index = nullptr);
    int height() const override { return childHeight; }
    void setColour(Colour c) override;
    void setFontSize(int h, int w) override;
    int charCount() const override;
    int width() const override;
    int draw(Surface& s, int x, int y, int& lineHeight, int from, int to) const override;

    DrawItem* child;
    DrawItem* index;
    int rightPad = 1;
    int topPad = 1;
    int signWidth = 10;
    int childHeight = 0;

private:
    // How far the sign moves right to leave the index room.
    int indexRoom() const { return index ? std::max(0, index->width() - signWidth / 2) : 0; }
};

class SuperscriptItem final : public DrawItem {
public:
    SuperscriptItem(DrawItem* base, DrawItem* exponent);
    void setColour(Colour c) override;
    void setFontSize(int h, int w) override;
    int charCount() const override;
    int width() const override;
    int draw(Surface& s, int x, int y, int& lineHeight, int from, int to) const override;

    DrawItem* base;
    DrawItem* exponent;
    int gap = 1;
    int shift = 2;
};

class SubscriptItem final : public DrawItem {
public:
    SubscriptItem(DrawItem* base, DrawItem* index);
    void setColour(Colour c) override;
    void setFontSize(int h, int w) override;
    int charCount() const override;
    int width() const override;
    int draw(Surface& s, int x, int y, int& lineHeight, int from, int to) const override;

    DrawItem* base;
    DrawItem* index;
    int gap = 1;
    int shift = 2;
};

// Items come from the item pool; an ItemList releases them.
template <class T, class... Args>
T* newItem(Args&&... args) {
    void* p = itemPool().allocate(sizeof(T), alignof(std::max_align_t));
    T* item = new (p) T(std::forward<Args>(args)...);
    item->allocSize = sizeof(T);
    return item;
}
void releaseItem(DrawItem* item);

} // namespace yhb
