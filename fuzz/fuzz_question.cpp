// Arbitrary bytes as a question file: the reader, then measuring and drawing at a few widths.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "bank/question_reader.h"
#include "gfx/recording_surface.h"

using namespace yhb;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    ItemList question(800), answer(800);
    std::vector<QuestionProblem> problems;
    parseQuestion(bytes, question, answer, &problems);
    for (int cell : {1, 8, 20, 65}) {
        question.setFontSize(cell, cell * 2);
        answer.setFontSize(cell, cell * 2);
        for (int width : {1, 17, 300, 800}) {
            RecordingSurface s;
            const int y = question.draw(s, 0, 0, width, 100);
            answer.draw(s, 0, y, width, 100);
            if (question.measure(width) < 0) __builtin_trap();
        }
    }
    return 0;
}
