// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary field texts and boxes for every family: Apply, the label, and full repaints.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "dialogs/parameter_form.h"
#include "gfx/recording_surface.h"
#include "plot/canvas_scene.h"

using namespace yhb;

namespace {

const char* const kSpecial[] = {"1e308", "-1e308", "inf", "-inf", "nan", "1e-320", "0x1p-1074", "0x1.fffffffffffffp+1023",
                                "-0", "0", "1", "-1", "3.14159", "99999999999999999999999999999999999999999999999",
                                "1e+5", "2.5e-3", ""};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    Document doc;
    RecordingNotifier n;
    std::size_t pos = 0;
    auto next = [&]() -> std::uint8_t { return pos < size ? data[pos++] : 0; };
    const int rows = 1 + next() % 5;
    for (int r = 0; r < rows && pos < size; ++r) {
        const FamilySpec& f = families()[next() % families().size()];
        if (!beginNew(doc, n)) break;
        ParameterForm form(doc, f, n);
        form.initialise();
        for (std::string& t : form.fieldTexts) {
            const std::uint8_t how = next();
            if (how < 128) {
                t = kSpecial[how % (sizeof kSpecial / sizeof *kSpecial)];
            } else {
                const std::size_t len = next() % 60;
                t.assign(reinterpret_cast<const char*>(data) + std::min(pos, size), std::min(len, size - std::min(pos, size)));
                pos += len;
            }
        }
        const std::uint8_t boxes = next();
        for (std::size_t b = 0; b < form.boxes.size(); ++b) form.boxes[b] = (boxes >> b) & 1;
        form.ok();
        if (next() & 1) { // modify it again
            beginModify(doc, doc.table.slotCount > 0 ? doc.table.slotCount - 1 : 0);
            ParameterForm again(doc, f, n);
            again.initialise();
            again.apply();
        }
    }
    if (next() & 1 && doc.table.slotCount > 0) doc.table.deleteSlot(next() % doc.table.slotCount);
    for (int scale : {4, 20, 84}) {
        doc.view.pixelsPerUnit = scale;
        doc.view.piAxis = scale == 84;
        NullSurface s;
        s.setOrigin(300, 200);
        paintCanvas(s, doc.table, doc.view, 600, 400);
    }
    RecordingSurface labels;
    for (int r = 0; r < doc.table.slotCount; ++r) {
        doc.table.slot(r).labels.setFontSize(8, 30);
        doc.table.slot(r).labels.draw(labels, 0, 0, 200, 100);
    }
    return 0;
}
