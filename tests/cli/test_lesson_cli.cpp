// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <zlib.h>

#include <cmath>
#include <cstdlib>
#include <map>
#include <regex>
#include <sstream>

#include "pdf_helpers.h"

using namespace yhb::test;

namespace {

const std::string kRows = "ellipse-x:5,4+1010+1011+1012 hyperbola-y:2,3+1013 tan circle-general:-2,4,1+1010 "
                          "parabola-right:2+1010+1011";

// Every content stream of a PDF, inflated.
std::string pdfContent(const std::string& pdf) {
    std::string out;
    std::size_t at = 0;
    while ((at = pdf.find("stream\n", at)) != std::string::npos) {
        const std::size_t start = at + 7, end = pdf.find("endstream", start);
        if (end == std::string::npos) break;
        std::string inflated(1 << 24, '\0');
        uLongf size = inflated.size();
        if (uncompress(reinterpret_cast<Bytef*>(inflated.data()), &size, reinterpret_cast<const Bytef*>(pdf.data() + start),
                       end - start) == Z_OK)
            out += inflated.substr(0, size);
        at = end + 9; // past "endstream", which ends like a stream's start
    }
    return out;
}

// The x axis's numbers on the page (pdftotext's words), by number: points from the page's left.
std::map<int, double> xAxisNumbers(const std::string& pdfPath) {
    const std::regex number("-?[0-9]+");
    // The axis's numbers share one line: the longest line of numbers with a 0 in it (point
    // coordinates come apart into numbers too, but fewer to a line).
    std::map<long, std::map<int, double>> byLine; // top in hundredths of a point → number → centre x
    for (const PdfWord& w : pdfWords(pdfPath))
        if (std::regex_match(w.text, number)) byLine[std::lround(w.y0 * 100)][std::stoi(w.text)] = (w.x0 + w.x1) / 2;
    std::map<int, double> out;
    for (const auto& [top, numbers] : byLine)
        if (numbers.count(0) && numbers.size() > out.size()) out = numbers;
    return out;
}

} // namespace

TEST(LessonCli, ASavedLessonPlotsLikeItsExpressions) {
    TempDir d;
    for (const std::string options : {"", "--scale 32 --pi-axis", "--no-labels --origin 250,150 --size 500x300"}) {
        const std::string lesson = d / "lesson.yhb";
        ASSERT_EQ(cli("plot " + kRows + " " + options + " --save-lesson " + lesson).status, 0) << options;
        const ToolRun expected = cli("plot " + kRows + " " + options + " --trace");
        const std::string size = options.find("--size") == std::string::npos ? "" : " --size 500x300";
        const ToolRun opened = cli("plot --lesson " + lesson + size + " --trace");
        ASSERT_EQ(opened.status, 0) << opened.err;
        EXPECT_GT(expected.out.size(), 1000u);
        EXPECT_EQ(opened.out, expected.out) << options;
    }
    const std::string text = slurp(d / "lesson.yhb");
    EXPECT_EQ(text.rfind("yunhuiban-lesson 1.0\nview scale=20 origin=250,150 canvas=500,300 pi-axis=0 numbers=0", 0), 0u)
        << text;
    EXPECT_NE(text.find("\nrow tan:1.0,1.0,0.0 colour=3\n"), std::string::npos) << text;
}

TEST(LessonCli, OptionsAndExpressionsGoOnTopOfTheLesson) {
    TempDir d;
    const std::string lesson = d / "lesson.yhb";
    ASSERT_EQ(cli("plot sin:2 cos --scale 30 --pi-axis --save-lesson " + lesson).status, 0);
    // The lesson's scale, replaced; its π axis kept; one more row after its rows.
    const ToolRun opened = cli("plot --lesson " + lesson + " --scale 44 logarithm:2 --trace");
    const ToolRun expected = cli("plot sin:2 cos logarithm:2 --scale 44 --pi-axis --trace");
    ASSERT_EQ(opened.status, 0) << opened.err;
    EXPECT_EQ(opened.out, expected.out);
    // Four rows in the lesson and two more: the sixth is refused as in the window.
    ASSERT_EQ(cli("plot sin cos tan sin --save-lesson " + lesson).status, 0);
    const ToolRun six = cli("plot --lesson " + lesson + " cos tan --trace");
    EXPECT_EQ(six.status, 2);
    EXPECT_NE(six.err.find("表达式个数已大于5个"), std::string::npos);
}

TEST(LessonCli, ARefusedLessonNamesFileAndLineAndWritesNothing) {
    TempDir d;
    d.write("bad.yhb", "yunhuiban-lesson 1.0\nview scale=20\nrow ellipse-x:5,4+1099\n");
    const ToolRun r = cli("plot --lesson " + (d / "bad.yhb") + " -o " + (d / "out.png") + " --save-lesson " + (d / "x.yhb"));
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find(d / "bad.yhb"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("第 3 行：函数“ellipse-x”没有复选框“1099”"), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(d / "out.png"));
    EXPECT_FALSE(std::filesystem::exists(d / "x.yhb"));
    EXPECT_EQ(cli("plot sin -o " + (d / "x.pdf") + " --unit-cm 3").status, 2);
    EXPECT_EQ(cli("plot sin --save-lesson " + (d / "missing/x.yhb")).status, 1);
}

