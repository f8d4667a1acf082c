// SPDX-License-Identifier: GPL-3.0-or-later
// The 试卷 as the core sets it, measured with the fixed table of the core surfaces: what a
// question says about itself, Chinese line breaking, sections, options, answer space, the
// two layouts and the two editions.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>

#include "bank/bank_text.h"
#include "bank/question_reader.h"
#include "bank/sheet_figure.h"
#include "bank/sheet_lines.h"
#include "bank/worksheet.h"
#include "gfx/cp936.h"
#include "gfx/recording_surface.h"
#include "bank_helpers.h"
#include "item_tree.h"
#include "gfx/surface.h"

using namespace yhb;
using namespace yhb::test;
using Kind = RecordingSurface::Kind;
using Op = RecordingSurface::Op;

namespace {

// A UTF-8 question file from its lines.
std::string file(std::initializer_list<std::string> lines) {
    std::string out;
    for (const std::string& l : lines) out += l + "\r\n";
    return out;
}

std::string choiceQuestion(const std::string& stem, int score = 0) {
    std::string s = "function\r\ntm\r\n@type 选择题\r\n";
    if (score) s += "@score " + std::to_string(score) + "\r\n";
    return s + stem + "\r\n@choice A 1\r\n@choice B 2\r\n@choice C 3\r\n@choice D 4\r\njd\r\n选 B。\r\n";
}

// Every page drawn, its typeset runs in drawing order.
struct Drawn {
    std::vector<RecordingSurface> pages;
    explicit Drawn(const Worksheet& w) : pages(static_cast<std::size_t>(w.pageCount())) {
        for (int p = 0; p < w.pageCount(); ++p) w.paintPage(pages[static_cast<std::size_t>(p)], p);
    }
    std::vector<const Op*> runs(int page) const { return pages[static_cast<std::size_t>(page)].ofKind(Kind::TypesetText); }
    // The text of every page (or one), runs joined without spaces.
    std::string text(int page = -1) const {
        std::string out;
        for (int p = 0; p < static_cast<int>(pages.size()); ++p)
            if (page < 0 || p == page)
                for (const Op* op : runs(p))
                    if (op->text != " ") out += op->text;
        return out;
    }
};

std::unique_ptr<Worksheet> sheetOf(const std::vector<std::string>& paths, const SheetStyle& style) {
    auto w = std::make_unique<Worksheet>();
    Problem error;
    EXPECT_TRUE(w->load(paths, error)) << error.message;
    EXPECT_TRUE(w->layout(style, error)) << error.message;
    return w;
}

SheetStyle styled(SheetLayout layout = SheetLayout::A4, SheetEdition edition = SheetEdition::Student, bool answers = false) {
    SheetStyle s;
    s.title = "期中测验";
    s.layout = layout;
    s.edition = edition;
    s.answers = answers;
    return s;
}

// Five questions of the three types, written out of section order.
struct MixedBank {
    TempDir d;
    std::vector<std::string> paths;
    MixedBank() {
        d.write("s1.txt", file({"function", "tm", "@score 10", "@space 8", "求椭圆x²/4+y²=1的离心率。", "jd", "e=√3/2。"}));
        d.write("c1.txt", choiceQuestion("已知a=2，则a²=", 5));
        d.write("b1.txt", file({"function", "tm", "@type 填空题", "抛物线y²=4x的焦点坐标为______。", "jd", "(1,0)"}));
        d.write("c2.txt", choiceQuestion("下列数中最大的是"));
        d.write("s2.txt", file({"function", "tm", "@type 解答题", "@score 14", "证明：△ABF₂的周长为定值。", "jd", "由定义得。"}));
        for (const char* f : {"s1.txt", "c1.txt", "b1.txt", "c2.txt", "s2.txt"}) paths.push_back(d / f);
    }
};

} // namespace

// ---- what a question says about itself -----------------------------------------------

