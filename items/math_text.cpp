// SPDX-License-Identifier: GPL-3.0-or-later
#include "items/math_text.h"

#include <cstring>
#include <utility>

namespace yhb::math {

namespace {

constexpr const char* kMinus = "\xE2\x88\x92"; // U+2212

Node leaf(NodeKind kind, std::string text) {
    Node n;
    n.kind = kind;
    n.text = std::move(text);
    return n;
}

Node withChildren(NodeKind kind, std::initializer_list<Node> children) {
    Node n;
    n.kind = kind;
    n.children = children;
    return n;
}

} // namespace

// ---- building ---------------------------------------------------------------------------------

Node identifier(std::string name) { return leaf(NodeKind::Identifier, std::move(name)); }
Node number(std::string digits) { return leaf(NodeKind::Number, std::move(digits)); }
Node op(std::string symbol, Spacing spacing) {
    Node n = leaf(NodeKind::Operator, std::move(symbol));
    n.spacing = spacing;
    return n;
}
Node plus() { return op("+", Spacing::Binary); }
Node minus() { return op(kMinus, Spacing::Binary); }
Node sign() { return op(kMinus, Spacing::Prefix); }
Node equals() { return op("=", Spacing::Relation); }
Node times() { return op("\xC2\xB7", Spacing::Binary); }
Node comma() { return op(",", Spacing::Punctuation); }
Node colon() { return op(":", Spacing::Punctuation); }
Node function(std::string name, Node argument) {
    Node n = leaf(NodeKind::Function, std::move(name));
    n.children.push_back(std::move(argument));
    return n;
}
Node fraction(Node numerator, Node denominator) { return withChildren(NodeKind::Fraction, {std::move(numerator), std::move(denominator)}); }
Node superscript(Node base, Node exponent) { return withChildren(NodeKind::Superscript, {std::move(base), std::move(exponent)}); }
Node subscript(Node base, Node index) { return withChildren(NodeKind::Subscript, {std::move(base), std::move(index)}); }
Node root(Node radicand) { return withChildren(NodeKind::Root, {std::move(radicand)}); }
Node brackets(Node inside) { return withChildren(NodeKind::Brackets, {std::move(inside)}); }
Node vector(Node name) { return withChildren(NodeKind::Vector, {std::move(name)}); }
Node overline(Node inside) { return withChildren(NodeKind::Overline, {std::move(inside)}); }

void append(Node& r, Node node) {
    if (node.kind == NodeKind::Row) {
        for (Node& c : node.children) r.children.push_back(std::move(c));
    } else {
        r.children.push_back(std::move(node));
    }
}

Node row(std::initializer_list<Node> nodes) {
    Node r;
    for (const Node& n : nodes) append(r, n);
    return r;
}

// ---- shared shape questions -------------------------------------------------------------------

namespace {

bool isOp(const Node* n) { return n && n->kind == NodeKind::Operator; }
bool isTimes(const Node* n) { return isOp(n) && n->text == "\xC2\xB7"; }
// Written right after the node before it, with no operator between: a product.
bool juxtaposed(const Node* n) { return n && n->kind != NodeKind::Operator; }
// More than one piece side by side: "2√3", "x−1".
bool compound(const Node& n) { return n.kind == NodeKind::Row && n.children.size() > 1; }
bool hasOperator(const Node& n) {
    if (n.kind != NodeKind::Row) return false;
    for (const Node& c : n.children)
        if (c.kind == NodeKind::Operator) return true;
    return false;
}
const Node& only(const Node& n) { return n.kind == NodeKind::Row && n.children.size() == 1 ? n.children[0] : n; }

// ---- Unicode ----------------------------------------------------------------------------------

struct Vulgar {
    const char* num;
    const char* den;
    const char* glyph;
};
constexpr Vulgar kVulgar[] = {
    {"1", "2", "\xC2\xBD"},     {"1", "3", "\xE2\x85\x93"}, {"2", "3", "\xE2\x85\x94"}, {"1", "4", "\xC2\xBC"},
    {"3", "4", "\xC2\xBE"},     {"1", "5", "\xE2\x85\x95"}, {"2", "5", "\xE2\x85\x96"}, {"3", "5", "\xE2\x85\x97"},
    {"4", "5", "\xE2\x85\x98"}, {"1", "6", "\xE2\x85\x99"}, {"5", "6", "\xE2\x85\x9A"}, {"1", "7", "\xE2\x85\x90"},
    {"1", "8", "\xE2\x85\x9B"}, {"3", "8", "\xE2\x85\x9C"}, {"5", "8", "\xE2\x85\x9D"}, {"7", "8", "\xE2\x85\x9E"},
    {"1", "9", "\xE2\x85\x91"}, {"1", "10", "\xE2\x85\x92"},
};

const char* vulgarGlyph(const Node& f) {
    const Node &n = only(f.children[0]), &d = only(f.children[1]);
    if (n.kind != NodeKind::Number || d.kind != NodeKind::Number) return nullptr;
    for (const Vulgar& v : kVulgar)
        if (n.text == v.num && d.text == v.den) return v.glyph;
    return nullptr;
}

struct Script {
    const char* plain;
    const char* raised;
    const char* lowered;
};
constexpr Script kScripts[] = {
    {"0", "\xE2\x81\xB0", "\xE2\x82\x80"}, {"1", "\xC2\xB9", "\xE2\x82\x81"},     {"2", "\xC2\xB2", "\xE2\x82\x82"},
    {"3", "\xC2\xB3", "\xE2\x82\x83"},     {"4", "\xE2\x81\xB4", "\xE2\x82\x84"}, {"5", "\xE2\x81\xB5", "\xE2\x82\x85"},
    {"6", "\xE2\x81\xB6", "\xE2\x82\x86"}, {"7", "\xE2\x81\xB7", "\xE2\x82\x87"}, {"8", "\xE2\x81\xB8", "\xE2\x82\x88"},
    {"9", "\xE2\x81\xB9", "\xE2\x82\x89"}, {"+", "\xE2\x81\xBA", "\xE2\x82\x8A"}, {kMinus, "\xE2\x81\xBB", "\xE2\x82\x8B"},
    {"=", "\xE2\x81\xBC", "\xE2\x82\x8C"}, {"(", "\xE2\x81\xBD", "\xE2\x82\x8D"}, {")", "\xE2\x81\xBE", "\xE2\x82\x8E"},
    {"x", "\xCB\xA3", "\xE2\x82\x93"},     {"n", "\xE2\x81\xBF", "\xE2\x82\x99"}, {"y", "\xCA\xB8", nullptr},
};

// The raised or lowered form of every character of `text`; empty when one has none.
std::string scripted(const std::string& text, bool raised) {
    std::string out;
    std::size_t i = 0;
    while (i < text.size()) {
        const Script* hit = nullptr;
        for (const Script& s : kScripts) {
            const std::size_t len = std::strlen(s.plain);
            if (text.compare(i, len, s.plain) == 0 && (raised ? s.raised : s.lowered)) {
                hit = &s;
                break;
            }
        }
        if (!hit) return {};
        out += raised ? hit->raised : hit->lowered;
        i += std::strlen(hit->plain);
    }
    return out;
}

class UnicodeWriter {
public:
    explicit UnicodeWriter(UnicodeStyle style) : style_(style) {}

