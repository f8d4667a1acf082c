// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/bank_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace yhb {

bool readRegularFile(const std::string& path, std::size_t maxBytes, std::string& bytes) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return false;
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && static_cast<std::size_t>(st.st_size) <= maxBytes;
    if (ok) {
        bytes.assign(static_cast<std::size_t>(st.st_size), '\0');
        std::size_t got = 0;
        while (got < bytes.size()) {
            const ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
            if (n < 0) {
                ok = false;
                break;
            }
            if (n == 0) break; // shrank since fstat: keep what is there
            got += static_cast<std::size_t>(n);
        }
        bytes.resize(got);
    }
    ::close(fd);
    if (!ok) bytes.clear();
    return ok;
}

} // namespace yhb