namespace {

// A question file read as the window and the sheet read it: the "@" lines' meta, the question
// as flattened text and what the checker would say.
struct MetaRead {
    QuestionAtLines meta;
    std::string question;
    std::vector<Problem> problems;
};

MetaRead readMeta(const std::string& bytes) {
    MetaRead r;
    ItemList question(800), answer(800);
    EXPECT_TRUE(parseQuestion(bytes, question, answer, &r.problems, r.meta));
    for (const ChoiceLine& c : r.meta.choices) {
        ItemList option(50);
        readChoice(c, option, &r.problems);
    }
    r.question = treeOf(question);
    return r;
}

} // namespace

TEST(SheetMeta, TypeScoreOptionsAndSpaceAreDataNotTextInBothFormats) {
    MetaRead postfix = readMeta(file({"function", "tm", "@type 选择题", "@score 6", "椭圆的离心率为", "@choice A $\\frac{1}{2}$",
                                      "@choice B   $\\frac{\\sqrt{3}}{2}$ ", "@choice C √3/2", "@choice D 2", "jd", "选 B。"}));
    MetaRead natural = readMeta("@type 选择题\n@score 6\n椭圆的离心率为\n@choice A $\\frac{1}{2}$\n@choice B   $\\frac{\\sqrt{3}}{2}$ "
                                "\n@choice C √3/2\n@choice D 2\n## 解答\n选 B。\n");
    for (const MetaRead* r : {&postfix, &natural}) {
        EXPECT_TRUE(r->problems.empty()) << r->problems.front().message;
        EXPECT_EQ(r->question, "椭圆的离心率为");
        EXPECT_EQ(r->meta.type, QuestionType::Choice);
        EXPECT_EQ(r->meta.points(), 6);
        ASSERT_EQ(r->meta.choices.size(), 4u);
        EXPECT_EQ(r->meta.choices[1].text, "$\\frac{\\sqrt{3}}{2}$");
        EXPECT_EQ(r->meta.choices[1].column, 13) << "where the option's text starts";
        ItemList option(50);
        readChoice(r->meta.choices[1], option);
        EXPECT_EQ(treeOf(option), "frac(sqrt(3),2)") << "an option is read in the natural format's markup";
    }

    MetaRead plain = readMeta(file({"function", "tm", "题", "jd", "答"}));
    EXPECT_EQ(plain.meta.type, QuestionType::Solution);
    EXPECT_EQ(plain.meta.points(), 12) << "a 解答题 by default";
    EXPECT_EQ(plain.meta.spaceLines(), 12) << "a line of space a point";
    EXPECT_EQ(readMeta("@type 填空题\n题\n").meta.points(), 5);
    EXPECT_EQ(readMeta("@score 2\n@space 0\n题\n").meta.spaceLines(), 0);
}

TEST(SheetMeta, MistakesAreNamedAtTheirLinesAndColumns) {
    MetaRead r = readMeta(file({"function", "tm", "@type 判断题", "@score 0", "@space 99", "@choice B 1", "@Score 5", "jd",
                                "@score 5"}));
    std::map<int, std::string> at;
    std::map<int, int> column;
    for (const Problem& p : r.problems) {
        at[p.line] += p.message + (p.warning ? "(warning)" : "");
        column[p.line] = p.column;
        EXPECT_FALSE(p.english.empty()) << p.message;
    }
    EXPECT_NE(at[3].find("“@type”后应为 选择题、填空题 或 解答题，现在是“判断题”"), std::string::npos) << at[3];
    EXPECT_EQ(column[3], 7);
    EXPECT_NE(at[4].find("1 到 100"), std::string::npos) << at[4];
    EXPECT_NE(at[5].find("0 到 60"), std::string::npos) << at[5];
    EXPECT_NE(at[6].find("这里应为“@choice A”"), std::string::npos) << at[6];
    EXPECT_NE(at[7].find("不认识的“@Score”行"), std::string::npos) << at[7];
    EXPECT_NE(at[7].find("(warning)"), std::string::npos) << "a misspelt keyword is shown as text: " << at[7];
    EXPECT_NE(at[9].find("重复的“@score”行（第一个在第 4 行）"), std::string::npos) << at[9];
    EXPECT_EQ(r.question, "@Score 5") << "only the misspelt line is text";

    r = readMeta("@type 选择题\n题\n@choice A 1\n");
    ASSERT_EQ(r.problems.size(), 1u);
    EXPECT_EQ(r.problems[0].line, 1);
    EXPECT_EQ(r.problems[0].message, "选择题至少需要两个“@choice”选项");
    r = readMeta(file({"function", "tm", "题", "@choice A 1", "@choice B 2"}));
    ASSERT_EQ(r.problems.size(), 1u);
    EXPECT_EQ(r.problems[0].line, 4);
    EXPECT_EQ(r.problems[0].message, "“@choice”只用于选择题，本题是解答题");
    // A formula the reader does not know, at its place in the question file.
    r = readMeta("@type 选择题\n题\n@choice A $1$\n@choice B 答 $\\foo{x}$\n");
    ASSERT_EQ(r.problems.size(), 1u);
    EXPECT_EQ(r.problems[0].line, 4);
    EXPECT_EQ(r.problems[0].column, 14);
    EXPECT_FALSE(r.problems[0].warning);
}

