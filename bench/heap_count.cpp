// Counts the heap the C++ allocations of the benchmark hold while a measurement asks for it, so a
// load's peak memory is measured and not guessed; timed runs leave it off and pay one relaxed
// load per allocation.
#include <malloc.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <new>

#include "floor_ratios.h"

namespace {

std::atomic<bool> counting{false};
// Net bytes taken since counting began: a block freed then may be older, so it can go below zero.
std::atomic<std::int64_t> net{0};
std::atomic<std::int64_t> peak{0};

void* counted(std::size_t size) {
    void* p = std::malloc(size == 0 ? 1 : size);
    if (p == nullptr) throw std::bad_alloc();
    if (!counting.load(std::memory_order_relaxed)) return p;
    const auto size_taken = static_cast<std::int64_t>(malloc_usable_size(p));
    const std::int64_t now = net.fetch_add(size_taken, std::memory_order_relaxed) + size_taken;
    std::int64_t seen = peak.load(std::memory_order_relaxed);
    while (now > seen && !peak.compare_exchange_weak(seen, now, std::memory_order_relaxed)) {
    }
    return p;
}

void uncounted(void* p) noexcept {
    if (p == nullptr) return;
    if (counting.load(std::memory_order_relaxed)) {
        net.fetch_sub(static_cast<std::int64_t>(malloc_usable_size(p)), std::memory_order_relaxed);
    }
    std::free(p);
}

}  // namespace

void* operator new(std::size_t size) {
    return counted(size);
}
void* operator new[](std::size_t size) {
    return counted(size);
}
void operator delete(void* p) noexcept {
    uncounted(p);
}
void operator delete[](void* p) noexcept {
    uncounted(p);
}
void operator delete(void* p, std::size_t) noexcept {
    uncounted(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    uncounted(p);
}

namespace qm_bench {

void start_heap_count() {
    net.store(0, std::memory_order_relaxed);
    peak.store(0, std::memory_order_relaxed);
    counting.store(true, std::memory_order_relaxed);
}
std::size_t stop_heap_count() {
    counting.store(false, std::memory_order_relaxed);
    return static_cast<std::size_t>(peak.load(std::memory_order_relaxed));
}

}  // namespace qm_bench
