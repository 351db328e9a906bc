// Small helpers shared across the library.
#pragma once

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

#include "entry/export.h"

namespace qm_app_def {
extern const char* const VERSION;
}

namespace qm_utility {

// memcpy for the short runs names are made of, without a library call: each size class is two
// fixed-size copies that may overlap, so nothing outside [from, from + n) is read or outside
// [to, to + n) written. Longer runs go to memcpy.
inline void copy_run(char* to, const char* from, std::size_t n) {
    const auto two = [&](auto width) {
        constexpr std::size_t w = decltype(width)::value;
        std::memcpy(to, from, w);
        std::memcpy(to + n - w, from + n - w, w);
    };
    if (n > 64) {
        std::memcpy(to, from, n);
    } else if (n > 32) {
        two(std::integral_constant<std::size_t, 32>{});
    } else if (n > 16) {
        two(std::integral_constant<std::size_t, 16>{});
    } else if (n > 8) {
        two(std::integral_constant<std::size_t, 8>{});
    } else if (n >= 4) {
        two(std::integral_constant<std::size_t, 4>{});
    } else if (n > 0) {
        to[0] = from[0];
        to[n / 2] = from[n / 2];
        to[n - 1] = from[n - 1];
    }
}

// Writes text into a caller's buffer of `size` bytes (terminator included), in as many pieces as
// the caller has, without allocating: at most size - 1 bytes and a terminator, nothing at all when
// size <= 0 or the buffer is null. A cut never splits a UTF-8 character: it moves back to the
// start of the character it would split.
class BoundedCopy {
public:
    BoundedCopy(char* destination, int size)
        : destination_(size > 0 ? destination : nullptr),
          capacity_(size > 0 ? static_cast<std::size_t>(size) - 1 : 0) {}
    // Appends `text` up to its first NUL; what no longer fits is dropped.
    void append(std::string_view text) { append_bytes(text.substr(0, text.find('\0'))); }
    // The same for text known to hold no NUL. Inline: the name getters append a piece per line.
    void append_bytes(std::string_view bytes) {
        if (destination_ == nullptr || cut_) return;
        const std::size_t room = capacity_ - length_;
        if (bytes.size() > room) {
            cut_ = true;
            first_dropped_ = static_cast<unsigned char>(bytes[room]);
            bytes = bytes.substr(0, room);
        }
        copy_run(destination_ + length_, bytes.data(), bytes.size());
        length_ += bytes.size();
    }
    // Ends the text with a NUL; the bytes of a cut character are dropped first.
    void finish() {
        if (destination_ == nullptr) return;
        if (cut_) keep_whole_characters();
        destination_[length_] = '\0';
    }

private:
    void keep_whole_characters();

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
