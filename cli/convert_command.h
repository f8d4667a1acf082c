// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "io/exit_code.h"

namespace yhb {

// yunhuiban-cli bank --convert FILE: the question on stdout in the natural format, so that a
// teacher can move it over; writes no file. A file that cannot be read, or is no question, is
// named on stderr.
ExitCode convertCommand(const std::string& path, bool english);

} // namespace yhb
