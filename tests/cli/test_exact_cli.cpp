// SPDX-License-Identifier: GPL-3.0-or-later
// The tool takes exact forms in EXPR and draws them from their true values.
#include <gtest/gtest.h>

#include "tool_helpers.h"

using namespace yhb::test;

TEST(ExactCli, AnExactFormDrawsItsValueAndANonNumberIsAnError) {
    const ToolRun root = cli("plot 'ellipse-x:2,√3+1010' --trace");
    ASSERT_EQ(root.status, 0) << root.err;
    // 1.7320508075688772 is the double nearest √3: the same drawing, point for point.
    EXPECT_EQ(root.out, cli("plot 'ellipse-x:2,1.7320508075688772+1010' --trace").out);
    EXPECT_NE(root.out, cli("plot 'ellipse-x:2,1.7+1010' --trace").out);
    EXPECT_NE(root.out.find("\"(0.00,1.73)\""), std::string::npos) << root.out;

    const ToolRun half = cli("plot 'circle-origin:1/2' --trace");
    ASSERT_EQ(half.status, 0) << half.err;
    EXPECT_EQ(half.out, cli("plot circle-origin:0.5 --trace").out); // not the 1 atof read

    const ToolRun bad = cli("plot 'ellipse-x:2,abc' --trace");
    EXPECT_EQ(bad.status, 2);
    EXPECT_TRUE(bad.out.empty());
    EXPECT_NE(bad.err.find("“abc”不是数（ellipse-x 的 b）"), std::string::npos) << bad.err;
}
