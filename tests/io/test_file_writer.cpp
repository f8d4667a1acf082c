// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include "io/file_writer.h"
#include "scratch_mount.h"
#include "test_util.h"

using namespace yhb;
namespace fs = std::filesystem;

namespace {

bool hasLatinLetter(const std::string& s) {
    return std::any_of(s.begin(), s.end(), [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); });
}

fs::perms permissions(const std::string& path) { return fs::status(path).permissions() & fs::perms::all; }

struct NoPlannedFailures : ::testing::Test {
    ~NoPlannedFailures() override { clearWriteFailures(); }
};

} // namespace

using FileWriterTest = NoPlannedFailures;

// Whichever call fails, the old file is there byte for byte, nothing is left beside it and the
// message names the file and says why in Chinese.
TEST_F(FileWriterTest, EveryFailingStepLeavesTheOldFileWhole) {
    const struct {
        WriteStep step;
        int error;
        const char* reason;
    } cases[] = {{WriteStep::Create, EACCES, "没有在其所在文件夹中新建文件的权限"},
                 {WriteStep::Create, EROFS, "只读文件系统"},
                 {WriteStep::Write, ENOSPC, "磁盘空间不足"},
                 {WriteStep::Write, EDQUOT, "磁盘配额"},
                 {WriteStep::Write, EIO, "输入/输出错误"},
                 {WriteStep::Sync, ENOSPC, "磁盘空间不足"},
                 {WriteStep::Sync, EIO, "输入/输出错误"},
                 {WriteStep::Rename, EXDEV, "不在同一个文件系统上"},
                 {WriteStep::Rename, EPERM, "没有替换该文件的权限"}};
    const std::string old(5000, 'o');
    for (const auto& c : cases) {
        TempDir dir;
        dir.write("图.png", old);
        planWriteFailure(c.step, c.error);
        FileError e;
        EXPECT_FALSE(replaceFile(dir / "图.png", std::string(20000, 'n'), e));
        EXPECT_EQ(slurp(dir / "图.png"), old);
        EXPECT_EQ(fileNames(dir.path()), std::vector<std::string>{"图.png"});
        EXPECT_EQ(e.code, c.error);
        const std::string text = e.message();
        EXPECT_NE(text.find("“" + (dir / "图.png") + "”"), std::string::npos) << text;
        EXPECT_NE(text.find(c.reason), std::string::npos) << text;
        EXPECT_NE(text.find("原来的文件保持原样"), std::string::npos) << text;
        EXPECT_FALSE(hasLatinLetter(e.reason)) << e.reason;
    }

    // A writer given up half-way, as when drawing the picture failed.
    TempDir dir;
    dir.write("a.png", old);
    {
        FileWriter w(dir / "a.png");
        FileError e;
        ASSERT_TRUE(w.open(e)) << e.message();
        ASSERT_TRUE(w.write("part", e));
    }
    EXPECT_EQ(slurp(dir / "a.png"), old);
    EXPECT_EQ(fileNames(dir.path()), std::vector<std::string>{"a.png"});
}

// The errors a teacher meets are said in Chinese, and the ones met for real carry the
// reason the system gave.
TEST_F(FileWriterTest, ReasonsAreChineseForWhatAUserMeets) {
    for (int e : {ENOSPC, EDQUOT, EFBIG, EACCES, EPERM, EROFS, ENAMETOOLONG, ENOENT, ENOTDIR, ELOOP, EXDEV, EISDIR, EIO,
                  EMFILE, ENFILE, ENOMEM, EBUSY, ETXTBSY, ESTALE, EINVAL}) {
        EXPECT_FALSE(hasLatinLetter(fileReason(e))) << e << ": " << fileReason(e);
        EXPECT_EQ(fileReason(e).find("系统错误"), std::string::npos) << e;
    }

    TempDir dir;
    FileError e;
    EXPECT_FALSE(replaceFile(dir / "没有的文件夹/课件.yhb", "x", e));
    EXPECT_EQ(e.reason, "文件夹不存在");
    EXPECT_FALSE(e.existed);
    EXPECT_EQ(e.message().find("原来的文件"), std::string::npos); // there was none

    EXPECT_FALSE(replaceFile(dir / (std::string(300, 'a') + ".png"), "x", e));
    EXPECT_EQ(e.reason, "文件名太长");

    fs::create_symlink("b.png", dir / "a.png");
    fs::create_symlink("a.png", dir / "b.png");
    EXPECT_FALSE(replaceFile(dir / "a.png", "x", e));
    EXPECT_NE(e.reason.find("符号链接层数太多"), std::string::npos) << e.reason;
    EXPECT_TRUE(fs::is_symlink(dir / "a.png"));

    dir.mkdir("文件夹.png");
    EXPECT_FALSE(replaceFile(dir / "文件夹.png", "x", e));
    EXPECT_EQ(e.reason, "这是一个文件夹");
    EXPECT_TRUE(fs::is_directory(dir / "文件夹.png"));

    ASSERT_EQ(::mkfifo((dir / "pipe.png").c_str(), 0644), 0);
    EXPECT_FALSE(replaceFile(dir / "pipe.png", "x", e));
    EXPECT_NE(e.reason.find("不是普通文件"), std::string::npos) << e.reason;
    EXPECT_TRUE(fs::is_fifo(dir / "pipe.png"));
    EXPECT_EQ(fileNames(dir.path()), (std::vector<std::string>{"a.png", "b.png", "pipe.png", "文件夹.png"}));
}

