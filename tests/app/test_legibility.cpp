// SPDX-License-Identifier: GPL-3.0-or-later
// Legible from the back row: natural glyphs, drawing at the device pixel ratio, and the
// presentation mode, through the real surfaces, widgets and command-line tool.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenuBar>
#include <QPainter>
#include <QProcess>
#include <QTest>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "app/presentation_mode.h"
#include "gfx/qt/qt_surface.h"
#include "plot/palette.h"
#include "res/command_ids.h"
#include "sample_scenes.h"
#include "ui_helpers.h"

using namespace yhb;
using namespace yhb::test;

namespace {

// One text drawn black on white in its cells.
QImage textImage(const std::string& text, CellFont font, double scale = 1.0) {
    QImage img(static_cast<int>(text.size() * font.width * scale) + 2, static_cast<int>(font.height * scale) + 2, QImage::Format_RGB32);
    img.fill(Qt::white);
    QtSurface s(&img, normalStyle(scale));
    s.setBkMode(BkMode::Transparent);
    s.textOut(0, 0, text, font);
    return img;
}

int coverage(QRgb c) { return 255 - qGray(c); }

// Columns of a cell holding ink, summed over the cells of a run.
int inkColumns(const QImage& img, int least = 96) {
    int n = 0;
    for (int x = 0; x < img.width(); ++x) {
        int most = 0;
        for (int y = 0; y < img.height(); ++y) most = std::max(most, coverage(img.pixel(x, y)));
        n += most >= least;
    }
    return n;
}

// How much ink two glyph pictures disagree on, in pixels' worth.
double difference(const QImage& a, const QImage& b) {
    double n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) n += std::abs(coverage(a.pixel(x, y)) - coverage(b.pixel(x, y))) / 255.0;
    return n;
}

// The cell sizes the program draws text at: axis numbers and captions, the formula pictures'
// raised parts and equations, labels in the panel from a small window to 1920 x 1080, the
// question window's header and its smallest to largest question cells.
const std::vector<CellFont> kSizes = {{9, 5},  {10, 4},  {12, 6},  {14, 7},  {16, 8},  {18, 10},
                                      {20, 10}, {30, 8}, {36, 20}, {60, 30}, {172, 29}};

struct Cli {
    int status = -1;
    QByteArray out, err;
};

Cli runCli(const QStringList& args) {
    QProcess p;
    p.start(QString::fromLocal8Bit(std::getenv("YHB_CLI")), args);
    p.waitForFinished(60000);
    return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
}

QString out(const std::string& name) { return QString::fromStdString(testOutputDir() + "/" + name); }

const QStringList kFiveRows = {"ellipse-x:5,4+1010+1011+1012", "hyperbola-x:5,4+1010+1011+1012+1013", "tan:1,1,0",
                               "sin:3,0.5,0", "circle-centre:1,1,3+1010"};

} // namespace

// "l" is a stem and "W" fills its cell: glyphs keep their proportions under the cell font's
// one horizontal scale, at every size the program uses.
TEST(Glyphs, AnLIsNarrowAndAWWideInTheSameFont) {
    for (const CellFont& f : kSizes) {
        const int l = inkColumns(textImage("llllllll", f)), w = inkColumns(textImage("WWWWWWWW", f));
        EXPECT_GT(l, 0) << f.height << "x" << f.width;
        EXPECT_LE(4 * l, w) << f.height << "x" << f.width << ": l " << l << " W " << w;
    }
}

