// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/worksheet.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <unordered_set>

#include "bank/bank_text.h"
#include "bank/question_reader.h"
#include "bank/sheet_figure.h"
#include "gfx/cp936.h"
#include "items/math_items.h"

namespace yhb {

// ---- which questions ------------------------------------------------------------

// splitmix64: small, fast and the same everywhere, unlike the standard distributions.
std::uint64_t SheetRandom::next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

std::uint32_t SheetRandom::below(std::uint32_t n) {
    if (n == 0) return 0;
    // Rejection keeps every value equally likely.
    const std::uint64_t limit = std::numeric_limits<std::uint64_t>::max() -
                                std::numeric_limits<std::uint64_t>::max() % n;
    std::uint64_t r;
    do r = next();
    while (r >= limit);
    return static_cast<std::uint32_t>(r % n);
}

std::vector<std::string> sheetCandidates(const Catalogue& catalogue, const std::vector<int>& categories) {
    std::vector<std::string> out;
    std::unordered_set<std::string> seen;
    for (int index : categories) {
        const BankCategory* c = catalogue.category(index);
        if (!c) continue;
        for (const std::string& path : c->questionPaths)
            if (seen.insert(path).second) out.push_back(path);
    }
    return out;
}

bool pickSheetQuestions(const std::vector<std::string>& candidates, SheetPick pick, int count, std::uint32_t seed,
                        std::vector<std::string>& picked, Problem& problem) {
    const int available = static_cast<int>(candidates.size());
    if (available == 0) {
        problem = problemAt(0, "所选分类中没有题目");
        return false;
    }
    if (pick == SheetPick::All) {
        picked = candidates;
        return true;
    }
    if (count < 1 || count > available) {
        char text[120];
        std::snprintf(text, sizeof text, "题数应在 1 到 %d 之间（所选分类共有 %d 道题），现在是 %d", available, available,
                      count);
        problem = problemAt(0, text);
        return false;
    }
    if (pick == SheetPick::First) {
        picked.assign(candidates.begin(), candidates.begin() + count);
        return true;
    }
    // The first `count` places of a Fisher-Yates shuffle, then back in the bank's order.
    std::vector<int> order(static_cast<std::size_t>(available));
    for (int i = 0; i < available; ++i) order[static_cast<std::size_t>(i)] = i;
    SheetRandom random(seed);
    for (int i = 0; i < count; ++i) {
        const int j = i + static_cast<int>(random.below(static_cast<std::uint32_t>(available - i)));
        std::swap(order[static_cast<std::size_t>(i)], order[static_cast<std::size_t>(j)]);
    }
    order.resize(static_cast<std::size_t>(count));
    std::sort(order.begin(), order.end());
    picked.clear();
    for (int i : order) picked.push_back(candidates[static_cast<std::size_t>(i)]);
    return true;
}

std::string defaultSheetTitle(const std::vector<std::string>& categoryNames, int year, int month, int day) {
    std::string title;
    const std::size_t shown = std::min<std::size_t>(categoryNames.size(), 3);
    for (std::size_t i = 0; i < shown; ++i) {
        // The menu's ★ that set an aggregate apart is no part of a sheet's title.
        std::string name = categoryNames[i];
        for (std::size_t star; (star = name.find("★")) != std::string::npos;) name.erase(star, std::string("★").size());
        title += (i ? "、" : "") + name;
    }
    if (categoryNames.size() > shown) title += "等";
    char date[64];
    std::snprintf(date, sizeof date, "%s%d年%d月%d日", title.empty() ? "" : " ", year, month, day);
    return title + date;
}

namespace {

// Digits and signs as the small raised or lowered characters that plain text has for them.
constexpr const char* kSuperscripts[] = {"⁰", "¹", "²", "³", "⁴", "⁵", "⁶", "⁷", "⁸", "⁹", "⁺", "⁻", "ⁿ"};
constexpr const char* kSubscripts[] = {"₀", "₁", "₂", "₃", "₄", "₅", "₆", "₇", "₈", "₉", "₊", "₋", "ₙ"};

// x², a₁, a⁻¹ where each character has its small form; else x^(m+1), as a reader types it.
std::string raised(const std::string& text, const char* const (&small)[13], const char* mark) {
    std::string out;
    for (std::size_t k = 0; k < text.size(); ++k) {
        const char c = text[k];
        if (c >= '0' && c <= '9') out += small[c - '0'];
        else if (c == '+') out += small[10];
        else if (c == '-') out += small[11];
        else if (text.compare(k, 3, "−") == 0) out += small[11], k += 2;
        else if (c == 'n') out += small[12];
        else return text.size() == 1 ? mark + text : std::string(mark) + "(" + text + ")";
    }
    return out;
}

// Formulas as a line of plain text: x², F₁ and fractions written inline.
void flatten(const DrawItem* item, std::string& out) {
    if (const auto* t = dynamic_cast<const TextItem*>(item)) {
        out += t->text;
    } else if (const auto* b = dynamic_cast<const BraceItem*>(item)) {
        for (std::size_t i = 0; i < b->children().size(); ++i) {
            if (i) out += "，";
            flatten(b->children()[i], out);
        }
    } else if (const auto* g = dynamic_cast<const GroupItem*>(item)) {
        for (const DrawItem* ch : g->children()) flatten(ch, out);
    } else if (const auto* f = dynamic_cast<const FractionItem*>(item)) {
        flatten(f->numerator, out);
        out += "/";
        flatten(f->denominator, out);
    } else if (const auto* r = dynamic_cast<const RadicalItem*>(item)) {
        if (r->index) flatten(r->index, out);
        out += "√";
        flatten(r->child, out);
    } else if (const auto* f = dynamic_cast<const FencedItem*>(item)) {
        if (f->left != '.') out += f->left;
        flatten(f->child, out);
        if (f->right != '.') out += f->right;
    } else if (const auto* o = dynamic_cast<const OverItem*>(item)) {
        flatten(o->child, out);
        out += o->mark == OverItem::Mark::Arrow ? "\u20D7" : "\u0305"; // combining arrow or bar over the last letter
    } else if (const auto* s = dynamic_cast<const SuperscriptItem*>(item)) {
        flatten(s->base, out);
        std::string e;
        flatten(s->exponent, e);
        out += raised(e, kSuperscripts, "^");
    } else if (const auto* x = dynamic_cast<const SubscriptItem*>(item)) {
        flatten(x->base, out);
        std::string i;
        flatten(x->index, i);
        out += raised(i, kSubscripts, "_");
    }
}

} // namespace

std::string questionFirstLine(const std::string& path, std::size_t maxBytes) { return questionPreview(path, maxBytes).firstLine; }

std::vector<std::size_t> sheetOrder(const std::vector<QuestionPreview>& questions) {
    std::vector<std::size_t> order;
    for (QuestionType t : {QuestionType::Choice, QuestionType::Blank, QuestionType::Solution})
        for (std::size_t i = 0; i < questions.size(); ++i)
            if (questions[i].type == t) order.push_back(i);
    return order;
}

QuestionPreview questionPreview(const std::string& path, std::size_t maxBytes) {
    QuestionPreview out;
    std::string bytes;
    if (!readQuestionFile(path, bytes)) return out;
    QuestionAtLines meta;
    ItemList question(50), answer(50);
    const bool read = parseQuestion(bytes, question, answer, nullptr, meta);
    out.type = meta.type;
    out.points = meta.points();
    if (!read) return out;
    out.readable = true;
    std::string line;
    for (const DrawItem* item : question.display()) {
        if (item->width() == 0) { // a line break
            if (line.empty()) continue;
            break;
        }
        flatten(item, line);
        if (cp936::cp936Width(line) > static_cast<int>(maxBytes)) break;
    }
    if (cp936::cp936Width(line) <= static_cast<int>(maxBytes))
        out.firstLine = line;
    else
        out.firstLine = line.substr(0, cp936::byteAtCell(line, static_cast<int>(maxBytes))) + "…";
    return out;
}

// ---- the sheet ------------------------------------------------------------------

namespace {

constexpr double kMmPerPoint = 25.4 / 72;

} // namespace

SheetGeometry sheetGeometry(SheetLayout layout) {
    if (layout == SheetLayout::A3) return {4200, 2970, 2, 200};
    return {2100, 2970, 1, 0};
}

std::string defaultSubtitle(int totalPoints) {
    const int minutes = std::max(10, (totalPoints * 4 / 5 + 4) / 5 * 5);
    return "满分 " + std::to_string(totalPoints) + " 分　考试时间 " + std::to_string(minutes) + " 分钟";
}

double sheetTextSize(double points) { return points * kMmPerPoint * kSheetUnitsPerMm; }

Worksheet::Worksheet() = default;
Worksheet::~Worksheet() = default;

bool Worksheet::load(const std::vector<std::string>& paths, Problem& problem) {
    if (paths.empty()) {
        problem = problemAt(0, "没有选择任何题目");
        return false;
    }
    std::vector<std::unique_ptr<SheetQuestion>> questions;
    for (const std::string& path : paths) {
        auto q = std::make_unique<SheetQuestion>();
        if (!readSheetQuestion(path, *q, problem)) return false;
        if (q->answer.count() == 0) q->answer.append(newItem<TextItem>("（本题没有解答）"));
        questions.push_back(std::move(q));
    }
    questions_ = std::move(questions);
    // Sections in the order 选择题, 填空题, 解答题; the chosen order within each.
    order_.clear();
    for (QuestionType t : {QuestionType::Choice, QuestionType::Blank, QuestionType::Solution})
        for (std::size_t i = 0; i < questions_.size(); ++i)
            if (questions_[i]->meta.type == t) order_.push_back(i);
    blocks_.clear();
    pieces_.clear();
    pages_ = 0;
    return true;
}

int Worksheet::totalPoints() const {
    int total = 0;
    for (const auto& q : questions_) total += q->meta.points();
    return total;
}

bool Worksheet::layout(const SheetStyle& style, Problem& problem) {
    const NullSurface table;
    return layout(style, table, problem);
}

bool Worksheet::layout(const SheetStyle& style, const Surface& measure, Problem& problem) {
    if (!(style.points >= kSheetMinPoints && style.points <= kSheetMaxPoints)) {
        char text[96];
        std::snprintf(text, sizeof text, "字号应在 %g 到 %g 磅之间", kSheetMinPoints, kSheetMaxPoints);
        problem = problemAt(0, text);
        return false;
    }
    style_ = style;
    geometry_ = sheetGeometry(style.layout);
    const double size = sheetTextSize(style.points);
    footerSize_ = size * 0.85;
    const bool inline_ = style.edition == SheetEdition::Teacher && !style.answers;
    const sheet::BlockSetter setter(measure, {size, static_cast<double>(geometry_.columnWidth()), inline_});

    blocks_.clear();
    std::vector<bool> keepWithNext;
    auto add = [&](sheet::Block b, bool keep) {
        blocks_.push_back(std::move(b));
        keepWithNext.push_back(keep);
    };
    add(setter.header(style.title, style.ownSubtitle ? style.subtitle : defaultSubtitle(totalPoints())), false);
    int section = 0;
    for (std::size_t i = 0; i < order_.size();) {
        const QuestionType type = questions_[order_[i]]->meta.type;
        std::vector<int> scores;
        std::size_t j = i;
        for (; j < order_.size() && questions_[order_[j]]->meta.type == type; ++j) scores.push_back(questions_[order_[j]]->meta.points());
        add(setter.section(++section, type, scores), true);
        for (; i < j; ++i) add(setter.question(*questions_[order_[i]], static_cast<int>(i) + 1), false);
    }
    if (style.answers) {
        sheet::Block heading = setter.heading("参考答案");
        heading.freshColumn = true;
        add(std::move(heading), true);
        for (std::size_t i = 0; i < order_.size(); ++i) add(setter.answer(*questions_[order_[i]], static_cast<int>(i) + 1), false);
    }

    // Whole blocks down the columns; a heading goes with the block after it; a block taller
    // than a column is cut between its lines.
    pieces_.clear();
    const double height = geometry_.columnHeight();
    int column = 0;
    double y = 0;
    auto nextColumn = [&] {
        ++column;
        y = 0;
    };
    for (std::size_t k = 0; k < blocks_.size(); ++k) {
        const sheet::Block& b = blocks_[k];
        double need = b.height;
        if (keepWithNext[k] && k + 1 < blocks_.size()) need += std::min(blocks_[k + 1].height, height - b.height);
        if (y > 0 && (b.freshColumn || y + need > height)) nextColumn();
        auto at = [&](double from, double to, bool part) {
            const int page = column / geometry_.columns;
            pieces_.push_back({page, static_cast<double>(geometry_.columnLeft(column % geometry_.columns)), kSheetMargin + y, k, from,
                               to, part});
        };
        if (b.height <= height) {
            at(0, b.height, false);
            y += b.height;
            continue;
        }
        double from = 0;
        for (;;) {
            double to = from + (height - y);
            if (to >= b.height) {
                at(from, b.height, true);
                y += b.height - from;
                break;
            }
            double cut = from;
            for (double c : b.cuts)
                if (c > from && c <= to) cut = c;
            if (cut <= from) cut = to; // a single line taller than a column
            at(from, cut, true);
            from = cut;
            nextColumn();
        }
    }
    pages_ = column / geometry_.columns + 1;
    return true;
}

std::string Worksheet::footer(int page) const {
    char text[64];
    std::snprintf(text, sizeof text, "第 %d 页 共 %d 页", page + 1, pages_);
    return text;
}

void Worksheet::paintPage(Surface& s, int page, const ClipFn& clip, const FigureFn& figure) const {
    if (page < 0 || page >= pages_) return;
    s.setBkMode(BkMode::Transparent);
    s.setTextColour(kBlack);
    for (const Piece& p : pieces_) {
        if (p.page != page) continue;
        const sheet::Block& b = blocks_[p.block];
        const double dx = p.x, dy = p.y - p.from;
        if (p.part && clip) clip(true, p.x, p.y, p.x + geometry_.columnWidth(), p.y + (p.to - p.from));
        for (const sheet::Ink& ink : b.ink) {
            switch (ink.kind) {
            case sheet::Ink::Kind::Text:
            case sheet::Ink::Kind::Rule:
                if (!clip && p.part && (ink.y < p.from || ink.y > p.to)) break;
                sheet::drawInk(s, ink, dx, dy);
                break;
            case sheet::Ink::Kind::Figure:
                if (ink.y < p.from || ink.y >= p.to) break;
                if (figure) {
                    figure(dx + ink.x, dy + ink.y, ink.text);
                } else {
                    const Point origin = s.origin();
                    drawFigure(s, ink.text);
                    s.setOrigin(origin.x, origin.y);
                    s.setBkMode(BkMode::Transparent);
                    s.setTextColour(kBlack);
                }
                break;
            }
        }
        if (p.part && clip) clip(false, 0, 0, 0, 0);
    }
    const std::string foot = footer(page);
    const TextStyle style{footerSize_, false};
    const double width = s.measureText(foot, style).width;
    s.setTextColour(kBlack);
    s.drawText((geometry_.pageWidth - width) / 2, geometry_.pageHeight - kSheetMargin / 2.0, foot, style);
}

} // namespace yhb
