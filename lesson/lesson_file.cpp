// SPDX-License-Identifier: GPL-3.0-or-later
#include "lesson/lesson_file.h"

#include <cerrno>
#include <sys/stat.h>

#include "bank/bank_file.h"

namespace yhb {
namespace {

// Why a lesson could not be read; writing has its own reasons.
std::string readReason(int e) {
    switch (e) {
    case ENOENT: return "文件或文件夹不存在。";
    case EACCES:
    case EPERM: return "没有读取该文件的权限。";
    default: return fileReason(e) + "。";
    }
}

bool readLesson(const std::string& path, Lesson& out, Problem& problem) {
    out = Lesson{};
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        problem = problemAt(0, "无法读取文件：" + readReason(errno));
        return false;
    }
    if (!S_ISREG(st.st_mode)) {
        problem = problemAt(0, "这不是一个普通文件，不是云绘板课件。");
        return false;
    }
    if (static_cast<unsigned long long>(st.st_size) > kLessonMaxBytes) {
        problem = problemAt(0, "文件大于 1 MiB，不是云绘板课件，没有读取。");
        return false;
    }
    std::string bytes;
    errno = 0;
    if (!readRegularFile(path, kLessonMaxBytes, bytes)) {
        // Grown past the limit since stat, or a read error.
        problem = problemAt(0, errno ? "无法读取文件：" + readReason(errno) : "文件大于 1 MiB，不是云绘板课件，没有读取。");
        return false;
    }
    return parseLesson(bytes, out, problem);
}

} // namespace

bool loadLesson(const std::string& path, Lesson& out, Problem& problem) {
    const bool ok = readLesson(path, out, problem);
    if (!ok) problem.file = path;
    return ok;
}

bool saveLesson(const std::string& path, const Lesson& lesson, FileError& error, bool replaceReadOnly) {
    return replaceFile(path, writeLesson(lesson), error, replaceReadOnly);
}

std::string openFailureText(const std::string& path, const Problem& problem) {
    std::string text = "无法打开课件“" + path + "”。\n";
    if (problem.line > 0) text += "第 " + std::to_string(problem.line) + " 行：";
    return text + problem.message + "\n当前的函数和坐标设置没有改变。";
}

std::string saveFailureText(const FileError& error) {
    std::string text = "课件没有保存到“" + error.path + "”：" + error.reason + "。";
    if (error.existed) text += "\n已有的同名文件保持原样。";
    return text;
}

} // namespace yhb
