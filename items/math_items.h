// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "items/draw_items.h"

// The marks school mathematics sets over and around a formula, drawn as strokes so that they
// take the size of what they mark: a vector's arrow and a bar over a group, and brackets,
// bars and braces that grow to the height of a fraction inside them.
namespace yhb {

// A line over its child, with an arrow head at its right end for a vector (AB⃗, a⃗).
class OverItem final : public DrawItem {
public:
    enum class Mark { Arrow, Bar };
    OverItem(Mark mark, DrawItem* child);
    int height() const override { return child->height() + rise; }
    void setColour(Colour c) override;
    void setFontSize(int h, int w) override;
    int charCount() const override { return child->charCount(); }
    int width() const override { return child->width() + 2; }
    int draw(Surface& s, int x, int y, int& lineHeight, int from, int to) const override;

    const Mark mark;
    DrawItem* child;
    int rise = 4; // room above the child for the mark
};

// Its child between two delimiters as tall as the child: ( ) [ ] | { } or none ('.').
class FencedItem final : public DrawItem {
public:
    FencedItem(char left, DrawItem* child, char right);
    int height() const override { return child->height(); }
    void setColour(Colour c) override;
    void setFontSize(int h, int w) override;
    int charCount() const override { return child->charCount() + 2; }
    int width() const override { return child->width() + sideWidth(left) + sideWidth(right); }
    int draw(Surface& s, int x, int y, int& lineHeight, int from, int to) const override;

    // The delimiters these items know.
    static bool isDelimiter(char c);

    const char left, right;
    DrawItem* child;

private:
    int sideWidth(char d) const;
    void drawDelimiter(Surface& s, char d, int x, int top, int bottom) const;
};

} // namespace yhb
