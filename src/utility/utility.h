// Small helpers shared across the library.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

#include "entry/export.h"

namespace qm_app_def {
extern const char* const VERSION;
}

namespace qm_utility {

// Writes text into a caller's buffer of `size` bytes (terminator included), in as many pieces as
// the caller has, without allocating: at most size - 1 bytes and a terminator, nothing at all when
// size <= 0 or the buffer is null. A cut never splits a UTF-8 character: it moves back to the
// start of the character it would split.
class BoundedCopy {
public:
    BoundedCopy(char* destination, int size);
    // Appends `text` up to its first NUL; what no longer fits is dropped.
    void append(std::string_view text);
    // Ends the text with a NUL; the bytes of a cut character are dropped first.
    void finish();

private:
    char* destination_;
    std::size_t capacity_;  // bytes for text, the terminator excluded
    std::size_t length_ = 0;
    bool cut_ = false;
    unsigned char first_dropped_ = 0;
};

// Copies at most size - 1 bytes of `text` (up to its first NUL) and a terminator; nothing when
// size <= 0. A cut never splits a UTF-8 character.
void strcpy(char* destination, int size, std::string_view text);

// Rounds half away from zero at `digits` decimal places of the stored double.
double round(double value, int digits);

double to_dB(double gain);
double to_reaper_volume(double dB);

namespace detail {
std::string format_values(const char* fmt, ...);
}

// printf into a string.
template <class... Values>
std::string format(const char* fmt, Values... values) {
    static_assert(((std::is_arithmetic_v<Values> || std::is_pointer_v<Values>)&&...),
                  "format takes only values printf can read");
    return detail::format_values(fmt, values...);
}

// Starts `command` through the shell and waits for it; 0 when it started, 1 when it did not.
int exec_command(const std::string& command);

bool Stricmp(const char* a, const char* b);
// Whether the whole of `text` matches ".+" followed by the pattern `tail`, ignoring case.
bool match_intail(const std::string& text, const std::string& tail);
// The text before and after the last ".", or the whole path and "".
std::pair<std::string, std::string> split_extension(const std::string& path);
// The platform's multi-byte encoding is UTF-8: both are copies.
std::string multi_to_utf8(const std::string& text);
std::string utf8_to_multi(const std::string& text);

}  // namespace qm_utility

extern "C" QM_EXPORT void get_version(char* buffer, int size) noexcept;
