// SPDX-License-Identifier: GPL-3.0-or-later
// 复制方程: a right-click on a row's label in the shown window puts that row's equation, in
// textbook notation, on the clipboard.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QMenu>
#include <QMimeData>
#include <QTest>

#include "plot/curve.h"
#include "ui_helpers.h"

using namespace yhb;
using namespace yhb::test;

namespace {

// Just inside the label's first characters: its box reaches down over the rows below.
QPoint onLabel(const Rect& r) { return {r.x + 20, r.y + 10}; }

QAction* actionNamed(QMenu& menu, const QString& text) {
    for (QAction* a : menu.actions())
        if (a->text() == text) return a;
    return nullptr;
}

// Right-clicks the row's label, opens 复制方程 and clicks `item`, as a user would; returns
// false when a menu was not where it should be.
bool copyThroughMenu(MainWindow& w, int row, const QString& item) {
    QGuiApplication::clipboard()->clear();
    QTest::mouseClick(w.client(), Qt::RightButton, {}, onLabel(w.labelBox(row)));
    settle();
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QAction* copy = menu ? actionNamed(*menu, "复制方程") : nullptr;
    if (!copy || !copy->menu()) return false;
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(copy).center());
    QMenu* sub = copy->menu();
    // A submenu opens after its delay.
    if (!QTest::qWaitFor([sub] { return sub->isVisible(); }, 2000)) return false;
    QAction* a = actionNamed(*sub, item);
    if (!a) return false;
    QTest::mouseClick(sub, Qt::LeftButton, {}, sub->actionGeometry(a).center());
    settle();
    return !QApplication::activePopupWidget(); // a click on an item closes the menus
}

} // namespace

TEST(CopyEquation, RightClickOnALabelCopiesThatRowsEquationAsTextLatexAndMathMl) {
    App app;
    MainWindow& w = *app.window;
    enterThroughDialog(w, Family::SlopeIntercept, {"-0.5", "-2"});
    enterThroughDialog(w, Family::EllipseX, {"2", "√3"}, {1011});
    settle();
    w.client()->repaint();
    ASSERT_EQ(app.doc().table.slotCount, 2);
    ASSERT_GT(w.labelBox(1).width, 0);

    // The second row, though the first row's label is nearer the top.
    ASSERT_TRUE(copyThroughMenu(w, 1, "复制为文本"));
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), "x²/4+y²/3=1");
    ASSERT_TRUE(copyThroughMenu(w, 0, "复制为文本"));
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), "y=−½x−2");

    ASSERT_TRUE(copyThroughMenu(w, 1, "复制为 LaTeX"));
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), "\\frac{x^{2}}{4}+\\frac{y^{2}}{3}=1");

    ASSERT_TRUE(copyThroughMenu(w, 1, "复制为 MathML"));
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    ASSERT_TRUE(data->hasFormat("application/mathml+xml"));
    const std::string mathml = data->data("application/mathml+xml").toStdString();
    EXPECT_EQ(mathml.rfind("<math xmlns=\"http://www.w3.org/1998/Math/MathML\">", 0), 0u) << mathml;
    EXPECT_NE(mathml.find("<mfrac><msup><mi>x</mi><mn>2</mn></msup><mn>4</mn></mfrac>"), std::string::npos) << mathml;
    EXPECT_EQ(data->text().toStdString(), mathml); // pasted into a plain editor, the same markup

    // Above the labels no menu opens and nothing is copied.
    QGuiApplication::clipboard()->setText("unchanged");
    QTest::mouseClick(w.client(), Qt::RightButton, {}, {w.labelBox(0).x + 5, w.labelBox(0).y - 5});
    settle();
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), "unchanged");
}
