#include "api_table/api_table.h"

#include "api/api.h"
#include "api_table/api_rows.h"
#include "script_bridge/bridge.h"
#include "script_bridge/wrappers.h"

namespace qm_app_def {
namespace {

// Four NUL-separated fields; the literal's own terminator ends the help text, so there is exactly
// one NUL after it.
#define QM_DEFINITION_TEXT(name, ret, types, names, help)                          \
    constexpr char definition_##name[] = ret "\0" types "\0" names "\0" help;      \
    static_assert(qm_bridge::definition_matches<&::name>(ret, types, names, help), \
                  "definition text does not match the native signature of " #name);
QM_API_ROWS(QM_DEFINITION_TEXT)
#undef QM_DEFINITION_TEXT

#define QM_RECORD(name, ...)                        \
    ApiDefinition{reinterpret_cast<void*>(&::name), \
                  &::__vararg_##name,               \
                  definition_##name,                \
                  "API_QM_" #name,                  \
                  "APIdef_QM_" #name,               \
                  "APIvararg_QM_" #name,            \
                  "-API_QM_" #name,                 \
                  "-APIdef_QM_" #name,              \
                  "-APIvararg_QM_" #name},
const ApiDefinition records[] = {QM_API_ROWS(QM_RECORD)};
#undef QM_RECORD

}  // namespace

const std::span<const ApiDefinition> api_define_list{records};

}  // namespace qm_app_def
