#include <gtest/gtest.h>

#include <random>
#include <regex>
#include <string>

#include "api/name_strip.h"
#include "family.h"
#include "utility/utility.h"

namespace {

using qm_test::Form;
using qm_test::kForms;
using qm_test::kNaN;
using qm_test::truth;

class NameMute : public qm_test::FamilyTest {};

TEST_F(NameMute, MuteReadsTheSwitchAndWritesItWithOneRedraw) {
    for (Form form : kForms) {
        SCOPED_TRACE(qm_test::form_name(form, "", "Mute"));
        for (auto [stored, muted] :
             {std::pair{0.0, false}, {1.0, true}, {0.5, true}, {kNaN, true}}) {
            target->params["B_MUTE"] = stored;
            bool out = !muted;
            EXPECT_TRUE(truth(call(form, "Get", "Mute", {&out})));
            EXPECT_EQ(out, muted) << stored;
        }
        for (bool on : {true, false}) {
            const int redraws = host.redraw_count();
            EXPECT_TRUE(truth(call(form, "Set", "Mute", {qm_test::int_slot(on ? 7 : 0)})));
            EXPECT_EQ(target->params["B_MUTE"], on ? 1.0 : 0.0);
            EXPECT_EQ(host.redraw_count(), redraws + 1);
        }
    }
    // A refused write is reported, after the redraw all the same.
    host.fail_parameter_writes("B_MUTE");
    for (Form form : kForms) {
        const int redraws = host.redraw_count();
        EXPECT_FALSE(truth(call(form, "Set", "Mute", {qm_test::int_slot(1)})));
        EXPECT_EQ(host.redraw_count(), redraws + 1);
    }
}

TEST_F(NameMute, NameReadsTheActiveTakeStrippedAndCutToTheBuffer) {
    struct Case {
        std::string stored;
        int size;
        std::string expected;
    };
    const Case cases[] = {
        {"Guitar.take2.wav", 64, "Guitar"},
        {"my.song.take1.wav", 64, "my"},
        {".hidden", 64, ""},
        {"mix.", 64, "mix."},
        {"a.b\nc.d", 64, "a\nc"},
        {"a.\r.b\n..", 64, "a.\r\n"},
        {"Vocals.wav", 4, "Voc"},
        {"Vocals.wav", 1, ""},
        {"\xE6\x97\xA5\xE6\x9C\xAC.wav", 6, "\xE6\x97\xA5"},  // never half a character
        {"\xE6\x97\xA5\xE6\x9C\xAC.wav", 7, "\xE6\x97\xA5\xE6\x9C\xAC"},
    };
    for (Form form : kForms) {
        for (const Case& c : cases) {
            SCOPED_TRACE(qm_test::form_name(form, "Get", "Name") + " " + c.stored);
            target_take()->name = c.stored;
            char buffer[64];
            std::fill(std::begin(buffer), std::end(buffer), '#');
            EXPECT_TRUE(truth(call(form, "Get", "Name", {buffer, qm_test::int_slot(c.size)})));
            EXPECT_EQ(std::string(buffer), c.expected);
        }
        // No room at all: nothing written, still true.
        char untouched[] = "keep";
        EXPECT_TRUE(truth(call(form, "Get", "Name", {untouched, qm_test::int_slot(0)})));
        EXPECT_STREQ(untouched, "keep");
    }
    // No active take, no name: false, buffer untouched.
    target->active_take = 5;
    for (Form form : kForms) {
        char buffer[] = "keep";
        EXPECT_FALSE(truth(call(form, "Get", "Name", {buffer, qm_test::int_slot(5)})));
        EXPECT_STREQ(buffer, "keep");
    }
}

TEST_F(NameMute, NameSetterStoresTheNameUnstrippedCutAt1023BytesWithoutRedraw) {
    const std::string utf8_boundary = std::string(1021, 'x') + "\xC3\xA9";  // é at 1021..1022
    struct Case {
        std::string given, stored;
    };
    const Case cases[] = {
        {"Lead.take", "Lead.take"},
        {std::string(2000, 'n'), std::string(1023, 'n')},
        {utf8_boundary, utf8_boundary},
        {utf8_boundary + "z", utf8_boundary},
        {std::string(1022, 'x') + "\xC3\xA9", std::string(1022, 'x')},
    };
    for (Form form : kForms) {
        for (const Case& c : cases) {
            SCOPED_TRACE(qm_test::form_name(form, "Set", "Name"));
            EXPECT_TRUE(truth(call(form, "Set", "Name", {const_cast<char*>(c.given.c_str())})));
            EXPECT_EQ(target_take()->name, c.stored);
        }
    }
    EXPECT_EQ(host.redraw_count(), 0);
}

// The one-pass strip gives exactly what the regular expression gives, cut to the buffer as every
// copy is, on names made of the characters that matter to it: short and dense, or long enough for
// the block scan with marks anywhere in and around its blocks.
TEST(NameStrip, MatchesTheRegularExpressionOnGeneratedNames) {
    const std::regex pattern("\\..+");
    const char alphabet[] = {'.', '.', 'a', 'b', '\n', '\r', ' ', '\xC3', '\xA9'};
    const int sizes[] = {1, 9, 40, 256};
    std::mt19937 random(2024);
    for (int n = 0; n < 20000; ++n) {
        const bool dense = n % 2 == 0;
        std::string name(random() % (dense ? 12 : 150), ' ');
        for (char& c : name) {
            const std::size_t pick = random() % (sizeof alphabet * (dense ? 1 : 8));
            c = pick < sizeof alphabet ? alphabet[pick] : 'x';
        }
        const int size = sizes[random() % 4];
        char expected[256];
        qm_utility::strcpy(expected, size, std::regex_replace(name, pattern, ""));
        char buffer[256];
        qm_api::copy_stripped_name(name.c_str(), buffer, size);
        ASSERT_EQ(std::string(buffer), std::string(expected))
            << "name: " << testing::PrintToString(name) << ", size " << size;
    }
}

TEST(NameStrip, HandlesNamesTheRegularExpressionCannot) {
    // std::regex_replace overflows the stack on this; the strip reads it in one pass.
    const std::string huge = "take" + std::string(100000, 'x') + ".wav";
    std::vector<char> buffer(huge.size() + 1);
    qm_api::copy_stripped_name(huge.c_str(), buffer.data(), static_cast<int>(buffer.size()));
    EXPECT_EQ(std::string(buffer.data()), huge.substr(0, huge.size() - 4));
}

}  // namespace
