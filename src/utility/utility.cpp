#include "utility/utility.h"

#include <strings.h>

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <regex>
#include <vector>

// The build passes the version from the VERSION file, the one place it is written.
#ifndef QM_VERSION_TEXT
#error "QM_VERSION_TEXT must be defined by the build"
#endif

namespace qm_app_def {
const char* const VERSION = QM_VERSION_TEXT;
}

namespace qm_utility {
namespace {

bool is_continuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// Length of the UTF-8 sequence a lead byte starts; 1 for anything that is not a lead byte.
std::size_t sequence_length(unsigned char lead) {
    if (lead >= 0xF0 && lead <= 0xF7) return 4;
    if (lead >= 0xE0) return 3;
    if (lead >= 0xC0) return 2;
    return 1;
}

}  // namespace

// A cut before a continuation byte splits a character: go back to its lead byte, unless the bytes
// there are not well-formed UTF-8, which are cut where they are.
void BoundedCopy::keep_whole_characters() {
    if (!is_continuation(first_dropped_)) return;
    for (std::size_t back = 1; back <= 3 && back <= length_; ++back) {
        const auto byte = static_cast<unsigned char>(destination_[length_ - back]);
        if (is_continuation(byte)) continue;
        if (sequence_length(byte) > back) length_ -= back;
        break;
    }
}

void strcpy(char* destination, int size, std::string_view text) {
    BoundedCopy copy(destination, size);
    copy.append(text);
    copy.finish();
}

double round(double value, int digits) {
    // The same scales pow gives for 0 to 9 places, without its cost on every volume read.
    static constexpr double kScales[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};
    // Beyond them pow itself: 10^10 and up no longer fit the int the scale was once cast to.
    const double scale = digits >= 0 && digits <= 9 ? kScales[digits] : std::pow(10.0, digits);
    const double x = value * scale;
    // The largest double below one half: one half itself would carry 0.49999999999999994 to 1.
    const double r = std::trunc(x + std::copysign(0.49999999999999994, x));
    return r / scale;
}

double to_dB(double gain) {
    return 20.0 * std::log10(gain);
}

double to_reaper_volume(double dB) {
    return std::exp(dB * 0.115129254);
}

namespace detail {
std::string format_values(const char* fmt, ...) {
    if (fmt == nullptr) return {};
    va_list args;
    va_start(args, fmt);
    va_list again;
    va_copy(again, args);
    const int n = std::vsnprintf(nullptr, 0, fmt, args);
    va_end(args);
    std::string result;
    if (n > 0) {
        std::vector<char> buffer(static_cast<std::size_t>(n) + 1, '\0');
        std::vsnprintf(buffer.data(), buffer.size(), fmt, again);
        result.assign(buffer.data(), static_cast<std::size_t>(n));
    }
    va_end(again);
    return result;
}
}  // namespace detail

bool Stricmp(const char* a, const char* b) {
    return a != nullptr && b != nullptr && strcasecmp(a, b) == 0;
}

bool match_intail(const std::string& text, const std::string& tail) {
    try {
        const std::regex pattern(".+" + tail, std::regex::ECMAScript | std::regex::icase);
        return std::regex_match(text, pattern);
    } catch (const std::regex_error&) {
        return false;  // a tail that is no pattern matches nothing
    }
}

std::pair<std::string, std::string> split_extension(const std::string& path) {
    static const std::regex pattern("(.*)\\.(.*)", std::regex::ECMAScript);
    std::smatch parts;
    if (std::regex_match(path, parts, pattern)) return {parts[1].str(), parts[2].str()};
    return {path, std::string()};
}

std::string multi_to_utf8(const std::string& text) {
    return text;
}
std::string utf8_to_multi(const std::string& text) {
    return text;
}

}  // namespace qm_utility

void get_version(char* buffer, int size) noexcept {
    qm_utility::strcpy(buffer, size, qm_app_def::VERSION);
}