// ---- Chinese line breaking ---------------------------------------------------------------

// At every width: no line starts with a closing mark or ，。、；：？！, none ends with an opening
// mark, and a formula never leaves its line half drawn.
TEST(SheetLines, MarksNeverStartOrEndALineAndFormulasStayWhole) {
    const NullSurface table;
    const double size = 37;
    const sheet::Paragraph p = sheet::textParagraph(
        "已知椭圆的左、右焦点分别为F₁、F₂，过F₁的直线交椭圆于A、B两点（A在x轴上方），求“△ABF₂的周长”。若|AB|=5，求△ABF₂的面积；又问：面积能否为12？",
        table, size);
    int formulas = 0;
    for (const sheet::Atom& a : p) {
        if (a.kind != sheet::Atom::Kind::Formula) continue;
        ++formulas;
        std::string text;
        for (const auto& r : a.layout.runs) text += r.text;
        if (text.find("△") != std::string::npos) {
            EXPECT_EQ(text, "△ABF2") << "△ joins the letters it names";
        }
    }
    EXPECT_GE(formulas, 8);
    for (double width = 8 * size; width <= 30 * size; width += size / 7) {
        const std::vector<sheet::Line> lines = sheet::breakLines(p, width, width);
        std::size_t next = 0;
        for (const sheet::Line& l : lines) {
            ASSERT_EQ(l.from, next);
            next = l.to;
            const sheet::Atom& first = p[l.from];
            const sheet::Atom& last = p[l.to - 1];
            if (l.from > 0) {
                EXPECT_FALSE(first.noStart) << "line starts with " << first.text << " at width " << width;
                EXPECT_FALSE(p[l.from - 1].noEnd) << "line ends with " << p[l.from - 1].text << " at width " << width;
            }
            EXPECT_FALSE(last.noEnd && l.to < p.size()) << last.text;
            if (l.to - l.from > 1) {
                EXPECT_LE(l.width, width + size) << "at most one mark hangs past the edge";
            }
        }
        EXPECT_EQ(next, p.size());
    }
}

// A 选择题's （　　） is one piece: at no width does （ end a line with ） alone on the next.
TEST(SheetLines, TheAnswerBracketsOfAChoiceStayOnOneLine) {
    const NullSurface table;
    const double size = 37;
    sheet::Paragraph p = sheet::textParagraph("下列函数中，既是奇函数又在区间上单调递增的是", table, size);
    const std::size_t from = p.size();
    const sheet::Paragraph brackets = sheet::keptTogether(sheet::textParagraph("（　　）", table, size));
    ASSERT_EQ(brackets.size(), 4u);
    p.insert(p.end(), brackets.begin(), brackets.end());
    int wrapped = 0;
    for (double width = 6 * size; width <= 26 * size; width += size / 9) {
        for (const sheet::Line& l : sheet::breakLines(p, width, width)) {
            EXPECT_FALSE(l.from > from && l.from < p.size()) << "the brackets split at width " << width;
            wrapped += l.from == from ? 1 : 0;
        }
    }
    EXPECT_GT(wrapped, 0) << "some widths move the whole bracket to the next line";
}

