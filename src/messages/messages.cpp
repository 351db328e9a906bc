#include "messages/messages.h"

#include "platform/platform.h"

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

bool selects_japanese(std::string_view locale_word) {
    return locale_word == qm_platform::japanese_locale_word;
}

void set_localize() {
    if (selects_japanese(qm_platform::locale_word())) {
        message_list = std::make_unique<message_jp>();
    } else {
        message_list = std::make_unique<message_en>();
    }
}

}  // namespace message_util
}  // namespace qm_app
