#include "api_table/api_table.h"

#include "api/api.h"
#include "api_table/api_rows.h"
#include "api_table/definition.h"
#include "script_bridge/wrappers.h"

namespace qm_app_def {
namespace {

QM_API_ROWS(QM_DEFINITION_TEXT)

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
