// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/qt/question_picture.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

#include <QImage>

#include "gfx/qt/qt_surface.h"
#include "gfx/render_style.h"
#include "io/png_stream.h"
#include "io/saving.h"
#include "res/strings.h"

namespace yhb {
namespace {

constexpr std::int64_t kBandBytes = 32 << 20;         // one band of rows in memory
constexpr std::int64_t kMaxPicturePixels = 1LL << 30; // beyond this, minutes of drawing for a file no one opens

// The navigator at `width` x `height`, put back as it was when this goes.
class Resized {
public:
    Resized(QuestionNavigator& nav, int width, int height) : nav_(nav), width_(nav.clientWidth), height_(nav.clientHeight) {
        nav.resize(width, height);
    }
    ~Resized() { nav_.resize(width_, height_); }

private:
    QuestionNavigator& nav_;
    int width_, height_;
};

// What the navigator shows, measured at `width`; the navigator is left as it was.
int measuredHeight(QuestionNavigator& nav, int width) {
    const Resized at(nav, width, std::max(nav.clientHeight, 1));
    return std::max(nav.contentHeight, 1);
}

PictureSize deviceSize(int width, int height, double dpr) {
    return {std::llround(width * dpr), std::llround(static_cast<double>(height) * dpr)};
}

// `paint` fills a band of the picture from a device row on.
bool drawBands(const PictureSize& size, PngStream& png, FileError& error, int bandRows,
               const std::function<void(QImage& band, std::int64_t top)>& paint) {
    const int W = static_cast<int>(size.width);
    const std::int64_t wanted = bandRows > 0 ? bandRows : kBandBytes / (size.width * 4);
    const int rows = static_cast<int>(std::clamp<std::int64_t>(wanted, 1, size.height));
    QImage band(W, rows, QImage::Format_RGB32);
    if (band.isNull()) {
        error.reason = "内存不足";
        return false;
    }
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(W) * 3);
    for (std::int64_t top = 0; top < size.height; top += rows) {
        paint(band, top);
        const int n = static_cast<int>(std::min<std::int64_t>(rows, size.height - top));
        for (int y = 0; y < n; ++y) {
            const QRgb* line = reinterpret_cast<const QRgb*>(band.constScanLine(y));
            for (int x = 0; x < W; ++x) {
                rgb[3 * x] = static_cast<std::uint8_t>(qRed(line[x]));
                rgb[3 * x + 1] = static_cast<std::uint8_t>(qGreen(line[x]));
                rgb[3 * x + 2] = static_cast<std::uint8_t>(qBlue(line[x]));
            }
            if (!png.addRow(rgb.data(), error)) return false;
        }
    }
    return true;
}

} // namespace

PictureSize questionPictureSize(QuestionNavigator& nav, int width, double dpr) {
    width = std::max(width, 1);
    return deviceSize(width, measuredHeight(nav, width), dpr);
}

bool pictureFits(const PictureSize& size, Problem& problem) {
    char text[400];
    if (size.height > kMaxPictureRows) {
        std::snprintf(text, sizeof text,
                      "题目图片高 %lld 像素，超过了 %lld 像素：这样高的 PNG 图片，常用的看图程序打不开，没有保存。"
                      "请缩小字体后再试。",
                      static_cast<long long>(size.height), static_cast<long long>(kMaxPictureRows));
        problem = problemAt(0, text);
        return false;
    }
    if (size.width * size.height > kMaxPicturePixels) {
        std::snprintf(text, sizeof text, "题目图片有 %lld × %lld 像素，超过了 %lld 像素，没有保存。请减小宽度或缩小字体后再试。",
                      static_cast<long long>(size.width), static_cast<long long>(size.height),
                      static_cast<long long>(kMaxPicturePixels));
        problem = problemAt(0, text);
        return false;
    }
    return true;
}

