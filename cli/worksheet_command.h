// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "io/exit_code.h"

namespace yhb {

// yunhuiban-cli worksheet DIR (--category I ... | --file F ...) [--count N] [--seed S]
// [--answers] [--title T] [--subtitle T] [--layout a4|a3] [--edition student|teacher]
// [--font-size PT] -o sheet.pdf: the PDF that 生成试卷 makes for the
// same choice. Returns the exit status: Ok, Failed when it cannot be written, Usage for bad
// input.
ExitCode worksheetCommand(int argc, char** argv);

} // namespace yhb
