// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>

#include "allocation_count.h"
#include "bank/catalogue.h"
#include "bank_helpers.h"
#include "sample_scenes.h"

using namespace yhb;
using namespace yhb::test;

namespace {

std::string name(const Catalogue& c, int i) { return c.category(i)->name; }

// Two top-level categories holding three and two categories.
void buildSmallBank(const TempDir& d) {
    oneLine(d, "tm/FuncVer.fun", "2.1");
    oneLine(d, "tm/a/funcMenu.fun", "函数");
    oneLine(d, "tm/a/1/funcName.fun", "一次函数");
    d.write("tm/a/1/001.txt", "function\r\n");
    d.write("tm/a/1/002.txt", "function\r\n");
    oneLine(d, "tm/a/2/funcName.fun", "二次函数");
    d.write("tm/a/2/001.txt", "function\r\n"); // same base name: once in the aggregate
    d.write("tm/a/2/003.txt", "function\r\n");
    oneLine(d, "tm/a/3/funcName.fun", "三角函数");
    d.write("tm/a/3/sub/004.txt", "function\r\n"); // no funcName.fun: not a question
    oneLine(d, "tm/b/funcMenu.fun", "解析几何");
    oneLine(d, "tm/b/1/funcName.fun", "圆");
    d.write("tm/b/1/x.txt", "function\r\n");
    d.write("tm/b/2/funcName.fun", "\r\n"); // an empty name is still a category
}

} // namespace

TEST(Catalogue, ScansTopLevelAndCategoriesAndAddsTheAggregates) {
    TempDir d;
    buildSmallBank(d);
    Catalogue c;
    c.load(d.path());
    EXPECT_EQ(c.bankVersion, "2.1");
    ASSERT_EQ(c.topLevelCount(), 2);
    ASSERT_EQ(c.categoryCount(), 7);
    EXPECT_EQ(name(c, 0), "一次函数");
    EXPECT_EQ(name(c, 3), "圆");
    EXPECT_EQ(name(c, 4), "");
    EXPECT_EQ(c.category(2)->questionCount(), 0);
    EXPECT_EQ(c.category(3)->parent, 1);
    EXPECT_EQ(name(c, 5), "★函数★所有题目");
    EXPECT_EQ(name(c, 6), "★解析几何★所有题目");
    EXPECT_EQ(c.category(5)->aggregate, 1);
    const auto& agg = c.category(5)->questionPaths;
    ASSERT_EQ(agg.size(), 3u);
    EXPECT_EQ(agg[0], d.path() + "/tm/a/1/001.txt"); // the first one scanned wins
    EXPECT_EQ(agg[2], d.path() + "/tm/a/2/003.txt");
    EXPECT_EQ(c.category(6)->questionCount(), 1);
}

TEST(Catalogue, MissingVersionAndEmptyBank) {
    TempDir d;
    Catalogue c;
    c.load(d.path());
    EXPECT_EQ(c.bankVersion, kVersionError);
    EXPECT_EQ(c.categoryCount(), 0);
    EXPECT_EQ(c.current(), nullptr);
}

TEST(Catalogue, OneLineFilesOutsideTwoToAHundredBytesAreRejected) {
    TempDir d;
    d.write("a", "");
    d.write("b", "x");
    d.write("c", std::string(99, 'x') + "\r\n");
    d.write("e", std::string(98, 'x') + "\r\n");
    std::string text;
    EXPECT_FALSE(readOneLineFile(d / "a", text));
    EXPECT_FALSE(readOneLineFile(d / "b", text));
    EXPECT_FALSE(readOneLineFile(d / "c", text));
    EXPECT_TRUE(readOneLineFile(d / "e", text));
    EXPECT_EQ(text.size(), 98u);
    EXPECT_FALSE(readOneLineFile(d.path(), text)); // a directory
}

TEST(Catalogue, ACategoryBeforeAnyTopLevelIsListedWithoutAggregate) {
    TempDir d;
    oneLine(d, "tm/0/funcName.fun", "散题");
    d.write("tm/0/q.txt", "function\r\n");
    oneLine(d, "tm/a/funcMenu.fun", "函数");
    oneLine(d, "tm/a/1/funcName.fun", "一次函数");
    Catalogue c;
    c.load(d.path());
    ASSERT_EQ(c.categoryCount(), 3);
    EXPECT_EQ(c.category(0)->parent, -1);
    EXPECT_EQ(c.topLevelName(*c.category(0)), "");
    EXPECT_EQ(c.category(2)->questionCount(), 0); // the aggregate of 函数 does not take it
}

