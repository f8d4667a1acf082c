// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>

#include "../dialogs/form_helpers.h"
#include "bank/catalogue.h"
#include "bank/question_navigator.h"
#include "bank/question_reader.h"
#include "bank_helpers.h"
#include "gfx/recording_surface.h"
#include "res/command_ids.h"

using namespace yhb;
using namespace yhb::test;
namespace fs = std::filesystem;

namespace {

// A bank with one category whose question files are given by the caller.
struct HostileBank {
    HostileBank() {
        oneLine(dir, "tm/FuncVer.fun", "1");
        oneLine(dir, "tm/a/funcMenu.fun", "函数");
        oneLine(dir, "tm/a/c/funcName.fun", "坏题");
    }
    std::string category() const { return dir / "tm/a/c"; }
    TempDir dir;
};

// Start-up as the program does it, then every question read and drawn.
void browseEverything(Catalogue& c) {
    QuestionNavigator nav(c);
    nav.resize(300, 200);
    for (int i = 0; i < c.categoryCount(); ++i) {
        nav.selectCategory(i);
        for (int q = 0; q <= c.category(i)->questionCount(); ++q) {
            nav.command(Command::QuestionAnswer);
            RecordingSurface s;
            nav.paint(s, 0);
            nav.command(Command::NextQuestion);
        }
    }
}

} // namespace

TEST(HostileBank, LoopsDeepChainsAndHugeCountsStayWithinTheTables) {
    TempDir d;
    oneLine(d, "tm/FuncVer.fun", "1");
    for (int t = 0; t < 100; ++t) {
        const std::string top = "tm/t" + std::to_string(100 + t);
        oneLine(d, top + "/funcMenu.fun", "大类");
        for (int k = 0; k < 5; ++k) oneLine(d, top + "/c" + std::to_string(k) + "/funcName.fun", "小类");
    }
    ASSERT_EQ(symlink("..", (d / "tm/t100/loop").c_str()), 0);
    ASSERT_EQ(symlink("loop2", (d / "tm/loop1").c_str()), 0);
    ASSERT_EQ(symlink("loop1", (d / "tm/loop2").c_str()), 0);
    // A chain 2000 directories deep, built relative to stay inside the path limit.
    std::string chain = d / "tm/chain";
    fs::create_directories(chain);
    int fd = open(chain.c_str(), O_RDONLY | O_DIRECTORY);
    for (int i = 0; i < 2000 && fd >= 0; ++i) {
        mkdirat(fd, "d", 0700);
        int next = openat(fd, "d", O_RDONLY | O_DIRECTORY);
        close(fd);
        fd = next;
    }
    if (fd >= 0) close(fd);

    const auto start = std::chrono::steady_clock::now();
    Catalogue c;
    c.load(d.path());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
    EXPECT_EQ(c.topLevelCount(), Catalogue::kMaxTopLevel);
    EXPECT_EQ(c.categoryCount(), Catalogue::kMaxCategories);
    browseEverything(c);
    // Remove the chain from the inside out before the temp folder goes.
    std::string inner = chain;
    std::vector<std::string> levels;
    for (int i = 0; i < 2000; ++i) levels.push_back(inner += "/d");
    for (auto it = levels.rbegin(); it != levels.rend(); ++it) rmdir(it->c_str());
}

TEST(HostileBank, BadOneLineFilesAndLongNames) {
    TempDir d;
    d.write("tm/FuncVer.fun", std::string(101, 'v'));
    d.write("tm/a/funcMenu.fun", "");
    d.write("tm/a/1/funcName.fun", "x");
    d.write("tm/b/funcMenu.fun", std::string(300, 'n') + "\r\n");
    oneLine(d, "tm/c/funcMenu.fun", "函数");
    oneLine(d, "tm/c/" + std::string(250, 'x') + "/funcName.fun", "长名");
    d.write("tm/c/" + std::string(250, 'x') + "/" + std::string(255, 'q'), markup({"function", "x"}));
    Catalogue c;
    c.load(d.path());
    EXPECT_EQ(c.bankVersion, kVersionError);
    ASSERT_EQ(c.topLevelCount(), 1);
    ASSERT_EQ(c.categoryCount(), 2);
    EXPECT_EQ(c.category(0)->questionCount(), 1);
    browseEverything(c);
}

TEST(HostileBank, UnreadableOddAndVanishingQuestionFilesShowTheErrorLine) {
    HostileBank b;
    b.dir.write("tm/a/c/1.txt", markup({"function", "x"}));
    ASSERT_EQ(mkfifo((b.category() + "/2.fifo").c_str(), 0600), 0);
    b.dir.write("tm/a/c/3.txt", "function\r\nsecret");
    chmod((b.category() + "/3.txt").c_str(), 0);
    b.dir.mkdir("tm/a/c/4-unreadable-dir");
    chmod((b.category() + "/4-unreadable-dir").c_str(), 0);
    {
        std::ofstream big(b.category() + "/5-big.txt", std::ios::binary);
        big << "function\r\n";
        big.seekp(100 << 20);
        big.put('x');
    }
    b.dir.write("tm/a/c/6.txt", std::string("function\r\n\xff\x00\x81\r\n{{\r\n\0\0\0\r\njd", 25));
    b.dir.write("tm/a/c/7-gone.txt", markup({"function"}));

    Catalogue c;
    c.load(b.dir.path());
    BankCategory& k = *c.category(0);
    ASSERT_EQ(k.questionCount(), 5); // the FIFO is no question
    fs::remove(b.category() + "/7-gone.txt");
    chmod((b.category() + "/4-unreadable-dir").c_str(), 0700);

    for (int n = 0; n < k.questionCount(); ++n) {
        const std::string file = baseName(k.questionPaths[static_cast<std::size_t>(n)]);
        const int read = readQuestion(k, n);
        const bool errorLine = k.headerList.count() == 2;
        if (file == "5-big.txt" || file == "7-gone.txt") {
            EXPECT_EQ(read, 0) << file;
            EXPECT_TRUE(errorLine) << file;
        } else {
            EXPECT_FALSE(errorLine) << file; // read (root may read even a mode-0 file)
        }
    }
    browseEverything(c);
}
