// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/natural_writer.h"

#include <cctype>
#include <cstring>

#include "bank/natural_reader.h"
#include "gfx/cp936.h"
#include "items/math_items.h"

namespace yhb {
namespace {

// Characters a formula shows as they are, which may be taken out of the text around it: ASCII
// letters, digits and signs, and the symbols before the CJK blocks (α, π, ≤, ∈, √); not
// spaces, LaTeX's own characters, Chinese or its punctuation.
bool mathSafe(char32_t c) {
    if (c < 0x80) return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || std::strchr("+-=<>()[],.|/:;!'*?", static_cast<char>(c));
    return c >= 0xA0 && c < 0x2E80 && c != 0x3000;
}

// Where the run of such characters at the end of `t` begins.
std::size_t safeTail(const std::string& t) {
    std::size_t cut = t.size();
    while (cut > 0) {
        std::size_t start = cut - 1;
        while (start > 0 && (static_cast<unsigned char>(t[start]) & 0xC0) == 0x80) --start;
        std::size_t n = 1;
        if (!mathSafe(cp936::decodeAt(t, start, n)) || start + n != cut) break;
        cut = start;
    }
    return cut;
}

// Where the run of such characters at the start of `t` ends.
std::size_t safeHead(const std::string& t) {
    std::size_t cut = 0, n = 1;
    while (cut < t.size() && mathSafe(cp936::decodeAt(t, cut, n))) cut += n;
    return cut;
}

// Text inside a formula: spaces kept, LaTeX's own characters escaped.
std::string mathText(std::string_view text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case ' ': out += "\\ "; break;
        case '{': out += "\\{"; break;
        case '}': out += "\\}"; break;
        case '%': out += "\\%"; break;
        case '$': out += "\\$"; break;
        case '&': out += "\\&"; break;
        case '#': out += "\\#"; break;
        case '_': out += "\\_"; break;
        case '\\': out += "\\text{\\\\}"; break;
        case '^': out += "\\text{\\^}"; break;
        case '~': out += "\\text{~}"; break;
        case '\t': out += "\\text{\t}"; break;
        default: out += c;
        }
    }
    return out;
}

std::string_view trimmedView(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

bool oneCharacter(std::string_view s) {
    std::size_t n = 0;
    if (s.empty()) return false;
    cp936::decodeAt(s, 0, n);
    return n == s.size();
}

std::string braced(const DrawItem* item) { return "{" + toLatex(*item) + "}"; }

// A script's base: one character bare, as it is typed (x^2); anything else in braces.
std::string base(const DrawItem* item) {
    if (auto* t = dynamic_cast<const TextItem*>(item); t && oneCharacter(t->text)) return mathText(t->text);
    return braced(item);
}

// A script: one letter or digit bare, as it is typed (x^2, a_n); anything else in braces.
std::string script(const DrawItem* item) {
    if (auto* t = dynamic_cast<const TextItem*>(item); t && t->text.size() == 1 && std::isalnum(static_cast<unsigned char>(t->text[0])))
        return t->text;
    return braced(item);
}

std::string delimiter(char d) { return d == '{' ? "\\{" : d == '}' ? "\\}" : std::string(1, d); }

// A piece of a line: text, or a formula.
struct Piece {
    bool math;
    std::string text; // UTF-8 text, or LaTeX
};

// Text shown as written: a dollar is escaped.
std::string proseText(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == '$') out += '\\';
        out += c;
    }
    return out;
}

