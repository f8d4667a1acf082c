// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/copy_equation.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>

#include "app/main_window.h"
#include "families/textbook.h"
#include "items/math_text.h"

namespace yhb {

std::string equationOf(const ExpressionSlot& slot, EquationFormat format) {
    const TextbookForm* form = textbookForm(slot.kind);
    if (!form) return {};
    const math::Node equation = form->equation(RowValues::of(slot));
    switch (format) {
    case EquationFormat::Latex: return math::toLatex(equation);
    case EquationFormat::MathMl: return math::toMathMl(equation);
    case EquationFormat::Text: break;
    }
    return math::toUnicode(equation, math::UnicodeStyle{true});
}

void copyEquation(const ExpressionSlot& slot, EquationFormat format) {
    const QString text = QString::fromStdString(equationOf(slot, format));
    auto* data = new QMimeData;
    if (format == EquationFormat::MathMl) data->setData("application/mathml+xml", text.toUtf8());
    data->setText(text);
    QGuiApplication::clipboard()->setMimeData(data);
}

QMenu* openLabelMenu(MainWindow& window, QPoint clientPos, QPoint globalPos) {
    const Document& doc = window.document();
    // A label's box reaches down over the rows below it: the last box holding the point is
    // the row whose label is there.
    int row = -1;
    for (int r = 0; r < doc.table.slotCount; ++r)
        if (window.labelBox(r).contains(Rect{clientPos.x(), clientPos.y(), 1, 1})) row = r;
    if (row < 0) return nullptr;

    auto* menu = new QMenu(&window);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    QMenu* copy = menu->addMenu("复制方程");
    const struct {
        const char* text;
        EquationFormat format;
    } items[] = {{"复制为文本", EquationFormat::Text},
                 {"复制为 LaTeX", EquationFormat::Latex},
                 {"复制为 MathML", EquationFormat::MathMl}};
    for (const auto& item : items) {
        const EquationFormat format = item.format;
        QObject::connect(copy->addAction(QString::fromUtf8(item.text)), &QAction::triggered, menu, [&window, row, format] {
            // The menu holds the input while open, so the row is the one clicked; checked anyway.
            const Document& d = window.document();
            if (row < d.table.slotCount) copyEquation(d.table.slot(row), format);
        });
    }
    menu->popup(globalPos);
    return menu;
}

} // namespace yhb
