// A function's APIdef_ text, read the way REAPER's scripting layer reads it: the declared types
// decide how each value travels, the parameter names' suffixes decide who supplies it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace reaper_sim {

enum class ValueType {
    Void,
    Int,
    Bool,
    Double,
    String,     // const char*
    Buffer,     // char*
    IntPtr,     // int*
    DoublePtr,  // double*
    BoolPtr,    // bool*
    TextPtr,    // const char**: a text the function points at
    Handle,     // ReaProject*, MediaItem*, ...
    Unsupported,
};

struct TypeInfo {
    ValueType type = ValueType::Unsupported;
    std::string declared;  // as written, blanks trimmed
    std::string handle;    // handles only: the canonical type, e.g. "MediaItem*" for "Mediaitem*"
};

// How a parameter's value is supplied and whether it comes back to the script.
enum class Role {
    In,     // passed by the script
    Out,    // not passed (an extra argument may give the initial value), returned
    InOut,  // passed and returned
    Size,   // the _sz of the buffer before it: supplied by the runner, never seen by scripts
};

struct ParamDef {
    TypeInfo type;
    std::string name;
    Role role = Role::In;
    bool optional = false;  // ...Optional: nil or omitted passes a null pointer
    bool need_big = false;  // ...NeedBig: a large buffer, passed in and returned
    bool sized = false;     // a char* whose size follows as name_sz
};

struct FunctionDef {
    std::string name;
    TypeInfo result;
    std::vector<ParamDef> params;
    std::string help;

    bool visible(const ParamDef& p) const { return p.role == Role::In || p.role == Role::InOut; }
    bool returned(const ParamDef& p) const { return p.role == Role::Out || p.role == Role::InOut; }
};

TypeInfo classify_type(std::string_view text);

// The four NUL-separated fields starting at `text` (its own terminator ends the help text).
std::string_view definition_extent(const char* text);

// Parses the four fields of `text`. On a malformed text, nullopt and the reason in `error`.
std::optional<FunctionDef> parse_definition(std::string_view name, std::string_view text,
                                            std::string& error);

// What a script author sees: `MediaItem reaper.QM_X(ReaProject projID, integer itemID)`, or
// `boolean retval, number volumeOut = reaper.QM_X(...)` when outputs come back too.
std::string lua_signature(const FunctionDef& def);
// The C declaration: `MediaItem* QM_X(ReaProject* projID, int itemID)`.
std::string c_signature(const FunctionDef& def);
// The Lua name of a type: integer, number, boolean, string, MediaItem, ...
std::string lua_type_name(const TypeInfo& type);

}  // namespace reaper_sim
