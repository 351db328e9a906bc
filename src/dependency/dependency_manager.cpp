#include "dependency/dependency_manager.h"

#include <string>
#include <string_view>

#include "entry/host_api.h"
#include "messages/messages.h"
#include "utility/utility.h"

namespace dependency_manager {
namespace {

constexpr int kYesNo = 4;
constexpr int kYes = 6;

// In the background and away from our pipe: an opener may wait for the browser it starts, and a
// browser would keep the pipe open, either way holding the caller until the browser quits.
#ifdef __APPLE__
constexpr const char* kOpenFormat = "open %s >/dev/null 2>&1 &";
#else
constexpr const char* kOpenFormat = "xdg-open %s >/dev/null 2>&1 &";
#endif

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

void open_url(const char* url) noexcept {
    if (url == nullptr || *url == '\0') return;
    try {
        qm_utility::exec_command(qm_utility::format(kOpenFormat, shell_quoted(url).c_str()));
    } catch (...) {
        // Without memory for the command the page stays closed; nothing is reported.
    }
}

void assert_not_installed(const char* functionName, const char* /*programTitle*/,
                          third_plugin plugin) noexcept {
    if (plugin != third_plugin::SWS) return;
    const qm_app::message* texts = qm_app::message_list.get();
    if (texts == nullptr) return;
    try {
        const std::string question = qm_utility::format(
            texts->MSG_DEPENDENCY_ERROR(), functionName != nullptr ? functionName : "",
            texts->SWS_PROGRAM_NAME(), texts->URL_SWS());
        if (ShowMessageBox(question.c_str(), texts->ERROR_TITLE(), kYesNo) != kYes) return;
        open_url(texts->URL_SWS());
    } catch (...) {
        // A question that cannot be composed is not asked; the caller fails all the same.
    }
}

}  // namespace dependency_manager
