// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/trail_command.h"

#include "app/lesson_commands.h"
#include "model/document.h"
#include "plot/qt/canvas_widget.h"

namespace yhb {

void clearTrails(Document& doc, CanvasWidget& canvas, LessonCommands& lessons) {
    doc.table.clearTrails();
    canvas.repaintNow();
    lessons.rowsChanged();
}

} // namespace yhb
