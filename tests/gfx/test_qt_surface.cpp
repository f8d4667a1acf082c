// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "model/document.h"
#include "dialogs/parameter_form.h"
#include "bank/question_reader.h"
#include "gfx/cp936.h"
#include "gfx/recording_surface.h"
#include "test_util.h"
#include "gfx/qt/qt_surface.h"
#include "plot/canvas_scene.h"
#include "plot/curve.h"
#include "dialogs/form_helpers.h"
#include "sample_scenes.h"

using namespace yhb;

namespace {

QImage blank(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::white);
    return img;
}

bool black(const QImage& img, int x, int y) { return img.pixel(x, y) == qRgb(0, 0, 0); }

int countDark(const QImage& img, QRect r) {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) n += qGray(img.pixel(x, y)) < 128;
    return n;
}

} // namespace

TEST(QtSurface, LinesLeaveOutTheirLastPixelAndFollowTheOrigin) {
    QImage img = blank(20, 20);
    QtSurface s(&img);
    s.setOrigin(5, 5);
    s.moveTo(0, 0);
    s.lineTo(10, 0);
    EXPECT_TRUE(black(img, 5, 5));
    EXPECT_TRUE(black(img, 14, 5));
    EXPECT_FALSE(black(img, 15, 5));
    const Point pts[] = {{0, 2}, {0, 6}, {3, 6}};
    s.polyline(pts, 3);
    EXPECT_TRUE(black(img, 5, 7));
    EXPECT_TRUE(black(img, 5, 11)); // the corner belongs to the next segment
    EXPECT_TRUE(black(img, 7, 11));
    EXPECT_FALSE(black(img, 8, 11));
    // Far-off coordinates are clipped without moving a pixel.
    s.moveTo(-1000000, 7);
    s.lineTo(1000000, 7);
    for (int x = 0; x < 20; ++x) EXPECT_TRUE(black(img, x, 12));
}

TEST(QtSurface, EllipsesFillTheirHalfOpenBoxAndFillRectTakesTheColour) {
    QImage img = blank(20, 20);
    QtSurface s(&img);
    s.fillRect(0, 0, 4, 4, kGrey);
    EXPECT_EQ(img.pixel(3, 3), qRgb(128, 128, 128));
    EXPECT_EQ(img.pixel(4, 4), qRgb(255, 255, 255));
    s.setBrush(Brush::Grey);
    s.ellipse(10, 10, 18, 18);
    EXPECT_EQ(img.pixel(14, 14), qRgb(128, 128, 128));
    EXPECT_FALSE(black(img, 18, 14));
    EXPECT_TRUE(black(img, 17, 14) || black(img, 17, 13));
}

TEST(QtSurface, TextFillsItsCellsAndAChineseCharacterTwo) {
    QImage img = blank(80, 40);
    QtSurface s(&img);
    s.setBkMode(BkMode::Transparent);
    s.textOut(0, 0, "圆", CellFont{20, 10});
    EXPECT_GT(countDark(img, QRect(0, 0, 20, 20)), 20);
    EXPECT_EQ(countDark(img, QRect(21, 0, 59, 40)), 0);
    s.setBkMode(BkMode::Opaque);
    s.textOut(30, 0, "...", CellFont{16, 8});
    EXPECT_EQ(img.pixel(30 + 23, 15), qRgb(255, 255, 255)); // an opaque ground, white as the DC's
}

// Dropping consecutive equal points must not change a single pixel.
TEST(QtSurface, DroppingRepeatedPointsDrawsTheSamePixels) {
    for (int scale : {20, 4}) {
        QImage images[2];
        for (int dedupe = 0; dedupe < 2; ++dedupe) {
            Document doc;
            doc.view.pixelsPerUnit = scale;
            doc.view.dedupePoints = dedupe == 1;
            sample::enterFiveRows(doc);
            images[dedupe] = QImage(1920, 1080, QImage::Format_RGB32);
            QtSurface s(&images[dedupe]);
            s.setBkMode(BkMode::Transparent);
            s.setOrigin(960, 540);
            paintCanvas(s, doc.table, doc.view, 1920, 1080);
        }
        EXPECT_TRUE(images[0] == images[1]) << "scale " << scale;
    }
}

