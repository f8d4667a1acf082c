// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "io/png_check.h"
#include "io/scratch_mount.h"
#include "tool_helpers.h"

using namespace yhb::test;
namespace fs = std::filesystem;

namespace {

// What the tool writes, as the arguments that write `path` (quoted for the shell).
std::vector<std::string> writers(const std::string& path, const std::string& question) {
    const std::string q = quoted(path);
    return {"plot ellipse-x:5,4+1010 -o " + quoted(path + ".png"),
            "plot ellipse-x:5,4+1010 -o " + quoted(path + ".svg"),
            "plot ellipse-x:5,4+1010 -o " + quoted(path + ".pdf"),
            "plot ellipse-x:5,4+1010 --save-lesson " + quoted(path + ".yhb"),
            "question " + quoted(question) + " -o " + quoted(path + "-q.png"),
            "worksheet " + quoted(bundledBank()) + " --category 1 -o " + quoted(path + "-sheet.pdf")};
}

// The file each of writers() makes.
std::vector<std::string> written(const std::string& path) {
    return {path + ".png", path + ".svg", path + ".pdf", path + ".yhb", path + "-q.png", path + "-sheet.pdf"};
}

// Fills the disk under `dir` to the last byte.
void fill(const std::string& dir) {
    const int fd = ::open((dir + "/filler").c_str(), O_WRONLY | O_CREAT, 0644);
    const std::string block(4096, 'f');
    while (::write(fd, block.data(), block.size()) > 0) {
    }
    for (char c = 'f'; ::write(fd, &c, 1) == 1;) {
    }
    ::close(fd);
}

// Runs the tool directly (no shell in between) and gives its peak memory.
struct Measured {
    int status = -1;
    long maxRssKb = 0;
};
Measured runMeasured(const std::vector<std::string>& args, const std::string& errFile) {
    const char* tool = std::getenv("YHB_CLI");
    std::vector<std::string> all{tool ? tool : "yunhuiban-cli"};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int err = ::open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ::dup2(err, 2);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    int raw = 0;
    rusage usage{};
    ::wait4(pid, &raw, 0, &usage);
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, usage.ru_maxrss};
}

// A question of `lines` lines of fifty characters: four rows of text, 133 rows of picture,
// each at the tool's width.
std::string longQuestion(int lines) {
    std::string line;
    for (int i = 0; i < 50; ++i) line += "题";
    std::string q = "function\n";
    for (int i = 0; i < lines; ++i) q += line + "\n";
    return q;
}

} // namespace

// On a full disk every output fails with the reason and the file named; the old file stays
// byte for byte and nothing is left beside it.
TEST(ToolWrites, AFullDiskFailsEveryOutputAndKeepsTheOldFile) {
    ScratchMount disk("size=256k");
    REQUIRE_MOUNT(disk);
    TempDir d;
    d.write("题/q.txt", "function\n求椭圆的焦点。\n");
    const std::string base = disk / "图";
    for (const std::string& f : written(base)) {
        std::ofstream(f) << "old";
    }
    fill(disk.path());
    const std::vector<std::string> commands = writers(base, d / "题/q.txt"), files = written(base);
    for (std::size_t i = 0; i < commands.size(); ++i) {
        const ToolRun r = cli(commands[i]);
        EXPECT_EQ(r.status, 1) << commands[i];
        EXPECT_NE(r.err.find("“" + files[i] + "”"), std::string::npos) << r.err;
        EXPECT_NE(r.err.find("磁盘空间不足"), std::string::npos) << r.err;
        EXPECT_EQ(slurp(files[i]), "old") << commands[i];
    }
    EXPECT_EQ(fileNames(disk.path()).size(), files.size() + 1); // and the filler
}

