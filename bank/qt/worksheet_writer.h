// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArray>

#include "bank/worksheet.h"

class QPrinter;

namespace yhb {

// A laid-out sheet on paper, drawn through the painter surface as the window draws it on the
// screen: lines as paths, text as text.

// The sheet as a PDF document, titled with the sheet's title.
QByteArray worksheetPdf(const Worksheet& sheet);

// Prints the sheet on a printer the system's dialog has set up; false when the printer could
// not be started.
bool printWorksheet(QPrinter& printer, const Worksheet& sheet);

} // namespace yhb
