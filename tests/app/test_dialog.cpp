// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>

#include "dialogs/qt/formula_picture.h"
#include "plot/curve.h"
#include "res/strings.h"
#include "ui_helpers.h"

using namespace yhb;
using namespace yhb::test;

TEST(ParameterDialog, IsBuiltFromTheFamilyTable) {
    Document doc;
    RecordingNotifier n;
    for (const FamilySpec& f : families()) {
        ParameterDialog d(doc, f, n, nullptr);
        EXPECT_EQ(d.windowTitle().toStdString(), appTitleUtf8());
        // The coefficient fields, named by their ids; each has a slider and two range fields.
        EXPECT_EQ(d.findChildren<QLineEdit*>(QRegularExpression("^\\d+$")).size(), static_cast<qsizetype>(f.fields.size())) << f.cliName;
        EXPECT_EQ(d.findChildren<QSlider*>().size(), static_cast<qsizetype>(f.fields.size())) << f.cliName;
        // The family's boxes, named by their ids, and 留下轨迹 by the sliders.
        EXPECT_EQ(d.findChildren<QCheckBox*>(QRegularExpression("^\\d+$")).size(), static_cast<qsizetype>(f.boxes.size())) << f.cliName;
        EXPECT_EQ(d.findChildren<QCheckBox*>().size(), static_cast<qsizetype>(f.boxes.size()) + 1) << f.cliName;
        EXPECT_EQ(d.traceBox()->text(), "留下轨迹");
        bool title = false, hint = false;
        for (QLabel* l : d.findChildren<QLabel*>()) {
            title = title || l->text() == QString::fromUtf8(f.title);
            hint = hint || l->text() == QString::fromUtf8(kTrigHint);
        }
        EXPECT_TRUE(title) << f.cliName;
        EXPECT_EQ(hint, f.trigHint) << f.cliName;
        QStringList buttons;
        for (QPushButton* b : d.findChildren<QPushButton*>()) buttons << b->text();
        EXPECT_EQ(buttons, (QStringList{"确定", "应用", "取消"}));
    }
}

TEST(ParameterDialog, ApplyRepaintsAtOnceAndTheRefusedCircleStaysOpen) {
    Document doc;
    RecordingNotifier n;
    ASSERT_TRUE(beginNew(doc, n));
    ParameterDialog d(doc, *findFamily(Family::CircleGeneral), n, nullptr);
    int repaints = 0;
    d.form().repaintCanvas = [&] { ++repaints; };
    d.show();
    d.command(DialogButton::Apply);
    EXPECT_EQ(repaints, 1);
    EXPECT_TRUE(d.isVisible());
    d.field(0)->setText("0");
    d.field(1)->setText("0");
    d.command(DialogButton::Ok);
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(n.messages.size(), 1u);
    d.reject(); // Esc and the close box
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(d.result(), 2);
    EXPECT_EQ(doc.table.slotCount, 1);
    EXPECT_EQ(doc.table.slot(0).params[0], -3.0);
}

// Every picture: a white ground, a drawn sketch on the left, a typeset equation on the right
// with red coefficients. Saved for looking at.
TEST(FormulaPicture, EveryFamilyHasALegiblePicture) {
    const int n = static_cast<int>(families().size());
    QImage sheet(2 * (kFormulaPictureWidth + 10), ((n + 1) / 2) * (kFormulaPictureHeight + 10), QImage::Format_RGB32);
    sheet.fill(Qt::darkGray);
    QPainter p(&sheet);
    int i = 0;
    for (const FamilySpec& f : families()) {
        const QImage img = formulaPicture(f);
        ASSERT_EQ(img.size(), QSize(kFormulaPictureWidth, kFormulaPictureHeight));
        EXPECT_EQ(img.pixel(1, 1), qRgb(255, 255, 255)) << f.cliName;
        EXPECT_EQ(img.pixel(110, 60), qRgb(200, 200, 200)) << f.cliName; // the rule between sketch and equation
        for (int y = 0; y < img.height(); ++y)
            EXPECT_NE(img.pixel(166, y), qRgb(200, 200, 200)) << f.cliName << " " << y;
        int curve = 0, red = 0, ink = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const QRgb c = img.pixel(x, y);
                if (x < 110 && c == qRgb(0, 0, 220)) ++curve;
                if (x > 112 && qRed(c) > 180 && qGreen(c) < 90 && qBlue(c) < 90) ++red;
                if (x > 112 && qGray(c) < 100) ++ink;
            }
        EXPECT_GT(curve, 30) << f.cliName;
        EXPECT_GT(red, 8) << f.cliName;
        EXPECT_GT(ink, 40) << f.cliName;
        p.drawImage((i % 2) * (kFormulaPictureWidth + 10) + 5, (i / 2) * (kFormulaPictureHeight + 10) + 5, img);
        ++i;
    }
    p.end();
    EXPECT_TRUE(sheet.save(QString::fromStdString(testOutputDir() + "/formula-pictures.png")));
}

TEST(ParameterDialog, ScreenshotOfEachGroup) {
    Document doc;
    RecordingNotifier n;
    for (Family k : {Family::TwoPoint, Family::Sin, Family::HyperbolaX, Family::CircleGeneral, Family::ParabolaRight, Family::Exponential}) {
        ParameterDialog d(doc, *findFamily(k), n, nullptr);
        d.show();
        d.adjustSize();
        EXPECT_TRUE(d.grab().save(QString::fromStdString(testOutputDir() + "/dialog-" + findFamily(k)->cliName + ".png")));
    }
}
