// Time, tempo and markers as a script sees them, on a project at 120 bpm in 4/4 that drops to
// 60 bpm in 6/8 at 4 s (quarter note 8).
#include <gtest/gtest.h>

#include "environment.h"
#include "lua_eval.h"
#include "sim/host.h"

namespace reaper_sim {
namespace {

using testing::Case;

struct Session {
    Session() {
        sim::Project* project = host.current_project();
        project->tempo.points = {{0.0, 120.0, 1, 4, 4}, {4.0, 60.0, 1, 6, 8}};
        project->frame_rate = 30.0;
        project->time_offset = 1.01;
    }
    sim::Host host;
    Environment env{host};
};

TEST(MarkersTime, AnswerAsReaperDoes) {
    const Case cases[] = {
        // The cursor stops at 0; moving it with dosel selects what it crossed, loop points along.
        {"reaper.SetEditCurPos(-3, false, false) local a = reaper.GetCursorPosition()\n"
         "reaper.SetEditCurPos(2.5, true, false) reaper.MoveEditCursor(1, true)\n"
         "local s, e = reaper.GetSet_LoopTimeRange(false, true, 0, 0, false)\n"
         "return a, reaper.GetCursorPositionEx(nil), s, e",
         {"0.0", "3.5", "2.5", "3.5"}},
        // Set with start after end: ordered; start = end clears, as does a range before 0.
        {"local s, e = reaper.GetSet_LoopTimeRange2(0, true, false, 5, 1, false)\n"
         "local c, d = reaper.GetSet_LoopTimeRange(true, false, 2, 2, false)\n"
         "reaper.GetSet_LoopTimeRange(true, false, 1, 3, false)\n"
         "local f, g = reaper.GetSet_LoopTimeRange(true, true, -3, -1, false)\n"
         "return s, e, c, d, f, g, reaper.GetSet_LoopTimeRange(false, false, 9, 9, false)",
         {"1.0", "5.0", "0.0", "0.0", "0.0", "0.0", "0.0", "0.0"}},
        // Through the tempo map: 8 quarter notes to 4 s, then one a second.
        {"return reaper.TimeMap2_timeToQN(0, 6), reaper.TimeMap_QNToTime(10),\n"
         "  reaper.TimeMap_timeToQN(1), reaper.TimeMap2_QNToTime(nil, -2)",
         {"10.0", "6.0", "2.0", "-1.0"}},
        // Divided by the 6/8 signature's eighths after 4 s.
        {"return reaper.TimeMap2_GetDividedBpmAtTime(0, 1), "
         "reaper.TimeMap2_GetDividedBpmAtTime(0, 5)",
         {"120.0", "120.0"}},
        // A quarter-note grid: lines every 0.5 s, then every second; 6/8 measures start at 4 s.
        {"return reaper.SnapToGrid(0, 0.3), reaper.SnapToGrid(0, 0.74), reaper.SnapToGrid(0, 5.4),"
         " reaper.SnapToGrid(0, 3.9)",
         {"0.5", "0.5", "5.0", "4.0"}},
        {"return reaper.GetProjectTimeOffset(0, false), "
         "math.floor(reaper.GetProjectTimeOffset(0, true) * 30 + 0.5), "
         "reaper.TimeMap_curFrameRate(0)",
         {"1.01", "30", "30.0", "false"}},
        // Read as scripts read it, leaving the times out; a backward range is refused.
        {"local x, y = reaper.GetSet_ArrangeView2(0, false, 0, 0)\n"
         "local a, b = reaper.GetSet_ArrangeView2(0, true, 0, 0, 2, 12)\n"
         "local c, d = reaper.GetSet_ArrangeView2(0, true, 0, 0, 5, 1)\n"
         "return x, y, a, b, c, d",
         {"0.0", "30.0", "2.0", "12.0", "2.0", "12.0"}},
        // Numbers: markers and regions apart, wantidx when free, else the lowest free one.
        {"return reaper.AddProjectMarker(0, false, 3, 0, 'B', -1),\n"
         "  reaper.AddProjectMarker(0, true, 4, 1, 'Verse', -1),\n"
         "  reaper.AddProjectMarker(0, false, 0.5, 0, 'A', 1),\n"
         "  reaper.AddProjectMarker(nil, false, 2, 0, '', 5), reaper.CountProjectMarkers(0)",
         {"1", "1", "2", "5", "4", "3", "1"}},
    };
    for (const Case& c : cases) {
        Session s;
        testing::expect_case(s.env.state(), c);
    }
}

TEST(MarkersTime, EnumerateMarkersAndRegionsByPosition) {
    Session s;
    testing::expect_case(s.env.state(), {"reaper.AddProjectMarker(0, false, 3, 0, 'B', -1)\n"
                                         "reaper.AddProjectMarker(0, true, 1, 4, 'Verse', -1)\n"
                                         "reaper.AddProjectMarker(0, false, 0.5, 0, 'A', 1)\n"
                                         "reaper.AddProjectMarker(0, false, 2, 0, '', 5)"});
    const Case cases[] = {
        {"return reaper.EnumProjectMarkers3(0, 1)", {"2", "true", "1.0", "4.0", "Verse", "1", "0"}},
        {"return reaper.EnumProjectMarkers(2)", {"3", "false", "2.0", "0.0", "", "5"}},
        {"return reaper.EnumProjectMarkers(4) == 0, reaper.EnumProjectMarkers(-1) == 0",
         {"true", "true"}},
        {"return reaper.GetLastMarkerAndCurRegion(0, 2.5)", {"2", "1"}},
        {"return reaper.GetLastMarkerAndCurRegion(0, 0.2)", {"-1", "-1"}},
        {"return reaper.GetLastMarkerAndCurRegion(0, 4)", {"3", "-1"}},
        {"return reaper.DeleteProjectMarker(0, 1, true), reaper.DeleteProjectMarker(0, 1, true),\n"
         "  reaper.DeleteProjectMarker(0, 7, false), reaper.CountProjectMarkers(0)",
         {"true", "false", "false", "3", "3", "0"}},
    };
    for (const Case& c : cases) testing::expect_case(s.env.state(), c);
}

}  // namespace
}  // namespace reaper_sim
