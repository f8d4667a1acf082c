// SPDX-License-Identifier: GPL-3.0-or-later
// yunhuiban-cli: the program's figures and question sheets without the window, drawn by the
// same code as the window.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include <QApplication>

#include "app/main_window.h"
#include "app/picture_export.h"
#include "app/startup.h"
#include "bank/bank_checker.h"
#include "bank/catalogue.h"
#include "bank/question_navigator.h"
#include "bank/qt/question_picture.h"
#include "bank/question_reader.h"
#include "cli/animate.h"
#include "cli/arguments.h"
#include "cli/convert_command.h"
#include "cli/describe.h"
#include "cli/font_coverage.h"
#include "cli/lesson_options.h"
#include "cli/worksheet_command.h"
#include "dialogs/expr_parser.h"
#include "gfx/qt/qt_surface.h"
#include "gfx/render_style.h"
#include "gfx/recording_surface.h"
#include "gfx/svg_surface.h"
#include "io/saving.h"
#include "res/command_ids.h"
#include "res/strings.h"

namespace fs = std::filesystem;
using namespace yhb;

namespace {

// Message boxes become lines on stderr.
class StderrNotifier : public Notifier {
public:
    void message(const std::string&, const std::string& text, MessageOwner) override { std::fprintf(stderr, "%s\n", text.c_str()); }
};

void printHelp() {
    std::printf(
        "usage:\n"
        "  yunhuiban-cli plot [options] EXPR...\n"
        "      EXPR is FAMILY[:T1,T2,...][+BOX...], for example ellipse-x:4,2+1010+1011\n"
        "      --size WxH  --scale N  --origin X,Y  --pi-axis  --no-labels  --trace\n"
        "      --dpr 1|1.5|2|3 (K times the pixels)  --presentation (演示模式: magnified, for a projector)\n"
        "      --textbook (教材记法: labels and captions as a textbook prints them, x²/4+y²/3=1, F₁(−1,0))\n"
        "      --describe[=latex]  prints each row's equation in textbook notation, then its named\n"
        "                          points and lines (F₁(−1,0), l: x=−4), as text or LaTeX\n"
        "      --animate I=FROM:TO:N  N frames FILE-001.png ... in which field I of the last EXPR runs\n"
        "                             from FROM to TO\n"
        "      --trace-loci  with --animate: the last frame shows the trails (留下轨迹) that the last\n"
        "                    EXPR's characteristic points leave over the whole run\n"
        "      --window WxH (the whole main window, PNG)  -o FILE (.png, .svg or .pdf)\n"
        "      --force (replace a write-protected -o or --save-lesson file)\n"
        "      --lesson FILE.yhb  --save-lesson FILE.yhb  --unit-cm 0.5|1|2 (PDF: cm per unit)\n"
        "  yunhuiban-cli question FILE [--width N] [--answer] [--cell W,H] [--figure] [--textbook] [--dpr K] [--trace]\n"
        "      [-o FILE]\n"
        "      [--force]\n"
        "  yunhuiban-cli worksheet DIR (--category I ... | --file F ...) [--count N] [--seed S] [--answers]\n"
        "      [--title T] [--subtitle T] [--layout a4|a3] [--edition student|teacher] [--font-size PT]\n"
        "      [--force] -o sheet.pdf   (first N, or N at random with seed S)\n"
        "  yunhuiban-cli bank [DIR] [--list] [--strict] [--lang en|zh]\n"
        "      checks the question files: problems go to stderr as PATH:LINE:COLUMN: MESSAGE, then a\n"
        "      summary line; --list first prints the catalogue on stdout\n"
        "  yunhuiban-cli bank --convert FILE\n"
        "      prints the question in the natural format (text with $LaTeX$, see AUTHORING.md); writes nothing\n"
        "families (name, number, fields, boxes):\n");
    for (const FamilySpec& f : families()) {
        std::printf("  %-18s %d ", f.cliName, familyId(f.kind));
        for (const FieldSpec& field : f.fields) std::printf(" %s%d", field.label, field.defaultValue);
        for (const BoxSpec& b : f.boxes) std::printf("  +%d %s", b.id, b.caption);
        std::printf("\n");
    }
}

bool parsePair(const char* text, char sep, int& a, int& b) {
    char* end = nullptr;
    long x = std::strtol(text, &end, 10);
    if (end == text || *end != sep) return false;
    const char* second = end + 1;
    long y = std::strtol(second, &end, 10);
    if (end == second || *end) return false;
    if (x < -100000 || x > 100000 || y < -100000 || y > 100000) return false;
    a = static_cast<int>(x);
    b = static_cast<int>(y);
    return true;
}

bool endsWith(const std::string& s, const char* suffix) {
    const std::size_t n = std::strlen(suffix);
    return s.size() >= n && std::equal(s.end() - static_cast<long>(n), s.end(), suffix,
                                       [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
}

ExitCode writeImage(const QImage& image, const std::string& path, bool force) {
    const QByteArray png = pngBytes(image);
    return saveForTool(path, force, std::string_view(png.constData(), png.size()));
}

// --dpr: the device pixel ratio of the picture, one a screen or a slide commonly has.
bool parseDpr(const char* text, double& dpr) {
    if (!text) return false;
    const std::string v = text;
    if (v == "1" || v == "1.5" || v == "2" || v == "3") {
        dpr = std::strtod(text, nullptr);
        return true;
    }
    return false;
}

// `trail`: the sweep's trail for the last EXPR's row, on the last frame of --trace-loci.
ExitCode plotCommand(int argc, char** argv, const RowTrail* trail = nullptr) {
    int width = 600, height = 400, scale = 20, ox = 0, oy = 0, winW = 0, winH = 0;
    bool origin = false, pi = false, noLabels = false, trace = false, presentation = false, force = false;
    bool textbook = false;
    DescribeFormat describe = DescribeFormat::None;
    double dpr = 1.0;
    std::string out;
    std::vector<CliExpression> exprs;
    AnimateArgs animate;
    // The lesson first: its view is the default that the options below override.
    PlotLessonOptions lesson;
    if (const ExitCode status = lesson.read(argc, argv); status != ExitCode::Ok) return status;
    lesson.preset(scale, pi, noLabels, presentation, textbook);
    for (int i = 0; i < argc; ++i) {
        const std::string a = argv[i];
        auto value = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
        if (a == "--size" || a == "--window") {
            const char* v = value();
            int w = 0, h = 0;
            if (!v || !parsePair(v, 'x', w, h) || w <= 0 || h <= 0 || w > 10000 || h > 10000)
                return usageError(a + " needs WxH");
            (a == "--size" ? width : winW) = w;
            (a == "--size" ? height : winH) = h;
        } else if (a == "--scale") {
            long long n = 0;
            if (!wholeNumber(value(), 1, 1000, n)) return usageError("--scale needs a number from 1 to 1000");
            scale = static_cast<int>(n);
        } else if (a == "--origin") {
            const char* v = value();
            if (!v || !parsePair(v, ',', ox, oy)) return usageError("--origin needs X,Y");
            origin = true;
        } else if (a == "--pi-axis") {
            pi = true;
        } else if (a == "--no-labels") {
            noLabels = true;
        } else if (a == "--trace") {
            trace = true;
        } else if (a == "--trace-loci") {
            animate.traceLoci = i;
        } else if (a == "--dpr") {
            if (!parseDpr(value(), dpr)) return usageError("--dpr takes 1, 1.5, 2 or 3");
        } else if (a == "--presentation") {
            presentation = true;
        } else if (a == "--textbook") {
            textbook = true;
        } else if (std::string error; readDescribeOption(a, describe, error)) {
            if (!error.empty()) return usageError(error);
        } else if (a == "--force") {
            force = true;
        } else if (PlotLessonOptions::owns(a)) {
            ++i; // read above
        } else if (a == "--animate") {
            animate.option = i;
            if (!value()) return usageError("--animate 后面要有 I=FROM:TO:N");
        } else if (a == "-o") {
            animate.output = i + 1;
            const char* v = value();
            if (!v) return usageError("-o needs a file name");
            out = v;
        } else if (!a.empty() && a[0] == '-' && a.size() > 1 && !(a[1] >= '0' && a[1] <= '9')) {
            return usageError("unknown option " + a);
        } else {
            CliExpression e;
            Problem error;
            if (!parseExpression(a, e, error)) return usageError(error.message);
            exprs.push_back(e);
            animate.expr = i;
        }
    }
    if (exprs.empty() && !lesson.hasLesson()) return usageError("plot needs at least one EXPR");
    if (winW > 0 && !out.empty() && !endsWith(out, ".png")) return usageError("--window writes PNG only");
    if (out.empty() && !trace && !lesson.saving() && describe == DescribeFormat::None)
        return usageError("plot needs -o FILE, --trace or --describe");
    if (animate.traceLoci >= 0 && animate.option < 0)
        return usageError("--trace-loci 只能与 --animate 一起使用：轨迹是 --animate 改变的字段留下的");
    if (animate.option >= 0) return animatePlot(argc, argv, animate, trace, plotCommand);
    // The last EXPR's row, or the lesson's last when the command line has none.
    auto addTrail = [&](Document& doc) {
        if (trail && doc.table.slotCount > 0) doc.table.slot(doc.table.slotCount - 1).trail = *trail;
    };

    StderrNotifier notifier;
    auto setView = [&](Document& doc) {
        doc.view.pixelsPerUnit = scale;
        doc.view.piAxis = pi;
        doc.view.showLabels = !noLabels;
        doc.view.presentation = presentation;
        doc.view.textbook = textbook;
    };
    auto setOrigin = [&](Document& doc) {
        if (!origin) return false;
        doc.canvas.originX = ox;
        doc.canvas.originY = oy;
        return true;
    };
    // In presentation mode the trace is of the magnified picture, at one pixel per pixel.
    auto printTrace = [&](const Document& doc) {
        RecordingSurface rec;
        if (presentation) rec.setStyle(presentationStyle(1.0));
        paintDocument(rec, doc);
        std::fputs(rec.trace().c_str(), stdout);
    };
    if (winW > 0) {
        Catalogue none;
        MainWindow window(none, notifier);
        Document& doc = window.document();
        setView(doc);
        window.resizeClient(winW, winH); // the first layout sizes the canvas and centres the origin
        if (!lesson.enter(window)) return ExitCode::Usage;
        setView(doc);
        doc.view.presentation = false;
        if (presentation) window.command(Command::Presentation);
        if (setOrigin(doc)) window.canvas()->applyOrigin();
        bool refused = false;
        for (const CliExpression& e : exprs) {
            if (!beginNew(doc, notifier)) return ExitCode::Usage;
            window.runParameterDialog = [&](ParameterDialog& dialog) {
                for (std::size_t i = 0; i < e.texts.size(); ++i)
                    if (!e.texts[i].empty()) dialog.field(static_cast<int>(i))->setText(QString::fromStdString(e.texts[i]));
                for (int id : e.boxes) dialog.boxById(id)->setChecked(true);
                dialog.command(DialogButton::Ok);
                refused = dialog.result() != 1;
            };
            window.command(e.family->kind);
            if (refused) return ExitCode::Usage;
        }
        addTrail(doc);
        if (lesson.saving() && lesson.save(doc, force) != ExitCode::Ok) return ExitCode::Failed;
        const QImage image = window.renderClient();
        if (trace) printTrace(doc);
        if (describe != DescribeFormat::None) std::fputs(describeRows(doc, describe).c_str(), stdout);
        return out.empty() ? ExitCode::Ok : writeImage(image, out, force);
    }

    Document doc;
    if (!lesson.enter(doc, width, height)) return ExitCode::Usage;
    setView(doc);
    const double magnification = presentation ? kPresentationMagnification : 1.0;
    doc.canvas.resize(static_cast<int>(width / magnification), static_cast<int>(height / magnification));
    setOrigin(doc);
    for (const CliExpression& e : exprs)
        if (!enterExpression(doc, e, notifier)) return ExitCode::Usage;
    addTrail(doc);
    if (lesson.saving() && lesson.save(doc, force) != ExitCode::Ok) return ExitCode::Failed;

    if (trace) printTrace(doc);
    if (describe != DescribeFormat::None) std::fputs(describeRows(doc, describe).c_str(), stdout);
    if (out.empty()) return ExitCode::Ok;
    if (endsWith(out, ".pdf")) return lesson.writePdf(doc, out, force);
    if (endsWith(out, ".svg")) return saveForTool(out, force, canvasSvg(doc));
    QImage image(static_cast<int>(std::lround(width * dpr)), static_cast<int>(std::lround(height * dpr)), QImage::Format_RGB32);
    QtSurface s(&image, presentation ? presentationStyle(dpr) : normalStyle(dpr));
    paintDocument(s, doc);
    return writeImage(image, out, force);
}

// The question window's 教材记法: the typeset runs as a trace, or the picture.
ExitCode textbookQuestion(const BankCategory& c, const QuestionNavigator& nav, int width, double dpr, bool trace,
                          const std::string& out, bool force) {
    QuestionTypesetView view;
    view.setOn(true);
    view.layout(&c, nav, width);
    if (!view.ready()) {
        std::fprintf(stderr, "yunhuiban-cli: %s\n", view.problem().c_str());
        return ExitCode::Failed;
    }
    if (trace) {
        RecordingSurface rec;
        drawTypeset(rec, view.text(), view.textLeft(), view.textTop());
        std::fputs(rec.trace().c_str(), stdout);
    }
    if (out.empty()) return ExitCode::Ok;
    return saveTypesetPictureForTool(view, c, width, dpr, out, force);
}

ExitCode questionCommand(int argc, char** argv) {
    std::string file, out;
    int width = 600, cellW = 20, cellH = 36;
    bool answer = false, trace = false, figure = false, force = false, textbook = false;
    double dpr = 1.0;
    for (int i = 0; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--figure") {
            figure = true;
        } else if (a == "--textbook") {
            textbook = true;
        } else if (a == "--width" && i + 1 < argc) {
            long long n = 0;
            if (!wholeNumber(argv[++i], 1, 10000, n)) return usageError("--width needs a number from 1 to 10000");
            width = static_cast<int>(n);
        } else if (a == "--cell" && i + 1 < argc) {
            if (!parsePair(argv[++i], ',', cellW, cellH) || cellW < 1 || cellH < 1 || cellW > 500 || cellH > 500)
                return usageError("--cell needs W,H");
        } else if (a == "--answer") {
            answer = true;
        } else if (a == "--force") {
            force = true;
        } else if (a == "--dpr") {
            if (!parseDpr(i + 1 < argc ? argv[++i] : nullptr, dpr)) return usageError("--dpr takes 1, 1.5, 2 or 3");
        } else if (a == "--trace") {
            trace = true;
        } else if (a == "-o" && i + 1 < argc) {
            out = argv[++i];
        } else if (!a.empty() && a[0] == '-') {
            return usageError("unknown option " + a);
        } else if (file.empty()) {
            file = a;
        } else {
            return usageError("question takes one FILE");
        }
    }
    if (file.empty()) return usageError("question needs a FILE");
    if (out.empty() && !trace) return usageError("question needs -o FILE or --trace");

    Catalogue catalogue;
    catalogue.categories.push_back(newCategory(categoryNameForFile(file), -1, 0));
    addQuestion(*catalogue.categories.back(), file);
    QuestionNavigator nav(catalogue);
    nav.cellWidth = cellW;
    nav.cellHeight = cellH;
    nav.resize(width, 1);
    nav.reload();
    if (figure) {
        // The figure as `plot` draws it from the question's first "@plot" line.
        const std::vector<std::string>& lines = catalogue.categories.back()->figures;
        if (lines.empty()) {
            std::fprintf(stderr, "yunhuiban-cli: %s 没有图形行（@plot）\n", file.c_str());
            return ExitCode::Failed;
        }
        std::vector<std::string> args;
        std::istringstream words(lines.front());
        for (std::string w; words >> w;) args.push_back(w);
        if (trace) args.push_back("--trace");
        if (force) args.push_back("--force");
        if (dpr != 1.0) args.insert(args.end(), {"--dpr", dpr == 1.5 ? "1.5" : std::to_string(static_cast<int>(dpr))});
        if (!out.empty()) args.insert(args.end(), {"-o", out});
        std::vector<char*> argvs;
        for (std::string& a : args) argvs.push_back(a.data());
        return plotCommand(static_cast<int>(argvs.size()), argvs.data());
    }
    if (answer) nav.command(Command::QuestionAnswer);
    if (textbook) return textbookQuestion(*catalogue.categories.back(), nav, width, dpr, trace, out, force);
    const int height = std::max(nav.contentHeight, 1);
    nav.resize(width, height);

    if (trace) {
        RecordingSurface rec;
        nav.paint(rec, 0);
        std::fputs(rec.trace().c_str(), stdout);
    }
    if (out.empty()) return ExitCode::Ok;
    return saveQuestionPictureForTool(nav, width, dpr, out, force);
}

// A bank file's path as the checker names it: below the bank's folder, in UTF-8.
std::string relativeTo(const std::string& dir, const std::string& path) {
    return fs::path(path).lexically_relative(dir).generic_string();
}

void printCatalogue(const Catalogue& c, const std::string& dir);

ExitCode bankCommand(int argc, char** argv) {
    std::string dir, convert;
    bool strict = false, english = false, given = false, list = false;
    for (int i = 0; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--strict") {
            strict = true;
        } else if (a == "--list") {
            list = true;
        } else if (a == "--convert" && i + 1 < argc) {
            convert = argv[++i];
        } else if (a == "--lang" && i + 1 < argc) {
            const std::string lang = argv[++i];
            if (lang != "en" && lang != "zh") return usageError("--lang takes en or zh");
            english = lang == "en";
        } else if (!a.empty() && a[0] == '-') {
            return usageError("unknown option " + a);
        } else if (!given) {
            dir = a;
            given = true;
        } else {
            return usageError("bank takes one DIR");
        }
    }
    if (!convert.empty()) return convertCommand(convert, english);
    if (!given) {
        // As the program finds it; said on stderr so the listing stays the same.
        dir = findBankDirectory();
        if (dir.empty()) {
            std::fprintf(stderr, english ? "yunhuiban-cli: no question bank found\n" : "yunhuiban-cli: 未找到题库\n");
            return ExitCode::Failed;
        }
        std::fprintf(stderr, english ? "bank %s\n" : "题库 %s\n", dir.c_str());
    }
    Catalogue c;
    c.load(dir);
    if (list) {
        printCatalogue(c, dir);
        std::fflush(stdout); // before the messages, also where both streams go to one pipe
    }
    const auto figure = [](const std::string& line, Problem& problem) {
        std::vector<CliExpression> exprs;
        return parseFigure(line, exprs, problem);
    };
    // Which characters a font draws is asked of Qt, offscreen.
    if (qgetenv("QT_QPA_PLATFORM").isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
    static char name[] = "yunhuiban-cli";
    static char* qtArgv[] = {name, nullptr};
    int qtArgc = 1;
    // Qt's own remarks (a runtime folder it would like) are no finding of the checker's.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    const QApplication fonts(qtArgc, qtArgv);
    const std::vector<Problem> findings = checkBank(c, dir, figure, installedFontsDraw);
    int errors = 0, warnings = 0;
    for (const Problem& f : findings) {
        (f.warning ? warnings : errors) += 1;
        const char* kind = !f.warning ? "" : english ? "warning: " : "警告：";
        const std::string column = f.column > 0 ? std::to_string(f.column) + ":" : "";
        std::fprintf(stderr, "%s:%d:%s %s%s\n", relativeTo(dir, f.file).c_str(), f.line, column.c_str(), kind,
                     (english ? f.english : f.message).c_str());
    }
    std::fprintf(stderr, "%s\n", checkSummary(c, findings, english).c_str());
    return errors > 0 || (strict && warnings > 0) ? ExitCode::Failed : ExitCode::Ok;
}

void printCatalogue(const Catalogue& c, const std::string& dir) {
    std::printf("version %s\n", c.bankVersion.c_str());
    for (int t = 0; t < c.topLevelCount(); ++t)
        std::printf("toplevel %d %s\n", t, c.topLevel[static_cast<std::size_t>(t)].name.c_str());
    for (int i = 0; i < c.categoryCount(); ++i) {
        const BankCategory* k = c.category(i);
        std::printf("category %d parent=%d aggregate=%d questions=%d %s\n", i, k->parent, k->aggregate,
                    k->questionCount(), k->name.c_str());
    }
    for (int i = 0; i < c.categoryCount(); ++i) {
        const BankCategory* k = c.category(i);
        for (int n = 0; n < k->questionCount(); ++n)
            std::printf("question %d %d %s\n", i, n + 1, relativeTo(dir, k->questionPaths[static_cast<std::size_t>(n)]).c_str());
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2 || !std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h")) {
        printHelp();
        return exitStatus(argc < 2 ? ExitCode::Usage : ExitCode::Ok);
    }
    // Asked after a command, help is still help, not an unknown option.
    for (int i = 2; i < argc; ++i)
        if (!std::strcmp(argv[i], "--help") || !std::strcmp(argv[i], "-h")) {
            printHelp();
            return exitStatus(ExitCode::Ok);
        }
    const std::string command = argv[1];
    if (command == "bank") return exitStatus(bankCommand(argc - 2, argv + 2));
    if (command != "plot" && command != "question" && command != "worksheet")
        return exitStatus(usageError("unknown command " + command));

    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    // The whole window (--window) is drawn by the widgets, at the screen's ratio: make it K.
    for (int i = 2; i + 1 < argc; ++i)
        if (!std::strcmp(argv[i], "--dpr")) qputenv("QT_SCALE_FACTOR", argv[i + 1]);
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    if (command == "worksheet") return exitStatus(worksheetCommand(argc - 2, argv + 2));
    return exitStatus(command == "plot" ? plotCommand(argc - 2, argv + 2) : questionCommand(argc - 2, argv + 2));
}
