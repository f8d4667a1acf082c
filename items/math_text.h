// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <initializer_list>
#include <string>
#include <vector>

// One line of school mathematics as a plain tree, and three ways to write it out: one line of
// Unicode text, LaTeX, and presentation MathML. A typesetter walks the same tree: each node
// says what it is, never how large or where it goes.
//
// Signs are operators, never part of a number: "−2" is a Prefix minus followed by Number "2",
// so that every writer and the typesetter space a sign and a binary minus differently.
namespace yhb::math {

enum class NodeKind {
    Row,         // children side by side, left to right
    Identifier,  // a variable, a point's letter or π: italic (x, y, A, F, l)
    Number,      // unsigned digits, perhaps with one decimal point (4, 2.89)
    Operator,    // text is the symbol (+ − = · , :), spacing says how it is set
    Function,    // an upright name (sin, cos, tan, lg) applied to children[0]
    Fraction,    // children[0] over children[1], built up
    Superscript, // children[0] raised to children[1]
    Subscript,   // children[0] with the index children[1]
    Root,        // the square root of children[0]
    Brackets,    // children[0] in round brackets
    Vector,      // children[0] with an arrow over it (a vector AB or a)
    Overline,    // children[0] with a bar over it (a conjugate, a mean)
};

// How an operator is spaced: + − between terms, = between sides, a sign before a term, and
// the comma and colon that only take space after them (if any).
enum class Spacing { Binary, Relation, Prefix, Punctuation };

struct Node {
    NodeKind kind = NodeKind::Row;
    std::string text;                    // UTF-8: Identifier, Number, Operator, Function
    Spacing spacing = Spacing::Binary;   // Operator only
    std::vector<Node> children;          // as the kind says; a Row may be empty

    bool empty() const { return kind == NodeKind::Row && children.empty(); }
};

// ---- building ---------------------------------------------------------------------------------

Node identifier(std::string name);
Node number(std::string digits);
Node op(std::string symbol, Spacing spacing);
Node plus();      // binary +
Node minus();     // binary − (U+2212)
Node sign();      // a leading − (U+2212) before a term
Node equals();
Node times();     // · between two numbers, where juxtaposition would run them together
Node comma();
Node colon();     // "l: x=−1"
Node function(std::string name, Node argument);
Node fraction(Node numerator, Node denominator);
Node superscript(Node base, Node exponent);
Node subscript(Node base, Node index);
Node root(Node radicand);
Node brackets(Node inside);
Node vector(Node name);
Node overline(Node inside);
// A row of the given nodes; a Row among them is spliced in, so rows never nest.
Node row(std::initializer_list<Node> nodes);
void append(Node& row, Node node);

// ---- writing ----------------------------------------------------------------------------------

struct UnicodeStyle {
    // ½ ⅓ ¼ ¾ … for a fraction of two small numbers (captions beside a line: "y=¾x"); otherwise
    // a/b, bracketed where juxtaposition would misread it: "y=−x/2−2", "y=(1/2)ˣ".
    bool vulgarFractions = false;
};

// One line: x²/4+y²/3=1, A₁(−2,0), y=2sin(2x)−1, y=lg x. Superscripts and subscripts that have
// Unicode forms are written with them; any other is written ^(…) or _(…).
std::string toUnicode(const Node& node, UnicodeStyle style = {});
// \frac{x^{2}}{4}+\frac{y^{2}}{3}=1 — an inline formula without the surrounding dollars.
std::string toLatex(const Node& node);
// <math xmlns="http://www.w3.org/1998/Math/MathML">…</math>, what word processors paste as an
// equation.
std::string toMathMl(const Node& node);

} // namespace yhb::math
