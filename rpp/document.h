// A project file as read: its text and where each line starts, so any line (and the block it
// opens) is found by index and copied out byte for byte, line ending included.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "rpp/project_file.h"

namespace rpp {

inline constexpr std::uint32_t kNone = 0xffffffffU;

class Document {
public:
    // Refuses (naming the line) an empty or over-large text, binary data, a lone CR.
    bool read(std::string text, Error& error);

    const std::string& text() const { return text_; }
    std::uint32_t size() const { return static_cast<std::uint32_t>(starts_.size() - 1); }
    // Without its line ending. Asked for every line a read or a save looks at: inline.
    std::string_view content(std::uint32_t i) const {
        std::string_view l = line(i);
        if (!l.empty() && l.back() == '\n') l.remove_suffix(1);
        if (!l.empty() && l.back() == '\r') l.remove_suffix(1);
        return l;
    }
    std::string_view ending(std::uint32_t i) const;  // "\n", "\r\n" or "" (the last line)
    std::string_view line(std::uint32_t i) const {   // with it
        return std::string_view(text_.data() + starts_[i], starts_[i + 1] - starts_[i]);
    }
    // Lines [a, b) as written.
    std::string_view lines(std::uint32_t a, std::uint32_t b) const;
    // The line ending the file uses (its first line's).
    const std::string& eol() const { return eol_; }
    // The line closing the block opened on `open` (the last line when it is never closed).
    std::uint32_t close_of(std::uint32_t open) const;

private:
    std::string text_;
    std::vector<std::uint32_t> starts_;  // one per line, then the text's size
    std::string eol_ = "\n";
};

}  // namespace rpp
