// Makes a row's definition text and proves at compile time that it describes the native function.
#pragma once

#include "script_bridge/bridge.h"

// Four NUL-separated fields; the literal's own terminator ends the help text, so there is exactly
// one NUL after it.
#define QM_DEFINITION_TEXT(name, ret, types, names, help)                          \
    constexpr char definition_##name[] = ret "\0" types "\0" names "\0" help;      \
    static_assert(qm_bridge::definition_matches<&::name>(ret, types, names, help), \
                  "definition text does not match the native signature of " #name);
