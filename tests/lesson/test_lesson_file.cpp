// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>

#include "lesson/lesson_file.h"
#include "lesson_helpers.h"
#include "plot/curve.h"
#include "sample_scenes.h"
#include "test_util.h"

using namespace yhb;
using namespace yhb::test;
namespace fs = std::filesystem;

namespace {

// The process's file-size limit, lowered for one scope: writes past it fail with EFBIG, as
// on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &old_);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lower = old_;
        lower.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &lower);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, previous_);
    }

private:
    rlimit old_{};
    void (*previous_)(int) = nullptr;
};

Lesson fiveRows() {
    SizedDocument d;
    sample::enterFiveRows(d.doc);
    return lessonOf(d.doc);
}

} // namespace

TEST(LessonFile, SavedFileOpensAsTheSameLesson) {
    TempDir dir;
    const Lesson lesson = fiveRows();
    FileError error;
    ASSERT_TRUE(saveLesson(dir / "第一课.yhb", lesson, error)) << error.message();
    EXPECT_EQ(fileNames(dir.path()), std::vector<std::string>{"第一课.yhb"}); // no leftover beside it
    Lesson back;
    Problem p;
    ASSERT_TRUE(loadLesson(dir / "第一课.yhb", back, p)) << p.message;
    EXPECT_EQ(writeLesson(back), writeLesson(lesson));
    EXPECT_EQ(slurp(dir / "第一课.yhb").rfind("yunhuiban-lesson 1.0\n", 0), 0u);
}

// The write fails half-way: the old lesson is still whole and nothing is left beside it.
TEST(LessonFile, AnInterruptedSaveLeavesTheOldFileIntact) {
    TempDir dir;
    const std::string path = dir / "lesson.yhb";
    const std::string old = "yunhuiban-lesson 1.0\nrow sin\n";
    dir.write("lesson.yhb", old);
    const Lesson lesson = fiveRows();
    ASSERT_GT(writeLesson(lesson).size(), 200u);
    FileError error;
    bool saved = true;
    {
        FileSizeLimit limit(100);
        saved = saveLesson(path, lesson, error);
    }
    EXPECT_FALSE(saved);
    EXPECT_EQ(slurp(path), old);
    EXPECT_EQ(fileNames(dir.path()), std::vector<std::string>{"lesson.yhb"});
    const std::string text = saveFailureText(error);
    EXPECT_NE(text.find("课件没有保存到“" + path + "”：文件超过了系统允许的大小。"), std::string::npos) << text;
    EXPECT_NE(text.find("已有的同名文件保持原样"), std::string::npos) << text;
}

TEST(LessonFile, FilesThatAreNoLessonsAreRefusedWithTheirReason) {
    TempDir dir;
    Lesson l;
    Problem p;
    EXPECT_FALSE(loadLesson(dir / "none.yhb", l, p));
    EXPECT_EQ(p.line, 0);
    EXPECT_EQ(p.file, dir / "none.yhb");
    EXPECT_NE(p.message.find("不存在"), std::string::npos);
    EXPECT_FALSE(loadLesson(dir.path(), l, p));
    EXPECT_NE(p.message.find("不是一个普通文件"), std::string::npos);

    // Over 1 MiB: refused before a byte is read, even when it starts like a lesson.
    const std::string head = "yunhuiban-lesson 1.0\n";
    std::string big = head + std::string(kLessonMaxBytes - head.size() - 1, '#') + "\n";
    dir.write("limit.yhb", big);
    EXPECT_TRUE(loadLesson(dir / "limit.yhb", l, p)) << p.message; // comment lines up to the limit
    dir.write("big.yhb", big + "\n");
    EXPECT_FALSE(loadLesson(dir / "big.yhb", l, p));
    EXPECT_NE(p.message.find("大于 1 MiB"), std::string::npos);
    ::chmod((dir / "big.yhb").c_str(), 0);
    EXPECT_FALSE(loadLesson(dir / "big.yhb", l, p));
    EXPECT_NE(p.message.find("大于 1 MiB"), std::string::npos); // not "cannot read": never opened

    const std::string text = openFailureText("/home/t/课件.yhb", problemAt(3, "未知的函数类型“x”。"));
    EXPECT_NE(text.find("/home/t/课件.yhb"), std::string::npos);
    EXPECT_NE(text.find("第 3 行：未知的函数类型“x”。"), std::string::npos);
    EXPECT_NE(text.find("没有改变"), std::string::npos);
}
