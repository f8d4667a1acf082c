// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "io/file_writer.h"
#include "lesson/lesson.h"

namespace yhb {

// Reads and parses a lesson file; a file over 1 MiB is refused unread. False with the problem
// (line 0 when the file could not be read at all).
bool loadLesson(const std::string& path, Lesson& out, Problem& problem);

// The lesson's bytes written to `path` as a whole or not at all (see FileWriter).
bool saveLesson(const std::string& path, const Lesson& lesson, FileError& error, bool replaceReadOnly = false);

// Message box texts (UTF-8) naming the file, the line and what is wrong.
std::string openFailureText(const std::string& path, const Problem& problem);
std::string saveFailureText(const FileError& error);

} // namespace yhb
