// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArray>
#include <QStringList>

#include <memory>

#include "bank/worksheet.h"

class QPrinter;

namespace yhb {

class TypesetFont;

// A laid-out sheet on paper, drawn through the painter surface: text as text in the print
// faces (embedded in a PDF), rules, figures and their curves as paths.

// The print faces: a serif Latin face for letters and digits (italic for variables), then a
// serif CJK face (AR PL UMing, or Noto Serif CJK SC) for Chinese; those installed.
QStringList sheetFamilies();
std::shared_ptr<const TypesetFont> sheetFont();

// Measures as the PDF draws: what Worksheet::layout is given.
std::unique_ptr<Surface> sheetMeasure();

// Lays the sheet out in the print faces.
bool layoutSheet(Worksheet& sheet, const SheetStyle& style, Problem& problem);

// The sheet as a PDF document, titled with the sheet's title.
QByteArray worksheetPdf(const Worksheet& sheet);

// Prints the sheet on a printer the system's dialog has set up; false when the printer could
// not be started.
bool printWorksheet(QPrinter& printer, const Worksheet& sheet);

} // namespace yhb
