// SPDX-License-Identifier: GPL-3.0-or-later
#include "items/math_items.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace yhb {

// ---- OverItem ------------------------------------------------------------------

OverItem::OverItem(Mark m, DrawItem* c) : DrawItem(false), mark(m), child(c) { takeDepthOf(*this, c); }

void OverItem::setColour(Colour c) {
    child->setColour(c);
    colour = c;
}

void OverItem::setFontSize(int h, int w) {
    child->setFontSize(h, w);
    charWidth = w;
    charHeight = h;
    rise = std::max(4, h / 3);
}

int OverItem::draw(Surface& s, int x, int y, int& lineHeight, int, int) const {
    int ignored = 0;
    child->draw(s, x + 1, y + rise, ignored, 0, 0);
    const int lineY = y + rise / 2, right = x + 1 + child->width();
    s.moveTo(x + 1, lineY);
    s.lineTo(right, lineY);
    if (mark == Mark::Arrow) {
        // The head's lower half ends above the child's top.
        const int head = std::max(1, rise - rise / 2 - 1);
        s.moveTo(right - 2 * head, lineY - head);
        s.lineTo(right, lineY);
        s.lineTo(right - 2 * head, lineY + head);
    }
    lineHeight = height();
    return width();
}

// ---- FencedItem ------------------------------------------------------------------

FencedItem::FencedItem(char l, DrawItem* c, char r) : DrawItem(false), left(l), right(r), child(c) {
    takeDepthOf(*this, c);
}

bool FencedItem::isDelimiter(char c) { return c != '\0' && std::strchr("()[]|{}.", c) != nullptr; }

void FencedItem::setColour(Colour c) {
    child->setColour(c);
    colour = c;
}

void FencedItem::setFontSize(int h, int w) {
    child->setFontSize(h, w);
    charWidth = w;
    charHeight = h;
}

int FencedItem::sideWidth(char d) const {
    if (d == '.') return 0;
    return d == '|' ? std::max(3, charWidth / 2 + 1) : std::max(4, charWidth);
}

// Strokes within [x, x + sideWidth) from `top` to `bottom`.
void FencedItem::drawDelimiter(Surface& s, char d, int x, int top, int bottom) const {
    const int w = sideWidth(d);
    const int mid = (top + bottom) / 2, h = bottom - top;
    const int inner = x + w - 1, outer = x + 1;
    switch (d) {
    case '(':
    case ')': {
        // A bow: from the inner side at the ends to the outer side in the middle, along a
        // parabola, so that it reads as a round bracket rather than an angle.
        const bool open = d == '(';
        const int a = open ? inner : outer, b = open ? outer : inner;
        constexpr int kSteps = 8;
        Point bow[kSteps + 1];
        for (int i = 0; i <= kSteps; ++i) {
            const double t = 2.0 * i / kSteps - 1.0; // -1 at the top, 1 at the bottom
            bow[i] = {a + static_cast<int>(std::lround((b - a) * (1.0 - t * t))), top + (h * i + kSteps / 2) / kSteps};
        }
        s.polyline(bow, kSteps + 1);
        break;
    }
    case '[':
    case ']': {
        const int a = d == '[' ? inner : outer, b = d == '[' ? outer : inner;
        const Point square[4] = {{a, top}, {b, top}, {b, bottom}, {a + (a > b ? 1 : -1), bottom}};
        s.polyline(square, 4);
        break;
    }
    case '|':
        s.moveTo(x + w / 2, top);
        s.lineTo(x + w / 2, bottom + 1);
        break;
    case '{':
    case '}': {
        const int a = d == '{' ? inner : outer, b = d == '{' ? outer : inner, c = (a + b) / 2;
        const Point brace[7] = {{a, top}, {c, top + 2}, {c, mid - 2}, {b, mid}, {c, mid + 2}, {c, bottom - 2}, {a, bottom}};
        s.polyline(brace, 7);
        break;
    }
    default: break;
    }
}

int FencedItem::draw(Surface& s, int x, int y, int& lineHeight, int, int) const {
    const int h = child->height();
    const int lw = sideWidth(left);
    drawDelimiter(s, left, x, y, y + h - 1);
    int ignored = 0;
    child->draw(s, x + lw, y, ignored, 0, 0);
    drawDelimiter(s, right, x + lw + child->width(), y, y + h - 1);
    lineHeight = h;
    return width();
}

} // namespace yhb
