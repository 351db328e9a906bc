#include <dlfcn.h>

#include "sim/host.h"
#include "sim/platform.h"

namespace sim::platform {

void* load_module(const std::string& path, std::string& reason) {
    void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (module == nullptr) {
        const char* text = dlerror();
        reason = text != nullptr ? text : "not a loadable module";
    }
    dlerror();
    return module;
}

void* module_symbol(void* module, const char* name) {
    return dlsym(module, name);
}

void unload_module(void* module) {
    dlclose(module);
}

const void* source_face_vtable() {
    return nullptr;
}

// g++ and clang lay out the C++ class as REAPER's Linux and macOS builds do.
PCM_source* source_handle(Source& source) {
    return reinterpret_cast<PCM_source*>(static_cast<PcmSourceInterface*>(&source));
}

}  // namespace sim::platform
