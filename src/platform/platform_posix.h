// Linux and macOS differ only in data: the command that opens a web page and where the locale
// comes from. Both are built on each, so the Linux build runs macOS's code too.
#pragma once

#include <string>
#include <string_view>

namespace qm_platform::posix {

struct System {
    const char* opener;          // opens a web page given as its one argument
    const char* locale_command;  // prints the locale word; null: read the environment
};

extern const System linux_system;
extern const System macos_system;
// The one this build runs on: platform_linux.cpp or platform_macos.cpp says which.
extern const System& this_system;

std::string locale_word(const System& system);
bool open_url(const System& system, std::string_view url);

// The first whitespace-delimited word a shell command prints, at most 15 characters; empty when
// the command cannot run or prints nothing.
std::string first_word_of_command(const char* command);
// The first non-empty of LC_ALL, LC_MESSAGES and LANG without codeset or modifier, at most 15
// characters.
std::string locale_word_from_environment();
// Starts `command` through the shell and waits for it; 0 when it started, 1 when it did not.
int exec_command(const std::string& command);

}  // namespace qm_platform::posix
