#include "script_bridge/bridge.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

namespace {

struct Seen {
    int calls = 0;
    int i = 0;
    bool b = false;
    double d = 0.0;
    MediaItem* item = nullptr;
    double* out = nullptr;
};
Seen seen;
bool answer = true;

bool Mixed(MediaItem* item, int i, bool b, double d, double* out) noexcept {
    seen = {seen.calls + 1, i, b, d, item, out};
    return answer;
}

void* slot(std::uint64_t bits) {
    return reinterpret_cast<void*>(static_cast<std::uintptr_t>(bits));
}

void* call(void** args, int n) {
    return qm_bridge::call<&Mixed>(args, n);
}

// An int slot passes its low 32 bits as signed, a bool slot is true when any bit is set, a
// double is read through its address, pointers pass unchanged; a bool result is exactly 0 or 1.
TEST(Bridge, ReadsEachSlotByItsDeclaredType) {
    MediaItem* item = reinterpret_cast<MediaItem*>(0x1234);
    double value = -6.0, out = 0.0;
    struct Case {
        std::uint64_t bits;
        int i;
        bool b;
    };
    const Case cases[] = {{0, 0, false},
                          {5, 5, true},
                          {0xDEADBEEF00000005, 5, true},
                          {0xFFFFFFFF, -1, true},
                          {0x80000000, INT_MIN, true},
                          {0x100000000, 0, true},
                          {0x123456789, 0x23456789, true}};
    for (const Case& c : cases) {
        // A 4-byte slot (32-bit REAPER) holds no bits above the low 32.
        if (static_cast<std::uintptr_t>(c.bits) != c.bits) continue;
        void* args[] = {item, slot(c.bits), slot(c.bits), &value, &out};
        answer = c.b;
        EXPECT_EQ(call(args, 5), slot(c.b ? 1 : 0)) << std::hex << c.bits;
        EXPECT_EQ(seen.i, c.i) << std::hex << c.bits;
        EXPECT_EQ(seen.b, c.b) << std::hex << c.bits;
        EXPECT_EQ(seen.d, -6.0);
        EXPECT_EQ(seen.item, item);
        EXPECT_EQ(seen.out, &out);
    }
}

// numparms is not read beyond its minimum, but an array too short to read, or a double slot
// without an address, is refused without calling the function.
TEST(Bridge, RefusesArgumentArraysItCannotRead) {
    double value = 1.0, out = 0.0;
    void* args[] = {nullptr, slot(7), slot(1), &value, &out, slot(99)};
    void* no_double[] = {nullptr, slot(7), slot(1), nullptr, &out};
    seen = {};
    answer = true;
    EXPECT_EQ(call(args, 6), slot(1));
    EXPECT_EQ(call(args, INT_MAX), slot(1));
    EXPECT_EQ(seen.calls, 2);
    for (int n : {4, 0, -1}) EXPECT_EQ(call(args, n), nullptr) << n;
    EXPECT_EQ(call(nullptr, 5), nullptr);
    EXPECT_EQ(call(no_double, 5), nullptr);
    EXPECT_EQ(seen.calls, 2);
}

}  // namespace
