// Extended state: global strings kept for the run (and in the --ext-state file when a script
// asks them to persist), and per-project strings kept in the project.
#include <cstring>

#include "families.h"
#include "session.h"

namespace reaper_sim {
namespace {

using namespace std::string_view_literals;

std::string text(const char* s) {
    return s != nullptr ? s : "";
}

Session::Sections* global_state(sim::Host* host) {
    return host != nullptr && Session::active() != nullptr ? &Session::active()->ext_state
                                                           : nullptr;
}

void SetExtState(const char* section, const char* key, const char* value, bool persist) {
    Session::Sections* state = global_state(enter("SetExtState", key));
    if (state == nullptr || text(section).empty() || text(key).empty()) return;
    (*state)[section][key] = text(value);
    if (persist) Session::active()->persisted[section][key] = text(value);
}

const char* GetExtState(const char* section, const char* key) {
    Session::Sections* state = global_state(enter("GetExtState", key));
    if (state == nullptr) return "";
    const auto found = state->find(text(section));
    if (found == state->end()) return "";
    const auto value = found->second.find(text(key));
    return value != found->second.end() ? value->second.c_str() : "";
}

bool HasExtState(const char* section, const char* key) {
    Session::Sections* state = global_state(enter("HasExtState", key));
    if (state == nullptr) return false;
    const auto found = state->find(text(section));
    return found != state->end() && found->second.count(text(key)) != 0;
}

void DeleteExtState(const char* section, const char* key, bool persist) {
    Session::Sections* state = global_state(enter("DeleteExtState", key));
    if (state == nullptr) return;
    const auto erase = [&](Session::Sections& from) {
        const auto found = from.find(text(section));
        if (found == from.end()) return;
        found->second.erase(text(key));
        if (found->second.empty()) from.erase(found);
    };
    erase(*state);
    if (persist) erase(Session::active()->persisted);
}

int SetProjExtState(ReaProject* proj, const char* extname, const char* key, const char* value) {
    sim::Host* host = enter("SetProjExtState", key);
    sim::Project* project = host != nullptr ? host->project(proj) : nullptr;
    if (project == nullptr || text(extname).empty()) return 0;
    auto& keys = project->ext_state[extname];
    if (text(key).empty()) {
        keys.clear();
    } else if (text(value).empty()) {
        keys.erase(key);
    } else {
        keys[key] = value;
    }
    int size = 0;
    for (const auto& [k, v] : keys) size += static_cast<int>(k.size() + v.size());
    if (keys.empty()) project->ext_state.erase(extname);
    return size;
}

int GetProjExtState(ReaProject* proj, const char* extname, const char* key, char* valOutNeedBig,
                    int valOutNeedBig_sz) {
    sim::Host* host = enter("GetProjExtState", key);
    if (valOutNeedBig != nullptr && valOutNeedBig_sz > 0) *valOutNeedBig = '\0';
    sim::Project* project = host != nullptr ? host->project(proj) : nullptr;
    if (project == nullptr) return 0;
    const auto found = project->ext_state.find(text(extname));
    if (found == project->ext_state.end()) return 0;
    const auto value = found->second.find(text(key));
    if (value == found->second.end()) return 0;
    if (valOutNeedBig != nullptr && valOutNeedBig_sz > 0) {
        const std::size_t n =
            std::min(value->second.size(), static_cast<std::size_t>(valOutNeedBig_sz) - 1);
        std::memcpy(valOutNeedBig, value->second.data(), n);
        valOutNeedBig[n] = '\0';
    }
    return 1;
}

}  // namespace

std::span<const HostFunctionRow> family_chunks_ext_state() {
    // clang-format off
    static const HostFunctionRow rows[] = {
        c_function("SetExtState", &SetExtState,
            "void\0const char*,const char*,const char*,bool\0section,key,value,persist\0Set a global string; persist keeps it across runs."sv),
        c_function("GetExtState", &GetExtState,
            "const char*\0const char*,const char*\0section,key\0Get a global string; empty when unset."sv),
        c_function("HasExtState", &HasExtState,
            "bool\0const char*,const char*\0section,key\0Whether a global string is set."sv),
        c_function("DeleteExtState", &DeleteExtState,
            "void\0const char*,const char*,bool\0section,key,persist\0Delete a global string; persist deletes the kept one too."sv),
        c_function("SetProjExtState", &SetProjExtState,
            "int\0ReaProject*,const char*,const char*,const char*\0proj,extname,key,value\0Set a project string; an empty key deletes every key of extname, an empty value the key. Returns the size of extname's data."sv),
        c_function("GetProjExtState", &GetProjExtState,
            "int\0ReaProject*,const char*,const char*,char*,int\0proj,extname,key,valOutNeedBig,valOutNeedBig_sz\0Get a project string: 1 and its value when the key exists, else 0 and an empty string."sv),
    };
    // clang-format on
    return rows;
}

}  // namespace reaper_sim
