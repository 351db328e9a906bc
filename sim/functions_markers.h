// REAPER's time, tempo and marker functions, answering for Host::active() on its current project
// or the one given (null: the current one); 0/false/-1 for a stale project or an index that names
// nothing.
#pragma once

#include "sim/reaper_abi.h"

namespace sim::reaper {
double GetCursorPosition();
void SetEditCurPos(double time, bool moveview, bool seekplay);
void MoveEditCursor(double adjamt, bool dosel);
void GetSet_LoopTimeRange(bool isSet, bool isLoop, double* startOut, double* endOut,
                          bool allowautoseek);
void GetSet_LoopTimeRange2(ReaProject* proj, bool isSet, bool isLoop, double* startOut,
                           double* endOut, bool allowautoseek);
void GetSet_ArrangeView2(ReaProject* proj, bool isSet, int screen_x_start, int screen_x_end,
                         double* start_timeInOut, double* end_timeInOut);
double SnapToGrid(ReaProject* project, double time_pos);
double TimeMap_QNToTime(double qn);
double TimeMap_timeToQN(double tpos);
double TimeMap2_QNToTime(ReaProject* proj, double qn);
double TimeMap2_timeToQN(ReaProject* proj, double tpos);
double TimeMap2_GetDividedBpmAtTime(ReaProject* proj, double time);
double GetProjectTimeOffset(ReaProject* proj, bool rndframe);
int CountProjectMarkers(ReaProject* proj, int* num_markersOut, int* num_regionsOut);
int EnumProjectMarkers(int idx, bool* isrgnOut, double* posOut, double* rgnendOut,
                       const char** nameOut, int* markrgnindexnumberOut);
int EnumProjectMarkers3(ReaProject* proj, int idx, bool* isrgnOut, double* posOut,
                        double* rgnendOut, const char** nameOut, int* markrgnindexnumberOut,
                        int* colorOut);
void GetLastMarkerAndCurRegion(ReaProject* proj, double time, int* markeridxOut, int* regionidxOut);
int AddProjectMarker(ReaProject* proj, bool isrgn, double pos, double rgnend, const char* name,
                     int wantidx);
bool DeleteProjectMarker(ReaProject* proj, int markrgnindexnumber, bool isrgn);
}  // namespace sim::reaper
