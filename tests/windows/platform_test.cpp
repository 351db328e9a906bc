// The Windows platform services under Wine, run by platform_check.cmake: once per locale, naming
// the locale Wine must report in QM_EXPECTED_LOCALE, and once with a stand-in for the host's
// xdg-open (Wine hands web addresses to it) first on PATH, recording into QM_OPENER_RECORD.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "messages/messages.h"
#include "platform/platform.h"

namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

TEST(WindowsLocale, OnlyJaJPChoosesJapanese) {
    const std::string expected = environment("QM_EXPECTED_LOCALE");
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(qm_platform::locale_word(), expected);
    qm_app::message_util::set_localize();
    EXPECT_EQ(dynamic_cast<const qm_app::message_jp*>(qm_app::message_list.get()) != nullptr,
              expected == "ja-JP");
}

// Without a shell the address arrives as it was written: shell syntax inert, UTF-8 as UTF-16.
TEST(WindowsOpener, HandsTheAddressOverWhole) {
    const std::string record = environment("QM_OPENER_RECORD");
    ASSERT_FALSE(record.empty());
    const char* const addresses[] = {
        "https://www.sws-extension.org/",
        "https://example.org/?q=$(id);r='x'&s=!*,~:@",
        "https://example.org/\xC3\xA9\xE6\x97\xA5?q=\xC3\xA9",
    };
    EXPECT_FALSE(qm_platform::open_url("https://example.org/\xFF")) << "not UTF-8";
    std::string expected;
    for (const char* address : addresses) {
        EXPECT_TRUE(qm_platform::open_url(address)) << address;
        expected += std::string("[") + address + "]\n";
    }
    // The opener starts in the background, one address at a time in any order.
    std::string text;
    for (int tries = 0; tries < 300 && text.size() < expected.size(); ++tries) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        std::stringstream content;
        content << std::ifstream(record).rdbuf();
        text = content.str();
    }
    for (const char* address : addresses) {
        EXPECT_NE(text.find(std::string("[") + address + "]\n"), std::string::npos) << text;
    }
    EXPECT_EQ(text.size(), expected.size()) << text;
}

}  // namespace