    std::string write(const Node& n) {
        switch (n.kind) {
        case NodeKind::Row: return writeRow(n);
        case NodeKind::Identifier:
        case NodeKind::Number: return n.text;
        case NodeKind::Operator: return n.text == ":" ? ": " : n.text;
        case NodeKind::Function: {
            const Node& arg = only(n.children[0]);
            return n.text + (arg.kind == NodeKind::Brackets ? "" : " ") + write(arg);
        }
        case NodeKind::Fraction: return writeFraction(n, false);
        case NodeKind::Superscript: return writeBase(n.children[0]) + writeScript(n.children[1], true);
        case NodeKind::Subscript: return writeBase(n.children[0]) + writeScript(n.children[1], false);
        case NodeKind::Root: {
            const Node& r = only(n.children[0]);
            const bool plain = r.kind == NodeKind::Number || r.kind == NodeKind::Identifier;
            return "\xE2\x88\x9A" + (plain ? write(r) : "(" + write(r) + ")");
        }
        case NodeKind::Brackets: return "(" + write(n.children[0]) + ")";
        // A combining arrow or bar after the last character: one letter reads right, a group
        // at least shows its mark.
        case NodeKind::Vector: return write(n.children[0]) + "\xE2\x83\x97";
        case NodeKind::Overline: return write(n.children[0]) + "\xCC\x85";
        }
        return {};
    }

private:
    std::string writeRow(const Node& r) {
        std::string out;
        const std::vector<Node>& c = r.children;
        for (std::size_t i = 0; i < c.size(); ++i) {
            const Node* prev = i > 0 ? &c[i - 1] : nullptr;
            const Node* next = i + 1 < c.size() ? &c[i + 1] : nullptr;
            const Node& n = c[i];
            if (n.kind == NodeKind::Fraction && !(style_.vulgarFractions && vulgarGlyph(n))) {
                // ½x reads as x/2 and (3/2)x² as 3x²/2; any other factor keeps the fraction whole.
                const Node& num = only(n.children[0]);
                if (juxtaposed(next) && num.kind == NodeKind::Number && variableLike(*next)) {
                    out += (num.text == "1" ? "" : num.text) + write(*next) + "/" + writeDenominator(n.children[1]);
                    ++i;
                    continue;
                }
                out += writeFraction(n, juxtaposed(next) || isTimes(next) || juxtaposed(prev) || isTimes(prev));
                continue;
            }
            out += write(n);
            // √3x could be read as √(3x).
            if (n.kind == NodeKind::Root && juxtaposed(next)) out += "\xC2\xB7";
        }
        return out;
    }

