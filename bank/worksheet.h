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

// ---- the sheet ------------------------------------------------------------------

// A4 portrait in tenths of a millimetre, margins of 2 cm.
constexpr int kSheetUnitsPerMm = 10;
constexpr int kSheetPageWidth = 2100, kSheetPageHeight = 2970, kSheetMargin = 200;
constexpr int kSheetTextWidth = kSheetPageWidth - 2 * kSheetMargin;
constexpr int kSheetTextHeight = kSheetPageHeight - 2 * kSheetMargin;
constexpr double kSheetMinPoints = 8, kSheetMaxPoints = 24;

struct SheetStyle {
    std::string title; // empty: no title
    bool answers = false;
    double points = 12; // the text's cell height in points
};

// The cells of text at a size: the height in sheet units, the width in the question window's
// proportion.
CellFont sheetCell(double points);

// Questions read, numbered and laid out on pages. Items are laid out and drawn by their
// lists, as in the question window; only the page breaks are decided here.
class Worksheet {
public:
    enum class Kind { Title, Question, AnswersHeading, Answer };
    // One block, or the part of a block longer than a page, on one page: the block's rows
    // [from, to) drawn from y on the page's text area.
    struct Piece {
        Kind kind;
        int number; // from 1 for questions and answers, 0 otherwise
        int page;   // from 0
        int y;
        int from;
        int to;
        bool part; // of a block longer than a page
    };
    // Set to clip to the text area's rows [top, bottom) while a part of a block is drawn;
    // called with on = false afterwards.
    using ClipFn = std::function<void(bool on, int top, int bottom)>;

    Worksheet();
    ~Worksheet();
    Worksheet(const Worksheet&) = delete;
    Worksheet& operator=(const Worksheet&) = delete;

    // Reads the questions in order. False with the problem naming the first file that cannot
    // be used; the sheet is then left as it was.
    bool load(const std::vector<std::string>& paths, Problem& problem);
    // False with the problem for a size out of range; the layout is then kept.
    bool layout(const SheetStyle& style, Problem& problem);

    int questionCount() const { return static_cast<int>(entries_.size()); }
    int pageCount() const { return pages_; }
    const std::vector<Piece>& pieces() const { return pieces_; }
    const SheetStyle& style() const { return style_; }
    // The footer of page `page` (from 0): "第 k 页 共 n 页".
    std::string footer(int page) const;

    // Draws page `page` (from 0) in sheet units with the page's top left corner at (0, 0).
    void paintPage(Surface& s, int page, const ClipFn& clip = {}) const;

private:
    struct Entry;
    int blockHeight(Kind kind, int number) const;
    void paintBlock(Surface& s, Kind kind, int number, int x, int y) const;
    const ItemList* listOf(Kind kind, int number) const;
    int indent() const;
    // Where the block's drawing reaches, as merged open spans of rows: no cut falls inside one.
    std::vector<std::pair<int, int>> coveredSpans(Kind kind, int number) const;

    std::vector<std::unique_ptr<Entry>> entries_;
    ItemList title_{4};
    ItemList heading_{4};
    SheetStyle style_;
    CellFont cell_;
    std::vector<Piece> pieces_;
    int pages_ = 0;
};

} // namespace yhb
