#include "rpp/text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
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

// Calls `take(field)` for each field of `text` by the reading rule.
template <class Take>
void each_field(std::string_view text, Take take) {
    std::size_t i = 0;
    while (true) {
        while (i < text.size() && text[i] == ' ') ++i;
        if (i >= text.size()) return;
        const char c = text[i];
        if (c == '"' || c == '\'' || c == '`') {
            const std::size_t close = text.find(c, i + 1);
            if (close == std::string_view::npos) {
                take(Field{text.substr(i), text.substr(i + 1)});
                return;
            }
            take(Field{text.substr(i, close + 1 - i), text.substr(i + 1, close - i - 1)});
            i = close + 1;
        } else {
            const std::size_t space = std::min(text.find(' ', i), text.size());
            take(Field{text.substr(i, space - i), text.substr(i, space - i)});
            i = space;
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
    each_field(text, [&](const Field& f) { out.push_back(f); });
    return out;
}

FieldList::FieldList(std::string_view text) {
    each_field(text, [&](const Field& f) {
        if (size_ < kInline) {
            std::construct_at(&inline_.fields[size_], f);
        } else {
            more_.push_back(f);
        }
        ++size_;
    });
}

std::vector<std::string> raw_fields(std::string_view rest) {
    std::vector<std::string> fields;
    each_field(rest, [&](const Field& f) { fields.emplace_back(f.raw); });
    if (!fields.empty()) {
        std::string& last = fields.back();
        const char q = last.front();
        if ((q == '"' || q == '\'' || q == '`') && (last.size() == 1 || last.back() != q)) {
            last += q;
        }
    }
    return fields;
}

Parsed classify(std::string_view content) {
    Parsed p;
    std::size_t i = 0;
    while (i < content.size() && blank(content[i])) ++i;
    p.indent = content.substr(0, i);
    std::string_view body = content.substr(i);
    if (!body.empty() && body.front() == '<') {
        p.kind = Kind::open;
        body.remove_prefix(1);
    } else if (!body.empty() && body.front() == '>') {
        std::string_view trimmed = body;
        while (!trimmed.empty() && blank(trimmed.back())) trimmed.remove_suffix(1);
        if (trimmed == ">") {
            p.kind = Kind::close;
            return p;
        }
    }
    const std::size_t space = body.find(' ');
    p.key = body.substr(0, space);
    p.rest = space == std::string_view::npos ? std::string_view() : body.substr(space + 1);
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