// "l", "I", "1" and "|" are told apart: no two draw alike, and "lgX", "sin" and "×" keep their
// letters; "." is a dot on the line, "_" a bar below it.
TEST(Glyphs, LookAlikesAreToldApartAtEverySize) {
    const std::vector<std::string> alike = {"l", "I", "1", "|"};
    QImage sheet(400, 1400, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter p(&sheet);
    int y = 0;
    for (const CellFont& f : kSizes) {
        std::vector<QImage> glyphs;
        for (const std::string& g : alike) glyphs.push_back(textImage(g, f));
        for (std::size_t i = 0; i < glyphs.size(); ++i)
            for (std::size_t j = i + 1; j < glyphs.size(); ++j)
                EXPECT_GE(difference(glyphs[i], glyphs[j]), 1.25) << alike[i] << " and " << alike[j] << " at " << f.height << "x" << f.width;
        const QImage dot = textImage(".", f), bar = textImage("_", f);
        EXPECT_LT(inkColumns(dot, 32), inkColumns(bar, 32)) << f.height;
        p.drawImage(0, y, textImage("lI1| lgX sin 0.5_", f));
        y += f.height + 4;
    }
    p.end();
    EXPECT_TRUE(sheet.save(out("glyphs.png")));
}

// Text is smoothed: the edges of a glyph are shades, not only ink and ground.
TEST(Glyphs, TextIsAntialiased) {
    const QImage img = textImage("sin", CellFont{16, 8});
    std::set<int> levels;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) levels.insert(coverage(img.pixel(x, y)) / 32);
    EXPECT_GE(levels.size(), 5u);
}

// At a device pixel ratio of 2 a one-pixel line is two device pixels with sharp edges, and
// the output at ratio 1 is what it always was.
TEST(DevicePixelRatio, AxesAreTwoDevicePixelsThickWithNoGreyAcross) {
    const Cli one = runCli(QStringList{"plot", "sin", "--size", "200x120", "-o", out("dpr1.png")});
    const Cli plain = runCli(QStringList{"plot", "sin", "--size", "200x120", "--dpr", "1", "-o", out("dpr1b.png")});
    const Cli two = runCli(QStringList{"plot", "sin", "--size", "200x120", "--dpr", "2", "-o", out("dpr2.png")});
    ASSERT_EQ(one.status, 0) << one.err.toStdString();
    ASSERT_EQ(two.status, 0) << two.err.toStdString();
    ASSERT_EQ(plain.status, 0);
    const QImage a(out("dpr1.png")), b(out("dpr1b.png")), c(out("dpr2.png"));
    EXPECT_EQ(a, b);
    ASSERT_EQ(c.size(), QSize(400, 240));
    // Down the column at logical x = 47 (between ticks), above the numbers: the axis at logical
    // row 60 is device rows 120 and 121, black; everything else there is the grey ground.
    for (int y = 104; y < 130; ++y) {
        const QRgb px = c.pixel(2 * 47, y);
        if (y == 120 || y == 121)
            EXPECT_EQ(px, qRgb(0, 0, 0)) << y;
        else
            EXPECT_TRUE(px == qRgb(128, 128, 128) || px == qRgb(0, 0, 255)) << y << " " << std::hex << px;
    }
    const Cli bad = runCli(QStringList{"plot", "sin", "--dpr", "5", "-o", out("x.png")});
    EXPECT_EQ(bad.status, 2);
    EXPECT_NE(bad.err.indexOf("--dpr"), -1);
}

// The question sheet at --dpr 2 has twice the pixels and is rendered at that resolution, not
// scaled up from the sheet at 1.
TEST(DevicePixelRatio, QuestionsAreRenderedAtTheDevicesResolution) {
    const std::string file = bundledBank() + "/tm/2geom/3ellipse/ellipse02.tm";
    const Cli one = runCli(QStringList{"question", QString::fromStdString(file), "--width", "300", "-o", out("q1.png")});
    const Cli two = runCli(QStringList{"question", QString::fromStdString(file), "--width", "300", "--dpr", "2", "-o", out("q2.png")});
    ASSERT_EQ(one.status, 0) << one.err.toStdString();
    ASSERT_EQ(two.status, 0) << two.err.toStdString();
    const QImage a(out("q1.png")), b(out("q2.png"));
    ASSERT_EQ(b.size(), a.size() * 2);
    EXPECT_NE(b, a.scaled(a.size() * 2).convertToFormat(b.format()));
}

