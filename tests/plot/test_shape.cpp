// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>

#include "allocation_count.h"
#include "bank/catalogue.h"
#include "bank/question_reader.h"
#include "gfx/recording_surface.h"
#include "plot/canvas_scene.h"
#include "sample_scenes.h"
#include "test_util.h"

using namespace yhb;
using Kind = RecordingSurface::Kind;

// Cheap guards of the algorithmic shape behind the benchmarks.
TEST(Shape, FiveRowSceneHandsTheSurfaceABoundedAmountOfWork) {
    for (int scale : {20, 4}) {
        Document doc;
        doc.view.pixelsPerUnit = scale;
        sample::enterFiveRows(doc);
        RecordingSurface s;
        s.setOrigin(960, 540);
        paintCanvas(s, doc.table, doc.view, 1920, 1080);
        std::size_t points = 0;
        for (auto* op : s.ofKind(Kind::Polyline)) points += op->points.size();
        // Ten samples a pixel, but repeated pixels are dropped: about one point per pixel
        // of curve, never one per sample.
        EXPECT_LT(points, 60000u) << scale;
        EXPECT_GT(points, 5000u) << scale;
        EXPECT_LT(s.ops().size(), 4000u) << scale;
    }
}

// A category opening a large question for the first time: its lists grow from 800 entries
// to the whole question. Growing them by a fixed step made 4 MB take over 13 times as long as
// 1 MB, copying the lists at every step; what reading and laying out allocate shows that
// without a clock (the time itself is bench_question's Q_LargeReadLayout).
TEST(Shape, ReadingGrowsLinearlyWithTheQuestion) {
    TempDir d;
    d.write("1.txt", sample::generatedQuestionBelow(1 << 20));
    d.write("4.txt", sample::generatedQuestionBelow(4 << 20));
    auto allocated = [&](const char* file) {
        const test::AllocationCount count;
        CategoryPtr c = newCategory("q", 0, 0);
        addQuestion(*c, d / file);
        EXPECT_EQ(readQuestion(*c, 0), 1);
        c->questionList.setFontSize(20, 36);
        c->answerList.setFontSize(20, 36);
        c->questionList.measure(800);
        c->answerList.measure(800);
        return static_cast<double>(count.bytes());
    };
    const double small = allocated("1.txt"), large = allocated("4.txt");
    EXPECT_LT(large, 6 * small) << small << " bytes for 1 MB, " << large << " for 4 MB"; // linear growth gives about 4
}
