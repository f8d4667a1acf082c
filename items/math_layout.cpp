// SPDX-License-Identifier: GPL-3.0-or-later
#include "items/math_layout.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace yhb::math {
namespace {

// Spaces in ems, as a textbook's typesetting sets them.
constexpr double kThin = 3.0 / 18, kMedium = 4.0 / 18, kThick = 5.0 / 18;

bool isLatin(const std::string& s) {
    if (s.empty()) return false;
    for (char c : s)
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))) return false;
    return true;
}

void place(Layout& into, const Layout& part, double dx, double dy) {
    for (Layout::Run r : part.runs) {
        r.x += dx;
        r.baseline += dy;
        into.runs.push_back(std::move(r));
    }
    for (Layout::Rule r : part.rules) {
        r.x0 += dx;
        r.x1 += dx;
        r.y0 += dy;
        r.y1 += dy;
        into.rules.push_back(r);
    }
}

class Setter {
public:
    Setter(const Surface& s, double base) : s_(s), base_(base) {}

    Layout set(const Node& n, double size) const {
        switch (n.kind) {
        case NodeKind::Row: return row(n.children, size);
        case NodeKind::Identifier: return text(n.text, {size, isLatin(n.text)});
        case NodeKind::Number: return text(n.text, {size, false});
        case NodeKind::Operator: return text(n.text, {size, false});
        case NodeKind::Function: return function(n, size);
        case NodeKind::Fraction: return fraction(n, size);
        case NodeKind::Superscript: return script(n, size, true);
        case NodeKind::Subscript: return script(n, size, false);
        case NodeKind::Root: return root(n, size);
        case NodeKind::Brackets: return brackets(n, size);
        case NodeKind::Vector: return over(n, size, true);
        case NodeKind::Overline: return over(n, size, false);
        }
        return {};
    }

private:
    Layout text(const std::string& t, TextStyle style) const {
        const TextExtent e = s_.measureText(t, style);
        Layout l;
        l.width = e.width;
        l.ascent = e.ascent;
        l.descent = e.descent;
        l.runs.push_back({0, 0, t, style});
        return l;
    }

    static void append(Layout& l, const Layout& part, double gapBefore) {
        place(l, part, l.width + gapBefore, 0);
        l.width += gapBefore + part.width;
        l.ascent = std::max(l.ascent, part.ascent);
        l.descent = std::max(l.descent, part.descent);
    }

    Layout row(const std::vector<Node>& children, double size) const {
        Layout l;
        double pending = 0; // space owed after the previous operator
        for (std::size_t i = 0; i < children.size(); ++i) {
            const Node& c = children[i];
            double before = pending, after = 0;
            if (c.kind == NodeKind::Operator) {
                // A binary operator with nothing before it is a sign.
                const bool leading = i == 0 || (children[i - 1].kind == NodeKind::Operator &&
                                                children[i - 1].spacing != Spacing::Punctuation);
                switch (c.spacing) {
                case Spacing::Binary:
                    if (!leading) before = after = kMedium * size;
                    break;
                case Spacing::Relation: before = after = kThick * size; break;
                case Spacing::Prefix: break;
                case Spacing::Punctuation: after = c.text == ":" ? kThick * size : kThin * size / 2; break;
                }
                if (size < base_) before = after = std::min(before, kThin * size); // tighter in scripts
            }
            append(l, set(c, size), i == 0 ? 0 : before);
            pending = after;
        }
        return l;
    }

    Layout function(const Node& n, double size) const {
        Layout l = text(n.text, {size, false});
        if (n.children.empty()) return l;
        const Node& arg = n.children[0];
        append(l, set(arg, size), arg.kind == NodeKind::Brackets ? 0 : kThin * size);
        return l;
    }

    double partSize(double size, double shrink, double least) const { return std::max(size * shrink, base_ * least); }
    // Where a fraction bar sits: at the middle of a minus sign.
    double axis(double size) const { return 0.3 * size; }
    double ruleWidth(double size) const { return std::max(size / 16.0, 0.75); }

    Layout fraction(const Node& n, double size) const {
        const double part = partSize(size, 0.8, kFractionPartRatio);
        const Layout num = set(n.children[0], part), den = set(n.children[1], part);
        const double rule = ruleWidth(size), gap = std::max(0.12 * size, rule), pad = 0.12 * size;
        Layout l;
        l.width = std::max(num.width, den.width) + 2 * pad;
        const double bar = -axis(size); // y of the bar, downwards positive
        place(l, num, (l.width - num.width) / 2, bar - rule / 2 - gap - num.descent);
        place(l, den, (l.width - den.width) / 2, bar + rule / 2 + gap + den.ascent);
        l.rules.push_back({pad / 2, bar, l.width - pad / 2, bar, rule});
        l.ascent = -bar + rule / 2 + gap + num.height();
        l.descent = bar + rule / 2 + gap + den.height();
        return l;
    }

