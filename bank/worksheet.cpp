// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/worksheet.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <unordered_set>

#include "bank/question_reader.h"
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
    for (std::size_t i = 0; i < shown; ++i) title += (i ? "、" : "") + categoryNames[i];
    if (categoryNames.size() > shown) title += "等";
    char date[64];
    std::snprintf(date, sizeof date, "%s%d年%d月%d日", title.empty() ? "" : " ", year, month, day);
    return title + date;
}

namespace {

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
        out += "^";
        flatten(s->exponent, out);
    } else if (const auto* x = dynamic_cast<const SubscriptItem*>(item)) {
        flatten(x->base, out);
        flatten(x->index, out);
    }
}

} // namespace

std::string questionFirstLine(const std::string& path, std::size_t maxBytes) {
    std::string bytes;
    if (!readQuestionFile(path, bytes)) return {};
    ItemList question(50), answer(50);
    if (!parseQuestion(bytes, question, answer)) return {};
    std::string line;
    for (const DrawItem* item : question.display()) {
        if (item->width() == 0) { // a line break
            if (line.empty()) continue;
            break;
        }
        flatten(item, line);
        if (cp936::cp936Width(line) > static_cast<int>(maxBytes)) break;
    }
    if (cp936::cp936Width(line) <= static_cast<int>(maxBytes)) return line;
    return line.substr(0, cp936::byteAtCell(line, static_cast<int>(maxBytes))) + "…";
}

// ---- the sheet ------------------------------------------------------------------

namespace {

constexpr double kMmPerPoint = 25.4 / 72;
constexpr CellFont kFooterFont{35, 19};
constexpr int kFooterTop = kSheetPageHeight - kSheetMargin + 80;

// Where a drawing reaches vertically: a block may be cut only where nothing is drawn across.
class ExtentSurface : public SurfaceState {
public:
    void lineTo(int x, int y) override {
        add(std::min(current_.y, y), std::max(current_.y, y) + 1);
        current_ = {x, y};
    }
    void polyline(const Point* pts, int count) override {
        for (int i = 0; i < count; ++i) add(pts[i].y, pts[i].y + 1);
    }
    void ellipse(int, int top, int, int bottom) override { add(top, bottom); }
    void fillRect(int, int top, int, int bottom, Colour) override { add(top, bottom); }
    void textOut(int, int y, std::string_view, CellFont font) override { add(y, y + font.height); }

    // The spans (a, b) inside which no cut may fall, merged and in order.
    std::vector<std::pair<int, int>> covered() {
        std::sort(spans_.begin(), spans_.end());
        std::vector<std::pair<int, int>> out;
        for (const auto& s : spans_) {
            if (!out.empty() && s.first < out.back().second)
                out.back().second = std::max(out.back().second, s.second);
            else
                out.push_back(s);
        }
        return out;
    }

private:
    void add(int a, int b) {
        if (b > a) spans_.emplace_back(a, b);
    }
    std::vector<std::pair<int, int>> spans_;
};

} // namespace

struct Worksheet::Entry {
    std::string path;
    ItemList question{800};
    ItemList answer{800};
};

Worksheet::Worksheet() = default;
Worksheet::~Worksheet() = default;

CellFont sheetCell(double points) {
    const int height = static_cast<int>(std::lround(points * kMmPerPoint * kSheetUnitsPerMm));
    return {height, static_cast<int>(std::lround(height * 20.0 / 36.0))};
}

bool Worksheet::load(const std::vector<std::string>& paths, Problem& problem) {
    if (paths.empty()) {
        problem = problemAt(0, "没有选择任何题目");
        return false;
    }
    // The path as the message has always shown it: its bytes read as CP936.
    const auto refuse = [&problem](const std::string& path, const std::string& before, const std::string& after) {
        problem = problemAt(0, before + path + after);
        problem.file = path;
        return false;
    };
    std::vector<std::unique_ptr<Entry>> entries;
    for (const std::string& path : paths) {
        auto e = std::make_unique<Entry>();
        e->path = path;
        std::string bytes;
        if (!readQuestionFile(path, bytes)) return refuse(path, "无法读取题目文件“", "”");
        if (!parseQuestion(bytes, e->question, e->answer)) return refuse(path, "题目文件“", "”的第一行不是“function”");
        if (e->answer.count() == 0) e->answer.append(newItem<TextItem>("（本题没有解答）"));
        entries.push_back(std::move(e));
    }
    entries_ = std::move(entries);
    pieces_.clear();
    pages_ = 0;
    return true;
}

const ItemList* Worksheet::listOf(Kind kind, int number) const {
    switch (kind) {
    case Kind::Title:
        return &title_;
    case Kind::AnswersHeading:
        return &heading_;
    case Kind::Question:
        return &entries_[static_cast<std::size_t>(number - 1)]->question;
    case Kind::Answer:
        return &entries_[static_cast<std::size_t>(number - 1)]->answer;
    }
    return nullptr;
}

