#include "rpp/document.h"

#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstring>

#include "rpp/text.h"

namespace rpp {

namespace {

constexpr std::size_t kMaxFileSize = std::size_t{1} << 30;

}  // namespace

bool Document::read(std::string text, Error& error) {
    text_ = std::move(text);
    starts_.clear();
    if (text_.empty()) {
        error = Error{0, "the file is empty"};
        return false;
    }
    if (text_.size() > kMaxFileSize) {
        error = Error{0, "the file is larger than 1 GiB"};
        return false;
    }
    const char* const data = text_.data();
    const std::size_t size = text_.size();
    // Eight bytes at a time, with exact per-byte masks (no carry crosses a byte): the control
    // characters (below 0x20) and the LFs among them. A word holding any other control character
    // (a tab, the CR of a CRLF, or binary data) is judged byte by byte. One pass finds the line
    // ends: a call to memchr per line cost more than the whole scan.
    constexpr std::uint64_t kLow7 = 0x7f7f7f7f7f7f7f7fULL, kHigh = 0x8080808080808080ULL;
    const auto controls = [](std::uint64_t w) {
        return ~(((w & kLow7) + 0x6060606060606060ULL) | w) & kHigh;
    };
    const auto zeros = [](std::uint64_t w) { return ~(((w & kLow7) + kLow7) | w) & kHigh; };
    const auto word = [&](std::size_t i) {
        std::uint64_t w = 0;
        if constexpr (std::endian::native == std::endian::little) {
            std::memcpy(&w, data + i, 8);
        } else {
            for (int b = 7; b >= 0; --b) w = w << 8 | static_cast<unsigned char>(data[i + b]);
        }
        return w;
    };
    const auto fail = [&](std::size_t i) {
        const auto line = 1 + std::count(data, data + i, '\n');
        char byte[8];
        std::snprintf(byte, sizeof byte, "0x%02x", static_cast<unsigned char>(data[i]));
        error =
            Error{static_cast<std::size_t>(line), std::string("binary data (byte ") + byte + ")"};
        return false;
    };
    // A control character that is no LF: good when a tab, or a CR before an LF.
    const auto other_good = [&](std::size_t i) {
        return data[i] == '\t' || (data[i] == '\r' && i + 1 < size && data[i + 1] == '\n');
    };
    const std::size_t whole = size & ~std::size_t{7};
    // Project lines average over 20 bytes: a guess saves counting them in a pass of its own (a
    // pass over the text costs as much as the scan).
    starts_.reserve(size / 20 + 16);
    starts_.push_back(0);
    for (std::size_t i = 0; i < whole; i += 8) {
        const std::uint64_t w = word(i);
        const std::uint64_t ctrl = controls(w);
        if (ctrl == 0) continue;
        const std::uint64_t lf = zeros(w ^ 0x0a0a0a0a0a0a0a0aULL);
        for (std::uint64_t m = ctrl & ~lf; m != 0; m &= m - 1) {
            const std::size_t at = i + static_cast<std::size_t>(std::countr_zero(m)) / 8;
            if (!other_good(at)) return fail(at);
        }
        for (std::uint64_t m = lf; m != 0; m &= m - 1) {
            starts_.push_back(static_cast<std::uint32_t>(
                i + static_cast<std::size_t>(std::countr_zero(m)) / 8 + 1));
        }
    }
    for (std::size_t i = whole; i < size; ++i) {
        if (data[i] == '\n') {
            starts_.push_back(static_cast<std::uint32_t>(i + 1));
        } else if (static_cast<unsigned char>(data[i]) < 0x20 && !other_good(i)) {
            return fail(i);
        }
    }
    if (starts_.size() > 1 && starts_[1] >= 2 && data[starts_[1] - 2] == '\r') eol_ = "\r\n";
    if (starts_.back() != size) starts_.push_back(static_cast<std::uint32_t>(size));
    return true;
}

std::string_view Document::ending(std::uint32_t i) const {
    return line(i).substr(content(i).size());
}

std::string_view Document::lines(std::uint32_t a, std::uint32_t b) const {
    if (a >= b) return {};
    return std::string_view(text_).substr(starts_[a], starts_[b] - starts_[a]);
}

std::uint32_t Document::close_of(std::uint32_t open) const {
    int depth = 0;
    for (std::uint32_t i = open; i < size(); ++i) {
        const Kind kind = classify(content(i)).kind;
        if (kind == Kind::open) ++depth;
        if (kind == Kind::close && --depth == 0) return i;
    }
    return size() - 1;
}

}  // namespace rpp
