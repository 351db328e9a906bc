#include "messages/messages.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "platform/platform.h"

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

// Only the system's own word for Japanese selects it; where the word comes from is the platform's.
TEST(Locale, OnlyTheSystemsExactWordForJapaneseSelectsIt) {
    const std::string word(qm_platform::japanese_locale_word);
    std::string other_spelling = word, upper = word, lower = word;
    other_spelling[2] = word[2] == '_' ? '-' : '_';
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (const std::string& near :
         {other_spelling, upper, lower, word + "x", " " + word, word.substr(0, 2), std::string(),
          std::string("en_US"), std::string("en-US")}) {
        EXPECT_FALSE(selects_japanese(near)) << '"' << near << '"';
    }
    EXPECT_TRUE(selects_japanese(word));
}

}  // namespace
