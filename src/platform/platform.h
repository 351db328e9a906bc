// The few things that differ between the systems REAPER runs on, as plain functions. The build
// compiles one implementation per system family: platform_posix.cpp (Linux, macOS, with
// platform_linux.cpp or platform_macos.cpp naming the system) or platform_windows.cpp.
#pragma once

#include <string>
#include <string_view>

class PCM_source;

namespace qm_platform {

// The user's language as the system names it, at most 15 characters: "ja_JP" on Linux and macOS,
// "ja-JP" on Windows; empty when the system says nothing.
std::string locale_word();
// The system's name for Japanese as written in Japan; only this exact word selects Japanese.
extern const std::string_view japanese_locale_word;

// Hands `url` to the system's opener of web pages as one argument that no shell reads. False for a
// null or empty address, and when the opener could not be started.
bool open_url(const char* url);

// REAPER's PCM_source::Duplicate(), called through the vtable layout of REAPER's own compiler.
// The only virtual of REAPER's classes the library calls.
PCM_source* duplicate(PCM_source* source);

}  // namespace qm_platform