TEST(SheetLines, VariablesAreItalicAndScriptsAndFractionPartsSmallerButLegible) {
    MixedBank bank;
    TempDir d;
    d.write("f.txt", file({"function", "tm", "求函数y=sin(2x+", "{", "π", "}", "{", "6", "}", "fs", ")+x²的最小值。"}));
    const auto w = sheetOf({d / "f.txt"}, styled());
    const Drawn drawn(*w);
    const double body = sheetTextSize(kSheetDefaultPoints);
    bool sawItalicX = false, sawUprightSin = false, sawFraction = false, sawExponent = false;
    for (const Op* op : drawn.runs(0)) {
        if (op->text == "x") sawItalicX = sawItalicX || op->italic;
        if (op->text == "sin") sawUprightSin = !op->italic;
        if (op->text == "求" || op->text == "2") {
            EXPECT_FALSE(op->italic) << op->text;
        }
        if (op->size < body - 1e-6 && op->text != "第 1 页 共 1 页") {
            EXPECT_GE(op->size, 0.6 * body - 1e-6) << op->text;
            if (op->text == "π" || op->text == "6") {
                EXPECT_GE(op->size, 0.7 * body - 1e-6) << "a fraction's part";
                sawFraction = true;
            }
            if (op->text == "2" && op->size < 0.75 * body) sawExponent = true;
        }
    }
    EXPECT_TRUE(sawItalicX);
    EXPECT_TRUE(sawUprightSin);
    EXPECT_TRUE(sawFraction);
    EXPECT_TRUE(sawExponent);
}

// The postfix markup scripts a whole text line: only the formula at its end takes the index,
// and the words before it still break like words. A short option reads as UTF-8.
TEST(SheetLines, AScriptOnAWholeTextLineTakesOnlyItsFormula) {
    TempDir d;
    d.write("q.txt", file({"function", "tm", "@type 选择题", "已知椭圆的左、右焦点分别为F", "1", "xb", "，且log", "2", "xb", "x=3，则", "@choice A π",
                           "@choice B 2π", "jd", "选 A。"}));
    SheetQuestion q;
    Problem error;
    ASSERT_TRUE(readSheetQuestion(d / "q.txt", q, error)) << error.message;
    const NullSurface table;
    const std::vector<sheet::Paragraph> ps = sheet::paragraphsOf(q.question, table, 37, 1000);
    ASSERT_EQ(ps.size(), 1u);
    std::vector<std::string> formulas;
    int texts = 0;
    for (const sheet::Atom& a : ps[0]) {
        if (a.kind == sheet::Atom::Kind::Text) ++texts;
        if (a.kind != sheet::Atom::Kind::Formula) continue;
        formulas.emplace_back();
        for (const auto& r : a.layout.runs) formulas.back() += r.text;
    }
    EXPECT_EQ(texts, 17) << "每个汉字和标点各是一段";
    EXPECT_EQ(formulas, (std::vector<std::string>{"F1", "log2x=3"}));
    const sheet::Paragraph option = sheet::paragraphsOf(*q.choices[0], table, 37, 1000).at(0);
    ASSERT_EQ(option.size(), 1u);
    EXPECT_EQ(option[0].layout.runs.at(0).text, "π");
}

// A question in the natural format keeps its bracketed formulas on the sheet.
TEST(SheetLines, NaturalQuestionsKeepTheirBrackets) {
    TempDir d;
    d.write("q.tm", "求 $\\left(\\frac{1}{2}\\right)^{3}$ 的值。\n@type 填空题\n");
    SheetQuestion q;
    Problem error;
    ASSERT_TRUE(readSheetQuestion(d / "q.tm", q, error)) << error.message;
    EXPECT_EQ(q.meta.type, QuestionType::Blank);
    const NullSurface table;
    std::string formula;
    const std::vector<sheet::Paragraph> ps = sheet::paragraphsOf(q.question, table, 37, 1000);
    ASSERT_FALSE(ps.empty());
    for (const sheet::Atom& a : ps[0])
        if (a.kind == sheet::Atom::Kind::Formula)
            for (const auto& r : a.layout.runs) formula += r.text;
    EXPECT_EQ(formula, "(12)3");
}

