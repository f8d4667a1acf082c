// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <sys/mount.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "test_util.h"

// A small tmpfs mounted on a fresh folder for one test: a disk that fills up after `bytes`,
// or a read-only file system. Mounting needs privileges a test may not have; ok() says
// whether it worked and why() why not.
class ScratchMount {
public:
    explicit ScratchMount(const std::string& options) {
        if (::mount("tmpfs", dir_.path().c_str(), "tmpfs", 0, options.c_str()) == 0)
            mounted_ = true;
        else
            why_ = std::string("cannot mount a tmpfs here (") + std::strerror(errno) + ")";
    }
    ~ScratchMount() {
        if (mounted_) ::umount2(dir_.path().c_str(), MNT_DETACH);
    }
    bool ok() const { return mounted_; }
    const std::string& why() const { return why_; }
    const std::string& path() const { return dir_.path(); }
    std::string operator/(const std::string& rel) const { return dir_ / rel; }
    // Remounted read-only, with what was written so far.
    bool makeReadOnly() {
        return ::mount("tmpfs", dir_.path().c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }

private:
    TempDir dir_;
    bool mounted_ = false;
    std::string why_;
};

// Skips the test, saying why, when the mount could not be made.
#define REQUIRE_MOUNT(m) \
    if (!(m).ok()) GTEST_SKIP() << (m).why()
