// The global operator new and delete of the test binary that links this file, counting the
// bytes that C++ objects hold on the heap, whatever allocator serves them underneath.
#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <new>

#include "modes/circuit_race_harness.h"

namespace {

std::atomic<int64_t> liveBytes{0};
constexpr std::size_t kHeader = alignof(std::max_align_t);  // keeps the block's alignment

void* Allocate(std::size_t size) noexcept {
    void* block = std::malloc(size + kHeader);
    if (block == nullptr) {
        return nullptr;
    }
    *static_cast<std::size_t*>(block) = size;
    liveBytes.fetch_add(static_cast<int64_t>(size), std::memory_order_relaxed);
    return static_cast<char*>(block) + kHeader;
}

void* AllocateOrThrow(std::size_t size) {
    if (void* p = Allocate(size)) {
        return p;
    }
    throw std::bad_alloc();
}

void Release(void* p) noexcept {
    if (p == nullptr) {
        return;
    }
    char* block = static_cast<char*>(p) - kHeader;
    liveBytes.fetch_sub(static_cast<int64_t>(*reinterpret_cast<std::size_t*>(block)),
                        std::memory_order_relaxed);
    std::free(block);
}

}  // namespace

namespace vantrel {

int64_t LiveHeapBytes() {
    return liveBytes.load(std::memory_order_relaxed);
}

}  // namespace vantrel

void* operator new(std::size_t size) {
    return AllocateOrThrow(size);
}
void* operator new[](std::size_t size) {
    return AllocateOrThrow(size);
}
void* operator new(std::size_t size, const std::nothrow_t& /*tag*/) noexcept {
    return Allocate(size);
}
void* operator new[](std::size_t size, const std::nothrow_t& /*tag*/) noexcept {
    return Allocate(size);
}
void operator delete(void* p) noexcept {
    Release(p);
}
void operator delete[](void* p) noexcept {
    Release(p);
}
void operator delete(void* p, std::size_t /*size*/) noexcept {
    Release(p);
}
void operator delete[](void* p, std::size_t /*size*/) noexcept {
    Release(p);
}
void operator delete(void* p, const std::nothrow_t& /*tag*/) noexcept {
    Release(p);
}
void operator delete[](void* p, const std::nothrow_t& /*tag*/) noexcept {
    Release(p);
}
