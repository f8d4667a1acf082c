#include <gtest/gtest.h>

#include <new>

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
    MemoryPool pool("charact内存出错%d"_gb, &upstream);
    std::vector<std::string> shown;
    MemoryPool::setFailureHook([&](const std::string& text) { shown.push_back(cp936::toUtf8(text)); });

    void* first = pool.allocate(16);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(upstream.attempts, 3);
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
