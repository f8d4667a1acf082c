#include <gtest/gtest.h>

#include "dialogs/document.h"
#include "dialogs/parameter_form.h"
#include "gfx/cp936.h"
#include "gfx/qt_surface.h"
#include "plot/canvas_scene.h"
#include "plot/curve.h"
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
    s.textOut(0, 0, cp936::fromUtf8("圆"), CellFont{20, 10});
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