    static bool variableLike(const Node& n) {
        if (n.kind == NodeKind::Identifier) return true;
        return n.kind == NodeKind::Superscript && only(n.children[0]).kind == NodeKind::Identifier;
    }

    std::string writeDenominator(const Node& d) {
        const Node& o = only(d);
        const bool bare = o.kind == NodeKind::Number || o.kind == NodeKind::Identifier || o.kind == NodeKind::Superscript ||
                          o.kind == NodeKind::Root || o.kind == NodeKind::Brackets ||
                          (o.kind == NodeKind::Fraction && style_.vulgarFractions && vulgarGlyph(o));
        return bare ? write(o) : "(" + write(o) + ")";
    }

    std::string writeFraction(const Node& f, bool bracketed) {
        if (style_.vulgarFractions)
            if (const char* g = vulgarGlyph(f)) return g;
        const Node& num = only(f.children[0]);
        const bool numBare = !hasOperator(num) && num.kind != NodeKind::Fraction;
        const std::string text = (numBare ? write(num) : "(" + write(num) + ")") + "/" + writeDenominator(f.children[1]);
        return bracketed ? "(" + text + ")" : text;
    }

    std::string writeBase(const Node& b) {
        const Node& o = only(b);
        if (o.kind == NodeKind::Fraction && !(style_.vulgarFractions && vulgarGlyph(o))) return "(" + write(o) + ")";
        if (compound(o) || o.kind == NodeKind::Root) return "(" + write(o) + ")";
        return write(o);
    }

    std::string writeScript(const Node& s, bool raised) {
        const std::string plain = UnicodeWriter(UnicodeStyle{}).write(s);
        const std::string small = scripted(plain, raised);
        if (!small.empty()) return small;
        const Node& o = only(s);
        const bool single = o.kind == NodeKind::Number || o.kind == NodeKind::Identifier;
        return std::string(raised ? "^" : "_") + (single ? plain : "(" + plain + ")");
    }