// Room for the widest number, "12." and a cell's space.
int Worksheet::indent() const {
    int digits = 1;
    for (int n = questionCount(); n >= 10; n /= 10) ++digits;
    return (digits + 2) * cell_.width;
}

int Worksheet::blockHeight(Kind kind, int number) const {
    const ItemList* list = listOf(kind, number);
    if (kind == Kind::Title || kind == Kind::AnswersHeading) return list->measure(kSheetTextWidth);
    return std::max(list->measure(kSheetTextWidth - indent()), cell_.height);
}

// A heading is centred when it fits on one line; questions and answers hang behind their number.
void Worksheet::paintBlock(Surface& s, Kind kind, int number, int x, int y) const {
    const ItemList* list = listOf(kind, number);
    if (kind == Kind::Title || kind == Kind::AnswersHeading) {
        int width = 0;
        for (const DrawItem* item : list->display()) width += item->width();
        const int left = width < kSheetTextWidth ? (kSheetTextWidth - width) / 2 : 0;
        list->draw(s, x + left, y, kSheetTextWidth - left, kSheetTextHeight);
        return;
    }
    s.setBkMode(BkMode::Transparent);
    s.setTextColour(kBlack);
    s.textOut(x, y, std::to_string(number) + ".", cell_);
    list->draw(s, x + indent(), y, kSheetTextWidth - indent(), kSheetTextHeight);
}

std::vector<std::pair<int, int>> Worksheet::coveredSpans(Kind kind, int number) const {
    ExtentSurface extents;
    paintBlock(extents, kind, number, 0, 0);
    return extents.covered();
}

bool Worksheet::layout(const SheetStyle& style, Problem& problem) {
    if (!(style.points >= kSheetMinPoints && style.points <= kSheetMaxPoints)) {
        char text[96];
        std::snprintf(text, sizeof text, "字号应在 %g 到 %g 磅之间", kSheetMinPoints, kSheetMaxPoints);
        problem = problemAt(0, text);
        return false;
    }
    style_ = style;
    cell_ = sheetCell(style.points);
    const CellFont big{cell_.height * 3 / 2, cell_.width * 3 / 2};
    title_.clear();
    if (!style.title.empty()) title_.append(newItem<TextItem>(style.title));
    heading_.clear();
    heading_.append(newItem<TextItem>("参考答案"));
    title_.setFontSize(big.width, big.height);
    heading_.setFontSize(big.width, big.height);
    for (auto& e : entries_) {
        e->question.setFontSize(cell_.width, cell_.height);
        e->answer.setFontSize(cell_.width, cell_.height);
    }

    pieces_.clear();
    int page = 0, y = 0;
    const int gap = cell_.height / 2;
    auto place = [&](Kind kind, int number, bool freshPage) {
        const int h = blockHeight(kind, number);
        if (y > 0 && (freshPage || y + h > kSheetTextHeight)) {
            ++page;
            y = 0;
        }
        if (h <= kSheetTextHeight) {
            pieces_.push_back({kind, number, page, y, 0, h, false});
            y += h + gap;
            return;
        }
        // Longer than a page: cut between its lines, or where a page ends when a single
        // line is taller than that.
        const std::vector<std::pair<int, int>> spans = coveredSpans(kind, number);
        int from = 0;
        for (;;) {
            int to = std::min(h, from + kSheetTextHeight);
            for (const auto& [a, b] : spans)
                if (a < to && to < b && a > from) to = a;
            pieces_.push_back({kind, number, page, y, from, to, true});
            if (to >= h) {
                y += to - from + gap;
                return;
            }
            from = to;
            ++page;
            y = 0;
        }
    };
    if (title_.count() > 0) place(Kind::Title, 0, false);
    for (int n = 1; n <= questionCount(); ++n) place(Kind::Question, n, false);
    if (style.answers) {
        place(Kind::AnswersHeading, 0, true);
        for (int n = 1; n <= questionCount(); ++n) place(Kind::Answer, n, false);
    }
    pages_ = page + 1;
    return true;
}

std::string Worksheet::footer(int page) const {
    char text[64];
    std::snprintf(text, sizeof text, "第 %d 页 共 %d 页", page + 1, pages_);
    return text;
}

void Worksheet::paintPage(Surface& s, int page, const ClipFn& clip) const {
    if (page < 0 || page >= pages_) return;
    for (const Piece& p : pieces_) {
        if (p.page != page) continue;
        // The first part keeps what its first line draws above the block's top (exponents).
        if (p.part && clip) clip(true, p.from == 0 ? 0 : kSheetMargin + p.y, kSheetMargin + p.y + (p.to - p.from));
        paintBlock(s, p.kind, p.number, kSheetMargin, kSheetMargin + p.y - p.from);
        if (p.part && clip) clip(false, 0, 0);
    }
    const std::string foot = footer(page);
    s.setBkMode(BkMode::Transparent);
    s.setTextColour(kBlack);
    s.textOut((kSheetPageWidth - cp936::cp936Width(foot) * kFooterFont.width) / 2, kFooterTop, foot, kFooterFont);
}

} // namespace yhb
