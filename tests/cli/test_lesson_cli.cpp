#include <gtest/gtest.h>

#include <sys/wait.h>
#include <zlib.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>

#include "test_util.h"

namespace {

struct Result {
    int status;
    std::string out, err;
};

std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

Result run(const std::string& command) {
    TempDir d;
    const int raw = std::system((command + " >" + (d / "out") + " 2>" + (d / "err")).c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, slurp(d / "out"), slurp(d / "err")};
}

Result cli(const std::string& args) {
    const char* tool = std::getenv("YHB_CLI");
    return run(std::string(tool ? tool : "yunhuiban-cli") + " " + args);
}

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
    const Result r = run("pdftotext -bbox '" + pdfPath + "' -");
    EXPECT_EQ(r.status, 0) << "pdftotext (poppler-utils) is needed: " << r.err;
    const std::regex word(R"re(<word xMin="([0-9.]+)" yMin="([0-9.]+)" xMax="([0-9.]+)" yMax="[0-9.]+">(-?[0-9]+)</word>)re");
    // The axis's numbers share one line: the longest line of numbers with a 0 in it (point
    // coordinates come apart into numbers too, but fewer to a line).
    std::map<long, std::map<int, double>> byLine; // top in hundredths of a point → number → centre x
    for (std::sregex_iterator it(r.out.begin(), r.out.end(), word), end; it != end; ++it) {
        const double x = (std::stod((*it)[1]) + std::stod((*it)[3])) / 2;
        byLine[std::lround(std::stod((*it)[2]) * 100)][std::stoi((*it)[4])] = x;
    }
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
        const Result expected = cli("plot " + kRows + " " + options + " --trace");
        const std::string size = options.find("--size") == std::string::npos ? "" : " --size 500x300";
        const Result opened = cli("plot --lesson " + lesson + size + " --trace");
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
    const Result opened = cli("plot --lesson " + lesson + " --scale 44 logarithm:2 --trace");
    const Result expected = cli("plot sin:2 cos logarithm:2 --scale 44 --pi-axis --trace");
    ASSERT_EQ(opened.status, 0) << opened.err;
    EXPECT_EQ(opened.out, expected.out);
    // Four rows in the lesson and two more: the sixth is refused as in the window.
    ASSERT_EQ(cli("plot sin cos tan sin --save-lesson " + lesson).status, 0);
    const Result six = cli("plot --lesson " + lesson + " cos tan --trace");
    EXPECT_EQ(six.status, 2);
    EXPECT_NE(six.err.find("表达式个数已大于5个"), std::string::npos);
}

TEST(LessonCli, ARefusedLessonNamesFileAndLineAndWritesNothing) {
    TempDir d;
    d.write("bad.yhb", "yunhuiban-lesson 1.0\nview scale=20\nrow ellipse-x:5,4+1099\n");
    const Result r = cli("plot --lesson " + (d / "bad.yhb") + " -o " + (d / "out.png") + " --save-lesson " + (d / "x.yhb"));
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
        const Result r = cli("plot " + kRows + " --scale 36 -o " + pdf + " --unit-cm " + name.str());
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
