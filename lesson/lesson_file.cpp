// SPDX-License-Identifier: GPL-3.0-or-later
#include "lesson/lesson_file.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "bank/bank_file.h"

namespace yhb {
namespace {

std::string systemError(int e) {
    switch (e) {
    case ENOSPC: return "磁盘空间不足。";
    case EDQUOT: return "超出了磁盘配额。";
    case EFBIG: return "文件超过了系统允许的大小。";
    case EACCES:
    case EPERM: return "没有权限。";
    case ENOENT: return "文件或文件夹不存在。";
    case ENOTDIR: return "路径中有一部分不是文件夹。";
    case EROFS: return "文件系统是只读的。";
    case EISDIR: return "这是一个文件夹。";
    case EIO: return "读写出错（输入/输出错误）。";
    default: return std::string("系统错误：") + std::strerror(e) + "。";
    }
}

// Where the bytes go: through a symbolic link to the file it names, so the link stays.
std::string resolved(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    char* real = ::realpath(path.c_str(), nullptr);
    if (!real) return path;
    std::string out = real;
    std::free(real);
    return out;
}

bool writeAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = EIO;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

bool loadLesson(const std::string& path, Lesson& out, LessonProblem& problem) {
    out = Lesson{};
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        problem = {0, "无法读取文件：" + systemError(errno)};
        return false;
    }
    if (!S_ISREG(st.st_mode)) {
        problem = {0, "这不是一个普通文件，不是云绘板课件。"};
        return false;
    }
    if (static_cast<unsigned long long>(st.st_size) > kLessonMaxBytes) {
        problem = {0, "文件大于 1 MiB，不是云绘板课件，没有读取。"};
        return false;
    }
    std::string bytes;
    errno = 0;
    if (!readRegularFile(path, kLessonMaxBytes, bytes)) {
        // Grown past the limit since stat, or a read error.
        problem = {0, errno ? "无法读取文件：" + systemError(errno) : "文件大于 1 MiB，不是云绘板课件，没有读取。"};
        return false;
    }
    return parseLesson(bytes, out, problem);
}

bool replaceFile(const std::string& path, const std::string& bytes, std::string& why) {
    const std::string target = resolved(path);
    const std::size_t slash = target.rfind('/');
    const std::string dir = slash == std::string::npos ? "." : slash == 0 ? "/" : target.substr(0, slash);
    const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
    std::string temp = dir + "/." + base + ".XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) {
        why = systemError(errno);
        return false;
    }
    // The new file gets the old one's permissions, or those of any new file.
    struct stat st {};
    mode_t mode = 0;
    if (::stat(target.c_str(), &st) == 0) {
        mode = st.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    bool ok = ::fchmod(fd, mode) == 0 && writeAll(fd, bytes) && ::fsync(fd) == 0;
    int error = ok ? 0 : errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok && ::rename(temp.c_str(), target.c_str()) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        ::unlink(temp.c_str());
        why = systemError(error);
        return false;
    }
    const int dirFd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) { // the rename itself on disk; a failure here loses nothing already there
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return true;
}

bool saveLesson(const std::string& path, const Lesson& lesson, std::string& why) {
    return replaceFile(path, writeLesson(lesson), why);
}

std::string openFailureText(const std::string& path, const LessonProblem& problem) {
    std::string text = "无法打开课件“" + path + "”。\n";
    if (problem.line > 0) text += "第 " + std::to_string(problem.line) + " 行：";
    return text + problem.what + "\n当前的函数和坐标设置没有改变。";
}

std::string saveFailureText(const std::string& path, const std::string& why) {
    return "课件没有保存到“" + path + "”：" + why + "\n已有的同名文件保持原样。";
}

} // namespace yhb
