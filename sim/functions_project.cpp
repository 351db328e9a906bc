// The project and its item selection as scripts reach them.
#include <algorithm>

#include "sim/script_functions.h"

namespace sim {

using script::enter;

namespace reaper {

bool IsMediaItemSelected(MediaItem* item) {
    Host* host = enter("IsMediaItemSelected");
    Item* live = host != nullptr ? host->item(item) : nullptr;
    return live != nullptr && live->selected();
}

void SelectAllMediaItems(ReaProject* proj, bool selected) {
    Host* host = enter("SelectAllMediaItems");
    Project* project = host != nullptr ? host->project(proj) : nullptr;
    if (project == nullptr) return;
    for (Track* track : project->tracks) {
        for (Item* item : track->items) host->set_item_selected(item, selected);
    }
}

ReaProject* EnumProjects(int idx, char* projfnOutOptional, int projfnOutOptional_sz) {
    Host* host = enter("EnumProjects");
    Project* project = nullptr;
    if (host != nullptr) {
        const auto& tabs = host->projects();
        if (idx == -1) {
            project = host->current_project();
        } else if (idx >= 0 && idx < static_cast<int>(tabs.size())) {
            project = tabs[static_cast<std::size_t>(idx)];
        }
        // 0x40000000 asks for the project being rendered: nothing renders here.
    }
    if (projfnOutOptional != nullptr && projfnOutOptional_sz > 0) {
        script::copy_out(project != nullptr ? project->file : std::string(), projfnOutOptional,
                         static_cast<std::size_t>(projfnOutOptional_sz));
    }
    return project != nullptr ? Host::handle(project) : nullptr;
}

double GetProjectLength(ReaProject* proj) {
    Host* host = enter("GetProjectLength");
    Project* project = host != nullptr ? host->project(proj) : nullptr;
    if (project == nullptr) return 0.0;
    // Items, markers, region ends and the tempo map's points all reach into the project.
    double end = project->end();
    for (const Marker& marker : project->markers) {
        end = std::max(end, marker.region ? marker.end : marker.position);
    }
    for (const TempoPoint& point : project->tempo.points) end = std::max(end, point.position);
    return end;
}

double GetSetProjectInfo(ReaProject* project, const char* desc, double value, bool is_set) {
    Host* host = enter("GetSetProjectInfo", desc);
    Project* live = host != nullptr ? host->project(project) : nullptr;
    if (live == nullptr || desc == nullptr) return 0.0;
    double* setting = live->settings.find(desc);
    if (setting == nullptr) return 0.0;
    if (is_set && std::isfinite(value) && std::string_view(desc) != "PROJECT_TIMEBASE") {
        *setting = value;
    }
    return *setting;
}

}  // namespace reaper

std::span<const HostFunction> project_functions() {
    static const HostFunction functions[] = {
        QM_SIM_HOST_FUNCTION(IsMediaItemSelected), QM_SIM_HOST_FUNCTION(SelectAllMediaItems),
        QM_SIM_HOST_FUNCTION(EnumProjects),        QM_SIM_HOST_FUNCTION(GetProjectLength),
        QM_SIM_HOST_FUNCTION(GetSetProjectInfo),
    };
    return functions;
}

}  // namespace sim
