// SPDX-License-Identifier: GPL-3.0-or-later
#include "allocation_count.h"

#include <cstdlib>
#include <new>

namespace {
// Per thread, so that a count is not disturbed by another thread's work.
thread_local int openCounts = 0;
thread_local std::size_t totalBytes = 0;
thread_local std::size_t totalCalls = 0;
} // namespace

void* operator new(std::size_t n) {
    if (openCounts > 0) {
        totalBytes += n;
        ++totalCalls;
    }
    if (void* p = std::malloc(n ? n : 1)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t n) { return ::operator new(n); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace yhb::test {

AllocationCount::AllocationCount() : bytesAtStart_(totalBytes), callsAtStart_(totalCalls) { ++openCounts; }
AllocationCount::~AllocationCount() { --openCounts; }
std::size_t AllocationCount::bytes() const { return totalBytes - bytesAtStart_; }
std::size_t AllocationCount::calls() const { return totalCalls - callsAtStart_; }

} // namespace yhb::test
