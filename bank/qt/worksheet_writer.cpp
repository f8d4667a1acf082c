// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/qt/worksheet_writer.h"

#include <QBuffer>
#include <QFontDatabase>
#include <QHashFunctions>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

#include "bank/sheet_figure.h"
#include "gfx/qt/painter_surface.h"
#include "gfx/qt/qt_surface.h"
#include "gfx/qt/reproducible_pdf.h"
#include "gfx/qt/typeset_font.h"
#include "gfx/recording_surface.h"

namespace yhb {
namespace {

constexpr double kPenWidth = 1.5; // sheet units: 0.15 mm
constexpr int kPdfResolution = 1200;

QPageLayout pageLayout(SheetLayout layout) {
    return layout == SheetLayout::A3 ? QPageLayout(QPageSize(QPageSize::A3), QPageLayout::Landscape, QMarginsF(0, 0, 0, 0))
                                     : QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0));
}

// Measures through the print faces and draws nothing.
class MeasureSurface : public NullSurface {
public:
    explicit MeasureSurface(std::shared_ptr<const TypesetFont> font) : font_(std::move(font)) {}
    TextExtent measureText(std::string_view utf8, TextStyle style) const override { return font_->measure(utf8, style); }

private:
    std::shared_ptr<const TypesetFont> font_;
};

// The device has `dotsPerMm` dots to the millimetre with the page's top left corner at (0, 0).
template <class NewPage>
bool paintWorksheet(QPainter& painter, double dotsPerMm, const Worksheet& sheet, NewPage newPage) {
    const std::shared_ptr<const TypesetFont> font = sheetFont();
    for (int page = 0; page < sheet.pageCount(); ++page) {
        if (page > 0 && !newPage()) return false;
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.scale(dotsPerMm / kSheetUnitsPerMm, dotsPerMm / kSheetUnitsPerMm);
        PainterSurface surface(painter, kPenWidth, font);
        const auto clip = [&painter](bool on, double left, double top, double right, double bottom) {
            if (on)
                painter.setClipRect(QRectF(left, top, right - left, bottom - top));
            else
                painter.setClipping(false);
        };
        // A figure's canvas pixels are kFigureUnitsPerPixel sheet units; its pen one pixel.
        const auto figure = [&painter, &font](double left, double top, const std::string& line) {
            painter.save();
            painter.translate(left, top);
            painter.scale(kFigureUnitsPerPixel, kFigureUnitsPerPixel);
            painter.setClipRect(QRectF(0, 0, kFigurePixelWidth, kFigurePixelHeight), Qt::IntersectClip);
            PainterSurface pixels(painter, 0.8, font);
            pixels.setSmoothCurves(true);
            drawFigure(pixels, line);
            painter.restore();
        };
        sheet.paintPage(surface, page, clip, figure);
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

QStringList sheetFamilies() {
    QStringList out;
    const QStringList have = QFontDatabase::families();
    // AR PL UMing before Noto Serif CJK: Noto draws the Kangxi radicals with the glyphs of the
    // ideographs, and the PDF's text then reads 月 as the radical ⽉ when copied or searched.
    for (const QString& f : {QStringLiteral("Liberation Serif"), QStringLiteral("AR PL UMing CN"), QStringLiteral("Noto Serif CJK SC")})
        if (have.contains(f)) out << f;
    out << QtSurface::fontFamily(); // what no serif face has
    return out;
}

std::shared_ptr<const TypesetFont> sheetFont() { return std::make_shared<TypesetFont>(sheetFamilies()); }

std::unique_ptr<Surface> sheetMeasure() { return std::make_unique<MeasureSurface>(sheetFont()); }

bool layoutSheet(Worksheet& sheet, const SheetStyle& style, Problem& problem) {
    const std::unique_ptr<Surface> measure = sheetMeasure();
    return sheet.layout(style, *measure, problem);
}

QByteArray worksheetPdf(const Worksheet& sheet) {
    // The writer keeps the sheet's several faces in a hash and writes them in its order: with
    // the seed fixed while it writes, the same sheet is the same file in every process.
    QHashSeed::setDeterministicGlobalSeed();
    struct Reseed {
        ~Reseed() { QHashSeed::resetRandomGlobalSeed(); }
    } reseed;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setPageLayout(pageLayout(sheet.style().layout));
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
    printer.setPageLayout(pageLayout(sheet.style().layout));
    printer.setDocName(QString::fromStdString(sheet.style().title));
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    if (!paintWorksheet(painter, printer.resolution() / 25.4, sheet, [&printer] { return printer.newPage(); })) return false;
    return painter.end();
}

} // namespace yhb
