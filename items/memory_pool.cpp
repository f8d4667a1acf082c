#include "items/memory_pool.h"

#include <cstdio>
#include <new>

#include "gfx/cp936.h"

namespace yhb {
namespace {

MemoryPool::FailureHook& hook() {
    static MemoryPool::FailureHook h = [](const std::string& text) {
        std::fprintf(stderr, "%s\n", cp936::toUtf8(text).c_str());
    };
    return h;
}

} // namespace

MemoryPool::MemoryPool(std::string failureFormat, std::pmr::memory_resource* upstream)
    : failureFormat_(std::move(failureFormat)), upstream_(upstream) {}

void MemoryPool::setFailureHook(FailureHook h) { hook() = std::move(h); }

void* MemoryPool::do_allocate(std::size_t bytes, std::size_t alignment) {
    for (;;) {
        try {
            void* p = upstream_->allocate(bytes, alignment);
            ++liveBlocks_;
            return p;
        } catch (const std::bad_alloc&) {
            std::string text(failureFormat_.size() + 16, '\0');
            int n = std::snprintf(text.data(), text.size(), failureFormat_.c_str(), liveBlocks_);
            text.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
            hook()(text);
        }
    }
}

void MemoryPool::do_deallocate(void* p, std::size_t bytes, std::size_t alignment) {
    if (!p) return;
    upstream_->deallocate(p, bytes, alignment);
    --liveBlocks_;
}

MemoryPool& itemPool() {
    static MemoryPool pool("charact内存出错%d"_gb);
    return pool;
}

MemoryPool& categoryPool() {
    static MemoryPool pool("over %d Directory");
    return pool;
}

} // namespace yhb
