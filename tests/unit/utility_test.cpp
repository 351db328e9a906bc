#include "utility/utility.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>

namespace {

// At most size - 1 bytes and a terminator, nothing past the size, nothing at all without room; a
// cut never splits a UTF-8 character (stray continuation bytes are cut where they are).
TEST(Strcpy, CopiesBoundedAndTerminatedWithoutSplittingACharacter) {
    const std::string e = "\xC3\xA9", kana = "\xE3\x81\x82", note = "\xF0\x9F\x8E\xB5";
    struct Case {
        int size;
        std::string text;
        const char* expected;  // null: the buffer is left alone
    };
    const Case cases[] = {
        {1, "2.1.1", ""},
        {4, "2.1.1", "2.1"},
        {6, "2.1.1", "2.1.1"},
        {10, std::string("ab\0cd", 5), "ab"},
        {0, "2.1.1", nullptr},
        {-1, "2.1.1", nullptr},
        {std::numeric_limits<int>::min(), "x", nullptr},
        {3, "a" + e, "a"},
        {4, "a" + e, "a\xC3\xA9"},
        {3, kana, ""},
        {4, kana + "x", "\xE3\x81\x82"},
        {4, note, ""},
        {7, kana + kana, "\xE3\x81\x82\xE3\x81\x82"},
        {4, "ab\x80\x80\x80", "ab\x80"},
    };
    for (const Case& c : cases) {
        char buffer[16];
        std::memset(buffer, '#', sizeof buffer);
        qm_utility::strcpy(buffer, c.size, c.text);
        if (c.expected == nullptr) {
            EXPECT_EQ(buffer[0], '#') << c.size;
            continue;
        }
        EXPECT_EQ(std::string(buffer), c.expected) << c.size;
        EXPECT_EQ(buffer[c.size], '#') << "wrote past " << c.size;
    }
    qm_utility::strcpy(nullptr, 10, "2.1.1");
}

// Every length the short-run copy sorts into its own size class, and past them: each byte in
// its place and not one written beyond the terminator.
TEST(Strcpy, CopiesEveryRunLengthWhole) {
    std::string text;
    for (int i = 0; i < 160; ++i) text += static_cast<char>('!' + i % 90);
    for (std::size_t n = 0; n <= text.size(); ++n) {
        char buffer[200];
        std::memset(buffer, '#', sizeof buffer);
        qm_utility::strcpy(buffer, sizeof buffer, std::string_view(text).substr(0, n));
        EXPECT_EQ(std::string(buffer), text.substr(0, n)) << n;
        EXPECT_EQ(buffer[n + 1], '#') << n;
    }
}

// The volume and fade families check the two-place rounding and the decibel formulas through
// their own numbers; here the other places and the edges.
TEST(Numbers, RoundHalvesAwayFromZeroAtAnyPlace) {
    const double cases[][3] = {
        {12.3456, 3, 12.346},      {2.5, 0, 3.0},  {-2.5, 0, -3.0},   {0.49999999999999994, 0, 0.0},
        {-INFINITY, 2, -INFINITY}, {7.0, 12, 7.0}, {-7.25, 10, -7.25}};
    for (const auto& c : cases) EXPECT_EQ(qm_utility::round(c[0], static_cast<int>(c[1])), c[2]);
    EXPECT_TRUE(std::isnan(qm_utility::round(NAN, 2)));
    EXPECT_TRUE(std::isnan(qm_utility::to_dB(-1.0)));
}

}  // namespace
