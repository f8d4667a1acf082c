// SPDX-License-Identifier: GPL-3.0-or-later
#include "items/latex_math.h"

#include <cstring>
#include <utility>
#include <vector>

#include "gfx/cp936.h"
#include "items/math_items.h"

namespace yhb {
namespace {

struct Symbol {
    const char* name;
    const char* text;
};

constexpr Symbol kSymbols[] = {
    // Greek
    {"alpha", "α"}, {"beta", "β"}, {"gamma", "γ"}, {"delta", "δ"}, {"epsilon", "ε"}, {"varepsilon", "ε"},
    {"zeta", "ζ"}, {"eta", "η"}, {"theta", "θ"}, {"vartheta", "ϑ"}, {"iota", "ι"}, {"kappa", "κ"},
    {"lambda", "λ"}, {"mu", "μ"}, {"nu", "ν"}, {"xi", "ξ"}, {"pi", "π"}, {"rho", "ρ"}, {"sigma", "σ"},
    {"tau", "τ"}, {"upsilon", "υ"}, {"phi", "φ"}, {"varphi", "φ"}, {"chi", "χ"}, {"psi", "ψ"}, {"omega", "ω"},
    {"Gamma", "Γ"}, {"Delta", "Δ"}, {"Theta", "Θ"}, {"Lambda", "Λ"}, {"Xi", "Ξ"}, {"Pi", "Π"},
    {"Sigma", "Σ"}, {"Phi", "Φ"}, {"Psi", "Ψ"}, {"Omega", "Ω"},
    // relations
    {"leq", "≤"}, {"le", "≤"}, {"geq", "≥"}, {"ge", "≥"}, {"leqslant", "⩽"}, {"geqslant", "⩾"},
    {"neq", "≠"}, {"ne", "≠"}, {"approx", "≈"}, {"equiv", "≡"}, {"sim", "∼"}, {"in", "∈"}, {"notin", "∉"},
    {"subset", "⊂"}, {"subseteq", "⊆"}, {"subsetneqq", "⫋"}, {"supset", "⊃"}, {"supseteq", "⊇"},
    {"perp", "⊥"}, {"parallel", "∥"}, {"mid", "|"},
    // sets, logic, geometry
    {"emptyset", "∅"}, {"varnothing", "∅"}, {"cup", "∪"}, {"cap", "∩"}, {"Rightarrow", "⇒"},
    {"Leftarrow", "⇐"}, {"Leftrightarrow", "⇔"}, {"rightarrow", "→"}, {"to", "→"}, {"because", "∵"},
    {"therefore", "∴"}, {"forall", "∀"}, {"exists", "∃"}, {"neg", "¬"}, {"angle", "∠"}, {"triangle", "△"},
    {"odot", "⊙"}, {"circ", "∘"},
    // operators
    {"cdot", "·"}, {"times", "×"}, {"div", "÷"}, {"pm", "±"}, {"mp", "∓"}, {"infty", "∞"},
    {"cdots", "⋯"}, {"ldots", "…"}, {"dots", "…"}, {"prime", "′"},
    // escaped characters and spaces
    {"{", "{"}, {"}", "}"}, {"%", "%"}, {"$", "$"}, {"&", "&"}, {"#", "#"}, {"_", "_"},
    {" ", " "}, {",", " "}, {";", " "}, {":", " "}, {"!", ""}, {"quad", "  "}, {"qquad", "    "},
    // upright function names
    {"sin", "sin"}, {"cos", "cos"}, {"tan", "tan"}, {"cot", "cot"}, {"sec", "sec"}, {"csc", "csc"},
    {"arcsin", "arcsin"}, {"arccos", "arccos"}, {"arctan", "arctan"}, {"log", "log"}, {"ln", "ln"},
    {"lg", "lg"}, {"exp", "exp"}, {"lim", "lim"}, {"max", "max"}, {"min", "min"},
};

// As deep as the postfix reader lets formulas and systems nest (bank/question_reader.h).
constexpr int kMaxItemDepth = 32;
constexpr int kMaxBraceDepth = 10;
constexpr int kMaxNesting = 24; // braces and commands inside each other: well inside kMaxItemDepth

template <class T>
T* sized(T* item) {
    item->setFontSize(10, 6);
    item->setColour(0);
    return item;
}

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// Where a sequence of items ends.
enum Stop : unsigned {
    kEnd = 1,       // the end of the formula
    kBrace = 2,     // "}"
    kBracket = 4,   // "]" of \sqrt[n]
    kRight = 8,     // \right
    kRow = 16,      // \\ or \end, in cases; "&" is allowed there
};

class Parser {
public:
    Parser(std::string_view s, ItemList& list, LatexError& error) : s_(s), list_(list), error_(error) {}

