// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/animate.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "cli/arguments.h"
#include "families/trail_points.h"
#include "model/document.h"

namespace yhb {
namespace {

bool realNumber(const std::string& s, double& out) {
    if (s.empty()) return false;
    char* end = nullptr;
    out = std::strtod(s.c_str(), &end);
    return *end == '\0' && std::isfinite(out);
}

std::string exact(double v) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.17g", v);
    return buf;
}

} // namespace

bool parseSweep(const std::string& text, Sweep& out, Problem& problem) {
    const std::size_t eq = text.find('=');
    const std::size_t c1 = text.find(':', eq == std::string::npos ? 0 : eq);
    const std::size_t c2 = c1 == std::string::npos ? c1 : text.find(':', c1 + 1);
    if (eq == std::string::npos || c1 == std::string::npos || c2 == std::string::npos) {
        problem = problemAt(0, "--animate 的写法是 I=FROM:TO:N，例如 2=0.5:10:40，而不是“" + text + "”");
        return false;
    }
    const std::string field = text.substr(0, eq), from = text.substr(eq + 1, c1 - eq - 1),
                      to = text.substr(c1 + 1, c2 - c1 - 1), frames = text.substr(c2 + 1);
    long long n = 0;
    Sweep s;
    if (!wholeNumber(field.c_str(), 1, 10, n)) {
        problem = problemAt(0, "--animate：字段序号“" + field + "”应是 1 到 10 的整数");
        return false;
    }
    s.field = static_cast<int>(n);
    if (!realNumber(from, s.from)) {
        problem = problemAt(0, "--animate：起点“" + from + "”不是数");
        return false;
    }
    if (!realNumber(to, s.to)) {
        problem = problemAt(0, "--animate：终点“" + to + "”不是数");
        return false;
    }
    if (!wholeNumber(frames.c_str(), 1, 9999, n)) {
        problem = problemAt(0, "--animate：帧数“" + frames + "”应是 1 到 9999 的整数");
        return false;
    }
    s.frames = static_cast<int>(n);
    out = s;
    return true;
}

double frameValue(const Sweep& sweep, int k) {
    if (k >= sweep.frames) return sweep.frames == 1 ? sweep.from : sweep.to;
    return sweep.from + (sweep.to - sweep.from) * (k - 1) / (sweep.frames - 1);
}

std::string frameFileName(const std::string& out, int k, int frames) {
    int digits = 3;
    for (int n = frames; n >= 1000; n /= 10) ++digits;
    char number[24];
    std::snprintf(number, sizeof number, "-%0*d", digits, k);
    const std::size_t slash = out.find_last_of('/');
    const std::size_t dot = out.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash) || dot == slash + 1 || dot == 0)
        return out + number;
    return out.substr(0, dot) + number + out.substr(dot);
}

std::string frameExpression(const CliExpression& e, int field, double value) {
    std::vector<std::string> texts = e.texts;
    if (texts.size() < static_cast<std::size_t>(field)) texts.resize(static_cast<std::size_t>(field));
    texts[static_cast<std::size_t>(field - 1)] = exact(value);
    std::string out = std::string(e.family->cliName) + ":";
    for (std::size_t i = 0; i < texts.size(); ++i) out += (i ? "," : "") + texts[i];
    for (int b : e.boxes) out += "+" + std::to_string(b);
    return out;
}

RowTrail sweepTrail(const CliExpression& e, const Sweep& sweep) {
    Document scratch;
    RecordingNotifier quiet; // a refused frame is reported by the frame itself
    if (!enterExpression(scratch, e, quiet) || scratch.table.slotCount == 0) return {};
    const ExpressionSlot& row = scratch.table.slot(scratch.table.slotCount - 1);
    const FamilySpec* family = findFamily(row.kind);
    if (!family || sweep.field < 1 || sweep.field > 10) return {};
    constexpr double kSliderStep = 0.1;
    constexpr long kMostSteps = 2000;
    const long steps = std::clamp(static_cast<long>(std::ceil(std::fabs(sweep.to - sweep.from) / kSliderStep - 1e-9)),
                                  std::max(1L, static_cast<long>(sweep.frames) - 1), kMostSteps);
    double p[10];
    std::copy(row.params, row.params + 10, p);
    TrailRun run;
    for (long k = 0; k <= steps; ++k) {
        p[sweep.field - 1] = k == steps ? sweep.to : sweep.from + (sweep.to - sweep.from) * static_cast<double>(k) / steps;
        run.add(k, tracedPoints(*family, p));
    }
    RowTrail trail;
    trail.strokes = run.strokes();
    return trail;
}

ExitCode animatePlot(int argc, char** argv, const AnimateArgs& at, bool trace,
                     const std::function<ExitCode(int, char**, const RowTrail*)>& plot) {
    Sweep sweep;
    Problem error;
    if (!parseSweep(argv[at.option + 1], sweep, error)) return usageError(error.message);
    if (at.expr < 0) return usageError("--animate 改变最后一个 EXPR 的字段，但命令行上没有 EXPR");
    CliExpression last;
    Problem problem;
    if (!parseExpression(argv[at.expr], last, problem)) return usageError(problem.message);
    const int fields = static_cast<int>(last.family->fields.size());
    if (sweep.field > fields)
        return usageError(std::string("--animate：") + last.family->cliName + " 只有 " + std::to_string(fields) + " 个字段，没有第 " +
                    std::to_string(sweep.field) + " 个");

    RowTrail trail;
    if (at.traceLoci >= 0) trail = sweepTrail(last, sweep);
    for (int k = 1; k <= sweep.frames; ++k) {
        std::vector<std::string> args;
        for (int i = 0; i < argc; ++i) {
            if (i == at.option || i == at.option + 1 || i == at.traceLoci) continue;
            if (i == at.expr) args.push_back(frameExpression(last, sweep.field, frameValue(sweep, k)));
            else if (i == at.output) args.push_back(frameFileName(argv[i], k, sweep.frames));
            else args.push_back(argv[i]);
        }
        std::vector<char*> frameArgv;
        for (std::string& a : args) frameArgv.push_back(a.data());
        frameArgv.push_back(nullptr);
        if (trace) {
            std::printf("frame %d\n", k);
            std::fflush(stdout);
        }
        const ExitCode status = plot(static_cast<int>(args.size()), frameArgv.data(),
                                     at.traceLoci >= 0 && k == sweep.frames ? &trail : nullptr);
        std::fflush(stdout);
        if (status != ExitCode::Ok) {
            std::fprintf(stderr, "yunhuiban-cli: 第 %d 帧（字段 %d = %s）没有画出\n", k, sweep.field,
                         exact(frameValue(sweep, k)).c_str());
            return status;
        }
    }
    return ExitCode::Ok;
}

} // namespace yhb
