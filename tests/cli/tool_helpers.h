// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "test_util.h"

namespace yhb::test {

struct ToolRun {
    int status;
    std::string out, err;
};

// Runs a shell command line, its output and errors caught in files.
inline ToolRun run(const std::string& command) {
    TempDir d;
    const int raw = std::system((command + " >" + (d / "out") + " 2>" + (d / "err")).c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, slurp(d / "out"), slurp(d / "err")};
}

inline std::string quoted(const std::string& s) { return "'" + s + "'"; }

// Runs the tool with `args` (already quoted for the shell), in `cwd` when one is given.
inline ToolRun cli(const std::string& args, const std::string& cwd = "") {
    const char* tool = std::getenv("YHB_CLI");
    return run((cwd.empty() ? "" : "cd " + quoted(cwd) + " && ") + std::string(tool ? tool : "yunhuiban-cli") + " " + args);
}

} // namespace yhb::test