// The whole window at ratio 2: canvas, panel and buttons at twice the pixels, the canvas's
// axis two device pixels thick.
TEST(DevicePixelRatio, TheWindowDrawsAtTheRatio) {
    const Cli two = runCli(QStringList{"plot", "sin", "--window", "600x400", "--dpr", "2", "-o", out("window-dpr2.png")});
    ASSERT_EQ(two.status, 0) << two.err.toStdString();
    const QImage w(out("window-dpr2.png"));
    ASSERT_EQ(w.size(), QSize(1200, 800));
    // Down a column of the canvas between ticks: the x axis is one run of exactly two black
    // device pixels, with nothing but the grey ground for six pixels either side.
    const int x = 2 * (10 + 70);
    int first = -1, run = 0;
    for (int y = 2 * 60; y < w.height() && first < 0; ++y)
        if (w.pixel(x, y) == qRgb(0, 0, 0)) first = y;
    ASSERT_GE(first, 0);
    while (w.pixel(x, first + run) == qRgb(0, 0, 0)) ++run;
    EXPECT_EQ(run, 2);
    for (int y = first - 6; y < first + run + 6; ++y)
        if (y < first || y >= first + run) { EXPECT_EQ(w.pixel(x, y), qRgb(128, 128, 128)) << y; }
}

// Presentation mode on the five-row scene at 1920 x 1080: pens three device pixels wide and
// smoothed, canvas texts at least 16 device pixels high, the palette on a white ground.
TEST(PresentationMode, StrokesTextAndColoursOfTheFiveRowScene) {
    QStringList args = QStringList{"plot"} + kFiveRows;
    const Cli shown = runCli(args + QStringList{"--size", "1920x1080", "--presentation", "-o", out("presentation-1920.png")});
    const Cli trace = runCli(args + QStringList{"--size", "1920x1080", "--presentation", "--trace"});
    const Cli normal = runCli(args + QStringList{"--size", "1920x1080", "-o", out("normal-1920.png")});
    ASSERT_EQ(shown.status, 0) << shown.err.toStdString();
    ASSERT_EQ(trace.status, 0);
    ASSERT_EQ(normal.status, 0);
    const QImage img(out("presentation-1920.png"));
    ASSERT_EQ(img.size(), QSize(1920, 1080));

    // The x axis (logical row 270 of a 960 x 540 plane: device rows 540, 541 and the pen's
    // smoothed edges) is three device pixels of ink across.
    double ink = 0;
    for (int y = 530; y < 552; ++y) ink += coverage(img.pixel(2 * 270 + 1, y)) / 255.0;
    EXPECT_GE(ink, 2.8);
    EXPECT_LE(ink, 3.5);

    // Every curve colour drawn, and smoothed: shades between each colour and the ground.
    for (std::size_t i = 1; i <= 5; ++i) {
        const QRgb c = toQColor(PresentationColours[i]).rgb();
        int exact = 0, blended = 0;
        for (int y = 0; y < img.height(); y += 2)
            for (int x = 0; x < img.width(); x += 2) {
                const QRgb px = img.pixel(x, y);
                exact += px == c;
                // A shade of the colour: on the line from it to white.
                const double t = (255.0 - qRed(px)) / std::max(1, 255 - qRed(c));
                blended += px != c && px != qRgb(255, 255, 255) && qRed(c) < 250 && t > 0.2 && t < 0.8 &&
                           std::abs(qGreen(px) - (255 - t * (255 - qGreen(c)))) < 12 &&
                           std::abs(qBlue(px) - (255 - t * (255 - qBlue(c)))) < 12;
            }
        EXPECT_GT(exact, 200) << i;
        EXPECT_GT(blended, 20) << i;
        EXPECT_GE(contrastRatio(PresentationColours[i], rgb(qRed(img.pixel(3, 3)), qGreen(img.pixel(3, 3)), qBlue(img.pixel(3, 3)))), 3.0);
    }

    // The trace tells what is drawn: the palette, the font cells at 18 device pixels.
    const std::string t = trace.out.toStdString();
    EXPECT_EQ(t.rfind("style scale 2 pen 3 antialiased\n", 0), 0u);
    int texts = 0;
    for (std::size_t at = t.find("\ntext "); at != std::string::npos; at = t.find("\ntext ", at + 1)) {
        int x = 0, y = 0, w = 0, h = 0;
        ASSERT_EQ(std::sscanf(t.c_str() + at + 6, "%d %d %d %d", &x, &y, &w, &h), 4);
        EXPECT_GE(h, 16);
        ++texts;
    }
    EXPECT_GT(texts, 40);
    for (std::size_t i = 1; i <= 5; ++i) {
        char hex[7];
        formatHex(PresentationColours[i], hex);
        EXPECT_NE(t.find(std::string("pen ") + hex), std::string::npos) << hex;
    }
    EXPECT_EQ(t.find("pen ff00ff"), std::string::npos); // no slot colour left
}