// A4 landscape, lines as paths, text as text, no picture inside, and one unit as long as asked.
TEST(LessonCli, ThePdfIsVectorAtTrueScale) {
    TempDir d;
    for (const double unit : {0.5, 1.0, 2.0}) {
        std::ostringstream name;
        name << unit;
        const std::string pdf = d / ("page-" + name.str() + ".pdf");
        const ToolRun r = cli("plot " + kRows + " --scale 36 -o " + pdf + " --unit-cm " + name.str());
        ASSERT_EQ(r.status, 0) << r.err;
        const std::string bytes = slurp(pdf);
        ASSERT_EQ(bytes.rfind("%PDF-", 0), 0u);
        EXPECT_EQ(bytes.find("/Subtype /Image"), std::string::npos) << "a raster image in the PDF";
        EXPECT_NE(bytes.find("/FontFile2"), std::string::npos) << "no embedded font: text is not text";
        const std::regex box(R"re(/MediaBox \[0 0 ([0-9.]+) ([0-9.]+)\])re");
        std::smatch m;
        ASSERT_TRUE(std::regex_search(bytes, m, box));
        EXPECT_NEAR(std::stod(m[1]), 841.9, 0.5); // 297 mm
        EXPECT_NEAR(std::stod(m[2]), 595.3, 0.5); // 210 mm

        const std::string content = pdfContent(bytes);
        std::size_t lines = 0, strokes = 0;
        for (std::size_t at = 0; (at = content.find(" l\n", at)) != std::string::npos; ++at) ++lines;
        for (std::size_t at = 0; (at = content.find("\nS\n", at)) != std::string::npos; ++at) ++strokes;
        EXPECT_GT(lines, 1000u) << unit;
        EXPECT_GT(strokes, 20u) << unit;
        EXPECT_NE(content.find(" Tj"), std::string::npos);

        const std::map<int, double> x = xAxisNumbers(pdf);
        ASSERT_TRUE(x.count(1) && x.count(3)) << unit;
        const double mmPerUnit = (x.at(3) - x.at(1)) / 2 * 25.4 / 72;
        EXPECT_NEAR(mmPerUnit, unit * 10, 0.2) << unit;
        EXPECT_NEAR((x.at(0) + x.at(1)) / 2, 841.9 / 2, 28.35 * unit) << "the plot is centred on the page";
    }
}

// The page written again later is the same file; another scale is another document.
TEST(LessonCli, ThePdfWrittenAgainIsTheSameFile) {
    TempDir d;
    const std::string first = d / "first.pdf", again = d / "again.pdf", other = d / "other.pdf";
    ASSERT_EQ(cli("plot " + kRows + " -o " + first).status, 0);
    nextSecond();
    ::setenv("TZ", "America/Sao_Paulo", 1);
    const int status = cli("plot " + kRows + " -o " + again).status;
    ::unsetenv("TZ");
    ASSERT_EQ(status, 0);
    ASSERT_EQ(cli("plot " + kRows + " --unit-cm 2 -o " + other).status, 0);
    EXPECT_TRUE(slurp(first) == slurp(again)) << "the same page written twice differs";
    EXPECT_EQ(misplacedObject(slurp(again)), "");
    if (!documentId(slurp(first)).empty()) {
        EXPECT_NE(documentId(slurp(first)), documentId(slurp(other))) << "two pages share a document id";
    }
}

// A lesson's trails come out on the printed page, in their light shade, and a lesson saved by
// the tool after --trace-loci keeps them.
TEST(LessonCli, TrailsAreSavedAndPrinted) {
    TempDir d;
    const std::string lesson = d / "foci.yhb";
    ToolRun r = cli("plot ellipse-x:5,1+1011 --animate 2=1:5:3 --trace-loci --save-lesson " + lesson);
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string saved = slurp(lesson);
    EXPECT_NE(saved.find("row ellipse-x:5,5+1011 colour=1 trail=0,-1;0,-1.1;"), std::string::npos) << saved;

    const std::string with = d / "with.pdf", without = d / "without.pdf";
    ASSERT_EQ(cli("plot --lesson " + lesson + " -o " + with).status, 0);
    ASSERT_EQ(cli("plot ellipse-x:5,5+1011 -o " + without).status, 0);
    const std::regex lightMagenta(R"(\b1 0\.50\d* 1 SC)"); // the stroke colour
    EXPECT_TRUE(std::regex_search(pdfContent(slurp(with)), lightMagenta));
    EXPECT_FALSE(std::regex_search(pdfContent(slurp(without)), lightMagenta));
}
