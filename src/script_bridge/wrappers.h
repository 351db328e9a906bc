// The script wrappers, one per API row, registered as APIvararg_QM_<name>.
#pragma once

#include "api_table/api_rows.h"
#include "script_bridge/bridge.h"

#define QM_DECLARE_VARARG(name, ...) void* __vararg_##name(void** arglist, int numparms) noexcept;
QM_API_ROWS(QM_DECLARE_VARARG)
#undef QM_DECLARE_VARARG

#define QM_DEFINE_VARARG(name, ...)                                                 \
    [[gnu::flatten]] void* __vararg_##name(void** arglist, int numparms) noexcept { \
        return qm_bridge::call<&::name>(arglist, numparms);                         \
    }

// A family's wrappers, made in the family's own file: there the compiler sees each native
// function whole and builds it into its wrapper, so a script call costs one call, not two.
// A group made twice or not at all fails the link.
#define QM_DEFINE_WRAPPERS(ROWS) ROWS(QM_DEFINE_VARARG)