// The pieces of one line as a line of the file.
std::string writeLine(std::vector<Piece> pieces) {
    // ASCII next to a formula goes into it: "$\frac{x^2}{25}+\frac{y^2}{16}=1$的" rather than
    // "$\frac{x^2}{25}$+$\frac{y^2}{16}$=1的".
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (!pieces[i].math) continue;
        if (i > 0 && !pieces[i - 1].math) {
            std::string& t = pieces[i - 1].text;
            const std::size_t cut = safeTail(t);
            pieces[i].text = t.substr(cut) + pieces[i].text;
            t.resize(cut);
        }
        if (i + 1 < pieces.size() && !pieces[i + 1].math) {
            std::string& t = pieces[i + 1].text;
            const std::size_t cut = safeHead(t);
            pieces[i].text += t.substr(0, cut);
            t.erase(0, cut);
        }
    }
    // A backslash ending the text would escape the formula's dollar: it goes into the formula.
    for (std::size_t i = 0; i + 1 < pieces.size(); ++i)
        if (!pieces[i].math && pieces[i + 1].math && !pieces[i].text.empty() && pieces[i].text.back() == '\\') {
            pieces[i].text.pop_back();
            pieces[i + 1].text = "\\text{\\\\}" + pieces[i + 1].text;
        }
    std::string out;
    bool open = false;
    for (const Piece& p : pieces) {
        if (p.text.empty()) continue;
        if (p.math != open) out += '$';
        open = p.math;
        out += p.math ? p.text : proseText(p.text);
    }
    if (open) out += '$';
    // A line the reader would take for something else keeps a character in a formula.
    const std::size_t start = out.find_first_not_of(" \t");
    if (!out.empty() && start == std::string::npos) return "$" + mathText(out) + "$"; // spaces alone
    if (!out.empty() && out[0] == '@') return "$@$" + out.substr(1);
    const std::string_view shown = trimmedView(out);
    if (shown == kAnswerHeading || shown == "##解答") return out.substr(0, start) + "$\\#$" + out.substr(start + 1);
    return out;
}

// A list's items as lines: an item of no width ends a line, as it does on screen.
std::string writeList(const ItemList& list) {
    std::string out;
    std::vector<Piece> pieces;
    for (const DrawItem* item : list.display()) {
        if (item->width() == 0) {
            out += writeLine(std::move(pieces)) + "\n";
            pieces.clear();
            continue;
        }
        if (auto* t = dynamic_cast<const TextItem*>(item)) {
            if (!pieces.empty() && !pieces.back().math) pieces.back().text += t->text;
            else pieces.push_back({false, t->text});
        } else {
            // A group alone on the line stays a group, kept whole there.
            std::string latex = dynamic_cast<const RowItem*>(item) ? braced(item) : toLatex(*item);
            if (!pieces.empty() && pieces.back().math) pieces.back().text += latex;
            else pieces.push_back({true, std::move(latex)});
        }
    }
    return out + writeLine(std::move(pieces));
}

} // namespace

std::string toLatex(const DrawItem& item) {
    if (auto* t = dynamic_cast<const TextItem*>(&item)) return mathText(t->text);
    if (auto* f = dynamic_cast<const FractionItem*>(&item)) return "\\frac" + braced(f->numerator) + braced(f->denominator);
    if (auto* s = dynamic_cast<const SuperscriptItem*>(&item)) return base(s->base) + "^" + script(s->exponent);
    if (auto* s = dynamic_cast<const SubscriptItem*>(&item)) return base(s->base) + "_" + script(s->index);
    if (auto* r = dynamic_cast<const RadicalItem*>(&item))
        return "\\sqrt" + (r->index ? "[" + braced(r->index) + "]" : std::string()) + braced(r->child);
    if (auto* f = dynamic_cast<const FencedItem*>(&item))
        return "\\left" + delimiter(f->left) + toLatex(*f->child) + "\\right" + delimiter(f->right);
    if (auto* o = dynamic_cast<const OverItem*>(&item))
        return (o->mark == OverItem::Mark::Bar ? "\\overline" : "\\overrightarrow") + braced(o->child);
    if (auto* b = dynamic_cast<const BraceItem*>(&item)) {
        std::string out = "\\begin{cases}";
        for (std::size_t i = 0; i < b->children().size(); ++i) {
            const std::string row = toLatex(*b->children()[i]);
            out += (i ? "\\\\" : "") + (row.empty() ? "{}" : row); // an empty row is still a row
        }
        return out + "\\end{cases}";
    }
    if (auto* g = dynamic_cast<const GroupItem*>(&item)) {
        std::string out;
        for (const DrawItem* child : g->children()) out += toLatex(*child);
        return out;
    }
    return {};
}

std::string toNaturalFormat(const ItemList& question, const ItemList& answer, const std::vector<FigureLine>& figures) {
    std::string out = writeList(question);
    // A first line of "function" would read as the postfix format.
    if (trimmedView(std::string_view(out).substr(0, out.find('\n'))) == "function") out.replace(out.find('f'), 1, "$f$");
    out += "\n";
    for (const FigureLine& f : figures) out += std::string(kFigurePrefix) + f.text + "\n";
    if (answer.count() > 0) out += std::string(kAnswerHeading) + "\n" + writeList(answer) + "\n";
    return out;
}

} // namespace yhb
