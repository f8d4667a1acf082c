#include <gtest/gtest.h>

#include <chrono>

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

TEST(Shape, ReadingGrowsLinearlyWithTheQuestion) {
    TempDir d;
    d.write("200.txt", sample::generatedQuestion(200 * 1024));
    d.write("400.txt", sample::generatedQuestion(400 * 1024));
    CategoryPtr c = newCategory("q", 0, 0);
    addQuestion(*c, d / "200.txt");
    addQuestion(*c, d / "400.txt");
    auto once = [&](int n) {
        const auto t0 = std::chrono::steady_clock::now();
        readQuestion(*c, n);
        c->questionList.setFontSize(20, 36);
        c->answerList.setFontSize(20, 36);
        c->questionList.measure(800);
        c->answerList.measure(800);
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    };
    // The best of several runs, the two sizes taking turns, so that a busy machine slows both.
    double small = 1e9, large = 1e9;
    for (int i = 0; i < 9; ++i) {
        small = std::min(small, once(0));
        large = std::min(large, once(1));
    }
    EXPECT_LT(large, 3 * small + 0.005); // generous: linear growth gives about 2
}