// ---- the sheet -----------------------------------------------------------------------------

TEST(Sheet, HeaderSectionsInOrderWithCountsAndPointsAndContinuousNumbers) {
    MixedBank bank;
    const auto w = sheetOf(bank.paths, styled());
    ASSERT_EQ(w->questionCount(), 5);
    EXPECT_EQ(w->totalPoints(), 10 + 5 + 5 + 5 + 14);
    const std::string text = Drawn(*w).text();
    auto at = [&](const std::string& s, std::size_t from = 0) {
        const std::size_t p = text.find(s, from);
        EXPECT_NE(p, std::string::npos) << s << " in " << text;
        return p;
    };
    const std::size_t title = at("期中测验");
    const std::size_t subtitle = at("满分39分　考试时间35分钟");
    EXPECT_LT(title, subtitle);
    std::size_t p = at("班级", subtitle);
    for (const char* field : {"姓名", "学号", "得分"}) p = at(field, p);
    const std::size_t one = at("一、选择题：本题共2小题，每小题5分，共10分。", p);
    const std::size_t two = at("二、填空题：本题共1小题，每小题5分，共5分。", one);
    const std::size_t three = at("三、解答题：本题共2小题，共24分。", two);
    // Numbered through the sheet: the 选择题 first, in the order chosen.
    EXPECT_LT(at("1．已知a=2，则a2=（　　）", one), two);
    EXPECT_LT(at("2．下列数中最大的是（　　）", one), two);
    EXPECT_LT(at("3．抛物线y2=4x的焦点坐标为", two), three);
    at("4．（10分）求椭圆", three);
    at("5．（14分）证明：△ABF2的周长为定值。", three);
    for (const char* option : {"A．1", "B．2", "C．3", "D．4"}) at(option, one);
    EXPECT_EQ(text.find("选 B"), std::string::npos) << "the 学生版 shows no answers";
}

TEST(Sheet, OptionsTakeFourTwoOrOneColumnsAsTheirWidthsAllow) {
    TempDir d;
    d.write("short.txt", choiceQuestion("题"));
    d.write("mid.txt", file({"function", "tm", "@type 选择题", "题", "@choice A 函数在区间上单调递增且有最大值", "@choice B 函数在区间上单调递减",
                             "@choice C 函数在区间上先增后减", "@choice D 函数在区间上先减后增", "jd", "A"}));
    d.write("long.txt", file({"function", "tm", "@type 选择题", "题",
                              "@choice A 函数在区间上单调递增且有最大值，同时它的图像关于直线对称并且经过原点，这是本题的一个很长很长的选项",
                              "@choice B 函数在区间上单调递减", "@choice C 函数在区间上先增后减", "@choice D 函数在区间上先减后增", "jd", "A"}));
    const NullSurface table;
    const sheet::BlockSetter setter(table, {37, 1700, false});
    int columns[3];
    int i = 0;
    for (const char* f : {"short.txt", "mid.txt", "long.txt"}) {
        SheetQuestion q;
        Problem error;
        ASSERT_TRUE(readSheetQuestion(d / f, q, error)) << error.message;
        columns[i++] = setter.optionColumns(q);
    }
    EXPECT_EQ(columns[0], 4);
    EXPECT_EQ(columns[1], 2);
    EXPECT_EQ(columns[2], 1);

    // Four columns: the options stand on one baseline, evenly apart.
    const auto w = sheetOf({d / "short.txt"}, styled());
    const Drawn drawn(*w);
    std::vector<const Op*> labels;
    for (const Op* op : drawn.runs(0))
        if (op->text.size() == 4 && op->text[0] >= 'A' && op->text[0] <= 'D') labels.push_back(op);
    ASSERT_EQ(labels.size(), 4u);
    for (const Op* l : labels) EXPECT_DOUBLE_EQ(l->y, labels[0]->y);
    EXPECT_NEAR(labels[2]->x - labels[1]->x, labels[1]->x - labels[0]->x, 1e-6);
}

