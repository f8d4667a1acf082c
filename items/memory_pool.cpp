// SPDX-License-Identifier: GPL-3.0-or-later
#include "items/memory_pool.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <new>
#include <vector>


namespace yhb {

// The private heap: small blocks in size classes of 16 bytes, cut from chunks that double
// from 64 KiB to 1 MiB; a returned block goes on its class's free list, so that allocating
// and returning cost the same however many blocks are out. Larger or more aligned blocks go
// straight to the upstream resource. Destroying the heap returns every chunk.
class BlockHeap {
public:
    explicit BlockHeap(std::pmr::memory_resource* upstream) : upstream_(upstream) {}
    ~BlockHeap() {
        for (const Chunk& c : chunks_) upstream_->deallocate(c.memory, c.bytes, kGrain);
    }
    BlockHeap(const BlockHeap&) = delete;
    BlockHeap& operator=(const BlockHeap&) = delete;

    void* allocate(std::size_t bytes, std::size_t alignment) {
        if (!small(bytes, alignment)) return upstream_->allocate(bytes, alignment);
        const std::size_t size = classSize(bytes);
        FreeBlock*& head = free_[size / kGrain];
        if (head) {
            FreeBlock* b = head;
            head = b->next;
            return b;
        }
        if (static_cast<std::size_t>(end_ - cursor_) < size) newChunk();
        void* p = cursor_;
        cursor_ += size;
        return p;
    }

    void deallocate(void* p, std::size_t bytes, std::size_t alignment) {
        if (!small(bytes, alignment)) return upstream_->deallocate(p, bytes, alignment);
        FreeBlock*& head = free_[classSize(bytes) / kGrain];
        head = new (p) FreeBlock{head};
    }

private:
    static constexpr std::size_t kGrain = 16, kLargest = 512;
    static constexpr std::size_t kFirstChunk = 64 << 10, kLastChunk = 1 << 20;
    struct FreeBlock {
        FreeBlock* next;
    };
    struct Chunk {
        void* memory;
        std::size_t bytes;
    };

    static bool small(std::size_t bytes, std::size_t alignment) { return bytes <= kLargest && alignment <= kGrain; }
    static std::size_t classSize(std::size_t bytes) { return bytes == 0 ? kGrain : (bytes + kGrain - 1) / kGrain * kGrain; }

    // Throws what the upstream resource throws, with the heap unchanged.
    void newChunk() {
        chunks_.reserve(chunks_.size() + 1);
        const std::size_t bytes = chunks_.empty() ? kFirstChunk : std::min(chunks_.back().bytes * 2, kLastChunk);
        void* memory = upstream_->allocate(bytes, kGrain);
        chunks_.push_back({memory, bytes});
        cursor_ = static_cast<char*>(memory);
        end_ = cursor_ + bytes;
    }

    std::pmr::memory_resource* upstream_;
    std::array<FreeBlock*, kLargest / kGrain + 1> free_{};
    std::vector<Chunk> chunks_;
    char* cursor_ = nullptr; // the unused rest of the newest chunk
    char* end_ = nullptr;
};

namespace {

MemoryPool::FailureHook& hook() {
    static MemoryPool::FailureHook h = [](const std::string& text) {
        std::fprintf(stderr, "%s\n", text.c_str());
    };
    return h;
}

} // namespace

MemoryPool::MemoryPool(std::string failureFormat, WhenEmpty whenEmpty, std::pmr::memory_resource* upstream)
    : failureFormat_(std::move(failureFormat)), whenEmpty_(whenEmpty), upstream_(upstream) {}

MemoryPool::~MemoryPool() = default;

void MemoryPool::setFailureHook(FailureHook h) { hook() = std::move(h); }

void* MemoryPool::do_allocate(std::size_t bytes, std::size_t alignment) {
    for (;;) {
        try {
            if (!heap_) heap_ = std::make_unique<BlockHeap>(upstream_);
            void* p = heap_->allocate(bytes, alignment);
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
    if (!p || !heap_) return;
    heap_->deallocate(p, bytes, alignment);
    if (--liveBlocks_ == 0 && whenEmpty_ == WhenEmpty::Release) heap_.reset();
}

// Never destroyed: items of static lists are released after every other static has gone.
MemoryPool& itemPool() {
    static MemoryPool& pool = *new MemoryPool("charact内存出错%d", MemoryPool::WhenEmpty::Release);
    return pool;
}

MemoryPool& categoryPool() {
    static MemoryPool& pool = *new MemoryPool("over %d Directory");
    return pool;
}

} // namespace yhb