    bool whole() {
        int count = 0;
        if (!sequence(kEnd, count)) return false;
        return true;
    }

private:
    // A text being gathered, and where its last atom starts (the base a script takes).
    struct Run {
        std::string text;
        std::size_t lastAtom = 0;
        void add(std::string_view atom) {
            lastAtom = text.size();
            text += atom;
        }
    };

    bool fail(std::size_t at, std::string what, std::string chinese, std::string english) {
        if (failed_) return false;
        failed_ = true;
        error_.offset = at;
        error_.what = std::move(what);
        error_.message = std::move(chinese);
        error_.english = std::move(english);
        return false;
    }

    void skipSpaces() {
        while (pos_ < s_.size() && (s_[pos_] == ' ' || s_[pos_] == '\t')) ++pos_;
    }

    void flush(Run& run, int& count) {
        if (run.text.empty()) return;
        list_.append(sized(newItem<TextItem>(std::move(run.text))));
        run = Run{};
        ++count;
    }

    // The command name after a backslash at pos_ (which is past the backslash): letters, or one
    // other character.
    std::string_view commandName() {
        const std::size_t start = pos_;
        if (pos_ < s_.size() && isLetter(s_[pos_])) {
            while (pos_ < s_.size() && isLetter(s_[pos_])) ++pos_;
        } else if (pos_ < s_.size()) {
            std::size_t n = 1;
            cp936::decodeAt(s_, pos_, n);
            pos_ += n;
        }
        return s_.substr(start, pos_ - start);
    }

    // Every item is appended to the list once, which owns it from then on; a part of a formula
    // is taken off the show again and stays owned.
    DrawItem* owned(DrawItem* item) {
        list_.append(item);
        list_.takeLast(1);
        return item;
    }

    // The last `n` items of the list off the show as one owned item: the item itself when there
    // is one, else a row; an empty text for none.
    DrawItem* combine(int n) {
        if (n == 0) return owned(sized(newItem<TextItem>(std::string())));
        std::vector<DrawItem*> items = list_.takeLast(n);
        if (n == 1) return items[0];
        auto* row = newItem<RowItem>(n);
        for (DrawItem* child : items) row->add(child);
        return owned(row);
    }

    // A new item on show; one too deep is owned but not shown.
    bool place(DrawItem* item, std::size_t at, int& count) {
        if (item->depth > kMaxItemDepth || item->braceDepth > kMaxBraceDepth) {
            owned(item);
            return fail(at, "", "公式嵌套太深", "formula nested too deep");
        }
        list_.append(item);
        ++count;
        return true;
    }

    // One argument of a command or script: a group in braces, or a single character or command.
    bool argument(const char* of, std::size_t at, DrawItem*& out) {
        skipSpaces();
        if (pos_ >= s_.size() || s_[pos_] == '}' || s_[pos_] == '&' || s_[pos_] == ']' ||
            (s_[pos_] == '\\' && pos_ + 1 < s_.size() && s_[pos_ + 1] == '\\'))
            return fail(at, of, std::string("“") + of + "”后缺少内容", std::string("nothing after \"") + of + "\"");
        int n = 0;
        if (s_[pos_] == '{') {
            const std::size_t open = pos_++;
            if (!group(kBrace, n)) return false;
            if (pos_ >= s_.size()) return fail(open, "{", "“{”没有对应的“}”", "\"{\" is never closed");
            ++pos_;
        } else {
            Run run;
            if (!token(run, n, kEnd)) return false;
            flush(run, n);
        }
        out = combine(n);
        return true;
    }