// A 解答题 leaves the lines of space it asks for; a 教师版 leaves none and sets each answer
// after its question; 参考答案 start a fresh column.
TEST(Sheet, AnswerSpaceAndTheTwoEditions) {
    TempDir d;
    d.write("a.txt", file({"function", "tm", "@space 2", "求证：1+1=2。", "jd", "证毕。"}));
    d.write("b.txt", file({"function", "tm", "@space 10", "求证：1+1=2。", "jd", "证毕。"}));
    const NullSurface table;
    const sheet::BlockSetter setter(table, {37, 1700, false});
    SheetQuestion a, b;
    Problem error;
    ASSERT_TRUE(readSheetQuestion(d / "a.txt", a, error));
    ASSERT_TRUE(readSheetQuestion(d / "b.txt", b, error));
    EXPECT_NEAR(setter.question(b, 1).height - setter.question(a, 1).height, 8 * setter.pitch(), 1e-6);

    MixedBank bank;
    const std::string student = Drawn(*sheetOf(bank.paths, styled())).text();
    const std::string teacher = Drawn(*sheetOf(bank.paths, styled(SheetLayout::A4, SheetEdition::Teacher))).text();
    EXPECT_EQ(student.find("【答案】"), std::string::npos);
    // Each answer right after its question, before the next number.
    const std::size_t q1 = teacher.find("1．"), a1 = teacher.find("【答案】选B。"), q2 = teacher.find("2．");
    ASSERT_NE(a1, std::string::npos) << teacher;
    EXPECT_LT(q1, a1);
    EXPECT_LT(a1, q2);
    EXPECT_NE(teacher.find("【解答】e=3/2。", teacher.find("4．")), std::string::npos) << teacher;

    const auto atEnd = sheetOf(bank.paths, styled(SheetLayout::A4, SheetEdition::Student, true));
    const Drawn end(*atEnd);
    ASSERT_GE(atEnd->pageCount(), 2);
    const std::string last = end.text(atEnd->pageCount() - 1);
    EXPECT_EQ(last.rfind("参考答案", 0), 0u) << "参考答案 open a fresh page: " << last;
    EXPECT_EQ(end.text(0).find("参考答案"), std::string::npos);
}

// Blocks go down columns without overlapping or running past a column's foot; A3 sets two
// columns a page; a heading never ends a column without its first question.
TEST(Sheet, ColumnsOnA4AndA3) {
    Catalogue c;
    c.load(bundledBank());
    std::vector<std::string> paths = sheetCandidates(c, {0, 7});
    for (SheetLayout layout : {SheetLayout::A4, SheetLayout::A3}) {
        const auto w = sheetOf(paths, styled(layout));
        const SheetGeometry g = w->geometry();
        EXPECT_EQ(g.columns, layout == SheetLayout::A3 ? 2 : 1);
        std::map<std::pair<int, double>, double> columnBottom;
        std::set<double> lefts;
        for (std::size_t i = 0; i < w->pieces().size(); ++i) {
            const Worksheet::Piece& p = w->pieces()[i];
            lefts.insert(p.x);
            double& bottom = columnBottom[{p.page, p.x}];
            EXPECT_GE(p.y + 1e-6, std::max(bottom, double(kSheetMargin))) << "block " << i << " overlaps the one before";
            bottom = p.y + (p.to - p.from);
            EXPECT_LE(bottom, kSheetMargin + g.columnHeight() + 1e-6) << "block " << i << " runs off its column";
        }
        EXPECT_EQ(lefts.size(), static_cast<std::size_t>(g.columns));
        EXPECT_EQ(g.columnLeft(0), kSheetMargin);
        EXPECT_EQ(g.columnLeft(g.columns - 1) + g.columnWidth(), g.pageWidth - kSheetMargin);
        if (layout == SheetLayout::A3) {
            EXPECT_LT(w->pageCount(), sheetOf(paths, styled()).get()->pageCount());
        }
    }
}

