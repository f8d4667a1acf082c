// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/sheet_inline.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "bank/sheet_tokens.h"
#include "gfx/cp936.h"
#include "items/math_items.h"

namespace yhb::sheet {
namespace {

using math::Node;
using math::NodeKind;
using math::Spacing;

// Space between Chinese and a formula beside it, in ems.
constexpr double kMixedGap = 0.2;

// Appends `part` to the right of `l`.
void append(math::Layout& l, const math::Layout& part, double gap = 0) {
    const double dx = l.width + gap;
    for (math::Layout::Run r : part.runs) {
        r.x += dx;
        l.runs.push_back(std::move(r));
    }
    for (math::Layout::Rule r : part.rules) {
        r.x0 += dx;
        r.x1 += dx;
        l.rules.push_back(r);
    }
    l.width = dx + part.width;
    l.ascent = std::max(l.ascent, part.ascent);
    l.descent = std::max(l.descent, part.descent);
}

class Converter {
public:
    Converter(const Surface& s, double size, double lineWidth) : s_(s), size_(size), lineWidth_(lineWidth) {}

    std::vector<Paragraph> run(const std::vector<DrawItem*>& items) {
        out_.emplace_back();
        for (const DrawItem* item : items) {
            if (const auto* t = dynamic_cast<const TextItem*>(item)) {
                if (t->text.empty()) {
                    flush();
                    out_.emplace_back();
                    continue;
                }
                text(t->text);
            } else if (const auto* b = dynamic_cast<const BraceItem*>(item)) {
                closeRow();
                parts_.push_back(system(*b));
            } else if (const TextItem* base = proseBase(item)) {
                // The postfix markup scripts a whole text line ("焦点F" "1" "xb"): the words go
                // as text, the script only on the formula at its end.
                const std::size_t cut = formulaTail(base->text);
                text(std::string_view(base->text).substr(0, cut));
                const auto* up = dynamic_cast<const SuperscriptItem*>(item);
                const auto* down = dynamic_cast<const SubscriptItem*>(item);
                std::vector<Node> tail;
                tokenize(std::string_view(base->text).substr(cut), tail);
                Node script = nodeOf(up ? up->exponent : down->index);
                row_.push_back(up ? math::superscript(rowOf(std::move(tail)), std::move(script))
                                  : math::subscript(rowOf(std::move(tail)), std::move(script)));
            } else {
                row_.push_back(nodeOf(item));
            }
        }
        flush();
        // Space between Chinese and the formulas beside it.
        for (Paragraph& p : out_)
            for (std::size_t i = 1; i < p.size(); ++i) {
                Atom& a = p[i];
                const Atom& before = p[i - 1];
                const bool mixed = (a.kind == Atom::Kind::Formula && before.kind == Atom::Kind::Text && !before.noEnd && !before.noStart) ||
                                   (a.kind == Atom::Kind::Text && before.kind == Atom::Kind::Formula && !a.noStart && !a.noEnd);
                if (mixed && a.gapBefore == 0) a.gapBefore = kMixedGap * size_;
            }
        return std::move(out_);
    }

    void text(std::string_view t) {
        std::size_t i = 0;
        while (i < t.size()) {
            std::size_t n = 1;
            const char32_t c = cp936::decodeAt(t, i, n);
            if (c == '_' || c == 0xFF3F) { // a blank to fill in, however many strokes
                flush();
                while (i < t.size()) {
                    std::size_t m = 1;
                    const char32_t d = cp936::decodeAt(t, i, m);
                    if (d != '_' && d != 0xFF3F) break;
                    i += m;
                }
                out_.back().push_back(blankAtom(s_, size_));
                continue;
            }
            if (isMathChar(c) || (c == ' ' && (!pendingText_.empty() || !row_.empty()))) {
                pendingText_.append(t.substr(i, n));
                i += n;
                continue;
            }
            takePending(false);
            flush();
            if (c != ' ') out_.back().push_back(textAtom(std::string(t.substr(i, n))));
            i += n;
        }
        takePending(true);
    }

    void flush() {
        takePending(false);
        closeRow();
        if (parts_.empty()) return;
        if (parts_.size() == 1 && parts_.front().width > lineWidth_ && !split_.empty()) {
            emitSplit();
        } else {
            math::Layout l;
            for (const math::Layout& p : parts_) append(l, p);
            out_.back().push_back(formulaAtom(std::move(l)));
        }
        parts_.clear();
        split_.clear();
    }

private:
    // The formula characters collected from a text; `open` when the formula may go on into
    // the next item (a fraction or a script after them).
    void takePending(bool open) {
        if (pendingText_.empty()) return;
        std::string t = std::move(pendingText_);
        pendingText_.clear();
        while (!t.empty() && t.back() == ' ') t.pop_back();
        // Prose punctuation left alone is text: "解答与分析:".
        bool mathematical = !row_.empty() || !parts_.empty();
        for (char c : t)
            if (std::isalnum(static_cast<unsigned char>(c)) || static_cast<unsigned char>(c) >= 0x80 || std::strchr("+-=<>()[]|/*^", c))
                mathematical = true;
        std::string trailing;
        if (!open)
            while (!t.empty() && (t.back() == '.' || t.back() == ':' || t.back() == '?' || t.back() == '!')) {
                trailing.insert(trailing.begin(), t.back());
                t.pop_back();
            }
        if (!mathematical) {
            flush();
            for (char c : t + trailing) out_.back().push_back(textAtom(std::string(1, c)));
            return;
        }
        tokenize(t, row_);
        if (!trailing.empty()) {
            flush();
            for (char c : trailing) out_.back().push_back(textAtom(std::string(1, c)));
        }
    }

