// The script wrappers, one per API row, registered as APIvararg_QM_<name>.
#pragma once

#include "api_table/api_rows.h"

#define QM_DECLARE_VARARG(name, ...) void* __vararg_##name(void** arglist, int numparms) noexcept;
QM_API_ROWS(QM_DECLARE_VARARG)
#undef QM_DECLARE_VARARG
