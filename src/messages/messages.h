// The texts the library shows the user, in English or Japanese, chosen from the system locale.
#pragma once

#include <memory>
#include <string_view>

namespace qm_app {

class message {
public:
    virtual const char* URL_SWS() const;
    virtual const char* ERROR_TITLE() const = 0;
    virtual const char* SWS_PROGRAM_NAME() const;
    // A printf format: the function's script name, the extension's name, its web page.
    virtual const char* MSG_DEPENDENCY_ERROR() const = 0;
    virtual ~message() = default;
};

class message_en final : public message {
public:
    const char* ERROR_TITLE() const override;
    const char* MSG_DEPENDENCY_ERROR() const override;
};

class message_jp final : public message {
public:
    const char* ERROR_TITLE() const override;
    const char* MSG_DEPENDENCY_ERROR() const override;
};

// The installed table; empty until the first load.
extern std::unique_ptr<message> message_list;

namespace message_util {

// Reads the locale and installs the matching table, replacing the one installed before.
void set_localize();

// Only the system's exact word for Japanese in Japan selects Japanese ("ja_JP" on Linux and macOS,
// "ja-JP" on Windows).
bool selects_japanese(std::string_view locale_word);

}  // namespace message_util
}  // namespace qm_app