bool writeQuestionPicture(QuestionNavigator& nav, int width, double dpr, FileWriter& out, FileError& error, int bandRows) {
    width = std::max(width, 1);
    const int height = measuredHeight(nav, width);
    const PictureSize size = deviceSize(width, height, dpr);
    if (Problem why; !pictureFits(size, why)) {
        error.code = 0;
        error.reason = why.message;
        return false;
    }
    // Laid out as tall as the whole question, as a window showing all of it would be.
    const Resized whole(nav, width, height);
    PngStream png(out, static_cast<int>(size.width), static_cast<int>(size.height));
    const auto paint = [&nav, dpr](QImage& band, std::int64_t top) {
        band.fill(Qt::white);
        QtSurface surface(&band, normalStyle(dpr));
        surface.setFirstRow(top);
        nav.paint(surface, 0);
    };
    return png.begin(error) && drawBands(size, png, error, bandRows, paint) && png.finish(error);
}

bool saveQuestionPicture(QuestionNavigator& nav, int width, double dpr, const std::string& path, Notifier& notifier,
                         MessageOwner owner) {
    // Refused before anything is asked or made.
    if (Problem why; !pictureFits(questionPictureSize(nav, width, dpr), why)) {
        notifier.message(appTitleUtf8(), why.message, owner);
        return false;
    }
    return saveAsking(notifier, owner, path,
                      [&](FileWriter& out, FileError& error) { return writeQuestionPicture(nav, width, dpr, out, error); });
}

ExitCode saveQuestionPictureForTool(QuestionNavigator& nav, int width, double dpr, const std::string& path, bool force) {
    if (Problem why; !pictureFits(questionPictureSize(nav, width, dpr), why)) {
        std::fprintf(stderr, "yunhuiban-cli: %s\n", why.message.c_str());
        return ExitCode::Failed;
    }
    return saveForTool(path, force,
                       [&](FileWriter& out, FileError& error) { return writeQuestionPicture(nav, width, dpr, out, error); });
}

PictureSize typesetPictureSize(const QuestionTypesetView& view, int width, double dpr) {
    return deviceSize(std::max(width, 1), std::max(view.contentHeight(), 1), dpr);
}

bool writeTypesetPicture(const QuestionTypesetView& view, const BankCategory& c, int width, double dpr, FileWriter& out,
                         FileError& error, int bandRows) {
    width = std::max(width, 1);
    const PictureSize size = typesetPictureSize(view, width, dpr);
    if (Problem why; !pictureFits(size, why)) {
        error.code = 0;
        error.reason = why.message;
        return false;
    }
    PngStream png(out, static_cast<int>(size.width), static_cast<int>(size.height));
    const auto paint = [&](QImage& band, std::int64_t top) { view.paintBand(band, c, width, dpr, top); };
    return png.begin(error) && drawBands(size, png, error, bandRows, paint) && png.finish(error);
}

bool saveTypesetPicture(const QuestionTypesetView& view, const BankCategory& c, int width, double dpr,
                        const std::string& path, Notifier& notifier, MessageOwner owner) {
    if (Problem why; !pictureFits(typesetPictureSize(view, width, dpr), why)) {
        notifier.message(appTitleUtf8(), why.message, owner);
        return false;
    }
    return saveAsking(notifier, owner, path, [&](FileWriter& out, FileError& error) {
        return writeTypesetPicture(view, c, width, dpr, out, error);
    });
}

ExitCode saveTypesetPictureForTool(const QuestionTypesetView& view, const BankCategory& c, int width, double dpr,
                                   const std::string& path, bool force) {
    if (Problem why; !pictureFits(typesetPictureSize(view, width, dpr), why)) {
        std::fprintf(stderr, "yunhuiban-cli: %s\n", why.message.c_str());
        return ExitCode::Failed;
    }
    return saveForTool(path, force, [&](FileWriter& out, FileError& error) {
        return writeTypesetPicture(view, c, width, dpr, out, error);
    });
}

} // namespace yhb
