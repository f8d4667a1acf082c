// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace yhb {

// The command-line tools' exit statuses, which scripts and the manual page rely on.
enum class ExitCode : int {
    Ok = 0,
    // Something could not be written, or the bank checker found errors.
    Failed = 1,
    // A command line, or an expression or file it names, that cannot be used; nothing written.
    Usage = 2,
};

inline int exitStatus(ExitCode code) { return static_cast<int>(code); }

} // namespace yhb
