// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdint>
#include <new>
#include <tuple>
#include <vector>

#include "gfx/cp936.h"
#include "items/memory_pool.h"

using namespace yhb;

namespace {

// Refuses the first `failures` allocations.
class FailingResource : public std::pmr::memory_resource {
public:
    explicit FailingResource(int failures) : failures_(failures) {}
    int attempts = 0;

private:
    void* do_allocate(std::size_t bytes, std::size_t align) override {
        ++attempts;
        if (failures_-- > 0) throw std::bad_alloc();
        return std::pmr::new_delete_resource()->allocate(bytes, align);
    }
    void do_deallocate(void* p, std::size_t bytes, std::size_t align) override {
        std::pmr::new_delete_resource()->deallocate(p, bytes, align);
    }
    bool do_is_equal(const memory_resource& o) const noexcept override { return this == &o; }
    int failures_;
};

} // namespace

TEST(MemoryPool, ShowsItsMessageAndRetriesUntilTheAllocationSucceeds) {
    FailingResource upstream(2);
    MemoryPool pool("charact内存出错%d", MemoryPool::WhenEmpty::Keep, &upstream);
    std::vector<std::string> shown;
    MemoryPool::setFailureHook([&](const std::string& text) { shown.push_back(text); });

    void* first = pool.allocate(16);
    ASSERT_NE(first, nullptr);
    EXPECT_GE(upstream.attempts, 3); // two refused, then the heap got its memory
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0], "charact内存出错0");
    EXPECT_EQ(pool.liveBlocks(), 1);

    void* second = pool.allocate(16);
    EXPECT_EQ(pool.liveBlocks(), 2);
    pool.deallocate(first, 16);
    pool.deallocate(second, 16);
    EXPECT_EQ(pool.liveBlocks(), 0);
    MemoryPool::setFailureHook([](const std::string&) {});
}

TEST(MemoryPool, TheItemHeapGoesWithItsLastBlockAndComesBackWithTheNext) {
    MemoryPool items("x%d", MemoryPool::WhenEmpty::Release), records("y%d", MemoryPool::WhenEmpty::Keep);
    EXPECT_FALSE(items.hasHeap()); // made on first use
    for (MemoryPool* pool : {&items, &records}) {
        void* a = pool->allocate(80, 16);
        void* b = pool->allocate(80, 16);
        EXPECT_NE(a, b);
        pool->deallocate(a, 80, 16);
        EXPECT_TRUE(pool->hasHeap()); // one block still out
        pool->deallocate(b, 80, 16);
        EXPECT_EQ(pool->liveBlocks(), 0);
    }
    EXPECT_FALSE(items.hasHeap());
    EXPECT_TRUE(records.hasHeap());
    void* again = items.allocate(80, 16);
    EXPECT_TRUE(items.hasHeap());
    items.deallocate(again, 80, 16);
}

TEST(MemoryPool, BlocksOfEverySizeAreAlignedAsAsked) {
    MemoryPool pool("x%d");
    std::vector<std::tuple<void*, std::size_t, std::size_t>> blocks;
    for (std::size_t align : {8u, 16u, 32u})
        for (std::size_t bytes = 1; bytes <= 600; bytes += 1)
            for (int k = 0; k < 3; ++k) {
                void* p = pool.allocate(bytes, align);
                EXPECT_EQ(reinterpret_cast<std::uintptr_t>(p) % align, 0u) << bytes << " at " << align;
                blocks.emplace_back(p, bytes, align);
            }
    EXPECT_EQ(pool.liveBlocks(), static_cast<int>(blocks.size()));
    for (auto& [p, bytes, align] : blocks) pool.deallocate(p, bytes, align);
    EXPECT_EQ(pool.liveBlocks(), 0);
}