TEST(QtSurface, RendersConicsTanAndATypesetFormula) {
    Document doc;
    RecordingNotifier n;
    ASSERT_TRUE(test::enter(doc, n, Family::EllipseX, {"5", "4"}));
    ASSERT_TRUE(test::enter(doc, n, Family::HyperbolaX, {"3", "2"}, {1013}));
    ASSERT_TRUE(test::enter(doc, n, Family::Tan, {"1", "1", "0"}));
    QImage img(600, 400, QImage::Format_RGB32);
    QtSurface s(&img);
    s.setBkMode(BkMode::Transparent);
    s.setOrigin(300, 200);
    paintCanvas(s, doc.table, doc.view, 600, 400);

    // A formula with Chinese text, in the corner.
    ItemList formula(50), unused(50);
    ASSERT_TRUE(parseQuestion(cp936::fromUtf8("function\r\n求\r\nx\r\n2\r\nzs\r\n=1"), formula, unused));
    formula.setFontSize(12, 24);
    formula.setColour(kWhite);
    s.setOrigin(0, 0);
    formula.draw(s, 4, 4, 200, 40);
    img.save(QString::fromStdString(testOutputDir() + "/rendering.png"));

    auto colourNear = [&](int x, int y, QRgb c) {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (img.pixel(x + dx, y + dy) == c) return true;
        return false;
    };
    const QRgb magenta = qRgb(255, 0, 255), green = qRgb(0, 255, 0), blue = qRgb(0, 0, 255);
    EXPECT_TRUE(colourNear(300 + 100, 200, magenta)); // the ellipse's vertex (5, 0)
    EXPECT_TRUE(colourNear(300, 200 - 80 + 1, magenta) || colourNear(300 + 1, 200 - 79, magenta)); // (0, 4)
    EXPECT_TRUE(colourNear(300 + 80, 200 - 35, green)); // the hyperbola at x = 4
    EXPECT_TRUE(colourNear(300 + 100, 200 - 67, green)); // its asymptote y = 2x/3 at x = 5
    // tan: on the curve at x = 1 (y = 1.557), and nothing across the asymptote at x = pi/2.
    EXPECT_TRUE(colourNear(300 + 20, 200 - 31, blue));
    int across = 0;
    for (int x = 300 + 30; x <= 300 + 33; ++x)
        for (int y = 200 - 150; y <= 200 + 150; ++y) across += img.pixel(x, y) == blue;
    EXPECT_EQ(across, 0);

    // Every glyph pixel of the formula lies inside a text cell the items asked for.
    RecordingSurface cells;
    formula.draw(cells, 4, 4, 200, 40);
    int ink = 0, outside = 0;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 220; ++x) {
            if (img.pixel(x, y) != qRgb(255, 255, 255)) continue;
            ++ink;
            bool in = false;
            for (auto* t : cells.ofKind(RecordingSurface::Kind::Text)) {
                const int w = static_cast<int>(t->text.size()) * t->font.width;
                in = in || (x >= t->l && x < t->l + w && y >= t->t && y < t->t + t->font.height);
            }
            outside += !in;
        }
    EXPECT_GT(ink, 50);
    EXPECT_EQ(outside, 0);
}

// Characters CP936 lacks were drawn as "?": each is now drawn as itself, in its two cells, and a
// vector's arrow over its letters.
TEST(QtSurface, SymbolsOutsideCp936AreDrawnAsThemselvesNotAsQuestionMarks) {
    const CellFont font{24, 12};
    auto cell = [&](const std::string& utf8) {
        QImage img = blank(2 * font.width, font.height);
        QtSurface s(&img);
        s.setBkMode(BkMode::Transparent);
        s.textOut(0, 0, utf8, font);
        return img;
    };
    QImage question = cell("?");
    for (const char* c : {"⊆", "∅", "⇒", "⩽", "²", "⫋", "ℝ"}) {
        const QImage drawn = cell(c);
        EXPECT_GT(countDark(drawn, drawn.rect()), 6) << c << " has ink";
        EXPECT_TRUE(drawn != question) << c << " is not a question mark";
        EXPECT_TRUE(drawn != cell("⊆") || std::string(c) == "⊆") << c;
    }

    ItemList list(50);
    std::vector<Problem> problems;
    ItemList answer(4);
    ASSERT_TRUE(parseQuestion("$\\vec{AB}$\n", list, answer, &problems));
    list.setFontSize(12, 24);
    QImage img = blank(200, 60);
    QtSurface s(&img);
    list.draw(s, 10, 10, 180, 40);
    // The arrow runs over both letters, above them.
    const int rise = 24 / 3;
    EXPECT_GT(countDark(img, QRect(12, 10, 24, rise - 1)), 20) << "a shaft over A and B";
    EXPECT_GT(countDark(img, QRect(11, 10 + rise, 24, 24)), 30) << "the letters below it";
}
