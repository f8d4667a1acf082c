// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace yhb {

// yunhuiban-cli worksheet DIR (--category I ... | --file F ...) [--count N] [--seed S]
// [--answers] [--title T] [--font-size PT] -o sheet.pdf: the PDF that 生成试卷 makes for the
// same choice. Returns the exit status: 0, 1 when it cannot be written, 2 for bad input.
int worksheetCommand(int argc, char** argv);

} // namespace yhb
