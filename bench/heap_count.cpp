// Counts the heap the C++ allocations of the benchmark hold, so a load's peak memory is measured
// and not guessed. The cost is two relaxed atomic operations per allocation.
#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "floor_ratios.h"

namespace {

std::atomic<std::size_t> in_use{0};
std::atomic<std::size_t> peak{0};

void* counted(std::size_t size) {
    void* p = std::malloc(size == 0 ? 1 : size);
    if (p == nullptr) throw std::bad_alloc();
    const std::size_t now =
        in_use.fetch_add(malloc_usable_size(p), std::memory_order_relaxed) + malloc_usable_size(p);
    std::size_t seen = peak.load(std::memory_order_relaxed);
    while (now > seen && !peak.compare_exchange_weak(seen, now, std::memory_order_relaxed)) {
    }
    return p;
}

void uncounted(void* p) noexcept {
    if (p == nullptr) return;
    in_use.fetch_sub(malloc_usable_size(p), std::memory_order_relaxed);
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

std::size_t heap_in_use() {
    return in_use.load(std::memory_order_relaxed);
}
std::size_t peak_heap() {
    return peak.load(std::memory_order_relaxed);
}
void reset_peak_heap() {
    peak.store(in_use.load(std::memory_order_relaxed), std::memory_order_relaxed);
}

}  // namespace qm_bench
