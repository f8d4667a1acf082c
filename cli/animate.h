// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>
#include <string>

#include "dialogs/expr_parser.h"
#include "io/exit_code.h"
#include "io/problem.h"
#include "plot/loci.h"

namespace yhb {

// `--animate I=FROM:TO:N`: field I (from 1) of the last EXPR runs evenly from FROM to TO
// over N frames.
struct Sweep {
    int field = 0;
    double from = 0;
    double to = 0;
    int frames = 0;
};

// False, with the problem naming what is wrong, when the text is not I=FROM:TO:N.
bool parseSweep(const std::string& text, Sweep& out, Problem& problem);

// The value of frame k (1 .. frames): FROM for the first, TO for the last.
double frameValue(const Sweep& sweep, int k);

// frame.png -> frame-001.png; at least three digits, more when N needs them.
std::string frameFileName(const std::string& out, int k, int frames);

// The EXPR with field `field` (from 1) typed as `value`, written so that it reads back
// exactly; fields before it that were not given keep their defaults.
std::string frameExpression(const CliExpression& e, int field, double value);

// The trail the last EXPR's characteristic points leave over the whole sweep, sampled at
// steps of 0.1 or finer as a slider moves (at least once a frame, at most 2000 steps). Empty
// when the dialog would refuse the expression.
RowTrail sweepTrail(const CliExpression& e, const Sweep& sweep);

// Where `plot` found the parts of its command line that change from frame to frame.
struct AnimateArgs {
    int option = -1;    // --animate; its value follows
    int expr = -1;      // the last EXPR
    int output = -1;    // the value of -o
    int traceLoci = -1; // --trace-loci: the last frame shows the sweep's trail
};

// Runs `plot` once a frame on the command line without --animate, the last EXPR changed and
// -o numbered; with `trace`, each frame's trace follows a line "frame K". With --trace-loci the
// last frame is given the sweep's trail for the last EXPR's row (the others get none). Returns
// the first failing frame's status (after saying which frame it was), else Ok.
ExitCode animatePlot(int argc, char** argv, const AnimateArgs& at, bool trace,
                     const std::function<ExitCode(int, char**, const RowTrail*)>& plot);

} // namespace yhb