    void closeRow() {
        if (row_.empty()) return;
        Node r;
        r.kind = NodeKind::Row;
        r.children = std::move(row_);
        row_.clear();
        if (parts_.empty()) split_ = r.children;
        else split_.clear();
        parts_.push_back(math::layout(r, s_, size_));
    }

    // A formula too wide for a line, cut after each of its relations.
    void emitSplit() {
        std::vector<Node> chunk;
        auto emit = [&](bool last) {
            if (chunk.empty()) return;
            Node r;
            r.kind = NodeKind::Row;
            r.children = std::move(chunk);
            chunk.clear();
            Atom a = formulaAtom(math::layout(r, s_, size_));
            if (!out_.back().empty() && out_.back().back().kind == Atom::Kind::Formula) a.gapBefore = 5.0 / 18 * size_;
            out_.back().push_back(std::move(a));
            (void)last;
        };
        for (Node& n : split_) {
            const bool cut = n.kind == NodeKind::Operator && n.spacing == Spacing::Relation;
            chunk.push_back(std::move(n));
            if (cut) emit(false);
        }
        emit(true);
    }

    // The text base of a script that holds more than a formula; null for any other item.
    static const TextItem* proseBase(const DrawItem* item) {
        const DrawItem* base = nullptr;
        if (const auto* up = dynamic_cast<const SuperscriptItem*>(item)) base = up->base;
        else if (const auto* down = dynamic_cast<const SubscriptItem*>(item)) base = down->base;
        const auto* t = dynamic_cast<const TextItem*>(base);
        return t && formulaTail(t->text) > 0 ? t : nullptr;
    }

    // Where the formula at the end of a text starts: after its last character that is no
    // formula's; at its last character when it ends in one (the script then goes on that).
    static std::size_t formulaTail(std::string_view t) {
        std::size_t i = 0, start = 0, last = 0;
        while (i < t.size()) {
            std::size_t n = 1;
            const char32_t c = cp936::decodeAt(t, i, n);
            if (!isMathChar(c)) start = i + n;
            last = i;
            i += n;
        }
        return start < t.size() ? start : last;
    }

    Node nodeOf(const DrawItem* item) const {
        if (const auto* t = dynamic_cast<const TextItem*>(item)) {
            std::vector<Node> nodes;
            tokenize(t->text, nodes);
            return rowOf(std::move(nodes));
        }
        if (const auto* f = dynamic_cast<const FractionItem*>(item)) return math::fraction(nodeOf(f->numerator), nodeOf(f->denominator));
        if (const auto* r = dynamic_cast<const RadicalItem*>(item)) return math::root(nodeOf(r->child));
        if (const auto* f = dynamic_cast<const FencedItem*>(item)) {
            std::vector<Node> nodes;
            if (f->left != '.') nodes.push_back(upright(std::string(1, f->left)));
            nodes.push_back(nodeOf(f->child));
            if (f->right != '.') nodes.push_back(upright(std::string(1, f->right)));
            return rowOf(std::move(nodes));
        }
        if (const auto* o = dynamic_cast<const OverItem*>(item))
            return o->mark == OverItem::Mark::Arrow ? math::vector(nodeOf(o->child)) : math::overline(nodeOf(o->child));
        if (const auto* p = dynamic_cast<const SuperscriptItem*>(item)) return math::superscript(nodeOf(p->base), nodeOf(p->exponent));
        if (const auto* b = dynamic_cast<const SubscriptItem*>(item)) return math::subscript(nodeOf(b->base), nodeOf(b->index));
        if (const auto* g = dynamic_cast<const GroupItem*>(item)) {
            std::vector<Node> nodes;
            const bool brace = dynamic_cast<const BraceItem*>(item) != nullptr;
            for (std::size_t i = 0; i < g->children().size(); ++i) {
                if (brace && i) nodes.push_back(math::comma());
                Node n = nodeOf(g->children()[i]);
                if (n.kind == NodeKind::Row)
                    for (Node& c : n.children) nodes.push_back(std::move(c));
                else
                    nodes.push_back(std::move(n));
            }
            return rowOf(std::move(nodes));
        }
        return {};
    }

    static Node rowOf(std::vector<Node> nodes) {
        if (nodes.size() == 1) return std::move(nodes.front());
        Node r;
        r.kind = NodeKind::Row;
        r.children = std::move(nodes);
        return r;
    }

