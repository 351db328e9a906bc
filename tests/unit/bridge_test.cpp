#include "script_bridge/bridge.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>

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

MediaItem* Handle(MediaItem* item) noexcept {
    ++seen.calls;
    return item;
}

void* slot_bits(std::uint64_t bits) {
    return reinterpret_cast<void*>(static_cast<std::uintptr_t>(bits));
}

class Bridge : public ::testing::Test {
protected:
    void SetUp() override {
        seen = {};
        answer = true;
    }
    void* call(void** args, int n) { return qm_bridge::call<&Mixed>(args, n); }

    MediaItem* item = reinterpret_cast<MediaItem*>(0x1234);
    double value = -6.0;
    double out = 0.0;
};

TEST_F(Bridge, IntSlotsPassTheirLow32BitsAsSigned) {
    struct Case {
        std::uint64_t bits;
        int expected;
    };
    for (const Case& c : {Case{5, 5}, Case{0xDEADBEEF00000005ull, 5}, Case{0xFFFFFFFFull, -1},
                          Case{0xFFFFFFFFFFFFFFFFull, -1}, Case{0x80000000ull, -2147483647 - 1},
                          Case{0x123456789ull, 0x23456789}}) {
        void* args[] = {item, slot_bits(c.bits), nullptr, &value, &out};
        call(args, 5);
        EXPECT_EQ(seen.i, c.expected) << std::hex << c.bits;
    }
}

TEST_F(Bridge, BoolSlotsAreTrueWhenAnyBitIsSet) {
    struct Case {
        std::uint64_t bits;
        bool expected;
    };
    for (const Case& c : {Case{0, false}, Case{1, true}, Case{2, true}, Case{0x100000000ull, true},
                          Case{0xFFFFFFFFFFFFFFFFull, true}}) {
        void* args[] = {item, nullptr, slot_bits(c.bits), &value, &out};
        call(args, 5);
        EXPECT_EQ(seen.b, c.expected) << std::hex << c.bits;
    }
}

TEST_F(Bridge, DoublesAreReadThroughTheirAddressAndPointersPassUnchanged) {
    void* args[] = {item, slot_bits(3), slot_bits(1), &value, &out};
    call(args, 5);
    EXPECT_EQ(seen.calls, 1);
    EXPECT_EQ(seen.d, -6.0);
    EXPECT_EQ(seen.item, item);
    EXPECT_EQ(seen.out, &out);
}

TEST_F(Bridge, ResultsAreExactlyZeroOrOne) {
    void* args[] = {item, nullptr, nullptr, &value, &out};
    answer = true;
    EXPECT_EQ(call(args, 5), slot_bits(1));
    answer = false;
    EXPECT_EQ(call(args, 5), nullptr);
}

TEST_F(Bridge, HandleResultsPassUnchanged) {
    void* args[] = {item};
    EXPECT_EQ(qm_bridge::call<&Handle>(args, 1), item);
    void* none[] = {nullptr};
    EXPECT_EQ(qm_bridge::call<&Handle>(none, 1), nullptr);
}

TEST_F(Bridge, ExtraParameterCountReadsTheSameSlots) {
    void* args[] = {item, slot_bits(7), slot_bits(1), &value, &out, slot_bits(99)};
    call(args, 6);
    EXPECT_EQ(seen.calls, 1);
    EXPECT_EQ(seen.i, 7);
    call(args, std::numeric_limits<int>::max());
    EXPECT_EQ(seen.calls, 2);
}

TEST_F(Bridge, ArgumentArraysThatCannotBeReadAreRefusedWithoutACall) {
    void* args[] = {item, slot_bits(7), slot_bits(1), &value, &out};
    void* no_double[] = {item, slot_bits(7), slot_bits(1), nullptr, &out};
    EXPECT_EQ(call(args, 4), nullptr);
    EXPECT_EQ(call(args, 0), nullptr);
    EXPECT_EQ(call(args, -1), nullptr);
    EXPECT_EQ(call(nullptr, 5), nullptr);
    EXPECT_EQ(call(no_double, 5), nullptr);
    EXPECT_EQ(seen.calls, 0);
}

// ---- definition checks ----

bool Buffer(MediaItem*, char*, int, double) noexcept {
    return true;
}
MediaItem* Lookup(ReaProject*, int, int) noexcept {
    return nullptr;
}

struct TextCase {
    std::string_view ret, types, names, help;
    bool matches;
};

TEST(DefinitionCheck, AcceptsOnlyTextsThatDescribeTheFunction) {
    constexpr TextCase cases[] = {
        {"bool", "MediaItem*,char*,int,double", "item,nameOut,nameOut_sz,v", "[QM:API]x", true},
        {"bool", "Mediaitem*,char*,int,double", "item,nameOut,nameOut_sz,v", "[QM:API]x", true},
        {"bool", "MediaItem*,char*,int,double", "item, nameOut, nameOut_sz, v", "[QM:API]", true},
        {"int", "MediaItem*,char*,int,double", "item,nameOut,nameOut_sz,v", "[QM:API]x", false},
        {"bool", "MediaTrack*,char*,int,double", "item,nameOut,nameOut_sz,v", "[QM:API]x", false},
        {"bool", "MediaItem*,char*,int", "item,nameOut,nameOut_sz", "[QM:API]x", false},
        {"bool", "MediaItem*,char*,int,double,int", "item,nameOut,nameOut_sz,v,w", "[QM:API]x",
         false},
        {"bool", "MediaItem*,char*,int,double", "item,nameOut,nameOut_sz", "[QM:API]x", false},
        {"bool", "MediaItem*,char*,int,double", "item,,nameOut_sz,v", "[QM:API]x", false},
        {"bool", "MediaItem*,char*,int,double", "item,name,name_sz,v", "[QM:API]x", false},
        {"bool", "MediaItem*,char*,int,double", "item,nameOut,sz,v", "[QM:API]x", false},
        {"bool", "MediaItem*,char*,int,double", "item,nameOut,nameOut_sz,v", "QM:API x", false},
    };
    for (const TextCase& c : cases) {
        EXPECT_EQ(qm_bridge::definition_matches<&Buffer>(c.ret, c.types, c.names, c.help),
                  c.matches)
            << c.ret << " | " << c.types << " | " << c.names << " | " << c.help;
    }
    EXPECT_TRUE(qm_bridge::definition_matches<&Lookup>("MediaItem*", "ReaProject*,int,int",
                                                       "projID,itemID,mediaTypeID", "[QM:API]"));
    EXPECT_FALSE(qm_bridge::definition_matches<&Lookup>("Mediaitem*", "ReaProject*,int,int",
                                                        "projID,itemID,mediaTypeID", "[QM:API]"))
        << "the lower-case spelling is a parameter spelling only";
}

}  // namespace
