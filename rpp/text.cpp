#include "rpp/text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>

namespace rpp {

namespace {

bool blank(char c) {
    return c == ' ' || c == '\t';
}

std::string quote_as(std::string_view raw, bool always) {
    // The format has no escapes: a line break (or another control character) in a name would end
    // the line, so it becomes a space.
    std::string clean(raw);
    for (char& c : clean) {
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t') c = ' ';
    }
    const std::string_view text = clean;
    const bool dq = text.find('"') != std::string_view::npos;
    const bool sq = text.find('\'') != std::string_view::npos;
    const bool bare = !always && !text.empty() && text.find(' ') == std::string_view::npos &&
                      text.front() != '"' && text.front() != '\'' && text.front() != '`';
    if (bare) return clean;
    const char q = !dq ? '"' : !sq ? '\'' : '`';
    if (q == '`') std::replace(clean.begin(), clean.end(), '`', '\'');
    std::string out;
    out.reserve(clean.size() + 2);
    out += q;
    out += clean;
    out += q;
    return out;
}

// The first `c` in [p, end), or end. Fields are a few bytes long: a call to memchr for each cost
// more than this loop.
const char* scan(const char* p, const char* end, char c) {
    while (p != end && *p != c) ++p;
    return p;
}

// Calls `take(raw, value)` for each field of `text` by the reading rule, the first `most` only.
template <class Take>
void each_field(std::string_view text, Take take, std::size_t most = kAllFields) {
    const char* p = text.data();
    const char* const end = p + text.size();
    for (; most != 0; --most) {
        while (p != end && *p == ' ') ++p;
        if (p == end) return;
        const char c = *p;
        if (c == '"' || c == '\'' || c == '`') {
            const char* close = scan(p + 1, end, c);
            if (close == end) {
                take(std::string_view(p, static_cast<std::size_t>(end - p)),
                     std::string_view(p + 1, static_cast<std::size_t>(end - p - 1)));
                return;
            }
            take(std::string_view(p, static_cast<std::size_t>(close + 1 - p)),
                 std::string_view(p + 1, static_cast<std::size_t>(close - p - 1)));
            p = close + 1;
        } else {
            const char* space = scan(p, end, ' ');
            const std::string_view field(p, static_cast<std::size_t>(space - p));
            take(field, field);
            p = space;
        }
    }
}

}  // namespace

std::string format_number(double value) {
    if (!std::isfinite(value)) return "0";
    // At most 14 decimals, and no more digits than a double holds (2336.3850483259798).
    char text[400];
    auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 14);
    const auto whole =
        static_cast<int>(std::find(text, result.ptr, '.') - text) - (value < 0.0 ? 1 : 0);
    if (whole + 14 > 17) {
        result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed,
                               std::max(0, 17 - whole));
    }
    std::string out(text, result.ptr);
    if (out.find('.') != std::string::npos) {
        while (out.back() == '0') out.pop_back();
        if (out.back() == '.') out.pop_back();
    }
    return out == "-0" ? "0" : out;
}

std::string quote(std::string_view text) {
    return quote_as(text, false);
}

std::string quote_always(std::string_view text) {
    return quote_as(text, true);
}

bool parse_double(std::string_view text, double& out) {
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty()) return false;
    // Most fields are short decimals: with at most 15 digits both the digits and the power of ten
    // are exact doubles, so one division rounds as from_chars does.
    {
        const bool negative = text.front() == '-';
        std::size_t i = negative ? 1 : 0, digits = 0, decimals = 0;
        std::uint64_t mantissa = 0;
        bool point = false, plain = i < text.size();
        for (; plain && i < text.size(); ++i) {
            const char c = text[i];
            if (c >= '0' && c <= '9') {
                mantissa = mantissa * 10 + static_cast<unsigned>(c - '0');
                decimals += point ? 1 : 0;
                plain = ++digits <= 15;
            } else {
                plain = c == '.' && !point && digits > 0 && i + 1 < text.size();
                point = true;
            }
        }
        if (plain) {
            static constexpr double kTens[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                               1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
            const double value = static_cast<double>(mantissa) / kTens[decimals];
            out = negative ? -value : value;
            return true;
        }
    }
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    return ec == std::errc() && end == text.data() + text.size() && std::isfinite(out);
}

std::vector<Field> split_fields(std::string_view text) {
    std::vector<Field> out;
    each_field(text, [&](std::string_view raw, std::string_view value) {
        out.push_back(Field{raw, value});
    });
    return out;
}

FieldList::FieldList(std::string_view text, std::size_t most) {
    each_field(
        text,
        [&](std::string_view raw, std::string_view value) {
            if (size_ < kInline) {
                std::construct_at(&inline_.fields[size_], Field{raw, value});
            } else {
                more_.push_back(Field{raw, value});
            }
            ++size_;
        },
        most);
}

std::string_view closing_quote(std::string_view last) {
    if (last.empty()) return {};
    const std::size_t at = std::string_view("\"'`").find(last.front());
    if (at == std::string_view::npos || (last.size() > 1 && last.back() == last.front())) return {};
    return std::string_view("\"'`").substr(at, 1);
}

std::vector<std::string> raw_fields(std::string_view rest) {
    std::vector<std::string> fields;
    each_field(rest, [&](std::string_view raw, std::string_view) { fields.emplace_back(raw); });
    if (!fields.empty()) {
        std::string& last = fields.back();
        last += closing_quote(last);
    }
    return fields;
}

Parsed classify(std::string_view content) {
    Parsed p;
    const char* const begin = content.data();
    const char* const end = begin + content.size();
    const char* at = begin;
    // Indentation is spaces, two per level: skipped eight at a time.
    constexpr std::uint64_t kSpaces = 0x2020202020202020ULL;
    while (end - at >= 8) {
        std::uint64_t w;
        std::memcpy(&w, at, 8);
        if (w != kSpaces) break;
        at += 8;
    }
    while (at != end && blank(*at)) ++at;
    p.indent = std::string_view(begin, static_cast<std::size_t>(at - begin));
    if (at != end && *at == '<') {
        p.kind = Kind::open;
        ++at;
    } else if (at != end && *at == '>') {
        const char* last = end;
        while (last != at + 1 && blank(last[-1])) --last;
        if (last == at + 1) {
            p.kind = Kind::close;
            return p;
        }
    }
    const char* const space = scan(at, end, ' ');
    p.key = std::string_view(at, static_cast<std::size_t>(space - at));
    if (space != end) {
        p.rest = std::string_view(space + 1, static_cast<std::size_t>(end - space - 1));
    }
    return p;
}

std::string make_line(std::string_view indent, std::string_view key,
                      const std::vector<std::string>& fields, std::string_view eol) {
    std::string text(indent);
    text += key;
    for (const std::string& f : fields) {
        text += ' ';
        text += f;
    }
    text += eol;
    return text;
}

bool key_value(std::string_view content, std::string& key, std::string& value) {
    while (!content.empty() && content.front() == ' ') content.remove_prefix(1);
    const FieldList f(content);
    if (f.size() != 2) return false;
    key = f.value(0);
    value = f.value(1);
    return true;
}

bool block_name(std::string_view content, std::string& name) {
    while (!content.empty() && content.front() == ' ') content.remove_prefix(1);
    if (content.empty() || content.front() != '<') return false;
    const FieldList f(content.substr(1));
    if (f.size() == 0 || f.value(0).empty()) return false;
    name = f.value(0);
    return true;
}

}  // namespace rpp
