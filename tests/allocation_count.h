// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstddef>

namespace yhb::test {

// The bytes this thread asks of operator new while a count is open: a measure of work that
// other programs on the machine cannot change, unlike a clock. Counts nest; a binary that
// uses this links allocation_count.cpp, which replaces operator new.
class AllocationCount {
public:
    AllocationCount();
    ~AllocationCount();
    AllocationCount(const AllocationCount&) = delete;
    AllocationCount& operator=(const AllocationCount&) = delete;

    std::size_t bytes() const;
    std::size_t calls() const;

private:
    std::size_t bytesAtStart_, callsAtStart_;
};

} // namespace yhb::test
