// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "gfx/cp936.h"
#include "gfx/recording_surface.h"
#include "gfx/svg_surface.h"

using namespace yhb;

TEST(RecordingSurface, TraceListsEveryOperationInOrder) {
    RecordingSurface s;
    s.setOrigin(300, 200);
    s.fillRect(-300, -200, 300, 200, kGrey);
    s.setPen(rgb(255, 0, 255));
    s.setBrush(Brush::None);
    s.setTextColour(rgb(0, 0, 255));
    s.setBkMode(BkMode::Transparent);
    const Point pts[3] = {{0, 0}, {1, 2}, {3, -4}};
    s.polyline(pts, 3);
    s.polyline(pts, 1); // draws nothing, so it is not printed
    s.moveTo(5, 6);
    s.lineTo(7, 8);
    s.ellipse(-4, -4, 4, 4);
    s.textOut(1, 2, "a\"b\\中", CellFont{9, 5});
    EXPECT_EQ(s.trace(),
              "origin 300 200\n"
              "fill -300 -200 300 200 808080\n"
              "pen ff00ff\n"
              "brush none\n"
              "textcolour 0000ff\n"
              "bkmode transparent\n"
              "polyline 3 0,0 1,2 3,-4\n"
              "line 5,6 7,8\n"
              "ellipse -4 -4 4 4\n"
              "text 1 2 5 9 \"a\\\"b\\\\中\"\n");
}

TEST(SvgSurface, WritesPolylinesAndTextAtDevicePositions) {
    SvgSurface s(100, 50);
    s.setOrigin(50, 25);
    s.setPen(rgb(0, 255, 0));
    const Point pts[3] = {{0, 0}, {0, 0}, {10, -5}};
    s.polyline(pts, 3);
    s.textOut(0, 0, "<1>", CellFont{9, 5});
    const std::string doc = s.document();
    EXPECT_NE(doc.find("<polyline fill=\"none\" stroke=\"#00ff00\" points=\"50,25 60,20\"/>"), std::string::npos);
    EXPECT_NE(doc.find("&lt;1&gt;</text>"), std::string::npos);
    EXPECT_NE(doc.find("width=\"100\" height=\"50\""), std::string::npos);
}
