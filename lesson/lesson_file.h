// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "lesson/lesson.h"

namespace yhb {

// Reads and parses a lesson file; a file over 1 MiB is refused unread. False with the problem
// (line 0 when the file could not be read at all).
bool loadLesson(const std::string& path, Lesson& out, LessonProblem& problem);

// Writes `bytes` to a new file beside `path` and renames it over `path` only when every byte
// is on disk, so that a failed save leaves the old file as it was. False with the reason
// (UTF-8, Chinese).
bool replaceFile(const std::string& path, const std::string& bytes, std::string& why);

// The lesson's bytes written to `path` through replaceFile.
bool saveLesson(const std::string& path, const Lesson& lesson, std::string& why);

// Message box texts (UTF-8) naming the file, the line and what is wrong.
std::string openFailureText(const std::string& path, const LessonProblem& problem);
std::string saveFailureText(const std::string& path, const std::string& why);

} // namespace yhb