// A question longer than a column is the one that is cut: between its lines, never through one.
TEST(Sheet, AQuestionLongerThanAColumnIsCutBetweenLines) {
    TempDir d;
    std::string text = "function\r\ntm\r\n@space 0\r\n";
    for (int i = 0; i < 300; ++i) text += "第" + std::to_string(i) + "行：已知函数\r\nx\r\n2\r\nzs\r\n\r\n";
    d.write("long.txt", text);
    const auto w = sheetOf({d / "long.txt"}, styled());
    ASSERT_GT(w->pageCount(), 2);
    std::map<std::string, int> seen;
    for (int p = 0; p < w->pageCount(); ++p) {
        RecordingSurface page;
        double top = 0, bottom = 0;
        w->paintPage(page, p, [&](bool on, double, double t, double, double b) {
            if (!on) return;
            top = t;
            bottom = b;
        });
        EXPECT_LE(bottom, 2970 - kSheetMargin + 1e-6);
        for (const Op* op : page.ofKind(Kind::TypesetText)) {
            if (op->y > 2970 - kSheetMargin) continue; // the footer
            const TextExtent e = tableTextExtent(op->text, {op->size, op->italic});
            const double glyphTop = op->y - e.ascent, glyphBottom = op->y + e.descent;
            const bool inside = glyphTop >= top - 1e-6 && glyphBottom <= bottom + 1e-6;
            const bool outside = glyphBottom <= top + 1e-6 || glyphTop >= bottom - 1e-6;
            EXPECT_TRUE(inside || outside) << "a line cut through on page " << p + 1 << ": " << op->text << " at " << op->y << " size " << op->size << " clip " << top << "-" << bottom;
            if (inside && op->text == "行") ++seen[std::to_string(p) + ":" + std::to_string(op->y)];
        }
    }
    int lines = 0;
    for (const auto& [key, n] : seen) lines += n;
    EXPECT_EQ(lines, 300) << "every line drawn once, in one part";
}

TEST(Sheet, AFigureStandsBesideTheTextOrBelowItInLargePrint) {
    TempDir d;
    d.write("f.txt", file({"function", "tm", "求椭圆x²/9+y²/4=1的焦点。", "@plot ellipse-x:3,2+1011", "jd", "(±√5,0)"}));
    for (double points : {10.5, 24.0}) {
        SheetStyle style = styled();
        style.points = points;
        const auto w = sheetOf({d / "f.txt"}, style);
        const sheet::Block& b = w->blocks()[2];
        const auto figure = std::find_if(b.ink.begin(), b.ink.end(), [](const sheet::Ink& i) { return i.kind == sheet::Ink::Kind::Figure; });
        ASSERT_NE(figure, b.ink.end());
        EXPECT_EQ(figure->text, "ellipse-x:3,2+1011");
        double textRight = 0, textBottom = 0;
        for (const sheet::Ink& i : b.ink)
            if (i.kind == sheet::Ink::Kind::Text) {
                textRight = std::max(textRight, i.x + i.style.size);
                textBottom = std::max(textBottom, i.y);
            }
        if (points < 12) {
            EXPECT_GE(figure->x, textRight) << "beside the text";
            EXPECT_EQ(figure->y, 0);
            EXPECT_DOUBLE_EQ(figure->x1, w->geometry().columnWidth());
        } else {
            EXPECT_GE(figure->y, textBottom) << "below the text";
        }
        EXPECT_GE(b.height, figure->y1);
        // Drawn black: every pen and text colour of the figure.
        RecordingSurface page;
        for (int p = 0; p < w->pageCount(); ++p) w->paintPage(page, p);
        EXPECT_FALSE(page.ofKind(Kind::Polyline).empty()) << "the curve";
        for (const Op* op : page.ofKind(Kind::Pen)) EXPECT_EQ(op->colour, kBlack);
        EXPECT_TRUE(page.ofKind(Kind::Fill).empty()) << "no grey ground";
    }
}

