// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <vector>

#include <zlib.h>

#include "io/file_writer.h"

namespace yhb {

// A PNG (8-bit RGB) written to a file as its rows come, so that a picture need never be held
// whole: a tall question is drawn and saved a band of rows at a time.
class PngStream {
public:
    // Rows as PNG allows them: 1 to 2^31 - 1 either way.
    static constexpr std::int64_t kMaxSide = 0x7FFFFFFF;

    PngStream(FileWriter& out, int width, int height);
    ~PngStream();
    PngStream(const PngStream&) = delete;
    PngStream& operator=(const PngStream&) = delete;

    // The signature and the header; false for a size PNG cannot have.
    bool begin(FileError& error);
    // One row of width * 3 bytes (red, green, blue), top row first.
    bool addRow(const std::uint8_t* rgb, FileError& error);
    // After the last row: the rest of the compressed data and the end chunk.
    bool finish(FileError& error);

private:
    bool chunk(const char type[4], const std::uint8_t* data, std::size_t size, FileError& error);
    bool deflateInto(int flush, FileError& error);

    FileWriter& out_;
    int width_, height_;
    int rows_ = 0;
    bool started_ = false;
    z_stream zs_{};
    std::vector<std::uint8_t> previous_, filtered_, compressed_;
};

} // namespace yhb