// The window: 演示模式 in 坐标设置, checkable, on F5; on, the canvas and the panel are
// magnified on white in the palette with labels at 3:1 or more; off again, the canvas is what
// it was.
TEST(PresentationMode, F5SwitchesTheWindowAndBack) {
    App app;
    MainWindow& w = *app.window;
    w.resizeClient(1200, 800);
    QAction* item = w.action(Command::Presentation);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->text(), "演示模式");
    EXPECT_TRUE(item->isCheckable());
    EXPECT_EQ(item->shortcut(), QKeySequence(Qt::Key_F5));
    bool inAxesMenu = false;
    for (QAction* menu : w.menuBar()->actions())
        if (menu->text() == "坐标设置" && menu->menu()) inAxesMenu = menu->menu()->actions().contains(item);
    EXPECT_TRUE(inAxesMenu);

    enterThroughDialog(w, Family::EllipseX, {"5", "4"}, {1010, 1011, 1012});
    enterThroughDialog(w, Family::HyperbolaX, {"5", "4"}, {1010, 1011, 1012, 1013});
    enterThroughDialog(w, Family::Tan, {"1", "1", "0"});
    enterThroughDialog(w, Family::Sin, {"3", "0.5", "0"});
    enterThroughDialog(w, Family::CircleCentre, {"1", "1", "3"}, {1010});
    QApplication::processEvents();
    auto readOutHeight = [&](QPoint at) {
        const QImage still = w.canvas()->image().copy();
        click(w.canvas(), Qt::RightButton, at);
        const QImage read = w.canvas()->image();
        int top = read.height(), bottom = -1;
        for (int y = 0; y < read.height(); ++y)
            for (int x = at.x(); x < std::min(read.width(), at.x() + 200); ++x)
                if (read.pixel(x, y) != still.pixel(x, y)) {
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
        return bottom - top + 1;
    };
    const QPoint at(w.canvas()->width() / 2 + 40, w.canvas()->height() / 2 + 40);
    const int normalReadOut = readOutHeight(at);
    EXPECT_GE(normalReadOut, 6);
    w.canvas()->repaintNow();
    const QImage before = w.canvas()->image().copy();
    const QImage clientBefore = w.renderClient();
    const int originX = w.document().canvas.originX, originY = w.document().canvas.originY;

    w.activateWindow();
    QApplication::processEvents();
    QTest::keyClick(w.windowHandle(), Qt::Key_F5);
    QApplication::processEvents();
    EXPECT_TRUE(w.document().view.presentation);
    EXPECT_TRUE(item->isChecked());
    EXPECT_EQ(w.canvas()->magnification(), kPresentationMagnification);
    EXPECT_EQ(w.document().canvas.canvasWidth, w.canvas()->width() / 2);
    const QImage canvas = w.canvas()->image();
    EXPECT_EQ(canvas.pixel(2, 2), qRgb(255, 255, 255));
    const QImage client = w.renderClient();
    EXPECT_TRUE(client.save(out("window-presentation.png")));
    // The panel: each row's label in its palette colour, against the panel's own ground.
    const QRect panel(w.canvas()->geometry().right() + 4, 0, client.width() - w.canvas()->geometry().right() - 4, client.height());
    const QRgb ground = client.pixel(panel.left() + 2, client.height() - 3);
    for (std::size_t i = 1; i <= 5; ++i) {
        const QRgb c = toQColor(PresentationColours[i]).rgb();
        int n = 0;
        for (int y = panel.top(); y <= panel.bottom(); ++y)
            for (int x = panel.left(); x <= panel.right(); ++x) n += client.pixel(x, y) == c;
        EXPECT_GT(n, 100) << "label " << i;
        EXPECT_GE(contrastRatio(PresentationColours[i], rgb(qRed(ground), qGreen(ground), qBlue(ground))), 3.0) << i;
    }
    // The read-out on a right click: twice the height it has in normal mode.
    const int shownReadOut = readOutHeight(at);
    EXPECT_GE(shownReadOut, 2 * normalReadOut - 2);
    EXPECT_GE(shownReadOut, 12);

    QTest::keyClick(w.windowHandle(), Qt::Key_F5);
    QApplication::processEvents();
    EXPECT_FALSE(w.document().view.presentation);
    EXPECT_FALSE(item->isChecked());
    EXPECT_EQ(w.document().canvas.originX, originX);
    EXPECT_EQ(w.document().canvas.originY, originY);
    EXPECT_EQ(w.canvas()->image(), before);
    EXPECT_EQ(w.renderClient(), clientBefore);
}

