// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/print_page.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

#include <algorithm>
#include <cmath>

#include "gfx/qt/painter_surface.h"
#include "gfx/qt/qt_surface.h"
#include "gfx/qt/reproducible_pdf.h"
#include "lesson/lesson.h"
#include "plot/canvas_scene.h"

namespace yhb {
namespace {

constexpr double kPageWidthMm = 297, kPageHeightMm = 210;
constexpr double kMarginMm = 12, kGapMm = 5;
// The plot's logical pixel: fine enough that curves sampled on it are smooth on paper.
constexpr double kPlotPixelMm = 0.125;
// Its text twice the canvas's cells: 2.25 mm digits.
constexpr int kPlotTextMagnification = 2;
constexpr int kPlotTickLength = 10;
// The labels' logical pixel and cells.
constexpr double kLabelPixelMm = 0.25;
constexpr int kLabelCharWidth = 9, kLabelCharHeight = 32;
constexpr int kLabelColumns = 3;
constexpr double kSwatchMm = 8;

// The canvas scene on paper: the grey ground is left to the paper, and numbers are larger.
class PaperSurface : public PainterSurface {
public:
    using PainterSurface::PainterSurface;
    void fillRect(int left, int top, int right, int bottom, Colour c) override {
        if (c != kGrey) PainterSurface::fillRect(left, top, right, bottom, c);
    }
    void textOut(int x, int y, std::string_view text, CellFont font) override {
        PainterSurface::textOut(x, y, text, {font.height * kPlotTextMagnification, font.width * kPlotTextMagnification});
    }
};

struct LabelCell {
    int row;
    int height; // label pixels
};

} // namespace

void paintPrintPage(QPainter& painter, double dotsPerMm, Document& doc, double cmPerUnit) {
    const ExpressionTable& t = doc.table;
    const double contentWidthMm = kPageWidthMm - 2 * kMarginMm;

    // Labels first: their height decides the plot's.
    const int columnWidth = static_cast<int>(contentWidthMm / kLabelColumns / kLabelPixelMm);
    const int swatch = static_cast<int>(kSwatchMm / kLabelPixelMm);
    std::vector<LabelCell> cells;
    std::vector<int> lineHeights;
    for (int r = 0; r < t.slotCount; ++r) {
        ItemList& labels = doc.table.slot(r).labels;
        if (labels.count() == 0) continue;
        labels.setFontSize(kLabelCharWidth, kLabelCharHeight);
        labels.setColour(kBlack);
        const int h = labels.measure(columnWidth - swatch - kLabelCharWidth);
        if (cells.size() % kLabelColumns == 0) lineHeights.push_back(0);
        lineHeights.back() = std::max(lineHeights.back(), h);
        cells.push_back({r, h});
    }
    double labelsMm = 0;
    for (int h : lineHeights) labelsMm += h * kLabelPixelMm;
    labelsMm = std::min(labelsMm, 80.0);
    const double plotHeightMm = kPageHeightMm - 2 * kMarginMm - (cells.empty() ? 0 : labelsMm + kGapMm);

    // The plot: the region around the canvas's centre, one unit cmPerUnit centimetres.
    const int plotW = static_cast<int>(contentWidthMm / kPlotPixelMm);
    const int plotH = static_cast<int>(plotHeightMm / kPlotPixelMm);
    ViewSettings view = doc.view;
    view.pixelsPerUnit = static_cast<int>(std::lround(cmPerUnit * 10 / kPlotPixelMm));
    view.tickLength = kPlotTickLength;
    int ox = plotW / 2, oy = plotH / 2;
    const CanvasView& c = doc.canvas;
    if (c.canvasWidth > 0 && c.canvasHeight > 0 && doc.view.pixelsPerUnit > 0) {
        const double k = double(view.pixelsPerUnit) / doc.view.pixelsPerUnit;
        ox += static_cast<int>(std::lround((c.originX - c.canvasWidth / 2.0) * k));
        oy += static_cast<int>(std::lround((c.originY - c.canvasHeight / 2.0) * k));
    }

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.scale(dotsPerMm, dotsPerMm);
    painter.translate(kMarginMm, kMarginMm);
    painter.save();
    painter.scale(kPlotPixelMm, kPlotPixelMm);
    painter.setClipRect(QRectF(0, 0, plotW, plotH));
    PaperSurface plot(painter, 2.0); // a quarter of a millimetre
    plot.setBkMode(BkMode::Transparent);
    plot.setOrigin(ox, oy);
    paintCanvas(plot, t, view, plotW, plotH);
    painter.setClipping(false);
    painter.setPen(QPen(Qt::black, 2.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(0, 0, plotW, plotH));
    painter.restore();

    // The labels in rows of three, each after a stroke of its row's colour.
    painter.translate(0, plotHeightMm + kGapMm);
    painter.scale(kLabelPixelMm, kLabelPixelMm);
    painter.setClipRect(QRectF(0, 0, contentWidthMm / kLabelPixelMm, labelsMm / kLabelPixelMm));
    PainterSurface text(painter, 1.0);
    int top = 0;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const int column = static_cast<int>(i % kLabelColumns);
        if (i > 0 && column == 0) top += lineHeights[i / kLabelColumns - 1];
        const ExpressionSlot& slot = t.slot(cells[i].row);
        const int left = column * columnWidth;
        const int mid = top + kLabelCharHeight / 2;
        painter.setPen(QPen(toQColor(SlotColours[static_cast<std::size_t>(std::clamp(slot.colourIndex, 0, 5))]), 8.0,
                            Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(QPointF(left, mid), QPointF(left + swatch - kLabelCharWidth, mid));
        slot.labels.draw(text, left + swatch, top, columnWidth - swatch - kLabelCharWidth, cells[i].height);
    }
    painter.restore();
}

QByteArray printPdf(Document& doc, double cmPerUnit, const QString& title) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(0, 0, 0, 0)));
        pdf.setResolution(1200);
        pdf.setTitle(title);
        pdf.setCreator("云绘板");
        // The page is the lesson's rows and view at this scale, under this title.
        setContentId(pdf, [&] {
            return QByteArray::fromStdString(writeLesson(lessonOf(doc))) + QByteArray::number(cmPerUnit) + '\n' + title.toUtf8();
        });
        QPainter painter(&pdf);
        paintPrintPage(painter, pdf.resolution() / 25.4, doc, cmPerUnit);
    }
    return withoutDates(bytes);
}

bool printPage(QPrinter& printer, Document& doc, double cmPerUnit) {
    printer.setFullPage(true); // measured from the paper's corner, so the plot is centred on it
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(0, 0, 0, 0)));
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    paintPrintPage(painter, printer.resolution() / 25.4, doc, cmPerUnit);
    return painter.end();
}

} // namespace yhb