    // A sequence inside something, one level deeper.
    bool group(unsigned stop, int& count) {
        if (++nesting_ > kMaxNesting) return fail(pos_, "", "公式嵌套太深", "formula nested too deep");
        const bool ok = sequence(stop, count);
        --nesting_;
        return ok;
    }

    // Items up to what `stop` allows to end them; pos_ is left on that end.
    bool sequence(unsigned stop, int& count) {
        Run run;
        while (true) {
            skipSpaces();
            if (pos_ >= s_.size()) {
                flush(run, count);
                return true; // the caller names what is missing
            }
            const char c = s_[pos_];
            if (c == '}' && (stop & kBrace)) break;
            if (c == ']' && (stop & kBracket)) break;
            if (c == '\\' && pos_ + 1 < s_.size()) {
                const std::size_t save = pos_;
                ++pos_;
                const std::string_view name = commandName();
                pos_ = save;
                if ((name == "right" && (stop & kRight)) || ((name == "\\" || name == "end") && (stop & kRow))) break;
            }
            if (!token(run, count, stop)) return false;
        }
        flush(run, count);
        return true;
    }

    bool script(Run& run, int& count, char mark) {
        const std::size_t at = pos_++;
        skipSpaces();
        // ^\circ and ^{\circ}: a degree sign on the line, as textbooks print 60°.
        for (std::string_view degree : {"\\circ", "{\\circ}"})
            if (mark == '^' && s_.substr(pos_, degree.size()) == degree &&
                !(degree.size() == 5 && pos_ + 5 < s_.size() && isLetter(s_[pos_ + 5]))) {
                pos_ += degree.size();
                run.add("°");
                return true;
            }
        DrawItem* base = nullptr;
        if (!run.text.empty()) {
            std::string atom = run.text.substr(run.lastAtom);
            run.text.resize(run.lastAtom);
            flush(run, count);
            base = owned(sized(newItem<TextItem>(std::move(atom))));
        } else if (count > 0) {
            base = list_.takeLast(1)[0];
            --count;
        } else {
            base = owned(sized(newItem<TextItem>(std::string())));
        }
        DrawItem* arg = nullptr;
        if (!argument(mark == '^' ? "^" : "_", at, arg)) return false;
        DrawItem* item = mark == '^' ? static_cast<DrawItem*>(newItem<SuperscriptItem>(base, arg))
                                     : static_cast<DrawItem*>(newItem<SubscriptItem>(base, arg));
        return place(sized(item), at, count);
    }

    bool delimiter(const char* of, std::size_t at, char& out) {
        skipSpaces();
        if (pos_ >= s_.size()) return fail(at, of, std::string("“") + of + "”后缺少括号", std::string("no bracket after \"") + of + "\"");
        const char c = s_[pos_];
        if (c == '\\' && pos_ + 1 < s_.size() && (s_[pos_ + 1] == '{' || s_[pos_ + 1] == '}' || s_[pos_ + 1] == '|')) {
            out = s_[pos_ + 1] == '|' ? '|' : s_[pos_ + 1];
            pos_ += 2;
            return true;
        }
        if (c != '{' && c != '}' && FencedItem::isDelimiter(c)) {
            out = c;
            ++pos_;
            return true;
        }
        std::size_t n = 1;
        cp936::decodeAt(s_, pos_, n);
        const std::string what = std::string(of) + std::string(s_.substr(pos_, n));
        return fail(pos_, what, "“" + what + "”：括号只能是 ( ) [ ] | \\{ \\} 或 .",
                    "\"" + what + "\": the bracket must be one of ( ) [ ] | \\{ \\} .");
    }

    bool fenced(int& count, std::size_t at) {
        char left = 0, right = 0;
        if (!delimiter("\\left", at, left)) return false;
        int n = 0;
        if (!group(kRight, n)) return false;
        if (pos_ >= s_.size()) return fail(at, "\\left", "“\\left”没有对应的“\\right”", "\"\\left\" without \"\\right\"");
        const std::size_t rightAt = pos_;
        pos_ += 6; // \right
        if (!delimiter("\\right", rightAt, right)) return false;
        return place(sized(newItem<FencedItem>(left, combine(n), right)), at, count);
    }

