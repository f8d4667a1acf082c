// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/qt/question_typeset.h"

#include <algorithm>
#include <cmath>

#include <QPainter>

#include "bank/qt/worksheet_writer.h"
#include "gfx/qt/painter_surface.h"
#include "gfx/qt/qt_surface.h"
#include "gfx/qt/typeset_font.h"
#include "gfx/render_style.h"

namespace yhb {

void QuestionTypesetView::layout(const BankCategory* c, const QuestionNavigator& nav, int width) {
    ready_ = false;
    if (!on_ || !c || width <= 0) return;
    const auto at = static_cast<std::size_t>(c->currentQuestion);
    if (c->currentQuestion < 0 || at >= c->questionPaths.size()) return;
    SheetQuestion q;
    Problem why;
    if (!readSheetQuestion(c->questionPaths[at], q, why)) return;
    // The figure is 显示图形's, for the main window, as in the classic view: no room kept for it.
    q.figures.clear();
    if (!font_) {
        font_ = sheetFont();
        measure_ = sheetMeasure();
    }
    const double size = textbookBodySize(nav.cellHeight);
    text_ = typesetQuestion(q, nav.answerShown, *measure_, width - 2 * textbookMargin(size), size);
    textTop_ = c->headerList.measure(width) + 0.3 * size;
    ready_ = true;
}

double QuestionTypesetView::textLeft() const { return textbookMargin(text_.size); }

int QuestionTypesetView::contentHeight() const {
    return static_cast<int>(std::ceil(textTop_ + text_.height));
}

QImage QuestionTypesetView::render(const BankCategory& c, int width, int height, double dpr, int scrollPixels) const {
    QImage image(std::max(1, static_cast<int>(std::lround(width * dpr))),
                 std::max(1, static_cast<int>(std::lround(height * dpr))), QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QtSurface s(&image, normalStyle(dpr));
        c.headerList.draw(s, 0, -scrollPixels, width, height);
    }
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.scale(dpr, dpr);
    PainterSurface s(painter, 1.0, font_);
    drawTypeset(s, text_, textLeft(), textTop_ - scrollPixels);
    painter.end();
    image.setDevicePixelRatio(dpr);
    return image;
}

} // namespace yhb
