#include "entry/entry.h"

#include "api_table/api_table.h"
#include "messages/messages.h"

namespace qm_app {

reaper_plugin_info_t* reaper_plugin = nullptr;
bool imported = false;

namespace {

using qm_app_def::ApiDefinition;
using Name = const char* ApiDefinition::*;

// Registration and withdrawal walk the table the same way and differ only in the names used.
void walk_table(Name api, Name def, Name vararg) {
    for (const ApiDefinition& record : qm_app_def::api_define_list) {
        plugin_register(record.*api, record.func);
        plugin_register(record.*def, const_cast<char*>(record.definition));
        plugin_register(record.*vararg, reinterpret_cast<void*>(record.vararg_func));
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
    walk_table(&ApiDefinition::api_name, &ApiDefinition::def_name, &ApiDefinition::vararg_name);
    return 1;
}

void unload() {
    if (!imported) return;
    walk_table(&ApiDefinition::unreg_api_name, &ApiDefinition::unreg_def_name,
               &ApiDefinition::unreg_vararg_name);
    reaper_plugin = nullptr;
}

}  // namespace
}  // namespace qm_app

int ReaperPluginEntry(HINSTANCE /*hInstance*/, reaper_plugin_info_t* rec) noexcept {
    try {
        if (rec != nullptr) return qm_app::load(rec);
        qm_app::unload();
    } catch (...) {
        // Nothing may escape into REAPER; a load that threw registered nothing usable.
        qm_app::reaper_plugin = nullptr;
    }
    return 0;
}