    bool cases(int& count, std::size_t at) {
        std::vector<DrawItem*> rows;
        while (true) {
            int n = 0;
            if (!group(kRow, n)) return false;
            if (n > 0) rows.push_back(combine(n));
            if (pos_ >= s_.size()) return fail(at, "\\begin{cases}", "“\\begin{cases}”没有对应的“\\end{cases}”",
                                               "\"\\begin{cases}\" without \"\\end{cases}\"");
            if (s_.substr(pos_, 2) == "\\\\") {
                pos_ += 2;
                continue;
            }
            const std::size_t endAt = pos_;
            pos_ += 4; // \end
            if (s_.substr(pos_, 7) != "{cases}")
                return fail(endAt, "\\end", "“\\end”后应为“{cases}”", "\"\\end\" must be followed by \"{cases}\"");
            pos_ += 7;
            break;
        }
        auto* brace = newItem<BraceItem>(static_cast<int>(rows.size()));
        for (DrawItem* row : rows) brace->add(row);
        return place(brace, at, count);
    }

    // \text{…}: its characters as they are; a backslash takes the next character literally.
    bool text(Run& run, std::size_t at) {
        skipSpaces();
        if (pos_ >= s_.size() || s_[pos_] != '{') return fail(at, "\\text", "“\\text”后应为“{…}”", "\"\\text\" needs \"{…}\"");
        ++pos_;
        std::string out;
        int depth = 0;
        while (pos_ < s_.size()) {
            const char c = s_[pos_];
            if (c == '}' && depth == 0) {
                ++pos_;
                run.add(out);
                return true;
            }
            if (c == '\\' && pos_ + 1 < s_.size()) {
                std::size_t n = 1;
                cp936::decodeAt(s_, pos_ + 1, n);
                out += s_.substr(pos_ + 1, n);
                pos_ += 1 + n;
                continue;
            }
            depth += c == '{' ? 1 : c == '}' ? -1 : 0;
            out += c;
            ++pos_;
        }
        return fail(at, "\\text", "“\\text{”没有对应的“}”", "\"\\text{\" is never closed");
    }

    bool blackboard(Run& run, std::size_t at) {
        skipSpaces();
        static const Symbol sets[] = {{"R", "ℝ"}, {"N", "ℕ"}, {"Z", "ℤ"}, {"Q", "ℚ"}, {"C", "ℂ"}};
        for (const Symbol& b : sets) {
            const std::string braced = std::string("{") + b.name + "}";
            if (s_.substr(pos_, braced.size()) == braced) {
                pos_ += braced.size();
                run.add(b.text);
                return true;
            }
        }
        const std::size_t close = s_.find('}', pos_);
        const std::string what = "\\mathbb" + std::string(s_.substr(pos_, close == std::string_view::npos ? 1 : close + 1 - pos_));
        return fail(at, what, "不认识“" + what + "”：只有 \\mathbb{R} \\mathbb{N} \\mathbb{Z} \\mathbb{Q} \\mathbb{C}",
                    "unknown \"" + what + "\": only \\mathbb{R}, {N}, {Z}, {Q}, {C}");
    }

