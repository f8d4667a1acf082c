// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <utility>

namespace yhb {

// What went wrong, said for the user: one whole sentence in Chinese (UTF-8) and, where it
// applies, the file and the place in it (from 1; 0 when the sentence is about the file as a
// whole or no file is involved).
struct Problem {
    std::string message;
    std::string file;
    int line = 0;
    int column = 0;
};

// A problem at a line of the file being read.
inline Problem problemAt(int line, std::string message) {
    Problem p;
    p.message = std::move(message);
    p.line = line;
    return p;
}

} // namespace yhb