TEST(Catalogue, TablesNeverOverflowAndTheAggregatesStillFit) {
    TempDir d;
    for (int t = 0; t < 12; ++t) {
        const std::string top = "tm/t" + std::to_string(10 + t);
        oneLine(d, top + "/funcMenu.fun", "大类" + std::to_string(t));
        for (int k = 0; k < 5; ++k) {
            oneLine(d, top + "/c" + std::to_string(k) + "/funcName.fun", "小类");
            d.write(top + "/c" + std::to_string(k) + "/q" + std::to_string(t) + ".txt", "function\r\n");
        }
    }
    Catalogue c;
    c.load(d.path());
    EXPECT_EQ(c.topLevelCount(), Catalogue::kMaxTopLevel);
    EXPECT_EQ(c.categoryCount(), Catalogue::kMaxCategories);
    int aggregates = 0;
    for (int i = 0; i < c.categoryCount(); ++i) aggregates += c.category(i)->aggregate;
    EXPECT_EQ(aggregates, Catalogue::kMaxTopLevel);
    EXPECT_EQ(c.category(29)->aggregate, 1);
    EXPECT_EQ(c.category(19)->aggregate, 0);
}

TEST(Catalogue, OnlyRegularFilesAndNoDirectoryLinks) {
    TempDir d;
    oneLine(d, "tm/a/funcMenu.fun", "函数");
    oneLine(d, "tm/a/1/funcName.fun", "一次函数");
    d.write("tm/a/1/q.txt", "function\r\n");
    ASSERT_EQ(mkfifo((d / "tm/a/1/fifo").c_str(), 0600), 0);
    ASSERT_EQ(symlink("..", (d / "tm/a/1/loop").c_str()), 0);
    ASSERT_EQ(symlink("q.txt", (d / "tm/a/1/link.txt").c_str()), 0);
    int sock = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    const std::string sp = d / "tm/a/1/sock";
    if (sp.size() < sizeof addr.sun_path) {
        std::snprintf(addr.sun_path, sizeof addr.sun_path, "%s", sp.c_str());
        bind(sock, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    }
    // A FIFO named like a one-line file must not hang the scan either.
    ASSERT_EQ(mkfifo((d / "tm/a/funcName.fun").c_str(), 0600), 0);
    Catalogue c;
    c.load(d.path());
    close(sock);
    ASSERT_EQ(c.categoryCount(), 2);
    const auto& q = c.category(0)->questionPaths;
    ASSERT_EQ(q.size(), 2u); // link.txt and q.txt; the link to a file is followed
    EXPECT_EQ(baseName(q[0]), "link.txt");
}

TEST(Catalogue, BaseNameAndMerge) {
    EXPECT_EQ(baseName("a/b/c.txt"), "c.txt");
    EXPECT_EQ(baseName("c.txt"), "c.txt");
    CategoryPtr a = newCategory("a", 0, 1), b = newCategory("b", 0, 0);
    addQuestion(*b, "x/1.txt");
    addQuestion(*b, "y/1.txt");
    addQuestion(*b, "y/1.TXT");
    mergeInto(*a, *b);
    EXPECT_EQ(a->questionCount(), 2); // case-sensitive, byte for byte
}

TEST(Catalogue, ADirectoryCanBeBothKindsAndLaterSubcategoriesTakeTheFiles) {
    TempDir d;
    oneLine(d, "tm/a/funcMenu.fun", "综合");
    oneLine(d, "tm/a/funcName.fun", "综合题");
    d.write("tm/a/0.txt", "function\r\n");
    oneLine(d, "tm/a/b/funcName.fun", "小题");
    d.write("tm/a/b/1.txt", "function\r\n");
    d.write("tm/a/z.txt", "function\r\n"); // after b was registered: goes to b
    Catalogue c;
    c.load(d.path());
    ASSERT_EQ(c.topLevelCount(), 1);
    ASSERT_EQ(c.categoryCount(), 3);
    EXPECT_EQ(name(c, 0), "综合题");
    EXPECT_EQ(c.category(0)->parent, 0);
    EXPECT_EQ(c.category(0)->questionCount(), 1);
    EXPECT_EQ(c.category(1)->questionCount(), 2);
    EXPECT_EQ(c.category(2)->questionCount(), 3);
}

namespace {

// mergeInto word for word: a path goes in when no path already in the target has its base name.
void referenceMerge(std::vector<std::string>& target, const std::vector<std::string>& source) {
    for (const std::string& p : source) {
        bool present = false;
        for (const std::string& q : target) present = present || baseName(q) == baseName(p);
        if (!present) target.push_back(p);
    }
}

// A catalogue in memory: `perCategory` files in each of `categories` categories under one
// top-level category, named by `naming`.
void fillCatalogue(Catalogue& c, int categories, int perCategory, sample::Naming naming) {
    c.topLevel.push_back({"all"});
    for (int k = 0; k < categories; ++k) {
        c.categories.push_back(newCategory("cat", 0, 0));
        for (int f = 0; f < perCategory; ++f)
            addQuestion(*c.categories.back(), "tm/all/c" + std::to_string(k) + "/" + sample::generatedFileName(k, f, naming));
    }
}

} // namespace

TEST(Catalogue, AggregatesKeepTableOrderAndTheFirstOfEachNameHoweverNamesInterleave) {
    Catalogue c;
    c.topLevel = {{"a"}, {"b"}};
    const int parents[] = {0, 1, 0, -1, 0, 1};
    for (int k = 0; k < 6; ++k) {
        c.categories.push_back(newCategory("c" + std::to_string(k), parents[k], 0));
        for (int f = 0; f < 40; ++f) {
            // Names shared across categories and out of order; "x/..." and "y/..." stand for a
            // category that took files from two directories, so it repeats a name itself.
            const int n = (f * 7 + k * 3) % 25;
            addQuestion(*c.categories.back(), (f % 2 ? "x/" : "y/") + std::to_string(k) + "/" + std::to_string(n) + ".txt");
        }
    }
    addQuestion(*c.categories[0], "7.txt"); // no directory at all
    addQuestion(*c.categories[4], "7.TXT"); // case counts
    std::vector<std::string> expected[2];
    for (int k = 0; k < 6; ++k)
        if (parents[k] >= 0) referenceMerge(expected[parents[k]], c.categories[static_cast<std::size_t>(k)]->questionPaths);
    c.addAggregates();
    ASSERT_EQ(c.categoryCount(), 8);
    EXPECT_EQ(c.category(6)->questionPaths, expected[0]);
    EXPECT_EQ(c.category(7)->questionPaths, expected[1]);
    EXPECT_EQ(c.category(6)->questionCount(), 26); // 0..24, then 7.TXT; the lone 7.txt repeats 7.txt
    EXPECT_EQ(c.category(6)->questionPaths.back(), "7.TXT");

    // One at a time, and into itself: the same rule.
    CategoryPtr agg = newCategory("agg", 0, 1);
    for (int k : {0, 2, 4}) mergeInto(*agg, *c.categories[static_cast<std::size_t>(k)]);
    mergeInto(*agg, *agg);
    EXPECT_EQ(agg->questionPaths, expected[0]);
}

// Interleaved names once made every merge insert into the middle of a sorted array: 20 000
// files took 7 to 12 times as long as with names sorted category by category (bench_bank's
// B_Aggregate times both). Counted instead of timed, what the aggregate allocates is one copy
// of each path it takes and a few arrays, however the names interleave: the set of names
// taken so far allocates nothing per name, and nothing grows with the square of the files.
TEST(Catalogue, AggregatingAllocatesTheSameHoweverTheNamesInterleave) {
    struct Cost {
        std::size_t bytes, calls;
    };
    auto aggregate = [](int perCategory, sample::Naming naming) {
        Catalogue c;
        fillCatalogue(c, 20, perCategory, naming);
        const test::AllocationCount count;
        c.addAggregates();
        EXPECT_EQ(c.categories.back()->questionCount(), 20 * perCategory);
        return Cost{count.bytes(), count.calls()};
    };
    const Cost small = aggregate(100, sample::Naming::ByCategory), ordered = aggregate(1000, sample::Naming::ByCategory),
               mixed = aggregate(1000, sample::Naming::Interleaved);
    EXPECT_EQ(mixed.calls, ordered.calls);
    EXPECT_LE(ordered.calls, 20000u + 20u);
    EXPECT_LT(mixed.bytes, ordered.bytes + ordered.bytes / 10); // the interleaved names are a byte longer
    EXPECT_LT(ordered.bytes, 12 * small.bytes) << small.bytes << " bytes for 2 000 files";
}
