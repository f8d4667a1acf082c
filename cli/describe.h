// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "model/document.h"

namespace yhb {

// plot --describe: the rows written out in textbook notation, for a worksheet or a document
// rather than a picture.
enum class DescribeFormat { None, Text, Latex };

// Reads "--describe" (Unicode text) or "--describe=latex"; false for any other argument.
// `error` is set when the argument is --describe with a format we do not write.
bool readDescribeOption(const std::string& arg, DescribeFormat& format, std::string& error);

// Per row in table order: its equation on one line, then one line per named point or line of
// its check boxes (F₁(−1,0), l: x=−4), in the order of the row's extras.
std::string describeRows(const Document& doc, DescribeFormat format);

} // namespace yhb
