// One row per API function, in registration order:
// ROW(native name, return type, parameter types, parameter names, help text).
// Everything registered for a function (its names, definition text and script wrapper) is made
// from its row; the texts are what REAPER shows script authors, so they stay exactly as written.
#pragma once

// clang-format off
#define QM_API_ROWS(ROW) \
    ROW(GetMediaItemSelect, "MediaItem*", "ReaProject*,int,int", "projID,itemID,mediaTypeID", "[QM:API]Get Media Item") \
    ROW(GetMediaTrackItemSelect, "MediaItem*", "ReaProject*,int,int,int", "projID,trackID,itemID,mediaTypeID", "[QM:API]Get Media Item")
// clang-format on
