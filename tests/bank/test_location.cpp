// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "bank/bank_location.h"
#include "test_util.h"

using namespace yhb;

namespace {

// An installed tree: <root>/bin and <root>/share/yunhuiban/tm, as a package lays it out.
struct Tree {
    TempDir dir;
    Tree() {
        dir.mkdir("home/tm");
        dir.mkdir("elsewhere");
        dir.mkdir("usr/bin");
        dir.write("usr/share/yunhuiban/tm/FuncVer.fun", "2026.12\r\n");
        dir.write("opt/data/tm/FuncVer.fun", "2026.12\r\n");
        dir.mkdir("build/tests");
        dir.write("build/bank/tm/FuncVer.fun", "2026.12\r\n");
    }
    BankPlaces places(const std::string& cwd, const std::string& exe) const {
        return {dir / cwd, dir / exe, dir / "opt/data", dir / "build", dir / "build/bank"};
    }
};

} // namespace

TEST(BankLocation, ATmDirectoryHereIsTheBankEvenWithoutItsVersionFile) {
    Tree t;
    EXPECT_EQ(locateBank(t.places("home", "usr/bin")), t.dir / "home");
}

TEST(BankLocation, ElsewhereTheBankBesideTheExecutableComesFirst) {
    Tree t;
    EXPECT_EQ(locateBank(t.places("elsewhere", "usr/bin")), t.dir / "usr/share/yunhuiban");
    // A relocated copy without its bank falls back to the configured data directory.
    EXPECT_EQ(locateBank(t.places("elsewhere", "elsewhere")), t.dir / "opt/data");
}

TEST(BankLocation, TheBuildsBankOnlyForExecutablesInTheBuildTree) {
    Tree t;
    BankPlaces p = t.places("elsewhere", "build/tests");
    p.configuredDir.clear();
    EXPECT_EQ(locateBank(p), t.dir / "build/bank");
    p.executableDir = t.dir / "elsewhere";
    EXPECT_EQ(locateBank(p), "") << "no bank anywhere: nothing to scan";
    p.executableDir = t.dir / "build-other"; // a sibling whose name starts the same
    EXPECT_EQ(locateBank(p), "");
}
