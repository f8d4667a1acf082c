// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/document.h"

#include <cstdio>

#include "plot/palette.h"
#include "res/strings.h"

namespace yhb {

std::string tooManyExpressionsText() {
    char buf[160];
    std::snprintf(buf, sizeof buf, utf8String(StringId::TooManyExpressions), kMaxSlots);
    return buf;
}

void paintDocument(Surface& s, const Document& doc) {
    if (doc.view.presentation) {
        PresentationSurface presented(s, presentationColourMap());
        presented.keepCaptionsInside(doc.canvas.canvasWidth, doc.canvas.canvasHeight);
        presented.setOrigin(doc.canvas.originX, doc.canvas.originY);
        presented.setBkMode(BkMode::Transparent);
        paintCanvas(presented, doc.table, doc.view, doc.canvas.canvasWidth, doc.canvas.canvasHeight);
        return;
    }
    s.setOrigin(doc.canvas.originX, doc.canvas.originY);
    s.setBkMode(BkMode::Transparent);
    paintCanvas(s, doc.table, doc.view, doc.canvas.canvasWidth, doc.canvas.canvasHeight);
}

bool beginNew(Document& doc, Notifier& notifier) {
    if (doc.table.slotCount >= kMaxSlots) {
        notifier.message(appTitleUtf8(), tooManyExpressionsText());
        return false;
    }
    doc.table.editMode = 1;
    return true;
}

void beginModify(Document& doc, int row) {
    doc.table.editMode = 0;
    doc.table.editRow = row;
}

} // namespace yhb
