// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/qt/worksheet_writer.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

#include "gfx/qt/painter_surface.h"
#include "gfx/recording_surface.h"
#include "gfx/qt/reproducible_pdf.h"

namespace yhb {
namespace {

constexpr double kPenWidth = 1.5; // sheet units: 0.15 mm, a fraction bar as a printed rule
constexpr int kPdfResolution = 1200;

QPageLayout a4Portrait() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0));
}

// The device has `dotsPerMm` dots to the millimetre with the page's top left corner at (0, 0).
template <class NewPage>
bool paintWorksheet(QPainter& painter, double dotsPerMm, const Worksheet& sheet, NewPage newPage) {
    for (int page = 0; page < sheet.pageCount(); ++page) {
        if (page > 0 && !newPage()) return false;
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.scale(dotsPerMm / kSheetUnitsPerMm, dotsPerMm / kSheetUnitsPerMm);
        PainterSurface surface(painter, kPenWidth);
        sheet.paintPage(surface, page, [&painter](bool on, int top, int bottom) {
            if (on)
                painter.setClipRect(QRectF(0, top, kSheetPageWidth, bottom - top));
            else
                painter.setClipping(false);
        });
        painter.restore();
    }
    return true;
}

// What the sheet draws, page by page: what its document id is made from.
QByteArray drawnContent(const Worksheet& sheet) {
    QByteArray content;
    for (int page = 0; page < sheet.pageCount(); ++page) {
        RecordingSurface recording;
        sheet.paintPage(recording, page);
        content += QByteArray::fromStdString(recording.trace());
        content += '\f';
    }
    return content;
}

} // namespace

QByteArray worksheetPdf(const Worksheet& sheet) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setPageLayout(a4Portrait());
        pdf.setResolution(kPdfResolution);
        pdf.setTitle(QString::fromStdString(sheet.style().title));
        pdf.setCreator("云绘板");
        setContentId(pdf, [&sheet] { return drawnContent(sheet); });
        QPainter painter(&pdf);
        paintWorksheet(painter, pdf.resolution() / 25.4, sheet, [&pdf] { return pdf.newPage(); });
    }
    return withoutDates(bytes);
}

bool printWorksheet(QPrinter& printer, const Worksheet& sheet) {
    printer.setFullPage(true); // measured from the paper's corner, as the margins are
    printer.setPageLayout(a4Portrait());
    printer.setDocName(QString::fromStdString(sheet.style().title));
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    if (!paintWorksheet(painter, printer.resolution() / 25.4, sheet, [&printer] { return printer.newPage(); })) return false;
    return painter.end();
}

} // namespace yhb
