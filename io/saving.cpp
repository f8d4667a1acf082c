// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/saving.h"

#include <cstdio>

#include "res/strings.h"

namespace yhb {
namespace {

bool writeWith(const std::string& path, bool replaceReadOnly, const FillFile& fill, FileError& error) {
    FileWriter out(path, replaceReadOnly);
    if (!out.open(error)) return false;
    if (!fill(out, error)) {
        // The file's own failures name it already; what filling it found out does not.
        out.abandon();
        error.path = path;
        error.existed = out.existed();
        return false;
    }
    return out.commit(error);
}

FillFile bytesOf(std::string_view bytes) {
    return [bytes](FileWriter& out, FileError& error) { return out.write(bytes, error); };
}

std::string describeWith(const DescribeFailure& describe, const FileError& error) {
    return describe ? describe(error) : error.message();
}

} // namespace

bool saveAsking(Notifier& notifier, MessageOwner owner, const std::string& path, const FillFile& fill,
                const DescribeFailure& describe) {
    FileError error;
    if (writeWith(path, false, fill, error)) return true;
    if (error.readOnly) {
        if (!notifier.ask(appTitleUtf8(), "“" + path + "”是只读文件。\n要替换它吗？", "替换", "取消", owner)) return false;
        if (writeWith(path, true, fill, error)) return true;
    }
    notifier.message(appTitleUtf8(), describeWith(describe, error), owner);
    return false;
}

bool saveAsking(Notifier& notifier, MessageOwner owner, const std::string& path, std::string_view bytes,
                const DescribeFailure& describe) {
    return saveAsking(notifier, owner, path, bytesOf(bytes), describe);
}

ExitCode saveForTool(const std::string& path, bool force, const FillFile& fill, const DescribeFailure& describe) {
    FileError error;
    if (writeWith(path, force, fill, error)) return ExitCode::Ok;
    std::string text = describeWith(describe, error);
    if (error.readOnly) text += "要替换它，请加 --force。";
    std::fprintf(stderr, "yunhuiban-cli: %s\n", text.c_str());
    return ExitCode::Failed;
}

ExitCode saveForTool(const std::string& path, bool force, std::string_view bytes, const DescribeFailure& describe) {
    return saveForTool(path, force, bytesOf(bytes), describe);
}

} // namespace yhb
