#include "messages/messages.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace {

using namespace qm_app::message_util;

TEST(Messages, TablesHoldTheirTextsExactly) {
    const qm_app::message_en en;
    const qm_app::message_jp jp;
    EXPECT_STREQ(en.ERROR_TITLE(), "VORMELT_PLIVEN");
    EXPECT_STREQ(jp.ERROR_TITLE(), "VORMELT_PLIVEN");
    EXPECT_STREQ(en.MSG_DEPENDENCY_ERROR(),
                 "To use %s, you need to install %s.\nPlease refer to the URL below for "
                 "details.\n\n%s\n\nWould you like to open the URL?");
    EXPECT_STREQ(jp.MSG_DEPENDENCY_ERROR(),
                 "%s\xE3\x82\x92\xE4\xBD\xBF\xE7\x94\xA8\xE3\x81\x99\xE3\x82\x8B\xE3\x81\x9F"
                 "\xE3\x82\x81\xE3\x81\xAB\xE3\x81\xAF%s\xE3\x81\xAE\xE3\x82\xA4\xE3\x83\xB3"
                 "\xE3\x82\xB9\xE3\x83\x88\xE3\x83\xBC\xE3\x83\xAB\xE3\x81\x8C\xE5\xBF\x85"
                 "\xE8\xA6\x81\xE3\x81\xA7\xE3\x81\x99\xE3\x80\x82\n\xE8\xA9\xB3\xE7\xB4\xB0"
                 "\xE3\x81\xAF\xE4\xB8\x8B\xE8\xA8\x98URL\xE3\x82\x92\xE5\x8F\x82\xE7\x85\xA7"
                 "\xE3\x81\x8F\xE3\x81\xA0\xE3\x81\x95\xE3\x81\x84\xE3\x80\x82\n\n%s\n\nURL"
                 "\xE3\x82\x92\xE9\x96\x8B\xE3\x81\x8D\xE3\x81\xBE\xE3\x81\x99\xE3\x81\x8B"
                 "\xEF\xBC\x9F");
    EXPECT_STREQ(en.URL_SWS(), "https://www.sws-extension.org/");
    EXPECT_STREQ(jp.SWS_PROGRAM_NAME(), "SWS/S&M extension");
}

// The locale word: the first non-empty of LC_ALL, LC_MESSAGES and LANG without codeset or
// modifier, or the first word a command prints, at most 15 characters; only "ja_JP" is Japanese.
TEST(Locale, OnlyTheExactWordJaJPSelectsJapanese) {
    for (const char* word :
         {"en_US", "en_JP", "ja", "ja-JP", "ja_jp", "JA_JP", "ja_JPx", " ja_JP", ""}) {
        EXPECT_FALSE(selects_japanese(word)) << '"' << word << '"';
    }
    EXPECT_TRUE(selects_japanese("ja_JP"));

    using Value = std::optional<std::string>;
    struct Case {
        Value lc_all, lc_messages, lang;
        std::string word;
    };
    const Case cases[] = {
        {{}, {}, "ja_JP.UTF-8", "ja_JP"},
        {{}, {}, "ja_JP.eucJP@mod", "ja_JP"},
        {{}, {}, "ja_JP@mod", "ja_JP"},
        {"en_US.UTF-8", {}, "ja_JP.UTF-8", "en_US"},
        {"", "ja_JP.UTF-8", "en_US", "ja_JP"},
        {{}, "", "", ""},
        {{}, {}, {}, ""},
        {{}, {}, "abcdefghijklmnopqrstuvwxyz", "abcdefghijklmno"},
    };
    const char* const names[] = {"LC_ALL", "LC_MESSAGES", "LANG"};
    Value saved[3];
    for (int i = 0; i < 3; ++i) {
        if (const char* value = std::getenv(names[i])) saved[i] = value;
    }
    auto set = [&](const Value(&values)[3]) {
        for (int i = 0; i < 3; ++i) {
            values[i] ? setenv(names[i], values[i]->c_str(), 1) : unsetenv(names[i]);
        }
    };
    for (const Case& c : cases) {
        set({c.lc_all, c.lc_messages, c.lang});
        EXPECT_EQ(locale_word_from_environment(), c.word) << c.lang.value_or("(unset)");
    }
    set({{}, {}, "ja_JP.UTF-8"});
    set_localize();
#ifndef __APPLE__  // where the locale comes from the environment
    EXPECT_NE(dynamic_cast<const qm_app::message_jp*>(qm_app::message_list.get()), nullptr);
#endif
    set({"en_US.UTF-8", {}, {}});
    set_localize();
    EXPECT_NE(dynamic_cast<const qm_app::message_en*>(qm_app::message_list.get()), nullptr);
    set(saved);

    const std::pair<const char*, std::string> commands[] = {
        {"printf '  ja_JP extra'", "ja_JP"},
        {"printf 'ja_JP@calendar=japanese\\n'", "ja_JP@calendar="},
        {"printf 'aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaja_JP'", "aaaaaaaaaaaaaaa"},
        {"printf ''", ""},
        {"echo 'no such default' >&2; exit 1", ""},
        {"/nonexistent/defaults 2>/dev/null", ""},
    };
    for (const auto& [command, word] : commands) {
        EXPECT_EQ(first_word_of_command(command), word) << command;
    }
}

}  // namespace
