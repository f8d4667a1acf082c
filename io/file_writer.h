// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace yhb {

// Why a file could not be written, said for the user (UTF-8, Chinese).
struct FileError {
    std::string path;       // as the user named it
    std::string reason;     // "磁盘空间不足" ...
    int code = 0;           // errno, 0 when the refusal is our own
    bool readOnly = false;  // the file exists and is write-protected: nothing was tried
    bool existed = false;   // a file of that name was there before, and still is as it was

    // "无法写入文件“PATH”：REASON。" and whether the old file is still there.
    std::string message() const;
};

// The reason for a failed file operation, in Chinese, for the errors a user meets.
std::string fileReason(int error);

// Writes a file as a whole or not at all: the bytes go to a new file with a short name in
// the target's folder, which is flushed to disk and then renamed over the target. Until
// commit() succeeds the old file is untouched; a writer that is not committed removes its
// new file. A symbolic link is followed, also when it points at nothing yet, so that the
// link stays and the file it names is written. The new file keeps the old one's
// permissions. A write-protected target is refused (error.readOnly) unless `replaceReadOnly`.
class FileWriter {
public:
    explicit FileWriter(std::string path, bool replaceReadOnly = false);
    ~FileWriter();
    FileWriter(const FileWriter&) = delete;
    FileWriter& operator=(const FileWriter&) = delete;

    bool open(FileError& error);
    bool write(const void* data, std::size_t size, FileError& error);
    bool write(std::string_view bytes, FileError& error) { return write(bytes.data(), bytes.size(), error); }
    bool commit(FileError& error);
    // Removes the new file; the target stays as it was.
    void abandon();

    // The file the bytes end up in, links followed (after open()).
    const std::string& target() const { return target_; }
    // Whether that file was there before (after open()).
    bool existed() const { return existed_; }

private:
    bool fail(FileError& error, int code, const std::string& reason = {});

    std::string path_, target_, temp_;
    bool replaceReadOnly_;
    bool existed_ = false;
    int fd_ = -1;
};

// The whole of `bytes` as the file `path`, through a FileWriter.
bool replaceFile(const std::string& path, std::string_view bytes, FileError& error, bool replaceReadOnly = false);

// For the tests: the next time a writer reaches `step`, it fails with errno `error` instead of
// calling the system. Each planned failure fires once.
enum class WriteStep { Create, Write, Sync, Rename };
void planWriteFailure(WriteStep step, int error);
void clearWriteFailures();

} // namespace yhb