TEST(Sheet, BadFilesAndSizesAreRefusedByNameAndChangeNothing) {
    TempDir d;
    d.write("good.txt", file({"function", "tm", "甲题", "jd", "答"}));
    d.write("noanswer.txt", file({"function", "tm", "乙题"}));
    d.write("bad.txt", file({" function", "tm", "丙"}));
    Worksheet w;
    Problem error;
    ASSERT_TRUE(w.load({d / "good.txt", d / "noanswer.txt"}, error));
    ASSERT_TRUE(w.layout(styled(SheetLayout::A4, SheetEdition::Student, true), error));
    const int pages = w.pageCount();

    EXPECT_FALSE(w.load({d / "good.txt", d / "missing.txt"}, error));
    EXPECT_EQ(error.message, "无法读取题目文件“" + (d / "missing.txt") + "”");
    EXPECT_FALSE(w.load({d / "bad.txt"}, error));
    EXPECT_EQ(error.message, "题目文件“" + (d / "bad.txt") + "”：第一行应为“function”，不能带空格");
    EXPECT_FALSE(w.load({}, error));
    EXPECT_EQ(error.message, "没有选择任何题目");
    for (double points : {7.9, 24.5, std::nan("")}) {
        SheetStyle s = styled();
        s.points = points;
        EXPECT_FALSE(w.layout(s, error));
        EXPECT_EQ(error.message, "字号应在 8 到 24 磅之间");
    }
    EXPECT_EQ(w.questionCount(), 2);
    EXPECT_EQ(w.pageCount(), pages);
    EXPECT_NE(Drawn(w).text().find("（本题没有解答）"), std::string::npos) << "a question without an answer says so";
}

// A vector's arrow and a bar over a group are drawn over their letters as the question window
// draws them: a stroke above the letters as wide as they are, with a head at the arrow's right.
TEST(SheetLines, VectorsAndBarsAreDrawnOverTheirLetters) {
    TempDir d;
    d.write("q.tm", "已知 $\\overrightarrow{AB}=\\vec{a}$，$\\overline{z}=1$。\n");
    const auto w = sheetOf({d / "q.tm"}, styled());
    const Drawn drawn(*w);
    const RecordingSurface& page = drawn.pages[0];
    std::vector<const Op*> rules = page.ofKind(Kind::Rule);
    // The strokes over the letters of one run: the bar, and the two of the arrow's head.
    auto over = [&](const std::string& letters) {
        std::vector<const Op*> found;
        const Op* first = nullptr;
        const Op* last = nullptr;
        for (const Op* op : page.ofKind(Kind::TypesetText)) {
            if (op->text.size() != 1 || letters.find(op->text) == std::string::npos) continue;
            if (!first) first = op;
            last = op;
        }
        EXPECT_TRUE(first && first->italic) << letters;
        if (!first) return found;
        for (const Op* r : rules) {
            const double top = std::min(r->y, r->y2), left = std::min(r->x, r->x2), right = std::max(r->x, r->x2);
            if (std::fabs(r->y - first->y) > first->size * 1.6) continue;
            if (top < first->y - first->size * 0.7 && left >= first->x - first->size * 0.2 && right <= last->x + last->w + first->size * 0.3)
                found.push_back(r);
        }
        return found;
    };
    for (const std::string& v : {std::string("AB"), std::string("a")}) {
        const std::vector<const Op*> arrow = over(v);
        ASSERT_EQ(arrow.size(), 3u) << "a bar and a head over " << v;
        const Op* bar = arrow[0];
        EXPECT_EQ(bar->y, bar->y2) << "the arrow's shaft is level";
        for (int k = 1; k < 3; ++k) {
            EXPECT_DOUBLE_EQ(arrow[k]->x2, bar->x2) << "the head meets the shaft at its right end";
            EXPECT_DOUBLE_EQ(arrow[k]->y2, bar->y2);
        }
    }
    const std::vector<const Op*> bar = over("z");
    ASSERT_EQ(bar.size(), 1u) << "a bar alone over z";
    EXPECT_EQ(bar[0]->y, bar[0]->y2);
    // Two letters under one arrow: it spans both.
    std::vector<const Op*> ab = over("AB");
    ASSERT_FALSE(ab.empty());
    double aLeft = 1e9, bRight = -1e9;
    for (const Op* op : page.ofKind(Kind::TypesetText))
        if (op->text == "A") aLeft = std::min(aLeft, op->x);
        else if (op->text == "B") bRight = std::max(bRight, op->x + op->w);
    EXPECT_LT(ab[0]->x, aLeft + 5);
    EXPECT_GT(ab[0]->x2, bRight - 10);
}
