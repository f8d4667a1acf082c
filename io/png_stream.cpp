// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/png_stream.h"

#include <cstring>

namespace yhb {
namespace {

constexpr std::size_t kChunkBytes = 1 << 16;
constexpr std::uint8_t kFilterUp = 2; // a row less the one above: blank and repeated rows become zeros

void putBigEndian(std::uint8_t* p, std::uint32_t v) {
    p[0] = static_cast<std::uint8_t>(v >> 24);
    p[1] = static_cast<std::uint8_t>(v >> 16);
    p[2] = static_cast<std::uint8_t>(v >> 8);
    p[3] = static_cast<std::uint8_t>(v);
}

bool ownError(FileError& error, const std::string& reason) {
    error.code = 0;
    error.reason = reason;
    return false;
}

} // namespace

PngStream::PngStream(FileWriter& out, int width, int height) : out_(out), width_(width), height_(height) {}

PngStream::~PngStream() {
    if (started_) deflateEnd(&zs_);
}

bool PngStream::chunk(const char type[4], const std::uint8_t* data, std::size_t size, FileError& error) {
    std::uint8_t head[8];
    putBigEndian(head, static_cast<std::uint32_t>(size));
    std::memcpy(head + 4, type, 4);
    uLong crc = crc32(0, reinterpret_cast<const Bytef*>(type), 4);
    if (size) crc = crc32(crc, data, static_cast<uInt>(size));
    std::uint8_t tail[4];
    putBigEndian(tail, static_cast<std::uint32_t>(crc));
    return out_.write(head, 8, error) && (!size || out_.write(data, size, error)) && out_.write(tail, 4, error);
}

bool PngStream::begin(FileError& error) {
    if (width_ < 1 || height_ < 1) return ownError(error, "图片是空的");
    static const std::uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::uint8_t header[13] = {};
    putBigEndian(header, static_cast<std::uint32_t>(width_));
    putBigEndian(header + 4, static_cast<std::uint32_t>(height_));
    header[8] = 8; // bits per sample
    header[9] = 2; // RGB
    // The fastest level: a question of a megabyte is over half a million rows, and after the
    // row filter its blank rows compress as well at this level as at any.
    if (deflateInit(&zs_, Z_BEST_SPEED) != Z_OK) return ownError(error, "内存不足");
    started_ = true;
    previous_.assign(static_cast<std::size_t>(width_) * 3, 0);
    filtered_.assign(previous_.size() + 1, 0);
    compressed_.resize(kChunkBytes);
    zs_.next_out = compressed_.data();
    zs_.avail_out = static_cast<uInt>(compressed_.size());
    return out_.write(signature, sizeof signature, error) && chunk("IHDR", header, sizeof header, error);
}

// Compresses what is in zs_'s input; a full output buffer becomes an IDAT chunk.
bool PngStream::deflateInto(int flush, FileError& error) {
    for (;;) {
        const int status = deflate(&zs_, flush);
        if (status == Z_STREAM_ERROR) return ownError(error, "无法压缩图片数据");
        const std::size_t used = compressed_.size() - zs_.avail_out;
        const bool full = zs_.avail_out == 0;
        if (full || (flush == Z_FINISH && used > 0)) {
            if (!chunk("IDAT", compressed_.data(), used, error)) return false;
            zs_.next_out = compressed_.data();
            zs_.avail_out = static_cast<uInt>(compressed_.size());
        }
        if (flush == Z_FINISH ? status == Z_STREAM_END : (!full && zs_.avail_in == 0)) return true;
    }
}

bool PngStream::addRow(const std::uint8_t* rgb, FileError& error) {
    if (!started_ || rows_ >= height_) return ownError(error, "图片的行数不对");
    const std::size_t n = previous_.size();
    filtered_[0] = kFilterUp;
    for (std::size_t i = 0; i < n; ++i) filtered_[i + 1] = static_cast<std::uint8_t>(rgb[i] - previous_[i]);
    std::memcpy(previous_.data(), rgb, n);
    zs_.next_in = filtered_.data();
    zs_.avail_in = static_cast<uInt>(filtered_.size());
    ++rows_;
    return deflateInto(Z_NO_FLUSH, error);
}

bool PngStream::finish(FileError& error) {
    if (!started_ || rows_ != height_) return ownError(error, "图片的行数不对");
    zs_.next_in = nullptr;
    zs_.avail_in = 0;
    return deflateInto(Z_FINISH, error) && chunk("IEND", nullptr, 0, error);
}

} // namespace yhb
