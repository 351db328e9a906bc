#include "messages/messages.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>

namespace {

using qm_app::message_util::first_word_of_command;
using qm_app::message_util::locale_word_from_environment;
using qm_app::message_util::selects_japanese;

// Sets an environment variable for the life of the object, then restores it.
class EnvVar {
public:
    EnvVar(const char* name, std::optional<std::string> value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value) {
            setenv(name, value->c_str(), 1);
        } else {
            unsetenv(name);
        }
    }
    ~EnvVar() {
        if (old_) {
            setenv(name_, old_->c_str(), 1);
        } else {
            unsetenv(name_);
        }
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

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
    // Shared by both tables.
    EXPECT_STREQ(en.URL_SWS(), jp.URL_SWS());
    EXPECT_STREQ(en.SWS_PROGRAM_NAME(), jp.SWS_PROGRAM_NAME());
    EXPECT_NE(std::string(en.SWS_PROGRAM_NAME()), "");
    EXPECT_EQ(std::string(en.URL_SWS()).rfind("https://", 0), 0u);
}

TEST(Locale, OnlyTheExactWordJaJPSelectsJapanese) {
    struct Case {
        const char* word;
        bool japanese;
    };
    for (const Case& c :
         {Case{"ja_JP", true}, Case{"en_US", false}, Case{"en_JP", false}, Case{"ja", false},
          Case{"ja-JP", false}, Case{"ja_US", false}, Case{"ja_jp", false}, Case{"JA_JP", false},
          Case{"ja_JPx", false}, Case{" ja_JP", false}, Case{"", false}}) {
        EXPECT_EQ(selects_japanese(c.word), c.japanese) << '"' << c.word << '"';
    }
}

TEST(Locale, EnvironmentWordDropsCodesetAndModifier) {
    struct Case {
        std::optional<std::string> lc_all, lc_messages, lang;
        std::string expected;
    };
    const Case cases[] = {
        {{}, {}, "ja_JP.UTF-8", "ja_JP"},
        {{}, {}, "ja_JP.eucJP@mod", "ja_JP"},
        {{}, {}, "ja_JP@mod", "ja_JP"},
        {{}, {}, "ja_JP", "ja_JP"},
        {{}, {}, "C", "C"},
        {"en_US.UTF-8", {}, "ja_JP.UTF-8", "en_US"},  // LC_ALL wins
        {"", "ja_JP.UTF-8", "en_US", "ja_JP"},        // empty ones are skipped
        {{}, "", "", ""},
        {{}, {}, {}, ""},
        {{}, {}, "abcdefghijklmnopqrstuvwxyz", "abcdefghijklmno"},  // bounded to 15
    };
    for (const Case& c : cases) {
        EnvVar a("LC_ALL", c.lc_all), m("LC_MESSAGES", c.lc_messages), l("LANG", c.lang);
        EXPECT_EQ(locale_word_from_environment(), c.expected) << c.lang.value_or("(unset)");
    }
}

// A fake `defaults` command first on PATH, printing what a test wants.
class FakeDefaults : public ::testing::Test {
protected:
    void install(const std::string& script_body) {
        dir_ = ::testing::TempDir() + "qm_fake_defaults";
        mkdir(dir_.c_str(), 0700);
        const std::string path = dir_ + "/defaults";
        std::ofstream(path) << "#!/bin/sh\n" << script_body << "\n";
        chmod(path.c_str(), 0700);
        path_.emplace("PATH", dir_ + ":" + std::getenv("PATH"));
    }
    std::string read() { return first_word_of_command("defaults read -g AppleLocale"); }

private:
    std::string dir_;
    std::optional<EnvVar> path_;
};

TEST_F(FakeDefaults, FirstWordOfTheCommandDecides) {
    struct Case {
        const char* body;
        std::string word;
        bool japanese;
    };
    const Case cases[] = {
        {"printf 'ja_JP\\n'", "ja_JP", true},
        {"printf 'ja_JP   \\n'", "ja_JP", true},
        {"printf '  ja_JP extra'", "ja_JP", true},
        {"printf 'ja_jp\\n'", "ja_jp", false},
        {"printf 'en_US\\n'", "en_US", false},
        {"printf 'ja_JP@calendar=japanese\\n'", "ja_JP@calendar=", false},
        {"printf 'aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaja_JP\\n'", "aaaaaaaaaaaaaaa", false},
        {"printf ''", "", false},
        {"echo 'The domain/default pair does not exist' >&2; exit 1", "", false},
    };
    for (const Case& c : cases) {
        install(c.body);
        const std::string word = read();
        EXPECT_EQ(word, c.word) << c.body;
        EXPECT_EQ(selects_japanese(word), c.japanese) << c.body;
    }
}

TEST(Locale, AMissingCommandReadsNothing) {
    EXPECT_EQ(first_word_of_command("/nonexistent/defaults 2>/dev/null"), "");
}

TEST(Locale, SetLocalizeInstallsOneFreshTableEachTime) {
    {
        EnvVar a("LC_ALL", {}), m("LC_MESSAGES", {}), l("LANG", "ja_JP.UTF-8");
        qm_app::message_util::set_localize();
    }
    ASSERT_NE(qm_app::message_list, nullptr);
    const qm_app::message* first = qm_app::message_list.get();
#ifndef __APPLE__
    EXPECT_NE(dynamic_cast<const qm_app::message_jp*>(first), nullptr);
#endif
    {
        EnvVar a("LC_ALL", "en_US.UTF-8");
        qm_app::message_util::set_localize();
    }
    ASSERT_NE(qm_app::message_list, nullptr);
    EXPECT_NE(dynamic_cast<const qm_app::message_en*>(qm_app::message_list.get()), nullptr);
}

}  // namespace
