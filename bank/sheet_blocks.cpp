// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/sheet_blocks.h"

#include <algorithm>
#include <numeric>

#include "bank/sheet_figure.h"

namespace yhb::sheet {
namespace {

// Breathing room under a block, in ems of the body.
constexpr double kAfterBlock = 0.5;
constexpr double kTitleScale = 1.5;

bool endsSentence(const Atom& a) { return a.kind == Atom::Kind::Text && (a.text == "。" || a.text == "．" || a.text == "."); }

// Inserts `atoms` before the paragraph's closing full stop, or at its end.
void beforeFullStop(Paragraph& p, const Paragraph& atoms) {
    auto at = !p.empty() && endsSentence(p.back()) ? p.end() - 1 : p.end();
    p.insert(at, atoms.begin(), atoms.end());
}

Paragraph joined(std::vector<Paragraph> ps) {
    Paragraph out;
    for (Paragraph& p : ps) out.insert(out.end(), p.begin(), p.end());
    return out;
}

double naturalWidth(const Paragraph& p) {
    double w = 0;
    for (std::size_t i = 0; i < p.size(); ++i) w += (i ? p[i].gapBefore : 0) + p[i].width;
    return w;
}

} // namespace

std::string chineseOrdinal(int n) {
    static const char* const digits[] = {"零", "一", "二", "三", "四", "五", "六", "七", "八", "九", "十"};
    if (n >= 0 && n <= 10) return digits[n];
    if (n < 20) return std::string("十") + digits[n - 10];
    return std::to_string(n);
}

std::string sectionSentence(QuestionType type, const std::vector<int>& scores) {
    const int total = std::accumulate(scores.begin(), scores.end(), 0);
    const bool even = std::all_of(scores.begin(), scores.end(), [&](int s) { return s == scores.front(); });
    std::string out = "本题共 " + std::to_string(scores.size()) + " 小题，";
    if (even && !scores.empty()) out += "每小题 " + std::to_string(scores.front()) + " 分，";
    out += "共 " + std::to_string(total) + " 分。";
    switch (type) {
    case QuestionType::Choice: out += "在每小题给出的选项中，只有一项是符合题目要求的。"; break;
    case QuestionType::Blank: break;
    case QuestionType::Solution: out += "解答应写出文字说明、证明过程或演算步骤。"; break;
    }
    return out;
}

// Lines going down a block: each baseline a pitch below the last, or further when formulas
// reach further.
struct BlockSetter::Pen {
    Block& b;
    double size, pitch, textAscent, textDescent;
    double baseline = 0, descent = 0, top = 0;
    bool any = false;

