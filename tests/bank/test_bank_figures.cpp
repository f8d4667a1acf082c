// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "dialogs/expr_parser.h"
#include "test_util.h"

using namespace yhb;
namespace fs = std::filesystem;

namespace {

struct Source {
    std::string file; // below tm/
    std::vector<std::string> figures;   // "@plot" lines of the question part, without the keyword
    std::vector<std::string> misplaced; // "@plot" lines after "jd" (or "## 解答")
    bool shortAnswer = false;           // a 选择题 or 填空题, which a 试卷 sets without a figure
};

std::vector<Source> sources() {
    std::vector<Source> out;
    const fs::path root = fs::path(sourceDir()) / "tm";
    for (const auto& e : fs::recursive_directory_iterator(root)) {
        if (!e.is_regular_file() || (e.path().extension() != ".txt" && e.path().extension() != ".tm")) continue;
        Source s{e.path().lexically_relative(root).generic_string(), {}, {}};
        std::ifstream in(e.path());
        bool answer = false;
        for (std::string line; std::getline(in, line);) {
            if (line == "jd" || line == "## 解答") answer = true;
            if (line == "@type 选择题" || line == "@type 填空题") s.shortAnswer = true;
            if (line.rfind("@plot ", 0) == 0) (answer ? s.misplaced : s.figures).push_back(line.substr(6));
        }
        out.push_back(s);
    }
    return out;
}

} // namespace

// Each figure line draws: its expressions parse and go in the way their dialogs take them.
TEST(BankFigures, EveryFigureLineDraws) {
    int figures = 0;
    for (const Source& s : sources()) {
        EXPECT_TRUE(s.misplaced.empty()) << s.file << ": a figure line in the answer";
        for (const std::string& line : s.figures) {
            ++figures;
            Document doc;
            RecordingNotifier notifier;
            std::istringstream words(line);
            int count = 0;
            for (std::string word; words >> word; ++count) {
                CliExpression e;
                Problem error;
                if (!parseExpression(word, e, error)) {
                    ADD_FAILURE() << s.file << ": " << word << ": " << error.message;
                    continue;
                }
                for (const std::string& t : e.texts) { // the dialogs read a number's prefix; a figure gives whole numbers
                    char* end = nullptr;
                    std::strtod(t.c_str(), &end);
                    EXPECT_TRUE(!t.empty() && *end == 0) << s.file << ": " << word << ": field " << t;
                }
                EXPECT_TRUE(enterExpression(doc, e, notifier)) << s.file << ": " << word;
            }
            EXPECT_GE(count, 1) << s.file;
            EXPECT_EQ(doc.table.slotCount, count) << s.file << ": " << line; // at most five, all taken
            for (const auto& m : notifier.messages) ADD_FAILURE() << s.file << ": " << line << ": " << m.text;
        }
    }
    EXPECT_GE(figures, 80);
}

// A question on a line, a circle or a conic shows it, unless its data leave the curve open.
TEST(BankFigures, GeometryQuestionsCarryAFigure) {
    const std::set<std::string> general = {
        "2geom/3ellipse/ellipse10.tm",        // any ellipse with BF ⊥ BA
        "2geom/4hyperbola/hyperbola08.tm",    // any hyperbola with b = 2a
        "2geom/6conicline/conicline02.tm",    // the ellipse's m is what is asked
    };
    int geometry = 0;
    for (const Source& s : sources()) {
        if (s.file.rfind("2geom/", 0) != 0 || s.shortAnswer) continue;
        ++geometry;
        EXPECT_EQ(s.figures.empty(), general.count(s.file) == 1) << s.file;
    }
    EXPECT_GE(geometry, 70);
}
