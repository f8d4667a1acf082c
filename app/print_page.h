// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

#include "model/document.h"

class QPainter;
class QPrinter;

namespace yhb {

// The canvas on paper at true scale: A4 landscape, the plot centred in a frame with one
// coordinate unit `cmPerUnit` centimetres (the region around the canvas's centre), the row
// labels below it. Lines are paths and text is text, for printers and PDF alike.
constexpr double kPrintUnits[] = {0.5, 1.0, 2.0}; // cm per unit offered to the user

// Draws the page onto a painter whose device units are `dotsPerMm` to the millimetre, with
// the page's top left corner at (0, 0). The row labels are sized for paper on the way.
void paintPrintPage(QPainter& painter, double dotsPerMm, Document& doc, double cmPerUnit);

// The page as a one-page PDF document.
QByteArray printPdf(Document& doc, double cmPerUnit, const QString& title);

// Prints the page on a printer the system's dialog has set up; false when the printer could
// not be started.
bool printPage(QPrinter& printer, Document& doc, double cmPerUnit);

} // namespace yhb
