#include "sim/functions_markers.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "sim/host.h"
#include "sim/timeline.h"

namespace sim {

namespace {

Host* enter(const char* function) {
    Host* host = Host::active();
    if (host != nullptr && host->logs_calls()) host->log_call(function);
    return host;
}

Project* project_of(const char* function, ReaProject* proj) {
    Host* host = enter(function);
    return host != nullptr ? host->project(proj) : nullptr;
}

bool finite(double v) {
    return std::isfinite(v);
}

template <class T>
void put(T* out, T value) {
    if (out != nullptr) *out = value;
}

// The time selection and the loop points move together, as REAPER links them by default.
void set_time_selection(Project* project, double start, double end) {
    if (start > end) std::swap(start, end);
    start = std::max(start, 0.0);
    end = std::max(end, 0.0);
    const TimeRange range = start == end ? TimeRange{} : TimeRange{start, end};
    project->time_selection = range;
    project->loop_range = range;
}

// Markers and regions in one list by position, as the enumeration numbers them. The project keeps
// them so; a marker added at a taken position goes after those already there.
const Marker* enumerated(const Project* project, int idx) {
    if (project == nullptr || idx < 0 || idx >= static_cast<int>(project->markers.size())) {
        return nullptr;
    }
    return &project->markers[static_cast<std::size_t>(idx)];
}

}  // namespace

namespace reaper {

double GetCursorPosition() {
    Project* project = project_of("GetCursorPosition", nullptr);
    return project != nullptr ? project->cursor : 0.0;
}

void SetEditCurPos(double time, bool moveview, bool seekplay) {
    SetEditCurPos2(nullptr, time, moveview, seekplay);
}

void MoveEditCursor(double adjamt, bool dosel) {
    Project* project = project_of("MoveEditCursor", nullptr);
    if (project == nullptr || !finite(adjamt)) return;
    const double from = project->cursor;
    const double to = std::max(from + adjamt, 0.0);
    project->cursor = to;
    if (!dosel) return;
    // The selection grows or shrinks from the edge the cursor was on, or starts where it was.
    TimeRange range = project->time_selection;
    if (range.start == range.end || (from != range.start && from != range.end)) {
        range = {from, to};
    } else if (from == range.end) {
        range.end = to;
    } else {
        range.start = to;
    }
    set_time_selection(project, range.start, range.end);
}

void GetSet_LoopTimeRange(bool isSet, bool isLoop, double* startOut, double* endOut,
                          bool allowautoseek) {
    GetSet_LoopTimeRange2(nullptr, isSet, isLoop, startOut, endOut, allowautoseek);
}

void GetSet_LoopTimeRange2(ReaProject* proj, bool isSet, bool isLoop, double* startOut,
                           double* endOut, bool /*allowautoseek*/) {
    Project* project = project_of("GetSet_LoopTimeRange2", proj);
    if (project == nullptr) return;
    if (isSet) {
        if (startOut == nullptr || endOut == nullptr || !finite(*startOut) || !finite(*endOut)) {
            return;
        }
        set_time_selection(project, *startOut, *endOut);
    }
    const TimeRange& range = isLoop ? project->loop_range : project->time_selection;
    put(startOut, range.start);
    put(endOut, range.end);
}

void GetSet_ArrangeView2(ReaProject* proj, bool isSet, int /*screen_x_start*/, int /*screen_x_end*/,
                         double* start_timeInOut, double* end_timeInOut) {
    // Headless there are no pixels: any screen range is the whole view.
    Project* project = project_of("GetSet_ArrangeView2", proj);
    if (project == nullptr) return;
    if (isSet && start_timeInOut != nullptr && end_timeInOut != nullptr &&
        finite(*start_timeInOut) && finite(*end_timeInOut) && *start_timeInOut < *end_timeInOut) {
        project->arrange_view = {*start_timeInOut, *end_timeInOut};
    }
    put(start_timeInOut, project->arrange_view.start);
    put(end_timeInOut, project->arrange_view.end);
}

double SnapToGrid(ReaProject* project, double time_pos) {
    Project* live = project_of("SnapToGrid", project);
    if (live == nullptr) return 0.0;
    return timeline::snap(live->tempo, time_pos, live->grid_division);
}

double TimeMap_QNToTime(double qn) {
    Project* project = project_of("TimeMap_QNToTime", nullptr);
    return project != nullptr ? project->tempo.qn_to_time(qn) : 0.0;
}

double TimeMap_timeToQN(double tpos) {
    Project* project = project_of("TimeMap_timeToQN", nullptr);
    return project != nullptr ? project->tempo.time_to_qn(tpos) : 0.0;
}

double TimeMap2_QNToTime(ReaProject* proj, double qn) {
    Project* project = project_of("TimeMap2_QNToTime", proj);
    return project != nullptr ? project->tempo.qn_to_time(qn) : 0.0;
}

double TimeMap2_timeToQN(ReaProject* proj, double tpos) {
    Project* project = project_of("TimeMap2_timeToQN", proj);
    return project != nullptr ? project->tempo.time_to_qn(tpos) : 0.0;
}

double TimeMap2_GetDividedBpmAtTime(ReaProject* proj, double time) {
    Project* project = project_of("TimeMap2_GetDividedBpmAtTime", proj);
    return project != nullptr ? timeline::divided_bpm_at(project->tempo, time) : 0.0;
}

double GetProjectTimeOffset(ReaProject* proj, bool rndframe) {
    Project* project = project_of("GetProjectTimeOffset", proj);
    if (project == nullptr) return 0.0;
    if (!rndframe || project->frame_rate <= 0.0) return project->time_offset;
    return std::round(project->time_offset * project->frame_rate) / project->frame_rate;
}

int CountProjectMarkers(ReaProject* proj, int* num_markersOut, int* num_regionsOut) {
    Project* project = project_of("CountProjectMarkers", proj);
    int markers = 0;
    int regions = 0;
    if (project != nullptr) {
        for (const Marker& m : project->markers) ++(m.region ? regions : markers);
    }
    put(num_markersOut, markers);
    put(num_regionsOut, regions);
    return markers + regions;
}

int EnumProjectMarkers(int idx, bool* isrgnOut, double* posOut, double* rgnendOut,
                       const char** nameOut, int* markrgnindexnumberOut) {
    return EnumProjectMarkers3(nullptr, idx, isrgnOut, posOut, rgnendOut, nameOut,
                               markrgnindexnumberOut, nullptr);
}

int EnumProjectMarkers3(ReaProject* proj, int idx, bool* isrgnOut, double* posOut,
                        double* rgnendOut, const char** nameOut, int* markrgnindexnumberOut,
                        int* colorOut) {
    const Marker* m = enumerated(project_of("EnumProjectMarkers3", proj), idx);
    if (m == nullptr) return 0;
    put(isrgnOut, m->region);
    put(posOut, m->position);
    put(rgnendOut, m->region ? m->end : 0.0);
    put(nameOut, m->name.c_str());
    put(markrgnindexnumberOut, m->number);
    put(colorOut, m->color);
    return idx + 1;
}

void GetLastMarkerAndCurRegion(ReaProject* proj, double time, int* markeridxOut,
                               int* regionidxOut) {
    Project* project = project_of("GetLastMarkerAndCurRegion", proj);
    int marker = -1;
    int region = -1;
    if (project != nullptr && finite(time)) {
        for (std::size_t i = 0; i < project->markers.size(); ++i) {
            const Marker& m = project->markers[i];
            if (m.position > time) break;
            // Of overlapping regions, the one that started last holds the time.
            if (!m.region) {
                marker = static_cast<int>(i);
            } else if (time < m.end) {
                region = static_cast<int>(i);
            }
        }
    }
    put(markeridxOut, marker);
    put(regionidxOut, region);
}

int AddProjectMarker(ReaProject* proj, bool isrgn, double pos, double rgnend, const char* name,
                     int wantidx) {
    Host* host = enter("AddProjectMarker");
    Project* project = host != nullptr ? host->project(proj) : nullptr;
    if (project == nullptr || !finite(pos) || (isrgn && !finite(rgnend))) return -1;
    std::vector<int> taken;
    for (const Marker& m : project->markers) {
        if (m.region == isrgn) taken.push_back(m.number);
    }
    Marker marker;
    marker.number = timeline::marker_number(taken, wantidx);
    if (marker.number < 0) return -1;
    marker.region = isrgn;
    marker.position = pos;
    marker.end = isrgn ? rgnend : 0.0;
    if (marker.end < marker.position && isrgn) std::swap(marker.position, marker.end);
    marker.position = std::max(marker.position, 0.0);
    marker.end = isrgn ? std::max(marker.end, 0.0) : 0.0;
    marker.name = name != nullptr ? name : "";
    marker.guid = host->fresh_guid();
    const auto at =
        std::upper_bound(project->markers.begin(), project->markers.end(), marker.position,
                         [](double position, const Marker& m) { return position < m.position; });
    const int number = marker.number;
    project->markers.insert(at, std::move(marker));
    return number;
}

bool DeleteProjectMarker(ReaProject* proj, int markrgnindexnumber, bool isrgn) {
    Project* project = project_of("DeleteProjectMarker", proj);
    if (project == nullptr) return false;
    auto found = std::find_if(
        project->markers.begin(), project->markers.end(),
        [&](const Marker& m) { return m.region == isrgn && m.number == markrgnindexnumber; });
    if (found == project->markers.end()) return false;
    project->markers.erase(found);
    return true;
}

}  // namespace reaper

}  // namespace sim
