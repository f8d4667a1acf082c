// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QImage>

#include <filesystem>

#include "cli/animate.h"
#include "tool_helpers.h"

using namespace yhb;
using namespace yhb::test;

namespace {

bool samePixels(const std::string& a, const std::string& b) {
    const QImage x(QString::fromStdString(a)), y(QString::fromStdString(b));
    return !x.isNull() && x == y;
}

} // namespace

TEST(Animate, SweepsAreCheckedAndNamed) {
    Sweep s;
    Problem error;
    ASSERT_TRUE(parseSweep("2=0.5:10:40", s, error));
    EXPECT_EQ(s.field, 2);
    EXPECT_EQ(s.from, 0.5);
    EXPECT_EQ(s.to, 10);
    EXPECT_EQ(s.frames, 40);
    ASSERT_TRUE(parseSweep("1=-3:-1e1:1", s, error));
    EXPECT_EQ(s.to, -10);
    EXPECT_FALSE(parseSweep("2=0.5:10", s, error));
    EXPECT_EQ(error.message, "--animate 的写法是 I=FROM:TO:N，例如 2=0.5:10:40，而不是“2=0.5:10”");
    EXPECT_FALSE(parseSweep("0=1:2:3", s, error));
    EXPECT_EQ(error.message, "--animate：字段序号“0”应是 1 到 10 的整数");
    EXPECT_FALSE(parseSweep("1=a:2:3", s, error));
    EXPECT_EQ(error.message, "--animate：起点“a”不是数");
    EXPECT_FALSE(parseSweep("1=1:inf:3", s, error));
    EXPECT_EQ(error.message, "--animate：终点“inf”不是数");
    EXPECT_FALSE(parseSweep("1=1:2:0", s, error));
    EXPECT_EQ(error.message, "--animate：帧数“0”应是 1 到 9999 的整数");
    EXPECT_FALSE(parseSweep("1=1:2:10000", s, error));
}

TEST(Animate, FramesRunEvenlyAndAreNumbered) {
    Sweep s{2, 0.1, 0.7, 7};
    EXPECT_EQ(frameValue(s, 1), 0.1);
    EXPECT_EQ(frameValue(s, 7), 0.7); // exactly, not 0.1 + 6 * 0.1
    EXPECT_NEAR(frameValue(s, 4), 0.4, 1e-15);
    EXPECT_EQ(frameValue({1, 3, 9, 1}, 1), 3);
    EXPECT_EQ(frameFileName("frame.png", 1, 40), "frame-001.png");
    EXPECT_EQ(frameFileName("out/frame.png", 12, 1000), "out/frame-0012.png");
    EXPECT_EQ(frameFileName("a.b/frame", 3, 5), "a.b/frame-003");
    EXPECT_EQ(frameFileName("x.svg", 5, 5), "x-005.svg");

    CliExpression e;
    Problem error;
    ASSERT_TRUE(parseExpression("hyperbola-x:3+1010+1013", e, error));
    EXPECT_EQ(frameExpression(e, 2, 0.1), "hyperbola-x:3,0.10000000000000001+1010+1013");
    ASSERT_TRUE(parseExpression("circle-centre", e, error));
    EXPECT_EQ(frameExpression(e, 3, -2.5), "circle-centre:,,-2.5"); // a and b keep their defaults
}

