// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <zlib.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

// Reads a PNG file chunk by chunk, checking every CRC and inflating the image data as a
// stream, so that a picture too tall to decode into memory can still be checked whole.
struct PngCheck {
    bool ok = false;
    std::string problem;
    std::uint32_t width = 0, height = 0;
};

inline PngCheck checkPng(const std::string& path) {
    PngCheck r;
    std::ifstream in(path, std::ios::binary);
    auto fail = [&](const std::string& why) {
        r.problem = why;
        return r;
    };
    char sig[8];
    if (!in.read(sig, 8) || std::memcmp(sig, "\x89PNG\r\n\x1a\n", 8) != 0) return fail("no PNG signature");
    auto big = [](const unsigned char* p) { return (std::uint32_t(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3]; };
    z_stream zs{};
    inflateInit(&zs);
    std::uint64_t rowBytes = 0, expected = 0, got = 0, row = 0;
    std::vector<unsigned char> data, out(1 << 16);
    bool header = false, ended = false, streamEnd = false;
    while (!ended) {
        unsigned char head[8];
        if (!in.read(reinterpret_cast<char*>(head), 8)) return inflateEnd(&zs), fail("truncated before IEND");
        const std::uint32_t size = big(head);
        const std::string type(reinterpret_cast<char*>(head) + 4, 4);
        data.resize(size);
        unsigned char crc[4];
        if (!in.read(reinterpret_cast<char*>(data.data()), size) || !in.read(reinterpret_cast<char*>(crc), 4))
            return inflateEnd(&zs), fail("truncated " + type);
        uLong c = crc32(0, head + 4, 4);
        c = crc32(c, data.data(), size);
        if (c != big(crc)) return inflateEnd(&zs), fail("bad CRC in " + type);
        if (type == "IHDR") {
            r.width = big(data.data());
            r.height = big(data.data() + 4);
            if (data[8] != 8 || data[9] != 2) return inflateEnd(&zs), fail("not 8-bit RGB");
            rowBytes = 1 + 3ull * r.width;
            expected = rowBytes * r.height;
            header = true;
        } else if (type == "IDAT") {
            if (!header) return inflateEnd(&zs), fail("IDAT before IHDR");
            zs.next_in = data.data();
            zs.avail_in = size;
            while (zs.avail_in > 0 && !streamEnd) {
                zs.next_out = out.data();
                zs.avail_out = static_cast<uInt>(out.size());
                const int status = inflate(&zs, Z_NO_FLUSH);
                if (status != Z_OK && status != Z_STREAM_END) return inflateEnd(&zs), fail("bad compressed data");
                const std::size_t n = out.size() - zs.avail_out;
                for (std::size_t i = 0; i < n; ++i, ++got)
                    if (got == row * rowBytes) {
                        if (out[i] > 4) return inflateEnd(&zs), fail("bad filter byte");
                        ++row;
                    }
                streamEnd = status == Z_STREAM_END;
            }
        } else if (type == "IEND") {
            ended = true;
        }
    }
    inflateEnd(&zs);
    if (!streamEnd) return fail("compressed data not finished");
    if (got != expected) return fail("image data of " + std::to_string(got) + " bytes, not " + std::to_string(expected));
    r.ok = true;
    return r;
}