    double next(double ascent, double below) {
        ascent = std::max(ascent, textAscent);
        below = std::max(below, textDescent);
        double base;
        if (!any) {
            base = top + ascent;
        } else {
            base = baseline + std::max(pitch, descent + ascent + 0.3 * size);
            b.cuts.push_back((baseline + descent + base - ascent) / 2);
        }
        baseline = base;
        descent = below;
        any = true;
        return base;
    }
    double bottom() const { return any ? baseline + descent : top; }
    // Leaves `h` empty below what is set.
    void space(double h) {
        if (any) b.cuts.push_back(bottom());
        top = bottom() + h;
        any = false;
    }
    void reach(double y) {
        if (bottom() < y) space(y - bottom());
    }
    void paragraph(const Paragraph& p, double x, double width, double firstWidth) {
        for (const Line& l : breakLines(p, width, firstWidth)) inkLine(p, l, x, next(l.ascent, l.descent), b.ink);
    }
    void centred(const Paragraph& p, double width) {
        for (const Line& l : breakLines(p, width, width, false)) inkLine(p, l, std::max(0.0, (width - l.width) / 2), next(l.ascent, l.descent), b.ink);
    }
    void finish() {
        b.height = bottom() + kAfterBlock * size;
    }
};

BlockSetter::Pen BlockSetter::pen(Block& b, double size) const {
    const TextExtent e = s_.measureText("国", {size, false});
    return Pen{b, size, 1.7 * size, e.ascent, e.descent};
}

Block BlockSetter::header(const std::string& title, const std::string& subtitle) const {
    Block b;
    const double size = style_.size;
    if (!title.empty()) {
        const double big = size * kTitleScale;
        Pen titlePen = this->pen(b, big);
        titlePen.centred(textParagraph(title, s_, big, style_.width), style_.width);
        b.height = titlePen.bottom() + 0.4 * size;
    }
    Pen pen = this->pen(b, size);
    pen.top = b.height;
    if (!subtitle.empty()) pen.centred(textParagraph(subtitle, s_, size, style_.width), style_.width);
    Paragraph info;
    for (const char* field : {"班级", "姓名", "学号", "得分"}) {
        Atom a = wordAtom(field, s_, size);
        if (!info.empty()) a.gapBefore = 2 * size;
        info.push_back(a);
        info.push_back(blankAtom(s_, size, 5));
    }
    if (!subtitle.empty()) pen.space(0.3 * size);
    pen.centred(info, style_.width);
    pen.finish();
    b.height += 0.5 * size;
    return b;
}

Block BlockSetter::section(int ordinal, QuestionType type, const std::vector<int>& scores) const {
    Block b;
    Pen pen = this->pen(b, style_.size);
    const std::string text = chineseOrdinal(ordinal) + "、" + questionTypeName(type) + "：" + sectionSentence(type, scores);
    pen.top = 0.3 * style_.size;
    pen.paragraph(textParagraph(text, s_, style_.size, style_.width), 0, style_.width, style_.width);
    pen.finish();
    return b;
}

Block BlockSetter::heading(const std::string& text) const {
    Block b;
    const double big = style_.size * kTitleScale;
    Pen pen = this->pen(b, big);
    pen.centred(textParagraph(text, s_, big, style_.width), style_.width);
    pen.finish();
    return b;
}

Paragraph BlockSetter::options(const SheetQuestion& q, std::size_t i) const {
    Paragraph p;
    p.push_back(wordAtom(std::string(1, q.meta.choices[i].letter) + "．", s_, style_.size));
    Paragraph body = joined(paragraphsOf(*q.choices[i], s_, style_.size, style_.width));
    if (!body.empty()) body.front().gapBefore = 0;
    p.insert(p.end(), body.begin(), body.end());
    return p;
}

int BlockSetter::optionColumns(const SheetQuestion& q) const {
    const double indent = s_.measureText("00．", {style_.size, false}).width;
    const bool figureRight = !q.figures.empty() && style_.width - indent - kFigureWidth - style_.size >= 20 * style_.size;
    const double avail = style_.width - indent - (figureRight ? kFigureWidth + style_.size : 0);
    double widest = 0;
    for (std::size_t i = 0; i < q.choices.size(); ++i) widest = std::max(widest, naturalWidth(options(q, i)));
    for (int cols : {4, 2})
        if (static_cast<int>(q.choices.size()) >= cols && widest <= avail / cols - style_.size) return cols;
    return 1;
}

Block BlockSetter::question(const SheetQuestion& q, int number) const {
    Block b;
    const double size = style_.size;
    Pen pen = this->pen(b, size);
    const double indent = style_.numbered ? s_.measureText("00．", {size, false}).width : 0;
    const bool figured = !q.figures.empty();
    const bool figureRight = figured && style_.width - indent - kFigureWidth - size >= 20 * size;
    const double textWidth = style_.width - indent - (figureRight ? kFigureWidth + size : 0);

    std::vector<Paragraph> stem = paragraphsOf(q.question, s_, size, textWidth);
    while (stem.size() > 1 && stem.back().empty()) stem.pop_back();
    const QuestionType type = q.meta.type;
    if (type == QuestionType::Solution) {
        const Paragraph score = keptTogether(textParagraph("（" + std::to_string(q.meta.points()) + " 分）", s_, size));
        if (style_.numbered) stem.front().insert(stem.front().begin(), score.begin(), score.end());
    } else if (type == QuestionType::Choice) {
        beforeFullStop(stem.back(), keptTogether(textParagraph("（　　）", s_, size)));
    } else {
        bool blank = false;
        for (const Paragraph& p : stem)
            for (const Atom& a : p) blank = blank || a.kind == Atom::Kind::Blank;
        if (!blank) beforeFullStop(stem.back(), {blankAtom(s_, size)});
    }

    // The number hangs in the margin of the text.
    bool first = true;
    for (const Paragraph& p : stem) {
        if (p.empty()) continue;
        for (const Line& l : breakLines(p, textWidth, textWidth)) {
            const double base = pen.next(l.ascent, l.descent);
            if (first && style_.numbered) inkAtom(wordAtom(std::to_string(number) + "．", s_, size), 0, base, b.ink);
            first = false;
            inkLine(p, l, indent, base, b.ink);
        }
    }
    if (first && style_.numbered) inkAtom(wordAtom(std::to_string(number) + "．", s_, size), 0, pen.next(0, 0), b.ink);

    double figureBottom = 0;
    auto placeFigures = [&](double x, double y) {
        for (const std::string& line : q.figures) {
            Ink f;
            f.kind = Ink::Kind::Figure;
            f.x = x;
            f.y = y;
            f.x1 = x + kFigureWidth;
            f.y1 = y + kFigureHeight;
            f.text = line;
            b.ink.push_back(f);
            y += kFigureHeight + 0.3 * size;
            figureBottom = f.y1;
        }
    };
    if (figureRight) placeFigures(style_.width - kFigureWidth, 0);

    if (!q.choices.empty()) {
        const int cols = optionColumns(q);
        const double cell = textWidth / cols;
        for (std::size_t row = 0; row < q.choices.size(); row += static_cast<std::size_t>(cols)) {
            if (cols == 1) {
                Paragraph p = options(q, row);
                const double label = p.front().width;
                Paragraph body(p.begin() + 1, p.end());
                bool firstLine = true;
                for (const Line& l : breakLines(body, textWidth - label, textWidth - label)) {
                    const double base = pen.next(l.ascent, l.descent);
                    if (firstLine) inkAtom(p.front(), indent, base, b.ink);
                    firstLine = false;
                    inkLine(body, l, indent + label, base, b.ink);
                }
                continue;
            }
            std::vector<Paragraph> ps;
            double ascent = 0, descent = 0;
            for (std::size_t i = row; i < std::min(q.choices.size(), row + static_cast<std::size_t>(cols)); ++i) {
                ps.push_back(options(q, i));
                for (const Atom& a : ps.back()) {
                    ascent = std::max(ascent, a.ascent);
                    descent = std::max(descent, a.descent);
                }
            }
            const double base = pen.next(ascent, descent);
            for (std::size_t k = 0; k < ps.size(); ++k) {
                double x = indent + static_cast<double>(k) * cell;
                for (std::size_t i = 0; i < ps[k].size(); ++i) {
                    if (i) x += ps[k][i].gapBefore;
                    inkAtom(ps[k][i], x, base, b.ink);
                    x += ps[k][i].width;
                }
            }
        }
    }
    if (figureRight) pen.reach(figureBottom);
    if (figured && !figureRight) {
        pen.space(0.3 * size);
        placeFigures(indent, pen.top);
        pen.top = figureBottom;
    }

    if (style_.answersInline) {
        std::vector<Paragraph> answer = paragraphsOf(q.answer, s_, size, style_.width - indent);
        Paragraph label = textParagraph(type == QuestionType::Solution ? "【解答】" : "【答案】", s_, size);
        for (Atom& a : label) a.style.size = size;
        bool labelled = false;
        for (Paragraph& p : answer) {
            if (p.empty()) continue;
            if (!labelled) p.insert(p.begin(), label.begin(), label.end());
            labelled = true;
            pen.paragraph(p, indent, style_.width - indent, style_.width - indent);
        }
    } else if (type == QuestionType::Solution && style_.numbered) {
        pen.space(q.meta.spaceLines() * pitch());
    }
    pen.finish();
    return b;
}

Block BlockSetter::answer(const SheetQuestion& q, int number) const {
    Block b;
    const double size = style_.size;
    Pen pen = this->pen(b, size);
    const double indent = style_.numbered ? s_.measureText("00．", {size, false}).width : 0;
    const std::string label = style_.numbered ? std::to_string(number) + "．" : std::string();
    bool first = true;
    for (const Paragraph& p : paragraphsOf(q.answer, s_, size, style_.width - indent)) {
        if (p.empty()) continue;
        for (const Line& l : breakLines(p, style_.width - indent, style_.width - indent)) {
            const double base = pen.next(l.ascent, l.descent);
            if (first && !label.empty()) inkAtom(wordAtom(label, s_, size), 0, base, b.ink);
            first = false;
            inkLine(p, l, indent, base, b.ink);
        }
    }
    if (first) inkAtom(wordAtom(label + "（本题没有解答）", s_, size), 0, pen.next(0, 0), b.ink);
    pen.finish();
    return b;
}

} // namespace yhb::sheet