// Frame k is what plot draws with the value typed; the first and last are FROM and TO.
TEST(Animate, EachFrameIsThePlotOfItsValue) {
    TempDir d;
    const std::string scene = "ellipse-x:5,4+1010+1011+1012 sin:2,1,0 hyperbola-x:3,2+1013 --size 320x240";
    ToolRun r = cli("plot " + scene + " --animate 2=0.5:4.5:5 -o " + (d / "f.png"));
    ASSERT_EQ(r.status, 0) << r.err;
    for (const char* f : {"f-001.png", "f-002.png", "f-003.png", "f-004.png", "f-005.png"})
        EXPECT_TRUE(std::filesystem::exists(d / f)) << f;
    EXPECT_FALSE(std::filesystem::exists(d / "f-006.png"));
    EXPECT_FALSE(std::filesystem::exists(d / "f.png"));
    const std::string typed = "ellipse-x:5,4+1010+1011+1012 sin:2,1,0 --size 320x240 hyperbola-x:3,";
    for (const auto& [value, frame] : {std::pair{"0.5", "f-001.png"}, {"2.5", "f-003.png"}, {"4.5", "f-005.png"}}) {
        ASSERT_EQ(cli("plot " + typed + value + "+1013 -o " + (d / "typed.png")).status, 0);
        EXPECT_TRUE(samePixels(d / frame, d / "typed.png")) << frame;
    }
    EXPECT_FALSE(samePixels(d / "f-001.png", d / "f-005.png"));

    // The traces of all frames, each after its "frame K" line.
    r = cli("plot " + scene + " --animate 1=1:3:3 --trace");
    ASSERT_EQ(r.status, 0) << r.err;
    std::string expected;
    for (const char* a : {"1", "2", "3"})
        expected += std::string("frame ") + a + "\n" + cli("plot " + scene.substr(0, scene.find("hyperbola")) + "hyperbola-x:" + a + ",2+1013 --size 320x240 --trace").out;
    EXPECT_EQ(r.out, expected);
}

TEST(Animate, RefusalsSayWhatAndWhichFrame) {
    TempDir d;
    ToolRun r = cli("plot ellipse-x --animate 3=1:2:3 -o " + (d / "f.png"));
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("ellipse-x 只有 2 个字段，没有第 3 个"), std::string::npos) << r.err;
    r = cli("plot ellipse-x --animate 2=1:2 -o " + (d / "f.png"));
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("I=FROM:TO:N"), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(d / "f-001.png"));
    // The general circle stops being one at F = 4.5 (D = E = -3): frames 1 to 4 are written.
    r = cli("plot circle-general --animate 3=3:6:7 -o " + (d / "c.png"));
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("D^2+E^2-4F"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("第 4 帧（字段 3 = 4.5）没有画出"), std::string::npos) << r.err;
    EXPECT_TRUE(std::filesystem::exists(d / "c-003.png"));
    EXPECT_FALSE(std::filesystem::exists(d / "c-004.png"));
}

// --trace-loci: the last frame is the plot of TO with the sweep's trail under the curves, in
// the row's colour halfway to white; the frames before are untouched.
TEST(Animate, TraceLociDrawsTheWholeRunsTrailIntoTheLastFrame) {
    const std::string scene = "sin:1,1,0 ellipse-x:5,1+1011 --size 320x240";
    ToolRun r = cli("plot " + scene + " --animate 2=1:5:5 --trace-loci --trace");
    ASSERT_EQ(r.status, 0) << r.err;
    const std::size_t last = r.out.find("frame 5\n");
    ASSERT_NE(last, std::string::npos);
    const std::string before = r.out.substr(0, last), final = r.out.substr(last + 8);
    const std::string green = "pen 80ff80\n"; // the second row's colour, halfway to white
    EXPECT_EQ(before.find(green), std::string::npos);
    const std::size_t trail = final.find(green);
    ASSERT_NE(trail, std::string::npos) << final;
    EXPECT_LT(trail, final.find("pen ff00ff")) << "under the curves";
    // The foci from (±√24, 0) to the centre: 97 pixels at 20 a unit, ending at the origin.
    EXPECT_NE(final.find(" -97,0 "), std::string::npos);
    EXPECT_NE(final.find(" 0,0\n"), std::string::npos);
    // Without the trail the last frame is the plain plot of b = 5.
    const std::string plain = cli("plot sin:1,1,0 ellipse-x:5,5+1011 --size 320x240 --trace").out;
    EXPECT_NE(final, plain);
    const std::size_t trailEnd = final.find("pen ", trail + green.size());
    EXPECT_EQ(final.substr(0, trail) + final.substr(trailEnd), plain);

    r = cli("plot " + scene + " --trace-loci --trace");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("--trace-loci 只能与 --animate 一起使用"), std::string::npos) << r.err;
}
