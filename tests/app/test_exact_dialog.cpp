// SPDX-License-Identifier: GPL-3.0-or-later
// Exact values typed into a shown family dialog, through the keyboard and the buttons.
#include <gtest/gtest.h>

#include <cmath>

#include <QInputMethodEvent>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "plot/curve.h"
#include "ui_helpers.h"

using namespace yhb;
using namespace yhb::test;

namespace {

QPushButton* button(QWidget& dialog, const QString& text) {
    for (QPushButton* b : dialog.findChildren<QPushButton*>())
        if (b->text() == text) return b;
    return nullptr;
}

// Keys for ASCII, an input method's commit for "√" or full-width digits, as a user types them.
void retype(QLineEdit* field, const QString& text) {
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Backspace);
    for (const QChar c : text) {
        if (c.unicode() < 0x80) {
            QTest::keyClick(field, c.toLatin1());
        } else {
            QInputMethodEvent commit;
            commit.setCommitString(QString(c));
            QApplication::sendEvent(field, &commit);
        }
    }
}

} // namespace

TEST(ExactDialog, TypedRootIsStoredExactAndANonNumberIsSaidUnderItsField) {
    App app;
    bool ran = false;
    app.window->runParameterDialog = [&](ParameterDialog& d) {
        ran = true;
        d.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
        retype(d.field(1), "√3");
        settle();
        EXPECT_FALSE(d.fieldMessage(1)->isVisible()) << d.fieldMessage(1)->text().toStdString();
        retype(d.field(0), "abc");
        settle();
        EXPECT_TRUE(d.fieldMessage(0)->isVisible());
        EXPECT_EQ(d.fieldMessage(0)->text().toStdString(), "“abc”不是数，按 0 计算");
        // The line sits under its own field.
        EXPECT_GT(d.fieldMessage(0)->mapTo(&d, QPoint()).y(), d.field(0)->mapTo(&d, QPoint()).y());
        EXPECT_LT(d.fieldMessage(0)->mapTo(&d, QPoint()).y(), d.field(1)->mapTo(&d, QPoint()).y());
        retype(d.field(0), "２");
        settle();
        EXPECT_FALSE(d.fieldMessage(0)->isVisible());
        QTest::mouseClick(button(d, "确定"), Qt::LeftButton);
        EXPECT_FALSE(d.isVisible());
    };
    app.window->command(Family::EllipseX);
    ASSERT_TRUE(ran);
    ASSERT_EQ(app.doc().table.slotCount, 1);
    const ExpressionSlot& row = app.doc().table.slot(0);
    EXPECT_EQ(row.params[0], 2.0);
    EXPECT_EQ(row.params[1], std::sqrt(3.0)); // 1.7320508…
    ASSERT_TRUE(row.exactParams[1]);
    EXPECT_EQ(formatExact(*row.exactParams[1]), "√3");
    EXPECT_TRUE(app.notifier.messages.empty());
}

TEST(ExactDialog, AValueThatIsNotFiniteKeepsTheDialogOpenAndChangesNothing) {
    App app;
    enterThroughDialog(*app.window, Family::EllipseX, {"5", "4"});
    ASSERT_EQ(app.doc().table.slotCount, 1);
    bool ran = false;
    app.window->runParameterDialog = [&](ParameterDialog& d) {
        ran = true;
        d.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
        retype(d.field(1), "1e999");
        settle();
        EXPECT_EQ(d.fieldMessage(1)->text().toStdString(), "“1e999”不是有限的数，不能计算");
        EXPECT_TRUE(d.fieldMessage(1)->isVisible());
        for (const QString& which : {QString("应用"), QString("确定")}) {
            QTest::mouseClick(button(d, which), Qt::LeftButton);
            EXPECT_TRUE(d.isVisible()) << which.toStdString();
            ASSERT_FALSE(app.notifier.messages.empty()) << which.toStdString();
            EXPECT_EQ(app.notifier.messages.back().text, "b：“1e999”不是有限的数，不能计算");
            EXPECT_EQ(app.doc().table.slot(0).params[1], 4.0) << which.toStdString();
        }
        d.reject();
    };
    app.window->modifyRow(0);
    ASSERT_TRUE(ran);
    EXPECT_EQ(app.notifier.messages.size(), 2u);
    EXPECT_EQ(app.doc().table.slotCount, 1);
    EXPECT_EQ(app.doc().table.slot(0).params[1], 4.0);
}