    Layout script(const Node& n, double size, bool raised) const {
        Layout l = set(n.children[0], size);
        const Layout s = set(n.children[1], partSize(size, 0.7, kScriptRatio));
        // An exponent's baseline a little below the top of the base; an index's a little below
        // the base's baseline.
        const double shift = raised ? -std::max(0.42 * size, l.ascent - 0.55 * s.ascent) : std::max(0.22 * size, l.descent - 0.3 * s.descent);
        // An italic letter leans over its right edge: an exponent steps past it.
        const bool leaning = raised && n.children[0].kind == NodeKind::Identifier && isLatin(n.children[0].text);
        const double gap = (leaning ? 0.12 : 0.04) * size;
        place(l, s, l.width + gap, shift);
        l.width += gap + s.width;
        l.ascent = std::max(l.ascent, s.ascent - shift);
        l.descent = std::max(l.descent, s.descent + shift);
        return l;
    }

    Layout root(const Node& n, double size) const {
        const Layout in = set(n.children[0], size);
        const double rule = ruleWidth(size), gap = 0.14 * size;
        const double top = -(in.ascent + gap), bottom = in.descent;
        const double sign = 0.55 * size;
        Layout l;
        // The sign: a short stroke up to the left, down to the bottom, up to the bar.
        const double mid = bottom - 0.45 * (bottom - top);
        l.rules.push_back({0.05 * size, mid + 0.08 * size, 0.18 * size, mid, rule});
        l.rules.push_back({0.18 * size, mid, 0.32 * size, bottom, rule * 1.4});
        l.rules.push_back({0.32 * size, bottom, sign, top, rule});
        l.rules.push_back({sign, top, sign + in.width + 0.1 * size, top, rule});
        place(l, in, sign + 0.05 * size, 0);
        l.width = sign + in.width + 0.15 * size;
        l.ascent = -top + rule;
        l.descent = bottom;
        return l;
    }

    Layout brackets(const Node& n, double size) const {
        const Layout in = set(n.children[0], size);
        const Layout open = text("(", {size, false});
        // Glyph brackets while the inside is no taller than a line of text; drawn ones that
        // span it otherwise.
        if (in.ascent <= open.ascent * 1.35 && in.descent <= open.descent * 1.3) {
            Layout l = open;
            append(l, in, 0);
            append(l, text(")", {size, false}), 0);
            return l;
        }
        const double top = -in.ascent - 0.05 * size, bottom = in.descent + 0.05 * size;
        const double w = 0.35 * size, bulge = 0.2 * size, rule = ruleWidth(size) * 1.2;
        Layout l;
        auto arc = [&](double x, double dir) { // dir 1: bulges left
            constexpr int kSteps = 8;
            for (int i = 0; i < kSteps; ++i) {
                const double t0 = double(i) / kSteps, t1 = double(i + 1) / kSteps;
                const double y0 = top + (bottom - top) * t0, y1 = top + (bottom - top) * t1;
                const double x0 = x - dir * bulge * std::sin(t0 * M_PI), x1 = x - dir * bulge * std::sin(t1 * M_PI);
                l.rules.push_back({x0, y0, x1, y1, rule});
            }
        };
        arc(w * 0.85, 1);
        place(l, in, w, 0);
        arc(w + in.width + w * 0.15, -1);
        l.width = 2 * w + in.width;
        l.ascent = -top;
        l.descent = bottom;
        return l;
    }

    // A bar drawn over the inside, as wide as it, and for a vector an arrowhead at its right end.
    Layout over(const Node& n, double size, bool arrow) const {
        Layout l = set(n.children[0], size);
        const double rule = ruleWidth(size), gap = 0.1 * size, head = arrow ? 0.12 * size : 0;
        const double y = -(l.ascent + gap + head);
        const double x0 = 0.05 * size, x1 = std::max(l.width - 0.02 * size, x0 + 0.3 * size);
        l.rules.push_back({x0, y, x1, y, rule});
        if (arrow) {
            l.rules.push_back({x1 - 1.6 * head, y - head, x1, y, rule});
            l.rules.push_back({x1 - 1.6 * head, y + head, x1, y, rule});
        }
        l.width = std::max(l.width, x1 + 0.02 * size);
        l.ascent = -y + head + rule;
        return l;
    }

    const Surface& s_;
    double base_;
};

} // namespace

Layout layout(const Node& node, const Surface& s, double size) { return Setter(s, size).set(node, size); }

void Layout::draw(Surface& s, double x, double baseline) const {
    for (const Run& r : runs) s.drawText(x + r.x, baseline + r.baseline, r.text, r.style);
    for (const Rule& r : rules) s.drawRule(x + r.x0, baseline + r.y0, x + r.x1, baseline + r.y1, r.width);
}

} // namespace yhb::math
