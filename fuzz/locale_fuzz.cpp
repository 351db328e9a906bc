// The locale word on Linux, from any LC_ALL, LC_MESSAGES and LANG (the input's three lines): the
// first set one, without codeset or modifier, at most 15 characters; Japanese only for ja_JP.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "messages/messages.h"
#include "platform/platform_posix.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    if (input.find('\0') != std::string_view::npos) return -1;
    std::string chosen;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const std::string value(input.substr(0, input.find('\n')));
        input.remove_prefix(std::min(input.size(), value.size() + 1));
        if (value.empty()) {
            unsetenv(name);
        } else {
            setenv(name, value.c_str(), 1);
            if (chosen.empty()) chosen = value;
        }
    }
    using qm_app::message_util::selects_japanese;
    const std::string word = qm_platform::posix::locale_word_from_environment();
    if (word.size() > 15 || chosen.compare(0, word.size(), word) != 0) std::abort();
    if (word.find_first_of(".@") != std::string::npos) std::abort();
    if (word.size() < 15 && chosen.size() > word.size() &&
        chosen.find_first_of(".@") != word.size()) {
        std::abort();  // cut short for no reason
    }
    if (selects_japanese(word) != (word == "ja_JP")) std::abort();
    return 0;
}
