#include "definition.h"

#include <cctype>
#include <cstring>

namespace reaper_sim {
namespace {

std::string_view trim(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
    return s;
}

std::vector<std::string_view> split_list(std::string_view list) {
    std::vector<std::string_view> fields;
    if (trim(list).empty()) return fields;
    while (true) {
        const std::size_t comma = list.find(',');
        fields.push_back(trim(list.substr(0, comma)));
        if (comma == std::string_view::npos) break;
        list.remove_prefix(comma + 1);
    }
    return fields;
}

bool strip_suffix(std::string_view& s, std::string_view tail) {
    if (s.size() < tail.size() || s.substr(s.size() - tail.size()) != tail) return false;
    s.remove_suffix(tail.size());
    return true;
}

// "MediaItem *" and "MediaItem*" are the same declaration.
std::string normalise_type(std::string_view text) {
    std::string out;
    for (char c : trim(text)) {
        if (c == '*') {
            while (!out.empty() && out.back() == ' ') out.pop_back();
        }
        if (c == ' ' && !out.empty() && out.back() == ' ') continue;
        out.push_back(c);
    }
    return out;
}

bool is_identifier(std::string_view s) {
    if (s.empty() || std::isdigit(static_cast<unsigned char>(s.front()))) return false;
    for (char c : s) {
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_') return false;
    }
    return true;
}

bool is_output_capable(ValueType t) {
    return t == ValueType::Buffer || t == ValueType::IntPtr || t == ValueType::DoublePtr ||
           t == ValueType::BoolPtr || t == ValueType::TextPtr;
}

std::string joined(const std::vector<std::string>& parts) {
    std::string out;
    for (const std::string& p : parts) {
        if (!out.empty()) out += ", ";
        out += p;
    }
    return out;
}

}  // namespace

TypeInfo classify_type(std::string_view text) {
    TypeInfo info;
    info.declared = normalise_type(text);
    const std::string& t = info.declared;
    if (t.empty() || t == "void") {
        info.type = ValueType::Void;
    } else if (t == "int") {
        info.type = ValueType::Int;
    } else if (t == "bool") {
        info.type = ValueType::Bool;
    } else if (t == "double") {
        info.type = ValueType::Double;
    } else if (t == "const char*") {
        info.type = ValueType::String;
    } else if (t == "char*") {
        info.type = ValueType::Buffer;
    } else if (t == "int*" || t == "const int*") {
        info.type = ValueType::IntPtr;
    } else if (t == "double*" || t == "const double*") {
        info.type = ValueType::DoublePtr;
    } else if (t == "bool*" || t == "const bool*") {
        info.type = ValueType::BoolPtr;
    } else if (t == "const char**") {
        info.type = ValueType::TextPtr;
    } else if (t == "HWND") {
        // A window: a handle whose type name carries no star.
        info.type = ValueType::Handle;
        info.handle = t;
    } else if (t.size() > 1 && t.back() == '*' && is_identifier(t.substr(0, t.size() - 1)) &&
               t != "void*") {
        info.type = ValueType::Handle;
        // REAPER's own tables spell the item handle this way in places; it is the same type.
        info.handle = t == "Mediaitem*" ? std::string("MediaItem*") : t;
    } else {
        info.type = ValueType::Unsupported;
    }
    return info;
}

std::string_view definition_extent(const char* text) {
    if (text == nullptr) return {};
    std::size_t length = 0;
    for (int field = 0; field < 4; ++field) {
        length += std::strlen(text + length);
        if (field < 3) ++length;  // the separator
    }
    return {text, length};
}

std::optional<FunctionDef> parse_definition(std::string_view name, std::string_view text,
                                            std::string& error) {
    std::vector<std::string_view> fields;
    std::string_view rest = text;
    for (int i = 0; i < 3; ++i) {
        const std::size_t nul = rest.find('\0');
        if (nul == std::string_view::npos) {
            error = "definition text has " + std::to_string(i + 1) + " of 4 fields";
            return std::nullopt;
        }
        fields.push_back(rest.substr(0, nul));
        rest.remove_prefix(nul + 1);
    }
    fields.push_back(rest.substr(0, rest.find('\0')));

    FunctionDef def;
    def.name = std::string(name);
    def.result = classify_type(fields[0]);
    def.help = std::string(fields[3]);

    const std::vector<std::string_view> types = split_list(fields[1]);
    const std::vector<std::string_view> names = split_list(fields[2]);
    if (types.size() != names.size()) {
        error = std::to_string(types.size()) + " parameter types but " +
                std::to_string(names.size()) + " parameter names";
        return std::nullopt;
    }
    for (std::size_t i = 0; i < types.size(); ++i) {
        if (types[i].empty() || names[i].empty()) {
            error = "parameter " + std::to_string(i + 1) + " has no " +
                    (types[i].empty() ? "type" : "name");
            return std::nullopt;
        }
        ParamDef p;
        p.type = classify_type(types[i]);
        p.name = std::string(names[i]);

        std::string_view stem = p.name;
        p.optional = strip_suffix(stem, "Optional");
        p.need_big = strip_suffix(stem, "NeedBig");
        if (is_output_capable(p.type.type)) {
            if (strip_suffix(stem, "InOut")) {
                p.role = Role::InOut;
            } else if (strip_suffix(stem, "Out")) {
                p.role = Role::Out;
            } else if (p.need_big && p.type.type == ValueType::Buffer) {
                p.role = Role::InOut;  // a NeedBig buffer is handed in and read back
            }
        }
        def.params.push_back(std::move(p));
    }

    // `char* x` directly followed by `int x_sz` (or `int* x_sz`, which also says how much was
    // written): the runner owns the buffer and its size. `const char* x, int x_sz`: the size is
    // the script's string's, which may hold any bytes.
    for (std::size_t i = 0; i + 1 < def.params.size(); ++i) {
        ParamDef& buffer = def.params[i];
        ParamDef& size = def.params[i + 1];
        const ValueType b = buffer.type.type;
        const ValueType z = size.type.type;
        const bool pair =
            (b == ValueType::Buffer && (z == ValueType::Int || z == ValueType::IntPtr)) ||
            (b == ValueType::String && z == ValueType::Int);
        if (pair && size.name == buffer.name + "_sz") {
            buffer.sized = true;
            size.role = Role::Size;
            // Without `Out` in its name the script passes the initial text and gets the result.
            if (buffer.role == Role::In) buffer.role = Role::InOut;
        }
    }
    return def;
}

std::string lua_type_name(const TypeInfo& type) {
    switch (type.type) {
        case ValueType::Void:
            return "nothing";
        case ValueType::Int:
        case ValueType::IntPtr:
            return "integer";
        case ValueType::Bool:
        case ValueType::BoolPtr:
            return "boolean";
        case ValueType::Double:
        case ValueType::DoublePtr:
            return "number";
        case ValueType::String:
        case ValueType::Buffer:
        case ValueType::TextPtr:
            return "string";
        case ValueType::Handle:
            return type.handle.back() == '*' ? type.handle.substr(0, type.handle.size() - 1)
                                             : type.handle;
        case ValueType::Unsupported:
            break;
    }
    return type.declared;
}

std::string lua_signature(const FunctionDef& def) {
    std::vector<std::string> results;
    if (def.result.type != ValueType::Void) results.push_back(lua_type_name(def.result));
    std::vector<std::string> named_results = results;
    if (!named_results.empty()) named_results.back() += " retval";
    // An output followed by inputs keeps its place among the arguments.
    std::size_t inputs_end = 0;
    for (std::size_t i = 0; i < def.params.size(); ++i) {
        if (def.visible(def.params[i])) inputs_end = i + 1;
    }
    std::vector<std::string> args;
    for (std::size_t i = 0; i < def.params.size(); ++i) {
        const ParamDef& p = def.params[i];
        if (def.visible(p) || (p.role == Role::Out && i < inputs_end)) {
            args.push_back((p.optional ? "optional " : "") + lua_type_name(p.type) + " " + p.name);
        }
        if (def.returned(p)) named_results.push_back(lua_type_name(p.type) + " " + p.name);
    }
    const std::string call = "reaper." + def.name + "(" + joined(args) + ")";
    if (named_results.empty()) return call;
    if (named_results.size() == 1 && results.size() == 1) return results.front() + " " + call;
    return joined(named_results) + " = " + call;
}

std::string c_signature(const FunctionDef& def) {
    std::vector<std::string> args;
    for (const ParamDef& p : def.params) args.push_back(p.type.declared + " " + p.name);
    const std::string result = def.result.declared.empty() ? "void" : def.result.declared;
    return result + " " + def.name + "(" + joined(args) + ")";
}

}  // namespace reaper_sim