// A link is kept and the file it names is written, with that file's permissions; a link to a
// file not made yet makes that file.
TEST_F(FileWriterTest, LinksAreFollowedAlsoToFilesNotThereYet) {
    TempDir dir;
    dir.write("real.yhb", "old");
    ::chmod((dir / "real.yhb").c_str(), 0640);
    fs::create_symlink(dir / "real.yhb", dir / "link.yhb");
    FileError e;
    ASSERT_TRUE(replaceFile(dir / "link.yhb", "new", e)) << e.message();
    EXPECT_TRUE(fs::is_symlink(dir / "link.yhb"));
    EXPECT_EQ(slurp(dir / "real.yhb"), "new");
    EXPECT_EQ(permissions(dir / "real.yhb"), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    // Dangling, relative, through a second link into another folder.
    dir.mkdir("pictures");
    fs::create_symlink("pictures/hop.png", dir / "out.png");
    fs::create_symlink("../later.png", dir / "pictures/hop.png");
    ASSERT_TRUE(replaceFile(dir / "out.png", "picture", e)) << e.message();
    EXPECT_TRUE(fs::is_symlink(dir / "out.png"));
    EXPECT_TRUE(fs::is_symlink(dir / "pictures/hop.png"));
    EXPECT_EQ(slurp(dir / "later.png"), "picture");
    EXPECT_EQ(fileNames(dir / "pictures"), std::vector<std::string>{"hop.png"});

    // A link into a folder that does not exist: said, and nothing made.
    fs::create_symlink(dir / "gone/x.png", dir / "lost.png");
    EXPECT_FALSE(replaceFile(dir / "lost.png", "x", e));
    EXPECT_EQ(e.reason, "文件夹不存在");
    EXPECT_TRUE(fs::is_symlink(dir / "lost.png"));
}

// A name of up to 255 bytes is as good as any: the new file beside it has a short name.
TEST_F(FileWriterTest, NamesUpToTheLimitAreWritten) {
    TempDir dir;
    for (const std::string& name : {std::string(251, 'k') + ".yhb", std::string(248, 'k') + ".yhb",
                                    "课" + std::string(248, 'k') + ".yhb"}) {
        ASSERT_LE(name.size(), 255u);
        dir.write(name, "old");
        FileError e;
        EXPECT_TRUE(replaceFile(dir / name, "new", e)) << name.size() << ": " << e.message();
        EXPECT_EQ(slurp(dir / name), "new");
    }
    EXPECT_EQ(fileNames(dir.path()).size(), 3u);
}

TEST_F(FileWriterTest, AWriteProtectedFileIsReplacedOnlyWhenAllowed) {
    TempDir dir;
    dir.write("课件.yhb", "old");
    ::chmod((dir / "课件.yhb").c_str(), 0444);
    FileError e;
    EXPECT_FALSE(replaceFile(dir / "课件.yhb", "new", e));
    EXPECT_TRUE(e.readOnly);
    EXPECT_NE(e.message().find("只读"), std::string::npos) << e.message();
    EXPECT_EQ(slurp(dir / "课件.yhb"), "old");
    EXPECT_EQ(fileNames(dir.path()), std::vector<std::string>{"课件.yhb"});

    ASSERT_TRUE(replaceFile(dir / "课件.yhb", "new", e, true)) << e.message();
    EXPECT_EQ(slurp(dir / "课件.yhb"), "new");
    EXPECT_EQ(permissions(dir / "课件.yhb"), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
}

// A real full disk: a tmpfs of 64 KiB.
TEST_F(FileWriterTest, AFullDiskKeepsTheOldFile) {
    ScratchMount disk("size=64k");
    REQUIRE_MOUNT(disk);
    const std::string old(20000, 'o');
    FileError e;
    ASSERT_TRUE(replaceFile(disk / "pic.png", old, e)) << e.message();
    EXPECT_FALSE(replaceFile(disk / "pic.png", std::string(200000, 'n'), e));
    EXPECT_EQ(e.code, ENOSPC);
    EXPECT_NE(e.message().find("磁盘空间不足"), std::string::npos) << e.message();
    EXPECT_EQ(slurp(disk / "pic.png"), old);
    EXPECT_EQ(fileNames(disk.path()), std::vector<std::string>{"pic.png"});
    // The space the failed file took is free again.
    EXPECT_TRUE(replaceFile(disk / "pic.png", std::string(30000, 'm'), e)) << e.message();
}

TEST_F(FileWriterTest, AReadOnlyFileSystemIsSaid) {
    ScratchMount disk("size=64k");
    REQUIRE_MOUNT(disk);
    FileError e;
    ASSERT_TRUE(replaceFile(disk / "pic.png", "old", e));
    if (!disk.makeReadOnly()) GTEST_SKIP() << "cannot remount read-only";
    EXPECT_FALSE(replaceFile(disk / "pic.png", "new", e));
    EXPECT_EQ(e.code, EROFS);
    EXPECT_NE(e.message().find("只读文件系统"), std::string::npos) << e.message();
    EXPECT_EQ(slurp(disk / "pic.png"), "old");
}
