#include "rpp/document.h"

#include <algorithm>
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
    std::size_t lines = 0;  // memchr is vectorised; a byte-wise count costs a third of the read
    for (const char* p = data;
         (p = static_cast<const char*>(std::memchr(p, '\n', data + size - p))); ++p) {
        ++lines;
    }
    starts_.reserve(lines + 2);
    starts_.push_back(0);
    for (std::size_t i = 0; i < size; ++i) {
        // Eight bytes at a time while none is a control character (below 0x20).
        while (i + 8 <= size) {
            std::uint64_t w;
            std::memcpy(&w, data + i, 8);
            if (((w - 0x2020202020202020ULL) & ~w & 0x8080808080808080ULL) != 0) break;
            i += 8;
        }
        if (i >= size) break;
        const auto c = static_cast<unsigned char>(data[i]);
        if (c >= 0x20 || c == '\t') continue;
        const bool crlf = c == '\r' && i + 1 < size && data[i + 1] == '\n';
        if (c != '\n' && !crlf) {
            char byte[8];
            std::snprintf(byte, sizeof byte, "0x%02x", c);
            error = Error{starts_.size(), std::string("binary data (byte ") + byte + ")"};
            return false;
        }
        if (starts_.size() == 1 && crlf) eol_ = "\r\n";
        i += crlf ? 1 : 0;
        starts_.push_back(static_cast<std::uint32_t>(i + 1));
    }
    if (starts_.back() != size) starts_.push_back(static_cast<std::uint32_t>(size));
    return true;
}

std::string_view Document::line(std::uint32_t i) const {
    return std::string_view(text_).substr(starts_[i], starts_[i + 1] - starts_[i]);
}

std::string_view Document::content(std::uint32_t i) const {
    std::string_view l = line(i);
    if (!l.empty() && l.back() == '\n') l.remove_suffix(1);
    if (!l.empty() && l.back() == '\r') l.remove_suffix(1);
    return l;
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
