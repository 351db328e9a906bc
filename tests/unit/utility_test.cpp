#include "utility/utility.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

namespace {

// A buffer pre-filled with '#', so bytes the copy must not touch are visible.
struct Buffer {
    char bytes[32];
    Buffer() { std::memset(bytes, '#', sizeof bytes); }
    std::string text() const { return bytes; }
    std::string raw(std::size_t n) const { return std::string(bytes, n); }
};

TEST(Strcpy, CopiesAtMostSizeMinusOneBytesAndATerminator) {
    struct Case {
        int size;
        std::string text;
        std::string expected;
    };
    const Case cases[] = {
        {1, "2.1.1", ""},
        {4, "2.1.1", "2.1"},
        {6, "2.1.1", "2.1.1"},
        {5, "2.1.1", "2.1."},
        {10, "2.1.1", "2.1.1"},
        {10, "", ""},
        {10, std::string("ab\0cd", 5), "ab"},
    };
    for (const Case& c : cases) {
        Buffer b;
        qm_utility::strcpy(b.bytes, c.size, c.text);
        EXPECT_EQ(b.raw(c.expected.size() + 1), c.expected + '\0') << c.size;
        EXPECT_EQ(b.bytes[c.expected.size() + 1], '#') << "wrote past the terminator";
    }
}

TEST(Strcpy, LeavesTheBufferAloneForNoRoomOrNoBuffer) {
    for (int size : {0, -1, -5, std::numeric_limits<int>::min()}) {
        Buffer b;
        qm_utility::strcpy(b.bytes, size, "2.1.1");
        EXPECT_EQ(b.bytes[0], '#') << size;
    }
    qm_utility::strcpy(nullptr, 10, "2.1.1");  // must not crash
}

TEST(Strcpy, NeverSplitsAUtf8Character) {
    struct Case {
        int size;
        std::string text;
        std::string expected;
    };
    const std::string e_acute = "\xC3\xA9";        // 2 bytes
    const std::string a_kana = "\xE3\x81\x82";     // 3 bytes
    const std::string emoji = "\xF0\x9F\x8E\xB5";  // 4 bytes
    const Case cases[] = {
        {3, "a" + e_acute, "a"},            // cut after the lead byte
        {4, "a" + e_acute, "a" + e_acute},  // fits whole
        {2, a_kana, ""},                    // cut after 1 of 3
        {3, a_kana, ""},                    // cut after 2 of 3
        {4, a_kana + "x", a_kana},          // cut exactly after it
        {4, emoji, ""},                     // cut after 3 of 4
        {5, "ab" + a_kana, "ab"},
        {6, a_kana + a_kana, a_kana},
        {7, a_kana + a_kana, a_kana + a_kana},
        {3, "ab\x80\x80\x80\x80", "ab"},  // stray continuation bytes cut where they are
        {4, "ab\x80\x80\x80\x80", "ab\x80"},
    };
    for (const Case& c : cases) {
        Buffer b;
        qm_utility::strcpy(b.bytes, c.size, c.text);
        EXPECT_EQ(b.text(), c.expected) << "size " << c.size;
    }
}

// The expected version comes from the VERSION file through the build, like the library's own.
TEST(Version, CopiesTheVersionBounded) {
    const std::string version = QM_EXPECTED_VERSION;
    ASSERT_GE(version.size(), 4u);
    EXPECT_STREQ(qm_app_def::VERSION, version.c_str());
    struct Case {
        int size;
        const char* expected;  // null: untouched
    };
    const std::string cut = version.substr(0, 3);
    for (const Case& c :
         {Case{32, version.c_str()}, Case{static_cast<int>(version.size()) + 1, version.c_str()},
          Case{4, cut.c_str()}, Case{1, ""}, Case{0, nullptr}, Case{-3, nullptr}}) {
        Buffer b;
        get_version(b.bytes, c.size);
        if (c.expected == nullptr) {
            EXPECT_EQ(b.bytes[0], '#') << c.size;
        } else {
            EXPECT_EQ(b.raw(std::strlen(c.expected) + 1), std::string(c.expected) + '\0') << c.size;
        }
    }
    get_version(nullptr, 10);  // must not crash
}

TEST(Round, RoundsHalfAwayFromZeroOnTheStoredValue) {
    struct Case {
        double value;
        int digits;
        double expected;
    };
    const Case cases[] = {
        {0.125, 2, 0.13},
        {-0.125, 2, -0.13},
        {1.0 / 3, 2, 0.33},
        {12.3456, 3, 12.346},
        {0.49999999999999994, 0, 0.0},
        {2.5, 0, 3.0},
        {-2.5, 0, -3.0},
        {1.005, 2, 1.0},  // stored just below the half-way point
        {-6.020599913279624, 2, -6.02},
        {0.0, 2, 0.0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(qm_utility::round(c.value, c.digits), c.expected)
            << c.value << " to " << c.digits;
    }
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(qm_utility::round(inf, 2), inf);
    EXPECT_EQ(qm_utility::round(-inf, 2), -inf);
    EXPECT_TRUE(std::isnan(qm_utility::round(std::nan(""), 2)));
}

TEST(Decibels, ConvertWithTheExactFormulas) {
    EXPECT_EQ(qm_utility::to_dB(0.5), -6.020599913279624);
    EXPECT_EQ(qm_utility::to_dB(1.0), 0.0);
    EXPECT_EQ(qm_utility::to_dB(0.0), -std::numeric_limits<double>::infinity());
    EXPECT_TRUE(std::isnan(qm_utility::to_dB(-1.0)));
    EXPECT_EQ(qm_utility::round(qm_utility::to_dB(0.5), 2), -6.02);

    EXPECT_EQ(qm_utility::to_reaper_volume(0.0), 1.0);
    EXPECT_EQ(qm_utility::to_reaper_volume(-6.0), 0.5011872355810072);
    EXPECT_EQ(qm_utility::to_reaper_volume(6.0), 1.9952623071909206);
    // The nine-decimal factor, not ln(10)/20: the two differ measurably at 6 dB.
    EXPECT_NE(qm_utility::to_reaper_volume(6.0), std::pow(10.0, 6.0 / 20.0));
}

TEST(Format, FormatsLikePrintf) {
    EXPECT_EQ(qm_utility::format("open %s", "https://example.org/a b"),
              "open https://example.org/a b");
    EXPECT_EQ(qm_utility::format("%s|%s|%s", "a", "", "c"), "a||c");
    EXPECT_EQ(qm_utility::format("%d%%", 50), "50%");
    EXPECT_EQ(qm_utility::format(""), "");
    EXPECT_EQ(qm_utility::format("%s", ""), "");
    const std::string long_text(5000, 'x');
    EXPECT_EQ(qm_utility::format("[%s]", long_text.c_str()), "[" + long_text + "]");
    EXPECT_EQ(qm_utility::format(nullptr), "");
}

TEST(ExecCommand, StartsTheCommandAndDiscardsItsOutput) {
    const std::string marker = ::testing::TempDir() + "qm_exec_marker";
    std::remove(marker.c_str());
    EXPECT_EQ(qm_utility::exec_command("echo noise; touch '" + marker + "'"), 0);
    EXPECT_EQ(std::remove(marker.c_str()), 0) << "the command did not run to its end";
    EXPECT_EQ(qm_utility::exec_command("exit 3"), 0) << "the exit status is not a failure to start";
}

TEST(OtherHelpers, CompareMatchAndSplit) {
    EXPECT_TRUE(qm_utility::Stricmp("WAVE", "wave"));
    EXPECT_FALSE(qm_utility::Stricmp("WAVE", "WAV"));
    EXPECT_FALSE(qm_utility::Stricmp(nullptr, "WAV"));

    EXPECT_TRUE(qm_utility::match_intail("take.WAV", "\\.wav"));
    EXPECT_FALSE(qm_utility::match_intail(".wav", "\\.wav")) << "needs something before the tail";
    EXPECT_FALSE(qm_utility::match_intail("take.wav.bak", "\\.wav"));
    EXPECT_FALSE(qm_utility::match_intail("take.wav", "(")) << "a broken pattern matches nothing";

    using Parts = std::pair<std::string, std::string>;
    EXPECT_EQ(qm_utility::split_extension("a/b.c/take.01.wav"), Parts("a/b.c/take.01", "wav"));
    EXPECT_EQ(qm_utility::split_extension("noext"), Parts("noext", ""));
    EXPECT_EQ(qm_utility::split_extension("trailing."), Parts("trailing", ""));
    EXPECT_EQ(qm_utility::split_extension("line\nbreak.wav"), Parts("line\nbreak.wav", ""));

    EXPECT_EQ(qm_utility::multi_to_utf8("\xE3\x81\x82"), "\xE3\x81\x82");
    EXPECT_EQ(qm_utility::utf8_to_multi("abc"), "abc");
}

}  // namespace
