#include <windows.h>
// shellapi.h needs windows.h first.
#include <shellapi.h>

#include <string>

#include "entry/host_api.h"
#include "platform/platform.h"

namespace qm_platform {
namespace {

// REAPER for Windows is built with MSVC, which gives PCM_source's virtual destructor one vtable
// slot where this compiler's layout gives it two: every later virtual sits one slot lower in
// REAPER than a call through the class declaration would look.
constexpr std::size_t kDuplicateSlot = 1;

// Nothing on failure, or for text that is not UTF-8.
std::wstring utf16_of(const char* utf8) {
    const int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8, -1, nullptr, 0);
    if (length <= 0) return {};
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    if (MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8, -1, wide.data(), length) !=
        length) {
        return {};
    }
    wide.resize(static_cast<std::size_t>(length) - 1);
    return wide;
}

}  // namespace

const std::string_view japanese_locale_word = "ja-JP";

std::string locale_word() {
    wchar_t name[LOCALE_NAME_MAX_LENGTH] = {};
    if (GetUserDefaultLocaleName(name, LOCALE_NAME_MAX_LENGTH) <= 0) return {};
    // Locale names are ASCII; anything else stands as '?', so it never matches a name.
    std::string word;
    for (const wchar_t* c = name; *c != L'\0' && word.size() < 15; ++c) {
        word += *c < 0x80 ? static_cast<char>(*c) : '?';
    }
    return word;
}

bool open_url(const char* url) {
    if (url == nullptr) return false;
    const std::wstring address = utf16_of(url);
    if (address.empty()) return false;
    // No shell: the address is handed over whole, nothing in it can run as a command.
    const HINSTANCE result =
        ShellExecuteW(nullptr, L"open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

PCM_source* duplicate(PCM_source* source) {
    // A member function gets `this` as its first argument on Win64, so a slot is called as a plain
    // function of the object.
    using Duplicate = PCM_source* (*)(PCM_source * self);
    const Duplicate* vtable = *reinterpret_cast<const Duplicate* const*>(source);
    return vtable[kDuplicateSlot](source);
}

}  // namespace qm_platform
