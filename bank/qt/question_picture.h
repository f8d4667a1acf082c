// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <string>

#include "bank/qt/question_typeset.h"
#include "bank/question_navigator.h"
#include "io/exit_code.h"
#include "io/notifier.h"
#include "io/problem.h"
#include "io/file_writer.h"

namespace yhb {

// The whole question (and its answer when shown) as a PNG file, as the question window or
// `yunhuiban-cli question -o` saves it. It is drawn a band of rows at a time straight into
// the file, so memory stays bounded however long the question is.

// Taller than this, a PNG is refused by the picture programs that read it with their usual
// limits; we do not write one.
constexpr std::int64_t kMaxPictureRows = 1000000;

struct PictureSize {
    std::int64_t width = 0, height = 0; // device pixels
};

// The picture of what `nav` shows at `width` logical pixels and device pixel ratio `dpr`.
// Measures the navigator at that width and leaves it as it was.
PictureSize questionPictureSize(QuestionNavigator& nav, int width, double dpr);

// True when the picture can be saved, else false with why not.
bool pictureFits(const PictureSize& size, Problem& problem);

// Draws the picture into `out`; false with the error. `bandRows` (device rows drawn at once)
// is chosen from the width when 0.
bool writeQuestionPicture(QuestionNavigator& nav, int width, double dpr, FileWriter& out, FileError& error,
                          int bandRows = 0);

// 保存题目图片: a picture too big is refused with a message and nothing written; a
// write-protected file is replaced only after 替换; a failure is a message box.
bool saveQuestionPicture(QuestionNavigator& nav, int width, double dpr, const std::string& path, Notifier& notifier,
                         MessageOwner owner);
// The tool's -o: the same refusals on stderr; the exit status.
ExitCode saveQuestionPictureForTool(QuestionNavigator& nav, int width, double dpr, const std::string& path, bool force);

// The same for 教材记法: what `view` has set for category `c` at `width`.
PictureSize typesetPictureSize(const QuestionTypesetView& view, int width, double dpr);
bool writeTypesetPicture(const QuestionTypesetView& view, const BankCategory& c, int width, double dpr, FileWriter& out,
                         FileError& error, int bandRows = 0);
bool saveTypesetPicture(const QuestionTypesetView& view, const BankCategory& c, int width, double dpr,
                        const std::string& path, Notifier& notifier, MessageOwner owner);
ExitCode saveTypesetPictureForTool(const QuestionTypesetView& view, const BankCategory& c, int width, double dpr,
                                   const std::string& path, bool force);

} // namespace yhb
