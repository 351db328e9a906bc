// What the library does when a function needs an outside extension that is not installed: it
// tells the user, in the language chosen at load, and offers to open the extension's web page.
#pragma once

namespace dependency_manager {

// The outside extensions the library can require.
enum class third_plugin : int { SWS = 0 };

// Asks the user, in a Yes/No box, whether to open the web page of `plugin`, naming `functionName`
// as the function that needs it; on Yes the page opens in the default browser. The box's title
// comes from the message table, so `programTitle` is not shown. Nothing is asked for an extension
// this library does not know, or before a message table is installed. Never throws: a question
// that cannot be composed is not asked.
void assert_not_installed(const char* functionName, const char* programTitle,
                          third_plugin plugin) noexcept;

// Opens `url` in the default browser; nothing for a null or empty address.
void open_url(const char* url) noexcept;

}  // namespace dependency_manager
