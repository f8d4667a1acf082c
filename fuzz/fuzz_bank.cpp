// SPDX-License-Identifier: GPL-3.0-or-later
// A small bank tree built from the input (names, nesting, one-line files, question files
// whose names repeat across categories), then the catalogue scan, the aggregates, checked
// against the merge rule, and a look at every question.
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bank/catalogue.h"
#include "bank/question_navigator.h"
#include "gfx/surface.h"

using namespace yhb;
namespace fs = std::filesystem;

namespace {

const std::string& scratch() {
    static const std::string dir = [] {
        std::string t = (fs::temp_directory_path() / "yhb-fuzz-bank-XXXXXX").string();
        return std::string(mkdtemp(t.data()));
    }();
    return dir;
}

// Each aggregate holds, in table order, every path of its top-level category's categories
// whose base name no earlier path had.
void checkAggregates(const Catalogue& c) {
    for (int i = 0; i < c.categoryCount(); ++i) {
        const BankCategory& agg = *c.category(i);
        if (!agg.aggregate) continue;
        std::vector<std::string> expected;
        for (int k = 0; k < c.categoryCount(); ++k) {
            const BankCategory& cat = *c.category(k);
            if (cat.aggregate || cat.parent != agg.parent) continue;
            for (const std::string& p : cat.questionPaths) {
                bool seen = false;
                for (const std::string& q : expected) seen = seen || baseName(q) == baseName(p);
                if (!seen) expected.push_back(p);
            }
        }
        if (agg.questionPaths != expected) __builtin_trap();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fs::path root = scratch();
    std::error_code ec;
    fs::remove_all(root / "tm", ec);
    fs::create_directories(root / "tm", ec);
    fs::path here = root / "tm";
    std::size_t pos = 0;
    auto next = [&]() -> std::uint8_t { return pos < size ? data[pos++] : 0; };
    auto chunk = [&](std::size_t max) {
        const std::size_t len = std::min<std::size_t>(next() % (max + 1), size - std::min(pos, size));
        std::string s(reinterpret_cast<const char*>(data) + std::min(pos, size), len);
        pos += len;
        return s;
    };
    auto write = [&](const fs::path& p, const std::string& bytes) { std::ofstream(p, std::ios::binary) << bytes; };
    int depth = 0, entries = 0;
    while (pos < size && entries++ < 64) {
        switch (next() % 6) {
        case 0: { // a sub-directory, named from the input
            std::string name = chunk(12);
            for (char& c : name)
                if (c == '/' || c == '\0') c = '_';
            if (name.empty() || name == "." || name == ".." || depth >= 8) break;
            if (fs::create_directory(here / name, ec) || fs::is_directory(here / name, ec)) {
                here /= name;
                ++depth;
            }
            break;
        }
        case 1:
            if (depth > 0) {
                here = here.parent_path();
                --depth;
            }
            break;
        case 2: write(here / "funcMenu.fun", chunk(110)); break;
        case 3: write(here / "funcName.fun", chunk(110)); break;
        case 4: write(root / "tm/FuncVer.fun", chunk(110)); break;
        default: { // names repeat; most files begin as questions do, the rest are left out
            const std::string name = "q" + std::to_string(next() % 8);
            write(here / name, (next() % 4 ? "function\r\n" : "") + chunk(200));
            break;
        }
        }
    }
    Catalogue c;
    c.load(root.string());
    if (c.topLevelCount() > Catalogue::kMaxTopLevel || c.categoryCount() > Catalogue::kMaxCategories) __builtin_trap();
    checkAggregates(c);
    QuestionNavigator nav(c);
    nav.resize(200, 100);
    for (int i = 0; i < c.categoryCount(); ++i) {
        nav.selectCategory(i);
        for (Command c : {Command::RandomQuestion, Command::NextQuestion, Command::LastQuestion, Command::QuestionAnswer,
                          Command::FontLarger})
            nav.command(c);
        NullSurface s;
        nav.paint(s, 0);
        nav.bankInformation();
        nav.jumpPrompt();
    }
    return 0;
}
