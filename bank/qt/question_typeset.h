// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <memory>
#include <string>

#include <QImage>

#include "bank/catalogue.h"
#include "bank/question_navigator.h"
#include "bank/question_typeset.h"

namespace yhb {

class TypesetFont;

// 字体 → 教材记法 in the question window: the header line as the classic view draws it, then
// the question set as print sets it, in the print faces, black on white.
class QuestionTypesetView {
public:
    bool on() const { return on_; }
    void setOn(bool on) { on_ = on; }

    // Reads and sets the shown question again at the client width: whenever the question, the
    // answer's showing, the font size or the width changed. A file that cannot be read leaves
    // nothing set, and the window shows it the classic way.
    void layout(const BankCategory* c, const QuestionNavigator& nav, int width);
    bool ready() const { return ready_; }
    // Why nothing is set, when the file could not be read.
    const std::string& problem() const { return problem_; }
    // The header and the text, in logical pixels.
    int contentHeight() const;

    // The client `width` x `height` scrolled down `scrollPixels`, at device pixel ratio `dpr`.
    QImage render(const BankCategory& c, int width, int height, double dpr, int scrollPixels) const;
    // Device rows from `firstRow` on of the whole picture `width` wide (保存题目图片).
    void paintBand(QImage& band, const BankCategory& c, int width, double dpr, long long firstRow) const;
    // The text's top left in the unscrolled client, and what is drawn there.
    double textLeft() const;
    double textTop() const { return textTop_; }
    const TypesetQuestion& text() const { return text_; }

private:
    // The text on `image`, its device row 0 being the picture's `firstRow` at `dpr`.
    void paintText(QImage& image, double dpr, double firstRow) const;
    bool on_ = false;
    bool ready_ = false;
    std::shared_ptr<const TypesetFont> font_;
    std::unique_ptr<Surface> measure_;
    TypesetQuestion text_;
    double textTop_ = 0;
    std::string problem_;
};

} // namespace yhb
