#include "platform/platform_posix.h"

#include <cstdio>
#include <cstdlib>

#include "entry/host_api.h"
#include "platform/platform.h"

namespace qm_platform {
namespace posix {
namespace {

constexpr std::size_t kWordLimit = 15;

// The shell sees the address as one word, whatever it holds: a caller's address must not be able
// to run a command of its own.
std::string shell_quoted(std::string_view text) {
    std::string quoted = "'";
    for (char c : text) {
        if (c == '\'') {
            quoted += "'\\''";
        } else {
            quoted += c;
        }
    }
    quoted += '\'';
    return quoted;
}

}  // namespace

const System linux_system{"xdg-open", nullptr};
const System macos_system{"open", "defaults read -g AppleLocale"};

std::string first_word_of_command(const char* command) {
    FILE* stream = popen(command, "r");
    if (stream == nullptr) return {};
    char word[kWordLimit + 1] = {};
    if (std::fscanf(stream, "%15s", word) != 1) word[0] = '\0';
    pclose(stream);
    return word;
}

std::string locale_word_from_environment() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value == nullptr || *value == '\0') continue;
        std::string_view word(value);
        word = word.substr(0, word.find_first_of(".@"));
        return std::string(word.substr(0, kWordLimit));
    }
    return {};
}

int exec_command(const std::string& command) {
    FILE* stream = popen(command.c_str(), "r");
    if (stream == nullptr) return 1;
    // Drain what it prints: closing the pipe early would kill a command that writes with SIGPIPE.
    char discard[256];
    while (std::fread(discard, 1, sizeof discard, stream) > 0) {
    }
    pclose(stream);
    return 0;
}

std::string locale_word(const System& system) {
    if (system.locale_command != nullptr) return first_word_of_command(system.locale_command);
    return locale_word_from_environment();
}

bool open_url(const System& system, std::string_view url) {
    // In the background and away from our pipe: an opener may wait for the browser it starts, and
    // a browser would keep the pipe open, either way holding the caller until the browser quits.
    return exec_command(std::string(system.opener) + " " + shell_quoted(url) +
                        " >/dev/null 2>&1 &") == 0;
}

}  // namespace posix

const std::string_view japanese_locale_word = "ja_JP";

std::string locale_word() {
    return posix::locale_word(posix::this_system);
}

bool open_url(const char* url) {
    return url != nullptr && *url != '\0' && posix::open_url(posix::this_system, url);
}

// g++ and clang lay out vtables as REAPER's Linux and macOS builds do.
PCM_source* duplicate(PCM_source* source) {
    return source->Duplicate();
}

}  // namespace qm_platform
