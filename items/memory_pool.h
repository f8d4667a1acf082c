#pragma once
#include <functional>
#include <memory_resource>
#include <string>

namespace yhb {

// Counts the blocks it hands out. When the upstream resource cannot allocate, the failure
// message (its %d gets the live-block count) goes to the failure hook and the allocation is
// tried again until it succeeds.
class MemoryPool : public std::pmr::memory_resource {
public:
    using FailureHook = std::function<void(const std::string& cp936Text)>;

    explicit MemoryPool(std::string failureFormat,
                        std::pmr::memory_resource* upstream = std::pmr::new_delete_resource());

    int liveBlocks() const { return liveBlocks_; }
    void setUpstream(std::pmr::memory_resource* upstream) { upstream_ = upstream; }

    // One hook for every pool; the shell shows a message box, the default writes to stderr.
    static void setFailureHook(FailureHook hook);

private:
    void* do_allocate(std::size_t bytes, std::size_t alignment) override;
    void do_deallocate(void* p, std::size_t bytes, std::size_t alignment) override;
    bool do_is_equal(const std::pmr::memory_resource& other) const noexcept override { return this == &other; }

    std::string failureFormat_;
    std::pmr::memory_resource* upstream_;
    int liveBlocks_ = 0;
};

MemoryPool& itemPool();     // every DrawItem
MemoryPool& categoryPool(); // BankCategory records

} // namespace yhb
