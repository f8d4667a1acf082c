// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstddef>
#include <string>

namespace yhb {

// Reads a whole bank file. False for anything that is not a regular file when opened (a FIFO
// or device never blocks: the type is checked on the open descriptor), for a file larger
// than `maxBytes`, and for read errors. Nothing is ever written.
bool readRegularFile(const std::string& path, std::size_t maxBytes, std::string& bytes);

// Reads at most the first `maxBytes` of a regular file, however long it is; false as above
// for anything else.
bool readFileStart(const std::string& path, std::size_t maxBytes, std::string& bytes);

} // namespace yhb
