// The format's text rules: how a line splits into its key and fields, how a field is quoted, how a
// number is written. Nothing here knows what a key means.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace rpp {

// A number as REAPER writes one: at most 14 decimals, no trailing zeros, no exponent.
std::string format_number(double value);
// A string field by the writing rule: bare when it can be, else "…", '…' or `…`.
std::string quote(std::string_view text);
// The same, never bare (FILE paths are always quoted).
std::string quote_always(std::string_view text);
// A number field: finite, no exponent needed, an optional leading '+'.
bool parse_double(std::string_view text, double& out);

struct Field {
    std::string_view raw;    // as written, quotes included
    std::string_view value;  // quotes removed
};
// The fields of a line after its key, by the reading rule.
std::vector<Field> split_fields(std::string_view text);

// Every field of a line, for FieldList's `most`.
inline constexpr std::size_t kAllFields = static_cast<std::size_t>(-1);

// The same without allocating for the usual line (up to 16 fields); the first `most` only when
// the reader needs no more (size() then counts at most that many).
class FieldList {
public:
    explicit FieldList(std::string_view text, std::size_t most = kAllFields);
    std::size_t size() const { return size_; }
    const Field& operator[](std::size_t i) const {
        return i < kInline ? inline_.fields[i] : more_[i - kInline];
    }
    std::string_view value(std::size_t i) const {
        return i < size_ ? (*this)[i].value : std::string_view();
    }

private:
    static constexpr std::size_t kInline = 16;
    // Only the first size_ are made: zeroing all of them cost more than splitting the line.
    union Inline {
        Inline() {}
        Field fields[kInline];
    } inline_;
    std::vector<Field> more_;
    std::size_t size_ = 0;
};

// A line's fields as written, for writing it again with some changed. A quoted field left open
// runs to the end of the line; closed, it reads the same and no longer swallows a field written
// after it.
std::vector<std::string> raw_fields(std::string_view rest);
// The quote that closes `last`, a line's last field as written, when it was left open; else none.
std::string_view closing_quote(std::string_view last);

enum class Kind { plain, open, close };

// One line: its indentation, whether it opens or closes a block, its key and what follows.
struct Parsed {
    Kind kind = Kind::plain;
    std::string_view indent;
    std::string_view key;
    std::string_view rest;  // after the key and its space
};
Parsed classify(std::string_view content);

// `indent` `key` fields…, ended by `eol`.
std::string make_line(std::string_view indent, std::string_view key,
                      const std::vector<std::string>& fields, std::string_view eol);

// An <EXTSTATE section's line: exactly a key and a value, both by the reading rule.
bool key_value(std::string_view content, std::string& key, std::string& value);
// The name a block's open line gives, `<NAME` or `<"a name"`; false for none or an empty one.
bool block_name(std::string_view content, std::string& name);

}  // namespace rpp
