// What the entry leaves behind for the rest of the library.
#pragma once

#include "entry/host_api.h"

namespace qm_app {

// REAPER's record from the last accepted load; null before it, after unload and after a refusal.
extern reaper_plugin_info_t* reaper_plugin;
// True while the host functions are resolved and the API is registered.
extern bool imported;

}  // namespace qm_app

extern "C" QM_EXPORT int ReaperPluginEntry(HINSTANCE hInstance, reaper_plugin_info_t* rec) noexcept;
