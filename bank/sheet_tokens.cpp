// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/sheet_tokens.h"

#include <cstring>

#include "gfx/cp936.h"

namespace yhb::sheet {
namespace {

using math::Node;
using math::NodeKind;
using math::Spacing;

bool isLetter(char32_t c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

bool isDigit(char32_t c) { return c >= '0' && c <= '9'; }

int superscriptDigit(char32_t c) {
    if (c == 0xB9) return 1;
    if (c == 0xB2) return 2;
    if (c == 0xB3) return 3;
    if (c >= 0x2070 && c <= 0x2079 && c != 0x2071 && c != 0x2072 && c != 0x2073) return static_cast<int>(c - 0x2070);
    return -1;
}

int subscriptDigit(char32_t c) { return c >= 0x2080 && c <= 0x2089 ? static_cast<int>(c - 0x2080) : -1; }

bool isRelation(char32_t c) {
    switch (c) {
    case '=': case '<': case '>': case 0x2264: case 0x2265: case 0x2260: case 0x2248: case 0x2208: case 0x2209:
    case 0x2286: case 0x2282: case 0x2287: case 0x2283: case 0x21D2: case 0x21D4: case 0x2192: case 0x2225:
    case 0x22A5: case 0x2261: case 0x223D: case 0x2A7D: case 0x2A7E: case 0x2245:
        return true;
    default: return false;
    }
}

bool isBinary(char32_t c) {
    switch (c) {
    case '+': case '*': case 0xD7: case 0xF7: case 0xB1: case 0xB7: case 0x2229: case 0x222A: case 0x2213: return true;
    default: return false;
    }
}

const char* const kFunctions[] = {"arcsin", "arccos", "arctan", "sin", "cos", "tan", "cot", "lg", "ln", "log", "lim", "max", "min", "exp"};

Node functionName(std::string name) {
    Node n;
    n.kind = NodeKind::Function;
    n.text = std::move(name);
    return n;
}

bool opensGroup(const Node& n) {
    return n.kind == NodeKind::Number && (n.text == "(" || n.text == "[" || n.text == "{" || n.text == "|");
}

// Where a minus is a sign: first, or after an operator or an opening bracket.
bool signPosition(const std::vector<Node>& out) {
    return out.empty() || out.back().kind == NodeKind::Operator || opensGroup(out.back());
}

} // namespace

// What belongs to a formula: Latin letters, digits and signs, Greek, the super- and
// subscript digits, arrows, mathematical operators and the school's geometry signs.
bool isMathChar(char32_t c) {
    if (c < 0x80) return c > 0x20 && c != '_';
    if (c >= 0x391 && c <= 0x3C9) return true;
    if (superscriptDigit(c) >= 0 || subscriptDigit(c) >= 0) return true;
    switch (c) {
    case 0xB0: case 0xB1: case 0xD7: case 0xF7: case 0xB7: case 0x2032: case 0x2033: case 0x25B3: case 0x2212:
    case 0x207A: case 0x207B: case 0x207F: case 0x2A7D: case 0x2A7E:
        return true;
    default: break;
    }
    return (c >= 0x2100 && c <= 0x214F) || (c >= 0x2190 && c <= 0x22FF);
}

Node upright(std::string text) {
    Node n;
    n.kind = NodeKind::Number; // set upright, without spacing
    n.text = std::move(text);
    return n;
}

// One string of formula characters, appended to `out` as nodes.
void tokenize(std::string_view text, std::vector<Node>& out) {
    std::size_t i = 0;
    auto peek = [&](std::size_t at, std::size_t& n) { return cp936::decodeAt(text, at, n); };
    bool rootPending = false;
    // sin x, lg 2: a space between a function's name and a letter or number after it.
    auto spaceAfterFunction = [&] {
        if (!out.empty() && out.back().kind == NodeKind::Function) out.push_back(math::op(" ", Spacing::Prefix));
    };
    auto push = [&](Node n) {
        if (rootPending) {
            rootPending = false;
            n = math::root(std::move(n));
        }
        out.push_back(std::move(n));
    };
    while (i < text.size()) {
        std::size_t n = 1;
        const char32_t c = peek(i, n);
        if (c == ' ') {
            i += n;
            continue;
        }
        if (isLetter(c)) {
            std::size_t j = i;
            while (j < text.size() && isLetter(static_cast<unsigned char>(text[j]))) ++j;
            const std::string_view word = text.substr(i, j - i);
            std::size_t k = 0;
            while (k < word.size()) {
                const char* found = nullptr;
                for (const char* f : kFunctions)
                    if (word.substr(k, std::strlen(f)) == f) {
                        found = f;
                        break;
                    }
                if (found) {
                    push(functionName(found));
                    k += std::strlen(found);
                } else {
                    spaceAfterFunction();
                    push(math::identifier(std::string(1, word[k])));
                    ++k;
                }
            }
            i = j;
            continue;
        }
        if (isDigit(c)) {
            std::size_t j = i;
            while (j < text.size() && (isDigit(static_cast<unsigned char>(text[j])) || text[j] == '.')) ++j;
            spaceAfterFunction();
            push(math::number(std::string(text.substr(i, j - i))));
            i = j;
            continue;
        }
        const int up = superscriptDigit(c), down = subscriptDigit(c);
        if (up >= 0 || down >= 0 || c == 0x207A || c == 0x207B || c == 0x207F) {
            std::string digits;
            std::size_t j = i;
            for (;;) {
                std::size_t m = 1;
                if (j >= text.size()) break;
                const char32_t d = peek(j, m);
                const int v = up >= 0 || c == 0x207A || c == 0x207B || c == 0x207F ? superscriptDigit(d) : subscriptDigit(d);
                if (v >= 0) digits += static_cast<char>('0' + v);
                else if (up >= 0 && d == 0x207B) digits += "\xE2\x88\x92";
                else if (up >= 0 && d == 0x207A) digits += "+";
                else if (up >= 0 && d == 0x207F) digits += "n";
                else break;
                j += m;
            }
            if (digits.empty()) digits = cp936::encodeUtf8(c == 0x207F ? U'n' : c == 0x207A ? U'+' : U'\u2212');
            Node script = digits == "n" ? math::identifier("n") : math::number(digits);
            if (out.empty()) {
                push(std::move(script));
            } else {
                Node base = std::move(out.back());
                out.pop_back();
                out.push_back(down >= 0 ? math::subscript(std::move(base), std::move(script))
                                        : math::superscript(std::move(base), std::move(script)));
            }
            i = j;
            continue;
        }
        i += n;
        if (c == '-' || c == 0x2212) {
            push(signPosition(out) ? math::sign() : math::minus());
        } else if (isRelation(c)) {
            push(math::op(cp936::encodeUtf8(c), Spacing::Relation));
        } else if (isBinary(c)) {
            push(math::op(c == '*' ? "\xC3\x97" : cp936::encodeUtf8(c), signPosition(out) ? Spacing::Prefix : Spacing::Binary));
        } else if (c == ',') {
            push(math::comma());
        } else if (c == ';') {
            push(math::op(";", Spacing::Punctuation));
        } else if (c == ':') {
            push(math::colon());
        } else if (c == 0x221A) { // √ takes what follows
            rootPending = true;
        } else if (c == 0x3C0 || (c >= 0x391 && c <= 0x3C9)) {
            push(math::identifier(cp936::encodeUtf8(c)));
        } else {
            push(upright(cp936::encodeUtf8(c)));
        }
    }
}

} // namespace yhb::sheet
