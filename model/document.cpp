// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/document.h"

#include <cstdio>
#include <optional>

#include "model/textbook_scene.h"
#include "plot/palette.h"
#include "res/strings.h"

namespace yhb {

std::string tooManyExpressionsText() {
    char buf[160];
    std::snprintf(buf, sizeof buf, utf8String(StringId::TooManyExpressions), kMaxSlots);
    return buf;
}

void paintDocument(Surface& s, const Document& doc) {
    // The mode's surface and the notation are chosen here, once per paint.
    std::optional<PresentationSurface> presented;
    if (doc.view.presentation) presented.emplace(s, presentationColourMap());
    Surface& target = presented ? static_cast<Surface&>(*presented) : s;
    target.setOrigin(doc.canvas.originX, doc.canvas.originY);
    target.setBkMode(BkMode::Transparent);
    if (doc.view.textbookNotation()) {
        TextbookScene scene(target, doc.view, doc.canvas.canvasWidth, doc.canvas.canvasHeight);
        paintCanvas(scene, doc.table, doc.view, doc.canvas.canvasWidth, doc.canvas.canvasHeight, &scene);
        scene.finish();
        return;
    }
    paintCanvas(target, doc.table, doc.view, doc.canvas.canvasWidth, doc.canvas.canvasHeight);
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