// A write-protected file is refused unless --force, which replaces it and keeps it
// write-protected; the tool says which file and what to do.
TEST(ToolWrites, AWriteProtectedFileNeedsForce) {
    TempDir d;
    d.write("题/q.txt", "function\n求椭圆的焦点。\n");
    const std::string base = d / "只读";
    const std::vector<std::string> commands = writers(base, d / "题/q.txt"), files = written(base);
    for (std::size_t i = 0; i < commands.size(); ++i) {
        std::ofstream(files[i]) << "old";
        ::chmod(files[i].c_str(), 0444);
        ToolRun r = cli(commands[i]);
        EXPECT_EQ(r.status, 1) << commands[i];
        EXPECT_NE(r.err.find("“" + files[i] + "”：这是只读文件。"), std::string::npos) << r.err;
        EXPECT_NE(r.err.find("请加 --force"), std::string::npos) << r.err;
        EXPECT_EQ(slurp(files[i]), "old");
        r = cli(commands[i] + " --force");
        EXPECT_EQ(r.status, 0) << commands[i] << "\n" << r.err;
        EXPECT_NE(slurp(files[i]), "old") << commands[i];
        EXPECT_EQ(fs::status(files[i]).permissions() & fs::perms::all,
                  fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    }
    EXPECT_EQ(fileNames(d.path()).size(), files.size() + 1); // and the question's folder
}

// A link to a file not made yet makes that file and stays a link; a lesson name of 250 bytes
// is saved and opens again.
TEST(ToolWrites, LinksAndLongNames) {
    TempDir d;
    d.mkdir("lessons");
    fs::create_symlink("lessons/later.yhb", d / "now.yhb");
    ToolRun r = cli("plot sin --save-lesson " + quoted(d / "now.yhb"));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(fs::is_symlink(d / "now.yhb"));
    EXPECT_EQ(slurp(d / "lessons/later.yhb").rfind("yunhuiban-lesson", 0), 0u);
    fs::create_symlink("lessons/later.png", d / "now.png");
    r = cli("plot sin -o " + quoted(d / "now.png"));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(fs::is_symlink(d / "now.png"));
    EXPECT_TRUE(checkPng(d / "lessons/later.png").ok);

    const std::string lesson = d / (std::string(246, 'l') + ".yhb");
    r = cli("plot ellipse-x:5,4+1010 --save-lesson " + quoted(lesson));
    ASSERT_EQ(r.status, 0) << r.err;
    r = cli("plot --lesson " + quoted(lesson) + " --trace");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("polyline"), std::string::npos);
}

TEST(ToolWrites, AReadOnlyFileSystemIsSaid) {
    ScratchMount disk("size=256k");
    REQUIRE_MOUNT(disk);
    std::ofstream(disk / "a.png") << "old";
    if (!disk.makeReadOnly()) GTEST_SKIP() << "cannot remount read-only";
    const ToolRun r = cli("plot sin -o " + quoted(disk / "a.png"));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("只读文件系统"), std::string::npos) << r.err;
    EXPECT_EQ(slurp(disk / "a.png"), "old");
}

// A long question is drawn into its file a band at a time: a picture of 200 000 rows (480 MB
// as one image) stays far below 300 MB, and is a whole, valid PNG.
TEST(ToolQuestionPicture, ALongQuestionStaysInBoundedMemory) {
    TempDir d;
    d.write("长/q.txt", longQuestion(1600));
    const Measured m = runMeasured({"question", d / "长/q.txt", "-o", d / "q.png"}, d / "err");
    ASSERT_EQ(m.status, 0) << slurp(d / "err");
    EXPECT_LT(m.maxRssKb, 300 * 1024);
    const PngCheck png = checkPng(d / "q.png");
    ASSERT_TRUE(png.ok) << png.problem;
    EXPECT_EQ(png.width, 600u);
    EXPECT_GT(png.height, 200000u);
}

// Taller than picture viewers open: refused with the reason, nothing written, the old file
// kept, and no more memory than the question takes.
TEST(ToolQuestionPicture, APictureTooTallIsRefused) {
    TempDir d;
    d.write("长/q.txt", longQuestion(9000));
    d.write("q.png", "old");
    const Measured m = runMeasured({"question", d / "长/q.txt", "-o", d / "q.png"}, d / "err");
    EXPECT_EQ(m.status, 1);
    const std::string err = slurp(d / "err");
    EXPECT_NE(err.find("超过了 1000000 像素"), std::string::npos) << err;
    EXPECT_NE(err.find("没有保存"), std::string::npos) << err;
    EXPECT_TRUE(slurp(d / "q.png") == "old");
    EXPECT_EQ(fileNames(d.path()), (std::vector<std::string>{"err", "q.png", "长"}));
    EXPECT_LT(m.maxRssKb, 300 * 1024);
}
