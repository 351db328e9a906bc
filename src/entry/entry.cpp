#include "entry/entry.h"

#include "api_table/api_table.h"
#include "messages/messages.h"

namespace qm_app {

reaper_plugin_info_t* reaper_plugin = nullptr;
bool imported = false;

namespace {

void register_api() {
    for (const auto& def : qm_app_def::api_define_list) {
        plugin_register(def.api_name, def.func);
        plugin_register(def.def_name, const_cast<char*>(def.definition));
        plugin_register(def.vararg_name, reinterpret_cast<void*>(def.vararg_func));
    }
}

void unregister_api() {
    for (const auto& def : qm_app_def::api_define_list) {
        plugin_register(def.unreg_api_name, def.func);
        plugin_register(def.unreg_def_name, const_cast<char*>(def.definition));
        plugin_register(def.unreg_vararg_name, reinterpret_cast<void*>(def.vararg_func));
    }
}

int load(reaper_plugin_info_t* rec) {
    message_util::set_localize();
    // A host without one of our functions would crash the first call that needs it: refuse.
    if (qm_host::resolve(rec->GetFunc) != 0) {
        imported = false;
        reaper_plugin = nullptr;
        return 0;
    }
    imported = true;
    reaper_plugin = rec;
    register_api();
    return 1;
}

void unload() {
    if (!imported) return;
    unregister_api();
    reaper_plugin = nullptr;
}

}  // namespace
}  // namespace qm_app

int ReaperPluginEntry(void* /*hInstance*/, reaper_plugin_info_t* rec) noexcept {
    try {
        if (rec != nullptr) return qm_app::load(rec);
        qm_app::unload();
    } catch (...) {
        // Nothing may escape into REAPER; a load that threw registered nothing usable.
        qm_app::reaper_plugin = nullptr;
    }
    return 0;
}
