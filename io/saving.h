// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>
#include <string>
#include <string_view>

#include "io/exit_code.h"
#include "io/notifier.h"
#include "io/file_writer.h"

namespace yhb {

// What goes into a file being written; false with the error when something failed.
using FillFile = std::function<bool(FileWriter& out, FileError& error)>;
// The text of a failure for the user; FileError::message() when not given.
using DescribeFailure = std::function<std::string(const FileError&)>;

// Saving from the window: a write-protected file is replaced only after the user chose 替换,
// and every failure is a message box naming the file and the reason. True when written.
bool saveAsking(Notifier& notifier, MessageOwner owner, const std::string& path, const FillFile& fill,
                const DescribeFailure& describe = {});
bool saveAsking(Notifier& notifier, MessageOwner owner, const std::string& path, std::string_view bytes,
                const DescribeFailure& describe = {});

// Saving from the command-line tool: a write-protected file is replaced only with `force`
// (--force); a failure is said on stderr. The exit status: Ok, or Failed when nothing was written.
ExitCode saveForTool(const std::string& path, bool force, const FillFile& fill, const DescribeFailure& describe = {});
ExitCode saveForTool(const std::string& path, bool force, std::string_view bytes, const DescribeFailure& describe = {});

} // namespace yhb
