// What the simulated host does differently per system: loading a module, and the layout of the
// media sources it hands an extension, which must be the layout of REAPER's own compiler there.
// One implementation per system family: platform_posix.cpp, platform_windows.cpp.
#pragma once

#include <string>

class PCM_source;

namespace sim {

class Source;

namespace platform {

// Null and the system's reason on failure.
void* load_module(const std::string& path, std::string& reason);
void* module_symbol(void* module, const char* name);
void unload_module(void* module);

// What a source's face starts with; null where the C++ object itself is the handle.
const void* source_face_vtable();
// The address an extension is given for `source`.
PCM_source* source_handle(Source& source);

}  // namespace platform
}  // namespace sim
