// The table of registered API functions, walked by the entry at load and at unload.
#pragma once

#include <span>

namespace qm_app_def {

struct ApiDefinition {
    void* func;
    void* (*vararg_func)(void** arglist, int numparms);
    const char* definition;
    const char* api_name;
    const char* def_name;
    const char* vararg_name;
    const char* unreg_api_name;
    const char* unreg_def_name;
    const char* unreg_vararg_name;
};

extern const std::span<const ApiDefinition> api_define_list;

}  // namespace qm_app_def