    bool command(Run& run, int& count) {
        const std::size_t at = pos_++;
        const std::string_view name = commandName();
        const std::string written = "\\" + std::string(name);
        if (name.empty()) return fail(at, "\\", "公式以“\\”结束", "the formula ends in \"\\\"");
        const std::string_view symbol = latexSymbol(name);
        if (!symbol.empty() || name == "!") {
            run.add(symbol);
            return true;
        }
        if (name == "frac" || name == "dfrac" || name == "tfrac") {
            flush(run, count);
            DrawItem *num = nullptr, *den = nullptr;
            if (!argument(written.c_str(), at, num)) return false;
            if (!argument(written.c_str(), at, den)) return false;
            return place(sized(newItem<FractionItem>(num, den)), at, count);
        }
        if (name == "sqrt") {
            flush(run, count);
            skipSpaces();
            DrawItem* index = nullptr;
            if (pos_ < s_.size() && s_[pos_] == '[') {
                const std::size_t open = pos_++;
                int n = 0;
                if (!group(kBracket, n)) return false;
                if (pos_ >= s_.size()) return fail(open, "\\sqrt[", "“\\sqrt[”没有对应的“]”", "\"\\sqrt[\" is never closed");
                ++pos_;
                index = combine(n);
            }
            DrawItem* radicand = nullptr;
            if (!argument("\\sqrt", at, radicand)) return false;
            return place(sized(newItem<RadicalItem>(radicand, index)), at, count);
        }
        if (name == "vec" || name == "overrightarrow" || name == "overline") {
            flush(run, count);
            DrawItem* child = nullptr;
            if (!argument(written.c_str(), at, child)) return false;
            const auto mark = name == "overline" ? OverItem::Mark::Bar : OverItem::Mark::Arrow;
            return place(sized(newItem<OverItem>(mark, child)), at, count);
        }
        if (name == "left") {
            flush(run, count);
            return fenced(count, at);
        }
        if (name == "begin") {
            if (s_.substr(pos_, 7) != "{cases}") {
                const std::size_t close = s_.find('}', pos_);
                const std::string what = "\\begin" + std::string(s_.substr(pos_, close == std::string_view::npos ? 0 : close + 1 - pos_));
                return fail(at, what, "不认识“" + what + "”：只能用 \\begin{cases}", "unknown \"" + what + "\": only \\begin{cases}");
            }
            pos_ += 7;
            flush(run, count);
            return cases(count, at);
        }
        if (name == "text" || name == "mathrm" || name == "textrm") return text(run, at);
        if (name == "mathbb") return blackboard(run, at);
        if (name == "right") return fail(at, written, "“\\right”前面没有“\\left”", "\"\\right\" without \"\\left\"");
        if (name == "end") return fail(at, written, "“\\end”前面没有“\\begin{cases}”", "\"\\end\" without \"\\begin{cases}\"");
        if (name == "\\") return fail(at, written, "“\\\\”只能用在 cases 中换行", "\"\\\\\" only breaks rows in cases");
        return fail(at, written, "不认识的命令“" + written + "”", "unknown command \"" + written + "\"");
    }

    // One thing: a character, a command, a group or a script.
    bool token(Run& run, int& count, unsigned stop) {
        const char c = s_[pos_];
        switch (c) {
        case '\\': return command(run, count);
        case '^':
        case '_': return script(run, count, c);
        case '{': {
            flush(run, count);
            const std::size_t open = pos_++;
            int n = 0;
            if (!group(kBrace, n)) return false;
            if (pos_ >= s_.size()) return fail(open, "{", "“{”没有对应的“}”", "\"{\" is never closed");
            ++pos_;
            // A group in braces stays a group, as the postfix "{ }" makes one.
            std::vector<DrawItem*> items = list_.takeLast(n);
            auto* row = newItem<RowItem>(n);
            for (DrawItem* child : items) row->add(child);
            return place(row, open, count);
        }
        case '}': return fail(pos_, "}", "多余的“}”", "\"}\" without \"{\"");
        case '&':
            if (!(stop & kRow)) return fail(pos_, "&", "“&”只能用在 cases 中", "\"&\" only in cases");
            ++pos_;
            run.add("  ");
            return true;
        case '~':
            ++pos_;
            run.add(" ");
            return true;
        default: {
            std::size_t n = 1;
            cp936::decodeAt(s_, pos_, n);
            run.add(s_.substr(pos_, n));
            pos_ += n;
            return true;
        }
        }
    }

    std::string_view s_;
    ItemList& list_;
    LatexError& error_;
    std::size_t pos_ = 0;
    int nesting_ = 0;
    bool failed_ = false;
};

} // namespace

std::string_view latexSymbol(std::string_view name) {
    for (const Symbol& s : kSymbols)
        if (name == s.name) return s.text;
    return {};
}

bool appendLatex(std::string_view formula, ItemList& list, LatexError& error) {
    const int before = list.count();
    Parser parser(formula, list, error);
    if (parser.whole()) return true;
    list.takeLast(list.count() - before); // still owned by the list, never shown
    return false;
}

} // namespace yhb
