// Linux and macOS, both on whichever of them runs the tests: they differ only in data, so the
// macOS commands are met by stand-ins first on PATH, as the Linux ones are.
#include "platform/platform_posix.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>

#include "dependency/dependency_manager.h"
#include "family.h"
#include "messages/messages.h"

namespace {

namespace posix = qm_platform::posix;
using Value = std::optional<std::string>;

// Sets the named variables for the life of the object, each unset for a value of none.
class Environment {
public:
    Environment(std::initializer_list<std::pair<const char*, Value>> values) {
        for (const auto& [name, value] : values) {
            const char* old = std::getenv(name);
            saved_.emplace_back(name, old != nullptr ? Value(old) : Value());
            set(name, value);
        }
    }
    ~Environment() {
        for (const auto& [name, value] : saved_) set(name, value);
    }

private:
    static void set(const char* name, const Value& value) {
        value ? setenv(name, value->c_str(), 1) : unsetenv(name);
    }
    std::vector<std::pair<const char*, Value>> saved_;
};

// The first non-empty of LC_ALL, LC_MESSAGES and LANG without codeset or modifier, or the first
// word a command prints, at most 15 characters.
TEST(PosixLocale, ComesFromTheEnvironmentOrTheFirstWordACommandPrints) {
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
    for (const Case& c : cases) {
        Environment set{{"LC_ALL", c.lc_all}, {"LC_MESSAGES", c.lc_messages}, {"LANG", c.lang}};
        EXPECT_EQ(posix::locale_word(posix::linux_system), c.word) << c.lang.value_or("(unset)");
    }

    const std::pair<const char*, std::string> commands[] = {
        {"printf '  ja_JP extra'", "ja_JP"},
        {"printf 'ja_JP@calendar=japanese\\n'", "ja_JP@calendar="},
        {"printf 'aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaja_JP'", "aaaaaaaaaaaaaaa"},
        {"printf ''", ""},
        {"echo 'no such default' >&2; exit 1", ""},
        {"/nonexistent/defaults 2>/dev/null", ""},
    };
    for (const auto& [command, word] : commands) {
        EXPECT_EQ(posix::first_word_of_command(command), word) << command;
    }
}

// The command runs to its end, its output drained (an early close would kill it with SIGPIPE);
// its exit status is no failure to start.
TEST(PosixCommand, RunsToItsEnd) {
    const std::string marker = ::testing::TempDir() + "qm_exec_marker";
    std::remove(marker.c_str());
    EXPECT_EQ(posix::exec_command("seq 100000; touch '" + marker + "'; exit 3"), 0);
    EXPECT_EQ(std::remove(marker.c_str()), 0) << "the command did not run to its end";
}

// Stand-ins for both systems' commands, first on PATH: each opener records its name and
// arguments, one call per line; `defaults` prints LC_ALL's language as macOS prints its locale.
class StandIns : public qm_test::FamilyTest {
protected:
    void SetUp() override {
        FamilyTest::SetUp();
        char pattern[] = "/tmp/qm_opener_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
        for (const char* opener : {posix::linux_system.opener, posix::macos_system.opener}) {
            write(opener, std::string("printf '") + opener + "[%s]' \"$@\" >> '" + record() +
                              "'\necho >> '" + record() + "'\n");
        }
        write("defaults", "[ \"$*\" = 'read -g AppleLocale' ] && echo \"${LC_ALL%%[.@]*}\"\n");
        path_.emplace(std::initializer_list<std::pair<const char*, Value>>{
            {"PATH", dir_ + ":" + std::getenv("PATH")}});
    }
    void TearDown() override {
        path_.reset();
        std::filesystem::remove_all(dir_);
        FamilyTest::TearDown();
    }
    void write(const std::string& name, const std::string& body) {
        const std::string file = dir_ + "/" + name;
        std::ofstream(file) << "#!/bin/sh\n" << body;
        chmod(file.c_str(), 0700);
    }
    std::string record() const { return dir_ + "/record"; }
    // The opener runs in the background: what it recorded once `lines` calls have arrived.
    std::string recorded(int lines) {
        std::string text;
        for (int tries = 0; tries < 500; ++tries) {
            std::stringstream content;
            content << std::ifstream(record()).rdbuf();
            text = content.str();
            if (std::count(text.begin(), text.end(), '\n') >= lines) break;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return text;
    }

private:
    std::string dir_;
    std::optional<Environment> path_;
};

TEST_F(StandIns, MacosReadsItsLocaleFromDefaults) {
    for (const char* word : {"ja_JP", "en_US", "ja_JP_x", ""}) {
        Environment set{{"LC_ALL", word}};
        EXPECT_EQ(posix::locale_word(posix::macos_system), word);
    }
}

TEST_F(StandIns, QuestionIsInTheLanguageChosenAtLoad) {
    const char english[] =
        "To use QM_GetMediaBitRate, you need to install SWS/S&M extension.\nPlease refer to the "
        "URL below for details.\n\nhttps://www.sws-extension.org/\n\nWould you like to open the "
        "URL?";
    const char japanese[] =
        "QM_GetMediaBitRateを使用するためにはSWS/S&M extensionのインストールが必要です。\n"
        "詳細は下記URLを参照ください。\n\nhttps://www.sws-extension.org/\n\nURLを開きますか？";
    const std::pair<const char*, const char*> cases[] = {
        {"ja_JP.UTF-8", japanese}, {"en_US.UTF-8", english}, {"ja_JP", japanese},
        {"ja_JP@x", japanese},     {"ja", english},          {"C", english}};
    for (const auto& [locale, text] : cases) {
        {
            Environment set{{"LC_ALL", locale}};
            ReaperPluginEntry(nullptr, nullptr);
            ASSERT_EQ(ReaperPluginEntry(nullptr, qm_test::record_of(host)), 1);
        }
        Environment later{{"LC_ALL", "de_DE.UTF-8"}};  // read at load only
        int out = 0;
        EXPECT_FALSE(
            qm_test::truth(call("GetMediaBitRate", {nullptr, qm_test::int_slot(3), &out})));
        ASSERT_FALSE(host.message_boxes().empty());
        EXPECT_EQ(host.message_boxes().back().text, text) << locale;
        EXPECT_EQ(host.message_boxes().back().title, "VORMELT_PLIVEN");
    }
}

TEST_F(StandIns, YesOpensTheSwsPageOnceNoOpensNothing) {
    host.push_message_box_answer(7);
    host.push_message_box_answer(2);  // closed otherwise
    host.push_message_box_answer(6);
    for (int n = 0; n < 3; ++n) {
        int out = 0;
        EXPECT_FALSE(
            qm_test::truth(call("GetMediaItemBitRate", {sim::Host::handle(target), &out})));
    }
    const std::string opened =
        std::string(posix::this_system.opener) + "[https://www.sws-extension.org/]\n";
    EXPECT_EQ(recorded(1), opened);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(recorded(1), opened) << "only Yes opens";
}

TEST_F(StandIns, AnAddressReachesEitherOpenerAsOneArgumentWhateverItHolds) {
    const char* const addresses[] = {"https://example.org/a b", "it's", "x'; touch pwned; '",
                                     "$(touch pwned)", "`touch pwned` && exit 1"};
    dependency_manager::open_url(nullptr);
    dependency_manager::open_url("");
    std::string expected;
    int lines = 0;
    for (const posix::System* system : {&posix::linux_system, &posix::macos_system}) {
        for (const char* address : addresses) {
            EXPECT_TRUE(posix::open_url(*system, address));
            expected += std::string(system->opener) + "[" + address + "]\n";
            EXPECT_EQ(recorded(++lines), expected);
        }
    }
    EXPECT_NE(access("pwned", F_OK), 0);
}

}  // namespace
