// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "bank/catalogue.h"
#include "gfx/surface.h"
#include "io/problem.h"
#include "bank/sheet_blocks.h"
#include "bank/sheet_question.h"
#include "items/item_list.h"

namespace yhb {

// ---- which questions ------------------------------------------------------------

enum class SheetPick {
    All,    // every question of the chosen categories
    First,  // the first N
    Random, // N drawn with a seed, kept in the bank's order
};

// The sheet's own generator: seeded, so that the same seed draws the same questions again,
// and apart from the question window's fixed sequence, which it never touches.
class SheetRandom {
public:
    explicit SheetRandom(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next();
    std::uint32_t below(std::uint32_t n); // uniform in [0, n); 0 for n = 0

private:
    std::uint64_t state_;
};

// The chosen categories' questions in catalogue order, each file once (an aggregate repeats
// its categories' files). Indices outside the catalogue are skipped.
std::vector<std::string> sheetCandidates(const Catalogue& catalogue, const std::vector<int>& categories);

// The pick from the candidates. False with the problem when `count` does not fit.
bool pickSheetQuestions(const std::vector<std::string>& candidates, SheetPick pick, int count, std::uint32_t seed,
                        std::vector<std::string>& picked, Problem& problem);

// "名称 2024年5月1日"; several names are joined by "、", more than three end in "等".
std::string defaultSheetTitle(const std::vector<std::string>& categoryNames, int year, int month, int day);

// The first display line of a question as plain text, cut to `maxBytes` cells on a
// character boundary: for a list to tick questions in. Empty when the file cannot be read.
std::string questionFirstLine(const std::string& path, std::size_t maxBytes = 60);

// A chosen question as the dialog lists it before the sheet is made: its first line, type and
// points. `readable` is false when the file cannot be read.
struct QuestionPreview {
    std::string firstLine;
    QuestionType type = QuestionType::Solution;
    int points = 0;
    bool readable = false;
};
QuestionPreview questionPreview(const std::string& path, std::size_t maxBytes = 60);
// The questions in the order the sheet numbers them: 选择题, 填空题, then 解答题.
std::vector<std::size_t> sheetOrder(const std::vector<QuestionPreview>& questions);

// ---- the sheet ------------------------------------------------------------------

// Sheet units are tenths of a millimetre; pages have margins of 2 cm.
constexpr int kSheetUnitsPerMm = 10;
constexpr int kSheetMargin = 200;
constexpr double kSheetMinPoints = 8, kSheetMaxPoints = 24;
constexpr double kSheetDefaultPoints = 10.5; // 五号

// A4 portrait in one column, or A3 landscape in two (8开).
enum class SheetLayout { A4, A3 };
// 学生版 leaves answer space; 教师版 sets each question's answer after it.
enum class SheetEdition { Student, Teacher };

struct SheetStyle {
    std::string title; // empty: no title
    bool answers = false; // 参考答案 at the end, on a fresh page
    double points = kSheetDefaultPoints;
    SheetLayout layout = SheetLayout::A4;
    SheetEdition edition = SheetEdition::Student;
    bool ownSubtitle = false; // use `subtitle` (empty: none) instead of 满分 and 考试时间
    std::string subtitle;
};

struct SheetGeometry {
    int pageWidth, pageHeight, columns, columnGap;
    int columnWidth() const { return (pageWidth - 2 * kSheetMargin - (columns - 1) * columnGap) / columns; }
    int columnHeight() const { return pageHeight - 2 * kSheetMargin; }
    int columnLeft(int column) const { return kSheetMargin + column * (columnWidth() + columnGap); }
};
SheetGeometry sheetGeometry(SheetLayout layout);

// "满分 150 分　考试时间 120 分钟": 高考's pace of 120 minutes for 150 points, in fives.
std::string defaultSubtitle(int totalPoints);

// The body size in sheet units.
double sheetTextSize(double points);

// Questions read, sorted into the sections 选择题, 填空题, 解答题 (in the order chosen within
// each), numbered through the sheet and set in columns on pages.
class Worksheet {
public:
    // Where one block, or the part [from, to) of one taller than a column, stands.
    struct Piece {
        int page;
        double x, y; // of the block's top left on the page
        std::size_t block;
        double from, to;
        bool part;
    };
    // Set to clip to the rectangle while the part of a block is drawn; called with on = false after.
    using ClipFn = std::function<void(bool on, double left, double top, double right, double bottom)>;
    // Draws a figure line at (left, top), kFigureWidth by kFigureHeight, through drawFigure on
    // a surface of canvas pixels. Without one the figure is drawn unscaled at the surface's origin.
    using FigureFn = std::function<void(double left, double top, const std::string& line)>;

    Worksheet();
    ~Worksheet();
    Worksheet(const Worksheet&) = delete;
    Worksheet& operator=(const Worksheet&) = delete;

    // Reads the questions. False with the problem naming the first file that cannot be used;
    // the sheet is then left as it was.
    bool load(const std::vector<std::string>& paths, Problem& problem);
    // Sets the sheet, measuring text through `measure`. False with the problem for a size out
    // of range; the layout is then kept.
    bool layout(const SheetStyle& style, const Surface& measure, Problem& problem);
    // Measured with the fixed table of the core surfaces.
    bool layout(const SheetStyle& style, Problem& problem);

    int questionCount() const { return static_cast<int>(questions_.size()); }
    int pageCount() const { return pages_; }
    const SheetStyle& style() const { return style_; }
    const SheetGeometry& geometry() const { return geometry_; }
    // The questions in sheet order: question(n - 1) is number n.
    const SheetQuestion& question(int index) const { return *questions_[order_[static_cast<std::size_t>(index)]]; }
    int totalPoints() const;
    const std::vector<Piece>& pieces() const { return pieces_; }
    const std::vector<sheet::Block>& blocks() const { return blocks_; }
    // The footer of page `page` (from 0): "第 k 页 共 n 页".
    std::string footer(int page) const;

    // Draws page `page` (from 0) in sheet units with the page's top left corner at (0, 0).
    void paintPage(Surface& s, int page, const ClipFn& clip = {}, const FigureFn& figure = {}) const;

private:
    std::vector<std::unique_ptr<SheetQuestion>> questions_;
    std::vector<std::size_t> order_;
    std::vector<sheet::Block> blocks_;
    std::vector<Piece> pieces_;
    SheetStyle style_;
    SheetGeometry geometry_ = sheetGeometry(SheetLayout::A4);
    double footerSize_ = 30;
    int pages_ = 0;
};

} // namespace yhb