    // A system of equations: its rows stacked behind a drawn brace, centred on the maths axis.
    math::Layout system(const BraceItem& b) const {
        std::vector<math::Layout> rows;
        double height = 0;
        const double gap = 0.25 * size_;
        for (const DrawItem* child : b.children()) {
            rows.push_back(math::layout(nodeOf(child), s_, size_));
            height += rows.back().height();
        }
        if (rows.empty()) return {};
        height += gap * static_cast<double>(rows.size() - 1);
        const double axis = 0.3 * size_, top = -axis - height / 2, bottom = top + height;
        const double w = 0.4 * size_, rule = std::max(size_ / 14, 0.75);
        math::Layout l;
        const double mid = (top + bottom) / 2, bend = 0.09 * (bottom - top);
        const double pts[][2] = {{w * 0.85, top}, {w * 0.5, top + bend}, {w * 0.5, mid - bend}, {w * 0.1, mid},
                                 {w * 0.5, mid + bend}, {w * 0.5, bottom - bend}, {w * 0.85, bottom}};
        for (int i = 0; i + 1 < 7; ++i) l.rules.push_back({pts[i][0], pts[i][1], pts[i + 1][0], pts[i + 1][1], rule});
        double y = top;
        double widest = 0;
        for (const math::Layout& r : rows) {
            const double baseline = y + r.ascent;
            for (math::Layout::Run run : r.runs) {
                run.x += w + 0.1 * size_;
                run.baseline += baseline;
                l.runs.push_back(std::move(run));
            }
            for (math::Layout::Rule rr : r.rules) {
                rr.x0 += w + 0.1 * size_;
                rr.x1 += w + 0.1 * size_;
                rr.y0 += baseline;
                rr.y1 += baseline;
                l.rules.push_back(rr);
            }
            widest = std::max(widest, r.width);
            y += r.height() + gap;
        }
        l.width = w + 0.1 * size_ + widest;
        l.ascent = -top;
        l.descent = bottom;
        return l;
    }

    Atom textAtom(std::string ch) const {
        Atom a;
        a.kind = Atom::Kind::Text;
        a.style = {size_, false};
        const TextExtent e = s_.measureText(ch, a.style);
        a.width = e.width;
        a.ascent = e.ascent;
        a.descent = e.descent;
        std::size_t n = 1;
        const char32_t c = cp936::decodeAt(ch, 0, n);
        a.noStart = closingMark(c);
        a.noEnd = openingMark(c);
        a.text = std::move(ch);
        return a;
    }

    Atom formulaAtom(math::Layout l) const {
        Atom a;
        a.kind = Atom::Kind::Formula;
        a.width = l.width;
        a.ascent = l.ascent;
        a.descent = l.descent;
        a.layout = std::move(l);
        return a;
    }

    const Surface& s_;
    double size_, lineWidth_;
    std::vector<Paragraph> out_;
    std::string pendingText_;
    std::vector<Node> row_;
    std::vector<math::Layout> parts_;
    std::vector<Node> split_; // the nodes of a formula made of one row, to cut when too wide
};

} // namespace

bool closingMark(char32_t c) {
    static const char32_t marks[] = {U'，', U'。', U'、', U'；', U'：', U'？', U'！', U'）', U'】', U'》', U'」', U'』', U'”',
                                     U'’', U'〕', U'〉', U'…', U'．', U'·', U'%', U',', U'.', U';', U':', U'?', U'!', U')', U']', U'}'};
    return std::find(std::begin(marks), std::end(marks), c) != std::end(marks);
}

bool openingMark(char32_t c) {
    static const char32_t marks[] = {U'（', U'【', U'《', U'「', U'『', U'“', U'‘', U'〔', U'〈', U'(', U'[', U'{'};
    return std::find(std::begin(marks), std::end(marks), c) != std::end(marks);
}

std::vector<Paragraph> paragraphsOf(const ItemList& list, const Surface& s, double size, double lineWidth) {
    return Converter(s, size, lineWidth).run(list.display());
}

Paragraph textParagraph(std::string_view utf8, const Surface& s, double size, double lineWidth) {
    Converter text(s, size, lineWidth);
    TextItem item{std::string(utf8)};
    std::vector<DrawItem*> items{&item};
    std::vector<Paragraph> ps = text.run(items);
    Paragraph out;
    for (Paragraph& p : ps) out.insert(out.end(), p.begin(), p.end());
    return out;
}

Atom blankAtom(const Surface& s, double size, double ems) {
    Atom a;
    a.kind = Atom::Kind::Blank;
    const TextExtent e = s.measureText("\xE4\xB8\x80", {size, false}); // 一
    a.width = ems * size;
    a.ascent = e.ascent;
    a.descent = e.descent;
    a.gapBefore = 0.15 * size;
    return a;
}

Atom wordAtom(std::string_view utf8, const Surface& s, double size) {
    Atom a;
    a.kind = Atom::Kind::Text;
    a.text = std::string(utf8);
    a.style = {size, false};
    const TextExtent e = s.measureText(utf8, a.style);
    a.width = e.width;
    a.ascent = e.ascent;
    a.descent = e.descent;
    return a;
}

} // namespace yhb::sheet