    UnicodeStyle style_;
};

// ---- LaTeX ------------------------------------------------------------------------------------

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// Appends keeping a control word apart from letters after it ("\pi x", "\sin x").
void latexAppend(std::string& out, const std::string& piece) {
    if (piece.empty()) return;
    std::size_t k = out.size();
    while (k > 0 && isLetter(out[k - 1])) --k;
    if (k > 0 && out[k - 1] == '\\' && k < out.size() && isLetter(piece[0])) out += ' ';
    out += piece;
}

bool containsFraction(const Node& n) {
    if (n.kind == NodeKind::Fraction) return true;
    for (const Node& c : n.children)
        if (containsFraction(c)) return true;
    return false;
}

std::string latex(const Node& n) {
    switch (n.kind) {
    case NodeKind::Row: {
        std::string out;
        for (const Node& c : n.children) latexAppend(out, latex(c));
        return out;
    }
    case NodeKind::Identifier: return n.text == "\xCF\x80" ? "\\pi" : n.text;
    case NodeKind::Number: return n.text;
    case NodeKind::Operator:
        if (n.text == kMinus) return "-";
        if (n.text == "\xC2\xB7") return "\\cdot";
        if (n.text == ":") return "\\colon";
        return n.text;
    case NodeKind::Function: {
        std::string out = "\\" + n.text;
        latexAppend(out, latex(n.children[0]));
        return out;
    }
    case NodeKind::Fraction: return "\\frac{" + latex(n.children[0]) + "}{" + latex(n.children[1]) + "}";
    case NodeKind::Superscript: {
        const Node& b = only(n.children[0]);
        const std::string base = compound(b) ? "{" + latex(b) + "}" : latex(b);
        return base + "^{" + latex(n.children[1]) + "}";
    }
    case NodeKind::Subscript: return latex(n.children[0]) + "_{" + latex(n.children[1]) + "}";
    case NodeKind::Root: return "\\sqrt{" + latex(n.children[0]) + "}";
    case NodeKind::Brackets:
        // Brackets around a built-up fraction grow with it.
        if (containsFraction(n.children[0])) return "\\left(" + latex(n.children[0]) + "\\right)";
        return "(" + latex(n.children[0]) + ")";
    case NodeKind::Vector: {
        const std::string inside = latex(n.children[0]);
        return (inside.size() == 1 ? "\\vec{" : "\\overrightarrow{") + inside + "}";
    }
    case NodeKind::Overline: return "\\overline{" + latex(n.children[0]) + "}";
    }
    return {};
}

// ---- MathML -----------------------------------------------------------------------------------

std::string escaped(const std::string& s) {
    std::string out;
    for (char c : s) {
        if (c == '&') out += "&amp;";
        else if (c == '<') out += "&lt;";
        else if (c == '>') out += "&gt;";
        else out += c;
    }
    return out;
}

std::string mathml(const Node& n);

// One element: MathML's scripts and fractions take exactly one child per part.
std::string element(const Node& n) {
    const Node& o = only(n);
    if (o.kind == NodeKind::Row) return "<mrow>" + mathml(o) + "</mrow>";
    if (o.kind == NodeKind::Function) return "<mrow>" + mathml(o) + "</mrow>";
    return mathml(o);
}

std::string mathml(const Node& n) {
    switch (n.kind) {
    case NodeKind::Row: {
        std::string out;
        for (const Node& c : n.children) out += mathml(c);
        return out;
    }
    case NodeKind::Identifier: return "<mi>" + escaped(n.text) + "</mi>";
    case NodeKind::Number: return "<mn>" + escaped(n.text) + "</mn>";
    case NodeKind::Operator:
        if (n.spacing == Spacing::Prefix) return "<mo form=\"prefix\">" + escaped(n.text) + "</mo>";
        return "<mo>" + escaped(n.text) + "</mo>";
    case NodeKind::Function:
        // U+2061 FUNCTION APPLICATION ties the name to its argument.
        return "<mi>" + escaped(n.text) + "</mi><mo>&#x2061;</mo>" + element(n.children[0]);
    case NodeKind::Fraction: return "<mfrac>" + element(n.children[0]) + element(n.children[1]) + "</mfrac>";
    case NodeKind::Superscript: return "<msup>" + element(n.children[0]) + element(n.children[1]) + "</msup>";
    case NodeKind::Subscript: return "<msub>" + element(n.children[0]) + element(n.children[1]) + "</msub>";
    case NodeKind::Root: return "<msqrt>" + mathml(n.children[0]) + "</msqrt>";
    case NodeKind::Brackets: return "<mrow><mo>(</mo>" + mathml(n.children[0]) + "<mo>)</mo></mrow>";
    case NodeKind::Vector: return "<mover accent=\"true\">" + element(n.children[0]) + "<mo>&#x2192;</mo></mover>";
    case NodeKind::Overline: return "<mover accent=\"true\">" + element(n.children[0]) + "<mo>&#x00AF;</mo></mover>";
    }
    return {};
}

} // namespace

std::string toUnicode(const Node& node, UnicodeStyle style) { return UnicodeWriter(style).write(node); }

std::string toLatex(const Node& node) { return latex(node); }

std::string toMathMl(const Node& node) {
    return "<math xmlns=\"http://www.w3.org/1998/Math/MathML\"><mrow>" + mathml(node) + "</mrow></math>";
}

} // namespace yhb::math
