#include "script_bridge/wrappers.h"

#include "api/api.h"
#include "script_bridge/bridge.h"

#define QM_DEFINE_VARARG(name, ...)                                \
    void* __vararg_##name(void** arglist, int numparms) noexcept { \
        return qm_bridge::call<&::name>(arglist, numparms);        \
    }
QM_API_ROWS(QM_DEFINE_VARARG)
#undef QM_DEFINE_VARARG
