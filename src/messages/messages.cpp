#include "messages/messages.h"

#include <cstdio>
#include <cstdlib>

namespace qm_app {

std::unique_ptr<message> message_list;

const char* message::URL_SWS() const {
    return "https://www.sws-extension.org/";
}
const char* message::SWS_PROGRAM_NAME() const {
    return "SWS/S&M extension";
}

const char* message_en::ERROR_TITLE() const {
    return "VORMELT_PLIVEN";
}
const char* message_en::MSG_DEPENDENCY_ERROR() const {
    return "To use %s, you need to install %s.\nPlease refer to the URL below for "
           "details.\n\n%s\n\nWould you like to open the URL?";
}

const char* message_jp::ERROR_TITLE() const {
    return "VORMELT_PLIVEN";
}
const char* message_jp::MSG_DEPENDENCY_ERROR() const {
    return "%sを使用するためには%sのインストールが必要です。\n詳細は下記URLを参照ください。"
           "\n\n%s\n\nURLを開きますか？";
}

namespace message_util {
namespace {
constexpr std::size_t kWordLimit = 15;
}

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

std::string read_locale_word() {
#ifdef __APPLE__
    return first_word_of_command("defaults read -g AppleLocale");
#else
    return locale_word_from_environment();
#endif
}

bool selects_japanese(std::string_view locale_word) {
    return locale_word == "ja_JP";
}

void set_localize() {
    if (selects_japanese(read_locale_word())) {
        message_list = std::make_unique<message_jp>();
    } else {
        message_list = std::make_unique<message_en>();
    }
}

}  // namespace message_util
}  // namespace qm_app
