// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/bank_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

namespace yhb {

namespace {

// Opens a regular file without blocking on a FIFO or device; -1 for anything else.
int openRegular(const std::string& path, struct stat& st) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return -1;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// Reads up to bytes.size() bytes; a file that shrank since fstat keeps what is there.
bool readInto(int fd, std::string& bytes) {
    std::size_t got = 0;
    while (got < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
        if (n < 0) return false;
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    bytes.resize(got);
    return true;
}

bool readUpTo(const std::string& path, std::size_t maxBytes, bool wholeOnly, std::string& bytes) {
    bytes.clear();
    struct stat st {};
    const int fd = openRegular(path, st);
    if (fd < 0) return false;
    const auto size = static_cast<std::size_t>(st.st_size);
    bool ok = !(wholeOnly && size > maxBytes);
    if (ok) {
        bytes.assign(std::min(size, maxBytes), '\0');
        ok = readInto(fd, bytes);
    }
    ::close(fd);
    if (!ok) bytes.clear();
    return ok;
}

} // namespace

bool readRegularFile(const std::string& path, std::size_t maxBytes, std::string& bytes) {
    return readUpTo(path, maxBytes, true, bytes);
}

bool readFileStart(const std::string& path, std::size_t maxBytes, std::string& bytes) {
    return readUpTo(path, maxBytes, false, bytes);
}

} // namespace yhb
