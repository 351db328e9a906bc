#include "entry/host_api.h"

#include <cstring>
#include <iterator>

#define QM_DEFINE_HOST_SLOT(ret, name, params) ret(*name) params = nullptr;
QM_HOST_FUNCTIONS(QM_DEFINE_HOST_SLOT)
#undef QM_DEFINE_HOST_SLOT

namespace qm_host {

#define QM_IMPORT_ENTRY(ret, name, params) {reinterpret_cast<void*>(&name), #name},
const ImportEntry import_table[] = {QM_HOST_FUNCTIONS(QM_IMPORT_ENTRY)};
#undef QM_IMPORT_ENTRY
const std::size_t import_table_size = std::size(import_table);

int resolve(void* (*lookup)(const char* name)) noexcept {
    int missing = 0;
    for (const ImportEntry& entry : import_table) {
        void* address = lookup != nullptr ? lookup(entry.name) : nullptr;
        // The slot is a function pointer; copy the bytes rather than alias it through void*.
        std::memcpy(entry.slot, &address, sizeof address);
        if (address == nullptr) ++missing;
    }
    return missing;
}

}  // namespace qm_host

int REAPERAPI_LoadAPI(void* (*getAPI)(const char*)) {
    return qm_host::resolve(getAPI);
}
