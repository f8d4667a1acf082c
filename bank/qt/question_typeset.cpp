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
    problem_.clear();
    if (!on_ || !c || width <= 0) return;
    const auto at = static_cast<std::size_t>(c->currentQuestion);
    if (c->currentQuestion < 0 || at >= c->questionPaths.size()) return;
    SheetQuestion q;
    Problem why;
    if (!readSheetQuestion(c->questionPaths[at], q, why)) {
        problem_ = why.message;
        return;
    }
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

void QuestionTypesetView::paintText(QImage& image, double dpr, double firstRow) const {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.translate(0, -firstRow);
    painter.scale(dpr, dpr);
    PainterSurface s(painter, 1.0, font_);
    drawTypeset(s, text_, textLeft(), textTop_);
}

QImage QuestionTypesetView::render(const BankCategory& c, int width, int height, double dpr, int scrollPixels) const {
    QImage image(std::max(1, static_cast<int>(std::lround(width * dpr))),
                 std::max(1, static_cast<int>(std::lround(height * dpr))), QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QtSurface s(&image, normalStyle(dpr));
        c.headerList.draw(s, 0, -scrollPixels, width, height);
    }
    paintText(image, dpr, scrollPixels * dpr);
    image.setDevicePixelRatio(dpr);
    return image;
}

void QuestionTypesetView::paintBand(QImage& band, const BankCategory& c, int width, double dpr, long long firstRow) const {
    band.fill(Qt::white);
    {
        QtSurface s(&band, normalStyle(dpr));
        s.setFirstRow(firstRow);
        c.headerList.draw(s, 0, 0, width, std::max(contentHeight(), 1));
    }
    paintText(band, dpr, static_cast<double>(firstRow));
}

} // namespace yhb
