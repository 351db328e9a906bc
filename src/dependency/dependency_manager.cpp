#include "dependency/dependency_manager.h"

#include <string>

#include "entry/host_api.h"
#include "messages/messages.h"
#include "platform/platform.h"
#include "utility/utility.h"

namespace dependency_manager {
namespace {

constexpr int kYesNo = 4;
constexpr int kYes = 6;

}  // namespace

void open_url(const char* url) noexcept {
    if (url == nullptr || *url == '\0') return;
    try {
        qm_platform::open_url(url);
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
