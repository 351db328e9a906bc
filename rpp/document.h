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
    std::string_view content(std::uint32_t i) const;  // without its line ending
    std::string_view ending(std::uint32_t i) const;   // "\n", "\r\n" or "" (the last line)
    std::string_view line(std::uint32_t i) const;     // with it
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