// Normal mode draws lines exactly: one-pixel pens, no smoothing, only the scene's colours.
TEST(NormalMode, LinesAreOnePixelAndUnsmoothed) {
    Document doc;
    sample::enterFiveRows(doc);
    doc.view.showLabels = false;
    doc.canvas.resize(800, 600);
    QImage img(800, 600, QImage::Format_RGB32);
    QtSurface s(&img);
    paintDocument(s, doc);
    std::set<QRgb> allowed = {qRgb(128, 128, 128), qRgb(0, 0, 0), qRgb(255, 255, 255)};
    for (std::size_t i = 1; i < SlotColours.size(); ++i) allowed.insert(toQColor(SlotColours[i]).rgb());
    int strays = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) strays += !allowed.count(img.pixel(x, y));
    EXPECT_EQ(strays, 0);
    int axis = 0;
    for (int y = 290; y < 310; ++y) axis += img.pixel(150, y) == qRgb(0, 0, 0);
    EXPECT_EQ(axis, 1);
}

// Magnified, the window is laid out as on a smaller screen, but never one so small that the
// labels' bands break down (a 1920 x 1080 screen at a ratio of 2 is 960 x 540 already).
TEST(PresentationMode, TheLayoutNeverShrinksBelowTheLeastClient) {
    ViewSettings v;
    EXPECT_EQ(layoutMagnification(v, 1920, 1057), 1.0);
    v.presentation = true;
    EXPECT_EQ(layoutMagnification(v, 1920, 1057), 2.0);
    for (QSize client : {QSize(960, 528), QSize(600, 400), QSize(400, 300), QSize(300, 200)}) {
        const double m = layoutMagnification(v, client.width(), client.height());
        EXPECT_GE(m, 1.0);
        if (client.width() >= 400 && client.height() >= 400) {
            EXPECT_GE(client.width() / m, 400 - 1e-9) << client.width();
            EXPECT_GE(client.height() / m, 400 - 1e-9) << client.height();
        }
    }
    EXPECT_NEAR(layoutMagnification(v, 960, 528), 1.32, 1e-9);
}
