// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/file_writer.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace yhb {
namespace {

constexpr int kMaxLinks = 40; // as the kernel allows in one path

std::vector<std::pair<WriteStep, int>>& planned() {
    static std::vector<std::pair<WriteStep, int>> faults;
    return faults;
}

// A planned failure for `step`, taken off the list; 0 when none.
int plannedFailure(WriteStep step) {
    auto& faults = planned();
    for (auto it = faults.begin(); it != faults.end(); ++it)
        if (it->first == step) {
            const int e = it->second;
            faults.erase(it);
            return e;
        }
    return 0;
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The file a path names once its symbolic links are followed; a link to nothing names the
// file it would point at. 0, or ELOOP for a chain that does not end.
int followLinks(const std::string& path, std::string& out) {
    out = path;
    for (int hops = 0; hops <= kMaxLinks; ++hops) {
        struct stat st {};
        // Any other trouble (a missing folder, no permission) is met again, and said, when the
        // new file is made.
        if (::lstat(out.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return 0;
        std::string to(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 255) + 1, '\0');
        ssize_t n = 0;
        while ((n = ::readlink(out.c_str(), to.data(), to.size())) >= static_cast<ssize_t>(to.size())) to.resize(to.size() * 2);
        if (n < 0) return 0;
        to.resize(static_cast<std::size_t>(n));
        out = !to.empty() && to[0] == '/' ? to : folderOf(out) + "/" + to;
    }
    return ELOOP;
}

bool writeAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = EIO;
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

std::string fileReason(int error) {
    switch (error) {
    case ENOSPC: return "磁盘空间不足";
    case EDQUOT: return "超出了磁盘配额";
    case EFBIG: return "文件超过了系统允许的大小";
    case EACCES:
    case EPERM: return "没有写入该文件或其所在文件夹的权限";
    case EROFS: return "这是只读文件系统，不能写入";
    case ENAMETOOLONG: return "文件名太长";
    case ENOENT: return "文件夹不存在";
    case ENOTDIR: return "路径中有一部分不是文件夹";
    case ELOOP: return "符号链接层数太多（可能指向了自己）";
    case EXDEV: return "新文件与原文件不在同一个文件系统上，不能替换";
    case EISDIR: return "这是一个文件夹";
    case EIO: return "读写出错（输入/输出错误），磁盘或网络可能有故障";
    case EMFILE:
    case ENFILE: return "同时打开的文件太多";
    case ENOMEM: return "内存不足";
    case EBUSY:
    case ETXTBSY: return "文件正在被使用";
    case ESTALE: return "网络文件系统上的文件已经失效";
    case EINVAL: return "该文件系统不接受这个文件名";
    default: return "系统错误（错误号 " + std::to_string(error) + "）";
    }
}

std::string FileError::message() const {
    std::string text = "无法写入文件“" + path + "”：" + reason + "。";
    if (existed) text += "原来的文件保持原样。";
    return text;
}

FileWriter::FileWriter(std::string path, bool replaceReadOnly) : path_(std::move(path)), replaceReadOnly_(replaceReadOnly) {}

FileWriter::~FileWriter() { abandon(); }

bool FileWriter::fail(FileError& error, int code, const std::string& reason) {
    abandon();
    error.path = path_;
    error.code = code;
    error.reason = reason.empty() ? fileReason(code) : reason;
    error.readOnly = false;
    error.existed = existed_;
    return false;
}

bool FileWriter::open(FileError& error) {
    abandon();
    existed_ = false;
    if (path_.empty()) return fail(error, ENOENT, "没有给出文件名");
    if (const int e = followLinks(path_, target_)) return fail(error, e);
    struct stat st {};
    mode_t mode = 0;
    if (::stat(target_.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) return fail(error, EISDIR);
        // A device or a pipe would be replaced by a file rather than written to.
        if (!S_ISREG(st.st_mode)) return fail(error, 0, "这不是普通文件，不能替换");
        existed_ = true;
        mode = st.st_mode & 07777;
        const bool writable = (mode & 0222) != 0 && (::access(target_.c_str(), W_OK) == 0 || errno != EACCES);
        if (!writable && !replaceReadOnly_) {
            fail(error, 0, "这是只读文件");
            error.readOnly = true;
            return false;
        }
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    // A short name, so that a target whose name is near the limit still has room beside it.
    temp_ = folderOf(target_) + "/.yhb-XXXXXX";
    int e = plannedFailure(WriteStep::Create);
    if (!e) {
        fd_ = ::mkostemp(temp_.data(), O_CLOEXEC);
        if (fd_ < 0) e = errno;
    }
    if (e) {
        temp_.clear();
        return fail(error, e, e == EACCES || e == EPERM ? "没有在其所在文件夹中新建文件的权限" : "");
    }
    if (::fchmod(fd_, mode) != 0) return fail(error, errno);
    // The old owner, where we may give it (root saving a user's file); else ours.
    if (existed_ && (st.st_uid != ::geteuid() || st.st_gid != ::getegid()) && ::fchown(fd_, st.st_uid, st.st_gid) != 0) {
    }
    return true;
}

bool FileWriter::write(const void* data, std::size_t size, FileError& error) {
    if (fd_ < 0) return fail(error, EBADF);
    if (const int e = plannedFailure(WriteStep::Write)) return fail(error, e);
    if (!writeAll(fd_, static_cast<const char*>(data), size)) return fail(error, errno);
    return true;
}

bool FileWriter::commit(FileError& error) {
    if (fd_ < 0) return fail(error, EBADF);
    int e = plannedFailure(WriteStep::Sync);
    if (!e && ::fsync(fd_) != 0) e = errno;
    // Some file systems (NFS) report a full disk only when the file is closed.
    const int closed = ::close(fd_);
    fd_ = -1;
    if (!e && closed != 0) e = errno;
    if (e) return fail(error, e);
    e = plannedFailure(WriteStep::Rename);
    if (!e && ::rename(temp_.c_str(), target_.c_str()) != 0) e = errno;
    if (e) return fail(error, e, e == EACCES || e == EPERM ? "没有替换该文件的权限" : "");
    temp_.clear();
    // The rename itself on disk; a failure here loses nothing that was there.
    const int dir = ::open(folderOf(target_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

void FileWriter::abandon() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (!temp_.empty()) ::unlink(temp_.c_str());
    temp_.clear();
}

bool replaceFile(const std::string& path, std::string_view bytes, FileError& error, bool replaceReadOnly) {
    FileWriter out(path, replaceReadOnly);
    return out.open(error) && out.write(bytes, error) && out.commit(error);
}

void planWriteFailure(WriteStep step, int error) { planned().emplace_back(step, error); }

void clearWriteFailures() { planned().clear(); }

} // namespace yhb
