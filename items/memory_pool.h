// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>
#include <memory>
#include <memory_resource>
#include <string>

namespace yhb {

class BlockHeap;

// Counts the blocks it hands out. Blocks come from a private heap that takes its chunks from
// the upstream resource; the heap is made on first use and, for a pool that releases when
// empty, dropped whole when the last block comes back. When the upstream resource cannot
// allocate, the failure message (its %d gets the live-block count) goes to the failure hook
// and the allocation is tried again until it succeeds.
class MemoryPool : public std::pmr::memory_resource {
public:
    using FailureHook = std::function<void(const std::string& utf8)>;
    enum class WhenEmpty { Keep, Release };

    explicit MemoryPool(std::string failureFormat, WhenEmpty whenEmpty = WhenEmpty::Keep,
                        std::pmr::memory_resource* upstream = std::pmr::new_delete_resource());
    ~MemoryPool() override;

    int liveBlocks() const { return liveBlocks_; }
    bool hasHeap() const { return heap_ != nullptr; }

    // One hook for every pool; the shell shows a message box, the default writes to stderr.
    static void setFailureHook(FailureHook hook);

private:
    void* do_allocate(std::size_t bytes, std::size_t alignment) override;
    void do_deallocate(void* p, std::size_t bytes, std::size_t alignment) override;
    bool do_is_equal(const std::pmr::memory_resource& other) const noexcept override { return this == &other; }

    std::string failureFormat_;
    WhenEmpty whenEmpty_;
    std::pmr::memory_resource* upstream_;
    std::unique_ptr<BlockHeap> heap_;
    int liveBlocks_ = 0;
};

MemoryPool& itemPool();     // every DrawItem
MemoryPool& categoryPool(); // BankCategory records

} // namespace yhb
