// Undo points and screen refreshes. An undo point here is its description: the history a test
// reads back (sim.undo_history); nothing is snapshotted, so nothing can be undone.
#include "families.h"
#include "session.h"

namespace reaper_sim {
namespace {

using namespace std::string_view_literals;

// The live project named by `proj` (null: the current one) and the run's session, or nulls.
sim::Project* project_of(sim::Host* host, ReaProject* proj) {
    return host != nullptr && Session::active() != nullptr ? host->project(proj) : nullptr;
}

void begin_block(const char* function, ReaProject* proj) {
    if (sim::Project* project = project_of(enter(function), proj)) {
        ++Session::active()->undo(project).open_blocks;
    }
}

void end_block(const char* function, ReaProject* proj, const char* descchange) {
    sim::Project* project = project_of(enter(function, descchange), proj);
    if (project == nullptr) return;
    UndoState& undo = Session::active()->undo(project);
    // The outermost block makes the point; an unmatched end still makes one, and is reported.
    if (--undo.open_blocks <= 0) undo.history.emplace_back(descchange != nullptr ? descchange : "");
}

void state_change(const char* function, ReaProject* proj, const char* descchange) {
    if (sim::Project* project = project_of(enter(function, descchange), proj)) {
        Session::active()->add_undo_point(project, descchange != nullptr ? descchange : "");
    }
}

void Undo_BeginBlock() {
    begin_block("Undo_BeginBlock", nullptr);
}

void Undo_BeginBlock2(ReaProject* proj) {
    begin_block("Undo_BeginBlock2", proj);
}

void Undo_EndBlock(const char* descchange, int /*extraflags*/) {
    end_block("Undo_EndBlock", nullptr, descchange);
}

void Undo_EndBlock2(ReaProject* proj, const char* descchange, int /*extraflags*/) {
    end_block("Undo_EndBlock2", proj, descchange);
}

void Undo_OnStateChange(const char* descchange) {
    state_change("Undo_OnStateChange", nullptr, descchange);
}

void Undo_OnStateChange2(ReaProject* proj, const char* descchange) {
    state_change("Undo_OnStateChange2", proj, descchange);
}

void Undo_OnStateChangeEx(const char* descchange, int /*whichStates*/, int /*trackparm*/) {
    state_change("Undo_OnStateChangeEx", nullptr, descchange);
}

void PreventUIRefresh(int prevent_count) {
    if (enter("PreventUIRefresh") != nullptr && Session::active() != nullptr) {
        Session::active()->prevent_refresh += prevent_count;
    }
}

void redraw(const char* function) {
    if (sim::Host* host = enter(function)) host->redraw();
}

void UpdateTimeline() {
    redraw("UpdateTimeline");
}

}  // namespace

std::span<const HostFunctionRow> family_undo_refresh() {
    // clang-format off
    static const HostFunctionRow rows[] = {
        c_function("Undo_BeginBlock", &Undo_BeginBlock,
            "void\0\0\0Open an undo block; blocks nest."sv),
        c_function("Undo_BeginBlock2", &Undo_BeginBlock2,
            "void\0ReaProject*\0proj\0Open an undo block in a project; blocks nest."sv),
        c_function("Undo_EndBlock", &Undo_EndBlock,
            "void\0const char*,int\0descchange,extraflags\0Close an undo block; the outermost one records an undo point named descchange."sv),
        c_function("Undo_EndBlock2", &Undo_EndBlock2,
            "void\0ReaProject*,const char*,int\0proj,descchange,extraflags\0Close an undo block in a project; the outermost one records an undo point named descchange."sv),
        c_function("Undo_OnStateChange", &Undo_OnStateChange,
            "void\0const char*\0descchange\0Record an undo point now; inside an open block it merges into the block."sv),
        c_function("Undo_OnStateChange2", &Undo_OnStateChange2,
            "void\0ReaProject*,const char*\0proj,descchange\0Record an undo point in a project now; inside an open block it merges into the block."sv),
        c_function("Undo_OnStateChangeEx", &Undo_OnStateChangeEx,
            "void\0const char*,int,int\0descchange,whichStates,trackparm\0Record an undo point of the given states now; inside an open block it merges into the block."sv),
        c_function("PreventUIRefresh", &PreventUIRefresh,
            "void\0int\0prevent_count\0Add prevent_count to the count that holds back redrawing while above 0."sv),
        c_function("UpdateArrange", &sim::reaper::UpdateArrange,
            "void\0\0\0Redraw the arrange view."sv),
        c_function("UpdateTimeline", &UpdateTimeline,
            "void\0\0\0Redraw the arrange view and the ruler."sv),
    };
    // clang-format on
    return rows;
}

}  // namespace reaper_sim
